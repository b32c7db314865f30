#include "toolkit/graphics/IcoFormat.h"

#include <gtest/gtest.h>

namespace {

using detail::IconEntry;

TEST(IcoFormat, WrittenIconReadsBack) {
  detail::DibImage color, mask;
  color.Width = mask.Width = 3;
  color.Height = mask.Height = 2;
  color.BitCount = 32;
  mask.BitCount = 1;
  color.Bits.assign(detail::DibStride(3, 32) * 2, 0x7F);
  mask.Bits.assign(detail::DibStride(3, 1) * 2, 0xA0);
  const std::vector<std::uint8_t> file = detail::WriteIcon(color, mask);
  std::vector<IconEntry> entries;
  ASSERT_TRUE(detail::ReadIconDirectory(file.data(), file.size(), entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Width, 3);
  EXPECT_EQ(entries[0].Height, 2);
  EXPECT_EQ(entries[0].BitCount, 32);
  EXPECT_EQ(entries[0].Offset, 22u);
  EXPECT_EQ(entries[0].Size, 40u + 24u + 8u);
  EXPECT_EQ(entries[0].Offset + entries[0].Size, file.size());
  // The image is a DIB of double height: colour rows, then the mask rows.
  EXPECT_EQ(file[22 + 8], 4);  // biHeight = 2 x 2
  EXPECT_EQ(file[22 + 40], 0x7F);
  EXPECT_EQ(file.back(), 0xA0);
  // Any shorter file is refused.
  for (std::size_t n = 0; n < file.size(); ++n) EXPECT_FALSE(detail::ReadIconDirectory(file.data(), n, entries)) << n;
}

TEST(IcoFormat, BestEntryPrefersExactSizeThenBiggerThenColours) {
  const auto make = [](int w, int bits) {
    IconEntry e;
    e.Width = e.Height = w;
    e.BitCount = bits;
    return e;
  };
  const std::vector<IconEntry> entries{make(16, 8), make(32, 4), make(32, 32), make(48, 32), make(256, 32)};
  const struct {
    int size;
    std::size_t best;
  } cases[] = {{32, 2}, {16, 0}, {24, 2}, {40, 3}, {64, 4}, {300, 4}, {8, 0}};
  for (const auto& c : cases) EXPECT_EQ(detail::BestIconEntry(entries, c.size, c.size), c.best) << c.size;
}

TEST(IcoFormat, RefusesOtherFiles) {
  std::vector<IconEntry> entries;
  const std::uint8_t cursor[] = {0, 0, 2, 0, 1, 0};  // a cursor directory
  EXPECT_FALSE(detail::ReadIconDirectory(cursor, sizeof(cursor), entries));
  const std::uint8_t none[] = {0, 0, 1, 0, 0, 0};
  EXPECT_FALSE(detail::ReadIconDirectory(none, sizeof(none), entries));
  // One entry whose image lies beyond the end of the file.
  std::uint8_t outside[22 + 12] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 100, 0, 0, 0, 22, 0, 0, 0};
  EXPECT_FALSE(detail::ReadIconDirectory(outside, sizeof(outside), entries));
  outside[14] = 12;
  EXPECT_TRUE(detail::ReadIconDirectory(outside, sizeof(outside), entries));
}

}  // namespace
