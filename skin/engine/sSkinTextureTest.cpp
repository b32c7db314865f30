#include "skin/engine/sSkinTexture.h"

#include <gtest/gtest.h>

#include "skin/engine/sMaskPaint.h"
#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 Untouched = 0xFF0A0B0C;

TColor32 Where(int X, int Y) { return 0xFF000000 | TColor32(Y) << 8 | TColor32(X); }

struct TTextureCase {
  int Mode;
  TPixelRect Left;       // the rectangle answered
  TPixelRect Painted;    // the part painted
};

TEST(PaintTexture, EachModePaintsItsPartAndAnswersWhatIsLeft) {
  TTestImage Img(8, 8);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X) Img(X, Y) = Where(X, Y);
  const TPixelRect ImgR{1, 1, 5, 4}, R{2, 2, 15, 17};  // a 4 x 3 image
  const TTextureCase Cases[] = {
      {0, {-1, -1, -1, -1}, R},          {10, {-1, -1, -1, -1}, R},        {1, {-1, -1, -1, -1}, R},
      {2, {2, 5, 15, 17}, {2, 2, 15, 5}}, {3, {6, 2, 15, 17}, {2, 2, 6, 17}}, {4, {2, 5, 15, 17}, {2, 2, 15, 5}},
      {5, {6, 2, 15, 17}, {2, 2, 6, 17}}, {6, {2, 2, 15, 14}, {2, 14, 15, 17}}, {7, {2, 2, 11, 17}, {11, 2, 15, 17}},
      {99, {11, 2, 15, 17}, {11, 2, 15, 17}},
  };
  for (const TTextureCase& C : Cases) {
    TTestImage Dst(20, 20, Untouched);
    EXPECT_EQ(PaintTexture(Dst.View, R, Img.View, ImgR, C.Mode), C.Left) << C.Mode;
    for (int Y = 0; Y < 20; ++Y)
      for (int X = 0; X < 20; ++X) {
        const TPixelRect& P = C.Painted;
        const bool In = X >= P.Left && X < P.Right && Y >= P.Top && Y < P.Bottom;
        ASSERT_EQ(Dst(X, Y) != Untouched, In) << "mode " << C.Mode << " at " << X << "," << Y;
        if (In && C.Mode != 1 && C.Mode != 4 && C.Mode != 5) {  // tiles start at the part's top-left corner
          ASSERT_EQ(Dst(X, Y), Where(1 + (X - P.Left) % 4, 1 + (Y - P.Top) % 3)) << C.Mode;
        }
      }
  }
}

// A masked texture piece: pictures in the upper half, masks below, in a master picture.
struct TMaskedPiece {
  TTestImage Master{12, 10, 0};
  TsMaskData Mask;
  TMaskedPiece() {
    Mask.R = {2, 1, 6, 7};  // one image 4 x 3
    Mask.ImageCount = 1;
    Mask.MaskType = 1;
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < 4; ++X) {
        Master(2 + X, 1 + Y) = X == 3 && Y == 2 ? KeyPixel : 0xFF000000 | TColor32(40 * X + 10) << 16 | TColor32(Y);
        Master(2 + X, 4 + Y) = X == 0 ? 0x00000000 : X == 1 ? 0x00FFFFFF : 0x00808080;
      }
  }
};

TColor32 Mixed(TColor32 D, TColor32 S, TColor32 M) {
  TColor32 Out = D & 0xFF000000;
  for (int C = 0; C < 3; ++C)
    Out |= TColor32((Channel(D, C) * Channel(M, C) + Channel(S, C) * (256 - Channel(M, C))) >> 8) << 8 * C;
  return Out;
}

TEST(CopyMaskedRect, MixesThroughTheMaskAndFillsKeyPixels) {
  TMaskedPiece P;
  TTestImage Parent(16, 16);
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) Parent(X, Y) = 0x7F000000 | (Where(X, Y) & 0xFFFFFF);
  struct TCase {
    const char* Name;
    TsCacheView Bg;
    TColor32 Key;  // the key pixel's result at (3, 2) of the tile
  };
  const TCase Cases[] = {
      {"not ready, no fill colour: key pixels stay", {{}, 0, 0, clFuchsia, false}, Untouched},
      {"not ready, fill colour: the whole value", {{}, 0, 0, TColor(0x40112233), false}, 0x40332211},
      {"ready, fill colour: its colour bytes", {Parent.View, 0, 0, TColor(0x40112233), true}, 0xFF332211},
      {"ready: the parent's pixel", {Parent.View, 2, 3, clFuchsia, true}, 0x7F000000 | (Where(5 + 3 + 2, 4 + 2 + 3) & 0xFFFFFF)},
  };
  for (const TCase& C : Cases) {
    TTestImage Dst(10, 10, Untouched);
    CopyMaskedRect({{5, 4, 9, 7}, {2, 1, 6, 4}, Dst.View, C.Bg, &P.Mask, P.Master.View});
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < 4; ++X) {
        const TColor32 Want = X == 3 && Y == 2 ? C.Key : Mixed(Untouched, P.Master(2 + X, 1 + Y), P.Master(2 + X, 4 + Y));
        EXPECT_EQ(Dst(5 + X, 4 + Y), Want) << C.Name << " at " << X << "," << Y;
      }
    EXPECT_EQ(Dst(4, 4), Untouched);
    EXPECT_EQ(Dst(5, 7), Untouched);
  }
}

TEST(CopyMaskedRect, AOneRowParentPaintsNothingAndEverythingIsCut) {
  TMaskedPiece P;
  TTestImage OneRow(16, 1, 0xFF000000), Dst(10, 10, Untouched);
  CopyMaskedRect({{0, 0, 4, 3}, {2, 1, 6, 4}, Dst.View, {OneRow.View, 0, 0, clFuchsia, true}, &P.Mask, P.Master.View});
  for (TColor32 D : Dst.Pixels) ASSERT_EQ(D, Untouched);
  // Negative starts move both together; the counts stop at every picture's edge.
  CopyMaskedRect({{-1, 8, 3, 11}, {2, 1, 6, 4}, Dst.View, {}, &P.Mask, P.Master.View});
  EXPECT_EQ(Dst(0, 8), Mixed(Untouched, P.Master(3, 1), P.Master(3, 4)));
  EXPECT_EQ(Dst(1, 9), Mixed(Untouched, P.Master(4, 2), P.Master(4, 5)));
  EXPECT_EQ(Dst(0, 7), Untouched);
  EXPECT_EQ(Dst(3, 8), Untouched);
  // A source start above the master: both tops move down by as much.
  TTestImage Other(10, 10, Untouched);
  CopyMaskedRect({{4, 4, 8, 7}, {2, -1, 6, 2}, Other.View, {}, &P.Mask, P.Master.View});
  EXPECT_EQ(Other(4, 4), Untouched);
  EXPECT_EQ(Other(4, 5), Mixed(Untouched, P.Master(2, 0), P.Master(2, 3)));
  EXPECT_EQ(Other(4, 6), Mixed(Untouched, P.Master(2, 1), P.Master(2, 4)));
  // Mask rows below the master are not read.
  TTestImage Low(10, 10, Untouched);
  CopyMaskedRect({{0, 0, 4, 3}, {2, 5, 6, 8}, Low.View, {}, &P.Mask, P.Master.View});
  EXPECT_EQ(Low(0, 1), Mixed(Untouched, P.Master(2, 6), P.Master(2, 9)));
  EXPECT_EQ(Low(0, 2), Untouched);
}

TEST(PaintMaskedTexture, Mode0TilesToTheEdgesAndMode10FillsTheStrips) {
  TMaskedPiece P;
  TTestImage Tiled(12, 12, Untouched);
  const TPixelRect R{1, 1, 11, 9};  // 2 whole tiles across (4 wide) and 2 down (3 high), then cut ones
  PaintMaskedTexture({Tiled.View, R, {{}, 0, 0, clFuchsia, false}, &P.Mask, P.Master.View, 0});
  for (int Y = 0; Y < 12; ++Y)
    for (int X = 0; X < 12; ++X) {
      const bool In = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
      const int Tx = (X - R.Left) % 4, Ty = (Y - R.Top) % 3;
      const bool Key = Tx == 3 && Ty == 2;
      ASSERT_EQ(Tiled(X, Y), !In || Key ? Untouched : Mixed(Untouched, P.Master(2 + Tx, 1 + Ty), P.Master(2 + Tx, 4 + Ty)))
          << X << "," << Y;
    }
  TTestImage Filled(12, 12, Untouched);
  PaintMaskedTexture({Filled.View, R, {{}, 0, 0, TColor(0x00332211), false}, &P.Mask, P.Master.View, 10});
  EXPECT_EQ(Filled(9, 1), 0xFF112233);  // right strip
  EXPECT_EQ(Filled(1, 7), 0xFF112233);  // bottom strip
  EXPECT_EQ(Filled(4, 3), 0x00112233u);  // the key pixel of a whole tile takes the fill colour, its alpha too
  EXPECT_EQ(Filled(11, 1), Untouched);
  TTestImage Parent(12, 12, 0x80445566), FromParent(12, 12, Untouched);
  PaintMaskedTexture({FromParent.View, R, {Parent.View, 0, 0, clFuchsia, true}, &P.Mask, P.Master.View, 10});
  EXPECT_EQ(FromParent(10, 8), 0x80445566);
  EXPECT_EQ(FromParent(1, 1), Mixed(Untouched, P.Master(2, 1), P.Master(2, 4)));
  TTestImage None(12, 12, Untouched);
  PaintMaskedTexture({None.View, R, {}, &P.Mask, P.Master.View, 2});
  for (TColor32 D : None.Pixels) ASSERT_EQ(D, Untouched);
}

struct TLayoutCase {
  TButtonLayoutInput In;
  TPixelPoint Glyph;
  TPixelRect Caption;
};

TEST(CalcButtonLayout, PlacesGlyphAndCaption) {
  const TPixelRect C{0, 0, 100, 40};
  const TPixelPoint G{16, 16}, T{30, 12};
  const TLayoutCase Cases[] = {
      {{C, G, T, false, -1, -1, 2, 0}, {18, 12}, {52, 14, 82, 26}},   // both automatic: thirds
      {{C, G, T, false, 4, -1, 2, 0}, {25, 12}, {45, 14, 75, 26}},    // centred margin
      {{C, G, T, false, 4, -1, 0, 0}, {2, 12}, {22, 14, 52, 26}},     // margin 2 unless centred
      {{C, G, T, false, -1, 5, 2, 0}, {5, 12}, {45, 14, 75, 26}},     // spacing from the margin
      {{C, G, T, false, 4, 5, 2, 1}, {79, 12}, {45, 14, 75, 26}},     // glyph right
      {{C, G, T, true, 4, 5, 2, 1}, {5, 12}, {25, 14, 55, 26}},       // right-to-left: right becomes left
      {{C, G, T, true, 4, 5, 2, 0}, {79, 12}, {45, 14, 75, 26}},
      {{C, G, T, false, -1, -1, 2, 2}, {42, 4}, {35, 24, 65, 36}},    // glyph top
      {{C, G, T, false, 2, 3, 2, 3}, {42, 21}, {35, 7, 65, 19}},      // glyph bottom
      {{C, G, {0, 0}, false, 4, -1, 2, 0}, {42, 12}, {58, 20, 58, 20}},  // no caption: no spacing
      {{{10, 20, 110, 60}, G, T, false, 4, 5, 2, 0}, {15, 32}, {35, 34, 65, 46}},
  };
  for (const TLayoutCase& L : Cases) {
    const TButtonPlaces P = CalcButtonLayout(L.In);
    EXPECT_EQ(P.Glyph.X, L.Glyph.X) << L.In.Layout << " " << L.In.Margin << " " << L.In.Spacing;
    EXPECT_EQ(P.Glyph.Y, L.Glyph.Y) << L.In.Layout << " " << L.In.Margin << " " << L.In.Spacing;
    EXPECT_EQ(P.Caption, L.Caption) << L.In.Layout << " " << L.In.Margin << " " << L.In.Spacing;
  }
}

}  // namespace
