#include "skin/engine/sSkinPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "widgets/PixelTestImage.h"

namespace {

// Rows of an arrow drawn into a W x H picture, "X" for a plotted pixel.
std::string Arrow(int W, int H, int Direction) {
  std::string Rows(size_t(W + 1) * H, '.');
  for (int Y = 0; Y < H; ++Y) Rows[size_t(Y) * (W + 1) + W] = '|';
  ArrowPixels({0, 0, W, H}, Direction, [&](int X, int Y) {
    if (X >= 0 && X < W && Y >= 0 && Y < H) Rows[size_t(Y) * (W + 1) + X] = 'X';
  });
  return Rows;
}

TEST(SkinPixels, EdgeCases) {
  const uint32_t Red = 0x00FF0000, Green = 0x0000FF00, Blue = 0x000000FF;
  struct Case {
    const char* Name;
    std::function<uint32_t()> Run;
    uint32_t Expected;
  } cases[] = {
      {"saturation -100 makes gray", [] { return ChangeColorSaturation(-100, 0x00C86400); }, 0x00646464},
      {"saturation +100 clamps", [] { return ChangeColorSaturation(100, 0x00C86400); }, 0x00FF6400},
      {"saturation 0 keeps", [] { return ChangeColorSaturation(0, 0xAB123456); }, 0xAB123456},
      {"ChangeSaturation 0 keeps", [] { return uint32_t(ChangeSaturation(TColor(0x80000005), 0)); }, 0x80000005},
      {"red +120 is green", [=] { return ChangePixelHue(120, Red); }, Green},
      {"red +240 is blue", [=] { return ChangePixelHue(240, Red); }, Blue},
      {"red +360 is red", [=] { return ChangePixelHue(360, Red); }, Red},
      {"gray keeps any hue", [] { return ChangePixelHue(77, 0x42808080); }, 0x42808080},
      {"hue keeps byte 3", [=] { return ChangePixelHue(120, 0x7F000000 | Red); }, 0x7F000000 | Green},
      {"ChangeColorHue 0 keeps flags", [] { return uint32_t(ChangeColorHue(0, TColor(0xFF000005))); }, 0xFF000005},
      {"ChangeColorHue colour order", [] { return uint32_t(ChangeColorHue(120, 0x0000FF)); }, 0x00FF00},
      {"SwapRedBlue plain", [] { return uint32_t(SwapRedBlue(0x123456)); }, 0x563412},
      {"SwapRedBlue system colour",
       [] { return uint32_t(SwapRedBlue(TColor(0x80000005))); },
       0x8000u + uint32_t(TColor(0x80000005) % 256) * 65536u},
      {"gray of (255, 0, 1)",
       [] {
         TTestImage I(1, 1, 0xA0FF0001);
         GrayscaleBitmap(I.View);
         return I(0, 0);
       },
       0xA0555555},
      {"gray except the key",
       [] {
         TTestImage I(2, 1, 0x00FF00FF);
         I(1, 0) = 0x00FF0001;
         GrayscaleBitmapExcept(I.View, 0xFF00FF);
         return uint32_t(I(0, 0) == 0x00FF00FF && I(1, 0) == 0x00555555);
       },
       1},
      {"arrow right in 7 x 7 uses columns 2..5",
       [] {
         return uint32_t(Arrow(7, 7, 4) ==
                         "..X....|..XX...|..XXX..|..XXXX.|..XXX..|..XX...|..X....|");
       },
       1},
      {"arrow direction 2 draws nothing", [] { return uint32_t(Arrow(7, 7, 2).find('X') == std::string::npos); }, 1},
      {"arrow down in 10 x 6",
       [] { return uint32_t(Arrow(10, 6, 8) == ".XXXXXXXX.|..XXXXXX..|...XXXX...|....XX....|..........|..........|"); },
       1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Run(), c.Expected) << c.Name;
}

TEST(SkinPixels, NegativeHueTurnsWrapLikeTheirPositiveTwin) {
  for (uint32_t Seed = 0; Seed < 4096; ++Seed) {
    const uint32_t Pixel = (Seed * 2654435761u) & 0x00FFFFFF;
    EXPECT_EQ(ChangePixelHue(-120, Pixel), ChangePixelHue(240, Pixel)) << std::hex << Pixel;
    EXPECT_EQ(ChangePixelHue(-400, Pixel), ChangePixelHue(320, Pixel)) << std::hex << Pixel;
    const uint32_t Turned = ChangePixelHue(-120, Pixel);
    EXPECT_EQ(Turned >> 24, 0u);
  }
}

}  // namespace
