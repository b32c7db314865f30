#include "skin/engine/sAlphaGraph.h"

#include "skin/engine/sSkinManager.h"

TPixelView BitmapView(TBitmap& Bmp) {
  if (Bmp.Empty() || Bmp.PixelFormat() != pf32bit) return {};
  return {static_cast<TColor32*>(Bmp.ScanLine(0)), Bmp.Width(), Bmp.Height(), -Bmp.Width()};
}

TsPieceView PieceView(const TsMaskData& Mask) {
  if (Mask.Bmp) return {&Mask, BitmapView(*Mask.Bmp), true};
  return {&Mask, Mask.Manager ? BitmapView(Mask.Manager->MasterBitmap()) : TPixelView{}, false};
}

void FillRect32(TBitmap* Bmp, const TRect& R, TColor Color) { FillRect32(BitmapView(Bmp), PixelRect(R), Color); }

void FillRect32Frame(TBitmap* Bmp, const TRect& R, int Left, int Top, int Right, int Bottom, TColor Color) {
  FillRect32Frame(BitmapView(Bmp), PixelRect(R), Left, Top, Right, Bottom, Color);
}

void FillAlphaRect(TBitmap* Bmp, const TRect& R, uint8_t Alpha, bool SkipKey) {
  FillAlphaRect(BitmapView(Bmp), PixelRect(R), Alpha, SkipKey);
}

void BlendRectWithColor(TBitmap* Bmp, const TRect& R, uint8_t Percent, TColor Color) {
  BlendRectWithColor(BitmapView(Bmp), PixelRect(R), Percent, ColorToRGB(Color));
}
