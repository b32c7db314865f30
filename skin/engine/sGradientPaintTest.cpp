#include "skin/engine/sGradientPaint.h"

#include <gtest/gtest.h>

#include <cmath>

#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 Blank = 0x12345678;

TsGradArray Parse(const char* Text) {
  TsGradArray Data;
  ParseGradientData(Text, Data);
  return Data;
}

// The stepping written out: channel values as 32-bit floats, 64-bit increments, ties to even.
std::vector<TColor32> SlowBand(TColor C1, TColor C2, int Len) {
  std::vector<TColor32> Out;
  float V[3];
  double D[3];
  for (int I = 0; I < 3; ++I) {
    V[I] = float((C1 >> (8 * I)) & 255);
    D[I] = (double((C2 >> (8 * I)) & 255) - double((C1 >> (8 * I)) & 255)) / Len;
  }
  for (int P = 0; P <= Len; ++P) {
    TColor32 Px = 0xFF000000u;
    for (int I = 0; I < 3; ++I) Px |= uint32_t(std::nearbyint(V[I])) << (16 - 8 * I);
    Out.push_back(Px);
    for (int I = 0; I < 3; ++I) V[I] = float(V[I] + D[I]);
  }
  return Out;
}

TEST(GradientPaint, VerticalBandsFollowThePercentages) {
  struct Case {
    const char* Text;
    int Rows;
    std::vector<TColor32> Column;  // empty: the slow band of the first step over all rows
  } cases[] = {
      {"0;255;100;0;0", 10, {}},
      {"0;255;100;0;0;1;2", 10, {}},  // 7 fields: one step
      {"-7;255;150;0;0", 10, {}},     // clamps: colour 0, percent 100
      {"0;16777215;37;0;0", 100, {}},
      {"1;2;3;0", 10, std::vector<TColor32>(10, Blank)},  // 4 fields: nothing
      {"255;255;50;0;0;65280;65280;50;0;0", 4,
       {0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00}},  // equal colours fill; bands share row 2
      {"255;255;10;0;0;65280;65280;10;0;0", 4,
       {0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0xFF00FF00}},  // 10% of 4 rows is none: the last band takes all
  };
  for (const Case& c : cases) {
    const TsGradArray Data = Parse(c.Text);
    TTestImage Img(3, c.Rows, Blank);
    PaintGradient(Img.View, {0, 0, 3, c.Rows}, Data, 0, 0);
    const std::vector<TColor32> Want = c.Column.empty() ? SlowBand(Data[0].Color1, Data[0].Color2, c.Rows - 1) : c.Column;
    for (int Y = 0; Y < c.Rows; ++Y)
      for (int X = 0; X < 3; ++X) EXPECT_EQ(Img(X, Y), Want[Y]) << c.Text << " row " << Y;
  }
  TTestImage Img(1, 10);
  PaintGradient(Img.View, {0, 0, 1, 10}, Parse("0;255;100;0;0"), 0, 0);
  EXPECT_EQ(Img(0, 0), 0xFF000000u);
  EXPECT_EQ(Img(0, 9), 0xFFFF0000u);
}

TEST(GradientPaint, HorizontalRowIsCopiedDown) {
  const TsGradArray Data = Parse("16711680;255;30;1;0;255;65280;20;1;0");
  TTestImage Img(20, 5, Blank);
  PaintGradient(Img.View, {0, 1, 20, 5}, Data, 0, 0);
  // Band 1: columns 0..6 (round(30 * 0.2)), band 2 from 6 to the last column.
  std::vector<TColor32> Row = SlowBand(Data[0].Color1, Data[0].Color2, 6);
  const std::vector<TColor32> Second = SlowBand(Data[1].Color1, Data[1].Color2, 13);
  Row.pop_back();
  Row.insert(Row.end(), Second.begin(), Second.end());
  for (int X = 0; X < 20; ++X) {
    EXPECT_EQ(Img(X, 0), Blank);
    for (int Y = 1; Y < 5; ++Y) EXPECT_EQ(Img(X, Y), Row[X]) << X << "," << Y;
  }
}

TEST(GradientPaint, RectanglesAreCutToTheBitmap) {
  const TsGradArray Vertical = Parse("0;255;100;0;0"), Horizontal = Parse("0;255;100;1;0");
  struct Case {
    TPixelRect R;
    TPixelRect Painted;
  } cases[] = {
      {{-3, -2, 4, 3}, {0, 0, 4, 3}},   {{2, 1, 40, 40}, {2, 1, 6, 5}}, {{-10, 0, -1, 5}, {}},
      {{0, -9, 6, -2}, {}},            {{6, 0, 9, 5}, {}},             {{0, 5, 6, 9}, {}},
      {{7, 7, 12, 12}, {}},            {{3, 3, 3, 5}, {}},
  };
  for (const TsGradArray* Data : {&Vertical, &Horizontal}) {
    for (const Case& c : cases) {
      TTestImage Img(6, 5, Blank);
      TPixelRect R = c.R;
      EXPECT_EQ(GradientArea(Img.View, R), !IsRectEmpty(c.Painted));
      PaintGradient(Img.View, c.R, *Data, 0, 0);
      for (int Y = 0; Y < 5; ++Y)
        for (int X = 0; X < 6; ++X) {
          const bool Inside = X >= c.Painted.Left && X < c.Painted.Right && Y >= c.Painted.Top && Y < c.Painted.Bottom;
          EXPECT_EQ(Img(X, Y) != Blank, Inside) << c.R.Left << "," << c.R.Top << " at " << X << "," << Y;
        }
    }
  }
}

TEST(GradientPaint, BlendedWithTransparencyZeroEqualsPlain) {
  const TsGradArray Data = Parse("255;16711680;60;0;0;16711680;65280;40;0;0");
  const TTestImage Bg = TTestImage::Random(7, 5, 3);
  TTestImage Plain(13, 11, Blank), Mixed(13, 11, Blank);
  PaintGradient(Plain.View, {1, 2, 12, 11}, Data, 0, 0);
  PaintGradientBlended(Mixed.View, {1, 2, 12, 11}, Data, Bg.View, {}, 0);
  EXPECT_EQ(Mixed.Pixels, Plain.Pixels);
}

// (G * 256 + (B - G) * T) shr 8 per channel.
TColor32 SlowMix(TColor32 G, TColor32 B, int T) {
  TColor32 Out = 0xFF000000u;
  for (int I = 0; I < 3; ++I) Out |= uint32_t((Channel(G, I) * 256 + (Channel(B, I) - Channel(G, I)) * T) >> 8) << (8 * I);
  return Out;
}

TEST(GradientPaint, BlendedTilesTheBackgroundFromTheBitmapOrigin) {
  const TTestImage Bg = TTestImage::Random(9, 8, 5);
  const TPixelRect Tile{2, 1, 6, 5};  // 4 x 4, all inside
  for (const char* Text : {"255;16711680;100;0;0", "255;16711680;100;1;0"}) {
    const TsGradArray Data = Parse(Text);
    TTestImage Plain(17, 14, Blank), Mixed(17, 14, Blank);
    const TPixelRect R{1, 1, 16, 14};
    PaintGradient(Plain.View, R, Data, 0, 0);
    PaintGradientBlended(Mixed.View, R, Data, Bg.View, Tile, 200);
    for (int Y = 0; Y < 14; ++Y)
      for (int X = 0; X < 17; ++X) {
        if (Y < 1 || X < 1 || X >= 16) {
          EXPECT_EQ(Mixed(X, Y), Blank);
          continue;
        }
        if (Data[0].Mode == 1 && Y > 3) continue;  // the copies of the mixed block, checked next
        EXPECT_EQ(Mixed(X, Y), SlowMix(Plain(X, Y), Bg(2 + X % 4, 1 + Y % 4), 200)) << Text << " " << X << "," << Y;
      }
    if (Data[0].Mode != 1) continue;
    // The block of k = 3 rows repeats from row Top + k down to the last row.
    for (int Y = 4; Y < 14; ++Y)
      for (int X = 1; X < 16; ++X) EXPECT_EQ(Mixed(X, Y), Mixed(X, 1 + (Y - 1) % 3)) << X << "," << Y;
  }
}

TEST(GradientPaint, DegenerateTilesAndSingleRowTiles) {
  const TsGradArray Data = Parse("255;16711680;100;1;0");
  const TTestImage Bg = TTestImage::Random(4, 4, 9);
  for (const TPixelRect Tile : {TPixelRect{3, 0, 4, 4}, TPixelRect{0, 3, 4, 4}, TPixelRect{5, 5, 9, 9}}) {
    TTestImage Img(6, 6, Blank);
    PaintGradientBlended(Img.View, {0, 0, 6, 6}, Data, Bg.View, Tile, 128);  // tile cut to width or height 0
    EXPECT_EQ(Img.Pixels, std::vector<TColor32>(36, Blank));
  }
  // A tile one row high: k = 0, every row is a copy of the first, the last one included.
  TTestImage Img(6, 6, Blank);
  PaintGradientBlended(Img.View, {0, 0, 6, 6}, Data, Bg.View, {0, 1, 4, 2}, 128);
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 6; ++X) EXPECT_EQ(Img(X, Y), Img(X, 0)) << X << "," << Y;
  EXPECT_NE(Img(0, 0), Blank);
}

TEST(GradientPaint, TriangleVerticesTakeTheStepsColours) {
  struct Case {
    const char* Text;
    TColor Colors[5];
  } cases[] = {
      {"1;9;0;2;0", {1, 1, 1, 1, 1}},
      {"1;9;0;2;0;2;9;0;0;0;3;9;0;0;0", {1, 2, 3, 3, 3}},
      {"1;9;0;2;0;2;9;0;0;0;3;9;0;0;0;4;0;0;0;0;5;0;0;0;0;6;0;0;0;0", {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    const auto V = GradientTriangleVertices({2, 3, 11, 8}, Parse(c.Text));
    const int Pos[5][2] = {{2, 3}, {6, 5}, {11, 3}, {11, 8}, {2, 8}};
    for (int I = 0; I < 5; ++I) EXPECT_EQ(V[I], (TGradientVertex{Pos[I][0], Pos[I][1], c.Colors[I]})) << c.Text << I;
  }
}

}  // namespace
