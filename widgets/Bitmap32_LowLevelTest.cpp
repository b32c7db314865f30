#include "widgets/Bitmap32_LowLevel.h"

#include "widgets/PixelTestImage.h"

#include <gtest/gtest.h>

namespace {

TEST(LowLevel, FillAndMoveCounts) {
  std::vector<TColor32> V = {1, 2, 3, 4, 5};
  FillLongword(V.data(), 0, 9);
  FillLongword(V.data(), -3, 9);
  EXPECT_EQ(V, (std::vector<TColor32>{1, 2, 3, 4, 5}));
  FillLongword(V.data() + 1, 2, 9);
  EXPECT_EQ(V, (std::vector<TColor32>{1, 9, 9, 4, 5}));
  MoveLongword(V.data(), V.data() + 1, 4);  // overlapping, forwards
  EXPECT_EQ(V, (std::vector<TColor32>{1, 1, 9, 9, 4}));
  MoveLongword(V.data() + 2, V.data(), 3);  // overlapping, backwards
  EXPECT_EQ(V, (std::vector<TColor32>{9, 9, 4, 9, 4}));
  MoveLongword(V.data(), V.data(), 5);
  MoveLongword(V.data(), V.data() + 1, 0);
  EXPECT_EQ(V, (std::vector<TColor32>{9, 9, 4, 9, 4}));
}

TEST(LowLevel, Constrain) {
  EXPECT_EQ(Constrain(-1, 0, 10), 0);
  EXPECT_EQ(Constrain(11, 0, 10), 10);
  EXPECT_EQ(Constrain(5, 0, 10), 5);
}

TEST(LowLevel, IntersectRect) {
  struct Case { TPixelRect A, B, Want; bool Overlap; };
  const Case Cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, true},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {}, false},
      {{0, 0, 10, 10}, {-5, -5, 0, 3}, {}, false},
      {{2, 3, 4, 5}, {0, 0, 100, 100}, {2, 3, 4, 5}, true},
      {{5, 5, 1, 1}, {0, 0, 100, 100}, {}, false},
  };
  for (const Case& C : Cases) {
    TPixelRect R{7, 7, 7, 7};
    EXPECT_EQ(IntersectRect(R, C.A, C.B), C.Overlap);
    EXPECT_EQ(R, C.Want);
  }
  TPixelRect R = MakeRect(1, 2, 3, 4);
  OffsetRect(R, 10, -2);
  EXPECT_EQ(R, MakeRect(11, 0, 13, 2));
  EXPECT_TRUE(IsRectEmpty(MakeRect(0, 0, 0, 5)));
}

TEST(LowLevel, FillRectIsClippedToTheView) {
  struct Case { int X1, Y1, X2, Y2; int Filled; };
  const Case Cases[] = {{-5, -5, 2, 2, 4}, {3, 3, 100, 100, 4}, {0, 0, 5, 5, 25}, {5, 0, 9, 9, 0},
                        {2, 2, 1, 4, 0}, {-9, 1, 99, 2, 5}};
  for (const Case& C : Cases) {
    TTestImage Image(5, 5);
    FillRect(Image.View, C.X1, C.Y1, C.X2, C.Y2, 0xFF123456);
    int Filled = 0;
    for (int Y = 0; Y < 5; ++Y)
      for (int X = 0; X < 5; ++X) {
        const bool In = X >= C.X1 && X < C.X2 && Y >= C.Y1 && Y < C.Y2;
        EXPECT_EQ(Image(X, Y), In ? 0xFF123456u : 0u);
        Filled += In;
      }
    EXPECT_EQ(Filled, C.Filled);
  }
}

TEST(LowLevel, GammaTable) {
  const auto& G = GammaTable();
  const int Cases[][2] = {{0, 0}, {1, 5}, {64, 97}, {128, 157}, {200, 215}, {255, 255}};
  for (auto [I, Want] : Cases) EXPECT_EQ(G[I], Want) << I;
}

}  // namespace
