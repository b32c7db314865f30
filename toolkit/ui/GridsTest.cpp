// The string grid and the data grid on real windows; the data grid over a real database file,
// following the data set's cursor and moving it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/ui/DBGrids.h"
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
    if (ACol == 1 && ARow == 1) {
      EXPECT_TRUE(State & gdSelected);
    }
    if (ACol == 0 || ARow == 0) {
      EXPECT_TRUE(State & gdFixed);
    }
    drawn.push_back({ACol, ARow});
  };
  Pump(50);
  UpdateWindow(g->Handle());
  EXPECT_EQ(drawn.size(), 25u);
  EXPECT_EQ(g->CellRect(1, 2).top, 2 * 21);
}

class DBGridTest : public GridsTest {
 protected:
  void SetUp() override {
    GridsTest::SetUp();
    const std::string dir = dbtest::FreshDir(testing::UnitTest::GetInstance()->current_test_info()->name());
    db.SetDatabaseName(dbtest::WinPath(dir + "/GRADE.GDB"));
    db.Params().Add("user_name=sysdba");
    db.Params().Add("lc_ctype=WIN1252");
    tr.SetDefaultDatabase(&db);
    db.SetDefaultTransaction(&tr);
    db.CreateDatabase("DEFAULT CHARACTER SET WIN1252");
    ExecuteScript(db,
                  "CREATE TABLE PACIENTE (CODIGO INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(50), SEXO CHAR(1));\n"
                  "INSERT INTO PACIENTE VALUES (1, 'João da Silva', 'M');\n"
                  "INSERT INTO PACIENTE VALUES (2, 'Ana Conceição', 'F');\n"
                  "INSERT INTO PACIENTE VALUES (3, 'Álvaro Nunes', 'M');\n"
                  "INSERT INTO PACIENTE VALUES (4, 'Beatriz Lima', 'F');\n"
                  "INSERT INTO PACIENTE VALUES (5, 'Carlos Prado', 'M');\n");
    q.SetDatabase(&db);
    q.SQL().Add("SELECT CODIGO, NOME, SEXO FROM PACIENTE ORDER BY CODIGO");
    ds.SetDataSet(&q);
    grid = new TDBGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 400, 300);
    grid->Columns()->Add()->SetFieldName("CODIGO");
    TColumn* nome = grid->Columns()->Add();
    nome->SetFieldName("NOME");
    nome->SetWidth(200);
    nome->Title()->SetCaption("Nome");
    grid->SetOptions(grid->Options() | dgRowSelect);
    grid->SetDataSource(&ds);
    q.Open();
    Pump();
  }
  void TearDown() override {
    q.Close();
    GridsTest::TearDown();
  }

  // The data set's row as the grid shows it.
  int GridRecNo() { return grid->Row() - grid->FixedRows() + 1; }

  TIBDatabase db{nullptr};
  TIBTransaction tr{nullptr};
  TIBQuery q{nullptr};
  TDataSource ds{nullptr};
  TDBGrid* grid = nullptr;
};

TEST_F(DBGridTest, FollowsTheCursorOfTheDataSet) {
  EXPECT_EQ(grid->RowCount(), 6);
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(grid->ColWidths(2), 200);
  EXPECT_EQ(grid->Columns()->Items(0)->Title()->Caption(), "CODIGO");
  EXPECT_EQ(grid->CellText(1, 2), "Ana Conceição");
  EXPECT_EQ(GridRecNo(), 1);

  q.Next();
  q.Next();
  EXPECT_EQ(GridRecNo(), 3);
  q.Last();
  EXPECT_EQ(GridRecNo(), 5);
  const TBookmark mark = q.GetBookmark();
  q.First();
  EXPECT_EQ(GridRecNo(), 1);
  ASSERT_TRUE(q.Locate("NOME", "beatriz", loCaseInsensitive | loPartialKey));
  EXPECT_EQ(GridRecNo(), 4);
  q.GotoBookmark(mark);
  EXPECT_EQ(GridRecNo(), 5);

  // A filter leaves fewer rows, read without moving the cursor.
  q.SetFilter("SEXO = 'F'");
  q.SetFiltered(true);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->CellText(1, 1), "Ana Conceição");
  EXPECT_EQ(grid->CellText(1, 2), "Beatriz Lima");
  q.Last();
  EXPECT_EQ(GridRecNo(), 2);
  q.SetFiltered(false);
  EXPECT_EQ(grid->RowCount(), 6);
  EXPECT_EQ(GridRecNo(), q.RecNo());
}

TEST_F(DBGridTest, MovesTheDataSetAndReportsCellClicks) {
  std::vector<std::string> clicked;
  grid->OnCellClick = [&](TColumn* Column) { clicked.push_back(Column->FieldName() + "@" + q.FieldByName("CODIGO")->AsString()); };
  int scrolls = 0;
  ds.OnDataChange = [&](TObject*, TField*) { ++scrolls; };

  grid->SetRow(3);
  EXPECT_EQ(q.RecNo(), 3);
  EXPECT_EQ(scrolls, 1);
  SendMessageA(grid->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "Beatriz Lima");
  SendMessageA(grid->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(grid->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // no row below the last
  EXPECT_EQ(q.RecNo(), 5);
  EXPECT_EQ(GridRecNo(), 5);

  const TRect cell = grid->CellRect(2, 2);
  SendMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 3, cell.top + 3));
  SendMessageA(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 3, cell.top + 3));
  EXPECT_EQ(q.RecNo(), 2);
  const std::vector<std::string> expected = {"NOME@2"};
  EXPECT_EQ(clicked, expected);
}

TEST_F(DBGridTest, AppendedRowShowsUntilCloseDropsIt) {
  q.Append();
  q.FieldByName("NOME")->SetAsString("Novo paciente");
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(GridRecNo(), 6);
  EXPECT_EQ(grid->CellText(1, 6), "Novo paciente");
  q.Close();
  q.Open();
  EXPECT_EQ(q.RecordCount(), 5);
  EXPECT_EQ(grid->RowCount(), 6);
  EXPECT_FALSE(q.Locate("NOME", "Novo paciente", 0));
}

TEST_F(DBGridTest, DataSourceIsAPublishedProperty) {
  EXPECT_EQ(GetObjectProp(grid, "DataSource"), &ds);
}

}  // namespace
