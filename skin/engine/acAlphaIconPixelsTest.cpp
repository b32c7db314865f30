#include "skin/engine/acAlphaIconPixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Picture {
  int W, H;
  std::vector<TColor32> Pixels;
  // Bottom-up like a bitmap section when Stride is negative.
  TPixelView View(bool BottomUp = false) {
    TPixelView v;
    v.Width = W, v.Height = H;
    v.Stride = BottomUp ? -W : W;
    v.Bits = BottomUp ? Pixels.data() + size_t(W) * (H - 1) : Pixels.data();
    return v;
  }
};

TEST(AlphaIconPixels, KeyFromBottomLeftOnlyWithoutAlpha) {
  struct Case {
    const char* Name;
    std::vector<TColor32> In, Out;
  } cases[] = {
      {"no alpha: bottom-left is the key",
       {0x000000FF, 0x00102030, 0x00102030, 0x000000FF},
       {0xFF0000FF, 0x00102030, 0x00102030, 0xFF0000FF}},
      {"one alpha byte keeps all", {0x00000001, 0x01000000, 0x00FFFFFF, 0x00000000},
       {0x00000001, 0x01000000, 0x00FFFFFF, 0x00000000}},
      {"all the key colour stays clear", {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (auto& c : cases) {
    Picture p{2, 2, c.In};
    AddAlphaFromKey(p.View());
    EXPECT_EQ(p.Pixels, c.Out) << c.Name;
  }
  // The bottom-left of a bottom-up section is its first pixel in memory.
  Picture up{2, 2, {0x00AAAAAA, 0x00BBBBBB, 0x00BBBBBB, 0x00BBBBBB}};
  AddAlphaFromKey(up.View(true));
  EXPECT_EQ(up.Pixels, (std::vector<TColor32>{0x00AAAAAA, 0xFFBBBBBB, 0xFFBBBBBB, 0xFFBBBBBB}));
}

TEST(AlphaIconPixels, KeyIgnoresAlphaAndMaskFollowsIt) {
  Picture p{3, 1, {0x12FF00FF, 0x00FF00FE, 0xFF000000}};
  SetAlphaExceptKey(p.View(), 0xFFFF00FF);
  EXPECT_EQ(p.Pixels, (std::vector<TColor32>{0x00FF00FF, 0xFFFF00FE, 0xFF000000}));
  EXPECT_TRUE(HasAlpha(p.View()));

  // 17 columns take two words a row; white bits where the alpha is 0.
  Picture m{17, 2, std::vector<TColor32>(34, 0xFF000000)};
  m.Pixels[0] = 0x00FFFFFF;
  m.Pixels[16] = 0;
  m.Pixels[17 + 9] = 0x00123456;
  EXPECT_EQ(AlphaMaskBits(m.View()), (std::vector<uint8_t>{0x80, 0, 0x80, 0, 0, 0x40, 0, 0}));
  EXPECT_TRUE(AlphaMaskBits(Picture{0, 0, {}}.View()).empty());
  EXPECT_FALSE(HasAlpha(Picture{0, 0, {}}.View()));
}

}  // namespace
