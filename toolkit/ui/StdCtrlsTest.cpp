// Standard controls under real windows: state read back from the system controls, notifications
// reflected to the controls, owner drawing.
#include <gtest/gtest.h>

#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;
using uitest::TRecorder;

class StdCtrlsTest : public uitest::ControlsTest {};

std::string WindowClassOf(HWND Wnd) {
  char name[64] = {};
  GetClassNameA(Wnd, name, sizeof(name));
  return name;
}

TEST_F(StdCtrlsTest, WindowedControlsRegisterTheirToolkitClassNames) {
  std::vector<TWinControl*> controls = {
      Make<TButton>(0, 0, 60, 20),   Make<TCheckBox>(0, 0, 60, 20), Make<TRadioButton>(0, 0, 60, 20),
      Make<TEdit>(0, 0, 60, 20),     Make<TMemo>(0, 0, 60, 20),     Make<TListBox>(0, 0, 60, 20),
      Make<TComboBox>(0, 0, 60, 20), Make<TGroupBox>(0, 0, 60, 20), Make<TBitBtn>(0, 0, 60, 20),
      Make<TPanel>(0, 0, 60, 20),    Make<TRadioGroup>(0, 0, 60, 20)};
  const char* names[] = {"TButton", "TCheckBox", "TRadioButton", "TEdit",  "TMemo",      "TListBox",
                         "TComboBox", "TGroupBox", "TBitBtn",    "TPanel", "TRadioGroup"};
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i]->ClassName(), names[i]);
    EXPECT_EQ(WindowClassOf(controls[i]->Handle()), names[i]);
    EXPECT_EQ(FindControl(controls[i]->Handle()), controls[i]);
  }
  EXPECT_EQ(Make<TLabel>(0, 0, 10, 10)->ClassName(), "TLabel");
  EXPECT_EQ(Make<TSpeedButton>(0, 0, 10, 10)->ClassName(), "TSpeedButton");
}

TEST_F(StdCtrlsTest, ButtonClickIsReflectedAndSetsTheModalResult) {
  auto* b = Make<TButton>(10, 10, 75, 25);
  b->SetCaption("&Gravar");
  b->SetModalResult(mrOk);
  int clicks = 0;
  b->OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, b);
    ++clicks;
  };
  TRecorder rec(b, {CN_COMMAND});
  ClickAt(b->Handle(), 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(rec.Log(), std::vector<UINT>{CN_COMMAND});
  EXPECT_EQ(form->ModalResult(), mrOk);
  form->SetModalResult(mrNone);
  // The accelerator of its caption.
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  EXPECT_EQ(clicks, 2);
}

TEST_F(StdCtrlsTest, DefaultAndCancelButtonsAnswerEnterAndEscape) {
  auto* ok = Make<TButton>(10, 10, 75, 25);
  auto* cancel = Make<TButton>(100, 10, 75, 25);
  ok->SetDefault(true);
  cancel->SetCancel(true);
  EXPECT_TRUE(GetWindowLongA(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  std::vector<std::string> log;
  ok->OnClick = [&](TObject*) { log.push_back("ok"); };
  cancel->OnClick = [&](TObject*) { log.push_back("cancel"); };
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
  ok->SetEnabled(false);
  form->Perform(CM_DIALOGKEY, VK_RETURN, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(StdCtrlsTest, CheckBoxTogglesThroughItsStates) {
  auto* c = Make<TCheckBox>(10, 10, 120, 20);
  int clicks = 0;
  c->OnClick = [&](TObject*) { ++clicks; };
  struct Step {
    bool allowGrayed;
    TCheckBoxState expected;
    LRESULT check;
  } steps[] = {{false, cbChecked, BST_CHECKED},     {false, cbUnchecked, BST_UNCHECKED},
               {true, cbGrayed, BST_INDETERMINATE}, {true, cbChecked, BST_CHECKED},
               {true, cbUnchecked, BST_UNCHECKED}};
  for (const Step& s : steps) {
    c->SetAllowGrayed(s.allowGrayed);
    ClickAt(c->Handle(), 5, 8);
    EXPECT_EQ(c->State(), s.expected);
    EXPECT_EQ(SendMessageA(c->Handle(), BM_GETCHECK, 0, 0), s.check);
  }
  EXPECT_EQ(clicks, 5);
  c->SetChecked(true);
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(SendMessageA(c->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(StdCtrlsTest, RadioButtonsOfOneParentExcludeEachOther) {
  auto* a = Make<TRadioButton>(10, 10, 100, 20);
  auto* b = Make<TRadioButton>(10, 40, 100, 20);
  a->SetChecked(true);
  ClickAt(b->Handle(), 5, 8);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(StdCtrlsTest, EditTextSelectionLimitsAndChanges) {
  auto* e = Make<TEdit>(10, 10, 150, 21);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText("Paciente");
  EXPECT_EQ(changes, 1);
  e->SetSelStart(2);
  e->SetSelLength(3);
  EXPECT_EQ(e->SelStart(), 2);
  EXPECT_EQ(e->SelLength(), 3);
  EXPECT_EQ(e->SelText(), "cie");
  e->SetMaxLength(10);
  e->Clear();
  for (char ch : std::string("0123456789")) SendMessageA(e->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
  EXPECT_EQ(changes, 12);
  SendMessageA(e->Handle(), WM_CHAR, 'A', 1);
  EXPECT_EQ(e->Text(), "0123456789");
  e->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_READONLY);
  SendMessageA(e->Handle(), WM_CHAR, 'x', 1);
  EXPECT_EQ(e->Text(), "0123456789");
  // A password character turns the window into a password edit; the text stays.
  e->SetPasswordChar('*');
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(SendMessageA(e->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(e->Text(), "0123456789");
  EXPECT_TRUE(GetWindowLongA(e->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  e->SetBorderStyle(bsNone);
  EXPECT_FALSE(GetWindowLongA(e->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(StdCtrlsTest, MemoLinesAreTheWindowsText) {
  auto* m = Make<TMemo>(10, 10, 200, 100);
  m->Lines()->Add("primeira");
  m->Lines()->Add("segunda");
  m->Lines()->Insert(1, "meio");
  EXPECT_EQ(m->Text(), "primeira\r\nmeio\r\nsegunda");
  EXPECT_EQ(SendMessageA(m->Handle(), EM_GETLINECOUNT, 0, 0), 3);
  m->Lines()->Delete(0);
  EXPECT_EQ(m->Lines()->Count(), 2);
  EXPECT_EQ(m->Lines()->Get(1), "segunda");
  m->SetScrollBars(ssVertical);
  EXPECT_TRUE(GetWindowLongA(m->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(m->Lines()->Count(), 2);
  m->Lines()->Clear();
  EXPECT_EQ(m->Lines()->Count(), 0);
}

TEST_F(StdCtrlsTest, ListBoxItemsSelectionAndClicks) {
  auto* l = Make<TListBox>(10, 10, 150, 120);
  l->Items()->Add("Ana");
  l->Items()->Add("Bruno");
  l->Items()->Add("Carla");
  EXPECT_EQ(SendMessageA(l->Handle(), LB_GETCOUNT, 0, 0), 3);
  int clicks = 0, doubles = 0;
  l->OnClick = [&](TObject*) { ++clicks; };
  l->OnDblClick = [&](TObject*) { ++doubles; };
  const TRect r = l->ItemRect(1);
  ClickAt(l->Handle(), r.left + 5, r.top + 2);
  EXPECT_EQ(l->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  SendMessageA(l->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 2));
  SendMessageA(l->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 5, r.top + 2));
  EXPECT_EQ(doubles, 1);
  l->Items()->Put(1, "Beatriz");
  EXPECT_EQ(l->ItemIndex(), 1);
  char text[32] = {};
  SendMessageA(l->Handle(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Beatriz");
  // Items set before the window exists, and kept when it is made anew.
  l->SetMultiSelect(true);
  EXPECT_EQ(SendMessageA(l->Handle(), LB_GETCOUNT, 0, 0), 3);
  l->SetSelected(0, true);
  l->SetSelected(2, true);
  EXPECT_EQ(l->SelCount(), 2);
}

TEST_F(StdCtrlsTest, ComboBoxStylesSubWindowsAndSelection) {
  auto* c = Make<TComboBox>(10, 10, 150, 21);
  c->Items()->SetCommaText("Oftalmo,Clinico,Pediatra");
  EXPECT_NE(c->EditHandle(), nullptr);
  EXPECT_NE(c->ListHandle(), nullptr);
  EXPECT_EQ(GetParent(c->EditHandle()), c->Handle());
  c->SetItemIndex(1);
  EXPECT_EQ(c->Text(), "Clinico");
  int changes = 0, selects = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  c->OnSelect = [&](TObject*) { ++selects; };
  // Typing in the edit changes the text; the keys pass the combo box's own key handling.
  std::string keys;
  c->OnKeyPress = [&](TObject*, char& Key) { keys += Key; };
  SendMessageA(c->EditHandle(), WM_CHAR, 'x', 1);
  EXPECT_EQ(keys, "x");
  EXPECT_EQ(changes, 1);
  c->SetStyle(csDropDownList);
  EXPECT_EQ(c->EditHandle(), nullptr);
  EXPECT_EQ(c->Items()->Count(), 3);
  c->SetItemIndex(0);
  SendMessageA(c->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(c->ItemIndex(), 1);
  EXPECT_EQ(selects, 1);
  int drops = 0, closes = 0;
  c->OnDropDown = [&](TObject*) { ++drops; };
  c->OnCloseUp = [&](TObject*) { ++closes; };
  const int height = c->Height();
  c->SetDroppedDown(true);
  EXPECT_TRUE(c->DroppedDown());
  // The dropped list shows every item, whatever height the combo box was given; the box keeps its own.
  RECT list{};
  GetWindowRect(c->ListHandle(), &list);
  EXPECT_GE(list.bottom - list.top, 3 * c->ItemHeight());
  EXPECT_EQ(c->Height(), height);
  c->SetDroppedDown(false);
  Pump();
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(closes, 1);
}

TEST_F(StdCtrlsTest, OwnerDrawnComboBoxDrawsItsItems) {
  auto* c = Make<TComboBox>(10, 10, 150, 24);
  c->SetStyle(csOwnerDrawFixed);
  c->SetItemHeight(20);
  c->Items()->SetCommaText("vermelho,verde");
  std::vector<int> drawn;
  c->OnDrawItem = [&](TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State) {
    EXPECT_EQ(Control, c);
    drawn.push_back(Index);
    auto* combo = static_cast<TComboBox*>(Control);
    combo->Canvas()->Brush()->SetColor(Index == 0 ? clRed : clLime);
    combo->Canvas()->FillRect(Rect);
    EXPECT_TRUE(State & odComboBoxEdit);
  };
  c->SetItemIndex(0);
  EXPECT_EQ(Rgb(clRed), PixelAt(c->Handle(), 10, 10));
  EXPECT_EQ(drawn.back(), 0);
  c->SetItemIndex(1);
  EXPECT_EQ(Rgb(clLime), PixelAt(c->Handle(), 10, 10));
  EXPECT_EQ(c->ItemHeight(), 20);
}

TEST_F(StdCtrlsTest, LabelSizesItselfAndPassesItsAccelerator) {
  auto* l = Make<TLabel>(10, 10, 200, 40);
  l->SetCaption("&Nome do paciente");
  EXPECT_GT(l->Width(), 40);
  EXPECT_LT(l->Width(), 200);
  const int oneLine = l->Height();
  EXPECT_GT(oneLine, 8);
  auto* e = Make<TEdit>(10, 40, 100, 21);
  l->SetFocusControl(e);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  Pump();
  EXPECT_TRUE(e->Focused());
  // The edit goes away: the label forgets it.
  form->SetFocus();
  Pump();
  e->Free();
  EXPECT_EQ(l->FocusControl(), nullptr);
  l->SetAutoSize(false);
  l->SetWordWrap(true);
  l->SetBounds(10, 10, 50, 100);
  l->SetAutoSize(true);
  EXPECT_GT(l->Height(), oneLine);
  EXPECT_LE(l->Width(), 50);
  // Opaque labels fill their colour; transparent ones show the form.
  l->SetColor(clYellow);
  l->SetCaption("");
  l->SetAutoSize(false);
  l->SetBounds(10, 10, 40, 20);
  EXPECT_EQ(PixelAt(form->Handle(), 30, 20), Rgb(clYellow));
  l->SetTransparent(true);
  EXPECT_EQ(PixelAt(form->Handle(), 30, 20), Rgb(clBtnFace));
}

}  // namespace
