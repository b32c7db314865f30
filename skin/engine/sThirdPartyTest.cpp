// The foreign-control lists: defaults, filling, copying back and the class-name query.
#include "skin/engine/sThirdParty.h"

#include <gtest/gtest.h>

namespace {

TEST(ThirdParty, DefaultsFillTheLists) {
  TThirdPartyLists L;
  L.Fill(false);
  for (int i = 0; i < ThirdPartyCount; ++i) {
    ASSERT_EQ(L.List(i).Count(), 1) << i;
    EXPECT_EQ(L.List(i)[0], i == 1 ? "TButton" : " ") << i;
  }
  EXPECT_TRUE(L.Contains(1, "TButton"));
  EXPECT_FALSE(L.Contains(1, "tbutton"));
  EXPECT_FALSE(L.Contains(0, "TButton"));
  EXPECT_EQ(ThirdPartyCategory(0), "Edit");
  EXPECT_EQ(ThirdPartyCategory(19), "UpDownBtn");
  EXPECT_EQ(L.Texts().ThirdStatusBar(), " ");
}

TEST(ThirdParty, EmptyTextIsResetAtTheNextFilling) {
  TThirdPartyLists L;
  L.Texts().SetText(0, "TEdit\r\nTMemo\r\n");
  L.Texts().SetText(1, "");
  L.Fill(false);
  EXPECT_TRUE(L.Contains(0, "TEdit"));
  EXPECT_TRUE(L.Contains(0, "TMemo"));
  EXPECT_EQ(L.Texts().ThirdButtons(), "TButton");
  EXPECT_TRUE(L.Contains(1, "TButton"));
}

TEST(ThirdParty, ForcedFillingResetsEveryText) {
  TThirdPartyLists L;
  L.Texts().SetText(16, "TStatusBar");
  L.Fill(true);
  EXPECT_EQ(L.Texts().ThirdStatusBar(), " ");
  EXPECT_FALSE(L.Contains(16, "TStatusBar"));
}

TEST(ThirdParty, CopyBackWritesEveryList) {
  TThirdPartyLists L;
  L.Texts().SetText(7, "TListView");
  L.Fill(false);
  L.Texts().SetText(7, "changed");
  L.CopyBack();
  EXPECT_EQ(L.Texts().ThirdListViews(), "TListView\r\n");
  EXPECT_EQ(L.Texts().ThirdButtons(), "TButton\r\n");
}

}  // namespace
