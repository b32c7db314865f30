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
  // 16-bit 4-4-4-4 (alpha, red, green, blue): 0xF8C4 -> a 255, r 136, g 204, b 68.
  const auto f = File(1, 1, 16, 3, {0x0F00, 0x00F0, 0x000F}, {0xC4, 0xF8, 0, 0});
  DibImage img;
  ASSERT_TRUE(ReadBmp(f.data(), f.size(), true, img));
  EXPECT_EQ(img.BitCount, 32);
  EXPECT_EQ(img.Bits[0], 0x44);  // blue 4 of 15
  EXPECT_EQ(img.Bits[1], 0xCC);  // green 12 of 15
  EXPECT_EQ(img.Bits[2], 0x88);  // red 8 of 15
  // 32-bit with red and blue exchanged in the masks.
  const auto g = File(1, 1, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {1, 2, 3, 4});
  ASSERT_TRUE(ReadBmp(g.data(), g.size(), true, img));
  EXPECT_EQ(img.Bits[0], 3);
  EXPECT_EQ(img.Bits[1], 2);
  EXPECT_EQ(img.Bits[2], 1);
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
      File(1, 1, 8, 1, {}, {1, 1, 0, 1}),           // run-length
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
