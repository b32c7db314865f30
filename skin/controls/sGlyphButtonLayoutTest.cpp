#include <gtest/gtest.h>

#include "skin/controls/sBitBtnLayout.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sSpeedButtonLayout.h"

namespace {

TEST(GlyphButtonLayout, CellWidthCountsAStripOfLessThanOneAsOne) {
  const struct {
    int Strip, Count, Width;
  } Cases[] = {{64, 4, 16}, {64, 1, 64}, {64, 0, 64}, {64, -3, 64}, {30, 4, 7}, {0, 2, 0}};
  for (const auto& C : Cases) EXPECT_EQ(GlyphCellWidth(C.Strip, C.Count), C.Width) << C.Strip << " " << C.Count;
}

// The browser's search button: 52 x 24, a 16 x 16 glyph on the left, a caption measured 30 x 13.
TBitBtnLayoutInput Busca() {
  TBitBtnLayoutInput In;
  In.Width = 52;
  In.Height = 24;
  In.GlyphWidth = In.GlyphHeight = 16;
  In.TextWidth = 30;
  In.TextHeight = 13;
  return In;
}

TEST(BitBtnLayout, PlacesGlyphAndCaptionByLookAndReflection) {
  const struct {
    int State;
    bool Reflected;
    TPixelRect Glyph, Caption;
  } Cases[] = {
      {0, false, {1, 4, 17, 20}, {21, 6, 51, 19}},
      {1, false, {1, 4, 17, 20}, {21, 6, 51, 19}},
      {2, false, {2, 5, 18, 21}, {22, 7, 52, 20}},
      {0, true, {1, 2, 17, 18}, {21, 6, 51, 19}},
      {2, true, {2, 3, 18, 19}, {22, 7, 52, 20}},
  };
  for (const auto& C : Cases) {
    TBitBtnLayoutInput In = Busca();
    In.State = C.State;
    In.Reflected = C.Reflected;
    const TGlyphButtonPlaces P = BitBtnLayout(In);
    EXPECT_EQ(P.Glyph, C.Glyph) << C.State << " " << C.Reflected;
    EXPECT_EQ(P.Caption, C.Caption) << C.State << " " << C.Reflected;
  }
}

TEST(BitBtnLayout, GlyphOnTopWithAutomaticMarginAndSpacing) {
  TBitBtnLayoutInput In;
  In.Width = 80;
  In.Height = 60;
  In.GlyphWidth = In.GlyphHeight = 16;
  In.Layout = gpTop;
  In.Spacing = -1;
  In.TextWidth = 40;
  In.TextHeight = 13;
  const TGlyphButtonPlaces P = BitBtnLayout(In);
  EXPECT_EQ(P.Glyph, MakeRect(32, 10, 48, 26));
  EXPECT_EQ(P.Caption, MakeRect(20, 36, 60, 49));
}

TEST(BitBtnLayout, CaptionLimitLeavesTheGlyphBesideIt) {
  const struct {
    TGlyphSide Layout;
    int Margin, Spacing, GlyphWidth, Limit;
  } Cases[] = {
      {gpLeft, -1, 4, 16, 34}, {gpRight, -1, 4, 16, 34}, {gpTop, -1, 4, 16, 54}, {gpBottom, 2, 4, 16, 48},
      {gpLeft, 0, 4, 0, 52},   {gpLeft, 3, 0, 16, 30},   {gpRight, 3, -1, 16, 31},
  };
  for (const auto& C : Cases) {
    TBitBtnLayoutInput In = Busca();
    In.Layout = C.Layout;
    In.Margin = C.Margin;
    In.Spacing = C.Spacing;
    In.GlyphWidth = In.GlyphHeight = C.GlyphWidth;
    EXPECT_EQ(BitBtnCaptionLimit(In), C.Limit) << C.Layout << " " << C.Margin << " " << C.Spacing;
  }
}

// A 60 x 24 speed button, no margin, spacing 4, a 16 x 16 glyph and a caption measured 20 x 13.
TSpeedButtonLayoutInput Speed(TGlyphSide Layout, TBlockAlignment Alignment) {
  TSpeedButtonLayoutInput In;
  In.Width = 60;
  In.Height = 24;
  In.GlyphWidth = In.GlyphHeight = 16;
  In.Layout = Layout;
  In.Alignment = Alignment;
  In.ShowsCaption = true;
  In.TextWidth = 20;
  In.TextHeight = 13;
  return In;
}

TEST(SpeedButtonLayout, SideLayoutsByAlignment) {
  const struct {
    TGlyphSide Layout;
    TBlockAlignment Alignment;
    TPixelRect Glyph, Caption;
  } Cases[] = {
      {gpLeft, blockCenter, {10, 4, 26, 20}, {29, 5, 52, 19}},  {gpLeft, blockLeft, {0, 4, 16, 20}, {18, 5, 42, 19}},
      {gpLeft, blockRight, {20, 4, 36, 20}, {39, 5, 62, 19}},   {gpRight, blockLeft, {24, 4, 40, 20}, {-1, 5, 22, 19}},
      {gpRight, blockRight, {44, 4, 60, 20}, {19, 5, 42, 19}},  {gpRight, blockCenter, {34, 4, 50, 20}, {9, 5, 32, 19}},
  };
  for (const auto& C : Cases) {
    const TGlyphButtonPlaces P = SpeedButtonLayout(Speed(C.Layout, C.Alignment));
    EXPECT_EQ(P.Glyph, C.Glyph) << C.Layout << " " << C.Alignment;
    EXPECT_EQ(P.Caption, C.Caption) << C.Layout << " " << C.Alignment;
  }
}

TEST(SpeedButtonLayout, TopAndBottomLeaveTheDropDownPart) {
  const struct {
    TGlyphSide Layout;
    int State;
    bool Reflected;
    TPixelRect Glyph, Caption;
  } Cases[] = {
      {gpTop, 0, false, {15, 3, 31, 19}, {11, 23, 34, 37}},   {gpTop, 2, false, {16, 4, 32, 20}, {12, 24, 35, 38}},
      {gpTop, 0, true, {15, 1, 31, 17}, {11, 23, 34, 37}},    {gpBottom, 0, false, {15, 21, 31, 37}, {11, 3, 34, 17}},
  };
  for (const auto& C : Cases) {
    TSpeedButtonLayoutInput In = Speed(C.Layout, blockCenter);
    In.Height = 40;
    In.DropDown = true;
    In.Margin = 2;
    In.State = C.State;
    In.Reflected = C.Reflected;
    const TGlyphButtonPlaces P = SpeedButtonLayout(In);
    EXPECT_EQ(P.Glyph, C.Glyph) << C.Layout << " " << C.State << " " << C.Reflected;
    EXPECT_EQ(P.Caption, C.Caption) << C.Layout << " " << C.State << " " << C.Reflected;
  }
}

TEST(SpeedButtonLayout, CaptionLimit) {
  TSpeedButtonLayoutInput In = Speed(gpLeft, blockCenter);
  In.DropDown = true;
  In.Margin = 2;
  EXPECT_EQ(SpeedCaptionLimit(In), 20);
  In.Layout = gpTop;
  EXPECT_EQ(SpeedCaptionLimit(In), 40);
  In.GlyphWidth = 0;
  In.Layout = gpRight;
  EXPECT_EQ(SpeedCaptionLimit(In), 40);
  In.ShowsCaption = false;
  EXPECT_EQ(SpeedCaptionLimit(In), 0);
}

// Every layout, alignment, margin and spacing, with and without glyph and caption: the glyph keeps
// its size and a press moves both places by one pixel.
TEST(GlyphButtonLayout, EveryCombinationKeepsTheGlyphSizeAndPressesByOnePixel) {
  for (int Layout = gpLeft; Layout <= gpBottom; ++Layout)
    for (int Align = blockLeft; Align <= blockCenter; ++Align)
      for (int Margin : {-1, 0, 5})
        for (int Spacing : {-1, 0, 4})
          for (int Glyph : {0, 16})
            for (int Text : {0, 24}) {
              TBitBtnLayoutInput B = Busca();
              B.Layout = TGlyphSide(Layout);
              B.Alignment = TBlockAlignment(Align);
              B.Margin = Margin;
              B.Spacing = Spacing;
              B.GlyphWidth = B.GlyphHeight = Glyph;
              B.TextWidth = Text;
              B.TextHeight = Text ? 13 : 0;
              const TGlyphButtonPlaces Up = BitBtnLayout(B);
              B.State = 2;
              const TGlyphButtonPlaces Down = BitBtnLayout(B);
              EXPECT_EQ(Up.Glyph.Width(), Glyph);
              EXPECT_EQ(Down.Glyph.Left, Up.Glyph.Left + 1);
              EXPECT_EQ(Down.Caption.Top, Up.Caption.Top + 1);
              EXPECT_LE(BitBtnCaptionLimit(B), 54);

              TSpeedButtonLayoutInput S = Speed(TGlyphSide(Layout), TBlockAlignment(Align));
              S.Margin = Margin;
              S.Spacing = Spacing;
              S.GlyphWidth = S.GlyphHeight = Glyph;
              S.ShowsCaption = Text > 0;
              S.TextWidth = Text;
              S.TextHeight = Text ? 13 : 0;
              const TGlyphButtonPlaces SUp = SpeedButtonLayout(S);
              S.State = 2;
              S.Reflected = true;
              const TGlyphButtonPlaces SDown = SpeedButtonLayout(S);
              EXPECT_EQ(SUp.Glyph.Height(), Glyph);
              EXPECT_EQ(SDown.Glyph.Left, SUp.Glyph.Left + 1);
              EXPECT_EQ(SDown.Glyph.Top, SUp.Glyph.Top + 1 - Glyph / 6);
              EXPECT_EQ(SDown.Caption.Right, SUp.Caption.Right + 1);
              EXPECT_GE(SUp.Caption.Width(), 3);
              if (!S.ShowsCaption) {
                EXPECT_EQ(SpeedCaptionLimit(S), 0);
              }
            }
}

}  // namespace
