#include "skin/forms/sThumbnailFit.h"

#include <gtest/gtest.h>

namespace {

struct TFitCase {
  int W, H, MaxW, MaxH, FitW, FitH;
};

TEST(ThumbnailFit, TheLimitingSideTakesTheMaximum) {
  const TFitCase Cases[] = {
      {200, 100, 100, 100, 100, 50}, {100, 200, 100, 100, 50, 100}, {300, 200, 90, 90, 90, 60},
      {3, 2, 100, 100, 100, 67},     {100, 100, 40, 80, 40, 40},    {0, 10, 10, 10, 0, 0},
      {10, 10, 0, 10, 0, 0},
  };
  for (const TFitCase& C : Cases) {
    const TFitSize S = FitThumbnail(C.W, C.H, C.MaxW, C.MaxH);
    EXPECT_EQ(S.Width, C.FitW) << C.W << "x" << C.H;
    EXPECT_EQ(S.Height, C.FitH) << C.W << "x" << C.H;
  }
}

}  // namespace
