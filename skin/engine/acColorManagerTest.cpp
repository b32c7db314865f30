#include "skin/engine/acColorManager.h"

#include <gtest/gtest.h>

namespace {

void Convert(TColorManager& cm, const uint8_t* source, void* target, unsigned count, uint8_t mask = 0xFF) {
  cm.ConvertRow({&source, 1}, target, count, mask);
}

TEST(ColorManager, PixelFormatOfLayouts) {
  struct Case {
    uint8_t Samples, Bits;
    TPixelFormat Format;
  } cases[] = {{1, 1, pf1bit}, {1, 2, pf4bit}, {1, 4, pf4bit}, {1, 8, pf8bit}, {1, 16, pf8bit}, {3, 4, pf15bit},
               {3, 8, pf24bit}, {4, 4, pfCustom}, {4, 8, pf32bit}, {2, 8, pfCustom}};
  for (const Case& c : cases) {
    TColorManager cm;
    cm.SetTargetSamplesPerPixel(c.Samples);
    cm.SetTargetBitsPerSample(c.Bits);
    EXPECT_EQ(cm.GetPixelFormat(1), c.Format) << int(c.Samples) << "x" << int(c.Bits);
  }
}

TEST(ColorManager, SettersRefuseInvalidValuesAndKeepTheOldOne) {
  TColorManager cm;
  EXPECT_THROW(cm.SetSourceBitsPerSample(3), EColorConversionError);
  EXPECT_THROW(cm.SetTargetSamplesPerPixel(5), EColorConversionError);
  EXPECT_THROW(cm.SetSourceSamplesPerPixel(0), EColorConversionError);
  EXPECT_EQ(cm.SourceBitsPerSample(), 8);
  EXPECT_EQ(cm.TargetSamplesPerPixel(), 3);
}

TEST(ColorManager, GammaOneIsTheIdentity) {
  TColorManager cm;
  cm.SetGamma(1, 1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(cm.GammaTable()[i], i);
  cm.SetGamma(0, 0);  // not above 0: 1.0 and 2.2
  EXPECT_FLOAT_EQ(cm.MainGamma(), 1.0f);
  EXPECT_FLOAT_EQ(cm.DisplayGamma(), 2.2f);
}

TEST(ColorManager, GrayscalePalette) {
  TColorManager cm;
  cm.SetTargetSamplesPerPixel(1);
  cm.SetTargetBitsPerSample(4);
  const TPaletteEntries p = cm.CreateGrayscalePalette(false);
  ASSERT_EQ(p.size(), 16u);
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(p[i], (TPaletteEntry{uint8_t(i * 17), uint8_t(i * 17), uint8_t(i * 17), 0}));
  EXPECT_EQ(cm.CreateGrayscalePalette(true)[0].peRed, 255);
}

TEST(ColorManager, ColorPaletteLayouts) {
  TColorManager cm;
  const uint8_t triples[] = {1, 2, 3, 4, 5, 6};
  const uint8_t* t = triples;
  auto p = cm.CreateColorPalette({&t, 1}, pfInterlaced8Triple, 2, false);
  EXPECT_EQ(p[1], (TPaletteEntry{4, 5, 6, 0}));
  p = cm.CreateColorPalette({&t, 1}, pfInterlaced8Triple, 2, true);
  EXPECT_EQ(p[1], (TPaletteEntry{6, 5, 4, 0}));
  const uint8_t wide[] = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
  const uint8_t* w = wide;
  cm.SetSourceOptions(coNeedByteSwap);
  p = cm.CreateColorPalette({&w, 1}, pfInterlaced16Triple, 1, false);
  EXPECT_EQ(p[0], (TPaletteEntry{255, 127, 0, 0}));
  const uint8_t r[] = {9}, g[] = {8}, b[] = {7};
  const uint8_t* planes[] = {r, g, b};
  p = cm.CreateColorPalette(planes, pfPlane8Triple, 1, false);
  EXPECT_EQ(p[0], (TPaletteEntry{9, 8, 7, 0}));
}

TEST(ColorManager, GreyTwoBitWidensAndIndexesStay) {
  const uint8_t row[] = {0x1B};  // 0, 1, 2, 3
  for (TColorScheme scheme : {schGray, schIndexed}) {
    TColorManager cm;
    cm.SetSourceColorScheme(scheme);
    cm.SetTargetColorScheme(scheme);
    cm.SetSourceSamplesPerPixel(1);
    cm.SetTargetSamplesPerPixel(1);
    cm.SetSourceBitsPerSample(2);
    cm.SetTargetBitsPerSample(4);
    uint8_t out[2] = {};
    Convert(cm, row, out, 4);
    if (scheme == schGray) {
      EXPECT_EQ(out[0], 0x05);
      EXPECT_EQ(out[1], 0xAF);
    } else {
      EXPECT_EQ(out[0], 0x01);
      EXPECT_EQ(out[1], 0x23);
    }
  }
}

TEST(ColorManager, SixteenBitBigEndianSamples) {
  TColorManager cm;
  cm.SetSourceColorScheme(schRGB);
  cm.SetSourceBitsPerSample(16);
  cm.SetSourceOptions(coNeedByteSwap);
  const uint8_t row[] = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x01};
  uint8_t out[3];
  Convert(cm, row, out, 1);
  EXPECT_EQ(out[2], 255);  // red
  EXPECT_EQ(out[1], 127);
  EXPECT_EQ(out[0], 0);
}

TEST(ColorManager, IndexedAndNonIndexedDoNotMix) {
  TColorManager cm;
  cm.SetTargetColorScheme(schIndexed);
  uint8_t row[3] = {}, out[3];
  EXPECT_THROW(Convert(cm, row, out, 1), EColorConversionError);
  cm.SetSourceColorScheme(schUnsupported);
  cm.SetTargetColorScheme(schBGR);
  EXPECT_THROW(Convert(cm, row, out, 1), EColorConversionError);
}

TEST(ColorManager, PassMaskSelectsTargetPixels) {
  TColorManager cm;
  cm.SetSourceColorScheme(schIndexed);
  cm.SetTargetColorScheme(schIndexed);
  cm.SetSourceSamplesPerPixel(1);
  cm.SetTargetSamplesPerPixel(1);
  const uint8_t row[] = {7, 9, 11};
  uint8_t out[16] = {};
  Convert(cm, row, out, 16, 0x80);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], i == 0 ? 7 : i == 8 ? 9 : 0) << i;
}

TEST(ColorManager, RgbWithAlphaAndGamma) {
  TColorManager cm;
  cm.SetSourceColorScheme(schRGBA);
  cm.SetTargetColorScheme(schBGRA);
  cm.SetSourceSamplesPerPixel(4);
  cm.SetTargetSamplesPerPixel(4);
  cm.SetGamma(1, 1);
  cm.SetTargetOptions(coApplyGamma);
  const uint8_t row[] = {1, 2, 3, 4};
  uint8_t out[4];
  Convert(cm, row, out, 1);
  EXPECT_EQ(out[0], 3);
  EXPECT_EQ(out[1], 2);
  EXPECT_EQ(out[2], 1);
  EXPECT_EQ(out[3], 4);
}

TEST(ColorManager, ColourSpaces) {
  TColorManager cm;
  cm.SetSourceColorScheme(schCMYK);
  cm.SetSourceSamplesPerPixel(4);
  const uint8_t cmyk[] = {255, 0, 0, 0};  // cyan
  uint8_t out[3];
  Convert(cm, cmyk, out, 1);
  EXPECT_EQ(out[0], 255);  // blue
  EXPECT_EQ(out[1], 255);
  EXPECT_EQ(out[2], 0);
  cm.SetSourceColorScheme(schYCbCr);
  cm.SetSourceSamplesPerPixel(3);
  const uint8_t grey[] = {100, 128, 128};
  Convert(cm, grey, out, 1);
  EXPECT_EQ(out[0], 100);
  EXPECT_EQ(out[1], 100);
  EXPECT_EQ(out[2], 100);
  cm.SetSourceColorScheme(schCIELab);
  cm.SetSourceOptions(coLabByteRange | coLabChromaOffset);
  const uint8_t white[] = {255, 128, 128};
  Convert(cm, white, out, 1);
  EXPECT_GE(out[0], 250);
  EXPECT_GE(out[2], 250);
}

}  // namespace
