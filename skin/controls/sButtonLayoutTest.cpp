#include "skin/controls/sButtonLayout.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A 130 x 35 button, ContentMargin 6, a 32 x 32 glyph, a caption measured 40 x 13.
TsButtonRectsInput Button130(TImageAlignment A, int Margins) {
  TsButtonRectsInput In;
  In.Width = 130;
  In.Height = 35;
  In.Alignment = A;
  In.Margins = {Margins, Margins, Margins, Margins};
  In.HasGlyph = true;
  In.ImageWidth = In.ImageHeight = 32;
  In.TextWidth = 40;
  In.TextHeight = 13;
  return In;
}

TEST(ButtonLayout, EveryAlignmentWithMarginsZeroAndFour) {
  const struct {
    TImageAlignment A;
    int Margins;
    TPixelRect Glyph, Caption;
  } Cases[] = {
      {iaLeft, 0, {6, 1, 38, 33}, {38, 11, 124, 24}},      {iaLeft, 4, {10, 1, 42, 33}, {46, 11, 124, 24}},
      {iaRight, 0, {92, 1, 124, 33}, {6, 11, 92, 24}},     {iaRight, 4, {88, 1, 120, 33}, {6, 11, 84, 24}},
      {iaTop, 0, {49, 6, 81, 38}, {6, 30, 124, 43}},       {iaTop, 4, {49, 10, 81, 42}, {6, 32, 124, 45}},
      {iaBottom, 0, {49, -3, 81, 29}, {6, -8, 124, 5}},    {iaBottom, 4, {49, -7, 81, 25}, {6, -10, 124, 3}},
      {iaCenter, 0, {49, 1, 81, 33}, {44, 11, 86, 24}},    {iaCenter, 4, {49, 1, 81, 33}, {44, 11, 86, 24}},
  };
  for (const auto& C : Cases) {
    const TsButtonRects L = ButtonLayout(Button130(C.A, C.Margins));
    EXPECT_EQ(L.Glyph, C.Glyph) << C.A << " " << C.Margins;
    EXPECT_EQ(L.Caption, C.Caption) << C.A << " " << C.Margins;
  }
}

TEST(ButtonLayout, CommandLinkSplitButtonAndPressedOffset) {
  TsButtonRectsInput Link = Button130(iaLeft, 0);
  Link.Style = bsCommandLink;
  EXPECT_EQ(ButtonLayout(Link).Glyph, MakeRect(6, 6, 38, 38));
  EXPECT_EQ(ButtonLayout(Link).Caption, MakeRect(44, 6, 124, 19));
  EXPECT_EQ(ButtonTextLimit(Link), 130 - 12 - 32 - 6);
  Link.Height = 60;
  EXPECT_EQ(ButtonLayout(Link).Hint, MakeRect(44, 25, 44 + 130 - 12 - 32, 54));

  TsButtonRectsInput Split = Button130(iaLeft, 0);
  Split.Style = bsSplitButton;
  EXPECT_EQ(ButtonFaceWidth(130, bsSplitButton), 114);
  EXPECT_EQ(ButtonTextLimit(Split), 114 - 12 - 32 - 6);
  EXPECT_EQ(ButtonLayout(Split).Caption, MakeRect(38, 11, 108, 24));

  TsButtonRectsInput Push = Button130(iaLeft, 0);
  EXPECT_EQ(ButtonTextLimit(Push), 130);
  Push.State = 2;
  EXPECT_EQ(ButtonLayout(Push).Glyph, MakeRect(7, 2, 39, 34));
  EXPECT_EQ(ButtonLayout(Push).Caption, MakeRect(39, 12, 125, 25));
}

TEST(ButtonLayout, TopGlyphWithTopMarginFourSitsTenDownAndTheCaptionBelowIt) {
  TsButtonRectsInput In = Button130(iaTop, 0);
  In.Height = 80;
  In.Margins.Top = 4;
  const TsButtonRects L = ButtonLayout(In);
  EXPECT_EQ(L.Glyph.Top, 10);
  EXPECT_GE(L.Caption.Top, L.Glyph.Bottom);
}

TEST(ButtonLayout, NoGlyphCentresTheCaption) {
  TsButtonRectsInput In = Button130(iaLeft, 4);
  In.HasGlyph = false;
  EXPECT_EQ(ButtonLayout(In).Caption, MakeRect(44, 11, 86, 24));
}

TEST(ButtonState, PressedHotAndNormal) {
  const struct {
    TButtonStateInput In;
    int State;
  } Cases[] = {
      {{}, 0},
      {{.Pushed = true, .MouseAbove = true, .LeftButtonHeld = true}, 2},
      {{.Pushed = true}, 2},
      // Pushed while the mouse left the button with the button held: the look it has otherwise.
      {{.Pushed = true, .LeftButtonHeld = true}, 0},
      {{.Pushed = true, .LeftButtonHeld = true, .HotState = true}, 1},
      {{.ForcePressed = true, .MouseAbove = true, .LeftButtonHeld = true}, 2},
      {{.Down = true}, 2},
      {{.DropDownOpen = true}, 2},
      {{.DefaultLook = true}, 1},
      {{.HotState = true}, 1},
  };
  for (size_t i = 0; i < std::size(Cases); ++i) EXPECT_EQ(ButtonCurrentState(Cases[i].In), Cases[i].State) << i;
}

TEST(ButtonGlyph, ChoiceByLookWithFallBack) {
  const TGlyphChoice Base{.Count = 3, .ImageIndex = 0, .HotImageIndex = 1, .PressedImageIndex = 2,
                          .SelectedImageIndex = 1, .DisabledImageIndex = 2};
  auto With = [&](auto Change) {
    TGlyphChoice C = Base;
    Change(C);
    return ButtonGlyphIndex(C);
  };
  EXPECT_EQ(With([](TGlyphChoice&) {}), 0);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.State = 1; }), 1);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.State = 2; }), 2);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.Focused = true; C.SelectedImageIndex = 2; }), 2);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.Enabled = false; C.State = 1; }), 2);
  // HotImageIndex 5 of three images: ImageIndex.
  EXPECT_EQ(With([](TGlyphChoice& C) { C.State = 1; C.HotImageIndex = 5; }), 0);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.State = 2; C.PressedImageIndex = -1; }), 0);
  // Without a valid ImageIndex no glyph at all.
  EXPECT_EQ(With([](TGlyphChoice& C) { C.ImageIndex = 3; C.State = 1; }), -1);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.ImageIndex = -1; }), -1);
  EXPECT_EQ(With([](TGlyphChoice& C) { C.Count = 0; }), -1);
}

TEST(ButtonGlyph, CellsAndDisabledBlend) {
  EXPECT_EQ(GlyphCellIndex(2, 2), 1);
  EXPECT_EQ(GlyphCellIndex(1, 4), 1);
  EXPECT_EQ(GlyphCellIndex(2, 0), 0);
  EXPECT_EQ(GlyphCellIndex(2, -3), 0);
  EXPECT_EQ(GlyphCellRect(1, 16, 16, 32, 16), MakeRect(16, 0, 32, 16));
  // A strip narrower than its cells: the cell is cut to it, or empty past its end.
  EXPECT_EQ(GlyphCellRect(1, 16, 16, 24, 10), MakeRect(16, 0, 24, 10));
  EXPECT_TRUE(IsRectEmpty(GlyphCellRect(2, 16, 16, 24, 16)));

  const TsDisabledGlyphKind Blended = 1u << dgBlended, Grayed = 1u << dgGrayed;
  EXPECT_EQ(GlyphBlend(20, 0, false, Blended), 50);
  EXPECT_EQ(GlyphBlend(70, 0, false, Blended), 70);
  EXPECT_EQ(GlyphBlend(20, 0, false, Grayed), 20);
  EXPECT_EQ(GlyphBlend(20, 1, true, Blended), 0);
  EXPECT_EQ(GlyphBlend(20, 0, true, Blended), 20);
}

TEST(ButtonGlyph, CellRectangleStaysInsideTheStripForAnyInput) {
  std::mt19937 Rng(58);
  std::uniform_int_distribution<int> Any(-1000, 1000), Big(-2000000000, 2000000000);
  for (int i = 0; i < 20000; ++i) {
    const bool Wide = i % 2;
    const int Cell = GlyphCellIndex(Any(Rng), Wide ? Big(Rng) : Any(Rng));
    const int CW = Wide ? Big(Rng) : Any(Rng), CH = Any(Rng), BW = Any(Rng), BH = Any(Rng);
    const TPixelRect R = GlyphCellRect(Cell, CW, CH, BW, BH);
    if (IsRectEmpty(R)) continue;
    EXPECT_GE(R.Left, 0);
    EXPECT_GE(R.Top, 0);
    EXPECT_LE(R.Right, BW);
    EXPECT_LE(R.Bottom, BH);
  }
}

TEST(ToolButtonGlyph, StateAndRectangle) {
  EXPECT_EQ(ToolButtonState(0), 0);
  EXPECT_EQ(ToolButtonState(ToolDisabled), 0);
  EXPECT_EQ(ToolButtonState(ToolHot), 1);
  EXPECT_EQ(ToolButtonState(ToolHot | ToolDisabled), 1);
  EXPECT_EQ(ToolButtonState(ToolSelected | ToolHot), 2);
  EXPECT_EQ(ToolButtonState(ToolChecked), 2);
  EXPECT_EQ(ToolButtonAlphaState(ToolHot | ToolChecked), 1);
  EXPECT_EQ(ToolButtonAlphaState(ToolChecked), 2);
  EXPECT_EQ(ToolButtonAlphaState(ToolSelected), 0);

  TToolGlyphInput In{.ButtonWidth = 60, .ButtonHeight = 40, .ImageWidth = 16, .ImageHeight = 16};
  In.List = true;
  EXPECT_EQ(ToolButtonGlyphRect(In), MakeRect(5, 12, 21, 28));
  In.List = false;
  EXPECT_EQ(ToolButtonGlyphRect(In), MakeRect(23, 12, 39, 28));
  In.DropDown = true;
  In.ShowCaptions = true;
  In.TextHeight = 13;
  EXPECT_EQ(ToolButtonGlyphRect(In), MakeRect(15, 4, 31, 20));
  In.State = 2;
  EXPECT_EQ(ToolButtonGlyphRect(In), MakeRect(16, 5, 32, 21));
}

}  // namespace
