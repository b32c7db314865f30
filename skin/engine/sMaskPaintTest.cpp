#include "skin/engine/sMaskPaint.h"

#include <gtest/gtest.h>

#include <array>

#include "skin/engine/sBorderMask.h"
#include "skin/engine/sSkinResize.h"
#include "widgets/Bitmap32_Transforms.h"
#include "widgets/PixelTestImage.h"

namespace {

constexpr int Iw = 16, Ih = 16, States = 4, Border = 6;
constexpr TColor32 Under = 0xFF102030;

// Which of the nine parts a column or row of a state image belongs to: 0 near border, 1 middle, 2 far.
int Band(int I) { return I < Border ? 0 : I < Iw - Border ? 1 : 2; }

// A master image holding one piece of four states: each part of each state has its own opaque colour;
// below the pictures the mask image grades the parts 0, 155 and 255 in turn.
struct TMaster {
  TTestImage Image{Iw * States + 3, Ih * 2 + 2};
  TsMaskData Mask;
  explicit TMaster(int MaskType, int DrawMode) {
    Mask.R = {3, 2, 3 + Iw * States, 2 + Ih * (MaskType + 1)};
    Mask.ImageCount = States;
    Mask.MaskType = int16_t(MaskType);
    Mask.DrawMode = int16_t(DrawMode);
    Mask.WL = Mask.WT = Mask.WR = Mask.WB = Border;
    for (int S = 0; S < States; ++S)
      for (int Y = 0; Y < Ih; ++Y)
        for (int X = 0; X < Iw; ++X) {
          const int Part = Band(Y) * 3 + Band(X);
          Image(3 + S * Iw + X, 2 + Y) = 0xFF000000 | TColor32(S * 40 + 10) << 16 | TColor32(Part * 25 + 5) << 8 |
                                         TColor32(X * 8 + Y);
          const TColor32 M = TColor32(std::array{0, 155, 255}[Part % 3]);
          Image(3 + S * Iw + X, 2 + Ih + Y) = M << 16 | M << 8 | M;
        }
  }
  TsPieceView Piece() const { return {&Mask, Image.View, false}; }
};

// Where a target coordinate reads in its state image, by the layout rules: the borders are fitted,
// the corners copied 1:1, the middle tiled from the near corner (or stretched, nearest pixel).
int SourceOf(int I, int Size, int Near, int Far, bool Stretch) {
  if (I < Near) return I;
  if (I >= Size - Far) return Iw - (Size - I);
  const int Mid = Size - Near - Far, Cw = Iw - 2 * Border, Off = I - Near;
  if (!Stretch) return Border + Off % Cw;
  // The nearest stretch of the 32-bit bitmap: the middle pixel for one target pixel, else the source
  // position of the target pixel's left edge.
  return Border + (Mid == 1 ? (Cw - 1) / 2 : int(double(Off) * (float(Cw) / float(Mid))));
}

TColor32 MixOne(TColor32 D, TColor32 S, TColor32 M, bool GrowAlpha) {
  TColor32 Out = 0;
  for (int C = 0; C < 3; ++C)
    Out |= TColor32((Channel(D, C) * Channel(M, C) + Channel(S, C) * (256 - Channel(M, C))) >> 8) << 8 * C;
  const unsigned Da = Channel(D, 3);
  return Out | TColor32(GrowAlpha ? uint8_t(Da + (255 - Channel(M, 2)) * (255 - Da) / 255) : Da) << 24;
}

struct TCase {
  int W, H, MaskType, DrawMode, State;
};

class PaintMaskRectTest : public testing::TestWithParam<TCase> {};

TEST_P(PaintMaskRectTest, EveryPixelComesFromItsPart) {
  const TCase C = GetParam();
  const TMaster M(C.MaskType, C.DrawMode);
  TTestImage Bmp(C.W + 4, C.H + 4, Under);
  PaintMaskRect({Bmp.View, {2, 2, 2 + C.W, 2 + C.H}, {}, M.Piece(), C.State, false});
  int L = Border, Rt = Border, T = Border, B = Border;
  FitBorders(C.W, L, Rt);
  FitBorders(C.H, T, B);
  const int State = std::min(C.State, States - 1);
  const bool Stretch = C.DrawMode & 1;
  const bool Nothing = (C.State == 0 && (C.DrawMode & 2)) || C.W < 2 || C.H < 2;
  for (int Y = 0; Y < Bmp.View.Height; ++Y)
    for (int X = 0; X < Bmp.View.Width; ++X) {
      const int Tx = X - 2, Ty = Y - 2;
      TColor32 Want = Under;
      const bool Inside = Tx >= 0 && Ty >= 0 && Tx < C.W && Ty < C.H;
      const bool Centre = Tx >= L && Tx < C.W - Rt && Ty >= T && Ty < C.H - B;
      if (Inside && !Nothing && (!Centre || (C.DrawMode & 4))) {
        const bool Corner = (Tx < L || Tx >= C.W - Rt) && (Ty < T || Ty >= C.H - B);
        const int Sx = 3 + State * Iw + SourceOf(Tx, C.W, L, Rt, Stretch && !Corner);
        const int Sy = 2 + SourceOf(Ty, C.H, T, B, Stretch && !Corner);
        const TColor32 S = M.Image(Sx, Sy), Mk = M.Image(Sx, Sy + Ih);
        if (C.MaskType == 0)
          Want = S;
        else if (Corner || !Stretch)
          Want = Channel(Mk, 2) == 255 ? Under : MixOne(Under, S, Mk, true);
        else
          Want = MixOne(Under, S, Mk, false);
      }
      ASSERT_EQ(Bmp(X, Y), Want) << "x " << Tx << " y " << Ty;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PaintMaskRectTest,
    testing::Values(TCase{10, 10, 0, 4, 1}, TCase{9, 9, 0, 4, 1}, TCase{10, 9, 1, 4, 2}, TCase{9, 10, 1, 0, 2},
                    TCase{20, 20, 0, 4, 7}, TCase{19, 17, 0, 4, 7}, TCase{20, 19, 1, 4, 3}, TCase{19, 20, 1, 4, 0},
                    TCase{20, 20, 0, 2, 0}, TCase{20, 20, 1, 6, 0}, TCase{20, 20, 0, 2, 1}, TCase{19, 17, 0, 5, 2},
                    TCase{24, 22, 1, 1, 1}, TCase{16, 16, 1, 5, 3}, TCase{1, 20, 0, 4, 1}, TCase{30, 13, 0, 0, 2}));

TEST(PaintBorderMask, GivesThePixelsOfTheNineSlice) {
  for (int MaskType : {0, 1})
    for (int DrawMode : {0, 4, 5})
      for (int W : {9, 10, 19, 20, 23}) {
        TMaster M(MaskType, DrawMode);
        // The mask never takes the target, so both copiers agree to the byte.
        for (TColor32& P : M.Image.Pixels)
          if (P >> 24 == 0 && (P & 0xFF) == 255) P = 0x9B9B9B;
        TTestImage Rect(W, 17, Under), Border(W, 17, Under);
        PaintMaskRect({Rect.View, Rect.View.BoundsRect(), {}, M.Piece(), 2, false});
        PaintBorderMask(Border.View, nullptr, true, 2, M.Piece());
        for (size_t I = 0; I < Rect.Pixels.size(); ++I)
          ASSERT_EQ(Rect.Pixels[I] & (MaskType ? 0xFFFFFF : 0xFFFFFFFF), Border.Pixels[I] & (MaskType ? 0xFFFFFF : 0xFFFFFFFF))
              << MaskType << " " << DrawMode << " " << W << " at " << I;
      }
}

TEST(PaintBorderMask, RegionLosesTheKeyPixels) {
  TMaster M(0, 4);
  for (int X = 0; X < Iw; ++X) M.Image(3 + Iw + X, 2) = KeyPixel;  // the whole top row of state 1
  M.Image(3 + Iw + 1, 2 + Ih - 1) = KeyPixel;                     // one pixel of the bottom-left corner
  TTestImage Bmp(20, 20, Under);
  std::vector<TPixelRect> Rgn;
  PaintBorderMask(Bmp.View, &Rgn, true, 1, M.Piece());
  std::vector<int> Hits(400, 0);
  for (const TPixelRect& R : Rgn)
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      for (int X = R.Left; X < R.Right; ++X) ++Hits[Y * 20 + X];
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 20; ++X) {
      const bool Key = Y == 0 || (Y == 19 && X == 1);
      EXPECT_EQ(Hits[Y * 20 + X], Key ? 1 : 0) << X << " " << Y;
      if (Key) {
        EXPECT_EQ(Bmp(X, Y), Under);
      }
    }
}

TEST(PaintMaskRect, BordersAsLargeAsTheImageGiveOnlyCorners) {
  TMaster M(0, 4);
  M.Mask.WL = M.Mask.WR = M.Mask.WT = M.Mask.WB = Iw / 2;
  TTestImage Bmp(30, 30, Under);
  PaintMaskRect({Bmp.View, Bmp.View.BoundsRect(), {}, M.Piece(), 1, false});
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 30; ++X) {
      const bool Corner = (X < 8 || X >= 22) && (Y < 8 || Y >= 22);
      EXPECT_EQ(Bmp(X, Y) == Under, !Corner) << X << " " << Y;
    }
}

TEST(PaintMaskRect, KeyCornerPixelsTakeTheParentBackground) {
  for (int MaskType : {0, 1}) {
    TMaster M(MaskType, 4);
    M.Mask.CornerType = 1;
    M.Image(3, 2) = KeyPixel;
    TTestImage Parent(40, 40, 0x11223344), Bmp(20, 20, Under);
    Parent(5, 7) = 0x55667788;
    for (bool Use : {false, true}) {
      PaintMaskRect({Bmp.View, Bmp.View.BoundsRect(), {Parent.View, 5, 7, clFuchsia, true}, M.Piece(), 0, Use});
      EXPECT_EQ(Bmp(0, 0), Use ? 0xFF667788 : Under) << MaskType;
    }
    PaintMaskRect({Bmp.View, Bmp.View.BoundsRect(), {{}, 0, 0, 0x0000FF, false}, M.Piece(), 0, true});
    EXPECT_EQ(Bmp(0, 0), 0xFFFF0000) << MaskType;
  }
}

struct TMaskedCase {
  int Mode;
  uint8_t MaskByte;
};

TEST(CopyMasked, MixesByTheMaskByte) {
  constexpr TColor32 S = 0x00C86432, D = 0x80204060;
  const TMaskedCase Cases[] = {{1, 0}, {1, 155}, {1, 255}, {2, 0}, {2, 155}, {2, 255}};
  for (const TMaskedCase& C : Cases) {
    TTestImage Src(2, 4), Bmp(3, 3, D);
    TsMaskData Mask;
    Mask.R = {0, 0, 2, 4};
    Mask.ImageCount = 1;
    Mask.MaskType = 1;
    Src(1, 1) = S;
    Src(1, 3) = TColor32(C.MaskByte) * 0x010101;
    CopyMasked({{1, 1, 1, 1}, {1, 1, 1, 1}, Bmp.View, &Mask, C.Mode, clFuchsia, Src.View});
    TColor32 Want = D;
    if (C.MaskByte != 255) {  // the reference: (D * k + S * (256 - k)) shr 8, alpha grown by the red byte
      const unsigned K = C.Mode == 1 ? C.MaskByte : std::min(C.MaskByte + 100, 255);
      Want = MixOne(D, S, K * 0x010101, false) & 0xFFFFFF;
      Want |= TColor32(uint8_t(0x80 + (255 - C.MaskByte) * (255 - 0x80) / 255)) << 24;
    }
    EXPECT_EQ(Bmp(1, 1), Want) << C.Mode << " " << int(C.MaskByte);
    EXPECT_EQ(Bmp(0, 0), D);
    // Parts hanging out of either bitmap are cut.
    CopyMasked({{-5, -5, 40, 40}, {-3, -3, 50, 50}, Bmp.View, &Mask, C.Mode, clFuchsia, Src.View});
  }
}

TEST(CopyMaskedStretched, SingleSmoothPixel) {
  TTestImage Src(1, 2);
  Src(0, 0) = 0x00336699;
  for (uint8_t M : {0, 100, 255}) {
    Src(0, 1) = TColor32(M) << 16;
    TTestImage Bmp(6, 5, 0x40102030);
    CopyMaskedStretched({2, 1, 9, 9, 0, 0, 1, 1, Bmp.View, Src.View, 1, true});
    for (int Y = 0; Y < 5; ++Y)
      for (int X = 0; X < 6; ++X) {
        TColor32 Want = 0x40102030;
        if (X >= 2 && Y >= 1 && M != 255) Want = M == 0 ? 0xFF336699 : MixOne(Want, 0x336699, M * 0x010101u, false);
        ASSERT_EQ(Bmp(X, Y), Want) << int(M);
      }
  }
}

// The picture and mask of a source rectangle resized as the filtered stretch does: the picture by
// filter 6, the mask by filter 2, a single column or row doubled first.
TTestImage Resized(const TTestImage& Src, TPixelRect Part, int W, int H, int Filter) {
  TTestImage Out(W, H);
  StretchPart(Src.View, Part, Out.View, Filter);
  return Out;
}

TTestImage Nearest(const TTestImage& Src, TPixelRect Part, int W, int H) {
  TTestImage Out(W, H);
  StretchTransfer(Out.View, Out.View.BoundsRect(), Out.View.BoundsRect(), Src.View, Part, sfNearest, {});
  return Out;
}

struct TFilteredCase {
  const char* Name;
  int DstW, DstH, SrcW, SrcH;
  bool Smooth, Filtered;
};

TEST(CopyMaskedStretched, SmoothOrOnlyNarrowedOrLoweredIsFiltered) {
  const TFilteredCase Cases[] = {
      {"smooth enlarged", 7, 5, 3, 2, true, true},     {"smooth one column", 4, 6, 1, 3, true, true},
      {"smooth one row", 6, 3, 4, 1, true, true},      {"only narrowed", 3, 4, 6, 4, false, true},
      {"only lowered", 5, 2, 5, 4, false, true},       {"enlarged, not smooth", 7, 5, 3, 2, false, false},
      {"smooth target one row", 6, 1, 3, 2, true, false},
  };
  for (const TFilteredCase& C : Cases) {
    // Pictures in rows 0 .. 3, masks 4 rows lower with all three kinds of weight.
    TTestImage Src = TTestImage::Random(6, 8, 5);
    for (int Y = 4; Y < 8; ++Y)
      for (int X = 0; X < 6; ++X) Src(X, Y) = std::array<TColor32, 3>{0, 0x00808080, 0x00FFFFFF}[(X + Y) % 3];
    TTestImage Bmp(C.DstW + 3, C.DstH + 2, Under);
    CopyMaskedStretched({2, 1, C.DstW, C.DstH, 0, 0, C.SrcW, C.SrcH, Bmp.View, Src.View, 4, C.Smooth});
    const TPixelRect PicPart{0, 0, C.SrcW, C.SrcH}, MskPart{0, 4, C.SrcW, 4 + C.SrcH};
    const TTestImage Pic = C.Filtered ? Resized(Src, PicPart, C.DstW, C.DstH, 6) : Nearest(Src, PicPart, C.DstW, C.DstH);
    const TTestImage Msk = C.Filtered ? Resized(Src, MskPart, C.DstW, C.DstH, 2) : Nearest(Src, MskPart, C.DstW, C.DstH);
    for (int Y = 0; Y < Bmp.View.Height; ++Y)
      for (int X = 0; X < Bmp.View.Width; ++X) {
        const bool In = X >= 2 && X < 2 + C.DstW && Y >= 1 && Y < 1 + C.DstH;
        ASSERT_EQ(Bmp(X, Y), In ? MixOne(Under, Pic(X - 2, Y - 1), Msk(X - 2, Y - 1), false) : Under)
            << C.Name << " at " << X << "," << Y;
      }
  }
}

TEST(CopyMaskedStretched, WithoutMaskIsAPlainStretch) {
  TTestImage Src = TTestImage::Random(3, 2, 7), Bmp(8, 6, Under);
  CopyMaskedStretched({1, 1, 6, 4, 0, 0, 3, 2, Bmp.View, Src.View, 0, false});
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 8; ++X)
      EXPECT_EQ(Bmp(X, Y), X >= 1 && X < 7 && Y >= 1 && Y < 5 ? Src((X - 1) / 2, (Y - 1) / 2) : Under);
}

TEST(CopyMaskPiece, OneRowBitmapAndBitmapEdges) {
  TMaster M(0, 0);
  TTestImage Row(10, 1, Under);
  CopyMaskPiece({0, 0, 9, false, M.Piece(), nullptr, Row.View, 5, 9, 2, 3, 0});
  for (TColor32 P : Row.Pixels) EXPECT_EQ(P, Under);
  // The last row and column of the target are the last ones written.
  TTestImage Bmp(4, 3, Under);
  CopyMaskPiece({2, 1, 10, false, M.Piece(), nullptr, Bmp.View, 12, 12, 2, 3, 10});
  EXPECT_EQ(Bmp(3, 2), M.Image(4, 3));
  EXPECT_EQ(Bmp(1, 2), Under);
}

TEST(CollectTransparentPixels, RunsPerRowLeftCornerFirst) {
  TMaster M(0, 0);
  M.Mask.WL = 3;
  M.Mask.WR = 4;
  M.Mask.WT = 2;
  M.Mask.WB = 2;
  const int L = 3, Top = 2;
  for (int X : {0, 1}) M.Image(L + X, Top) = KeyPixel;
  M.Image(L + 2, Top + 1) = KeyPixel;
  for (int X : {12, 14, 15}) M.Image(L + X, Top) = KeyPixel;
  M.Image(L + 13, Top + Ih - 1) = KeyPixel;
  M.Image(L + 5, Top) = KeyPixel;  // between the corners: not collected
  std::vector<TPixelRect> Rects;
  CollectTransparentPixels(Rects, 40, M.Piece(), 10, false);
  const std::vector<TPixelRect> Want{{0, 10, 2, 11}, {2, 11, 3, 12}, {36, 10, 37, 11}, {38, 10, 40, 11}};
  EXPECT_EQ(Rects, Want);
  Rects.clear();
  CollectTransparentPixels(Rects, 40, M.Piece(), 5, true);
  EXPECT_EQ(Rects, (std::vector<TPixelRect>{{37, 6, 38, 7}}));
}

TEST(CollectTransparentPixels, AnOpaqueKeyPixelCountsToo) {
  TMaster M(0, 0);
  M.Mask.WL = M.Mask.WR = M.Mask.WT = M.Mask.WB = 2;
  M.Image(3, 2) = KeyPixel | 0xFF000000u;
  std::vector<TPixelRect> Rects;
  CollectTransparentPixels(Rects, 40, M.Piece(), 0, false);
  EXPECT_EQ(Rects, (std::vector<TPixelRect>{{0, 0, 1, 1}}));
}

}  // namespace
