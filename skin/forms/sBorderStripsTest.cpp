#include "skin/forms/sBorderStrips.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr TColor32 KeyPixel = 0xFFFF00FF;
constexpr TColor32 Piece = 0xFF102030;
constexpr TColor32 Old = 0xFF0000FF;
constexpr TColor32 BgPixel = 0xFF445566;

struct TPicture {
  TPicture(int W, int H, TColor32 Fill) : Pixels(size_t(W) * H, Fill) { View = {Pixels.data(), W, H, W}; }
  std::vector<TColor32> Pixels;
  TPixelView View;
};

// A piece of Count images of 6 x 6 with border widths 2; the first image's top-left pixel is the key.
TsMaskData PieceOf(int Count, int MaskType) {
  TsMaskData M;
  M.R = {0, 0, 6 * std::max(Count, 1), 6 * (MaskType + 1)};
  M.ImageCount = int16_t(Count);
  M.MaskType = int16_t(MaskType);
  M.WL = M.WT = M.WR = M.WB = 2;
  return M;
}

TEST(BorderStrips, KeyPixelsTakeTheBackground) {
  TPicture Image(18, 6, Piece);
  Image.Pixels[0] = KeyPixel;
  TPicture Cache(10, 10, Old);
  TPicture Bg(20, 20, BgPixel);
  const TsMaskData M = PieceOf(3, 0);
  TBorderStrips S;
  S.Cache = Cache.View;
  S.Mask = &M;
  S.Image = Image.View;
  S.Background = {Bg.View, 3, 3, clRed, true};
  PaintBorderStrips(S);
  EXPECT_EQ(*Cache.View.PixelPtr(0, 0), BgPixel);
  EXPECT_EQ(*Cache.View.PixelPtr(1, 0), Piece);
  EXPECT_EQ(*Cache.View.PixelPtr(9, 0), Piece);
  EXPECT_EQ(*Cache.View.PixelPtr(0, 9), Piece);
  // Strips are not stretched: what lies beyond the image stays.
  EXPECT_EQ(*Cache.View.PixelPtr(9, 9), Old);
  EXPECT_EQ(*Cache.View.PixelPtr(5, 5), Old);
  // Without a picture the key takes the colour.
  Cache = TPicture(10, 10, Old);
  S.Cache = Cache.View;
  S.Background = {TPixelView{}, 0, 0, TColor(0x00332211), false};
  PaintBorderStrips(S);
  EXPECT_EQ(*Cache.View.PixelPtr(0, 0), 0xFF112233u);
}

TEST(BorderStrips, AWindowOnePixelWideGetsNothing) {
  TPicture Image(18, 6, Piece);
  TPicture Cache(1, 10, Old);
  const TsMaskData M = PieceOf(3, 0);
  TBorderStrips S;
  S.Cache = Cache.View;
  S.Mask = &M;
  S.Image = Image.View;
  PaintBorderStrips(S);
  for (TColor32 P : Cache.Pixels) EXPECT_EQ(P, Old);
}

TEST(BorderStrips, AnOwnImageWithoutCountIsThreeImages) {
  TPicture Image(18, 6, Piece);
  // The second third differs: state 1 takes it.
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 6; X < 12; ++X) *Image.View.PixelPtr(X, Y) = 0xFF00FF00;
  TPicture Cache(10, 10, Old);
  TsMaskData M = PieceOf(0, 0);
  M.R = {0, 0, 0, 0};
  TBorderStrips S;
  S.Cache = Cache.View;
  S.Mask = &M;
  S.Image = Image.View;
  S.OwnImage = true;
  S.State = 1;
  PaintBorderStrips(S);
  EXPECT_EQ(*Cache.View.PixelPtr(0, 4), 0xFF00FF00u);
  // A state beyond the images takes the last one.
  S.State = 9;
  PaintBorderStrips(S);
  EXPECT_EQ(*Cache.View.PixelPtr(0, 4), Piece);
}

}  // namespace
