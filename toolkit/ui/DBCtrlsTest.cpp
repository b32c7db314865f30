// Data-aware controls on real windows over a real database file: they follow the cursor, serve as
// edit buffers of the edited or appended row, and the navigator moves the cursor by clicks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/DBGrids.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using uitest::Pump;

class DBCtrlsTest : public testing::Test {
 protected:
  // One database and one shown form for the suite: the controls only buffer edits, so no test
  // changes what another one reads.
  static void SetUpTestSuite() {
    db = new TIBDatabase(nullptr);
    tr = new TIBTransaction(nullptr);
    const std::string dir = dbtest::FreshDir("DBCtrlsTest");
    db->SetDatabaseName(dbtest::WinPath(dir + "/CONTROLES.GDB"));
    db->Params().Add("user_name=sysdba");
    db->Params().Add("lc_ctype=WIN1252");
    tr->SetDefaultDatabase(db);
    db->SetDefaultTransaction(tr);
    db->CreateDatabase("DEFAULT CHARACTER SET WIN1252");
    ExecuteScript(*db,
                  "CREATE TABLE PACIENTES (CODIGO INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(50), SEXO VARCHAR(1),"
                  " ESTADOCIVIL VARCHAR(1), ESTADO VARCHAR(2), OBS VARCHAR(240));\n"
                  "INSERT INTO PACIENTES VALUES (1, 'João da Silva', 'M', 'C', 'SP', 'Linha um');\n"
                  "INSERT INTO PACIENTES VALUES (2, 'Ana Conceição', 'F', 'S', 'RJ', '');\n"
                  "INSERT INTO PACIENTES VALUES (3, 'Álvaro Nunes', 'M', 'D', 'MG', '');\n"
                  "INSERT INTO PACIENTES VALUES (4, 'Beatriz Lima', 'F', '', 'SP', '');\n"
                  "INSERT INTO PACIENTES VALUES (5, 'Carlos Prado', 'M', 'C', 'AC', '');\n");
    form = new TForm(Application);
    form->SetBounds(40, 40, 640, 480);
    form->Show();
    Pump();
  }
  static void TearDownTestSuite() {
    form->Free();
    delete tr;
    delete db;
  }

  void SetUp() override {
    q.SetDatabase(db);
    q.SQL().Add("SELECT * FROM PACIENTES ORDER BY CODIGO");
    ds.SetDataSet(&q);
    q.Open();
  }
  // Controls and forms go before the data they show, as a window closes before the data module.
  void TearDown() override {
    while (form->ComponentCount() > 0) form->Components(form->ComponentCount() - 1)->Free();
    Pump();
  }

  template <class T>
  T* Make(int X, int Y, int W, int H) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetBounds(X, Y, W, H);
    return c;
  }
  // Types Text into a window as the keyboard does (characters only).
  static void Type(HWND Window, const std::string& Text) {
    for (char ch : Text) SendMessageA(Window, WM_CHAR, static_cast<unsigned char>(ch), 1);
  }
  static void ClickAt(HWND Window, int X, int Y) {
    SendMessageA(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageA(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    Pump();
  }
  std::string Nome() { return q.FieldByName("NOME")->AsString(); }

  static TIBDatabase* db;
  static TIBTransaction* tr;
  static TForm* form;
  TIBQuery q{nullptr};
  TDataSource ds{nullptr};
};

TIBDatabase* DBCtrlsTest::db = nullptr;
TIBTransaction* DBCtrlsTest::tr = nullptr;
TForm* DBCtrlsTest::form = nullptr;

TEST_F(DBCtrlsTest, GridEditAndTextFollowEveryMoveAndEditChangesOnEachScroll) {
  auto* grid = Make<TDBGrid>(0, 0, 400, 200);
  grid->Columns()->Add()->SetFieldName("CODIGO");
  grid->Columns()->Add()->SetFieldName("NOME");
  grid->SetDataSource(&ds);
  auto* edit = Make<TDBEdit>(0, 210, 200, 22);
  edit->SetDataSource(&ds);
  edit->SetDataField("NOME");
  auto* code = Make<TDBText>(210, 210, 60, 20);
  code->SetDataSource(&ds);
  code->SetDataField("CODIGO");
  std::vector<std::string> changes;
  edit->OnChange = [&](TObject* Sender) { changes.push_back(static_cast<TDBEdit*>(Sender)->Text()); };
  Pump();
  EXPECT_EQ(edit->Text(), "João da Silva");
  EXPECT_EQ(edit->MaxLength(), 50) << "from the field's size";
  EXPECT_EQ(code->Caption(), "1");
  EXPECT_TRUE(edit->ReadOnly() == false);

  struct Move {
    const char* What;
    std::function<void(TIBQuery&)> Do;
    int Code;
  };
  TBookmark mark;
  const Move moves[] = {
      {"Next", [](TIBQuery& d) { d.Next(); }, 2},
      {"Last", [](TIBQuery& d) { d.Last(); }, 5},
      {"bookmark", [&](TIBQuery& d) { mark = d.GetBookmark(); d.First(); }, 1},
      {"Locate", [](TIBQuery& d) { d.Locate("NOME", "beatriz", loCaseInsensitive | loPartialKey); }, 4},
      {"GotoBookmark", [&](TIBQuery& d) { d.GotoBookmark(mark); }, 5},
      {"filter", [](TIBQuery& d) { d.SetFilter("SEXO = 'F'"); d.SetFiltered(true); }, 2},
      {"Next in filter", [](TIBQuery& d) { d.Next(); }, 4},
      {"filter off", [](TIBQuery& d) { d.SetFiltered(false); }, 1},
  };
  for (const Move& m : moves) {
    changes.clear();
    m.Do(q);
    EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), m.Code) << m.What;
    EXPECT_EQ(edit->Text(), Nome()) << m.What;
    EXPECT_EQ(code->Caption(), std::to_string(m.Code)) << m.What;
    EXPECT_EQ(grid->Row() - grid->FixedRows() + 1, q.RecNo()) << m.What;
    EXPECT_EQ(grid->RowCount() - grid->FixedRows(), q.RecordCount()) << m.What;
    // "bookmark" goes to the first row through First only.
    EXPECT_EQ(changes, std::vector<std::string>{Nome()}) << m.What << ": one OnChange per move";
  }
  // A row with the same text as the last one still changes.
  changes.clear();
  q.Next();
  q.Prior();
  EXPECT_EQ(changes.size(), 2u);

  // A click on a grid row moves the cursor and the controls follow.
  const TRect cell = grid->CellRect(2, 3);
  ClickAt(grid->Handle(), cell.left + 3, cell.top + 3);
  EXPECT_EQ(q.RecNo(), 3);
  EXPECT_EQ(edit->Text(), "Álvaro Nunes");
  // A double click reads the row it was made on, as the patient picker does.
  std::string picked;
  grid->OnDblClick = [&](TObject*) { picked = Nome(); };
  const TRect row4 = grid->CellRect(1, 4);
  const LPARAM at = MAKELPARAM(row4.left + 3, row4.top + 3);
  SendMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(grid->Handle(), WM_LBUTTONUP, 0, at);
  SendMessageA(grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(grid->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(picked, "Beatriz Lima");

  changes.clear();
  q.Close();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(code->Caption(), "");
  EXPECT_FALSE(changes.empty());
}

TEST_F(DBCtrlsTest, TypedTextIsOnlyAnEditBufferOfTheRow) {
  auto* edit = Make<TDBEdit>(0, 0, 200, 22);
  edit->SetDataSource(&ds);
  edit->SetDataField("NOME");
  auto* other = Make<TEdit>(0, 40, 200, 22);
  Pump();
  edit->SetFocus();
  Pump();
  ASSERT_TRUE(edit->Focused());

  // Typing starts the edit; the field keeps its value until the control is left.
  edit->SelectAll();
  Type(edit->Handle(), "Joana");
  EXPECT_EQ(q.State(), dsEdit);
  EXPECT_EQ(edit->Text(), "Joana");
  EXPECT_EQ(Nome(), "João da Silva");
  other->SetFocus();
  Pump();
  EXPECT_EQ(Nome(), "Joana");
  q.Cancel();
  EXPECT_EQ(edit->Text(), "João da Silva");

  // Escape gives back the field's value; UpdateRecord writes what the controls hold.
  edit->SetFocus();
  Type(edit->Handle(), "x");
  EXPECT_EQ(q.State(), dsEdit);
  SendMessageA(edit->Handle(), WM_CHAR, VK_ESCAPE, 1);
  EXPECT_EQ(edit->Text(), "João da Silva");
  edit->SelectAll();
  Type(edit->Handle(), "Outro nome");
  q.UpdateRecord();
  EXPECT_EQ(Nome(), "Outro nome");
  q.Next();  // a move drops the edited row
  q.Prior();
  EXPECT_EQ(Nome(), "João da Silva");
  EXPECT_EQ(edit->Text(), "João da Silva");

  // Without AutoEdit, or read-only, typing changes nothing.
  ds.SetAutoEdit(false);
  edit->SelectAll();
  Type(edit->Handle(), "abc");
  EXPECT_EQ(q.State(), dsBrowse);
  EXPECT_EQ(edit->Text(), "João da Silva");
  ds.SetAutoEdit(true);
  edit->SetReadOnly(true);
  Type(edit->Handle(), "abc");
  SendMessageA(edit->Handle(), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(q.State(), dsBrowse);
  EXPECT_EQ(edit->Text(), "João da Silva");
  edit->SetReadOnly(false);

  // Nothing reached the database.
  q.Close();
  q.Open();
  EXPECT_EQ(Nome(), "João da Silva");
}

TEST_F(DBCtrlsTest, AppendedRowIsDroppedOnClose) {
  auto* grid = Make<TDBGrid>(0, 0, 400, 200);
  grid->Columns()->Add()->SetFieldName("NOME");
  grid->SetDataSource(&ds);
  auto* edit = Make<TDBEdit>(0, 210, 200, 22);
  edit->SetDataSource(&ds);
  edit->SetDataField("NOME");
  auto* sexo = Make<TDBRadioGroup>(0, 240, 200, 50);
  sexo->Items()->SetText("Masculino\nFeminino\n");
  sexo->Values()->SetText("M\nF\n");
  sexo->SetDataSource(&ds);
  sexo->SetDataField("SEXO");
  Pump();

  q.Append();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(sexo->ItemIndex(), -1);
  edit->SetFocus();
  Type(edit->Handle(), "Novo paciente");
  sexo->SetItemIndex(1);
  q.UpdateRecord();
  EXPECT_EQ(Nome(), "Novo paciente");
  EXPECT_EQ(q.FieldByName("SEXO")->AsString(), "F");
  EXPECT_EQ(grid->RowCount() - grid->FixedRows(), 6);
  EXPECT_EQ(grid->CellText(0, 6), "Novo paciente");

  q.Close();
  q.Open();
  EXPECT_EQ(q.RecordCount(), 5);
  EXPECT_EQ(grid->RowCount() - grid->FixedRows(), 5);
  EXPECT_FALSE(q.Locate("NOME", "Novo paciente", 0));
  EXPECT_EQ(edit->Text(), "João da Silva");
}

TEST_F(DBCtrlsTest, RadioGroupShowsAndWritesItsValue) {
  auto* sexo = Make<TDBRadioGroup>(0, 0, 240, 50);
  sexo->SetCaption("Sexo:");
  sexo->Items()->SetText("Masculino\nFeminino\n");
  sexo->Values()->SetText("M\nF\n");
  sexo->SetColumns(2);
  sexo->SetDataSource(&ds);
  sexo->SetDataField("SEXO");
  auto* civil = Make<TDBRadioGroup>(0, 60, 240, 90);
  civil->Items()->SetText("Casado(a)\nSolteiro(a)\nDivorciado(a)\n");
  civil->Values()->SetText("C\nS\nD\n");
  std::vector<std::string> civilChanges;
  // As the register does: no civil state chosen selects the first.
  civil->OnChange = [&](TObject*) {
    civilChanges.push_back(civil->Value());
    if (civil->ItemIndex() < 0) civil->SetItemIndex(0);
  };
  civil->SetDataSource(&ds);
  civil->SetDataField("ESTADOCIVIL");
  Pump();

  EXPECT_EQ(sexo->Value(), "M");
  EXPECT_EQ(sexo->ItemIndex(), 0);
  EXPECT_TRUE(sexo->Buttons(0)->Checked());
  EXPECT_GT(sexo->Buttons(1)->Left(), sexo->Buttons(0)->Left()) << "two columns";
  EXPECT_EQ(civil->ItemIndex(), 0);
  const struct {
    int RecNo;
    const char* Sexo;
    int Civil;
  } rows[] = {{2, "F", 1}, {3, "M", 2}, {4, "F", 0}, {5, "M", 0}};
  for (const auto& r : rows) {
    q.SetRecNo(r.RecNo);
    EXPECT_EQ(sexo->Value(), r.Sexo) << r.RecNo;
    EXPECT_EQ(civil->ItemIndex(), r.Civil) << r.RecNo;
  }
  // Row 4 holds no civil state: the handler chose the first line, which the field does not get
  // while the row is not edited.
  q.SetRecNo(4);
  EXPECT_EQ(q.FieldByName("ESTADOCIVIL")->AsString(), "");
  EXPECT_EQ(q.State(), dsBrowse);

  // A real click edits the row; leaving the group writes the value.
  q.First();
  sexo->SetFocus();
  Pump();
  ClickAt(sexo->Buttons(1)->Handle(), 5, 5);
  EXPECT_EQ(sexo->ItemIndex(), 1);
  EXPECT_EQ(sexo->Value(), "F");
  EXPECT_EQ(q.State(), dsEdit);
  EXPECT_EQ(q.FieldByName("SEXO")->AsString(), "M");
  civil->Buttons(2)->SetFocus();
  Pump();
  EXPECT_EQ(q.FieldByName("SEXO")->AsString(), "F");
  q.Cancel();
  EXPECT_EQ(sexo->Value(), "M");

  // A read-only group refuses the click.
  sexo->SetReadOnly(true);
  ClickAt(sexo->Buttons(1)->Handle(), 5, 5);
  EXPECT_EQ(sexo->ItemIndex(), 0);
  EXPECT_TRUE(sexo->Buttons(0)->Checked());
  EXPECT_FALSE(sexo->Buttons(1)->Checked());
  EXPECT_EQ(q.State(), dsBrowse);
}

TEST_F(DBCtrlsTest, ComboBoxAndMemoShowAndBufferTheirFields) {
  auto* estado = Make<TDBComboBox>(0, 0, 80, 200);
  estado->SetStyle(csDropDownList);
  estado->Items()->SetText("AC\nMG\nRJ\nSP\n");
  estado->SetDataSource(&ds);
  estado->SetDataField("ESTADO");
  auto* obs = Make<TDBMemo>(100, 0, 200, 80);
  obs->SetDataSource(&ds);
  obs->SetDataField("OBS");
  Pump();
  EXPECT_EQ(estado->ItemIndex(), 3);
  EXPECT_EQ(estado->Text(), "SP");
  EXPECT_EQ(obs->Lines()->Count(), 1);
  EXPECT_EQ(obs->Lines()->Get(0), "Linha um");
  q.Next();
  EXPECT_EQ(estado->Text(), "RJ");
  EXPECT_EQ(obs->Text(), "");

  // A key that changes the choice edits the row; leaving writes it.
  estado->SetFocus();
  Pump();
  SendMessageA(estado->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  Pump();
  EXPECT_EQ(q.State(), dsEdit);
  EXPECT_EQ(estado->Text(), "SP");
  EXPECT_EQ(q.FieldByName("ESTADO")->AsString(), "RJ");
  obs->SetFocus();
  Pump();
  EXPECT_EQ(q.FieldByName("ESTADO")->AsString(), "SP");

  // The memo takes line breaks as text.
  Type(obs->Handle(), "Primeira\rSegunda");
  estado->SetFocus();
  Pump();
  EXPECT_EQ(q.FieldByName("OBS")->AsString(), "Primeira\r\nSegunda");
  q.Cancel();
  EXPECT_EQ(estado->Text(), "RJ");
  EXPECT_EQ(obs->Text(), "");

  // Read-only: the choice stays.
  estado->SetReadOnly(true);
  SendMessageA(estado->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  Pump();
  EXPECT_EQ(q.State(), dsBrowse);
  EXPECT_EQ(estado->Text(), "RJ");
}

// Leftmost and rightmost dark pixel (text, glyphs) inside Rect of a window.
std::pair<int, int> InkSpan(HWND Window, const TRect& Cell) {
  RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(Window);
  int lo = Cell.right, hi = Cell.left - 1;
  for (int y = Cell.top + 1; y < Cell.bottom - 1; ++y)
    for (int x = Cell.left + 1; x < Cell.right - 1; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
    }
  ReleaseDC(Window, dc);
  return {lo, hi};
}

TEST_F(DBCtrlsTest, NavigatorButtonsMoveTheCursorByClicks) {
  auto* nav = Make<TDBNavigator>(10, 10, 160, 25);
  nav->SetDataSource(&ds);
  std::vector<TNavigateBtn> clicked;
  nav->OnClick = [&](TObject*, TNavigateBtn Button) { clicked.push_back(Button); };
  Pump();
  auto click = [&](TNavigateBtn b) {
    TSpeedButton* sb = nav->Buttons(b);
    ClickAt(nav->Handle(), sb->Left() + sb->Width() / 2, sb->Top() + sb->Height() / 2);
  };
  EXPECT_EQ(nav->Buttons(nbFirst)->Width(), 40);
  EXPECT_EQ(nav->Buttons(nbLast)->Left(), 120);
  EXPECT_EQ(nav->Buttons(nbNext)->Hint(), "Próximo registro");
  EXPECT_FALSE(nav->Buttons(nbFirst)->Enabled()) << "at the first row";
  // Each glyph sits in the middle of its button, inside the button's frame.
  for (TNavigateBtn b : {nbNext, nbLast}) {
    TRect r = nav->Buttons(b)->BoundsRect();
    InflateRect(&r, -3, -3);
    const auto ink = InkSpan(nav->Handle(), r);
    EXPECT_NEAR((ink.first + ink.second) / 2, (r.left + r.right) / 2, 2) << b;
    EXPECT_LT(ink.second - ink.first, 12) << b;
  }
  EXPECT_TRUE(nav->Buttons(nbNext)->Enabled());

  const struct {
    TNavigateBtn Button;
    int RecNo;
    bool UpEnabled, DownEnabled;
  } steps[] = {{nbNext, 2, true, true},   {nbNext, 3, true, true},  {nbLast, 5, true, false},
               {nbPrior, 4, true, true},  {nbFirst, 1, false, true}, {nbPrior, 1, false, true}};
  for (const auto& s : steps) {
    click(s.Button);
    EXPECT_EQ(q.RecNo(), s.RecNo) << s.Button;
    EXPECT_EQ(nav->Buttons(nbPrior)->Enabled(), s.UpEnabled) << s.Button;
    EXPECT_EQ(nav->Buttons(nbNext)->Enabled(), s.DownEnabled) << s.Button;
  }
  // A disabled button does nothing.
  EXPECT_EQ(clicked, (std::vector<TNavigateBtn>{nbNext, nbNext, nbLast, nbPrior, nbFirst}));

  // Only the chosen buttons show, sharing the width.
  nav->SetVisibleButtons(NavButton(nbPrior) | NavButton(nbNext));
  EXPECT_FALSE(nav->Buttons(nbFirst)->Visible());
  EXPECT_EQ(nav->Buttons(nbPrior)->Left(), 0);
  EXPECT_EQ(nav->Buttons(nbNext)->Left(), 80);
  click(nbNext);
  EXPECT_EQ(q.RecNo(), 2);

  q.Close();
  EXPECT_FALSE(nav->Buttons(nbNext)->Enabled());
  EXPECT_FALSE(nav->Buttons(nbPrior)->Enabled());
}

TEST_F(DBCtrlsTest, GridColumnsAndTitlesAreAligned) {
  auto* grid = Make<TDBGrid>(0, 0, 500, 200);
  TColumn* codigo = grid->Columns()->Add();
  codigo->SetFieldName("CODIGO");
  codigo->SetWidth(120);
  codigo->Title()->SetCaption("ID");
  codigo->Title()->SetAlignment(taCenter);
  TColumn* nome = grid->Columns()->Add();
  nome->SetFieldName("NOME");
  nome->SetWidth(200);
  TColumn* estado = grid->Columns()->Add();
  estado->SetFieldName("ESTADO");
  estado->SetWidth(120);
  estado->SetAlignment(taRightJustify);
  grid->SetDataSource(&ds);
  q.Next();  // the current row is drawn highlighted; read the first one
  Pump();
  EXPECT_EQ(codigo->Alignment(), taRightJustify) << "numbers by default";
  EXPECT_EQ(nome->Alignment(), taLeftJustify);
  EXPECT_EQ(codigo->Title()->Alignment(), taCenter);
  EXPECT_EQ(nome->Title()->Alignment(), taLeftJustify);

  const HWND w = grid->Handle();
  const TRect codeCell = grid->CellRect(1, 1), nameCell = grid->CellRect(2, 1), stateCell = grid->CellRect(3, 1);
  const TRect codeTitle = grid->CellRect(1, 0);
  const auto code = InkSpan(w, codeCell), name = InkSpan(w, nameCell), state = InkSpan(w, stateCell);
  const auto title = InkSpan(w, codeTitle);
  ASSERT_LE(code.first, code.second);
  EXPECT_GT(code.first, codeCell.right - 20) << "right-aligned number";
  EXPECT_LT(name.first, nameCell.left + 8) << "left-aligned text";
  EXPECT_GT(state.first, stateCell.right - 30);
  const int titleMid = (title.first + title.second) / 2, cellMid = (codeTitle.left + codeTitle.right) / 2;
  EXPECT_NEAR(titleMid, cellMid, 3) << "centred title";
}

// Freeing a focused windowed control, then its parent panel, then the form leaves nothing behind.
TEST_F(DBCtrlsTest, ControlsFreedBeforeTheirFormAndDataSource) {
  TForm* f = new TForm(Application);
  f->Show();
  auto* panel = new TPanel(f);
  panel->SetParent(f);
  auto* grid = new TDBGrid(f);
  grid->SetParent(panel);
  grid->SetDataSource(&ds);
  auto* edit = new TDBEdit(f);
  edit->SetParent(panel);
  edit->SetDataSource(&ds);
  edit->SetDataField("NOME");
  Pump();
  grid->SetFocus();
  Pump();
  grid->Free();
  EXPECT_EQ(panel->ControlCount(), 1);
  panel->Free();
  EXPECT_EQ(f->ComponentCount(), 0);
  f->Free();
  q.Next();  // the data source has no links left to call
  EXPECT_EQ(Nome(), "Ana Conceição");
}

}  // namespace
