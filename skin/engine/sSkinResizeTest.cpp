#include "skin/engine/sSkinResize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A picture of Bpp bytes a pixel with rows padded to 4 bytes, as bitmaps have.
struct TBytes {
  std::vector<uint8_t> Data;
  TByteView View;
  TBytes(int W, int H, int Bpp, uint8_t Fill = 0) {
    const ptrdiff_t Stride = (ptrdiff_t(W) * Bpp + 3) / 4 * 4;
    Data.assign(size_t(Stride) * H, Fill);
    View = {Data.data(), W, H, Stride, Bpp};
  }
  uint8_t* At(int X, int Y) { return View.ScanLine(Y) + ptrdiff_t(X) * View.BytesPerPixel; }
};

struct TSizes {
  int SrcW, SrcH, DstW, DstH;
};
// Enlarging and shrinking, on both axes and on one, odd sizes so that a middle pixel exists.
constexpr TSizes Sizes[] = {{21, 21, 63, 63}, {21, 21, 45, 31}, {63, 63, 21, 21}, {101, 45, 33, 15},
                            {21, 45, 63, 15}, {45, 21, 15, 45}};

TEST(StretchBitmap, PlainPicturesStayPlainUnderEveryFilter) {
  for (int Bpp : {3, 4})
    for (int Filter = 0; Filter < ResizeFilterCount; ++Filter)
      for (const TSizes& S : Sizes) {
        TBytes Src(S.SrcW, S.SrcH, Bpp), Dst(S.DstW, S.DstH, Bpp);
        for (int Y = 0; Y < S.SrcH; ++Y)
          for (int X = 0; X < S.SrcW; ++X)
            for (int B = 0; B < Bpp; ++B) Src.At(X, Y)[B] = uint8_t(40 + 50 * B);
        StretchBitmap(Src.View, Dst.View, Filter);
        for (int Y = 0; Y < S.DstH; ++Y)
          for (int X = 0; X < S.DstW; ++X)
            for (int B = 0; B < Bpp; ++B)
              ASSERT_EQ(Dst.At(X, Y)[B], 40 + 50 * B) << "filter " << Filter << " bpp " << Bpp << " " << S.SrcW
                                                      << "x" << S.SrcH << "->" << S.DstW << "x" << S.DstH << " at "
                                                      << X << "," << Y;
      }
}

TEST(StretchBitmap, ACentredImpulseStaysCentred) {
  for (int Bpp : {3, 4})
    for (int Filter = 0; Filter < ResizeFilterCount; ++Filter)
      for (const TSizes& S : Sizes) {
        TBytes Src(S.SrcW, S.SrcH, Bpp), Dst(S.DstW, S.DstH, Bpp);
        for (int B = 0; B < Bpp; ++B) Src.At(S.SrcW / 2, S.SrcH / 2)[B] = 255;
        StretchBitmap(Src.View, Dst.View, Filter);
        const int Cx = S.DstW / 2, Cy = S.DstH / 2;
        const uint8_t Peak = Dst.At(Cx, Cy)[0];
        ASSERT_GT(Peak, 0) << "filter " << Filter;
        for (int Y = 0; Y < S.DstH; ++Y)
          for (int X = 0; X < S.DstW; ++X) {
            const uint8_t V = Dst.At(X, Y)[Bpp - 1];
            // Highest in the middle, mirrored about it (the weights' rounding may leave one step).
            ASSERT_LE(V, Peak) << "filter " << Filter << " at " << X << "," << Y;
            ASSERT_NEAR(V, Dst.At(S.DstW - 1 - X, S.DstH - 1 - Y)[0], 1)
                << "filter " << Filter << " bpp " << Bpp << " " << S.SrcW << "x" << S.SrcH << "->" << S.DstW
                << "x" << S.DstH << " at " << X << "," << Y;
          }
      }
}

TEST(StretchBitmap, SmallSourcesRaiseAndEmptyTargetsAreLeft) {
  TBytes Thin(1, 8, 4), Flat(8, 1, 3), Dst(4, 4, 4, 7);
  for (const TBytes* Src : {&Thin, &Flat}) {
    try {
      StretchBitmap(Src->View, TBytes(4, 4, Src->View.BytesPerPixel).View, 6);
      FAIL() << "no error";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Source bitmap is too small");
    }
  }
  TBytes Src(8, 8, 4, 200);
  for (TByteView Empty : {TByteView{Dst.Data.data(), 0, 4, 16, 4}, TByteView{Dst.Data.data(), 4, 0, 16, 4}})
    StretchBitmap(Src.View, Empty, 6);
  StretchBitmap(Src.View, Dst.View, 7);  // no such filter
  StretchBitmap(Src.View, TBytes(4, 4, 3).View, 6);  // another pixel size
  for (uint8_t B : Dst.Data) EXPECT_EQ(B, 7);
}

TEST(StretchBitmap, SameSizeCopiesAndBottomUpViewsWork) {
  TBytes Src(5, 4, 4), Dst(5, 4, 4);
  for (size_t I = 0; I < Src.Data.size(); ++I) Src.Data[I] = uint8_t(I * 7);
  StretchBitmap(Src.View, Dst.View, 3);
  EXPECT_EQ(Dst.Data, Src.Data);
  // A bottom-up target (rows from the end, negative stride) gets the same rows as a top-down one.
  TBytes Up(9, 7, 4), Down(9, 7, 4);
  const TByteView Flipped{Up.View.ScanLine(6), 9, 7, -Up.View.Stride, 4};
  StretchBitmap(Src.View, Flipped, 6);
  StretchBitmap(Src.View, Down.View, 6);
  for (int Y = 0; Y < 7; ++Y)
    for (int X = 0; X < 9 * 4; ++X) EXPECT_EQ(Flipped.ScanLine(Y)[X], Down.View.ScanLine(Y)[X]);
}

TEST(StretchBitmap, SumsAreClampedAndSmoothEdgesStayInRange) {
  // A hard edge under Lanczos rings: the ringing is clamped to 0..255, the sides keep their value.
  TBytes Src(10, 4, 4), Dst(40, 4, 4);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 5; X < 10; ++X)
      for (int B = 0; B < 4; ++B) Src.At(X, Y)[B] = 255;
  StretchBitmap(Src.View, Dst.View, 5);
  EXPECT_EQ(Dst.At(0, 0)[0], 0);
  EXPECT_EQ(Dst.At(39, 3)[2], 255);
  // The ringing of the edge reaches the limits and stops there.
  int Lowest = 255, Highest = 0;
  for (int X = 0; X < 40; ++X) Lowest = std::min<int>(Lowest, Dst.At(X, 1)[1]), Highest = std::max<int>(Highest, Dst.At(X, 1)[1]);
  EXPECT_EQ(Lowest, 0);
  EXPECT_EQ(Highest, 255);
}

}  // namespace
