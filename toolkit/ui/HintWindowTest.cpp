// Hints: shown after the pause over a control with a hint, in a "THintWindow" with the hint colour,
// taken away by a click, by leaving the control, or when the application stops showing hints.
// The mouse is brought over a control by the toolkit's own message, without moving the display's
// cursor.
#include <gtest/gtest.h>

#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/HintWindow.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class HintWindowTest : public uitest::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Application->SetHintPause(20);
    panel = Make<TPanel>(20, 20, 150, 60);
    panel->SetHint("Confirmar os dados|Grava o cadastro e fecha a janela");
    panel->SetShowHint(true);
  }
  void TearDown() override {
    Application->SetShowHint(true);
    Application->SetHintColor(clInfoBk);
    ControlsTest::TearDown();
  }
  // The mouse comes over Control (the real cursor stays where it is: other tests share the display).
  static void MouseOver(TControl* Control) {
    Control->Perform(CM_MOUSEENTER, 0, 0);
    Pump(150);
  }
  static void MouseOut(TControl* Control) {
    Control->Perform(CM_MOUSELEAVE, 0, 0);
    Pump();
  }
  // The shown hint window, or nullptr.
  static HWND ShownHint() {
    const HWND w = FindWindowA("THintWindow", nullptr);
    return w && IsWindowVisible(w) ? w : nullptr;
  }
  static std::string TextOf(HWND Window) {
    char text[256] = {};
    GetWindowTextA(Window, text, sizeof(text));
    return text;
  }
  TPanel* panel = nullptr;
};

TEST_F(HintWindowTest, ShownAfterThePauseAndTakenAwayByAClick) {
  MouseOver(panel);
  const HWND hint = ShownHint();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(TextOf(hint), "Confirmar os dados");
  EXPECT_EQ(Application->CurrentHint(), "Confirmar os dados");
  EXPECT_EQ(Application->HintWindow()->ClassName(), "THintWindow");
  // A top-most tool window below the cursor, not activated.
  EXPECT_TRUE(GetWindowLongA(hint, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), hint);
  RECT r{};
  GetWindowRect(hint, &r);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_FALSE(PtInRect(&r, cursor));
  EXPECT_EQ(uitest::ControlsTest::PixelAt(hint, 1, 1), Rgb(clInfoBk));

  PostMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump(50);
  EXPECT_EQ(ShownHint(), nullptr);
  EXPECT_EQ(Application->CurrentHint(), "");
}

TEST_F(HintWindowTest, LeavingTheControlOrSwitchingHintsOffHidesIt) {
  Application->SetHintColor(clYellow);
  MouseOver(panel);
  ASSERT_NE(ShownHint(), nullptr);
  EXPECT_EQ(PixelAt(ShownHint(), 2, 2), Rgb(clYellow));
  MouseOut(panel);
  EXPECT_EQ(ShownHint(), nullptr);

  MouseOver(panel);
  ASSERT_NE(ShownHint(), nullptr);
  Application->SetShowHint(false);
  EXPECT_EQ(ShownHint(), nullptr);
  MouseOut(panel);
  MouseOver(panel);
  EXPECT_EQ(ShownHint(), nullptr);
}

TEST_F(HintWindowTest, ChildrenTakeTheParentsShowHint) {
  auto* box = Make<TPanel>(20, 100, 150, 60);
  auto* inner = new TPanel(form);
  inner->SetParent(box);
  inner->SetBounds(5, 5, 60, 40);
  inner->SetHint("Dentro");
  EXPECT_FALSE(inner->ShowHint());
  MouseOver(inner);
  EXPECT_EQ(ShownHint(), nullptr);
  MouseOut(inner);
  box->SetShowHint(true);
  EXPECT_TRUE(inner->ShowHint());
  MouseOver(inner);
  ASSERT_NE(ShownHint(), nullptr);
  EXPECT_EQ(TextOf(ShownHint()), "Dentro");
  // A control that stops listening to its parent keeps its own choice.
  MouseOut(inner);
  inner->SetShowHint(false);
  MouseOver(inner);
  EXPECT_EQ(ShownHint(), nullptr);
}

TEST_F(HintWindowTest, AHintWindowOfOnesOwn) {
  auto* own = new THintWindow(form);
  const TRect size = own->CalcHintRect(300, "Fechar");
  EXPECT_GT(size.right, 6);
  EXPECT_GT(size.bottom, 4);
  own->ActivateHint(Bounds(200, 200, size.right, size.bottom), "Fechar");
  Pump();
  ASSERT_TRUE(IsWindowVisible(own->Handle()));
  EXPECT_EQ(TextOf(own->Handle()), "Fechar");
  // The mouse goes through it.
  EXPECT_EQ(SendMessageA(own->Handle(), WM_NCHITTEST, 0, MAKELPARAM(202, 202)), HTTRANSPARENT);
  own->ReleaseHandle();
  EXPECT_FALSE(own->HandleAllocated());
}

}  // namespace
