#include "skin/controls/sPanelGeometry.h"

#include <gtest/gtest.h>

namespace {

using B = TPanelBevel;

TEST(PanelGeometry, FrameInsetCountsBevelsThatShow) {
  const struct {
    int Border, Bevel;
    B Inner, Outer;
    int Inset;
  } Cases[] = {{0, 1, B::None, B::None, 0}, {0, 1, B::None, B::Raised, 1}, {4, 1, B::Lowered, B::Raised, 6},
               {4, 3, B::Space, B::None, 7}, {2, 2, B::Space, B::Space, 6}};
  for (const auto& C : Cases) EXPECT_EQ(PanelFrameInset(C.Border, C.Bevel, C.Inner, C.Outer), C.Inset);
}

TEST(PanelGeometry, CaptionTopFollowsBorderWidthNotTheCentre) {
  // A 100-high rectangle inset by 6 (BorderWidth 4 and two bevels), a text 13 high.
  const TPixelRect R = PanelCaptionRect(MakeRect(6, 6, 94, 94), 13, 4);
  EXPECT_EQ(R, MakeRect(6, 4 + (88 - 13) / 2, 94, 4 + 37 + 13));
  // Division toward zero when the text is taller than the room.
  EXPECT_EQ(PanelCaptionRect(MakeRect(0, 0, 10, 10), 13, 0).Top, -1);
}

TEST(PanelGeometry, BevelTableSwitchesOnlyItsOwnSections) {
  const struct {
    const char* Section;
    B Old, New;
    const char* Result;
  } Cases[] = {{"PANEL", B::Raised, B::Lowered, "PANEL_LOW"}, {"PANEL_LOW", B::Lowered, B::Raised, "PANEL"},
               {"TOOLBAR", B::Raised, B::Lowered, "TOOLBAR"},  {"CHECKBOX", B::None, B::Raised, "PANEL"},
               {"PANEL", B::Raised, B::None, "CHECKBOX"},      {"PANEL", B::Raised, B::Space, "PANEL"},
               {"PANEL", B::Space, B::Lowered, "PANEL"},       {"PANEL_LOW", B::Raised, B::Lowered, "PANEL_LOW"}};
  for (const auto& C : Cases) EXPECT_EQ(SwitchedBevelSection(C.Section, C.Old, C.New), C.Result) << C.Section;
  EXPECT_TRUE(BevelSection(B::Space).empty());
}

TEST(PanelGeometry, BackgroundShiftsOnlyForAFramedClient) {
  EXPECT_EQ(PanelBgShift(100, 100, 6), 0);
  EXPECT_EQ(PanelBgShift(92, 100, 6), 6);
}

}  // namespace
