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
