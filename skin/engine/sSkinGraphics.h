#pragma once
// Colour changes and small graphic routines on bitmaps and canvases (the arithmetic is sSkinPixels').
#include <windows.h>

#include <memory>

#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"

// Bitmaps that are not 32-bit are left alone.
void GrayscaleBitmap(TBitmap* Bmp);
void GrayscaleBitmapExcept(TBitmap* Bmp, TColor Key);
// A small filled triangle centred in R, set pixel by pixel: Direction 4 points right, 8 down.
void DrawArrow(TCanvas* Canvas, TColor Color, const TRect& R, int Direction);
// True when UpdateLayeredWindow was found in user32 (the engine's binding).
bool LayeredWindowsAvailable();

// ---- Blending, fading and keyed copies on bitmaps (the loops are sSkinPixels'); bitmaps that are
// not 32-bit, and missing ones, are left alone unless said otherwise.

// The pixels of a parent's background record.
TsCacheView CacheView(const TsCacheInfo& Info);
// A new 32-bit device-independent bitmap.
std::unique_ptr<TBitmap> NewBitmap32(int Width, int Height);
// A new bitmap of Bmp's size and pixel format.
std::unique_ptr<TBitmap> CreateBitmapLike(const TBitmap& Bmp);

void ChangeBitmapHue(TBitmap* Bmp, int Delta);
void ChangeBitmapSaturation(TBitmap* Bmp, int Delta);
void BlendBitmaps(TBitmap* Dst, int X, int Y, TBitmap* Src, const TRect& SrcRect, double F, TColor Key);
void FadeBitmapToColor(TBitmap* Bmp, TColor Color, double F);
void SumBitmaps(TBitmap* Dst, TBitmap* Src, uint8_t Weight);
void SumBitmapsRect(TBitmap* Dst, TBitmap* Src, uint8_t Weight, const TPoint& Pt, const TRect& SrcRect);
void MultiplyBitmaps(TBitmap* Dst, TBitmap* Src, TColor C);
// Mask may be null.
void MixBitmaps(TBitmap* Out, TBitmap* A, TBitmap* B, int W, TBitmap* Mask);
// Src may be 24-bit: a 32-bit copy of it is drawn, the caller's bitmap stays as it is.
void CopyBitmapTransparent(TBitmap* Dst, TBitmap* Src, int X, int Y, TColor Key);
void CopyTransparentRect(TBitmap* Dst, TBitmap* Src, const TRect& SrcRect, TColor Key, const TPoint& Pt,
                         const TsCacheInfo& Bg);
void CopyRectKeyed(TBitmap* Dst, TBitmap* Src, int X, int Y, const TRect& SrcRect, TColor Key);
