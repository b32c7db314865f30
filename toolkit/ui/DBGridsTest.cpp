// A data grid over a large result on a real window: it shows its first rows, scrolls and follows
// the cursor while the data set reads only the rows shown and a little more.
#include "toolkit/ui/DBGrids.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using uitest::Pump;

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

constexpr int kRows = 2000;

class DBGridsTest : public testing::Test {
 protected:
  // One database for the suite: no test writes to it.
  static void SetUpTestSuite() {
    db = new TIBDatabase(nullptr);
    tr = new TIBTransaction(nullptr);
    db->SetDatabaseName(dbtest::WinPath(dbtest::FreshDir("DBGridsTest") + "/GRADE.GDB"));
    db->Params().Add("user_name=sysdba");
    db->Params().Add("lc_ctype=WIN1252");
    tr->SetDefaultDatabase(db);
    db->SetDefaultTransaction(tr);
    db->CreateDatabase("DEFAULT CHARACTER SET WIN1252");
    ExecuteScript(*db,
                  "CREATE TABLE PACIENTES (CODIGO INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(30));\n"
                  "SET TERM ^ ;\n"
                  "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (:I <= " + std::to_string(kRows) +
                      ") DO BEGIN INSERT INTO PACIENTES VALUES (:I, 'Paciente ' || :I); I = :I + 1; END END^\n"
                      "SET TERM ; ^\n");
  }
  static void TearDownTestSuite() {
    delete tr;
    delete db;
  }

  void SetUp() override {
    q.SetDatabase(db);
    q.SQL().Add("SELECT * FROM PACIENTES ORDER BY CODIGO");
    ds.SetDataSet(&q);
    form = new TForm(Application);
    form->SetBounds(40, 40, 500, 300);
    grid = new TDBGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 400, 240);
    grid->Columns()->Add()->SetFieldName("CODIGO");
    grid->Columns()->Add()->SetFieldName("NOME");
    grid->SetDataSource(&ds);
    q.Open();
    form->Show();
    Pump();
  }
  // The grid goes before the data it shows.
  void TearDown() override {
    form->Free();
    Pump();
  }

  int VisibleRows() { return grid->VisibleRowCount(); }
  void Scroll(WORD Code, WORD Position = 0) {
    SendMessageA(grid->WindowHandle(), WM_VSCROLL, MAKEWPARAM(Code, Position), 0);
    Pump();
  }

  static TIBDatabase* db;
  static TIBTransaction* tr;
  TIBQuery q{nullptr};
  TDataSource ds{nullptr};
  TForm* form = nullptr;
  TDBGrid* grid = nullptr;
};

TIBDatabase* DBGridsTest::db = nullptr;
TIBTransaction* DBGridsTest::tr = nullptr;

TEST_F(DBGridsTest, ShowsItsFirstRowsWithoutReadingTheWholeSet) {
  EXPECT_EQ(grid->CellText(1, 1), "Paciente 1");
  EXPECT_EQ(grid->CellText(0, VisibleRows()), std::to_string(VisibleRows()));
  EXPECT_LT(q.RecordsFetched(), 100);
  // The scroll bar covers the rows read, not the whole result.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(grid->WindowHandle(), SB_VERT, &si));
  EXPECT_LT(si.nMax, 100);
  EXPECT_GE(si.nMax + 1, static_cast<int>(si.nPage));
}

TEST_F(DBGridsTest, ScrollingDownReadsOnPageByPage) {
  const int first = grid->RowCount();
  for (int i = 0; i < 10; ++i) Scroll(SB_PAGEDOWN);
  EXPECT_GT(grid->TopRow(), 9 * (VisibleRows() - 1));
  EXPECT_GT(grid->RowCount(), first);
  EXPECT_GE(grid->RowCount() - 1, grid->TopRow() + VisibleRows());
  const int top = grid->TopRow();
  EXPECT_EQ(grid->CellText(0, top), std::to_string(top));
  EXPECT_LT(q.RecordsFetched(), 400);
  // The thumb dragged to the bottom of the bar reaches rows that were not read before.
  Scroll(SB_THUMBTRACK, static_cast<WORD>(grid->RowCount() - 2));
  EXPECT_GT(grid->TopRow(), top);
  EXPECT_LT(q.RecordsFetched(), kRows);
}

TEST_F(DBGridsTest, FollowsTheCursorPastTheRowsItHadAndToTheLast) {
  q.MoveBy(300);
  Pump();
  EXPECT_EQ(q.RecNo(), 301);
  EXPECT_EQ(grid->Row(), 301);
  EXPECT_EQ(grid->CellText(1, 301), "Paciente 301");
  EXPECT_LT(q.RecordsFetched(), 500);

  // A click on a shown row moves the cursor there.
  const TRect r = grid->CellRect(1, grid->TopRow() + 1);
  SendMessageA(grid->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
  SendMessageA(grid->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
  Pump();
  EXPECT_EQ(q.RecNo(), grid->TopRow() + 1);

  q.Last();
  Pump();
  EXPECT_EQ(grid->RowCount(), kRows + 1);
  EXPECT_EQ(grid->Row(), kRows);
  EXPECT_EQ(grid->CellText(1, kRows), "Paciente " + std::to_string(kRows));
}

// The colour painted under a cell's text.
COLORREF CorDaCelula(TDBGrid& Grid, int Col, int Row) {
  const TRect r = Grid.CellRect(Col, Row);
  Grid.Repaint();
  HDC dc = GetDC(Grid.WindowHandle());
  const COLORREF c = GetPixel(dc, (r.left + r.right) / 2, r.bottom - 2);
  ReleaseDC(Grid.WindowHandle(), dc);
  return c;
}

TEST_F(DBGridsTest, TheTitleRowTakesItsColourAndAnEmptySetHighlightsNoRow) {
  grid->SetFixedColor(RGB(34, 58, 94));
  grid->SetOptions(grid->Options() | dgRowSelect);
  Pump();
  EXPECT_EQ(CorDaCelula(*grid, 2, 0), RGB(34, 58, 94));
  EXPECT_EQ(CorDaCelula(*grid, 2, 1), COLORREF(GetSysColor(COLOR_HIGHLIGHT)));
  q.Close();
  q.SQL().Clear();
  q.SQL().Add("SELECT * FROM PACIENTES WHERE CODIGO < 0");
  q.Open();
  Pump();
  ASSERT_TRUE(q.IsEmpty());
  EXPECT_EQ(CorDaCelula(*grid, 2, 1), ColorToRGB(grid->Color()));
}

}  // namespace
