// The border painter on a real 32-bit bitmap and window region.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sBorderPaint.h"

namespace {

TEST(BorderPaint, KeyPixelsLeaveTheRegion) {
  // One state of 8 x 8 with borders of 2: red picture, its top row and one far-corner pixel keyed.
  std::vector<TColor32> Pixels(8 * 8, 0xFFFF0000);
  for (int X = 0; X < 8; ++X) Pixels[X] = KeyPixel;
  Pixels[7 * 8 + 7] = KeyPixel;
  TsMaskData Mask;
  Mask.R = {0, 0, 8, 8};
  Mask.ImageCount = 1;
  Mask.WL = Mask.WT = Mask.WR = Mask.WB = 2;
  Mask.DrawMode = 4;
  const TsPieceView Piece{&Mask, {Pixels.data(), 8, 8, 8}, false};

  TBitmap Bmp;
  Bmp.SetPixelFormat(pf32bit);
  Bmp.SetSize(12, 10);
  HRGN Rgn = CreateRectRgn(0, 0, 12, 10);
  PaintBorderMask(&Bmp, Rgn, true, 0, Piece);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 12; ++X) {
      const bool Key = Y == 0 || (X == 11 && Y == 9);
      EXPECT_EQ(PtInRegion(Rgn, X, Y) != 0, !Key) << X << " " << Y;
      if (!Key) {
        EXPECT_EQ(Bmp.Canvas()->Pixels(X, Y), clRed) << X << " " << Y;
      }
    }
  DeleteObject(Rgn);
  // Without a region only the pixels are painted.
  PaintBorderMask(&Bmp, nullptr, true, 0, Piece);
  EXPECT_EQ(Bmp.Canvas()->Pixels(5, 5), clRed);
}

}  // namespace
