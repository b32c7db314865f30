#pragma once
// Where a skinned speed button puts its glyph and caption: the width of its drop-down part, the width
// its caption is measured in and the places of both for a look. Pure: no windows.h.
#include "skin/controls/sBitBtnLayout.h"

// The drop-down part of a speed button, at its right.
constexpr int SpeedDropDownWidth = 16;

struct TSpeedButtonLayoutInput {
  int Width = 0, Height = 0;
  bool DropDown = false;
  int GlyphWidth = 0, GlyphHeight = 0;  // one cell of the strip; 0 without a glyph
  TGlyphSide Layout = gpLeft;
  TBlockAlignment Alignment = blockCenter;
  int Margin = -1, Spacing = 4;
  bool ShowsCaption = false;  // ShowCaption and a caption
  int TextWidth = 0, TextHeight = 0;  // measured inside SpeedCaptionLimit
  int TextOffset = 0;
  int State = 0;
  bool Reflected = false;
};

// The width the caption is measured in; 0 when no caption shows.
int SpeedCaptionLimit(const TSpeedButtonLayoutInput& In);
// Glyph and caption for the look In.State: the caption one pixel wider on the left and two on the
// right, both moved by (1, 1) when pressed; a reflected glyph rises by a sixth of its height.
TGlyphButtonPlaces SpeedButtonLayout(const TSpeedButtonLayoutInput& In);
