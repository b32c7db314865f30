// Blending routines on real bitmaps: the caller's bitmaps keep their format, and a PNG picture is
// drawn over a canvas by the per-pixel alpha formula.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acPNG.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/rtl/Classes.h"

namespace {

TEST(SkinGraphics, CopyBitmapTransparentLeavesTheSourceAsItIs) {
  const auto Dst = NewBitmap32(4, 2);
  FillRect32(Dst.get(), Rect(0, 0, 4, 2), TColor(0x000000));
  for (const TPixelFormat Format : {pf32bit, pf24bit}) {
    TBitmap Glyph;
    Glyph.SetPixelFormat(Format);
    Glyph.SetSize(2, 2);
    Glyph.Canvas()->SetPixels(0, 0, TColor(0x3050A0));
    Glyph.Canvas()->SetPixels(1, 0, clFuchsia);
    Glyph.Canvas()->SetPixels(0, 1, clFuchsia);
    Glyph.Canvas()->SetPixels(1, 1, TColor(0x102030));
    CopyBitmapTransparent(Dst.get(), &Glyph, 1, 0, clFuchsia);
    EXPECT_EQ(Glyph.PixelFormat(), Format);
    const TPixelView V = BitmapView(*Dst);
    EXPECT_EQ(*V.PixelPtr(1, 0), 0xFFA05030u) << Format;
    EXPECT_EQ(*V.PixelPtr(2, 0), 0xFF000000u) << Format;  // the key: skipped
    EXPECT_EQ(*V.PixelPtr(2, 1), 0xFF302010u) << Format;
  }
  const auto Like = CreateBitmapLike(*Dst);
  EXPECT_EQ(Like->PixelFormat(), pf32bit);
  EXPECT_EQ(Like->Width(), 4);
  EXPECT_EQ(Like->Height(), 2);
}

TEST(SkinGraphics, PngPictureOverAColouredCanvasFollowsTheAlphaFormula) {
  PngSpec Spec;
  Spec.Width = 4, Spec.Height = 2, Spec.ColorType = 6;
  const std::vector<uint16_t> Samples = {255, 0,  0,   128, 0,  255, 0,   255, 10,  20, 30, 0,   200, 100, 50, 1,
                                         40,  80, 120, 64,  90, 180, 250, 192, 255, 255, 255, 254, 5,  6,   7,  127};
  TPNGGraphic Png;
  TMemoryStream Stream;
  const Bytes File = EncodePng(Spec, Samples);
  Stream.WriteBuffer(File.data(), int64_t(File.size()));
  Stream.SetPosition(0);
  Png.LoadFromStream(&Stream);
  const auto Canvas = NewBitmap32(6, 4);
  FillRect32(Canvas.get(), Rect(0, 0, 6, 4), TColor(0x336699));
  Canvas->Canvas()->Draw(1, 1, &Png);
  const TPixelView V = BitmapView(*Canvas);
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 4; ++X) {
      const uint16_t* S = &Samples[size_t(Y * 4 + X) * 4];
      const int D[3] = {0x99, 0x66, 0x33};  // red, green, blue of the canvas
      uint32_t Want = 0;
      for (int C = 0; C < 3; ++C) Want |= uint32_t((D[C] * 256 + (S[C] - D[C]) * S[3]) / 256) << (16 - 8 * C);
      EXPECT_EQ(*V.PixelPtr(1 + X, 1 + Y) & 0xFFFFFF, Want) << X << "," << Y;
    }
  EXPECT_EQ(*V.PixelPtr(0, 0) & 0xFFFFFF, 0x996633u);
  EXPECT_EQ(*V.PixelPtr(5, 3) & 0xFFFFFF, 0x996633u);
}

}  // namespace
