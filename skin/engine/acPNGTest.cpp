#include <windows.h>

#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acPNG.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/rtl/Classes.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& b) {
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(b.data(), int64_t(b.size()));
  s->SetPosition(0);
  return s;
}

uint32_t Pixel32(TBitmap& b, int x, int y) { return static_cast<uint32_t*>(b.ScanLine(y))[x]; }

// A white 24-bit bitmap to draw on.
std::unique_ptr<TBitmap> WhiteBitmap(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

TEST(PNGGraphic, LoadsRgbaIntoA32BitBitmapAndLeavesTheStreamAfterIEND) {
  PngSpec spec;
  spec.Width = 3, spec.Height = 2, spec.ColorType = 6;
  const auto samples = RandomSamples(spec, 4);
  Bytes file = EncodePng(spec, samples);
  const size_t length = file.size();
  file.insert(file.end(), {1, 2, 3});
  auto s = StreamOf(file);
  TPNGGraphic png;
  png.LoadFromStream(s.get());
  EXPECT_EQ(s->Position(), int64_t(length));
  EXPECT_EQ(png.PixelFormat(), pf32bit);
  ASSERT_EQ(png.Width(), 3);
  ASSERT_EQ(png.Height(), 2);
  uint32_t w, h;
  const auto expected = LibpngDecode(file, w, h);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel32(png, x, y), expected[y * 3 + x]) << x << "," << y;
  EXPECT_EQ(png.ImageProperties().ColorScheme, schRGBA);
}

TEST(PNGGraphic, IndexedPictureKeepsItsPalette) {
  PngSpec spec;
  spec.Width = 5, spec.ColorType = 3, spec.BitDepth = 4;
  spec.Palette = {10, 20, 30, 40, 50, 60, 70, 80, 90};
  TPNGGraphic png;
  png.LoadFromStream(StreamOf(EncodePng(spec, {0, 1, 2, 1, 0})).get());
  EXPECT_EQ(png.PixelFormat(), pf4bit);
  PALETTEENTRY e[16];
  ASSERT_EQ(GetPaletteEntries(png.Palette(), 0, 16, e), 16u);
  EXPECT_EQ(e[1].peRed, 40);
  EXPECT_EQ(e[2].peBlue, 90);
  EXPECT_EQ(png.Canvas()->Pixels(2, 0), 70 | 80 << 8 | 90 << 16);
}

TEST(PNGGraphic, KeyedPictureIsTransparent) {
  PngSpec spec;
  spec.Width = 2, spec.ColorType = 2, spec.Transparency = {0, 1, 0, 2, 0, 3};
  TPNGGraphic png;
  png.LoadFromStream(StreamOf(EncodePng(spec, {1, 2, 3, 4, 5, 6})).get());
  EXPECT_TRUE(png.Transparent());
  EXPECT_EQ(png.TransparentKey(), 1 | 2 << 8 | 3 << 16);
  EXPECT_EQ(Pixel32(png, 0, 0) >> 24, 0u);
  EXPECT_EQ(Pixel32(png, 1, 0) >> 24, 255u);
}

TEST(PNGGraphic, DamagedFileRaisesInvalidGraphic) {
  TPNGGraphic png;
  EXPECT_THROW(png.LoadFromStream(StreamOf({0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5}).get()), EInvalidGraphic);
}

// Half-transparent red over white, and a fully transparent pixel that leaves the white.
TEST(PNGGraphic, DrawsWithAlpha) {
  PngSpec spec;
  spec.Width = 2, spec.ColorType = 6;
  TPNGGraphic png;
  png.LoadFromStream(StreamOf(EncodePng(spec, {255, 0, 0, 128, 0, 0, 255, 0})).get());
  auto target = WhiteBitmap(6, 4);
  target->Canvas()->Draw(1, 1, &png);
  EXPECT_EQ(target->Canvas()->Pixels(0, 1), clWhite);
  const TColor blended = target->Canvas()->Pixels(1, 1);
  EXPECT_EQ(blended & 0xFF, 255);
  EXPECT_NEAR((blended >> 8) & 0xFF, 127, 1);
  EXPECT_NEAR((blended >> 16) & 0xFF, 127, 1);
  EXPECT_EQ(target->Canvas()->Pixels(2, 1), clWhite);
  // Stretched to twice the size: the colour of the nearest pixel, the alpha smoothed (128, 96, 32, 0
  // along a row); the other channels over white give 255 - 255 * alpha / 256.
  auto big = WhiteBitmap(6, 4);
  big->Canvas()->StretchDraw(Rect(0, 0, 4, 2), &png);
  EXPECT_EQ(big->Canvas()->Pixels(0, 1), blended);
  EXPECT_EQ(big->Canvas()->Pixels(1, 1), 0x9F9FFF);
  EXPECT_EQ(big->Canvas()->Pixels(2, 0), 0xFFDFDF);  // the transparent blue pixel
  EXPECT_EQ(big->Canvas()->Pixels(3, 0), clWhite);
  EXPECT_EQ(big->Canvas()->Pixels(0, 2), clWhite);
}

TEST(PNGGraphic, ReflectionFadesBelowThePicture) {
  PngSpec spec;
  spec.Width = 1, spec.Height = 4, spec.ColorType = 6;
  TPNGGraphic png;
  png.LoadFromStream(StreamOf(EncodePng(spec, {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255})).get());
  png.Reflected = true;
  auto target = WhiteBitmap(1, 8);
  target->Canvas()->Draw(0, 0, &png);
  EXPECT_EQ(target->Canvas()->Pixels(0, 3), 0xFF0000);  // blue
  const TColor first = target->Canvas()->Pixels(0, 4), second = target->Canvas()->Pixels(0, 5);
  EXPECT_LT(first & 0xFF, 255);                         // tinted
  EXPECT_GT(second & 0xFF, first & 0xFF);               // fading
  EXPECT_EQ(target->Canvas()->Pixels(0, 6), clWhite);   // half the height only
}

TEST(PNGGraphic, PictureLoadsPngFilesAfterRegistration) {
  RegisterPNGGraphic();
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string name = std::string(dir) + "mz-png-test.png";
  PngSpec spec;
  spec.Width = 2, spec.Height = 2, spec.ColorType = 0;
  const Bytes file = EncodePng(spec, {0, 85, 170, 255});
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer(file.data(), int64_t(file.size()));
  }
  TPicture picture;
  picture.LoadFromFile(name);
  auto* png = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->PixelFormat(), pf8bit);
  EXPECT_EQ(png->Canvas()->Pixels(1, 0), 0x555555);
  auto copy = png->Clone();
  EXPECT_EQ(dynamic_cast<TPNGGraphic*>(copy.get())->ImageProperties().Width, 2u);
  DeleteFileA(name.c_str());
}

TEST(PNGGraphic, PixelRoutinesTouch32BitBitmapsOnly) {
  TBitmap b32, b24;
  b32.SetPixelFormat(pf32bit);
  b32.SetSize(2, 1);  // one row is enough
  static_cast<uint32_t*>(b32.ScanLine(0))[0] = 0x8000'80FF;
  static_cast<uint32_t*>(b32.ScanLine(0))[1] = 0x00FF'FFFF;
  PremultiplyAlpha(&b32);
  EXPECT_EQ(Pixel32(b32, 0, 0), 0x8000'4080u);
  ClearTransparentWhite(&b32);
  EXPECT_EQ(Pixel32(b32, 1, 0), 0u);
  b24.SetPixelFormat(pf24bit);
  b24.SetSize(1, 2);
  static_cast<uint8_t*>(b24.ScanLine(0))[0] = 200;
  PremultiplyAlpha(&b24);
  EXPECT_EQ(static_cast<uint8_t*>(b24.ScanLine(0))[0], 200);
}

}  // namespace
