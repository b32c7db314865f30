#pragma once
// The engine's pixel-level tools on 32-bit bitmaps: the pixel view of a bitmap and the fills, alpha and
// colour mixing of sAlphaPixels for a bitmap and a rectangle.
#include <windows.h>

#include "skin/engine/sAlphaPixels.h"
#include "skin/engine/sMaskPaint.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Controls.h"

class TsCommonData;
struct TsCacheInfo;

// The pixels of a 32-bit bitmap, top row first: the section is bottom-up, so the view starts at
// ScanLine(0) and steps back by the width. Empty for other formats and for an empty bitmap.
TPixelView BitmapView(TBitmap& Bmp);
// The same; empty for a missing bitmap.
inline TPixelView BitmapView(TBitmap* Bmp) { return Bmp ? BitmapView(*Bmp) : TPixelView{}; }
inline TPixelRect PixelRect(const TRect& R) { return {int(R.left), int(R.top), int(R.right), int(R.bottom)}; }
// A loaded piece with the image it is cut from, for the piece painters: its own image, else its
// manager's master bitmap; an empty image when it has neither.
TsPieceView PieceView(const TsMaskData& Mask);

void FillRect32(TBitmap* Bmp, const TRect& R, TColor Color);
void FillRect32Frame(TBitmap* Bmp, const TRect& R, int Left, int Top, int Right, int Bottom, TColor Color);
void FillAlphaRect(TBitmap* Bmp, const TRect& R, uint8_t Alpha, bool SkipKey);
// Color may be a system colour.
void BlendRectWithColor(TBitmap* Bmp, const TRect& R, uint8_t Percent, TColor Color);

// The parent's background put into the key pixels of the border piece's corners of a control's cache
// (sBorderCorners), asked of its parent control, else of its parent window; nothing without a manager,
// a cache, an owner control or a loaded border piece.
void PaintBorderCorners(TsCommonData* SkinData, int State);
// The disabled look of sGlyphEffects; Blend is the parent's background record, its fill colour the key
// for the colour Control shows.
void ApplyGlyphEffects(TBitmap* Bmp, int Effects, TControl* Control, const TsCacheInfo& Blend, TPoint Offset);
