// The animated show, hide and skin change of forms through recording layered-window routines.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sCtrlUtils_Hide.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using skintest::TProvidedForm;

std::map<HWND, std::vector<int>> Layered;
BOOL WINAPI RecordLayered(HWND Wnd, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION* Blend, DWORD) {
  Layered[Wnd].push_back(Blend->SourceConstantAlpha);
  return TRUE;
}
void WINAPI NoSleep(DWORD) {}

class TThrowingProvider : public skintest::TFakeProvider {
 public:
  using TFakeProvider::TFakeProvider;
  void PaintAll() override { throw std::runtime_error("capture failed"); }
};

class Animations : public testing::Test {
 protected:
  void SetUp() override {
    SavedLayered = Bindings().UpdateLayeredWindow;
    SavedSleep = Bindings().Sleep;
    Bindings().UpdateLayeredWindow = RecordLayered;
    Bindings().Sleep = NoSleep;
    Layered.clear();
    Form = new TProvidedForm(Application);
    Form->SetBounds(20, 20, 80, 40);
    Form->HandleNeeded();
    Provider = std::make_unique<skintest::TFakeProvider>(Form);
    Data = std::make_unique<TsCommonData>(Provider.get(), true);
    Data->CacheBmp->SetSize(80, 40);
    Provider->Data = Data.get();
    Form->Provider = Provider.get();
    Seam().UpdateLayeredWnd = [](HWND Wnd, TBitmap*, int Alpha) { OldAlphas[Wnd].push_back(Alpha); };
    OldAlphas.clear();
  }
  void TearDown() override {
    Seam().UpdateLayeredWnd = nullptr;
    Form->Free();
    Data.reset();
    Bindings().UpdateLayeredWindow = SavedLayered;
    Bindings().Sleep = SavedSleep;
    EXPECT_FALSE(AnimationInProgress);
  }
  // The layered updates of windows other than those given, in the order of their windows' first use.
  std::vector<int> OnlyWindow() {
    EXPECT_EQ(Layered.size(), 1u);
    return Layered.empty() ? std::vector<int>{} : Layered.begin()->second;
  }

  static inline std::map<HWND, std::vector<int>> OldAlphas;
  TEngineBindings::TUpdateLayeredWindow SavedLayered = nullptr;
  TEngineBindings::TSleep SavedSleep = nullptr;
  TProvidedForm* Form = nullptr;
  std::unique_ptr<skintest::TFakeProvider> Provider;
  std::unique_ptr<TsCommonData> Data;
};

TEST_F(Animations, ShowRampsUpOnACover) {
  AnimShowForm(Provider.get(), 48, 0);
  EXPECT_EQ(OnlyWindow(), (std::vector<int>{0, 64, 128, 191, 255, 255}));
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
  Layered.clear();
  AnimShowForm(Provider.get(), 48, 1);  // aero: the same ramp
  EXPECT_EQ(OnlyWindow(), (std::vector<int>{0, 64, 128, 191, 255, 255}));
}

TEST_F(Animations, ChangeOnACoverAndShortTimes) {
  AnimChangeForm(Form, 48, 255, 0);
  EXPECT_EQ(OnlyWindow(), (std::vector<int>{0, 64, 128, 191, 255, 255}));
  Layered.clear();
  AnimChangeForm(Form, 11, 200, 0);  // the new look at once
  EXPECT_EQ(OnlyWindow(), (std::vector<int>{200}));
}

TEST_F(Animations, ChangeOnTheBorderFormFadesTheOldWindowOutThreeTimesAsFast) {
  skintest::TFakeBorderForm Border;
  Provider->Border = &Border;
  AnimChangeForm(Form, 48, 255, 1);
  ASSERT_NE(Border.Window(), nullptr);
  EXPECT_EQ(Layered[Border.Window()->Handle()], (std::vector<int>{0, 64, 128, 191, 255, 255}));
  ASSERT_EQ(OldAlphas.size(), 1u);
  // While the new look is at most 170 the old one stays at 255; 0 on the last frame.
  EXPECT_EQ(OldAlphas.begin()->second, (std::vector<int>{255, 255, 192, 0, 0}));
  EXPECT_FALSE(IsWindow(OldAlphas.begin()->first));  // the old window is freed
  EXPECT_EQ(Border.Regions, 1);
  EXPECT_EQ(Border.Paints, std::vector<int>{255});
}

TEST_F(Animations, WithoutLayeredWindowsOrProviderTheOutputWindowCrossFades) {
  const HWND Watcher = Form->Handle();
  uitest::TRecorder R(Form, {SM_SKINCMD});
  int Refreshes = 0;
  R.OnMessage = [&](TMessage& M) { Refreshes += SkinCmdCode(M) == SkinCmdRefresh; };
  Seam().WatcherWindow = Watcher;
  Bindings().UpdateLayeredWindow = nullptr;
  AnimChangeForm(Form, 1200, 255, 0);
  EXPECT_EQ(Refreshes, 101 + 1);  // 101 mixed frames, then the new image
  EXPECT_EQ(OutputWindow(), nullptr);
  Bindings().UpdateLayeredWindow = RecordLayered;
  Form->Provider = nullptr;  // no provider: the same road
  Refreshes = 0;
  AnimChangeForm(Form, 11, 255, 0);
  EXPECT_EQ(Refreshes, 1);
  EXPECT_TRUE(Layered.empty());
  Seam().WatcherWindow = nullptr;
}

TEST_F(Animations, HideUsesTheHideTimerAndAFailureLeavesNothingFrozen) {
  Seam().MakeCoverWindow = [](HWND) {
    auto* Cover = new TForm(nullptr);
    Cover->HandleNeeded();
    return Cover;
  };
  AnimHideForm(Provider.get());
  ASSERT_NE(HideTimer(), nullptr);
  EXPECT_EQ(Provider->StateBits() & ProviderCachePainted, ProviderCachePainted);
  EXPECT_TRUE(HideTimer()->OutWnd == nullptr);  // FormHide.Time 0 without a manager: freed at once
  HideTimer()->Park();
  Seam().MakeCoverWindow = nullptr;

  TThrowingProvider Failing(Form);
  Failing.Data = Data.get();
  Form->Provider = &Failing;
  EXPECT_THROW(AnimChangeForm(Form, 48, 255, 0), std::runtime_error);
  EXPECT_FALSE(AnimationInProgress);
}

}  // namespace

namespace {

TEST_F(Animations, DialogsShowAndHideWithTheDialogSettings) {
  TsSkinManager Manager(nullptr);
  Manager.AnimEffects()->DialogShow()->SetTime(24);
  Manager.AnimEffects()->DialogHide()->SetTime(36);
  skintest::TFakeDialog Dialog(Form->Handle());
  TsCommonData DialogData(&Dialog, true);
  DialogData.SetSkinManager(&Manager);
  DialogData.CacheBmp->SetSize(80, 40);
  Dialog.Data = &DialogData;
  Dialog.Offset = Point(3, 5);

  auto Picture = NewBitmap32(80, 40);
  PaintDialogToBitmap(&Dialog, Picture.get(), false);
  EXPECT_EQ(Dialog.ChildPaints, 1);
  const TPixelView V = BitmapView(Picture.get());
  EXPECT_EQ(uint32_t(*V.PixelPtr(3, 5)), 0xFF000000u);  // child windows at the client offset, opaque
  EXPECT_EQ(uint32_t(*V.PixelPtr(0, 0)) >> 24, 255u);

  AnimShowDialog(&Dialog);
  EXPECT_EQ(OnlyWindow(), (std::vector<int>{0, 128, 255, 255}));  // 24 ms: two steps

  Layered.clear();
  Seam().MakeCoverWindow = [](HWND) {
    auto* Cover = new TForm(nullptr);
    Cover->HandleNeeded();
    return Cover;
  };
  AnimHideDialog(&Dialog);
  Seam().MakeCoverWindow = nullptr;
  ASSERT_NE(HideTimer(), nullptr);
  EXPECT_EQ(HideTimer()->Frames.StepCount, 3);
  EXPECT_EQ(OnlyWindow(), (std::vector<int>{255, 170}));  // the picture, then the first frame
  HideTimer()->Park();
}

}  // namespace
