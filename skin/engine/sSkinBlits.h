#pragma once
// Copies of the device-context unit done on pixels: a skin image drawn as a nine-slice with tiled or
// stretched sides, a button glyph from its strip with transparency and the disabled look, and one byte
// channel moved between a 32-bit and an 8-bit picture. Pure: no windows.h.
#include <cstdint>

#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinResize.h"
#include "widgets/Bitmap32_Types.h"

// Tiles of Sw x Sh pixels from (Sx, Sy) of Src over [X0, X1) x [Y0, Y1) of Dst from its top-left
// corner, the last column and row cut; cut to both views.
void TileBlt(const TPixelView& Dst, int64_t X0, int64_t Y0, int64_t X1, int64_t Y1, const TPixelView& Src, int64_t Sx,
             int64_t Sy, int64_t Sw, int64_t Sh);
// A nearest-pixel stretch of Sw x Sh from (Sx, Sy) onto W x H at (X, Y); nothing for parts of no or
// negative size or a source part leaving Src.
void StretchBlt32(const TPixelView& Dst, int64_t X, int64_t Y, int64_t W, int64_t H, const TPixelView& Src,
                  int64_t Sx, int64_t Sy, int64_t Sw, int64_t Sh);

// SrcRect of Src onto DstRect of Dst as a nine-slice. Borders are the border widths in the image,
// MaxWidths the largest thickness drawn on each side; SideModes (left, top, right, bottom) and
// CentreMode: 0 tile, 1 stretch (nearest pixel), other values not drawn. Parts of negative size are
// skipped; everything is cut to both views.
struct TNineSlice {
  TPixelRect DstRect, SrcRect;
  TPixelRect Borders, MaxWidths;
  int SideModes[4] = {0, 0, 0, 0};
  uint8_t CentreMode = 0;
  bool DrawCentre = false;
};
void StretchOrTileBlt(const TPixelView& Dst, const TPixelView& Src, const TNineSlice& B);

// One glyph of the strip Glyph (a 32-bit copy; Glyph16Colours when the strip was a 4-bit bitmap) drawn
// at R's top-left corner of Dst. The key is the colour of the glyph's bottom-left pixel. A strip of
// one glyph (NumGlyphs below 2) is drawn whole, disabled grayed with Effects 2 and blended half and
// half with Effects 1; a strip of several draws glyph 0 when disabled, else the glyph of State.
struct TGlyphDraw {
  TPixelRect R;
  int NumGlyphs = 1;
  bool Enabled = true;
  uint8_t Effects = 0;
  int State = 0, BlendPercent = 0;
  uint8_t GlyphShift = 0;
};
void CopyGlyphBlended(const TPixelView& Glyph, bool Glyph16Colours, const TPixelView& Dst, const TGlyphDraw& G);
// The glyph of a strip that CopyGlyphBlended draws for a state; -1 draws nothing.
int GlyphIndex(int NumGlyphs, bool Enabled, int State, uint8_t GlyphShift, bool Glyph16Colours);

// Byte Channel (0..3) of each pixel of Bmp32 to the matching byte of Bmp8 (a view of 1 byte a pixel)
// with Extract, the other way without; over the part both cover.
void CopyChannel(const TPixelView& Bmp32, const TByteView& Bmp8, int Channel, bool Extract);
