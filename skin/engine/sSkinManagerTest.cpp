// The skin manager's tables, lookups and colours over a skin text, with the system's colours.
#include <windows.h>

#include "skin/engine/sSkinManager.h"

#include <gtest/gtest.h>

#include "toolkit/rtl/Exceptions.h"

namespace {

TColor Sys(int Index) { return TColor(GetSysColor(Index)); }

const char* const Skin =
    "[GLOBALINFO]\nFONTCOLOR=-16777208\nSTATES=2\nHOTCOLOR=-16777211\nBOXCHECKED=@0223@0015@0268@0030@3@0\n"
    "[BUTTON]\nTCLEFT=-1\nTCTOP=-16777201\n"
    "BORDERSMASK=^0611^0000^0663^0066^0006^0006^0006^0000^4^1^5^0\nPATTERN=~0541~0000~0611~0070~00~0\n"
    "[BUTTON_HUGE]\nPARENTCLASS=BUTTON\n"
    "[EDIT]\nFONTCOLOR=-16777202\n";

TEST(SkinManager, TakesInTheModelOfASkinText) {
  TsSkinManager Manager(nullptr);
  EXPECT_FALSE(Manager.IsValidSkinIndex(0));
  Manager.ReadSkinText(Skin, "[COMBOBTN]\nPARENTCLASS=BUTTON\n");
  const TsSkinTables& t = Manager.Tables();
  ASSERT_EQ(t.Sections.size(), 5u);
  EXPECT_EQ(Manager.SkinData().FormOffset, GetSystemMetrics(SM_CXFRAME));
  for (const TsMaskData& m : t.Masks) EXPECT_EQ(m.Manager, &Manager);

  const int Huge = Manager.GetSkinIndex("BUTTON_HUGE");
  EXPECT_EQ(Huge, 2);
  EXPECT_TRUE(Manager.IsValidSkinIndex(Huge));
  EXPECT_EQ(t.Sections[Huge].TCLeft, -1);              // an inherited "none" stays none
  EXPECT_EQ(t.Sections[Huge].TCTop, Sys(COLOR_BTNFACE));  // an inherited system colour is converted
  const int Border = Manager.GetMaskIndex(Huge, "BUTTON_HUGE", "BORDERSMASK");
  EXPECT_EQ(Border, Manager.FindMaskIndex("BUTTON", "BORDERSMASK"));
  EXPECT_EQ(t.Sections[Huge].BorderIndex, Border);
  EXPECT_EQ(Manager.GetTextureIndex(Huge, "BUTTON_HUGE", "PATTERN"), 2);
  EXPECT_EQ(Manager.GetPatternIndex(Huge, "BUTTON_HUGE", "PATTERN"), -1);
  EXPECT_TRUE(Manager.IsValidMaskIndex(Border));
  EXPECT_FALSE(Manager.IsValidMaskIndex(3));
  EXPECT_EQ(Manager.MaskBorderLeft(Border), 6);
  EXPECT_EQ(Manager.MaskBorderRight(Border), 6);
  EXPECT_EQ(Manager.MaskBorderBottom(Border), 33);  // no width of its own nor a common one

  const TsCommonIndexes& c = Manager.CommonIndexes();
  EXPECT_EQ(c.GlobalInfo, 0);
  EXPECT_EQ(c.BoxChecked, 0);
  EXPECT_EQ(c.ComboBtn, 4);
  EXPECT_EQ(c.ComboBtnPattern, 2);  // inherited texture
  EXPECT_EQ(c.ComboBtnBorder, -1);  // exact lookup

  // A text that does not build leaves the skin as it was.
  EXPECT_THROW(Manager.ReadSkinText("[A]\nCOLOR=none\n", ""), EConvertError);
  EXPECT_EQ(Manager.Tables().Sections.size(), 5u);
  EXPECT_EQ(Manager.CommonIndexes().ComboBtn, 4);
}

TEST(SkinManager, GlobalAndEditColours) {
  TsSkinManager Manager(nullptr);
  Manager.ReadSkinText("[BUTTON]\n", "");
  EXPECT_EQ(Manager.GetGlobalColor(), Sys(COLOR_BTNFACE));
  EXPECT_EQ(Manager.GetGlobalFontColor(), clFuchsia);
  EXPECT_EQ(Manager.GetGlobalHotColor(), Sys(COLOR_WINDOW));
  EXPECT_EQ(Manager.GetActiveEditFontColor(), clWindowText);
  Manager.ReadSkinText(Skin, "");
  EXPECT_EQ(Manager.GetGlobalColor(), 0xFFFFFF);
  EXPECT_EQ(Manager.GetGlobalFontColor(), Sys(COLOR_WINDOWTEXT));
  EXPECT_EQ(Manager.GetGlobalHotColor(), Sys(COLOR_WINDOW));
  EXPECT_EQ(Manager.GetActiveEditFontColor(), Sys(COLOR_HIGHLIGHTTEXT));
}

TEST(SkinManager, SelectionColours) {
  struct Case {
    const char* Text;
    TColor Normal, Hot, NormalFont, HotFont;
  } cases[] = {
      {"[X]\n", clHighlight, clHighlight, clHighlightText, clHighlightText},
      {"[SELECTION]\nSTATES=2\nCOLOR=10\nHOTCOLOR=20\nFONTCOLOR=-16777208\nHOTFONTCOLOR=40\n", 10, 20, -16777208, 40},
      {"[SELECTION]\nSTATES=1\nCOLOR=10\nHOTCOLOR=20\nFONTCOLOR=30\n", 10, 10, 30, 30},
      {"[SELECTION]\nCOLOR=$FF00FF\nHOTCOLOR=-1\nFONTCOLOR=-1\nHOTFONTCOLOR=$FF00FF\n"
       "[MENUITEM]\nHOTCOLOR=-16777211\nHOTFONTCOLOR=-16777202\n",
       Sys(COLOR_WINDOW), Sys(COLOR_WINDOW), Sys(COLOR_HIGHLIGHTTEXT), Sys(COLOR_HIGHLIGHTTEXT)},
      {"[MENUITEM]\nHOTCOLOR=$FFFFFF\nHOTFONTCOLOR=$FFFFFF\n", clHighlight, clHighlight, 0xFFFFFF, 0xFFFFFF},
      {"[MENUITEM]\nHOTCOLOR=-1\nHOTFONTCOLOR=-1\n", clHighlight, clHighlight, clHighlightText, clHighlightText},
  };
  TsSkinManager Manager(nullptr);
  for (const Case& c : cases) {
    Manager.ReadSkinText(c.Text, "");
    EXPECT_EQ(Manager.GetSelectionColor(false), c.Normal) << c.Text;
    EXPECT_EQ(Manager.GetSelectionColor(true), c.Hot) << c.Text;
    EXPECT_EQ(Manager.GetSelectionFontColor(false), c.NormalFont) << c.Text;
    EXPECT_EQ(Manager.GetSelectionFontColor(true), c.HotFont) << c.Text;
  }
}

}  // namespace
