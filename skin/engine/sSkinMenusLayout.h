#pragma once
// The arithmetic of skinned menus: what kind an item is by its caption, the sizes of popup and
// menu-bar items, the size of a whole popup menu and the rectangles cut out of its window.
// Pure: no windows.h.
#include <string>
#include <string_view>
#include <vector>

#include "skin/engine/sMaskPaint.h"

// Caption item: a caption between dashes ("-Opções-"); its text is what lies between them.
enum class TsMenuItemKind { Ordinary, Separator, Caption };
TsMenuItemKind MenuItemKind(std::string_view Caption);
// A caption that starts with character 8 is drawn right-aligned without it.
bool MenuCaptionRightAligned(std::string_view Caption);

struct TMenuSize {
  int Width = 0, Height = 0;
  friend bool operator==(const TMenuSize&, const TMenuSize&) = default;
};

// The glyph column's size: the item's own bitmap when not empty, else the parent's sub-menu images,
// else the menu's images, else 16 x 16. An empty size stands for "none".
TMenuSize MenuGlyphSize(TMenuSize Bitmap, TMenuSize SubMenuImages, TMenuSize MenuImages);

struct TPopupItemMeasure {
  TsMenuItemKind Kind = TsMenuItemKind::Ordinary;
  TMenuSize Glyph{16, 16};
  // Width of the measured text and height of "W" in the canvas font.
  int TextWidth = 0;
  int LetterHeight = 0;
  int Margin = 2;
  int Spacing = 8;
  // The extra line's width counts while no item up to this one starts a new column.
  bool ExtraLine = false;
  int ExtraLineWidth = 32;
};
TMenuSize MeasurePopupItem(const TPopupItemMeasure& M);

// A menu-bar item: the caption without "&" and the image list's or own bitmap's width beside it.
struct TBarItemMeasure {
  int TextWidth = 0;
  // SM_CYMENU.
  int MenuHeight = 0;
  // 0 when the menu has no images or the item no image index.
  int ImageWidth = 0;
  // 0 when the item's own bitmap is empty.
  int BitmapWidth = 0;
};
TMenuSize MeasureBarItem(const TBarItemMeasure& M);

// A visible item of a popup menu as measured, and whether it starts a new column.
struct TMeasuredItem {
  TMenuSize Size;
  bool NewColumn = false;
};
// The size of a popup menu whose window cannot be found.
TMenuSize MenuSizeOf(const std::vector<TMeasuredItem>& Items, int BorderWidth);

// The rectangles cut out of a popup window of W x H: the key pixels of the border mask's top corners
// at the top and of its bottom corners at H less the bottom border; with none, the pixel at the origin.
std::vector<TPixelRect> MenuRegionRects(int W, int H, const TsPieceView& BorderMask);

// The frame width a skin gives its menus: the mask's common border width, 3 when that is below 1; 0
// without the mask.
int MenuSkinBorderWidth(const TsMaskData* BorderMask);
