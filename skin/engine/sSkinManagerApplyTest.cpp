// The skin manager's announcements to real forms and controls, its dialog hook with a fake procedure,
// hot tracking, and its main-window hook against the seam's fakes with composition on and off.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sCtrlUtils_Hide.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinMenus.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using skintest::TProvidedForm;

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

// A windowed control that says it is skinned: the broadcasts send to it and leave its children to it.
class TSkinnedPanel : public TPanel {
 public:
  using TPanel::TPanel;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_SKINCMD && SkinCmdCode(M) == SkinCmdIsSkinned) {
      M.Result = 1;
      return;
    }
    TPanel::WndProc(M);
  }
};

// The skin commands a control receives, with the argument they carried.
struct TCommandLog {
  explicit TCommandLog(TControl* Control) : Recorder(Control, {SM_SKINCMD}) {
    Recorder.OnMessage = [this](TMessage& M) { Codes.push_back({SkinCmdCode(M), M.LParam}); };
  }
  int Count(int Code) const {
    int n = 0;
    for (const auto& c : Codes) n += c.first == Code;
    return n;
  }
  uitest::TRecorder Recorder;
  std::vector<std::pair<int, LPARAM>> Codes;
};

int CreatedWindows = 0;
int Pauses = 0;
void WINAPI NoPause(DWORD) { ++Pauses; }
LRESULT CALLBACK FakeCBTProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HCBT_CREATEWND) ++CreatedWindows;
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

void CreateAndDestroyAWindow() {
  DestroyWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
}

// A thread that makes a window, then waits without handling messages.
struct TThreadArgs {
  HANDLE Ready, Done;
  HWND* Wnd;
};
DWORD WINAPI ForeignWindowThread(LPVOID P) {
  auto* A = static_cast<TThreadArgs*>(P);
  *A->Wnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetEvent(A->Ready);
  WaitForSingleObject(A->Done, INFINITE);
  DestroyWindow(*A->Wnd);
  return 0;
}

class ManagerApply : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->CreateForm(Main);
    Main->SetBounds(10, 10, 120, 80);
    Panel = new TSkinnedPanel(Main);
    Panel->SetParent(Main);
    Label = new TLabel(Main);
    Label->SetParent(Main);
    Other = new TForm(Application);
    Main->Show();
    Other->Show();
    uitest::Pump();
  }
  static void TearDownTestSuite() {
    Other->Free();
    Main->Free();
  }
  void SetUp() override {
    ASSERT_EQ(DefaultManager, nullptr);
    Manager = std::make_unique<TsSkinManager>(nullptr);
    Manager->ReadSkinText("[GLOBALINFO]\nVERSION=7.5\n[FORM]\nCOLOR=255\n", "");
    Main->Provider = nullptr;
  }
  void TearDown() override {
    Manager.reset();
    ShowWindow(Application->Handle(), SW_HIDE);
  }
  std::unique_ptr<TsSkinManager> Manager;
  static TProvidedForm* Main;
  static TSkinnedPanel* Panel;
  static TLabel* Label;
  static TForm* Other;
};
TProvidedForm* ManagerApply::Main = nullptr;
TSkinnedPanel* ManagerApply::Panel = nullptr;
TLabel* ManagerApply::Label = nullptr;
TForm* ManagerApply::Other = nullptr;

TEST_F(ManagerApply, ANewSkinReachesEveryFormAndControlOnceAndHooksDialogs) {
  skintest::TSeamFakes Fakes(false);
  Seam().CBTHookProc = FakeCBTProc;
  int MenuAdaptersCleared = 0, DialogsFreed = 0;
  Seam().ClearMenuAdapters = [&] { ++MenuAdaptersCleared; };
  Seam().FreeSkinnedDialogs = [&] { ++DialogsFreed; };
  TCommandLog M(Main), P(Panel), L(Label), O(Other);

  Manager->SendNewSkin(true);
  const LPARAM Self = reinterpret_cast<LPARAM>(Manager.get());
  for (TCommandLog* Log : {&M, &P, &L, &O}) {
    EXPECT_EQ(Log->Count(SkinCmdSkinChanged), 1);
    EXPECT_EQ(Log->Count(SkinCmdRefresh), 1);
    EXPECT_EQ(Log->Count(SkinCmdStopAnimation), 1);
    for (const auto& c : Log->Codes)
      if (c.first == SkinCmdSkinChanged) {
        EXPECT_EQ(c.second, Self);
      }
  }
  EXPECT_TRUE(Manager->SkinData().Active);
  ASSERT_TRUE(Manager->DialogHookInstalled());
  CreatedWindows = 0;
  CreateAndDestroyAWindow();
  EXPECT_EQ(CreatedWindows, 1);

  Manager->SendRemoveSkin();
  for (TCommandLog* Log : {&M, &P, &L, &O}) EXPECT_EQ(Log->Count(SkinCmdRemoveSkin), 1);
  EXPECT_FALSE(Manager->DialogHookInstalled());
  EXPECT_EQ(std::make_pair(MenuAdaptersCleared, DialogsFreed), std::make_pair(1, 1));
  CreateAndDestroyAWindow();
  EXPECT_EQ(CreatedWindows, 1);
  EXPECT_TRUE(Manager->Tables().Sections.empty());
  EXPECT_FALSE(Manager->SkinData().Active);
}

TEST_F(ManagerApply, TheDefaultManagersMenuPainterSkinsTheMenusWhileASkinIsOn) {
  skintest::TSeamFakes Fakes(false);
  ASSERT_NE(dynamic_cast<TsSkinableMenus*>(Manager->MenuPainter()), nullptr);
  TsSkinManager Second(nullptr);
  EXPECT_EQ(Second.MenuPainter(), nullptr);  // only the default manager paints menus

  auto* Menu = new TPopupMenu(Main);
  auto* Abrir = new TMenuItem(Menu);
  Abrir->SetCaption("Abrir");
  Menu->Items()->Add(Abrir);
  const auto Skinned = [&] { return Menu->OwnerDraw() && Abrir->OnAdvancedDrawItem.target<TsPopupItemDraw>(); };
  EXPECT_FALSE(Skinned());
  Manager->SendNewSkin(false);
  EXPECT_TRUE(Skinned());
  Manager->SetSkinnedPopups(false);
  EXPECT_FALSE(Skinned());
  Manager->SetSkinnedPopups(true);
  EXPECT_TRUE(Skinned());
  Manager->SendRemoveSkin();
  EXPECT_FALSE(Skinned());
  Manager->SetSkinnedPopups(false);
  Manager->SetSkinnedPopups(true);  // no skin: the menu keeps its own look
  EXPECT_FALSE(Skinned());
  Menu->Free();
}

TEST_F(ManagerApply, HotTrackingBetweenWindowsAndAWindowlessControl) {
  TCommandLog M(Main), O(Other), L(Label);
  Manager->SetHotWindow(Main->Handle());
  Manager->SetHotWindow(Other->Handle());
  EXPECT_EQ(M.Count(SkinCmdMouseEnter), 1);
  EXPECT_EQ(M.Count(SkinCmdMouseLeave), 1);
  EXPECT_EQ(O.Count(SkinCmdMouseEnter), 1);
  Manager->SetHotWindow(Other->Handle());
  EXPECT_EQ(O.Count(SkinCmdMouseEnter), 1);

  Manager->SetHotControl(Label);
  EXPECT_EQ(Manager->HotControl(), Label);
  EXPECT_EQ(Manager->HotWindow(), nullptr);
  Manager->SetHotWindow(Main->Handle());
  EXPECT_EQ(M.Count(SkinCmdMouseEnter), 2);
  // A hot window with a hot control: the control goes first.
  Manager->SetHotWindow(Other->Handle());
  EXPECT_EQ(L.Count(SkinCmdMouseLeave), 1);
  EXPECT_EQ(Manager->HotControl(), nullptr);
  EXPECT_EQ(O.Count(SkinCmdMouseEnter), 2);

  // A destroyed hot window is forgotten.
  const HWND Gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Manager->SetHotWindow(Gone);
  EXPECT_EQ(O.Count(SkinCmdMouseLeave), 1);
  DestroyWindow(Gone);
  EXPECT_EQ(Manager->HotWindow(), nullptr);
  Manager->SetHotWindow(Main->Handle());
  EXPECT_EQ(M.Count(SkinCmdMouseEnter), 3);

  // A window of another thread is never sent to: that thread does not answer.
  HANDLE Ready = CreateEventA(nullptr, TRUE, FALSE, nullptr), Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND Foreign = nullptr;
  TThreadArgs Args{Ready, Done, &Foreign};
  HANDLE Thread = CreateThread(nullptr, 0, ForeignWindowThread, &Args, 0, nullptr);
  WaitForSingleObject(Ready, INFINITE);
  Manager->SetHotWindow(Foreign);
  EXPECT_EQ(M.Count(SkinCmdMouseLeave), 2);
  EXPECT_EQ(Manager->HotWindow(), nullptr);
  Manager->SetHotWindow(Main->Handle());
  EXPECT_EQ(M.Count(SkinCmdMouseEnter), 4);
  SetEvent(Done);
  WaitForSingleObject(Thread, INFINITE);
  for (HANDLE H : {Thread, Ready, Done}) CloseHandle(H);

  // A freed hot control is forgotten.
  auto* Temporary = new TLabel(Main);
  Manager->SetHotControl(Temporary);
  Temporary->Free();
  EXPECT_EQ(Manager->HotControl(), nullptr);
}

TEST_F(ManagerApply, ActivationShowsEveryFormsCurrentPicture) {
  TCommandLog M(Main), O(Other);
  TMessage Msg{CM_ACTIVATE, 0, 0, 0};
  EXPECT_FALSE(Manager->MainWindowHook(Msg));  // the application's own handling goes on
  EXPECT_EQ(M.Count(SkinCmdShowCurrent), 1);
  EXPECT_EQ(O.Count(SkinCmdShowCurrent), 1);
  TMessage Theme{WM_THEMECHANGED, 0, 0, 0};
  EXPECT_TRUE(Manager->MainWindowHook(Theme));
}

TEST_F(ManagerApply, MinimizeAndRestoreWithCompositionOnAndOff) {
  ASSERT_EQ(Application->MainForm(), Main);
  skintest::TFakeProvider Provider(Main);
  Main->Provider = &Provider;
  for (const bool Composition : {false, true}) {
    SCOPED_TRACE(Composition);
    skintest::TSeamFakes Fakes(Composition);
    int Minimized = 0, Restored = 0;
    Seam().AnimateMinimizing = [&](TsProviderLink* P) { Minimized += P == &Provider; };
    Seam().AnimateRestoring = [&](TsProviderLink* P) { return Restored += P == &Provider, true; };
    TMessage Minimize{WM_SYSCOMMAND, SC_MINIMIZE, 0, 0};
    // Without composition the hook minimizes, its own way; with it the application does.
    EXPECT_EQ(Manager->MainWindowHook(Minimize), !Composition);
    EXPECT_EQ(Minimized, 1);
    EXPECT_EQ(bool(IsIconic(Application->Handle())), !Composition);
    if (Composition) Application->Minimize();
    TMessage Restore{WM_SYSCOMMAND, SC_RESTORE, 0, 0};
    EXPECT_TRUE(Manager->MainWindowHook(Restore));
    EXPECT_EQ(Restored, 1);
    EXPECT_FALSE(IsIconic(Application->Handle()));
    ShowWindow(Application->Handle(), SW_HIDE);
  }
  // Without the minimizing animation the shadow frame goes and the application minimizes as usual.
  skintest::TSeamFakes Fakes(false);
  skintest::TFakeBorderForm Border;
  Border.CreateForm();
  Provider.Border = &Border;
  Manager->AnimEffects()->Minimizing()->SetActive(false);
  TMessage Minimize{WM_SYSCOMMAND, SC_MINIMIZE, 0, 0};
  EXPECT_FALSE(Manager->MainWindowHook(Minimize));
  EXPECT_EQ(Border.Window(), nullptr);
  Main->Provider = nullptr;
}

TEST_F(ManagerApply, IconicPicturesOfDesktopComposition) {
  skintest::TSeamFakes Fakes(true);
  std::vector<DWORD> Attributes;
  HRESULT Answer10 = S_OK;
  int Invalidated = 0;
  Seam().CallDwmSetWindowAttribute = [&](HWND, DWORD Attribute, const void* Value, DWORD Size) {
    EXPECT_EQ(Size, 4u);
    EXPECT_EQ(*static_cast<const BOOL*>(Value), TRUE);
    Attributes.push_back(Attribute);
    return Attribute == 10 ? Answer10 : S_OK;
  };
  Seam().InvalidateIconicBitmaps = [&](HWND) { ++Invalidated; };
  SetDwmIconicBitmap(Main->Handle(), true);
  EXPECT_EQ(Attributes, (std::vector<DWORD>{10, 7}));
  Attributes.clear();
  Answer10 = E_NOTIMPL;
  SetDwmIconicBitmap(Main->Handle(), true);
  EXPECT_EQ(Attributes, (std::vector<DWORD>{10}));
  EXPECT_EQ(Invalidated, 2);
  DwmIconicPreviews = false;
  SetDwmIconicBitmap(Main->Handle(), true);
  DwmIconicPreviews = true;
  EXPECT_EQ(Invalidated, 2);

  // The thumbnail request is answered by the main form's provider.
  skintest::TFakeProvider Provider(Main);
  Main->Provider = &Provider;
  int Width = 0, Height = 0;
  Seam().SetIconicThumbnail = [&](HWND, TsProviderLink* P, int W, int H) {
    EXPECT_EQ(P, &Provider);
    Width = W, Height = H;
  };
  TMessage Thumbnail{0x0323, 0, MAKELPARAM(90, 160), 0};
  EXPECT_TRUE(Manager->MainWindowHook(Thumbnail));
  EXPECT_EQ(std::make_pair(Width, Height), std::make_pair(160, 90));
  Main->Provider = nullptr;
}

TEST_F(ManagerApply, HidingTheMainFormFinishesItsAnimationAtOnce) {
  skintest::TSeamFakes Fakes(true);
  const auto Saved = Bindings().Sleep;
  Bindings().Sleep = NoPause;
  Pauses = 0;
  Seam().MakeCoverWindow = [](HWND) {
    auto* Cover = new TForm(nullptr);
    Cover->SetBorderStyle(bsNone);
    return Cover;
  };
  skintest::TFakeProvider Provider(Main);
  TsCommonData Data(&Provider, false);
  Data.SetSkinManager(Manager.get());
  Data.CacheBmp = NewBitmap32(Main->Width(), Main->Height());
  Provider.Data = &Data;
  Main->Provider = &Provider;
  Manager->AnimEffects()->FormHide()->SetTime(100);
  WINDOWPOS Pos{};
  Pos.hwnd = Main->Handle();
  Pos.flags = SWP_HIDEWINDOW;
  TMessage Msg{WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&Pos), 0};
  EXPECT_FALSE(Manager->MainWindowHook(Msg));
  ASSERT_NE(HideTimer(), nullptr);
  EXPECT_FALSE(HideTimer()->OutWnd);  // every frame ran before the hook returned
  EXPECT_GT(Pauses, 0);
  Main->Provider = nullptr;
  Bindings().Sleep = Saved;
}

TEST(HideAnimation, FinishingRunsEveryFrameAtOnce) {
  const auto Saved = Bindings().Sleep;
  Bindings().Sleep = NoPause;
  auto* Window = new TForm(nullptr);
  Window->SetBorderStyle(bsNone);
  AnimHideWindow(Window, NewBitmap32(20, 20), 200, 0, 255);
  ASSERT_NE(HideTimer(), nullptr);
  EXPECT_TRUE(HideTimer()->OutWnd);
  FinishHideAnimation();
  EXPECT_FALSE(HideTimer()->OutWnd);
  EXPECT_FALSE(HideTimer()->SrcBmp);
  Bindings().Sleep = Saved;
}

}  // namespace
