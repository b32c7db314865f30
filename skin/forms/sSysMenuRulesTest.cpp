#include "skin/forms/sSysMenuRules.h"

#include <gtest/gtest.h>

namespace {

using B = TSysBorder;
using S = TSysState;

struct TRuleCase {
  const char* Name;
  TSysMenuFacts Facts;
  // Restore, move, size, minimize, maximize: visible and enabled; close visible.
  bool VR, ER, EMv, VS, ES, VN, EN, VX, EX, VC;
};

TSysMenuFacts Facts(B Border, bool Min, bool Max, S State, bool MDI = false, bool Main = false) {
  TSysMenuFacts F;
  F.Border = Border;
  F.MinimizeIcon = Min;
  F.MaximizeIcon = Max;
  F.State = State;
  F.Iconic = State == S::Minimized;
  F.MDIChild = MDI;
  F.MainForm = Main;
  return F;
}

TEST(SysMenuRules, VisibleAndEnabledItems) {
  const TRuleCase Cases[] = {
      {"sizeable normal", Facts(B::Sizeable, true, true, S::Normal), 1, 0, 1, 1, 1, 1, 1, 1, 1, 1},
      {"sizeable maximized", Facts(B::Sizeable, true, true, S::Maximized), 1, 1, 0, 1, 1, 1, 1, 1, 0, 1},
      {"single normal", Facts(B::Single, true, true, S::Normal), 1, 0, 1, 1, 0, 1, 1, 1, 1, 1},
      {"single without icons", Facts(B::Single, false, false, S::Normal), 1, 0, 1, 1, 0, 0, 0, 0, 0, 1},
      {"dialog", Facts(B::Dialog, true, true, S::Normal), 0, 0, 1, 0, 1, 0, 1, 0, 0, 1},
      {"tool window", Facts(B::ToolWindow, true, true, S::Normal), 0, 0, 1, 0, 1, 0, 1, 0, 0, 1},
      {"sizeable tool window", Facts(B::SizeToolWin, true, true, S::Normal), 0, 0, 1, 1, 1, 0, 1, 0, 0, 1},
      {"none", Facts(B::None, true, true, S::Normal), 0, 0, 1, 0, 1, 0, 1, 0, 0, 1},
      {"minimized secondary", Facts(B::Sizeable, true, true, S::Minimized), 1, 1, 1, 1, 0, 1, 0, 1, 1, 1},
      {"minimized main", Facts(B::Sizeable, true, true, S::Minimized, false, true), 1, 1, 1, 1, 0, 1, 1, 1, 1, 1},
      {"minimized dialog", Facts(B::Dialog, true, false, S::Minimized), 0, 1, 1, 0, 0, 1, 0, 1, 0, 1},
      {"MDI child dialog", Facts(B::Dialog, true, true, S::Normal, true), 1, 0, 1, 1, 1, 1, 1, 1, 1, 1},
      {"MDI child maximized", Facts(B::Dialog, true, true, S::Maximized, true), 1, 1, 0, 1, 1, 1, 1, 1, 1, 1},
  };
  for (const TRuleCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    const TSysMenuItemsState St = SysMenuItemsState(C.Facts);
    EXPECT_EQ(St.VisibleRestore, C.VR);
    EXPECT_EQ(St.EnabledRestore, C.ER);
    EXPECT_EQ(St.EnabledMove, C.EMv);
    EXPECT_EQ(St.VisibleSize, C.VS);
    EXPECT_EQ(St.EnabledSize, C.ES);
    EXPECT_EQ(St.VisibleMin, C.VN);
    EXPECT_EQ(St.EnabledMin, C.EN);
    EXPECT_EQ(St.VisibleMax, C.VX);
    EXPECT_EQ(St.EnabledMax, C.EX);
    EXPECT_EQ(St.VisibleClose, C.VC);
  }
}

TEST(SysMenuRules, WithoutASystemMenuOnlyTheSizeRules) {
  TSysMenuFacts F = Facts(B::Sizeable, true, true, S::Normal);
  F.FormHasSysMenu = false;
  const TSysMenuItemsState St = SysMenuItemsState(F);
  EXPECT_FALSE(St.VisibleClose || St.VisibleMax || St.VisibleMin || St.VisibleRestore);
  EXPECT_TRUE(St.VisibleSize);
  F.FormHasSysMenu = true;
  F.WindowHasClose = false;
  EXPECT_FALSE(SysMenuItemsState(F).VisibleClose);
}

TEST(SysMenuRules, TextsAndSkinItems) {
  EXPECT_EQ(SplitSysMenuText("Close\tAlt+F4").Caption, "Close");
  EXPECT_EQ(SplitSysMenuText("Close\tAlt+F4").ShortCut, "Alt+F4");
  EXPECT_EQ(SplitSysMenuText("&Move").ShortCut, "");
  EXPECT_EQ(SkinNameOfItem("&WEB (internal) x"), "WEB (internal)");
  EXPECT_EQ(SkinNameOfItem("A&qua"), "Aqua");
  std::vector<int> Breaks;
  for (int I = 0; I < 45; ++I)
    if (StartsSkinColumn(I)) Breaks.push_back(I);
  EXPECT_EQ(Breaks, (std::vector<int>{20, 40}));
}

}  // namespace
