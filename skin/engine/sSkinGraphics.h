#pragma once
// Colour changes and small graphic routines on bitmaps and canvases (the arithmetic is sSkinPixels').
#include <windows.h>

#include <memory>

#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sSkinBlits.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinTexture.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/ui/Controls.h"

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

// ---- Resizing, textures, nine-slice copies and device-context routines.

// Src resized into Dst, which becomes Width x Height and 32-bit for a 32-bit source, else 24-bit, by
// filter 0..6 (sSkinResize). A source under 2 x 2 raises "Source bitmap is too small"; a Width or
// Height of 0 does nothing.
void StretchBitmap(TBitmap* Src, TBitmap* Dst, int Width, int Height, int Filter);
// Byte Channel of each pixel of the 32-bit Bmp32 into the 8-bit Bmp8 (Extract), or back.
void CopyChannel(TBitmap* Bmp32, TBitmap* Bmp8, int Channel, bool Extract);
// Both 32-bit.
void StretchOrTileBlt(TBitmap* Dst, TBitmap* Src, const TNineSlice& N);
// Glyph of any format (a 32-bit copy of it is drawn) onto the 32-bit Dst.
void CopyGlyphBlended(TBitmap* Glyph, TBitmap* Dst, const TGlyphDraw& G);
// Masked tile of a piece onto the 32-bit Bmp; Piece.Image is the skin's master picture.
void CopyMaskedRect(const TRect& DstRect, const TRect& SrcRect, TBitmap* Bmp, const TsCacheInfo& CacheInfo,
                    const TsPieceView& Piece);

// A solid fill of R (system colours resolved), the DC's state kept.
void FillDC(HDC DC, const TRect& R, TColor Color);
// The same for the frame strips of R of the given widths: top, left, bottom, right.
void FillDCBorder(HDC DC, const TRect& R, const TRect& Widths, TColor Color);
// The border strips, BW wide, of the W x H frame at (X, Y), copied from (XSrc, YSrc) of SrcDC.
struct TBorderBlt {
  HDC DC = nullptr;
  int X = 0, Y = 0, W = 0, H = 0;
  HDC SrcDC = nullptr;
  int XSrc = 0, YSrc = 0;
  int BW = 0;
};
void BitBltBorder(const TBorderBlt& B);
// Clips the visible window-less children of Parent, moved by the offset, out of DC.
void ExcludeChildControls(HDC DC, TWinControl* Parent, int OffsetX, int OffsetY);

// A bitmap tiled over R from its top-left corner; other graphics draw nothing.
void TileGraphic(TCanvas* Canvas, const TRect& R, TGraphic* Graphic);
// A non-empty Graphic tiled over R, else the texture's image placed by Mode (sSkinTexture); R becomes
// the part left uncovered.
void PaintTexture(TBitmap* Dst, TRect& R, TGraphic* Graphic, int Mode, const TsPieceView& Texture);
// Texture.Image is the skin's master picture.
void PaintMaskedTexture(TBitmap* Dst, const TRect& R, const TsCacheInfo& CacheInfo, const TsPieceView& Texture,
                        int Mode);
// Count nested frames inside R (its right and bottom edges one pixel in): left and top in C1, right and
// bottom in C2.
void DrawColorFrame(HDC DC, const TRect& R, TColor C1, int Count, TColor C2);
// A dotted focus frame: from each third pixel of each side a dot pair in C1 and C2.
void DrawDottedFrame(TCanvas* Canvas, const TRect& R, TColor C1, TColor C2);
// A shaded rounded rectangle multiplied into R of the 32-bit Bmp; Percent 100 leaves it, 0 darkest.
void DrawRoundRectBlended(TBitmap* Bmp, const TRect& R, int Percent);
