#include "skin/engine/sSkinGraphics.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"
#include "widgets/Bitmap32_Transforms.h"

void GrayscaleBitmap(TBitmap* Bmp) {
  if (Bmp) GrayscaleBitmap(BitmapView(*Bmp));
}

void GrayscaleBitmapExcept(TBitmap* Bmp, TColor Key) {
  if (Bmp) GrayscaleBitmapExcept(BitmapView(*Bmp), Key);
}

void DrawArrow(TCanvas* Canvas, TColor Color, const TRect& R, int Direction) {
  ArrowPixels(PixelRect(R), Direction, [&](int X, int Y) { Canvas->SetPixels(X, Y, Color); });
}

bool LayeredWindowsAvailable() { return Bindings().UpdateLayeredWindow != nullptr; }

TsCacheView CacheView(const TsCacheInfo& Info) {
  return {BitmapView(Info.Bmp), Info.X, Info.Y, Info.FillColor, Info.Ready};
}

std::unique_ptr<TBitmap> NewBitmap32(int Width, int Height) {
  auto Bmp = std::make_unique<TBitmap>();
  Bmp->SetPixelFormat(pf32bit);
  Bmp->SetSize(Width, Height);
  return Bmp;
}

std::unique_ptr<TBitmap> CreateBitmapLike(const TBitmap& Bmp) {
  auto Like = std::make_unique<TBitmap>();
  Like->SetPixelFormat(Bmp.PixelFormat());
  Like->SetSize(Bmp.Width(), Bmp.Height());
  return Like;
}

void ChangeBitmapHue(TBitmap* Bmp, int Delta) { ChangeBitmapHue(BitmapView(Bmp), Delta); }

void ChangeBitmapSaturation(TBitmap* Bmp, int Delta) { ChangeBitmapSaturation(BitmapView(Bmp), Delta); }

void BlendBitmaps(TBitmap* Dst, int X, int Y, TBitmap* Src, const TRect& SrcRect, double F, TColor Key) {
  BlendBitmaps(BitmapView(Dst), X, Y, BitmapView(Src), PixelRect(SrcRect), F, Key);
}

void FadeBitmapToColor(TBitmap* Bmp, TColor Color, double F) { FadeBitmapToColor(BitmapView(Bmp), Color, F); }

void SumBitmaps(TBitmap* Dst, TBitmap* Src, uint8_t Weight) { SumBitmaps(BitmapView(Dst), BitmapView(Src), Weight); }

void SumBitmapsRect(TBitmap* Dst, TBitmap* Src, uint8_t Weight, const TPoint& Pt, const TRect& SrcRect) {
  SumBitmapsRect(BitmapView(Dst), BitmapView(Src), Weight, {int(Pt.x), int(Pt.y)}, PixelRect(SrcRect));
}

void MultiplyBitmaps(TBitmap* Dst, TBitmap* Src, TColor C) { MultiplyBitmaps(BitmapView(Dst), BitmapView(Src), C); }

void MixBitmaps(TBitmap* Out, TBitmap* A, TBitmap* B, int W, TBitmap* Mask) {
  MixBitmaps(BitmapView(Out), BitmapView(A), BitmapView(B), W, BitmapView(Mask));
}

void CopyBitmapTransparent(TBitmap* Dst, TBitmap* Src, int X, int Y, TColor Key) {
  if (!Src) return;
  if (Src->PixelFormat() == pf32bit) {
    CopyBitmapTransparent(BitmapView(Dst), BitmapView(*Src), X, Y, Key);
    return;
  }
  TBitmap Copy;
  Copy.Assign(Src);
  Copy.SetPixelFormat(pf32bit);
  CopyBitmapTransparent(BitmapView(Dst), BitmapView(Copy), X, Y, Key);
}

void CopyTransparentRect(TBitmap* Dst, TBitmap* Src, const TRect& SrcRect, TColor Key, const TPoint& Pt,
                         const TsCacheInfo& Bg) {
  CopyTransparentRect(BitmapView(Dst), BitmapView(Src), PixelRect(SrcRect), Key, {int(Pt.x), int(Pt.y)}, CacheView(Bg));
}

void CopyRectKeyed(TBitmap* Dst, TBitmap* Src, int X, int Y, const TRect& SrcRect, TColor Key) {
  CopyRectKeyed(BitmapView(Dst), BitmapView(Src), X, Y, PixelRect(SrcRect), Key);
}

namespace {

// The rows of a 32, 24 or 8-bit bitmap, top row first (empty for other formats).
TByteView RowsOf(TBitmap& Bmp) {
  const int Bpp = Bmp.PixelFormat() == pf32bit ? 4 : Bmp.PixelFormat() == pf24bit ? 3 : Bmp.PixelFormat() == pf8bit ? 1 : 0;
  if (Bpp == 0 || Bmp.Empty()) return {};
  const ptrdiff_t Stride = (ptrdiff_t(Bmp.Width()) * Bpp + 3) / 4 * 4;
  return {static_cast<uint8_t*>(Bmp.ScanLine(0)), Bmp.Width(), Bmp.Height(), -Stride, Bpp};
}

// A copy of Bmp in Format.
std::unique_ptr<TBitmap> CopyAs(TBitmap* Bmp, TPixelFormat Format) {
  auto Copy = std::make_unique<TBitmap>();
  Copy->Assign(Bmp);
  Copy->SetPixelFormat(Format);
  return Copy;
}

// Selects a GDI object into a DC for the scope.
class TSelected {
 public:
  TSelected(HDC DC, HGDIOBJ Object) : DC(DC), Old(SelectObject(DC, Object)) {}
  ~TSelected() { SelectObject(DC, Old); }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

 private:
  HDC DC;
  HGDIOBJ Old;
};

}  // namespace

void StretchBitmap(TBitmap* Src, TBitmap* Dst, int Width, int Height, int Filter) {
  if (Src == nullptr || Dst == nullptr) return;
  if (Src->Width() < 2 || Src->Height() < 2) throw Exception("Source bitmap is too small");
  if (Width <= 0 || Height <= 0) return;
  const TPixelFormat Format = Src->PixelFormat() == pf32bit ? pf32bit : pf24bit;
  std::unique_ptr<TBitmap> Copy;
  if (Src->PixelFormat() != Format || Src == Dst) Copy = CopyAs(Src, Format);
  TBitmap& From = Copy ? *Copy : *Src;
  Dst->SetPixelFormat(Format);
  Dst->SetSize(Width, Height);
  StretchBitmap(RowsOf(From), RowsOf(*Dst), Filter);
}

void CopyChannel(TBitmap* Bmp32, TBitmap* Bmp8, int Channel, bool Extract) {
  if (Bmp32 == nullptr || Bmp8 == nullptr || Bmp8->PixelFormat() != pf8bit) return;
  CopyChannel(BitmapView(Bmp32), RowsOf(*Bmp8), Channel, Extract);
}

void StretchOrTileBlt(TBitmap* Dst, TBitmap* Src, const TNineSlice& N) {
  StretchOrTileBlt(BitmapView(Dst), BitmapView(Src), N);
}

void CopyGlyphBlended(TBitmap* Glyph, TBitmap* Dst, const TGlyphDraw& G) {
  if (Glyph == nullptr || Glyph->Empty()) return;
  const auto Copy = CopyAs(Glyph, pf32bit);
  CopyGlyphBlended(BitmapView(*Copy), Glyph->PixelFormat() == pf4bit, BitmapView(Dst), G);
}

void CopyMaskedRect(const TRect& DstRect, const TRect& SrcRect, TBitmap* Bmp, const TsCacheInfo& CacheInfo,
                    const TsPieceView& Piece) {
  CopyMaskedRect({PixelRect(DstRect), PixelRect(SrcRect), BitmapView(Bmp), CacheView(CacheInfo), Piece.Mask, Piece.Image});
}

void FillDC(HDC DC, const TRect& R, TColor Color) {
  const int State = SaveDC(DC);
  {
    const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
    const TSelected Use(DC, Brush.get());
    FillRect(DC, &R, Brush.get());
  }
  RestoreDC(DC, State);
}

void FillDCBorder(HDC DC, const TRect& R, const TRect& Widths, TColor Color) {
  const int State = SaveDC(DC);
  {
    const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
    const TSelected Use(DC, Brush.get());
    const TRect Strips[] = {
        Rect(R.left, R.top, R.right, R.top + Widths.top),
        Rect(R.left, R.top + Widths.top, R.left + Widths.left, R.bottom),
        Rect(R.left + Widths.left, R.bottom - Widths.bottom, R.right, R.bottom),
        Rect(R.right - Widths.right, R.top + Widths.top, R.right, R.bottom - Widths.bottom),
    };
    for (const TRect& S : Strips) FillRect(DC, &S, Brush.get());
  }
  RestoreDC(DC, State);
}

void BitBltBorder(const TBorderBlt& B) {
  // The four strips exactly (left, top, right, bottom), so nothing beside the frame is overwritten.
  const int Inner = B.W - 2 * B.BW;
  struct TStrip {
    int X, Y, W, H;
  };
  const TStrip Strips[] = {{0, 0, B.BW, B.H}, {B.BW, 0, Inner, B.BW}, {B.W - B.BW, 0, B.BW, B.H},
                           {B.BW, B.H - B.BW, Inner, B.BW}};
  for (const TStrip& S : Strips)
    if (S.W > 0 && S.H > 0) BitBlt(B.DC, B.X + S.X, B.Y + S.Y, S.W, S.H, B.SrcDC, B.XSrc + S.X, B.YSrc + S.Y, SRCCOPY);
}

void ExcludeChildControls(HDC DC, TWinControl* Parent, int OffsetX, int OffsetY) {
  if (Parent == nullptr) return;
  for (int I = 0; I < Parent->ControlCount(); ++I) {
    TControl* C = Parent->Controls(I);
    if (C == nullptr || !C->Visible() || dynamic_cast<TWinControl*>(C) != nullptr) continue;
    ExcludeClipRect(DC, C->Left() + OffsetX, C->Top() + OffsetY, C->Left() + C->Width() + OffsetX,
                    C->Top() + C->Height() + OffsetY);
  }
}

void TileGraphic(TCanvas* Canvas, const TRect& R, TGraphic* Graphic) {
  auto* Bmp = dynamic_cast<TBitmap*>(Graphic);
  if (Canvas == nullptr || Bmp == nullptr || Bmp->Empty()) return;
  const HDC Src = Bmp->Canvas()->Handle(), Dst = Canvas->Handle();
  for (int Y = R.top; Y < R.bottom; Y += Bmp->Height())
    for (int X = R.left; X < R.right; X += Bmp->Width())
      BitBlt(Dst, X, Y, std::min<int>(Bmp->Width(), R.right - X), std::min<int>(Bmp->Height(), R.bottom - Y), Src, 0, 0,
             SRCCOPY);
}

void PaintTexture(TBitmap* Dst, TRect& R, TGraphic* Graphic, int Mode, const TsPieceView& Texture) {
  if (Dst == nullptr) return;
  TPixelRect Left;
  if (Graphic != nullptr && !Graphic->Empty()) {
    TileGraphic(Dst->Canvas(), R, Graphic);
    Left = TextureCovered;
  } else {
    if (Texture.Mask == nullptr) return;
    Left = PaintTexture(BitmapView(Dst), PixelRect(R), Texture.Image, Texture.Mask->R, Mode);
  }
  R = Rect(Left.Left, Left.Top, Left.Right, Left.Bottom);
}

void PaintMaskedTexture(TBitmap* Dst, const TRect& R, const TsCacheInfo& CacheInfo, const TsPieceView& Texture,
                        int Mode) {
  PaintMaskedTexture({BitmapView(Dst), PixelRect(R), CacheView(CacheInfo), Texture.Mask, Texture.Image, Mode});
}

void DrawColorFrame(HDC DC, const TRect& R, TColor C1, int Count, TColor C2) {
  const detail::GdiObject<HPEN> Pen1(CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(C1))));
  const detail::GdiObject<HPEN> Pen2(CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(C2))));
  const TSelected Keep(DC, GetStockObject(BLACK_PEN));
  int L = R.left, T = R.top, Rt = R.right - 1, B = R.bottom - 1;
  for (int I = 0; I < Count; ++I, ++L, ++T, --Rt, --B) {
    const POINT TopLeft[] = {{L, B}, {L, T}, {Rt, T}};
    const POINT BottomRight[] = {{Rt, T}, {Rt, B}, {L, B}};
    SelectObject(DC, Pen1.get());
    Polyline(DC, TopLeft, 3);
    SelectObject(DC, Pen2.get());
    Polyline(DC, BottomRight, 3);
  }
}

void DrawDottedFrame(TCanvas* Canvas, const TRect& R, TColor C1, TColor C2) {
  if (Canvas == nullptr) return;
  auto Pair = [&](int X, int Y, int Dx, int Dy) {
    Canvas->SetPixels(X, Y, C1);
    if (X + Dx < R.right && Y + Dy < R.bottom) Canvas->SetPixels(X + Dx, Y + Dy, C2);
  };
  for (int X = R.left; X < R.right; X += 3) {
    Pair(X, R.top, 1, 0);
    Pair(X, R.bottom - 1, 1, 0);
  }
  for (int Y = R.top; Y < R.bottom; Y += 3) {
    Pair(R.left, Y, 0, 1);
    Pair(R.right - 1, Y, 0, 1);
  }
}

void DrawRoundRectBlended(TBitmap* Bmp, const TRect& R, int Percent) {
  const TPixelView Dst = BitmapView(Bmp);
  TPixelRect Area;
  if (Dst.Empty() || !IntersectRect(Area, PixelRect(R), Dst.BoundsRect())) return;
  const int W = R.right - R.left, H = R.bottom - R.top;
  // The shade: white outside the rounded rectangle, the grey offset inside, a darker ring at its edge.
  const int Grey = std::clamp(Percent, 0, 100) * 255 / 100;
  const auto Shade = NewBitmap32(W, H);
  FillRect32(BitmapView(*Shade), {0, 0, W, H}, clWhite);
  {
    TCanvas* C = Shade->Canvas();
    C->Brush()->SetColor(TColor(RGB(Grey, Grey, Grey)));
    C->Pen()->SetColor(TColor(RGB(Grey * 3 / 4, Grey * 3 / 4, Grey * 3 / 4)));
    C->RoundRect(0, 0, W, H, 5, 5);
  }
  const auto Under = NewBitmap32(W, H);
  const TPixelView S = BitmapView(*Shade), U = BitmapView(*Under);
  BlockTransfer(U, Area.Left - R.left, Area.Top - R.top, U.BoundsRect(), Dst, Area, {});
  MultiplyBitmaps(U, S, clBlack);
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) {
      const int Sx = X - R.left, Sy = Y - R.top;
      if ((*S.PixelPtr(Sx, Sy) & 0xFFFFFF) != 0xFFFFFF) *Dst.PixelPtr(X, Y) = *U.PixelPtr(Sx, Sy);
    }
}
