// The frame arithmetic of the form animations.
#include "skin/engine/sAnimFrames.h"

#include <gtest/gtest.h>

namespace {

TEST(AnimFrames, CountsAndHideAlphas) {
  EXPECT_EQ(AnimFrameCount(11), 0);
  EXPECT_EQ(AnimFrameCount(12), 1);
  EXPECT_EQ(AnimFrameCount(100), 8);
  EXPECT_EQ(AnimFrameCount(1200), 100);
  TAnimFrames F = HideFrames(4, 255, 400, 200, false);
  std::vector<int> Alphas;
  for (int I = 0; I <= 4; ++I) Alphas.push_back(NextHideAlpha(F));
  EXPECT_EQ(Alphas, (std::vector<int>{191, 128, 64, 0, 0}));  // N + 1 frames, the last one 0
}

TEST(AnimFrames, ShowRampsUpAndTheAeroRectangleGrows) {
  TAnimFrames F = ShowFrames(4, 255, 400, 200, true);
  EXPECT_EQ(F.Rect, (TAnimRect{50, 25, 350, 175}));
  EXPECT_DOUBLE_EQ(F.DeltaX, 12.5);
  EXPECT_DOUBLE_EQ(F.DeltaY, 6.25);
  std::vector<int> Alphas;
  for (int I = 0; I <= 4; ++I) {
    Alphas.push_back(NextShowAlpha(F, 255));
    AdvanceFrame(F);
  }
  EXPECT_EQ(Alphas, (std::vector<int>{64, 128, 191, 255, 255}));
  EXPECT_EQ(F.Rect, (TAnimRect{-12.5, -6.25, 412.5, 206.25}));
  const TAnimPixelRect R = RoundRect({37.5, 18.75, 362.5, 181.25});
  EXPECT_EQ(R.Left, 38);  // ties to even
  EXPECT_EQ(R.Top, 19);
  EXPECT_EQ(R.Right, 362);
  EXPECT_EQ(R.Bottom, 181);
  // The hide's rectangle starts as the whole picture.
  EXPECT_EQ(HideFrames(4, 255, 400, 200, true).Rect, (TAnimRect{0, 0, 400, 200}));
}

TEST(AnimFrames, CrossFadeWeights) {
  const std::vector<int> W = CrossFadeWeights(100);
  ASSERT_EQ(W.size(), 101u);
  for (int K = 0; K <= 100; ++K) EXPECT_EQ(W[K], 255 - 2 * K);
  EXPECT_EQ(W.back(), 55);
  EXPECT_EQ(CrossFadeWeights(2), (std::vector<int>{255, 128, 1}));
}

}  // namespace
