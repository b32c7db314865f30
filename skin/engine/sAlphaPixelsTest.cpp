#include "skin/engine/sAlphaPixels.h"

#include <gtest/gtest.h>

#include <functional>

#include "widgets/PixelTestImage.h"

namespace {

// A one-pixel mix of Dst by Src with the given weight.
uint32_t BlendOne(uint8_t Alpha, TColor32 DstPixel, TColor32 SrcPixel) {
  TTestImage Src(2, 2, SrcPixel), Dst(2, 2, DstPixel);
  TacFastSum32 Sum;
  if (!Sum.Attach(Src.View, Dst.View)) return 0xDEAD;
  Sum.Alpha = Alpha;
  Sum.DstRect = Sum.SrcRect = {0, 0, 1, 1};
  Sum.BlendBytes();
  return Dst(0, 0);
}

TEST(AlphaPixels, EdgeCases) {
  struct Case {
    const char* Name;
    std::function<uint32_t()> Run;
    uint32_t Expected;
  } cases[] = {
      {"Fast32 refuses one row and clears Width",
       [] {
         TTestImage I(5, 1);
         TacFast32 F;
         F.Width = 9;
         return uint32_t(F.Attach(I.View)) * 100 + uint32_t(F.Width);
       },
       0},
      {"Fast32 takes two rows",
       [] {
         TTestImage I(5, 2);
         TacFast32 F;
         return uint32_t(F.Attach(I.View)) * 100 + uint32_t(F.Width);
       },
       105},
      {"FillRect32 fills a one-row bitmap",
       [] {
         TTestImage I(4, 1);
         FillRect32(I.View, {1, 0, 3, 1}, 0x0000FF);
         return I(2, 0) ^ I(0, 0);
       },
       0xFFFF0000},
      {"FastSum32 refuses 1 x N", [] {
         TTestImage A(1, 5), B(5, 5);
         TacFastSum32 S;
         return uint32_t(S.Attach(A.View, B.View)) + uint32_t(S.Attach(B.View, A.View));
       }, 0},
      {"FastSum32 refuses N x 1", [] {
         TTestImage A(5, 1), B(5, 5);
         TacFastSum32 S;
         return uint32_t(S.Attach(A.View, B.View)) + uint32_t(S.Attach(B.View, A.View));
       }, 0},
      {"Blend weight 255 keeps 255/256", [] { return BlendOne(255, 0xC8C8C8C8, 0) & 0xFF; }, 199},
      {"Blend weight 0 gives 254 of 255", [] { return BlendOne(0, 0, 0xFFFFFFFF); }, 0xFEFEFEFE},
      {"FillAlphaRect skips the key",
       [] {
         TTestImage I(2, 2, KeyPixel);
         I(1, 0) = 0xFFFF00FF;
         FillAlphaRect(I.View, {0, 0, 2, 1}, 0x40, true);
         return I(0, 0) == KeyPixel && I(1, 0) == 0x40FF00FF;
       },
       1},
      {"BlendRectWithColor 100 keeps",
       [] {
         TTestImage I(2, 2, 0x80123456);
         BlendRectWithColor(I.View, {0, 0, 2, 2}, 100, 0xABCDEF);
         return I(1, 1);
       },
       0x80123456},
      {"BlendRectWithColor 0 gives the colour",
       [] {
         TTestImage I(2, 2, 0x80123456);
         BlendRectWithColor(I.View, {0, 0, 2, 2}, 0, 0xABCDEF);
         return I(1, 1);
       },
       0x80EFCDAB},
      {"Corner copy through a key-free mask changes nothing",
       [] {
         TTestImage Dst(3, 3, KeyPixel), Src(3, 3, 0x11111111), Mask(3, 3, 0xFF000000);
         TsMaskData Piece;
         Piece.R = {0, 0, 3, 3};
         Piece.ImageCount = 1;
         FillCornerTransparency(Dst.View, Src.View, {0, 0, 3, 3}, {}, &Piece, Mask.View, 13);
         return Dst(1, 1);
       },
       KeyPixel},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Run(), c.Expected) << c.Name;
}

TEST(AlphaPixels, BlendBytesMatchesSlowMixForEveryWeight) {
  const TTestImage Src = TTestImage::Random(4, 3, 7), Start = TTestImage::Random(4, 3, 8);
  for (int Alpha = 0; Alpha < 256; ++Alpha) {
    TTestImage Dst(Start);
    TacFastSum32 Sum;
    ASSERT_TRUE(Sum.Attach(Src.View, Dst.View));
    Sum.Alpha = uint8_t(Alpha);
    Sum.DstRect = Sum.SrcRect = {0, 0, 4, 3};
    Sum.BlendBytes();
    for (int Y = 0; Y < 3; ++Y) {
      for (int X = 0; X < 4; ++X) {
        for (int I = 0; I < 4; ++I) {
          const int Expected = (Channel(Start(X, Y), I) * Alpha + Channel(Src(X, Y), I) * (255 - Alpha) + 127) / 256;
          ASSERT_EQ(Channel(Dst(X, Y), I), Expected) << Alpha << " " << X << "," << Y << " byte " << I;
        }
      }
    }
  }
}

TEST(AlphaPixels, BlendBytesPlacesTheSourceAndClipsToBothViews) {
  TTestImage Src(3, 3), Dst(4, 4, 0);
  for (int Y = 0; Y < 3; ++Y)
    for (int X = 0; X < 3; ++X) Src(X, Y) = 0x01010101u * uint32_t(10 * Y + X + 1);
  TacFastSum32 Sum;
  ASSERT_TRUE(Sum.Attach(Src.View, Dst.View));
  Sum.Alpha = 0;
  // Source column 0 and the source's bottom row under destination column 2 and row 4 (outside).
  Sum.DstRect = {2, -3, 9, 5};
  Sum.SrcRect = {0, 0, 0, 3};
  Sum.BlendBytes();
  // Destination (2 + c, 2 + r) takes source (c, r): rows 5 - 3 = 2 above.
  for (int Y = 0; Y < 4; ++Y) {
    for (int X = 0; X < 4; ++X) {
      const bool In = X >= 2 && Y >= 2;
      const uint32_t V = In ? (uint32_t(10 * (Y - 2) + (X - 2) + 1) * 255 + 127) >> 8 : 0;
      EXPECT_EQ(Dst(X, Y), 0x01010101u * V) << X << "," << Y;
    }
  }
}

TEST(AlphaPixels, FillsClipAndFrameStrips) {
  TTestImage I(6, 5, 0);
  TacFast32 F;
  ASSERT_TRUE(F.Attach(I.View));
  F.FillRect({-3, -3, 2, 1}, 0x00123456);
  EXPECT_EQ(I(1, 0), 0xFF123456);
  EXPECT_EQ(I(2, 0), 0u);
  F.SetPixel(5, 4, TColor(0x80563412));
  EXPECT_EQ(I(5, 4), 0x80123456u);
  EXPECT_EQ(uint32_t(F.GetPixel(5, 4)), 0x80563412u);

  TTestImage Frame(6, 5, 0);
  FillRect32Frame(Frame.View, {0, 0, 6, 5}, 1, 1, 2, 1, 0x0000FF);
  const char* Expected[] = {"XXXXXX", "X...XX", "X...XX", "X...XX", "XXXXXX"};
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 6; ++X) EXPECT_EQ(Frame(X, Y) == 0xFFFF0000, Expected[Y][X] == 'X') << X << "," << Y;
  FillRect32(Frame.View, {4, 3, 100, 100}, 0x00FF00);
  EXPECT_EQ(Frame(5, 4), 0xFF00FF00u);
}

TEST(AlphaPixels, BlendRectWithColorIsHalfOpenAndRoundsToEven) {
  TTestImage I(3, 3, 0xFF010101);
  BlendRectWithColor(I.View, {-1, -1, 2, 2}, 50, 0x000000);
  EXPECT_EQ(I(1, 1), 0xFF000000u);  // 0.5 rounds to 0
  EXPECT_EQ(I(2, 1), 0xFF010101u);
  EXPECT_EQ(I(1, 2), 0xFF010101u);
  TTestImage J(1, 1, 0x00030303);
  BlendRectWithColor(J.View, {0, 0, 1, 1}, 50, 0x000000);
  EXPECT_EQ(J(0, 0), 0x00020202u);  // 1.5 rounds to 2
}

TEST(AlphaPixels, CornerTransparencyFollowsTheKeyAndStaysInside) {
  TTestImage Dst(4, 4, 0xFF000000), Src(4, 4, 0xFFAAAAAA);
  Dst(0, 0) = 0xFFFF00FF;  // key with alpha: alpha is not looked at
  Dst(3, 3) = KeyPixel;
  FillCornerTransparency(Dst.View, Src.View, {2, 2, 10, 10}, {2, 2}, nullptr, {}, 13);
  EXPECT_EQ(Dst(3, 3), 0xFFAAAAAAu);
  EXPECT_EQ(Dst(0, 0), 0xFFFF00FFu);
  FillCornerTransparency(Dst.View, Src.View, {-1, -1, 3, 3}, {0, 0}, nullptr, {}, 13);
  EXPECT_EQ(Dst(0, 0), 0xFFAAAAAAu);

  // A piece of two state images 3 x 4 at (2, 0) with borders 2 wide: each corner's origin in the image.
  TsMaskData Piece;
  Piece.R = {2, 0, 8, 4};
  Piece.ImageCount = 2;
  Piece.WR = 2;
  Piece.WB = 2;
  struct Case {
    int Corner;
    int KeyX, KeyY;
  } cases[] = {{13, 2, 0}, {14, 3, 0}, {16, 2, 2}, {17, 3, 2}, {15, 2, 0}};
  for (const Case& c : cases) {
    TTestImage Image(8, 4, 0);
    Image(c.KeyX + 1, c.KeyY + 1) = KeyPixel;
    TTestImage Target(2, 2, 0x01);
    FillCornerTransparency(Target.View, Src.View, {0, 0, 2, 2}, {0, 0}, &Piece, Image.View, c.Corner);
    for (int Y = 0; Y < 2; ++Y)
      for (int X = 0; X < 2; ++X)
        EXPECT_EQ(Target(X, Y), X == 1 && Y == 1 ? 0xFFAAAAAAu : 0x01u) << c.Corner << " " << X << "," << Y;
  }
  // The origin near the image's edge: only what lies inside is read.
  TTestImage Small(4, 3, KeyPixel), Target(3, 3, 0x01);
  FillCornerTransparency(Target.View, Src.View, {0, 0, 3, 3}, {0, 0}, &Piece, Small.View, 17);
  EXPECT_EQ(Target(0, 0), 0xFFAAAAAAu);
  EXPECT_EQ(Target(1, 0), 0x01u);
  EXPECT_EQ(Target(0, 1), 0x01u);
}

}  // namespace
