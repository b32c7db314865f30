// The engine's pixel tools on real 32-bit bitmaps: the bottom-up view, fills, system colours and the
// canvas arrow.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGraphics.h"

namespace {

std::unique_ptr<TBitmap> Bitmap32(int W, int H) {
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(pf32bit);
  B->SetSize(W, H);
  return B;
}

TEST(AlphaGraph, TheViewOfABitmapStartsAtItsTopRow) {
  auto B = Bitmap32(3, 4);
  const TPixelView V = BitmapView(*B);
  ASSERT_FALSE(V.Empty());
  EXPECT_EQ(V.Stride, -3);
  for (int Y = 0; Y < 4; ++Y) EXPECT_EQ(V.ScanLine(Y), B->ScanLine(Y)) << Y;
  *V.PixelPtr(2, 1) = 0x00FF0000;
  EXPECT_EQ(B->Canvas()->Pixels(2, 1), clRed);

  TBitmap Device;
  Device.SetPixelFormat(pf24bit);
  Device.SetSize(2, 2);
  EXPECT_TRUE(BitmapView(Device).Empty());
  TBitmap None;
  EXPECT_TRUE(BitmapView(None).Empty());
}

TEST(AlphaGraph, BitmapRoutinesWorkOnTheirRectangles) {
  auto B = Bitmap32(6, 5);
  FillRect32(B.get(), Rect(0, 0, 6, 5), clBlack);
  FillRect32Frame(B.get(), Rect(0, 0, 6, 5), 1, 1, 1, 1, clLime);
  EXPECT_EQ(B->Canvas()->Pixels(0, 4), clLime);
  EXPECT_EQ(B->Canvas()->Pixels(5, 2), clLime);
  EXPECT_EQ(B->Canvas()->Pixels(2, 2), clBlack);
  FillAlphaRect(B.get(), Rect(1, 1, 5, 4), 0x20, false);
  EXPECT_EQ(static_cast<uint32_t*>(B->ScanLine(2))[2], 0x20000000u);
  EXPECT_EQ(static_cast<uint32_t*>(B->ScanLine(0))[0], 0xFF00FF00u);
  FillRect32(nullptr, Rect(0, 0, 1, 1), clRed);  // nothing to fill

  // The arrow on the bitmap's canvas: column 2 of a 7 x 7 rectangle is the triangle's base.
  auto A = Bitmap32(7, 7);
  FillRect32(A.get(), Rect(0, 0, 7, 7), clWhite);
  DrawArrow(A->Canvas(), clNavy, Rect(0, 0, 7, 7), 4);
  for (int Y = 0; Y < 7; ++Y) EXPECT_EQ(A->Canvas()->Pixels(2, Y), clNavy) << Y;
  EXPECT_EQ(A->Canvas()->Pixels(5, 3), clNavy);
  EXPECT_EQ(A->Canvas()->Pixels(5, 2), clWhite);
  EXPECT_EQ(A->Canvas()->Pixels(1, 3), clWhite);

  GrayscaleBitmap(A.get());
  EXPECT_EQ(B->Canvas()->Pixels(2, 2), clBlack);
  EXPECT_EQ(A->Canvas()->Pixels(2, 0), TColor(0x2A2A2A));  // navy: 128 / 3
}

TEST(AlphaGraph, SystemColoursMixAsTheSystemReportsThem) {
  const int Indexes[] = {COLOR_BTNFACE, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_WINDOWTEXT, COLOR_INFOBK};
  for (int Index : Indexes) {
    const TColor System = TColor(clSystemColor | Index);
    EXPECT_EQ(COLORREF(ColorToRGB(System)), GetSysColor(Index)) << Index;
    auto B = Bitmap32(2, 2);
    BlendRectWithColor(B.get(), Rect(0, 0, 2, 2), 0, System);
    EXPECT_EQ(COLORREF(B->Canvas()->Pixels(1, 1)), GetSysColor(Index)) << Index;
  }
}

}  // namespace
