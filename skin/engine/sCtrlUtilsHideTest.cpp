// Animated hiding through a recording UpdateLayeredWindow, ticked directly, and the output window.
#include <windows.h>

#include "skin/engine/sCtrlUtils_Hide.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

struct TLayeredCall {
  HWND Wnd;
  SIZE Size;
  int Alpha;
};
std::vector<TLayeredCall> Calls;

BOOL WINAPI RecordLayered(HWND Wnd, HDC, POINT*, SIZE* Size, HDC, POINT*, COLORREF, BLENDFUNCTION* Blend, DWORD) {
  Calls.push_back({Wnd, Size ? *Size : SIZE{}, Blend ? Blend->SourceConstantAlpha : -1});
  return TRUE;
}

void WINAPI NoSleep(DWORD) {}

class Hiding : public testing::Test {
 protected:
  void SetUp() override {
    Saved.UpdateLayeredWindow = Bindings().UpdateLayeredWindow;
    Saved.Sleep = Bindings().Sleep;
    Bindings().UpdateLayeredWindow = RecordLayered;
    Bindings().Sleep = NoSleep;
    Calls.clear();
  }
  void TearDown() override {
    if (HideTimer()) HideTimer()->Park();
    Bindings().UpdateLayeredWindow = Saved.UpdateLayeredWindow;
    Bindings().Sleep = Saved.Sleep;
  }
  TForm* NewWindow() {
    auto* F = new TForm(Application);
    F->SetBorderStyle(bsNone);
    F->SetBounds(10, 10, 40, 20);
    F->HandleNeeded();
    return F;
  }
  std::vector<int> Alphas(HWND Wnd) {
    std::vector<int> A;
    for (const TLayeredCall& C : Calls)
      if (C.Wnd == Wnd) A.push_back(C.Alpha);
    return A;
  }
  struct {
    TEngineBindings::TUpdateLayeredWindow UpdateLayeredWindow;
    TEngineBindings::TSleep Sleep;
  } Saved{};
};

TEST_F(Hiding, NPlusOneFramesThenTheWindowIsFreed) {
  for (int Mode : {0, 1}) {
    Calls.clear();
    TForm* W = NewWindow();
    const HWND H = W->Handle();
    AnimHideWindow(W, NewBitmap32(40, 20), 48, Mode, 255);
    TacHideTimer* T = HideTimer();
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->Interval(), 12u);
    EXPECT_TRUE(T->InnerTimer()->Enabled());
    EXPECT_TRUE(GetWindowLongA(H, GWL_EXSTYLE) & WS_EX_LAYERED);
    for (int I = 0; I < 4; ++I) T->HideStep();
    // The picture once, then N + 1 = 5 frames falling to 0.
    EXPECT_EQ(Alphas(H), (std::vector<int>{255, 191, 128, 64, 0, 0})) << Mode;
    EXPECT_EQ(Calls.back().Size.cx, 40);
    EXPECT_TRUE(IsWindow(H));
    T->HideStep();
    EXPECT_FALSE(IsWindow(H));
    EXPECT_EQ(T->Interval(), 65535u);
    EXPECT_FALSE(T->InnerTimer()->Enabled());
  }
}

TEST_F(Hiding, ShortTimesAndASecondHide) {
  TForm* W = NewWindow();
  const HWND H = W->Handle();
  AnimHideWindow(W, NewBitmap32(40, 20), 11, 0, 255);
  EXPECT_FALSE(IsWindow(H));
  EXPECT_TRUE(Calls.empty());

  TForm* First = NewWindow();
  const HWND H1 = First->Handle();
  AnimHideWindow(First, NewBitmap32(40, 20), 120, 0, 255);
  TForm* Second = NewWindow();
  const HWND H2 = Second->Handle();
  AnimHideWindow(Second, NewBitmap32(40, 20), 120, 0, 200);
  EXPECT_FALSE(IsWindow(H1));  // freed at once
  EXPECT_TRUE(IsWindow(H2));
  EXPECT_EQ(Alphas(H2), (std::vector<int>{200, 180}));
}

TEST(OutputWindow, AParentlessOneIsAPopupOfTheApplication) {
  auto* Out = new TOutputWindow(nullptr);
  EXPECT_EQ(Out->Caption(), "acOutputWindow");
  EXPECT_EQ(Out->Tag(), -98);
  EXPECT_EQ(Out->Color(), clFuchsia);
  EXPECT_FALSE(Out->Visible());
  const HWND H = Out->Handle();
  EXPECT_EQ(GetWindowLongA(H, GWL_STYLE) & (WS_POPUP | WS_CHILD), LONG(WS_POPUP));
  EXPECT_EQ(GetWindow(H, GW_OWNER), Application->Handle());
  Out->Free();

  auto* Form = new TForm(Application);
  Form->SetBounds(0, 0, 200, 100);
  auto* Panel = new TPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(5, 6, 50, 40);
  Panel->HandleNeeded();
  ShowOutputWindow(Panel);
  ASSERT_NE(OutputWindow(), nullptr);
  EXPECT_EQ(OutputWindow()->Parent(), Form);
  const TRect Covered = OutputWindow()->BoundsRect(), Place = Panel->BoundsRect();
  EXPECT_TRUE(EqualRect(&Covered, &Place));
  EXPECT_EQ(OutputPicture()->Width(), 50);
  FreeOutputWindow();
  EXPECT_EQ(OutputWindow(), nullptr);
  Form->Free();
}

}  // namespace
