#pragma once
// The border painter on bitmaps and window regions: the pixel work is sBorderMask's.
#include <windows.h>

#include "skin/engine/sBorderMask.h"
#include "toolkit/graphics/Bitmap.h"

class TsCommonData;

// The nine-slice of state State of the piece over the whole of Bmp (32-bit); the piece's key pixels
// that it met are taken out of Rgn when Rgn is not 0.
void PaintBorderMask(TBitmap* Bmp, HRGN Rgn, bool PaintCentre, int State, const TsPieceView& Piece);

// A control's frame in state State on R: the border piece of its skin data painted into its cache over
// the parent's background, a fill of the background colour just inside the border up to FillWidth from
// R's edges, and that outer band of the cache copied to DC when DC is not the cache's. Without a
// border piece the band is filled in DC.
struct TsControlFrame {
  HDC DC = nullptr;
  TRect R{0, 0, 0, 0};
  int FillWidth = 0;
  int State = 0;
  TsCommonData* SkinData = nullptr;
};
// Content becomes what the frame leaves inside R; without a border piece it stays as passed.
void PaintControlFrame(const TsControlFrame& F, TRect& Content);
