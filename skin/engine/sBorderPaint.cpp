#include "skin/engine/sBorderPaint.h"

#include "skin/engine/sAlphaGraph.h"

void PaintBorderMask(TBitmap* Bmp, HRGN Rgn, bool PaintCentre, int State, const TsPieceView& Piece) {
  std::vector<TPixelRect> Runs;
  PaintBorderMask(BitmapView(Bmp), Rgn ? &Runs : nullptr, PaintCentre, State, Piece);
  for (const TPixelRect& R : Runs) {
    HRGN Run = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    // Taken out, never toggled: a run outside the region must not be added to it.
    CombineRgn(Rgn, Rgn, Run, RGN_DIFF);
    DeleteObject(Run);
  }
}
