#include "skin/engine/sSkinMenusLayout.h"

#include <algorithm>

namespace {

bool IsEmpty(TMenuSize S) { return S.Width <= 0 || S.Height <= 0; }

// round(1.25 × H), ties to even.
int FiveQuarters(int H) {
  const int Five = 5 * H;
  int Q = Five / 4;
  const int R = Five % 4;
  if (R > 2 || (R == 2 && Q % 2 != 0)) ++Q;
  return Q;
}

}  // namespace

TsMenuItemKind MenuItemKind(std::string_view Caption) {
  if (Caption == "-") return TsMenuItemKind::Separator;
  if (Caption.size() >= 2 && Caption.front() == '-' && Caption.back() == '-') return TsMenuItemKind::Caption;
  return TsMenuItemKind::Ordinary;
}

bool MenuCaptionRightAligned(std::string_view Caption) { return !Caption.empty() && Caption.front() == 8; }

TMenuSize MenuGlyphSize(TMenuSize Bitmap, TMenuSize SubMenuImages, TMenuSize MenuImages) {
  for (TMenuSize S : {Bitmap, SubMenuImages, MenuImages})
    if (!IsEmpty(S)) return S;
  return {16, 16};
}

TMenuSize MeasurePopupItem(const TPopupItemMeasure& M) {
  TMenuSize S;
  S.Width = 2 * M.Glyph.Width + M.TextWidth + 3 * M.Margin + M.Spacing + (M.ExtraLine ? M.ExtraLineWidth : 0);
  switch (M.Kind) {
    case TsMenuItemKind::Separator:
      S.Height = 2;
      break;
    case TsMenuItemKind::Caption:
      S.Height = FiveQuarters(M.LetterHeight) + 2 * M.Margin;
      break;
    case TsMenuItemKind::Ordinary:
      S.Height = std::max(FiveQuarters(M.LetterHeight), M.Glyph.Height) + 2 * M.Margin;
      break;
  }
  return S;
}

TMenuSize MeasureBarItem(const TBarItemMeasure& M) {
  int Side = 0;
  if (M.ImageWidth > 0)
    Side = M.ImageWidth + 6;
  else if (M.BitmapWidth > 0)
    Side = M.BitmapWidth + 6;
  return {M.TextWidth + Side, M.MenuHeight - 1};
}


TMenuSize MenuSizeOf(const std::vector<TMeasuredItem>& Items, int BorderWidth) {
  TMenuSize Total;
  int ColumnWidth = 0, ColumnHeight = 0;
  bool First = true;
  auto EndColumn = [&] {
    Total.Width += ColumnWidth + 12;
    Total.Height = std::max(Total.Height, ColumnHeight);
  };
  for (const TMeasuredItem& Item : Items) {
    if (Item.NewColumn && !First) {
      EndColumn();
      Total.Width += 4;
      ColumnWidth = ColumnHeight = 0;
    }
    First = false;
    ColumnWidth = std::max(ColumnWidth, Item.Size.Width);
    ColumnHeight += Item.Size.Height;
  }
  if (!Items.empty()) EndColumn();
  Total.Width += 2 * BorderWidth;
  Total.Height += 2 * BorderWidth;
  return Total;
}

std::vector<TPixelRect> MenuRegionRects(int W, int H, const TsPieceView& BorderMask) {
  std::vector<TPixelRect> Rects;
  if (BorderMask.Mask) {
    CollectTransparentPixels(Rects, W, BorderMask, 0, false);
    CollectTransparentPixels(Rects, W, BorderMask, H - BorderMask.Mask->WB, true);
  }
  if (Rects.empty()) Rects.push_back({0, 0, 1, 1});
  return Rects;
}

int MenuSkinBorderWidth(const TsMaskData* BorderMask) {
  if (!BorderMask) return 0;
  return BorderMask->BorderWidth < 1 ? 3 : BorderMask->BorderWidth;
}
