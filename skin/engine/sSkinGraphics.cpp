#include "skin/engine/sSkinGraphics.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"

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
