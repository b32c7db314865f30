#pragma once
// The swatch grid of a colour panel: the items made from its colour lines and sizes, and the item
// under a point. Pure: no windows.h.
#include <vector>

#include "toolkit/graphics/Colors.h"
#include "toolkit/rtl/Classes.h"
#include "widgets/Bitmap32_Types.h"

struct TColorSwatchGrid {
  int ColCount = 5, RowCount = 2;
  int ItemWidth = 21, ItemHeight = 21;
  int ItemMargin = 6;
};

struct TColorSwatch {
  int Index = 0;
  TColor Color = 0;
  TPixelRect R;
  bool Selected = false;
};

// One item per cell, row by row: the colour of the first word of its line read as hexadecimal RRGGBB
// (a trailing "H" allowed), white for a line that Colors lacks, which gets "FFFFFF" appended.
std::vector<TColorSwatch> BuildColorSwatches(TStrings& Colors, const TColorSwatchGrid& Grid, int ItemIndex);
// The first of the first Count items whose rectangle grown by Margin holds (X, Y); -1 for none. Count
// is bounded by the items there are.
int SwatchAt(const std::vector<TColorSwatch>& Items, int Count, int Margin, int X, int Y);
// Value when it names an item or is -1, else -1.
int ValidSwatchIndex(int Value, int Count);
