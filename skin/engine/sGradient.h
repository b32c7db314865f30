#pragma once
// Gradient painting of skin sections into 32-bit bitmaps. The vertical and horizontal kinds are the
// pure painters of sGradientPaint; the triangle kind goes through the bound GradientFill on the
// bitmap's own device context.
#include <windows.h>

#include "skin/engine/sGradientPaint.h"
#include "toolkit/graphics/Bitmap.h"

// Bitmaps that are not 32-bit are left alone. Without GradientFill the triangle kind paints nothing.
void PaintGradient(TBitmap* Bmp, const TRect& R, const TsGradArray& Data, int OffsetX, int OffsetY);
void PaintGradientBlended(TBitmap* Bmp, const TRect& R, const TsGradArray& Data, TBitmap* Bg, const TRect& BgRect,
                          int Transparency);
