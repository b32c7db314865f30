#pragma once
// Pixel work of the button glyph painter. Pure: no windows.h.
#include "widgets/Bitmap32_Types.h"

// True when a pixel of the view is wholly opaque (alpha 255).
bool HasOpaquePixel(const TPixelView& Bmp);
// Every alpha becomes alpha * Percent div 100, Percent held to 0..100.
void ScaleAlpha(const TPixelView& Bmp, int Percent);
