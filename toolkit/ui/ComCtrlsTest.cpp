// Common controls: state read back from the comctl32 windows, tab changes through their
// notifications.
#include <gtest/gtest.h>

#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class ComCtrlsTest : public uitest::ControlsTest {};

TEST_F(ComCtrlsTest, ProgressBarRangePositionAndSteps) {
  auto* p = Make<TProgressBar>(10, 10, 200, 16);
  p->SetMax(50);
  p->SetStep(20);
  p->StepIt();
  p->StepIt();
  EXPECT_EQ(p->Position(), 40);
  EXPECT_EQ(SendMessageA(p->Handle(), PBM_GETRANGE, FALSE, 0), 50);
  p->SetPosition(70);
  EXPECT_EQ(p->Position(), 50);
  p->SetSmooth(true);
  EXPECT_TRUE(GetWindowLongA(p->Handle(), GWL_STYLE) & PBS_SMOOTH);
  EXPECT_EQ(p->Position(), 50);
  char name[32] = {};
  GetClassNameA(p->Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TProgressBar");
}

TEST_F(ComCtrlsTest, StatusBarPanelsAndSimpleText) {
  auto* s = new TStatusBar(form);
  s->SetParent(form);
  TStatusPanel* a = s->AddPanel();
  TStatusPanel* b = s->AddPanel();
  a->SetWidth(120);
  a->SetText("Paciente: Ana");
  b->SetText("Pronto");
  EXPECT_EQ(SendMessageA(s->Handle(), SB_GETPARTS, 0, 0), 2);
  char text[64] = {};
  SendMessageA(s->Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Pronto");
  EXPECT_EQ(s->Top() + s->Height(), form->ClientHeight());
  s->SetSimplePanel(true);
  s->SetSimpleText("Gravando...");
  EXPECT_TRUE(SendMessageA(s->Handle(), SB_ISSIMPLE, 0, 0));
}

TEST_F(ComCtrlsTest, PageControlSwitchesSheetsThroughItsTabs) {
  auto* pc = Make<TPageControl>(10, 10, 300, 200);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"Dados", "Exames", "Laudo"}) {
    auto* t = new TTabSheet(form);
    t->SetCaption(caption);
    t->SetPageControl(pc);
    sheets.push_back(t);
  }
  EXPECT_EQ(pc->PageCount(), 3);
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(sheets[0]->Visible());
  EXPECT_FALSE(sheets[1]->Visible());
  // The sheet fills the area inside the tabs.
  EXPECT_GT(sheets[0]->Top(), 10);
  EXPECT_LT(sheets[0]->Width(), 300);

  int changes = 0;
  bool allow = true;
  pc->OnChange = [&](TObject*) { ++changes; };
  pc->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = allow; };
  // A click on the second tab.
  RECT r{};
  SendMessageA(pc->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  ClickAt(pc->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(sheets[1]->Visible());
  EXPECT_FALSE(sheets[0]->Visible());
  allow = false;
  SendMessageA(pc->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  ClickAt(pc->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(pc->ActivePageIndex(), 1);

  // A hidden tab: the tabs after it move down one.
  sheets[0]->SetTabVisible(false);
  EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(pc->TabIndex(), 0);
  pc->SetActivePageIndex(2);
  EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETCURSEL, 0, 0), 1);
  pc->SetTabPosition(tpBottom);
  EXPECT_TRUE(GetWindowLongA(pc->Handle(), GWL_STYLE) & TCS_BOTTOM);
  EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  sheets[2]->Free();
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
}

TEST_F(ComCtrlsTest, ListViewItemsColumnsSelectionAndSearch) {
  auto* lv = Make<TListView>(10, 10, 360, 200);
  lv->SetViewStyle(vsReport);
  lv->SetRowSelect(true);
  lv->SetReadOnly(true);
  lv->AddColumn()->SetCaption("Nome");
  lv->AddColumn()->SetCaption("Exame");
  lv->Columns(0)->SetWidth(150);
  int tags[3] = {};
  const char* names[] = {"Ana", "Antonio", "Bruno"};
  for (int i = 0; i < 3; ++i) {
    TListItem* item = lv->AddItem();
    item->SetCaption(names[i]);
    item->SubItems()->Add(std::string("Topografia ") + std::to_string(i));
    item->SetData(&tags[i]);
  }
  const HWND w = lv->Handle();
  EXPECT_EQ(SendMessageA(w, LVM_GETITEMCOUNT, 0, 0), 3);
  char text[64] = {};
  LVITEMA get{};
  get.iSubItem = 1;
  get.pszText = text;
  get.cchTextMax = sizeof(text);
  SendMessageA(w, LVM_GETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "Topografia 2");
  EXPECT_EQ(SendMessageA(w, LVM_GETCOLUMNWIDTH, 0, 0), 150);

  std::vector<std::pair<std::string, bool>> events;
  lv->OnSelectItem = [&](TObject* Sender, TListItem* Item, bool Selected) {
    EXPECT_EQ(Sender, lv);
    events.emplace_back(Item->Caption(), Selected);
  };
  int doubles = 0;
  lv->OnDblClick = [&](TObject*) { ++doubles; };
  auto clickItem = [&](int Index) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(w, LVM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    ClickAt(w, r.left + 20, (r.top + r.bottom) / 2);
    return r;
  };
  clickItem(0);
  EXPECT_EQ(lv->Selected(), lv->Items(0));
  clickItem(2);
  EXPECT_EQ(lv->ItemIndex(), 2);
  EXPECT_EQ(events, (std::vector<std::pair<std::string, bool>>{{"Ana", true}, {"Ana", false}, {"Bruno", true}}));
  const RECT r = clickItem(1);
  SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2));
  Pump();
  EXPECT_EQ(doubles, 1);

  EXPECT_EQ(lv->FindCaption(0, "Ant", true, true, false), lv->Items(1));
  EXPECT_EQ(lv->FindCaption(0, "An", true, true, false), lv->Items(0));
  EXPECT_EQ(lv->FindCaption(0, "An", true, false, false), lv->Items(1));
  EXPECT_EQ(lv->FindCaption(0, "Ant", false, true, false), nullptr);
  EXPECT_EQ(lv->FindData(0, &tags[2], true, false), lv->Items(2));

  TImageList images(nullptr);
  images.SetWidth(32);
  images.SetHeight(32);
  lv->SetLargeImages(&images);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(w, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), images.Handle());
  lv->SetLargeImages(nullptr);
  // Another style makes the window anew with the same items.
  lv->SetViewStyle(vsIcon);
  EXPECT_EQ(SendMessageA(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
  lv->DeleteItem(0);
  EXPECT_EQ(lv->Items(0)->Caption(), "Antonio");
  EXPECT_EQ(SendMessageA(lv->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  lv->Clear();
  EXPECT_EQ(lv->Count(), 0);
}

}  // namespace
