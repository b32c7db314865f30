// Blending, fading and keyed copies against references written out from their formulas.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinResize.h"
#include "widgets/Bitmap32_Transforms.h"
#include "widgets/PixelTestImage.h"

namespace {

constexpr TColor32 Key = KeyPixel;

// Per-pixel alpha of one pixel, as the formulas say.
TColor32 SlowAlpha(TColor32 D, TColor32 S, int A) {
  TColor32 Out = 0;
  for (int I = 0; I < 3; ++I) Out |= uint32_t((Channel(D, I) * 256 + (Channel(S, I) - Channel(D, I)) * A) / 256) << (8 * I);
  int Da = Channel(D, 3);
  if (A != 0) Da += (255 - Da) * A / 255;
  return Out | uint32_t(Da) << 24;
}

// A source whose 256 columns carry every alpha, with random colours.
TTestImage AllAlphas(int Height, uint32_t Seed) {
  TTestImage Img = TTestImage::Random(256, Height, Seed);
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < 256; ++X) Img(X, Y) = (Img(X, Y) & 0xFFFFFF) | uint32_t(X) << 24;
  return Img;
}

TEST(SkinBlend, DrawAlphaGlyphMatchesTheFormulaForAllAlphas) {
  const TTestImage Src = AllAlphas(3, 1);
  TTestImage Dst = TTestImage::Random(260, 5, 2);
  const TTestImage Before(Dst);
  DrawAlphaGlyph({{2, 1, 258, 4}, {0, 0, 256, 3}, Dst.View, false, {}, Src.View});
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 260; ++X) {
      const bool Inside = X >= 2 && X < 258 && Y >= 1 && Y < 4;
      EXPECT_EQ(Dst(X, Y), Inside ? SlowAlpha(Before(X, Y), Src(X - 2, Y - 1), X - 2) : Before(X, Y)) << X << "," << Y;
    }
}

TEST(SkinBlend, DrawAlphaGlyphCutsAndTakesTheBackgroundForKeys) {
  TTestImage Src(4, 2, 0x80102030);
  Src(1, 0) = Key;
  Src(2, 1) = Key;
  const TTestImage Bg = TTestImage::Random(10, 10, 4);
  struct Case {
    bool Ready, Fill;
    TPixelRect DstRect;
    TColor32 Want10, Want21;  // the target pixels under the two keys
  } cases[] = {
      {false, true, {3, 3, 7, 5}, 0xFF000000, 0xFF000000},     // not ready: keys drawn by their alpha 0
      {true, false, {3, 3, 7, 5}, 0xFF000000, 0xFF000000},     // ready, no fill: keys leave the target
      {true, true, {3, 3, 7, 5}, Bg(4 + 2, 3 + 1) | 0xFF000000, Bg(5 + 2, 4 + 1) | 0xFF000000},
  };
  for (const Case& c : cases) {
    TTestImage Dst(8, 8, 0xFF000000);
    DrawAlphaGlyph({c.DstRect, {0, 0, 9, 9}, Dst.View, c.Fill, {Bg.View, 2, 1, clFuchsia, c.Ready}, Src.View});
    EXPECT_EQ(Dst(4, 3), c.Want10);
    EXPECT_EQ(Dst(5, 4), c.Want21);
    EXPECT_EQ(Dst(3, 3), SlowAlpha(0xFF000000, 0x80102030, 0x80));
    EXPECT_EQ(Dst(7, 3), 0xFF000000u);  // the source is only 4 wide
  }
  // Negative coordinates cut both rectangles alike; nothing is drawn beside the target.
  TTestImage Dst(3, 3, 0);
  DrawAlphaGlyph({{-2, -1, 2, 1}, {0, 0, 4, 2}, Dst.View, false, {}, Src.View});
  EXPECT_EQ(Dst(0, 0), SlowAlpha(0, Src(2, 1), 0));
  EXPECT_EQ(Dst(1, 0), SlowAlpha(0, Src(3, 1), 0x80));
  EXPECT_EQ(Dst(0, 1), 0u);
}

// The drawing with blend, tint and reflection written out.
TColor32 SlowStyled(TColor32 S, int Percent, TColor Tint, int Factor) {
  if (Tint != TintNone) {
    const int Gray = (Channel(S, 0) + Channel(S, 1) + Channel(S, 2)) / 3;
    const uint32_t T = uint32_t(Tint);
    S = (S & 0xFF000000) | uint32_t(Gray * int(T & 255) / 255) << 16 | uint32_t(Gray * int((T >> 8) & 255) / 255) << 8 |
        uint32_t(Gray * int((T >> 16) & 255) / 255);
  }
  const int A = Channel(S, 3) * (100 - Percent) / 100 * Factor / 255;
  return (S & 0xFFFFFF) | uint32_t(A) << 24;
}

TEST(SkinBlend, StretchDrawAlphaBlendsTintsAndReflects) {
  const TTestImage Src = AllAlphas(6, 7);
  for (const int Percent : {0, 30, 100})
    for (const TColor Tint : {TintNone, TColor(0x4080FF)}) {
      TTestImage Dst = TTestImage::Random(256, 10, 8);
      const TTestImage Before(Dst);
      TStretchDrawAlpha D;
      D.DstRect = {0, 1, 256, 7};
      D.SrcRect = Src.View.BoundsRect();
      D.Dst = Dst.View;
      D.Src = Src.View;
      D.BlendPercent = Percent;
      D.Tint = Tint;
      D.Reflected = true;
      StretchDrawAlpha(D);
      for (int X = 0; X < 256; ++X) {
        EXPECT_EQ(Dst(X, 0), Before(X, 0));
        for (int Y = 1; Y < 7; ++Y) {
          const TColor32 S = SlowStyled(Src(X, Y - 1), Percent, Tint, 255);
          ASSERT_EQ(Dst(X, Y), SlowAlpha(Before(X, Y), S, S >> 24)) << X << "," << Y << " " << Percent;
        }
        // Three mirrored rows: 128, 85 and 42 of 255.
        for (int K = 0; K < 3; ++K) {
          const TColor32 S = SlowStyled(Src(X, 5 - K), Percent, Tint, 128 * (3 - K) / 3);
          ASSERT_EQ(Dst(X, 7 + K), SlowAlpha(Before(X, 7 + K), S, S >> 24)) << X << " reflected " << K;
        }
      }
    }
}

TEST(SkinBlend, StretchDrawAlphaResizesAnotherSize) {
  const TTestImage Src = TTestImage::Random(2, 2, 9);
  TTestImage Dst(6, 6, 0xFF000000);
  TStretchDrawAlpha D;
  D.DstRect = {1, 1, 5, 5};
  D.SrcRect = {0, 0, 2, 2};
  D.Dst = Dst.View;
  D.Src = Src.View;
  StretchDrawAlpha(D);
  // The source resized by the filtered resize (filter 6), then drawn as a glyph.
  TTestImage Resized(4, 4), Want(6, 6, 0xFF000000);
  StretchBitmap(Src.View, Resized.View, 6);
  DrawAlphaGlyph({{1, 1, 5, 5}, {0, 0, 4, 4}, Want.View, false, {}, Resized.View});
  EXPECT_EQ(Dst.Pixels, Want.Pixels);
  D.SrcRect = {0, 0, 3, 2};  // leaves the source: nothing
  StretchDrawAlpha(D);
  EXPECT_EQ(Dst(0, 0), 0xFF000000u);
}

TEST(SkinBlend, MixBitmapsOverAllWeights) {
  const TTestImage A = TTestImage::Random(16, 16, 11), B = TTestImage::Random(16, 16, 12);
  for (int W = 0; W <= 256; ++W) {
    TTestImage Out(16, 16);
    MixBitmaps(Out.View, A.View, B.View, W, {});
    for (size_t I = 0; I < Out.Pixels.size(); ++I)
      for (int C = 0; C < 4; ++C) {
        const int a = Channel(A.Pixels[I], C), b = Channel(B.Pixels[I], C);
        ASSERT_EQ(Channel(Out.Pixels[I], C), ((a - b) * W + b * 256) / 256) << W;
      }
  }
  // A mask gives each byte its weight: all 256 of them.
  TTestImage Mask(16, 16), Out(16, 16);
  for (size_t I = 0; I < Mask.Pixels.size(); ++I) Mask.Pixels[I] = uint32_t(I) * 0x01010101u;
  MixBitmaps(Out.View, A.View, B.View, 0, Mask.View);
  for (size_t I = 0; I < Out.Pixels.size(); ++I)
    for (int C = 0; C < 4; ++C) {
      const int a = Channel(A.Pixels[I], C), b = Channel(B.Pixels[I], C);
      ASSERT_EQ(Channel(Out.Pixels[I], C), ((a - b) * int(I) + b * 256) / 256);
    }
  TTestImage Small(15, 16, 7);
  MixBitmaps(Small.View, A.View, B.View, 100, {});  // sizes differ: nothing
  EXPECT_EQ(Small(0, 0), 7u);
}

TEST(SkinBlend, BlendFadeHueAndSaturationKeepKeys) {
  struct Case {
    const char* Name;
    std::function<void(TTestImage&)> Run;
    TColor32 Plain, Want;  // a coloured pixel before and after
  } cases[] = {
      {"blend 0 copies", [](TTestImage& I) { BlendBitmaps(I.View, 0, 0, TTestImage(3, 1, 0x11336699).View, {0, 0, 3, 1}, 0, clFuchsia); },
       0xFF102030, 0xFF336699},
      {"blend 1 keeps", [](TTestImage& I) { BlendBitmaps(I.View, 0, 0, TTestImage(3, 1, 0x11336699).View, {0, 0, 3, 1}, 1, clFuchsia); },
       0xFF102030, 0xFF102030},
      {"blend half", [](TTestImage& I) { BlendBitmaps(I.View, 0, 0, TTestImage(3, 1, 0x11336699).View, {0, 0, 3, 1}, 0.5, clFuchsia); },
       0xFF102030, 0xFF224364},  // 33.5 to even 34 (0x22), 67, 100.5 to even 100 (0x64)
      {"fade", [](TTestImage& I) { FadeBitmapToColor(I.View, TColor(0x0000FF), 0.25); }, 0xFF102030, 0xFFC3080C},
      {"hue", [](TTestImage& I) { ChangeBitmapHue(I.View, 120); }, 0xFFFF0000, ChangePixelHue(120, 0xFFFF0000)},
      {"saturation", [](TTestImage& I) { ChangeBitmapSaturation(I.View, 50); }, 0xFF102030, ChangeColorSaturation(50, 0xFF102030)},
  };
  for (const Case& c : cases) {
    TTestImage Img(3, 1);
    Img(0, 0) = c.Plain;
    Img(1, 0) = Key;
    Img(2, 0) = 0xFF777777;  // gray
    c.Run(Img);
    EXPECT_EQ(Img(0, 0), c.Want) << c.Name;
    const std::string Name = c.Name;
    if (Name.starts_with("blend")) continue;  // blending skips the source's keys, checked below
    EXPECT_EQ(Img(1, 0), Key) << c.Name;
    if (Name == "hue" || Name == "saturation") {
      EXPECT_EQ(Img(2, 0), 0xFF777777u) << c.Name;
    }
  }
  // Key pixels of the source are not blended.
  TTestImage Dst(2, 1, 0xFF000000), Src(2, 1, Key);
  Src(0, 0) = 0x00FFFFFF;
  BlendBitmaps(Dst.View, -1, 0, Src.View, {0, 0, 2, 1}, 0, clFuchsia);  // cut at the left: Src(1) at 0
  EXPECT_EQ(Dst(0, 0), 0xFF000000u);
  BlendBitmaps(Dst.View, 1, 0, Src.View, {0, 0, 2, 1}, 0, clFuchsia);
  EXPECT_EQ(Dst(1, 0), 0xFFFFFFFFu);
}

TEST(SkinBlend, SumBitmapsRectAtANegativePoint) {
  const TTestImage Src = TTestImage::Random(6, 5, 21);
  TTestImage Dst = TTestImage::Random(4, 4, 22);
  const TTestImage Before(Dst);
  SumBitmapsRect(Dst.View, Src.View, 100, {-2, -1}, {1, 1, 6, 5});
  // Target (x, y) takes source (x + 3, y + 2) while that lies in the rectangle.
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X) {
      if (X + 3 >= 6 || Y + 2 >= 5) {
        EXPECT_EQ(Dst(X, Y), Before(X, Y)) << X << "," << Y;
        continue;
      }
      for (int C = 0; C < 4; ++C)
        EXPECT_EQ(Channel(Dst(X, Y), C), (Channel(Src(X + 3, Y + 2), C) * 155 + Channel(Before(X, Y), C) * 100 + 127) / 256);
    }
  TTestImage Same = TTestImage::Random(6, 5, 23);
  const TTestImage Was(Same);
  SumBitmaps(Same.View, Src.View, 0);
  EXPECT_EQ(Same(5, 4) & 0xFF, (Channel(Src(5, 4), 0) * 255 + 127) / 256);
  TTestImage Other(6, 4, 9);
  SumBitmaps(Other.View, Src.View, 0);  // sizes differ
  EXPECT_EQ(Other(0, 0), 9u);
  (void)Was;
}

TEST(SkinBlend, ColoursAndMultiplication) {
  EXPECT_EQ(BlendColors(TColor(0x7F0000FF), TColor(0x00FF00), 0.5), TColor(0x7F008080));  // 127.5 to 128
  EXPECT_EQ(BlendColors(TColor(0x102030), TColor(0xFFFFFF), 1), TColor(0x102030));
  TTestImage Dst(2, 1, 0x40C08040), Src(2, 1, 0x00FF8000);
  MultiplyBitmaps(Dst.View, Src.View, TColor(0x000080));  // c: red 128
  // Red (d 0xC0, s 0xFF, c 128): ((192 - 128) * 255 + 32768) / 256 = 191; green: (128 * 128) / 256 = 64;
  // blue: (64 * 0) / 256 = 0.
  EXPECT_EQ(Dst(0, 0), 0x40BF4000u);
}

TEST(SkinBlend, KeyedCopies) {
  TTestImage Src(3, 2, 0x00112233);
  Src(1, 0) = 0x55FF00FF;  // the key's colour, whatever alpha
  const TTestImage Bg = TTestImage::Random(8, 8, 31);
  struct Case {
    const char* Name;
    TsCacheView Back;
    TColor32 UnderKey;
  } cases[] = {
      {"none", {}, 0x01010101},
      {"fill", {{}, 0, 0, TColor(0x0000FF), false}, 0xFFFF0000},
      {"background", {Bg.View, 1, 2, clFuchsia, true}, Bg(1 + 3, 2 + 1) | 0xFF000000},
  };
  for (const Case& c : cases) {
    TTestImage Dst(5, 4, 0x01010101);
    CopyTransparentRect(Dst.View, Src.View, {0, 0, 3, 2}, clFuchsia, {2, 1}, c.Back);
    EXPECT_EQ(Dst(2, 1), 0xFF112233u) << c.Name;
    EXPECT_EQ(Dst(3, 1), c.UnderKey) << c.Name;
    EXPECT_EQ(Dst(4, 2), 0xFF112233u) << c.Name;
    EXPECT_EQ(Dst(1, 1), 0x01010101u) << c.Name;
    TTestImage Piece(5, 4, 0x01010101);
    CopyPieceRect({{2, 1, 9, 9}, {0, 0, 3, 2}, Piece.View, true, c.Back, Src.View});
    EXPECT_EQ(Piece.Pixels, Dst.Pixels) << c.Name;
    TTestImage NoFill(5, 4, 0x01010101);
    CopyPieceRect({{2, 1, 9, 9}, {0, 0, 3, 2}, NoFill.View, false, c.Back, Src.View});
    EXPECT_EQ(NoFill(3, 1), 0x01010101u) << c.Name;
  }
  TTestImage Dst(3, 2, 0);
  CopyBitmapTransparent(Dst.View, Src.View, 1, 0, clFuchsia);
  EXPECT_EQ(Dst(1, 0), 0xFF112233u);
  EXPECT_EQ(Dst(2, 0), 0u);
  // Source row 0 from column 1 lands at (0, 1); the key is compared in pixel order.
  Dst.Pixels.assign(6, 0);
  CopyRectKeyed(Dst.View, Src.View, -1, 1, {0, 0, 3, 2}, TColor(0x112233));
  EXPECT_EQ(Dst(0, 1), 0x55FF00FFu);  // copied as it is
  EXPECT_EQ(Dst(1, 1), 0u);
  CopyRectKeyed(Dst.View, Src.View, -1, 1, {0, 0, 3, 2}, TColor(0x332211));
  EXPECT_EQ(Dst(1, 1), 0x00112233u);
}

}  // namespace
