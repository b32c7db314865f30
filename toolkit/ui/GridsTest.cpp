// The string grid on real windows: cells, sizes, current cell, keys, clicks and drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/ui/Grids.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class GridsTest : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(50, 50, 500, 400);
    form->Show();
  }
  void TearDown() override { form->Free(); }

  TForm* form = nullptr;
};

TEST_F(GridsTest, StringGridSelectCellCanRefuseACell) {
  auto* g = new TStringGrid(form);
  g->SetParent(form);
  g->SetColCount(4);
  g->SetRowCount(6);
  g->SetColWidths(2, 90);
  g->SetCells(1, 1, "Olho direito");
  std::vector<std::pair<int, int>> asked;
  g->OnSelectCell = [&](TObject*, int ACol, int ARow, bool& CanSelect) {
    asked.push_back({ACol, ARow});
    CanSelect = !(ACol == 2 && ARow == 3);
  };
  Pump();
  EXPECT_EQ(g->Cells(1, 1), "Olho direito");
  EXPECT_EQ(g->ColWidths(2), 90);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 1);

  g->SetRow(3);
  EXPECT_EQ(g->Row(), 3);
  g->SetCol(2);  // refused
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 3);

  // A click on the refused cell leaves the current cell; a click on another cell moves there.
  const TRect refused = g->CellRect(2, 3);
  SendMessageA(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(refused.left + 3, refused.top + 3));
  SendMessageA(g->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(refused.left + 3, refused.top + 3));
  EXPECT_EQ(g->Col(), 1);
  const TRect other = g->CellRect(3, 4);
  SendMessageA(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(other.left + 3, other.top + 3));
  SendMessageA(g->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(other.left + 3, other.top + 3));
  EXPECT_EQ(g->Col(), 3);
  EXPECT_EQ(g->Row(), 4);

  // Keys move within the scrollable cells; the fixed row and column are never current.
  SendMessageA(g->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(g->Row(), 3);
  for (int i = 0; i < 5; ++i) SendMessageA(g->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(g->Row(), 1);
  SendMessageA(g->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  SendMessageA(g->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  SendMessageA(g->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(g->Col(), 1);
  const std::vector<std::pair<int, int>> expected = {{1, 3}, {2, 3}, {2, 3}, {3, 4}, {3, 3},
                                                     {3, 2}, {3, 1}, {2, 1}, {1, 1}};
  EXPECT_EQ(asked, expected);
}

TEST_F(GridsTest, StringGridDrawsItsCellsAndHandsThemToOnDrawCell) {
  auto* g = new TStringGrid(form);
  g->SetParent(form);
  g->SetDefaultRowHeight(20);
  g->SetCells(1, 2, "Córnea");
  std::vector<std::pair<int, int>> drawn;
  g->OnDrawCell = [&](TObject*, int ACol, int ARow, TRect, TGridDrawState State) {
    if (ACol == 1 && ARow == 1) EXPECT_TRUE(State & gdSelected);
    if (ACol == 0 || ARow == 0) EXPECT_TRUE(State & gdFixed);
    drawn.push_back({ACol, ARow});
  };
  Pump(50);
  UpdateWindow(g->Handle());
  EXPECT_EQ(drawn.size(), 25u);
  EXPECT_EQ(g->CellRect(1, 2).top, 2 * 21);
}

}  // namespace
