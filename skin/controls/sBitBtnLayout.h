#pragma once
// Where a skinned bitmap button puts its glyph and caption: the width its caption is measured in and
// the places of both for a look. Pure: no windows.h.
#include "widgets/Bitmap32_Types.h"

// The orders of the toolkit's glyph layouts (glyph left, right, top, bottom) and alignments (left,
// right, centre), kept as numbers here.
enum TGlyphSide { gpLeft, gpRight, gpTop, gpBottom };
enum TBlockAlignment { blockLeft, blockRight, blockCenter };

struct TBitBtnLayoutInput {
  int Width = 0, Height = 0;
  int GlyphWidth = 0, GlyphHeight = 0;  // one cell of the strip; 0 without a glyph
  TGlyphSide Layout = gpLeft;
  TBlockAlignment Alignment = blockCenter;
  int Margin = -1, Spacing = 4;  // -1 for automatic
  bool RightToLeft = false;
  int TextWidth = 0, TextHeight = 0;  // measured inside BitBtnCaptionLimit; 0 without a caption shown
  int State = 0;
  bool Reflected = false;
};
struct TGlyphButtonPlaces {
  TPixelRect Glyph;
  TPixelRect Caption;
};

// The width the caption is measured in: the button less both margins, less the glyph and the spacing
// when they stand beside it.
int BitBtnCaptionLimit(const TBitBtnLayoutInput& In);
// Glyph and caption for the look In.State: both move by (1, 1) when pressed; a reflected glyph rises
// by a sixth of its width to leave room for its reflection.
TGlyphButtonPlaces BitBtnLayout(const TBitBtnLayoutInput& In);
