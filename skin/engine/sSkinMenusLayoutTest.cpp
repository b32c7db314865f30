#include "skin/engine/sSkinMenusLayout.h"

#include <gtest/gtest.h>

#include "skin/engine/sAlphaPixels.h"
#include "skin/engine/sSkinStrUtils.h"
#include "widgets/PixelTestImage.h"

namespace {

TEST(MenuItemKind, ByCaption) {
  EXPECT_EQ(MenuItemKind("-"), TsMenuItemKind::Separator);
  EXPECT_EQ(MenuItemKind("-Opções-"), TsMenuItemKind::Caption);
  EXPECT_EQ(MenuItemKind("--"), TsMenuItemKind::Caption);
  EXPECT_EQ(MenuItemKind("-Sair"), TsMenuItemKind::Ordinary);
  EXPECT_EQ(MenuItemKind("&Abrir"), TsMenuItemKind::Ordinary);
  EXPECT_EQ(MenuItemKind(""), TsMenuItemKind::Ordinary);
  EXPECT_TRUE(MenuCaptionRightAligned("\bAjuda"));
  EXPECT_FALSE(MenuCaptionRightAligned("Ajuda"));
  EXPECT_EQ(DeleteChars("&Arquivo && mais", '&'), "Arquivo  mais");
}

TEST(MenuGlyphSize, OwnBitmapThenSubMenuImagesThenMenuImagesThen16) {
  EXPECT_EQ(MenuGlyphSize({12, 10}, {20, 20}, {24, 24}), (TMenuSize{12, 10}));
  EXPECT_EQ(MenuGlyphSize({}, {20, 18}, {24, 24}), (TMenuSize{20, 18}));
  EXPECT_EQ(MenuGlyphSize({0, 10}, {}, {24, 22}), (TMenuSize{24, 22}));
  EXPECT_EQ(MenuGlyphSize({}, {}, {}), (TMenuSize{16, 16}));
}

TEST(MeasurePopupItem, Table) {
  using K = TsMenuItemKind;
  struct Case {
    const char* Name;
    K Kind;
    TMenuSize Glyph;
    int Text, Letter;
    bool Extra;
    TMenuSize Want;
  } Cases[] = {
      // 2 × 16 + text + 3 × 2 + 8; height 2 whatever the font.
      {"separator", K::Separator, {16, 16}, 0, 13, false, {46, 2}},
      // round(1.25 × 13) = 16 + 4.
      {"ordinary", K::Ordinary, {16, 16}, 40, 13, false, {86, 20}},
      // A taller glyph wins: 24 + 4.
      {"tall glyph", K::Ordinary, {20, 24}, 40, 13, false, {94, 28}},
      // Caption items ignore the glyph's height; ties go to even: 1.25 × 14 = 17.5 → 18, × 18 = 22.5 → 22.
      {"caption 14", K::Caption, {16, 30}, 50, 14, false, {96, 22}},
      {"caption 18", K::Caption, {16, 30}, 50, 18, false, {96, 26}},
      {"extra line", K::Ordinary, {16, 16}, 40, 13, true, {118, 20}},
  };
  for (const Case& C : Cases) {
    TPopupItemMeasure M;
    M.Kind = C.Kind;
    M.Glyph = C.Glyph;
    M.TextWidth = C.Text;
    M.LetterHeight = C.Letter;
    M.ExtraLine = C.Extra;
    EXPECT_EQ(MeasurePopupItem(M), C.Want) << C.Name;
  }
  TPopupItemMeasure Wide;
  Wide.Margin = 5;
  Wide.Spacing = 10;
  Wide.ExtraLine = true;
  Wide.ExtraLineWidth = 40;
  Wide.TextWidth = 7;
  Wide.LetterHeight = 8;
  EXPECT_EQ(MeasurePopupItem(Wide), (TMenuSize{32 + 7 + 15 + 10 + 40, 16 + 10}));
}

TEST(MeasureBarItem, WithAndWithoutImage) {
  EXPECT_EQ(MeasureBarItem({50, 20, 0, 0}), (TMenuSize{50, 19}));
  EXPECT_EQ(MeasureBarItem({50, 20, 16, 0}), (TMenuSize{72, 19}));
  EXPECT_EQ(MeasureBarItem({50, 20, 0, 12}), (TMenuSize{68, 19}));
  // The image list comes before the own bitmap.
  EXPECT_EQ(MeasureBarItem({50, 20, 16, 12}), (TMenuSize{72, 19}));
}

TEST(MenuSizeOf, ColumnsAndBorders) {
  EXPECT_EQ(MenuSizeOf({}, 3), (TMenuSize{6, 6}));
  EXPECT_EQ(MenuSizeOf({{{80, 20}}, {{100, 20}}, {{60, 2}}}, 3), (TMenuSize{100 + 12 + 6, 42 + 6}));
  // A second column adds its width + 12 and a gap of 4; the height is the taller column's.
  EXPECT_EQ(MenuSizeOf({{{80, 20}}, {{100, 20}}, {{50, 20}, true}, {{70, 20}}, {{40, 20}}}, 2),
            (TMenuSize{112 + 4 + 82 + 4, 60 + 4}));
  // A first item marked as a new column starts no empty one.
  EXPECT_EQ(MenuSizeOf({{{80, 20}, true}}, 0), (TMenuSize{92, 20}));
}

TEST(MenuRegionRects, KeyPixelsOfTheMaskCornersAtTopAndBottom) {
  // A mask of one 12 x 10 state image with 3-pixel corners; key pixels in its corner rows.
  TTestImage Image(12, 10, 0xFF808080);
  TsMaskData Mask;
  Mask.R = {0, 0, 12, 10};
  Mask.ImageCount = 1;
  Mask.MaskType = 0;
  Mask.WL = Mask.WT = Mask.WR = Mask.WB = 3;
  Mask.BorderWidth = 3;
  Image(0, 0) = Image(1, 0) = KeyPixel;
  Image(0, 1) = KeyPixel;
  Image(11, 0) = KeyPixel;
  Image(0, 9) = KeyPixel;
  Image(10, 9) = Image(11, 9) = KeyPixel;
  const TsPieceView Piece{&Mask, Image.View, false};
  const std::vector<TPixelRect> Want{{0, 0, 2, 1}, {0, 1, 1, 2}, {99, 0, 100, 1},
                                     {0, 49, 1, 50}, {98, 49, 100, 50}};
  EXPECT_EQ(MenuRegionRects(100, 50, Piece), Want);
  // Without the mask or without key pixels: only the origin pixel.
  const std::vector<TPixelRect> Origin{{0, 0, 1, 1}};
  EXPECT_EQ(MenuRegionRects(100, 50, TsPieceView{}), Origin);
  TTestImage Plain(12, 10, 0xFF808080);
  EXPECT_EQ(MenuRegionRects(100, 50, TsPieceView{&Mask, Plain.View, false}), Origin);
}

TEST(MenuSkinBorderWidth, ZeroWithoutMaskThreeForWidthZero) {
  EXPECT_EQ(MenuSkinBorderWidth(nullptr), 0);
  TsMaskData Mask;
  Mask.BorderWidth = 0;
  EXPECT_EQ(MenuSkinBorderWidth(&Mask), 3);
  Mask.BorderWidth = 5;
  EXPECT_EQ(MenuSkinBorderWidth(&Mask), 5);
}

}  // namespace
