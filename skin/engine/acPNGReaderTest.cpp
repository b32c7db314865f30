#include "skin/engine/acPNGReader.h"
#include "skin/engine/PngTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>

namespace {

std::vector<uint32_t> Decode(const Bytes& file, TPNGReader& reader) {
  reader.LoadFromBuffer(file.data(), file.size());
  return PixelsBGRA(reader.Image);
}

Bytes Palette(unsigned count) {
  Bytes p;
  for (unsigned i = 0; i < count; ++i) p.insert(p.end(), {uint8_t(i * 37), uint8_t(255 - i * 11), uint8_t(i * 5 + 3)});
  return p;
}

struct Case {
  uint8_t ColorType, BitDepth;
  bool Keyed;  // with a tRNS chunk
};

std::string Name(const Case& c, bool interlaced, uint32_t w, uint32_t h) {
  return "type " + std::to_string(c.ColorType) + " depth " + std::to_string(c.BitDepth) +
         (c.Keyed ? " tRNS" : "") + (interlaced ? " interlaced " : " ") + std::to_string(w) + "x" + std::to_string(h);
}

// Every colour type and depth, plain and interlaced, with and without tRNS, in sizes that leave
// Adam7 passes empty and rows ending inside a byte: the same pixels as libpng's decoding.
TEST(PNGReader, DecodesLikeLibpng) {
  const Case cases[] = {{0, 1, false}, {0, 2, false}, {0, 4, false}, {0, 8, false}, {0, 16, false},
                        {0, 1, true},  {0, 2, true},  {0, 4, true},  {0, 8, true},  {0, 16, true},
                        {2, 8, false}, {2, 16, false}, {2, 8, true}, {2, 16, true},
                        {3, 1, false}, {3, 2, false}, {3, 4, false}, {3, 8, false},
                        {3, 1, true},  {3, 2, true},  {3, 4, true},  {3, 8, true},
                        {4, 8, false}, {4, 16, false}, {6, 8, false}, {6, 16, false}};
  const uint32_t sizes[][2] = {{1, 1}, {3, 2}, {9, 7}, {33, 17}, {5, 40}};
  uint32_t seed = 1;
  for (const Case& c : cases)
    for (bool interlaced : {false, true})
      for (const auto& size : sizes) {
        PngSpec spec;
        spec.Width = size[0], spec.Height = size[1];
        spec.ColorType = c.ColorType, spec.BitDepth = c.BitDepth, spec.Interlaced = interlaced;
        spec.IdatPieces = 1 + seed % 4;
        if (c.ColorType == 3) spec.Palette = Palette(std::min(1u << c.BitDepth, 200u));
        std::vector<uint16_t> samples = RandomSamples(spec, seed++);
        if (c.Keyed) {
          if (c.ColorType == 3) {
            spec.Transparency = {0, 128, 7};
          } else {
            // Key on the first pixel's colour, so that some pixels match.
            for (unsigned i = 0; i < ChannelsOf(c.ColorType); ++i)
              spec.Transparency.insert(spec.Transparency.end(), {uint8_t(samples[i] >> 8), uint8_t(samples[i])});
          }
        }
        const Bytes file = EncodePng(spec, samples);
        uint32_t w, h;
        const std::vector<uint32_t> expected = LibpngDecode(file, w, h);
        TPNGReader reader;
        std::vector<uint32_t> actual;
        ASSERT_NO_THROW(actual = Decode(file, reader)) << Name(c, interlaced, w, h);
        ASSERT_EQ(reader.Image.Width, w);
        ASSERT_EQ(reader.Image.Height, h);
        for (size_t i = 0; i < expected.size(); ++i)
          ASSERT_EQ(actual[i], expected[i]) << Name(c, interlaced, w, h) << " pixel " << i;
      }
}

TEST(PNGReader, InterlacedGivesTheSamePixelsAsPlain) {
  PngSpec spec;
  spec.Width = 13, spec.Height = 11, spec.ColorType = 2;
  const auto samples = RandomSamples(spec, 7);
  TPNGReader a, b;
  const auto plain = Decode(EncodePng(spec, samples), a);
  spec.Interlaced = true;
  EXPECT_EQ(Decode(EncodePng(spec, samples), b), plain);
  EXPECT_TRUE(b.ImageProperties.Interlaced);
}

struct FormatCase {
  uint8_t ColorType, BitDepth;
  bool Keyed;
  TPixelFormat Format;
  size_t PaletteSize;
};

// The bitmap layout of each kind of file; every picture with transparency comes out 32-bit.
TEST(PNGReader, PixelFormatOfEachKind) {
  const FormatCase cases[] = {
      {2, 8, false, pf24bit, 0},  {2, 16, false, pf24bit, 0}, {6, 8, false, pf32bit, 0},
      {0, 1, false, pf1bit, 2},   {0, 2, false, pf4bit, 16},  {0, 4, false, pf4bit, 16},
      {0, 8, false, pf8bit, 256}, {0, 16, false, pf8bit, 256}, {3, 1, false, pf1bit, 2},
      {3, 2, false, pf4bit, 16},  {3, 8, false, pf8bit, 256}, {4, 8, false, pf32bit, 0},
      {3, 4, true, pf32bit, 0},   {0, 8, true, pf32bit, 0},   {2, 8, true, pf32bit, 0}};
  for (const FormatCase& c : cases) {
    PngSpec spec;
    spec.Width = 4, spec.Height = 3, spec.ColorType = c.ColorType, spec.BitDepth = c.BitDepth;
    if (c.ColorType == 3) spec.Palette = Palette(2);
    if (c.Keyed) spec.Transparency = c.ColorType == 3 ? Bytes{0} : c.ColorType == 0 ? Bytes{0, 1} : Bytes(6, 0);
    TPNGReader reader;
    Decode(EncodePng(spec, RandomSamples(spec, 3)), reader);
    EXPECT_EQ(reader.Image.PixelFormat, c.Format) << int(c.ColorType) << "/" << int(c.BitDepth);
    EXPECT_EQ(reader.Image.Palette.size(), c.PaletteSize) << int(c.ColorType) << "/" << int(c.BitDepth);
  }
}

TEST(PNGReader, TwoBitGreyHasSixteenLevelRamp) {
  PngSpec spec;
  spec.Width = 4, spec.ColorType = 0, spec.BitDepth = 2;
  TPNGReader reader;
  Decode(EncodePng(spec, {0, 1, 2, 3}), reader);
  ASSERT_EQ(reader.Image.Palette.size(), 16u);
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(reader.Image.Palette[i].peRed, i * 17);
  EXPECT_EQ(reader.Image.ScanLine(0)[0], 0x05);  // levels 0, 5 (1 widened to 4 bits)
  EXPECT_EQ(reader.Image.ScanLine(0)[1], 0xAF);  // levels 10, 15
}

TEST(PNGReader, ShortIndexedTransparencyFillsTheRestOpaque) {
  PngSpec spec;
  spec.Width = 2, spec.ColorType = 3, spec.Palette = Palette(4), spec.Transparency = {10, 20, 30};
  TPNGReader reader;
  Decode(EncodePng(spec, {0, 3}), reader);
  ASSERT_EQ(reader.PaletteAlpha.size(), 256u);
  EXPECT_EQ(reader.PaletteAlpha[2], 30);
  for (size_t i = 3; i < 256; ++i) ASSERT_EQ(reader.PaletteAlpha[i], 255);
  EXPECT_EQ(PixelsBGRA(reader.Image)[0] >> 24, 10u);
  EXPECT_EQ(PixelsBGRA(reader.Image)[1] >> 24, 255u);
}

// A palette longer than the depth reaches: tRNS may not cover entries past the reach.
TEST(PNGReader, TransparencyBeyondTheReachablePaletteIsIgnored) {
  PngSpec spec;
  spec.Width = 2, spec.ColorType = 3, spec.BitDepth = 1, spec.Palette = Palette(4), spec.Transparency = {0, 0, 0};
  TPNGReader reader;
  const Bytes file = EncodePng(spec, {0, 1});
  const auto px = Decode(file, reader);
  EXPECT_EQ(reader.Image.PixelFormat, pf1bit);
  uint32_t w, h;
  EXPECT_EQ(px, LibpngDecode(file, w, h));
}

TEST(PNGReader, KeyAndBackgroundValues) {
  PngSpec spec;
  spec.ColorType = 2, spec.BitDepth = 16, spec.Transparency = {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x10};
  Bytes file = EncodePng(spec, {1, 2, 3});
  TPNGReader reader;
  Decode(file, reader);
  EXPECT_EQ(reader.TransparentKey, 0x7F << 8 | 0xFF);
  EXPECT_EQ(reader.BackgroundColor, 0xFFFFFF);
}

TEST(PNGReader, ReturnsTheLengthUpToIEND) {
  PngSpec spec;
  Bytes file = EncodePng(spec, {1, 2, 3, 4});
  const size_t length = file.size();
  file.insert(file.end(), {'r', 'e', 's', 't'});
  TPNGReader reader;
  EXPECT_EQ(reader.LoadFromBuffer(file.data(), file.size()), length);
}

TEST(PNGReader, GammaCorrectsColoursAndPalettes) {
  PngSpec spec;
  spec.Width = 2, spec.ColorType = 2, spec.Gamma = 100000;  // file gamma 1: exponent 1 / 2.2
  TPNGReader reader;
  const auto px = Decode(EncodePng(spec, {0, 64, 255, 128, 128, 128}), reader);
  EXPECT_TRUE(reader.ImageProperties.Options & ioUseGamma);
  EXPECT_FLOAT_EQ(reader.ImageProperties.FileGamma, 1.0f);
  EXPECT_EQ(px[0], 0xFF0088FFu);  // 64 -> round(255 * (64/255)^(1/2.2)) = 136
  EXPECT_EQ(px[1], 0xFFBABABAu);  // 128 -> 186
  // 1 / 2.2 is the identity.
  spec.Gamma = 45455;
  spec.ColorType = 3, spec.Palette = {10, 20, 30, 200, 100, 50};
  const auto ip = Decode(EncodePng(spec, {0, 1}), reader);
  EXPECT_EQ(ip[0], 0xFF0A141Eu);
  EXPECT_EQ(ip[1], 0xFFC86432u);
}

// Gamma is taken on the full 16-bit sample, so levels below one 8-bit step stay apart from black;
// alpha is never gamma-corrected.
TEST(PNGReader, SixteenBitGammaKeepsDarkTones) {
  const uint16_t levels[] = {0, 1, 255, 256, 1000, 64 * 257, 40000, 65535};
  auto corrected = [](uint16_t v) { return uint32_t(std::nearbyint(std::pow(v / 65535.0, 1 / 2.2) * 255)); };
  for (const uint8_t colorType : {0, 2, 4, 6}) {
    PngSpec spec;
    spec.Width = std::size(levels), spec.ColorType = colorType, spec.BitDepth = 16, spec.Gamma = 100000;
    const unsigned channels = ChannelsOf(colorType);
    const bool alpha = colorType == 4 || colorType == 6;
    std::vector<uint16_t> samples;
    for (const uint16_t v : levels)
      for (unsigned c = 0; c < channels; ++c) samples.push_back(alpha && c == channels - 1 ? uint16_t(65535 - v) : v);
    TPNGReader reader;
    const auto px = Decode(EncodePng(spec, samples), reader);
    for (size_t i = 0; i < std::size(levels); ++i) {
      const uint32_t g = corrected(levels[i]), a = alpha ? (65535u - levels[i]) * 255u / 65535u : 255u;
      EXPECT_EQ(px[i], a << 24 | g << 16 | g << 8 | g) << "type " << int(colorType) << " level " << levels[i];
    }
  }
  EXPECT_EQ(uint32_t(std::nearbyint(std::pow(255 / 65535.0, 1 / 2.2) * 255)), 20u);
}

// Gamma tables are kept between pictures: pictures of many gammas in turn, more gammas than are kept
// and then the first ones again, each come out as their own gamma makes them, in 16-bit rows, 8-bit
// rows and palettes.
TEST(PNGReader, PicturesOfDifferentGammasInTurn) {
  const uint16_t levels[] = {0, 1, 255, 1000, 20000, 40000, 65535};
  std::vector<uint32_t> gammas;
  for (uint32_t g = 20000; g <= 250000; g += 10000) gammas.push_back(g);
  for (const uint32_t first : {20000u, 100000u, 45455u}) gammas.push_back(first);
  for (const uint32_t fileGamma : gammas) {
    const double exponent = 1 / (double(float(fileGamma) / 100000.0f) * double(2.2f));
    auto corrected = [&](double v, double range) { return uint32_t(std::nearbyint(std::pow(v / range, exponent) * 255)); };
    PngSpec wide;
    wide.Width = std::size(levels), wide.ColorType = 0, wide.BitDepth = 16, wide.Gamma = fileGamma;
    TPNGReader reader;
    const auto grey = Decode(EncodePng(wide, {std::begin(levels), std::end(levels)}), reader);
    PngSpec colour;
    colour.Width = 2, colour.ColorType = 2, colour.Gamma = fileGamma;
    const auto rgb = Decode(EncodePng(colour, {0, 64, 255, 128, 17, 200}), reader);
    colour.ColorType = 3, colour.Palette = {10, 20, 30, 200, 100, 50};
    const auto indexed = Decode(EncodePng(colour, {1, 0}), reader);
    for (size_t i = 0; i < std::size(levels); ++i) {
      const uint32_t g = corrected(levels[i], 65535);
      EXPECT_EQ(grey[i], 0xFF000000u | g << 16 | g << 8 | g) << "gamma " << fileGamma << " level " << levels[i];
    }
    auto pixel = [&](double r, double g, double b) {
      return 0xFF000000u | corrected(r, 255) << 16 | corrected(g, 255) << 8 | corrected(b, 255);
    };
    EXPECT_EQ(rgb[0], pixel(0, 64, 255)) << "gamma " << fileGamma;
    EXPECT_EQ(rgb[1], pixel(128, 17, 200)) << "gamma " << fileGamma;
    EXPECT_EQ(indexed[0], pixel(200, 100, 50)) << "gamma " << fileGamma;
    EXPECT_EQ(indexed[1], pixel(10, 20, 30)) << "gamma " << fileGamma;
  }
}

Bytes Minimal(const Bytes& extraBeforeIdat = {}, const Bytes& extraAfterIdat = {}) {
  return Concat({PngSignature(), Ihdr(1, 1, 8, 0), extraBeforeIdat, Chunk("IDAT", Deflate({0, 42})),
                 extraAfterIdat, Chunk("IEND", {})});
}

template <class E>
void ExpectError(const Bytes& file, const std::string& message, const char* what) {
  TPNGReader reader;
  try {
    reader.LoadFromBuffer(file.data(), file.size());
    ADD_FAILURE() << what << ": no error";
  } catch (const E& e) {
    EXPECT_EQ(std::string(e.what()), message) << what;
  } catch (const std::exception& e) {
    ADD_FAILURE() << what << ": other error " << e.what();
  }
}

TEST(PNGReader, BrokenFilesRaiseCleanErrors) {
  const std::string invalid = "Cannot load image. Invalid or unexpected PNG image format.";
  const std::string crc = "Cannot load image. CRC error found in PNG file.";
  const std::string critical = "Cannot load PNG image. Unexpected but critical chunk detected.";
  const std::string missing = "Cannot load image. Image data missing in PNG file.";
  const std::string extra = "Cannot load image. Extra compressed data found in PNG file.";
  const std::string compression = "Cannot load image. Compression error found in PNG file.";
  const std::string palette = "Cannot load image. Palette in PNG file is invalid.";
  const std::string colour = "Invalid color format in PNG file.";
  const std::string large = "Cannot load image. The PNG image is too large.";

  Bytes badCrc = Minimal();
  badCrc[8 + 25 + 12] ^= 1;  // a byte of the IDAT data
  ExpectError<EInvalidGraphic>(badCrc, crc, "bad CRC");
  ExpectError<EInvalidGraphic>(Bytes{1, 2, 3}, invalid, "no signature");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Chunk("IDAT", {}), Chunk("IEND", {})}), invalid, "no IHDR");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(0, 5, 8, 0), Chunk("IEND", {})}), invalid, "zero width");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Chunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1}), Chunk("IEND", {})}),
                               invalid, "short IHDR");
  ExpectError<EInvalidGraphic>(
      Concat({PngSignature(), Ihdr(0x80000000u, 1, 8, 0), Chunk("IEND", {})}), invalid, "width past 2^31");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(100000, 100000, 8, 6), Chunk("IDAT", Deflate({0})),
                                       Chunk("IEND", {})}),
                               large, "huge dimensions");
  Bytes hugeChunk = Concat({PngSignature(), Ihdr(1, 1, 8, 0), {0xFF, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't'}});
  ExpectError<EInvalidGraphic>(hugeChunk, invalid, "chunk length near 4 GiB");
  Bytes longChunk = Concat({PngSignature(), Ihdr(1, 1, 8, 0), {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 1}});
  ExpectError<EReadError>(longChunk, "Erro de leitura do fluxo", "chunk longer than the file");
  ExpectError<EInvalidGraphic>(Minimal({}, Chunk("PLTE", {1, 2, 3})), critical, "PLTE after the image data");
  ExpectError<EInvalidGraphic>(Minimal({}, Concat({Chunk("tEXt", {'a'}), Chunk("IDAT", Deflate({0, 1}))})), critical,
                               "second run of image data");
  ExpectError<EInvalidGraphic>(Minimal(Ihdr(1, 1, 8, 0)), critical, "second IHDR");
  ExpectError<EInvalidGraphic>(Minimal(Chunk("XYZW", {})), critical, "unknown critical chunk");
  ExpectError<EInvalidGraphic>(
      Concat({PngSignature(), Ihdr(2, 2, 8, 0), Chunk("IDAT", Deflate({0, 1, 2})), Chunk("IEND", {})}), extra,
      "zlib stream ends before the image");
  const Bytes deflated = Deflate({0, 1, 0, 2});
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 2, 8, 0),
                                       Chunk("IDAT", Bytes(deflated.begin(), deflated.begin() + 5)),
                                       Chunk("IEND", {})}),
                               missing, "image data cut short");
  // A zlib header asking for a preset dictionary (FDICT set).
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 8, 0),
                                       Chunk("IDAT", {0x78, 0xBB, 0, 0, 0, 1, 0x63, 0, 0}), Chunk("IEND", {})}),
                               compression, "preset dictionary");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 8, 0), Chunk("IDAT", {1, 2, 3, 4}),
                                       Chunk("IEND", {})}),
                               compression, "not zlib data");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 3, 0), Chunk("IDAT", Deflate({0, 0})),
                                       Chunk("IEND", {})}),
                               colour, "bit depth 3");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 67, 0), Chunk("tRNS", {0, 1}),
                                       Chunk("IDAT", Deflate({0, 0})), Chunk("IEND", {})}),
                               colour, "bit depth 67 with tRNS");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 8, 5), Chunk("IDAT", Deflate({0, 0})),
                                       Chunk("IEND", {})}),
                               colour, "colour type 5");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 8, 3), Chunk("PLTE", {1, 2}),
                                       Chunk("IDAT", Deflate({0, 0})), Chunk("IEND", {})}),
                               palette, "palette length not a multiple of 3");
  ExpectError<EInvalidGraphic>(Concat({PngSignature(), Ihdr(1, 1, 8, 3), Chunk("IDAT", Deflate({0, 0})),
                                       Chunk("IEND", {})}),
                               palette, "indexed image without palette");
  Bytes compressionMethod = Concat({PngSignature(), Chunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 0, 1, 0, 0}),
                                    Chunk("IEND", {})});
  ExpectError<EInvalidGraphic>(compressionMethod,
                               "Cannot load image. The compression scheme is not supported for PNG files.",
                               "compression method 1");
}

// Every prefix of a good file fails cleanly: read error or a format error, never a crash.
TEST(PNGReader, TruncatedFilesFailCleanly) {
  PngSpec spec;
  spec.Width = 9, spec.Height = 9, spec.ColorType = 3, spec.BitDepth = 4, spec.Palette = Palette(16);
  spec.Transparency = {1, 2}, spec.IdatPieces = 3;
  const Bytes file = EncodePng(spec, RandomSamples(spec, 5));
  for (size_t n = 0; n + 1 < file.size(); ++n) {
    TPNGReader reader;
    EXPECT_ANY_THROW(reader.LoadFromBuffer(file.data(), n)) << n;
  }
}

// Short or misplaced ancillary chunks are left out; the picture still decodes.
TEST(PNGReader, MalformedAncillaryChunksAreIgnored) {
  const Bytes cases[] = {Chunk("gAMA", {0, 1}), Chunk("gAMA", {0, 0, 0, 0}), Chunk("bKGD", {7}),
                         Chunk("tRNS", {0, 1, 2, 3}), Chunk("tRNS", {}), Chunk("sRGB", {0}),
                         Chunk("tEXt", {'T', 0, 'x'})};
  for (const Bytes& extra : cases) {
    TPNGReader reader;
    const Bytes file = Minimal(extra);
    ASSERT_NO_THROW(reader.LoadFromBuffer(file.data(), file.size()));
    EXPECT_EQ(PixelsBGRA(reader.Image)[0], 0xFF2A2A2Au);
    EXPECT_EQ(reader.TransparentKey, clNone);
    EXPECT_FALSE(reader.ImageProperties.Options & ioUseGamma);
  }
}

TEST(PNGReader, ChunkNamesCompareWithoutCase) {
  const Bytes file = Concat({PngSignature(), Ihdr(1, 1, 8, 0), Chunk("IdAt", Deflate({0, 9})), Chunk("iEnD", {})});
  TPNGReader reader;
  reader.LoadFromBuffer(file.data(), file.size());
  EXPECT_EQ(PixelsBGRA(reader.Image)[0], 0xFF090909u);
}

TEST(PNGReader, FileWithoutImageDataLeavesTheBitmapEmpty) {
  const Bytes file = Concat({PngSignature(), Ihdr(3, 3, 8, 2), Chunk("IEND", {})});
  TPNGReader reader;
  reader.LoadFromBuffer(file.data(), file.size());
  EXPECT_EQ(reader.Image.Width, 0u);
  EXPECT_EQ(reader.ImageProperties.Width, 3u);
}

TEST(PNGReader, ImagePropertiesFromTheHeader) {
  PngSpec spec;
  spec.Width = 5, spec.Height = 6, spec.ColorType = 4, spec.BitDepth = 16, spec.Gamma = 50000, spec.Interlaced = true;
  const Bytes file = EncodePng(spec, RandomSamples(spec, 2));
  TPNGReader reader;
  ASSERT_TRUE(reader.ReadImageProperties(file.data(), file.size()));
  const TPNGImageProperties& p = reader.ImageProperties;
  EXPECT_EQ(p.Width, 5u);
  EXPECT_EQ(p.Height, 6u);
  EXPECT_EQ(p.ColorScheme, schGrayAlpha);
  EXPECT_EQ(p.SamplesPerPixel, 1);
  EXPECT_EQ(p.BitsPerPixel, 16);
  EXPECT_EQ(p.Compression, ctLZ77);
  EXPECT_FLOAT_EQ(p.FileGamma, 0.5f);
  EXPECT_TRUE(p.Interlaced);
  EXPECT_TRUE(p.HasAlpha);
  EXPECT_EQ(p.Options, ioHeaderRead);
}

TEST(PNGReader, PaethPredictorAndFilters) {
  EXPECT_EQ(PaethPredictor(10, 20, 15), 15);
  EXPECT_EQ(PaethPredictor(10, 20, 10), 20);
  EXPECT_EQ(PaethPredictor(10, 20, 20), 10);
  uint8_t line[4] = {1, 2, 3, 4};
  const uint8_t prev[4] = {250, 10, 10, 10};
  ApplyFilter(7, line, prev, 1, 4);  // unknown type: left as decoded
  EXPECT_EQ(line[0], 1);
  ApplyFilter(3, line, prev, 1, 4);
  EXPECT_EQ(line[0], 1 + 125);
  EXPECT_EQ(line[1], uint8_t(2 + (126 + 10) / 2));
}

// The filters against a plain transcription of the format's definition, for every pixel size
// (the 3- and 4-byte ones run through the vector code).
TEST(PNGReader, FiltersMatchTheDefinition) {
  uint32_t seed = 9;
  auto next = [&seed] { return uint8_t((seed = seed * 1103515245u + 12345u) >> 16); };
  for (unsigned bpp = 1; bpp <= 8; ++bpp)
    for (uint8_t type = 0; type <= 5; ++type)
      for (size_t count : {size_t(bpp), size_t(bpp) * 7, size_t(bpp) * 64}) {
        std::vector<uint8_t> line(count), prev(count);
        for (auto& v : line) v = next();
        for (auto& v : prev) v = next();
        std::vector<uint8_t> expected = line;
        for (size_t i = 0; i < count; ++i) {
          const int a = i >= bpp ? expected[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
          const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          const int predictor = type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? paeth : 0;
          expected[i] = uint8_t(expected[i] + predictor);
        }
        ApplyFilter(type, line.data(), prev.data(), bpp, count);
        ASSERT_EQ(line, expected) << "bpp " << bpp << " type " << int(type) << " count " << count;
      }
}

TEST(PNGReader, PremultiplyAndClearTransparentWhite) {
  uint32_t px[3] = {0x8000'80FFu, 0x00FF'FFFFu, 0x01FF'FFFFu};  // (B 255, G 128, R 0, A 128)
  PremultiplyAlpha(px, 1);
  EXPECT_EQ(px[0], 0x8000'4080u);
  ClearTransparentWhite(px + 1, 2);
  EXPECT_EQ(px[1], 0u);
  EXPECT_EQ(px[2], 0x01FF'FFFFu);
}

TEST(PNGReader, OpaquePicturesComeOutWithFullAlpha) {
  PngSpec spec;
  spec.ColorType = 2;
  TPNGReader reader;
  auto px = Decode(EncodePng(spec, {10, 20, 30}), reader);
  PremultiplyAlpha(px.data(), px.size());
  EXPECT_EQ(px[0], 0xFF0A141Eu);
}

}  // namespace
