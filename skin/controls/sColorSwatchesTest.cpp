#include "skin/controls/sColorSwatches.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorSwatches, EmptyColoursGiveWhiteLinesForEveryCell) {
  TStringList Colors;
  const auto Items = BuildColorSwatches(Colors, {}, -1);
  ASSERT_EQ(Items.size(), 10u);
  ASSERT_EQ(Colors.Count(), 10);
  for (int I = 0; I < 10; ++I) {
    EXPECT_EQ(Colors.Strings(I), "FFFFFF");
    EXPECT_EQ(Items[I].Color, 0xFFFFFF);
    EXPECT_EQ(Items[I].Index, I);
  }
  EXPECT_EQ(Items[0].R, MakeRect(6, 6, 27, 27));
  EXPECT_EQ(Items[6].R, MakeRect(6 + 27, 33, 6 + 27 + 21, 54));
}

TEST(ColorSwatches, OnlyTheFirstWordCountsAndRedComesFirst) {
  TStringList Colors;
  Colors.Add("FF0000");
  Colors.Add("0000FF azul claro");
  Colors.Add("00FF00H");
  const auto Items = BuildColorSwatches(Colors, {3, 1, 10, 10, 2}, 1);
  EXPECT_EQ(Items[0].Color, 0x0000FF);  // red in the toolkit's order
  EXPECT_EQ(Items[1].Color, 0xFF0000);
  EXPECT_EQ(Items[2].Color, 0x00FF00);
  EXPECT_TRUE(Items[1].Selected);
  EXPECT_FALSE(Items[0].Selected);
}

TEST(ColorSwatches, HitAreaGrowsByTheMargin) {
  TStringList Colors;
  const auto Items = BuildColorSwatches(Colors, {}, -1);
  const struct {
    int X, Y, Item;
  } Cases[] = {{0, 0, 0}, {26, 26, 0}, {30, 10, 0}, {32, 10, 0}, {33, 10, 1}, {200, 100, -1}, {139, 59, 9}, {10, 40, 5}};
  for (const auto& C : Cases) EXPECT_EQ(SwatchAt(Items, Colors.Count(), 6, C.X, C.Y), C.Item) << C.X << "," << C.Y;
}

TEST(ColorSwatches, MoreLinesThanItemsWalkOnlyTheItems) {
  TStringList Colors;
  for (int I = 0; I < 12; ++I) Colors.Add("000000");
  const auto Items = BuildColorSwatches(Colors, {}, -1);
  ASSERT_EQ(Items.size(), 10u);
  EXPECT_EQ(SwatchAt(Items, Colors.Count(), 6, 500, 500), -1);
  EXPECT_EQ(SwatchAt(Items, Colors.Count(), 6, 140, 40), 9);
}

TEST(ColorSwatches, IndexOutsideTheItemsIsNone) {
  const struct {
    int Value, Result;
  } Cases[] = {{-1, -1}, {0, 0}, {9, 9}, {10, -1}, {20, -1}, {-2, -1}};
  for (const auto& C : Cases) EXPECT_EQ(ValidSwatchIndex(C.Value, 10), C.Result) << C.Value;
}

}  // namespace
