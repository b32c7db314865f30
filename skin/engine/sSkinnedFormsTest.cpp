// The registry of skinned forms: freezing, unlocking and broadcasting over real forms with fake
// providers, the WM_SETREDRAW pairs recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "skin/engine/sSkinnedForms.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

constexpr UINT WM_PROBE = WM_APP + 46;

// A provider's form that also answers as skinned and counts the probes it gets.
class TProbedForm : public skintest::TProvidedForm {
 public:
  using skintest::TProvidedForm::TProvidedForm;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_SKINCMD && SkinCmdCode(M) == SkinCmdIsSkinned && Provider) {
      M.Result = 1;
      return;
    }
    if (M.Msg == WM_PROBE) {
      ++Probes;
      if (OnProbe) OnProbe();
    }
    skintest::TProvidedForm::WndProc(M);
  }
  int Probes = 0;
  std::function<void()> OnProbe;
};

class TCountingProvider : public skintest::TFakeProvider {
 public:
  using TFakeProvider::TFakeProvider;
  void CollectRegionData() override { ++Repaints; }
  int Repaints = 0;
};

// One registered form with its provider, its skin data and a recorder of its WM_SETREDRAW.
struct TSkinnedForm {
  explicit TSkinnedForm(TsSkinManager* Manager) {
    Form = new TProbedForm(Application);
    Form->SetBounds(10, 10, 60, 40);
    Provider = std::make_unique<TCountingProvider>(Form);
    Data = std::make_unique<TsCommonData>(Provider.get(), false);
    Data->SetSkinManager(Manager);
    Provider->Data = Data.get();
    Form->Provider = Provider.get();
    Form->Show();
    uitest::Pump();
    Recorder = std::make_unique<uitest::TRecorder>(Form, std::vector<UINT>{WM_SETREDRAW});
    Recorder->OnMessage = [this](TMessage& M) { Redraws.push_back(int(M.WParam)); };
    RegisterSkinnedForm(Form);
  }
  ~TSkinnedForm() {
    UnregisterSkinnedForm(Form);
    Recorder.reset();
    Form->Free();
  }
  std::uint32_t Bits() const { return Provider->StateBits(); }
  void Reset(TsSkinManager* Manager) {
    Data->SetSkinManager(Manager);
    Provider->SetStateBits(0);
    Provider->SetLocked(false);
    Provider->Repaints = 0;
    Provider->Border = nullptr;
    Form->Probes = 0;
    Form->OnProbe = nullptr;
    Form->SetWindowState(wsNormal);
    Redraws.clear();
  }
  TProbedForm* Form;
  std::unique_ptr<TCountingProvider> Provider;
  std::unique_ptr<TsCommonData> Data;
  std::unique_ptr<uitest::TRecorder> Recorder;
  std::vector<int> Redraws;
};

TsSkinManager& TheManager() {
  static TsSkinManager Manager(nullptr);
  return Manager;
}
TsSkinManager& OtherManager() {
  static TsSkinManager Manager(nullptr);
  return Manager;
}

// Hiding a shown window costs Wine seconds on the test display: the shown forms serve every test.
class Registry : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int i = 0; i < 3; ++i) Shown.push_back(new TSkinnedForm(&TheManager()));
  }
  static void TearDownTestSuite() {
    for (TSkinnedForm* F : Shown) delete F;
    Shown.clear();
  }
  void SetUp() override {
    DefaultManager = &Manager;
    Manager.AnimEffects()->SkinChanging()->SetActive(false);
    for (TSkinnedForm* F : Shown) F->Reset(&Manager);
    Foreign().Data->SetSkinManager(&OtherManager());
  }
  void TearDown() override {
    DefaultManager = nullptr;
    SkinChangeAnimating = false;
  }
  static void MinimizeMainWindow(bool Minimize) {
    ShowWindow(Application->Handle(), Minimize ? SW_SHOWMINNOACTIVE : SW_RESTORE);
    if (!Minimize) ShowWindow(Application->Handle(), SW_HIDE);
    ASSERT_EQ(bool(IsIconic(Application->Handle())), Minimize);
  }
  // Two forms of the manager and one of another manager.
  TSkinnedForm& One() { return *Shown[0]; }
  TSkinnedForm& Two() { return *Shown[1]; }
  TSkinnedForm& Foreign() { return *Shown[2]; }
  TsSkinManager& Manager = TheManager();
  static std::vector<TSkinnedForm*> Shown;
};
std::vector<TSkinnedForm*> Registry::Shown;

TEST(RegistryList, RemovesEveryOccurrenceMovingTheLastIntoTheHole) {
  ASSERT_TRUE(SkinnedForms().empty());
  TForm A(nullptr), B(nullptr), C(nullptr);
  for (TForm* F : {&A, &B, &C}) RegisterSkinnedForm(F);
  UnregisterSkinnedForm(&A);
  EXPECT_EQ(SkinnedForms(), (std::vector<TCustomForm*>{&C, &B}));
  RegisterSkinnedForm(&C);
  UnregisterSkinnedForm(&C);
  EXPECT_EQ(SkinnedForms(), (std::vector<TCustomForm*>{&B}));
  UnregisterSkinnedForm(&A);
  EXPECT_EQ(SkinnedForms(), (std::vector<TCustomForm*>{&B}));
  UnregisterSkinnedForm(&B);
}

TEST_F(Registry, FreezeAndUnlockPairTheRedraws) {
  TSkinnedForm& One = this->One();
  TSkinnedForm& Two = this->Two();
  TSkinnedForm& Foreign = this->Foreign();
  Manager.AnimEffects()->SkinChanging()->SetActive(true);
  FreezeSkinnedForms(&Manager);
  EXPECT_TRUE(SkinChangeAnimating);
  for (TSkinnedForm* F : {&One, &Two}) {
    EXPECT_EQ(F->Redraws, std::vector<int>{0});
    EXPECT_EQ(F->Bits(), ProviderRedrawLocked);
    EXPECT_TRUE(F->Provider->Locked());
  }
  EXPECT_TRUE(Foreign.Redraws.empty());
  EXPECT_EQ(Foreign.Bits(), 0u);
  UnlockSkinnedForms(&Manager, false);
  EXPECT_FALSE(SkinChangeAnimating);
  for (TSkinnedForm* F : {&One, &Two}) {
    EXPECT_EQ(F->Redraws, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(F->Bits(), 0u);
    EXPECT_EQ(F->Provider->Repaints, 0);
  }
  EXPECT_TRUE(Foreign.Redraws.empty());
}

TEST_F(Registry, UnlockWithRepaintRedrawsAndRepaintsTheBorderForm) {
  TSkinnedForm& One = this->One();
  skintest::TFakeBorderForm Border;
  Border.CreateForm();
  One.Provider->Border = &Border;
  skintest::TSeamFakes Fakes(false);
  int Captures = 0;
  Seam().GetFormImage = [&](TsProviderLink*) {
    ++Captures;
    auto Image = std::make_unique<TBitmap>();
    Image->SetSize(60, 40);
    return Image;
  };
  LockSkinnedForms(&Manager);
  EXPECT_EQ(Captures, 1);
  EXPECT_EQ(One.Bits(), ProviderImageCaptured);
  FreezeSkinnedForms(&Manager);
  ASSERT_EQ(Fakes.Layered.size(), 1u);
  EXPECT_EQ(Fakes.Layered[0].Wnd, Border.Window()->Handle());
  EXPECT_EQ(Fakes.Layered[0].Alpha, 255);
  EXPECT_EQ(Border.Regions, 1);
  UnlockSkinnedForms(&Manager, true);
  EXPECT_EQ(One.Redraws, (std::vector<int>{0, 1}));
  EXPECT_EQ(One.Provider->Repaints, 1);
  EXPECT_EQ(Border.Regions, 2);
  EXPECT_EQ(Border.Paints, std::vector<int>{255});
  EXPECT_EQ(One.Bits(), 0u);
  EXPECT_FALSE(One.Provider->Locked());
}

TEST_F(Registry, MinimizedMainWindowGetsRedrawingBackAndTheRepaintWaits) {
  TSkinnedForm& One = this->One();
  FreezeSkinnedForms(&Manager);
  MinimizeMainWindow(true);
  FreezeSkinnedForms(&Manager);  // no walk while minimized
  LockSkinnedForms(&Manager);
  EXPECT_EQ(One.Redraws, std::vector<int>{0});
  UnlockSkinnedForms(&Manager, true);
  EXPECT_EQ(One.Redraws, (std::vector<int>{0, 1}));
  EXPECT_EQ(One.Provider->Repaints, 0);
  EXPECT_EQ(One.Bits(), ProviderRedrawLocked);
  MinimizeMainWindow(false);
  UnlockSkinnedForms(&Manager, true);
  EXPECT_EQ(One.Provider->Repaints, 1);
  EXPECT_EQ(One.Bits(), 0u);
}

TEST_F(Registry, MinimizedFormGetsItsRedrawAndKeepsItsBit) {
  TSkinnedForm& One = this->One();
  FreezeSkinnedForms(&Manager);
  One.Form->SetWindowState(wsMinimized);
  UnlockSkinnedForms(&Manager, true);
  EXPECT_EQ(One.Redraws, (std::vector<int>{0, 1}));
  EXPECT_EQ(One.Bits(), ProviderRedrawLocked);
  EXPECT_EQ(One.Provider->Repaints, 0);
  One.Form->SetWindowState(wsNormal);
  UnlockSkinnedForms(&Manager, true);
  EXPECT_EQ(One.Provider->Repaints, 1);
  EXPECT_EQ(One.Bits(), 0u);
}

// Probes counted per window by subclassing plain windows.
std::map<HWND, int> WindowProbes;
std::map<HWND, WNDPROC> SavedProcs;
LRESULT CALLBACK CountingProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_PROBE) ++WindowProbes[Wnd];
  return CallWindowProcA(SavedProcs[Wnd], Wnd, Msg, W, L);
}
void CountProbes(HWND Wnd) {
  SavedProcs[Wnd] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
}
void StopCounting(HWND Wnd) {
  SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SavedProcs[Wnd]));
  SavedProcs.erase(Wnd);
}

TEST_F(Registry, BroadcastReachesEveryFormOnceAlsoWhenAReceiverFreesOne) {
  std::vector<TProbedForm*> Plain;
  for (int i = 0; i < 4; ++i) {
    Plain.push_back(new TProbedForm(Application));
    Plain.back()->HandleNeeded();
  }
  TSkinnedForm& Skinned = One();
  // Walked from the last: the third frees the first and the second before they come up.
  Plain[2]->OnProbe = [&] {
    Plain[0]->Free();
    Plain[1]->Free();
  };
  auto* Frame = new TProbedForm(Application);
  Frame->SetFormStyle(fsMDIForm);
  Frame->HandleNeeded();
  ASSERT_NE(Frame->ClientHandle(), nullptr);
  // A shown window stands for a visible skinned dialog.
  const HWND Dialog = Foreign().Form->Handle();
  const HWND HiddenDialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  WindowProbes.clear();
  for (HWND Wnd : {Frame->ClientHandle(), HiddenDialog}) CountProbes(Wnd);
  skintest::TSeamFakes Fakes(false);
  Seam().SkinnedDialogs = [&] { return std::vector<HWND>{Dialog, HiddenDialog}; };

  TMessage Msg{WM_PROBE, 0, 0, 0};
  BroadcastToForms(Msg);
  EXPECT_EQ(Plain[3]->Probes, 1);
  EXPECT_EQ(Plain[2]->Probes, 1);
  EXPECT_EQ(Skinned.Form->Probes, 1);
  EXPECT_EQ(Two().Form->Probes, 1);
  EXPECT_EQ(Foreign().Form->Probes, 2);  // registered, and listed as a dialog
  EXPECT_EQ(Frame->Probes, 1);
  EXPECT_EQ(WindowProbes[Frame->ClientHandle()], 1);
  EXPECT_EQ(WindowProbes[HiddenDialog], 0);

  for (HWND Wnd : {Frame->ClientHandle(), HiddenDialog}) StopCounting(Wnd);
  DestroyWindow(HiddenDialog);
  Frame->Free();
  Plain[2]->Free();
  Plain[3]->Free();
}

}  // namespace
