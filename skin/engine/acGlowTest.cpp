// Glow windows through a recording UpdateLayeredWindow, with composition faked on.
#include <windows.h>

#include "skin/engine/acGlow.h"

#include <gtest/gtest.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

int LayeredCalls = 0;
COLORREF FirstPixel = 0;
BOOL WINAPI CountLayered(HWND, HDC, POINT*, SIZE*, HDC Src, POINT*, COLORREF, BLENDFUNCTION*, DWORD) {
  ++LayeredCalls;
  FirstPixel = GetPixel(Src, 0, 0);
  return TRUE;
}

class Glows : public testing::Test {
 protected:
  void SetUp() override {
    SavedLayered = Bindings().UpdateLayeredWindow;
    Bindings().UpdateLayeredWindow = CountLayered;
    LayeredCalls = 0;
    TsSkinModel Model = BuildSkinModel(
        "[BTN]\nGLOW=1\nGLOWMARGIN=2\nGLOW0=^0000^0000^0030^0030^0010^0010^0010^0010^1^0^0^0\n[PLAIN]\n", "",
        TsSkinManager::SystemInputs());
    Model.SkinData.Active = true;
    // The glow piece is cut from a master bitmap of one colour.
    std::shared_ptr<TBitmap> Master = NewBitmap32(30, 30);
    FillRect32(Master.get(), Rect(0, 0, 30, 30), 0x3366CC);
    Manager.UseSkinModel(std::move(Model), Master);
    DefaultManager = &Manager;
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 200, 100);
    Form->HandleNeeded();
  }
  void TearDown() override {
    ClearGlows(true);
    Form->Free();
    DefaultManager = nullptr;
    Bindings().UpdateLayeredWindow = SavedLayered;
  }
  TEngineBindings::TUpdateLayeredWindow SavedLayered = nullptr;
  TsSkinManager Manager{nullptr};
  TForm* Form = nullptr;
  skintest::TSeamFakes Fakes{true};
};

TEST_F(Glows, AWindowAroundTheVisiblePart) {
  const int ID = ShowGlow(Rect(100, 100, 150, 120), Rect(20, 0, 50, 20), "BTN", nullptr, Form->Handle(), 255, 2, "GLOW");
  ASSERT_GE(ID, 0);
  TacGlowEffect* G = GlowOf(ID);
  ASSERT_NE(G, nullptr);
  EXPECT_EQ(G->Form->Tag(), -98);
  const HWND Wnd = G->Form->Handle();
  RECT R;
  GetWindowRect(Wnd, &R);
  EXPECT_EQ(R.left, 120);  // cut by L + Clip.Left - Margin and moved that much to the right
  EXPECT_EQ(R.top, 92);
  EXPECT_EQ(R.right - R.left, 38);
  EXPECT_EQ(R.bottom - R.top, 36);
  EXPECT_EQ(SendMessageA(Wnd, WM_NCHITTEST, 0, MAKELPARAM(130, 100)), HTTRANSPARENT);
  EXPECT_TRUE(GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  EXPECT_EQ(LayeredCalls, 1);
  EXPECT_EQ(FirstPixel, COLORREF(0x3366CC));  // the piece painted over the image
  HideGlow(ID);
  EXPECT_EQ(GlowOf(ID), nullptr);
  HideGlow(ID);  // already hidden
  HideGlow(-1);
  uitest::Pump();
  EXPECT_FALSE(IsWindow(Wnd));  // released
}

TEST_F(Glows, NoPieceNoLayeredWindowsOrNothingVisibleGiveNone) {
  EXPECT_EQ(ShowGlow(Rect(0, 0, 50, 20), Rect(0, 0, 50, 20), "PLAIN", nullptr, Form->Handle(), 255, 2, "GLOW"), -1);
  EXPECT_EQ(ShowGlow(Rect(0, 0, 50, 20), Rect(0, 0, 0, 0), "BTN", nullptr, Form->Handle(), 255, 2, "GLOW"), -1);
  Bindings().UpdateLayeredWindow = nullptr;
  EXPECT_EQ(ShowGlow(Rect(0, 0, 50, 20), Rect(0, 0, 50, 20), "BTN", nullptr, Form->Handle(), 255, 2, "GLOW"), -1);
  EXPECT_EQ(LayeredCalls, 0);
  EXPECT_EQ(GlowOf(0), nullptr);
}

TEST_F(Glows, UpdateGlowFollowsTheMouseAndTheButton) {
  auto* P = skintest::MakeSkinned<TPanel>(Form, Form, "BTN", {10, 10, 60, 30});
  TsCommonData& D = *P->SkinData;
  Form->Show();  // the visible part of a control comes from its window's clip box
  uitest::Pump();
  D.UpdateGlow(false, nullptr);
  EXPECT_EQ(D.GlowID, -1);  // the mouse is not above
  D.MouseAbove = true;
  D.UpdateGlow(false, nullptr);
  ASSERT_GE(D.GlowID, 0);
  const HWND Wnd = GlowOf(D.GlowID)->Form->Handle();
  RECT R, Own;
  GetWindowRect(Wnd, &R);
  GetWindowRect(P->Handle(), &Own);
  EXPECT_EQ(R.left, Own.left - 10 + 2);
  P->SetControlState(P->ControlState() | csLButtonDown);
  D.UpdateGlow(false, nullptr);
  EXPECT_EQ(D.GlowID, -1);
  P->SetControlState(P->ControlState() & ~csLButtonDown);
  D.UpdateGlow(false, nullptr);
  ASSERT_GE(D.GlowID, 0);
  // Composition off: glowing is not allowed and nothing changes.
  Fakes.SetComposition(false);
  const int Shown = D.GlowID;
  D.MouseAbove = false;
  D.UpdateGlow(false, nullptr);
  EXPECT_EQ(D.GlowID, Shown);
  Fakes.SetComposition(true);
  ClearGlows(false);
  EXPECT_EQ(GlowOf(Shown), nullptr);
}

}  // namespace
