#pragma once
// Colour changes and small graphic routines on bitmaps and canvases (the arithmetic is sSkinPixels').
#include <windows.h>

#include "skin/engine/sSkinPixels.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"

// Bitmaps that are not 32-bit are left alone.
void GrayscaleBitmap(TBitmap* Bmp);
void GrayscaleBitmapExcept(TBitmap* Bmp, TColor Key);
// A small filled triangle centred in R, set pixel by pixel: Direction 4 points right, 8 down.
void DrawArrow(TCanvas* Canvas, TColor Color, const TRect& R, int Direction);
// True when UpdateLayeredWindow was found in user32 (the engine's binding).
bool LayeredWindowsAvailable();
