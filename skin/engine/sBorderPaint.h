#pragma once
// The border painter on bitmaps and window regions: the pixel work is sBorderMask's.
#include <windows.h>

#include "skin/engine/sBorderMask.h"
#include "toolkit/graphics/Bitmap.h"

// The nine-slice of state State of the piece over the whole of Bmp (32-bit); the piece's key pixels
// that it met are taken out of Rgn when Rgn is not 0.
void PaintBorderMask(TBitmap* Bmp, HRGN Rgn, bool PaintCentre, int State, const TsPieceView& Piece);
