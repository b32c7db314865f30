// The device-context routines and the bitmap forms of the resize, glyph, channel and texture routines
// on real bitmaps, read back by pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

namespace {

constexpr TColor32 Under = 0xFF0A0B0C;

std::unique_ptr<TBitmap> Canvas32(int W, int H) {
  auto Bmp = NewBitmap32(W, H);
  FillRect32(BitmapView(*Bmp), {0, 0, W, H}, TColor(SwapRB32(Under & 0xFFFFFF)));
  return Bmp;
}

TColor32 At(TBitmap& Bmp, int X, int Y) { return *BitmapView(Bmp).PixelPtr(X, Y) & 0xFFFFFF; }

TEST(DeviceContext, FillsPaintTheirStripsOnlyAndReleaseEverything) {
  const auto Bmp = Canvas32(30, 20);
  const HDC DC = Bmp->Canvas()->Handle();
  const int Free = FreeGdiHandles();
  SetTextColor(DC, RGB(1, 2, 3));
  FillDC(DC, Rect(2, 3, 6, 5), TColor(0x0000FF));
  FillDCBorder(DC, Rect(10, 2, 20, 12), Rect(1, 2, 3, 4), clBtnFace);
  FillDCBorder(DC, Rect(22, 2, 28, 8), Rect(0, 0, 0, 0), TColor(0x00FF00));
  EXPECT_EQ(GetTextColor(DC), RGB(1, 2, 3));  // the DC's state is back
  const TColor32 Face = SwapRB32(uint32_t(ColorToRGB(clBtnFace)));
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 30; ++X) {
      TColor32 Want = Under & 0xFFFFFF;
      if (X >= 2 && X < 6 && Y >= 3 && Y < 5) Want = 0xFF0000;
      const bool InFrame = X >= 10 && X < 20 && Y >= 2 && Y < 12;
      const bool InHole = X >= 11 && X < 17 && Y >= 4 && Y < 8;
      if (InFrame && !InHole) Want = Face;
      ASSERT_EQ(At(*Bmp, X, Y), Want) << X << "," << Y;
    }
  EXPECT_EQ(FreeGdiHandles(), Free);
}

TEST(DeviceContext, BitBltBorderCopiesTheFourStripsExactly) {
  const auto Src = NewBitmap32(40, 30), Dst = Canvas32(40, 30);
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 40; ++X) *BitmapView(*Src).PixelPtr(X, Y) = 0xFF000000 | TColor32(Y) << 8 | TColor32(X);
  const HDC To = Dst->Canvas()->Handle(), From = Src->Canvas()->Handle();
  const int Free = FreeGdiHandles();
  // A frame inside a larger DC: strips as long as the frame's sides would run past it.
  BitBltBorder({To, 5, 4, 20, 15, From, 5, 4, 3});
  EXPECT_EQ(FreeGdiHandles(), Free);
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 40; ++X) {
      const bool InFrame = X >= 5 && X < 25 && Y >= 4 && Y < 19;
      const bool Inside = X >= 8 && X < 22 && Y >= 7 && Y < 16;
      ASSERT_EQ(At(*Dst, X, Y), InFrame && !Inside ? TColor32(Y) << 8 | TColor32(X) : Under & 0xFFFFFF) << X << "," << Y;
    }
}

TEST(DeviceContext, ExcludeChildControlsClipsVisibleWindowlessChildrenOnly) {
  TForm* Form = new TForm(Application);
  auto Child = [&](TControl* C, int X, bool Visible) {
    C->SetBounds(X, 2, 4, 4);
    C->SetVisible(Visible);
    C->SetParent(Form);
  };
  Child(new TPaintBox(Form), 1, true);
  Child(new TPaintBox(Form), 7, false);
  Child(new TPanel(Form), 13, true);
  const auto Bmp = Canvas32(20, 8);
  const HDC DC = Bmp->Canvas()->Handle();
  const int State = SaveDC(DC);
  ExcludeChildControls(DC, Form, 1, 0);
  FillDC(DC, Rect(0, 0, 20, 8), TColor(0x00FF00));
  RestoreDC(DC, State);
  EXPECT_EQ(At(*Bmp, 3, 3), Under & 0xFFFFFF);  // the visible paint box, moved by the offset
  EXPECT_EQ(At(*Bmp, 1, 3), 0x00FF00u);
  EXPECT_EQ(At(*Bmp, 9, 3), 0x00FF00u);   // hidden
  EXPECT_EQ(At(*Bmp, 15, 3), 0x00FF00u);  // windowed
  Form->Free();
}

TEST(SkinGraphics, StretchBitmapKeepsThreeOrFourBytesAndRaisesForSmallSources) {
  for (const TPixelFormat Format : {pf32bit, pf24bit, pf8bit}) {
    TBitmap Src;
    Src.SetPixelFormat(Format);
    Src.SetSize(5, 5);
    Src.Canvas()->Brush()->SetColor(TColor(0x336699));
    Src.Canvas()->FillRect(Rect(0, 0, 5, 5));
    TBitmap Dst;
    StretchBitmap(&Src, &Dst, 11, 7, 6);
    EXPECT_EQ(Dst.PixelFormat(), Format == pf32bit ? pf32bit : pf24bit);
    EXPECT_EQ(Dst.Width(), 11);
    EXPECT_EQ(Dst.Height(), 7);
    EXPECT_EQ(Src.PixelFormat(), Format);
    EXPECT_EQ(Dst.Canvas()->Pixels(10, 6), Format == pf8bit ? Src.Canvas()->Pixels(0, 0) : TColor(0x336699));
    StretchBitmap(&Src, &Dst, 0, 9, 6);
    EXPECT_EQ(Dst.Width(), 11);
  }
  TBitmap Thin, Dst;
  Thin.SetPixelFormat(pf32bit);
  Thin.SetSize(1, 5);
  EXPECT_THROW(StretchBitmap(&Thin, &Dst, 4, 4, 6), Exception);
}

TEST(SkinGraphics, CopyChannelMovesTheAlphaIntoAnEightBitBitmap) {
  const auto Bmp = NewBitmap32(3, 2);
  for (int I = 0; I < 6; ++I) *BitmapView(*Bmp).PixelPtr(I % 3, I / 3) = TColor32(40 * I) << 24 | 0x123456;
  TBitmap Alpha;
  Alpha.SetPixelFormat(pf8bit);
  Alpha.SetSize(3, 2);
  CopyChannel(Bmp.get(), &Alpha, 3, true);
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X) EXPECT_EQ(static_cast<uint8_t*>(Alpha.ScanLine(Y))[X], 40 * (Y * 3 + X));
  static_cast<uint8_t*>(Alpha.ScanLine(1))[2] = 7;
  CopyChannel(Bmp.get(), &Alpha, 3, false);
  EXPECT_EQ(*BitmapView(*Bmp).PixelPtr(2, 1), 0x07123456u);
}

TEST(SkinGraphics, CopyGlyphBlendedTakesTheFirstGlyphOfASixteenColourStrip) {
  for (const TPixelFormat Format : {pf4bit, pf24bit}) {
    TBitmap Strip;
    Strip.SetPixelFormat(Format);
    Strip.SetSize(8, 3);
    TCanvas* C = Strip.Canvas();
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 4, 3));
    C->Brush()->SetColor(clBlue);
    C->FillRect(Rect(4, 0, 8, 3));
    C->SetPixels(0, 2, clFuchsia);
    C->SetPixels(4, 2, clFuchsia);
    const auto Dst = Canvas32(10, 5);
    CopyGlyphBlended(&Strip, Dst.get(), {{1, 1, 5, 4}, 2, true, 0, 2, 0, 0});
    EXPECT_EQ(At(*Dst, 2, 1), Format == pf4bit ? 0xFF0000u : 0x0000FFu) << Format;
    EXPECT_EQ(At(*Dst, 1, 3), Under & 0xFFFFFF) << Format;  // the key pixel
  }
}

TEST(SkinGraphics, TexturesFramesAndShades) {
  TBitmap Tile;
  Tile.SetPixelFormat(pf32bit);
  Tile.SetSize(3, 2);
  Tile.Canvas()->Brush()->SetColor(TColor(0x00AA00));
  Tile.Canvas()->FillRect(Rect(0, 0, 3, 2));
  Tile.Canvas()->SetPixels(0, 0, TColor(0x0000AA));
  const auto Dst = Canvas32(12, 10);
  TRect R = Rect(1, 1, 8, 6);
  PaintTexture(Dst.get(), R, &Tile, 3, {});
  EXPECT_EQ(PixelRect(R), TextureCovered);
  EXPECT_EQ(At(*Dst, 4, 3), 0xAA0000u);  // tiles from R's corner
  EXPECT_EQ(At(*Dst, 5, 3), 0x00AA00u);
  EXPECT_EQ(At(*Dst, 8, 1), Under & 0xFFFFFF);
  EXPECT_EQ(At(*Dst, 1, 6), Under & 0xFFFFFF);

  const auto Frame = Canvas32(10, 10);
  const HDC FrameDC = Frame->Canvas()->Handle();
  Frame->Canvas()->SetPixels(0, 0, clBlack);  // the canvas makes its own objects once
  const int Free = FreeGdiHandles();
  DrawColorFrame(FrameDC, Rect(1, 1, 9, 9), TColor(0x0000FF), 2, TColor(0xFF0000));
  EXPECT_EQ(At(*Frame, 1, 4), 0xFF0000u);  // left, first colour
  EXPECT_EQ(At(*Frame, 4, 2), 0xFF0000u);  // top of the second frame
  EXPECT_EQ(At(*Frame, 8, 4), 0x0000FFu);  // right edge one pixel in
  EXPECT_EQ(At(*Frame, 4, 7), 0x0000FFu);  // bottom of the second frame
  EXPECT_EQ(At(*Frame, 9, 4), Under & 0xFFFFFF);
  EXPECT_EQ(At(*Frame, 4, 4), Under & 0xFFFFFF);
  DrawDottedFrame(Frame->Canvas(), Rect(0, 0, 10, 10), TColor(0x00FF00), clBlack);
  EXPECT_EQ(At(*Frame, 3, 0), 0x00FF00u);
  EXPECT_EQ(At(*Frame, 4, 0), 0x000000u);
  EXPECT_EQ(At(*Frame, 0, 6), 0x00FF00u);
  EXPECT_EQ(FreeGdiHandles(), Free);

  const auto Shade = NewBitmap32(20, 12);
  FillRect32(BitmapView(*Shade), {0, 0, 20, 12}, clWhite);
  DrawRoundRectBlended(Shade.get(), Rect(2, 2, 18, 10), 60);
  EXPECT_EQ(At(*Shade, 10, 6), TColor32(255 * (255 * 60 / 100) / 256) * 0x010101);
  EXPECT_EQ(At(*Shade, 1, 6), 0xFFFFFFu);
  EXPECT_EQ(At(*Shade, 2, 2), 0xFFFFFFu);  // a rounded corner
}

}  // namespace
