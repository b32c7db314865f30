// The glow window's cut and place for a control partly clipped by its parent.
#include "skin/engine/acGlowCrop.h"

#include <gtest/gtest.h>

namespace {

TEST(GlowCrop, CutsAndPlaces) {
  const TPixelRect R{100, 100, 150, 120};  // 50 x 20; borders 10, margin 2: image 66 x 36
  const struct {
    TPixelRect Clip;
    int XL, XT, XR, XB, Width, Height, X, Y;
  } Cases[] = {
      {{0, 0, 50, 20}, 0, 0, 0, 0, 66, 36, 92, 92},       // all visible
      {{20, 0, 50, 20}, 28, 0, 0, 0, 38, 36, 120, 92},    // half hidden at the parent's left edge
      {{0, 0, 30, 20}, 0, 0, 28, 0, 38, 36, 92, 92},      // hidden at the right
      {{0, 5, 50, 20}, 0, 13, 0, 0, 66, 23, 92, 105},     // at the top
      {{0, 5, 50, 15}, 0, 13, 0, 13, 66, 10, 92, 105},    // top and bottom
      {{0, 0, 50, 12}, 0, 0, 0, 16, 66, 20, 92, 92},      // at the bottom
  };
  for (const auto& C : Cases) {
    const TGlowCrop G = GlowCrop(R, C.Clip, 10, 10, 10, 10, 2);
    EXPECT_EQ(G.ImageWidth, 66);
    EXPECT_EQ(G.ImageHeight, 36);
    EXPECT_EQ(G.XL, C.XL);
    EXPECT_EQ(G.XT, C.XT);
    EXPECT_EQ(G.XR, C.XR);
    EXPECT_EQ(G.XB, C.XB);
    EXPECT_EQ(G.Width, C.Width);
    EXPECT_EQ(G.Height, C.Height);
    EXPECT_EQ(G.X, C.X);
    EXPECT_EQ(G.Y, C.Y);
    EXPECT_FALSE(G.Empty());
  }
  // Wholly clipped away, or cut to nothing: no glow.
  EXPECT_TRUE(GlowCrop(R, {0, 0, 0, 0}, 10, 10, 10, 10, 2).Empty());
  EXPECT_TRUE(GlowCrop(R, {50, 0, 50, 20}, 10, 10, 10, 10, 2).Empty());
  EXPECT_TRUE(GlowCrop(R, {0, 0, 1, 20}, 0, 0, 0, 0, 40).Empty());
}

}  // namespace
