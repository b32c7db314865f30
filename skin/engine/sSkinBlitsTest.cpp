#include "skin/engine/sSkinBlits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 Untouched = 0xFF0A0B0C;

// Each source pixel tells where it comes from.
TColor32 Where(int X, int Y) { return 0xFF000000 | TColor32(Y) << 8 | TColor32(X); }
TTestImage Source(int W, int H) {
  TTestImage Img(W, H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Img(X, Y) = Where(X, Y);
  return Img;
}

// Where a tiled nine-slice reads along one axis (borders drawn at full width).
int TiledSource(int I, int D0, int D1, int S0, int S1, int Near, int Far) {
  if (I < D0 + Near) return S0 + (I - D0);
  if (I >= D1 - Far) return S1 - (D1 - I);
  return S0 + Near + (I - D0 - Near) % (S1 - S0 - Near - Far);
}

struct TNineSliceCase {
  const char* Name;
  TPixelRect DstRect;
  int Mode;
};

TEST(StretchOrTileBlt, TiledAndStretchedSidesReadTheirParts) {
  const TTestImage Src = Source(12, 12);
  const TPixelRect S{1, 1, 11, 11}, Borders{3, 2, 3, 4};  // middle 4 x 4
  const TNineSliceCase Cases[] = {
      {"middle an exact multiple across", {2, 2, 24, 25}, 0},  // 16 x 17
      {"cut tiles both ways", {1, 0, 26, 29}, 0},
      {"stretched twice the middle", {2, 2, 16, 16}, 1},  // 8 x 8
      {"target hanging out of the picture", {-5, -3, 35, 33}, 0},
  };
  for (const TNineSliceCase& C : Cases) {
    TTestImage Dst(30, 30, Untouched);
    StretchOrTileBlt(Dst.View, Src.View,
                     {C.DstRect, S, Borders, {255, 255, 255, 255}, {C.Mode, C.Mode, C.Mode, C.Mode}, uint8_t(C.Mode), true});
    const TPixelRect D = C.DstRect;
    for (int Y = 0; Y < 30; ++Y)
      for (int X = 0; X < 30; ++X) {
        TColor32 Want = Untouched;
        if (X >= D.Left && X < D.Right && Y >= D.Top && Y < D.Bottom) {
          int Sx = TiledSource(X, D.Left, D.Right, S.Left, S.Right, Borders.Left, Borders.Right);
          int Sy = TiledSource(Y, D.Top, D.Bottom, S.Top, S.Bottom, Borders.Top, Borders.Bottom);
          if (C.Mode == 1) {
            if (X >= D.Left + Borders.Left && X < D.Right - Borders.Right) Sx = S.Left + Borders.Left + (X - D.Left - Borders.Left) / 2;
            if (Y >= D.Top + Borders.Top && Y < D.Bottom - Borders.Bottom) Sy = S.Top + Borders.Top + (Y - D.Top - Borders.Top) / 2;
          }
          Want = Where(Sx, Sy);
        }
        ASSERT_EQ(Dst(X, Y), Want) << C.Name << " at " << X << "," << Y;
      }
  }
}

TEST(StretchOrTileBlt, MaxWidthsOfOneDrawOnePixelSides) {
  const TTestImage Src = Source(12, 12);
  TTestImage Dst(20, 20, Untouched);
  StretchOrTileBlt(Dst.View, Src.View, {{0, 0, 20, 20}, {0, 0, 12, 12}, {3, 3, 3, 3}, {1, 1, 1, 1}, {0, 0, 0, 0}, 0, true});
  // Corners: their whole width one row thick, then one column for the rest of their rows.
  EXPECT_EQ(Dst(2, 0), Where(2, 0));
  EXPECT_EQ(Dst(0, 2), Where(0, 2));
  EXPECT_EQ(Dst(1, 1), Untouched);
  EXPECT_EQ(Dst(17, 0), Where(9, 0));
  EXPECT_EQ(Dst(19, 2), Where(11, 2));
  EXPECT_EQ(Dst(18, 1), Untouched);
  EXPECT_EQ(Dst(17, 19), Where(9, 11));
  EXPECT_EQ(Dst(18, 18), Untouched);
  // Sides one pixel thick, the centre from the borders' full widths.
  EXPECT_EQ(Dst(0, 10), Where(0, 3 + (10 - 3) % 6));
  EXPECT_EQ(Dst(1, 10), Untouched);
  EXPECT_EQ(Dst(10, 0), Where(3 + 7 % 6, 0));
  EXPECT_EQ(Dst(10, 1), Untouched);
  EXPECT_EQ(Dst(3, 3), Where(3, 3));
  EXPECT_EQ(Dst(16, 16), Where(3 + 13 % 6, 3 + 13 % 6));
}

TEST(StretchOrTileBlt, ASourceNoWiderThanItsBordersHasNoTopBottomOrCentre) {
  const TTestImage Src = Source(6, 12);
  TTestImage Dst(20, 20, Untouched);
  StretchOrTileBlt(Dst.View, Src.View, {{0, 0, 20, 20}, {0, 0, 6, 12}, {3, 3, 3, 3}, {255, 255, 255, 255}, {0, 0, 0, 0},
                    0, true});
  EXPECT_EQ(Dst(10, 0), Untouched);
  EXPECT_EQ(Dst(10, 19), Untouched);
  EXPECT_EQ(Dst(10, 10), Untouched);
  EXPECT_EQ(Dst(0, 10), Where(0, 3 + 7 % 6));  // the left and right sides are drawn
  EXPECT_EQ(Dst(19, 10), Where(5, 3 + 7 % 6));
  EXPECT_EQ(Dst(2, 2), Where(2, 2));
  // Side modes other than 0 and 1, and no centre, draw only the corners.
  TTestImage Bare(20, 20, Untouched);
  StretchOrTileBlt(Bare.View, Src.View, {{0, 0, 20, 20}, {0, 0, 6, 12}, {3, 3, 3, 3}, {255, 255, 255, 255}, {2, 2, 2, 2},
                    0, false});
  EXPECT_EQ(Bare(0, 10), Untouched);
  EXPECT_EQ(Bare(19, 19), Where(5, 11));
}

TEST(StretchOrTileBlt, NegativeSizesAreSkipped) {
  const TTestImage Src = Source(12, 12);
  TTestImage Dst(20, 20, Untouched);
  // A target narrower than its borders: the stretched middle would be mirrored; it is not drawn.
  StretchOrTileBlt(Dst.View, Src.View, {{0, 0, 5, 20}, {0, 0, 12, 12}, {3, 3, 3, 3}, {255, 255, 255, 255}, {1, 1, 1, 1},
                    1, true});
  EXPECT_EQ(Dst(1, 10), Where(1, 3 + (10 - 3) * 6 / 14));  // left side
  EXPECT_EQ(Dst(2, 10), Where(9, 3 + (10 - 3) * 6 / 14));  // right side over it
  EXPECT_EQ(Dst(2, 0), Where(9, 0));
  EXPECT_EQ(Dst(5, 10), Untouched);
  // Negative borders draw nothing of theirs.
  TTestImage Other(20, 20, Untouched);
  StretchOrTileBlt(Other.View, Src.View, {{0, 0, 20, 20}, {0, 0, 12, 12}, {-3, -3, -3, -3}, {255, 255, 255, 255},
                    {0, 0, 0, 0}, 0, false});
  for (TColor32 P : Other.Pixels) ASSERT_EQ(P, Untouched);
}

// A strip of glyphs: glyph k is filled with its own colour, its bottom-left pixel is the key.
constexpr TColor32 GlyphKey = 0x00123456;
TColor32 GlyphColour(int K) { return 0xFF000000 | TColor32(K + 1) * 0x00102030; }
TTestImage Strip(int Count, int Gw = 4, int H = 3) {
  TTestImage Img(Count * Gw, H);
  for (int K = 0; K < Count; ++K)
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < Gw; ++X) Img(K * Gw + X, Y) = Y == H - 1 && X == 0 ? GlyphKey : GlyphColour(K);
  return Img;
}

struct TGlyphCase {
  int NumGlyphs;
  bool Enabled;
  int State;
  uint8_t Shift;
  bool Colours16;
  int Want;  // -1 nothing drawn
};

TEST(CopyGlyphBlended, ChoosesTheGlyphOfTheState) {
  const TGlyphCase Cases[] = {
      {4, true, 2, 1, false, 3}, {2, true, 2, 0, false, 1}, {2, true, 2, 0, true, 0}, {4, true, 1, 0, false, 1},
      {4, true, 1, 0, true, 0},  {4, false, 1, 0, false, 0}, {4, false, 2, 1, false, 0}, {4, true, 0, 0, false, 0},
      {4, true, 3, 0, false, -1}, {3, true, 2, 1, false, 1}, {4, true, 2, 0, false, 2},
  };
  for (const TGlyphCase& C : Cases) {
    const TTestImage Glyphs = Strip(C.NumGlyphs);
    TTestImage Dst(10, 6, Untouched);
    CopyGlyphBlended(Glyphs.View, C.Colours16, Dst.View, {{2, 1, 6, 4}, C.NumGlyphs, C.Enabled, 1, C.State, 0, C.Shift});
    EXPECT_EQ(GlyphIndex(C.NumGlyphs, C.Enabled, C.State, C.Shift, C.Colours16), C.Want);
    EXPECT_EQ(Dst(3, 1), C.Want < 0 ? Untouched : GlyphColour(C.Want)) << C.NumGlyphs << " " << C.State;
    EXPECT_EQ(Dst(2, 3), Untouched);  // the key pixel
    EXPECT_EQ(Dst(6, 1), Untouched);  // one glyph only
  }
}

TEST(CopyGlyphBlended, SingleGlyphsAndDisabledLooks) {
  const TTestImage One = Strip(1);
  // Enabled: the glyph at alpha 255, key left out. NumGlyphs 0 counts as one glyph.
  for (int Count : {1, 0}) {
    TTestImage Dst(10, 6, Untouched);
    CopyGlyphBlended(One.View, false, Dst.View, {{2, 1, 6, 4}, Count, true, 0, 1, 0, 0});
    EXPECT_EQ(Dst(3, 1), GlyphColour(0));
    EXPECT_EQ(Dst(2, 3), Untouched);
  }
  // Disabled with Effects 1: half and half with what lies below, within R's size.
  TTestImage Half(10, 6, Untouched);
  CopyGlyphBlended(One.View, false, Half.View, {{2, 1, 5, 3}, 1, false, 1, 0, 0, 0});
  const TColor32 G = GlyphColour(0);
  TColor32 Mix = Untouched & 0xFF000000;
  for (int I = 0; I < 3; ++I)
    Mix |= TColor32(std::lround(Channel(G, I) * 0.5 + Channel(Untouched, I) * 0.5)) << (8 * I);
  EXPECT_EQ(Half(3, 1), Mix);
  EXPECT_EQ(Half(5, 1), Untouched);  // R is 3 wide
  // Disabled with Effects 2: gray.
  TTestImage Gray(10, 6, Untouched);
  CopyGlyphBlended(One.View, false, Gray.View, {{2, 1, 6, 4}, 1, false, 2, 0, 0, 0});
  const TColor32 Level = (0x30 + 0x20 + 0x10) / 3;
  EXPECT_EQ(Gray(3, 1), 0xFF000000 | Level * 0x010101);
  // Enabled in state 0 with a blend percent: blended at that factor.
  TTestImage Faded(10, 6, Untouched);
  CopyGlyphBlended(One.View, false, Faded.View, {{0, 0, 4, 3}, 1, true, 0, 0, 100, 0});
  EXPECT_EQ(Faded(1, 1), Untouched);
}

TEST(CopyChannel, MovesOneByteEachWay) {
  TTestImage Bmp(5, 3);
  for (size_t I = 0; I < Bmp.Pixels.size(); ++I) Bmp.Pixels[I] = TColor32(I) << 24 | 0x00AABBCC;
  std::vector<uint8_t> Bytes(8 * 3, 0xEE);
  const TByteView Alpha{Bytes.data(), 8, 3, 8, 1};  // wider than the 32-bit picture
  CopyChannel(Bmp.View, Alpha, 3, true);
  for (int Y = 0; Y < 3; ++Y)
    for (int X = 0; X < 8; ++X) EXPECT_EQ(Bytes[Y * 8 + X], X < 5 ? Y * 5 + X : 0xEE);
  for (uint8_t& B : Bytes) B = uint8_t(255 - B);
  CopyChannel(Bmp.View, Alpha, 3, false);
  for (int Y = 0; Y < 3; ++Y)
    for (int X = 0; X < 5; ++X) EXPECT_EQ(Bmp(X, Y), TColor32(255 - (Y * 5 + X)) << 24 | 0x00AABBCC);
  CopyChannel(Bmp.View, Alpha, 0, true);
  EXPECT_EQ(Bytes[0], 0xCC);
  CopyChannel(Bmp.View, Alpha, 4, true);  // no such byte
  EXPECT_EQ(Bytes[0], 0xCC);
}

}  // namespace
