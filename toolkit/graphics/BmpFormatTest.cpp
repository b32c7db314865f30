#include "toolkit/graphics/BmpFormat.h"

#include <gtest/gtest.h>

namespace {

using detail::DibImage;
using detail::ReadBmp;
using detail::WriteBmp;

DibImage Sample(int w, int h, int bitCount, bool rgb565 = false) {
  DibImage img;
  img.Width = w;
  img.Height = h;
  img.BitCount = bitCount;
  img.Rgb565 = rgb565;
  if (bitCount <= 8)
    for (int i = 0; i < (1 << bitCount); ++i) img.Palette.push_back(static_cast<std::uint32_t>(i * 0x010203) & 0xFFFFFF);
  img.Bits.resize(detail::DibStride(w, bitCount) * h);
  for (std::size_t i = 0; i < img.Bits.size(); ++i) img.Bits[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return img;
}

TEST(BmpFormat, RoundTripsEveryBitCount) {
  const struct {
    int w, h, bits;
    bool rgb565;
  } cases[] = {{5, 3, 1, false}, {7, 2, 4, false}, {3, 3, 8, false}, {3, 2, 16, false},
               {3, 2, 16, true}, {5, 4, 24, false}, {2, 2, 32, false}, {1, 1, 32, false}};
  for (const auto& c : cases) {
    const DibImage img = Sample(c.w, c.h, c.bits, c.rgb565);
    const std::vector<std::uint8_t> file = WriteBmp(img);
    DibImage back;
    ASSERT_TRUE(ReadBmp(file.data(), file.size(), true, back)) << c.bits;
    EXPECT_EQ(back.Width, c.w);
    EXPECT_EQ(back.Height, c.h);
    EXPECT_EQ(back.BitCount, c.bits);
    EXPECT_EQ(back.Rgb565, c.rgb565);
    EXPECT_EQ(back.Palette, img.Palette);
    EXPECT_EQ(back.Bits, img.Bits);
    // A packed DIB is the file without its 14-byte file header.
    DibImage packed;
    ASSERT_TRUE(ReadBmp(file.data() + 14, file.size() - 14, false, packed));
    EXPECT_EQ(packed.Bits, img.Bits);
  }
}

// Builds a file of a 40-byte info header, optional masks and the given rows.
std::vector<std::uint8_t> File(int w, int h, int bits, std::uint32_t compression, std::vector<std::uint32_t> extra,
                               std::vector<std::uint8_t> pixels) {
  std::vector<std::uint8_t> f;
  auto put = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f.push_back((v >> (8 * i)) & 0xFF);
  };
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(extra.size());
  f.push_back('B');
  f.push_back('M');
  put(offset + static_cast<std::uint32_t>(pixels.size()), 4);
  put(0, 4);
  put(offset, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(w), 4);
  put(static_cast<std::uint32_t>(h), 4);
  put(1, 2);
  put(bits, 2);
  put(compression, 4);
  put(0, 4);
  put(0, 4);
  put(0, 4);
  put(bits <= 8 ? static_cast<std::uint32_t>(extra.size()) : 0, 4);
  put(0, 4);
  for (std::uint32_t e : extra) put(e, 4);
  f.insert(f.end(), pixels.begin(), pixels.end());
  return f;
}

TEST(BmpFormat, TopDownRowsAreStoredBottomUp) {
  // 1 x 2, 24-bit: top row red, bottom row blue (rows padded to 4 bytes).
  const auto f = File(1, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0});
  DibImage img;
  ASSERT_TRUE(ReadBmp(f.data(), f.size(), true, img));
  EXPECT_EQ(img.Height, 2);
  const std::vector<std::uint8_t> bottomUp{255, 0, 0, 0, 0, 0, 255, 0};
  EXPECT_EQ(img.Bits, bottomUp);
}

TEST(BmpFormat, UnusualMasksBecome32Bit) {
  // 16-bit 4-4-4 with the top four bits unnamed: 0xF8C4 -> r 136, g 204, b 68, opaque.
  const auto f = File(1, 1, 16, 3, {0x0F00, 0x00F0, 0x000F}, {0xC4, 0xF8, 0, 0});
  DibImage img;
  ASSERT_TRUE(ReadBmp(f.data(), f.size(), true, img));
  EXPECT_EQ(img.BitCount, 32);
  EXPECT_EQ(img.Bits[0], 0x44);  // blue 4 of 15
  EXPECT_EQ(img.Bits[1], 0xCC);  // green 12 of 15
  EXPECT_EQ(img.Bits[2], 0x88);  // red 8 of 15
  EXPECT_EQ(img.Bits[3], 0xFF);
}

// The first pixel of a 1 x 1 bit-field image as B, G, R, A.
struct AlphaCase {
  const char* what;
  int bits;
  std::uint32_t compression;
  std::vector<std::uint32_t> masks;
  std::vector<std::uint8_t> pixel;
  int bitCount;
  std::uint8_t b, g, r, a;
};

TEST(BmpFormat, AlphaComesFromItsMaskOrIsOpaque) {
  const AlphaCase cases[] = {
      {"32 bits, no alpha mask", 32, 3, {0xFF0000, 0xFF00, 0xFF}, {1, 2, 3, 0}, 32, 1, 2, 3, 255},
      {"32 bits, red and blue exchanged", 32, 3, {0xFF, 0xFF00, 0xFF0000}, {1, 2, 3, 0}, 32, 3, 2, 1, 255},
      {"32 bits, alpha mask", 32, 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {1, 2, 3, 0x40}, 32, 1, 2, 3, 0x40},
      {"32 bits, alpha in the low byte", 32, 6, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, {0x40, 3, 2, 1}, 32, 3, 2, 1,
       0x40},
      {"5-5-5-1, alpha set", 16, 6, {0x7C00, 0x03E0, 0x001F, 0x8000}, {0x1F, 0x80}, 32, 255, 0, 0, 255},
      {"5-5-5-1, alpha clear", 16, 6, {0x7C00, 0x03E0, 0x001F, 0x8000}, {0x00, 0x7C}, 32, 0, 0, 255, 0},
      {"5-6-5 stays 16-bit", 16, 3, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00}, 16, 0x1F, 0, 0, 0},
  };
  for (const AlphaCase& c : cases) {
    std::vector<std::uint8_t> pixels = c.pixel;
    pixels.resize(4, 0);
    const auto f = File(1, 1, c.bits, c.compression, c.masks, pixels);
    DibImage img;
    ASSERT_TRUE(ReadBmp(f.data(), f.size(), true, img)) << c.what;
    EXPECT_EQ(img.BitCount, c.bitCount) << c.what;
    if (c.bitCount == 16) {
      EXPECT_TRUE(img.Rgb565) << c.what;
      EXPECT_EQ(img.Bits[0], c.b) << c.what;
      continue;
    }
    EXPECT_EQ(img.Bits[0], c.b) << c.what;
    EXPECT_EQ(img.Bits[1], c.g) << c.what;
    EXPECT_EQ(img.Bits[2], c.r) << c.what;
    EXPECT_EQ(img.Bits[3], c.a) << c.what;
  }
}

// Packed rows (bottom-up) of 4- or 8-bit indexes.
std::vector<std::uint8_t> Indexes(int w, int bits, const std::vector<std::vector<int>>& rows) {
  const std::size_t stride = detail::DibStride(w, bits);
  std::vector<std::uint8_t> out(stride * rows.size(), 0);
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      std::uint8_t& b = out[y * stride + (bits == 8 ? x : x / 2)];
      b = static_cast<std::uint8_t>(bits == 8 ? rows[y][x] : b | rows[y][x] << (x % 2 ? 0 : 4));
    }
  return out;
}

std::vector<std::uint32_t> Grey(int count) {
  std::vector<std::uint32_t> p;
  for (int i = 0; i < count; ++i) p.push_back(static_cast<std::uint32_t>(i) * 0x111111u);
  return p;
}

struct RleCase {
  const char* what;
  int w, h, bits;
  std::vector<std::uint8_t> stream;
  std::vector<std::vector<int>> rows;  // bottom-up; empty: refused
};

TEST(BmpFormat, RunLengthImages) {
  const RleCase cases[] = {
      {"runs and line ends", 4, 2, 8, {3, 5, 1, 7, 0, 0, 4, 2, 0, 1}, {{5, 5, 5, 7}, {2, 2, 2, 2}}},
      {"odd absolute run and its pad", 5, 1, 8, {0, 3, 1, 2, 3, 0, 2, 9, 0, 1}, {{1, 2, 3, 9, 9}}},
      {"even absolute run", 4, 1, 8, {0, 4, 1, 2, 3, 4, 0, 1}, {{1, 2, 3, 4}}},
      {"delta leaves index 0", 4, 3, 8, {1, 5, 0, 2, 2, 1, 1, 6, 0, 1}, {{5, 0, 0, 0}, {0, 0, 0, 6}, {0, 0, 0, 0}}},
      {"short line and early end", 3, 2, 8, {1, 4, 0, 0, 2, 8, 0, 1}, {{4, 0, 0}, {8, 8, 0}}},
      {"no end mark after the last line", 2, 1, 8, {2, 3, 0, 0}, {{3, 3}}},
      {"4-bit run alternates", 5, 1, 4, {5, 0x12, 0, 1}, {{1, 2, 1, 2, 1}}},
      {"4-bit absolute runs", 8, 1, 4, {0, 3, 0x34, 0x50, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, {{3, 4, 5, 1, 2, 3, 4, 5}}},
      {"4-bit delta", 3, 2, 4, {0, 2, 1, 1, 2, 0xAB, 0, 1}, {{0, 0, 0}, {0, 10, 11}}},
      {"run passes the row", 4, 1, 8, {5, 1, 0, 1}, {}},
      {"absolute run passes the row", 4, 1, 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, {}},
      {"delta passes the row", 4, 1, 8, {0, 2, 5, 0, 0, 1}, {}},
      {"delta passes the image", 4, 2, 8, {0, 2, 0, 2, 0, 1}, {}},
      {"pixels above the image", 1, 1, 8, {1, 1, 0, 0, 1, 1, 0, 1}, {}},
      {"ends inside the image", 4, 2, 8, {2, 1}, {}},
      {"ends inside an absolute run", 5, 1, 8, {0, 5, 1, 2}, {}},
      {"ends inside a delta", 4, 2, 8, {0, 2, 1}, {}},
      {"ends after an escape", 4, 1, 8, {1, 1, 0}, {}},
      {"empty stream", 4, 1, 8, {}, {}},
  };
  for (const RleCase& c : cases) {
    const auto f = File(c.w, c.h, c.bits, c.bits == 8 ? 1 : 2, Grey(16), c.stream);
    DibImage img;
    if (c.rows.empty()) {
      EXPECT_FALSE(ReadBmp(f.data(), f.size(), true, img)) << c.what;
      continue;
    }
    ASSERT_TRUE(ReadBmp(f.data(), f.size(), true, img)) << c.what;
    EXPECT_EQ(img.BitCount, c.bits) << c.what;
    EXPECT_EQ(img.Height, c.h) << c.what;
    EXPECT_EQ(img.Palette, Grey(16)) << c.what;
    EXPECT_EQ(img.Bits, Indexes(c.w, c.bits, c.rows)) << c.what;
  }
  // Top-down run-length images and run-length on other bit counts are not BMP images; a few bytes
  // naming a huge picture are refused before it is made.
  const auto topDown = File(2, -1, 8, 1, Grey(16), {2, 3, 0, 1});
  const auto wrongBits = File(2, 1, 4, 1, Grey(16), {2, 3, 0, 1});
  const auto rle24 = File(2, 1, 24, 2, {}, {2, 3, 0, 1});
  const auto huge = File(0x8000, 0x8000, 8, 1, Grey(16), {0, 1});
  DibImage img;
  for (const auto& f : {topDown, wrongBits, rle24, huge}) EXPECT_FALSE(ReadBmp(f.data(), f.size(), true, img));
}

TEST(BmpFormat, PaletteOfFewerColoursIsRead) {
  const auto f = File(2, 1, 8, 0, {0x112233, 0x445566}, {1, 0, 0, 0});
  DibImage img;
  ASSERT_TRUE(ReadBmp(f.data(), f.size(), true, img));
  ASSERT_EQ(img.Palette.size(), 2u);
  EXPECT_EQ(img.Palette[1], 0x445566u);
  EXPECT_EQ(img.Bits[0], 1);
}

TEST(BmpFormat, RefusesDamagedImages) {
  const std::vector<std::uint8_t> good = WriteBmp(Sample(4, 4, 24));
  DibImage img;
  for (std::size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(ReadBmp(good.data(), n, true, img)) << n;
  const std::vector<std::vector<std::uint8_t>> bad{
      File(0, 1, 24, 0, {}, {0, 0, 0, 0}),          // no width
      File(1, 0, 24, 0, {}, {}),                    // no height
      File(1, 1, 24, 3, {1, 2, 3}, {0, 0, 0, 0}),   // masks on 24 bits
      File(1, 1, 7, 0, {}, {0, 0, 0, 0}),           // no such bit count
      File(100000, 1, 1, 0, {}, {}),                // too wide
  };
  for (const auto& f : bad) EXPECT_FALSE(ReadBmp(f.data(), f.size(), true, img));
  std::vector<std::uint8_t> notBmp = good;
  notBmp[0] = 'X';
  EXPECT_FALSE(ReadBmp(notBmp.data(), notBmp.size(), true, img));
}

}  // namespace
