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

}  // namespace
