// Fades and animation steps of a skinned control, ticked directly, and the effect settings.
#include <windows.h>

#include "skin/engine/sFade.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sAnimEffects.h"
#include "skin/engine/sFadeSteps.h"
#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinProperties.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

// A skinned control that fades: its old look is black, PrepareCache paints the new look white, and
// PaintTo records the first byte of each frame.
class TFader : public skintest::TSkinned<TCustomControl> {
 public:
  using TSkinned::TSkinned;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_SKINCMD) {
      switch (SkinCmdCode(M)) {
        case SkinCmdStopAnimation:
          StopFadeTimer(FadeTimer);
          ++Stops;
          return;
        case SkinCmdPrepareCache:
          if (SkinData->CacheBmp) FillRect32(SkinData->CacheBmp.get(), Rect(0, 0, 4, 4), NewLook);
          return;
        case SkinCmdPaintTo:
          Frames.push_back(int(BitmapView(reinterpret_cast<TBitmap*>(M.LParam)).Bits[0] & 0xFF));
          M.Result = 1;
          return;
        case SkinCmdSetUpdating:
        case SkinCmdShowCurrent:
          Codes.push_back(int(M.WParam));
          return;
      }
    }
    TSkinned::WndProc(M);
  }
  TsFadeTimer* FadeTimer = nullptr;
  std::vector<int> Frames;
  std::vector<int> Codes;
  int Stops = 0;
  TColor NewLook = clWhite;
};

// The blue byte of a frame mixing black into white at the fade's alpha.
int FrameByte(int Alpha) { return (255 * (255 - Alpha) + 127) >> 8; }

class Fades : public testing::Test {
 protected:
  void SetUp() override { Load(5); }
  void Load(int Iterations) {
    if (Form) TearDown();
    skintest::LoadActiveSkin(Manager, "[BUTTON]\nFADINGENABLED=1\nFADINGITERATIONS=" + std::to_string(Iterations) +
                                          "\n[STILL]\n");
    DefaultManager = &Manager;
    Form = new TForm(Application);
    Form->HandleNeeded();
    F = new TFader(Form);
    F->SkinData->SetSkinSection("BUTTON");
    F->SetBounds(0, 0, 4, 4);
    F->SetParent(Form);
    F->HandleNeeded();
    F->SkinData->FinishLoading();
    Old();
  }
  // The control shows its old look, painted and current.
  void Old() {
    F->SkinData->CacheBmp->SetSize(4, 4);
    FillRect32(F->SkinData->CacheBmp.get(), Rect(0, 0, 4, 4), clBlack);
    F->SkinData->BGChanged = false;
  }
  void TearDown() override {
    Form->Free();
    Form = nullptr;
    DefaultManager = nullptr;
    EXPECT_EQ(LiveFadeTimers(), 0);
  }
  void Change(bool HalfSteps = false, std::uint8_t Direction = 1) {
    ChangeStateWithFade(F->FadeTimer, F->SkinData.get(), HalfSteps, Direction, true);
  }
  // Ticks until the control stops the fade (at most Limit ticks); the frames shown.
  std::vector<int> Run(int Limit = 20) {
    F->Frames.clear();
    for (int I = 0; I < Limit && F->FadeTimer; ++I) F->FadeTimer->Timer();
    return F->Frames;
  }
  std::vector<int> Expected(std::vector<int> Alphas) {
    for (int& A : Alphas) A = FrameByte(A);
    return Alphas;
  }

  TsSkinManager Manager{nullptr};
  TForm* Form = nullptr;
  TFader* F = nullptr;
};

TEST_F(Fades, FiveStepsThenTheControlIsToldToStop) {
  Change();
  ASSERT_NE(F->FadeTimer, nullptr);
  EXPECT_TRUE(F->FadeTimer->Enabled());
  EXPECT_EQ(F->FadeTimer->Interval(), 10u);
  EXPECT_EQ(LiveFadeTimers(), 1);
  EXPECT_EQ(Run(), Expected({204, 153, 102, 51, 0}));
  EXPECT_EQ(F->Stops, 1);
  EXPECT_EQ(F->FadeTimer, nullptr);
  EXPECT_EQ(LiveFadeTimers(), 0);
}

TEST_F(Fades, HalfStepsAndASingleStep) {
  Change(true);
  EXPECT_EQ(Run(), Expected({127, 0}));
  Load(1);
  Change();
  EXPECT_EQ(Run(), Expected({0}));
  EXPECT_EQ(F->Stops, 1);
}

TEST_F(Fades, RestartsByDirection) {
  Change();
  F->FadeTimer->Timer();
  F->FadeTimer->Timer();
  Old();
  Change();  // a running direction-1 fade starts all over
  EXPECT_EQ(Run(), Expected({204, 153, 102, 51, 0}));

  Old();
  Change(false, 2);
  F->FadeTimer->Timer();
  Old();
  Change(false, 2);  // a running direction-2 fade ends at the next tick
  EXPECT_EQ(Run(), std::vector<int>{});
  EXPECT_EQ(F->FadeTimer, nullptr);
}

TEST_F(Fades, DisablingTheControlStopsTheFadeAndRepaints) {
  Change();
  F->FadeTimer->Timer();
  F->SetEnabled(false);
  F->SkinData->BGChanged = false;
  F->FadeTimer->Timer();
  EXPECT_FALSE(F->FadeTimer->Enabled());
  EXPECT_EQ(F->FadeTimer->Iterations, 0);
  EXPECT_TRUE(F->SkinData->BGChanged);
  EXPECT_EQ(F->Frames.size(), 1u);
  StopFadeTimer(F->FadeTimer);
}

TEST_F(Fades, WithoutCacheOrFadingTheLookChangesAtOnce) {
  F->SkinData->CacheBmp.reset();
  Change();
  EXPECT_EQ(F->FadeTimer, nullptr);
  EXPECT_TRUE(F->SkinData->BGChanged);
  F->SkinData->InitCacheBitmap();
  Old();
  F->SkinData->SetSkinSection("STILL");
  F->SkinData->BGChanged = false;
  Change();
  EXPECT_EQ(F->FadeTimer, nullptr);
  // A fade not allowed for the event stops a running one.
  F->SkinData->SetSkinSection("BUTTON");
  Old();
  Change();
  ASSERT_NE(F->FadeTimer, nullptr);
  ChangeStateWithFade(F->FadeTimer, F->SkinData.get(), false, 1, false);
  EXPECT_EQ(F->FadeTimer, nullptr);
  // Suspended by form skinning.
  Old();
  skintest::TSeamFakes Fakes(true);
  Seam().FadingSuspended = true;
  Change();
  EXPECT_EQ(F->FadeTimer, nullptr);
}

TEST_F(Fades, AFadeWithoutItsControlLeavesADisabledTimer) {
  Change();
  F->FadeTimer->Timer();
  // Skin data whose control is gone (an owner that is no control).
  TsCommonData Orphan(nullptr, true);
  Orphan.SetSkinSection("BUTTON");
  F->FadeTimer->SkinData = &Orphan;
  F->FadeTimer->Timer();
  EXPECT_FALSE(F->FadeTimer->Enabled());
  EXPECT_EQ(F->FadeTimer->Direction, 0);
  EXPECT_EQ(F->Stops, 0);
  StopFadeTimer(F->FadeTimer);
}

TEST_F(Fades, AnimationTimerFramesAndCommands) {
  auto* A = new TsAnimTimer(F);
  EXPECT_FALSE(A->Enabled());
  A->Prepare(F->SkinData.get());
  EXPECT_EQ(A->Iterations, 5);
  EXPECT_EQ(A->Interval(), 10u);
  A->BmpFrom->Assign(F->SkinData->CacheBmp.get());
  F->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdPrepareCache), 0);
  for (int Step = 0; Step <= 5; ++Step) {
    F->Codes.clear();
    A->Timer();
    EXPECT_EQ(F->Codes, (std::vector<int>{int(SkinCmdWParam(SkinCmdSetUpdating, 0)), int(SkinCmdWParam(18))}));
    EXPECT_EQ(int(BitmapView(A->BmpOut.get()).Bits[0] & 0xFF), FrameByte(FadeAlpha(Step, 5)));
  }
  EXPECT_EQ(A->Step, 6);
  A->Busy = true;
  F->Codes.clear();
  A->AnimStep();
  EXPECT_TRUE(F->Codes.empty());
  EXPECT_EQ(A->Step, 7);
  A->Busy = false;
  F->Stops = 0;
  A->Timer();  // past its steps: the control is told to stop
  EXPECT_EQ(F->Stops, 1);
  A->Free();
}

TEST_F(Fades, EventsThatMayAnimate) {
  const TacAnimatEvents Enter = 1u << aeMouseEnter, Global = 1u << aeGlobalDef;
  EXPECT_TRUE(AnimEventAllowed(aeMouseEnter, Enter, nullptr));
  EXPECT_FALSE(AnimEventAllowed(aeMouseLeave, Enter, nullptr));
  EXPECT_TRUE(AnimEventAllowed(aeMouseUp, Global, nullptr));
  EXPECT_TRUE(AnimEventAllowed(aeGlobalDef, Global, nullptr));
  Manager.AnimEffects()->Buttons()->SetEvents(AllBtnEvents & ~(1u << beMouseUp));
  EXPECT_FALSE(AnimEventAllowed(aeMouseUp, Global, nullptr));
  EXPECT_TRUE(AnimEventAllowed(aeGlobalDef, Global, &Manager));  // in the control's own set
  EXPECT_TRUE(AnimEventAllowed(aeMouseDown, Global, nullptr));
  DefaultManager = nullptr;
  EXPECT_FALSE(AnimEventAllowed(aeMouseDown, Global, nullptr));
}

TEST(EffectSettings, DefaultsOfANewManager) {
  TsSkinManager M(nullptr);
  TacAnimEffects& E = *M.AnimEffects();
  EXPECT_EQ(E.Manager, &M);
  EXPECT_EQ(E.Buttons()->Manager, &M);
  EXPECT_FALSE(E.BlendOnMoving()->Active());
  EXPECT_EQ(E.BlendOnMoving()->BlendValue(), 170);
  EXPECT_EQ(E.BlendOnMoving()->Time(), 1000);
  EXPECT_EQ(E.Minimizing()->Time(), 200);
  EXPECT_EQ(E.SkinChanging()->Time(), 100);
  EXPECT_EQ(E.SkinChanging()->Mode(), atFading);
  EXPECT_EQ(E.Buttons()->Events(), AllBtnEvents);
  for (TacFormAnimation* A : std::vector<TacFormAnimation*>{E.FormShow(), E.FormHide(), E.DialogHide(),
                                                            E.DialogShow(), E.PageChange()}) {
    EXPECT_TRUE(A->Active());
    EXPECT_EQ(A->Time(), 0);
    EXPECT_EQ(A->Mode(), atAero);
  }
  EXPECT_NE(E.FormHide(), E.DialogHide());
  // By name, as the published tables give them.
  TObject* Changing = GetObjectProperty(&E, "SkinChanging");
  EXPECT_EQ(Changing, E.SkinChanging());
  EXPECT_EQ(GetIntProperty(Changing, "Time"), 100);
  EXPECT_EQ(GetEnumProp(Changing, "Mode"), "atFading");
  EXPECT_FALSE(HasProperty(E.FormShow(), "Mode"));
  EXPECT_EQ(GetIntProperty(GetObjectProperty(&E, "BlendOnMoving"), "BlendValue"), 170);
  EXPECT_EQ(GetSetProp(E.Buttons(), "Events"), "beMouseEnter,beMouseLeave,beMouseDown,beMouseUp");
  EXPECT_TRUE(M.Effects()->AllowGlowing());
  EXPECT_TRUE(M.Effects()->AllowAeroBluring());
  EXPECT_EQ(GetIntProperty(M.Effects(), "AllowAeroBluring"), 1);
}

BOOL WINAPI NoLayering(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) { return TRUE; }

TEST(EffectSettings, GlowingNeedsLayeredWindowsCompositionAndNoSwitch) {
  TsSkinManager M(nullptr);
  const auto SavedLayered = Bindings().UpdateLayeredWindow;
  skintest::TSeamFakes Fakes(true);
  Bindings().UpdateLayeredWindow = NoLayering;
  EXPECT_TRUE(M.Effects()->GetAllowGlowing());
  Fakes.SetComposition(false);
  EXPECT_FALSE(M.Effects()->GetAllowGlowing());
  Fakes.SetComposition(true);
  M.Effects()->SetAllowGlowing(false);
  EXPECT_FALSE(M.Effects()->GetAllowGlowing());
  M.Effects()->SetAllowGlowing(true);
  Wow64WithoutComposition = true;
  EXPECT_FALSE(M.Effects()->GetAllowGlowing());
  Wow64WithoutComposition = false;
  Bindings().UpdateLayeredWindow = nullptr;
  EXPECT_FALSE(M.Effects()->GetAllowGlowing());
  Bindings().UpdateLayeredWindow = SavedLayered;
}

}  // namespace
