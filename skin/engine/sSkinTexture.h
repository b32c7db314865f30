#pragma once
// Texture painting of skin sections (plain and masked tiles, stretched edges) and the placing of a
// button's glyph and caption. Pure: no windows.h.
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinPixels.h"
#include "widgets/Bitmap32_Types.h"

// The rectangle left when a texture covers all of it.
inline constexpr TPixelRect TextureCovered{-1, -1, -1, -1};

// ImgR of Img painted into R of Dst by Mode (0 and 10 tiled, 1 stretched, 2 a row of tiles along the top,
// 3 a column down the left, 4 stretched across the top, 5 down the left, 6 tiles along the bottom, 7 and
// others down the right); answers the part of R left uncovered.
TPixelRect PaintTexture(const TPixelView& Dst, const TPixelRect& R, const TPixelView& Img, const TPixelRect& ImgR,
                        int Mode);

// One image of a masked piece (its first state; the mask in the lower half) tiled over R: Mode 0 to the
// edges with cut tiles, Mode 10 whole tiles and the strips left filled from the background (its
// pixels when Ready, else its fill colour). Master is the skin's master picture.
struct TPaintMaskedTexture {
  TPixelView Dst;
  TPixelRect R;
  TsCacheView CacheInfo;
  const TsMaskData* Mask = nullptr;
  TPixelView Master;
  int Mode = 0;
};
void PaintMaskedTexture(const TPaintMaskedTexture& P);

// A button's client rectangle, glyph and caption sizes (X the width, Y the height); Spacing and Margin
// -1 for automatic; Alignment 2 centres; Layout 0 glyph left, 1 right, 2 top, 3 bottom.
struct TButtonLayoutInput {
  TPixelRect Client;
  TPixelPoint GlyphSize, CaptionSize;
  bool RightToLeft = false;
  int Spacing = -1, Margin = -1;
  int Alignment = 2;
  int Layout = 0;
};
struct TButtonPlaces {
  TPixelRect Caption;
  TPixelPoint Glyph;
};
TButtonPlaces CalcButtonLayout(const TButtonLayoutInput& L);
