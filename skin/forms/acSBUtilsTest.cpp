#include "skin/forms/acSBUtils.h"

#include <commctrl.h>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/forms/sFormSkinning.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const FormSkinningEnv = testing::AddGlobalTestEnvironment([] {
  struct TEnv : testing::Environment {
    void SetUp() override { InitFormSkinning(); }
  };
  return new TEnv;
}());

constexpr COLORREF SolidColour = RGB(0, 160, 80);

// An adapter that paints its cache in one colour and records the DCs its paints came with.
class TSolidAdapter : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(TMessage& Message) override {
    if (Message.Msg == WM_PAINT) {
      PaintDCs.push_back(reinterpret_cast<HDC>(Message.WParam));
      UpdateWndRects();
      SkinData->CacheBmp->SetSize(WndSize.cx, WndSize.cy);
      HDC Cache = SkinData->CacheBmp->Canvas()->Handle();
      RECT R{0, 0, WndSize.cx, WndSize.cy};
      HBRUSH Brush = CreateSolidBrush(SolidColour);
      FillRect(Cache, &R, Brush);
      DeleteObject(Brush);
      if (WithStrips) PaintBorderStrips(SkinData, 0, this);
      PAINTSTRUCT PS;
      HDC DC = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : BeginPaint(CtrlHandle, &PS);
      BitBlt(DC, 0, 0, WndSize.cx, WndSize.cy, Cache, 0, 0, SRCCOPY);
      if (!Message.WParam) EndPaint(CtrlHandle, &PS);
      Message.Result = 0x5A;
      return;
    }
    TacMainWnd::acWndProc(Message);
  }
  std::vector<HDC> PaintDCs;
  bool WithStrips = false;
};

// A plain subclasser through GWL_WNDPROC that counts the messages passing it and answers skin
// commands with 0x77 itself.
struct TRawSubclass {
  static inline std::vector<UINT> Seen;
  static inline WNDPROC Previous = nullptr;
  static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    Seen.push_back(Msg);
    if (Msg == SM_SKINCMD) return 0x77;
    return CallWindowProcW(Previous, Wnd, Msg, WParam, LParam);
  }
  static void Install(HWND Wnd) {
    Seen.clear();
    Previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  static void Remove(HWND Wnd) { SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous)); }
  static int Count(UINT Msg) { return int(std::count(Seen.begin(), Seen.end(), Msg)); }
};

struct TThemeCall {
  HWND Wnd;
  bool Blank;
};
std::vector<TThemeCall> ThemeCalls;
HRESULT WINAPI RecordTheme(HWND Wnd, LPCWSTR App, LPCWSTR) {
  ThemeCalls.push_back({Wnd, App != nullptr});
  return S_OK;
}

class AdapterTest : public skintest::SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    savedTheme_ = Bindings().SetWindowTheme;
    Bindings().SetWindowTheme = RecordTheme;
    ThemeCalls.clear();
  }
  void TearDown() override {
    Bindings().SetWindowTheme = savedTheme_;
    for (HWND W : windows_)
      if (IsWindow(W)) DestroyWindow(W);
    SkinnedFormTest::TearDown();
  }
  HWND MakeWindow(const char* Class, const char* Text = "Texto") {
    HWND W = CreateWindowA(Class, Text, WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, Form->Handle(), nullptr, nullptr, nullptr);
    windows_.push_back(W);
    return W;
  }
  std::unique_ptr<TSolidAdapter> Adapt(HWND W, const std::string& Section = "BUTTON") {
    return TacMainWnd::Make<TSolidAdapter>(W, nullptr, Manager.get(), Section);
  }

 private:
  TEngineBindings::TSetWindowTheme savedTheme_ = nullptr;
  std::vector<HWND> windows_;
};

TEST_F(AdapterTest, FreeingGivesTheProcedureBackAndRemovesTheProperty) {
  for (const char* Class : {"Button", "Static"}) {
    SCOPED_TRACE(Class);
    HWND W = MakeWindow(Class);
    const LONG_PTR Before = GetWindowLongPtrW(W, GWLP_WNDPROC);
    auto Adapter = Adapt(W);
    EXPECT_EQ(AdapterOf(W), Adapter.get());
    EXPECT_NE(GetWindowLongPtrW(W, GWLP_WNDPROC), Before);
    EXPECT_EQ(SendMessageW(W, SM_SKINCMD, SkinCmdWParam(SkinCmdIsSkinned), 0), 1);
    Adapter.reset();
    EXPECT_EQ(GetWindowLongPtrW(W, GWLP_WNDPROC), Before);
    EXPECT_EQ(GetPropA(W, AdapterProp), nullptr);
    EXPECT_EQ(SendMessageW(W, SM_SKINCMD, SkinCmdWParam(SkinCmdIsSkinned), 0), 0);
  }
}

TEST_F(AdapterTest, ALaterSubclasserStaysOnTopAndTheAdapterStaysHooked) {
  HWND W = MakeWindow("Button");
  auto Adapter = Adapt(W);
  TRawSubclass::Install(W);
  Adapter->UninitCtrlData(false);
  EXPECT_FALSE(Adapter->Destroyed);
  EXPECT_EQ(GetWindowLongPtrW(W, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TRawSubclass::Proc));
  EXPECT_EQ(AdapterOf(W), Adapter.get());
  // Freed under the later subclasser, the adapter leaves a forwarding link: messages still pass.
  Adapter.reset();
  EXPECT_EQ(GetWindowLongPtrW(W, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TRawSubclass::Proc));
  EXPECT_EQ(SendMessageW(W, WM_GETTEXTLENGTH, 0, 0), 5);
  TRawSubclass::Remove(W);
  DestroyWindow(W);
}

LRESULT CALLBACK CountingSubclass(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Ref) {
  ++*reinterpret_cast<int*>(Ref);
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

TEST_F(AdapterTest, ChainStaysWholeWhenTheAdapterLeavesBeforeALaterComctlSubclasser) {
  HWND W = MakeWindow("Static");
  int Count = 0;
  auto Adapter = Adapt(W);
  SetWindowSubclass(W, CountingSubclass, 7, reinterpret_cast<DWORD_PTR>(&Count));
  Adapter.reset();
  SendMessageW(W, WM_GETTEXTLENGTH, 0, 0);
  EXPECT_EQ(Count, 1);
  EXPECT_EQ(GetPropA(W, AdapterProp), nullptr);
  RemoveWindowSubclass(W, CountingSubclass, 7);
}

TEST_F(AdapterTest, MessagesOfTheBase) {
  HWND W = MakeWindow("Static");
  TRawSubclass::Install(W);
  auto Adapter = Adapt(W);
  SendMessageW(W, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_EQ(TRawSubclass::Count(WM_UPDATEUISTATE), 0);
  SendMessageA(W, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Novo"));
  EXPECT_EQ(TRawSubclass::Count(WM_SETTEXT), 1);
  EXPECT_EQ(Adapter->WndText, std::basic_string<WCHAR>(u"Novo"));
  // WM_PRINT reaches the paint code as WM_PAINT with the DC.
  TBitmap Target;
  Target.SetPixelFormat(pf24bit);
  Target.SetSize(80, 24);
  HDC DC = Target.Canvas()->Handle();
  EXPECT_EQ(SendMessageW(W, WM_PRINT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT), 0x5A);
  ASSERT_FALSE(Adapter->PaintDCs.empty());
  EXPECT_EQ(Adapter->PaintDCs.back(), DC);
  EXPECT_EQ(skintest::BitmapPixel(Target, 40, 12), SolidColour);
  TRawSubclass::Remove(W);
}

TEST_F(AdapterTest, NcDestroyUnhooksOnceAlsoWithNothingSaved) {
  HWND W = MakeWindow("Button");
  auto Adapter = Adapt(W);
  DestroyWindow(W);
  EXPECT_TRUE(Adapter->Destroyed);
  EXPECT_FALSE(Adapter->Subclassed);
  // With nothing saved the message is answered by the default procedure, not sent back to the window.
  TMessage M{WM_NCDESTROY, 0, 0, 0};
  Adapter->acWndProc(M);
  EXPECT_EQ(M.Result, 0);
  Adapter.reset();
}

TEST_F(AdapterTest, VisualStylesGoOffExceptForDialogs) {
  HWND Button = MakeWindow("Button");
  HWND Dialog = MakeWindow("Static");
  {
    auto A = Adapt(Button, "BUTTON");
    auto B = Adapt(Dialog, "DIALOG");
    ASSERT_EQ(ThemeCalls.size(), 1u);
    EXPECT_EQ(ThemeCalls[0].Wnd, Button);
    EXPECT_TRUE(ThemeCalls[0].Blank);
  }
  ASSERT_EQ(ThemeCalls.size(), 2u);
  EXPECT_EQ(ThemeCalls[1].Wnd, Button);
  EXPECT_FALSE(ThemeCalls[1].Blank);
}

TEST_F(AdapterTest, AToolkitControlGetsItsWindowProcBackOnlyWhileInPlace) {
  for (bool Later : {false, true}) {
    SCOPED_TRACE(Later);
    auto* Panel = Put<TPanel>(Form, 10, 40, 60, 30);
    const TWndMethod Before = Panel->WindowProc;
    const TControlStyle Style = Panel->ControlStyle() & ~csOpaque;
    Panel->SetControlStyle(Style);
    auto Data = std::make_unique<TsCommonData>(Panel, true);
    auto Adapter = TacMainWnd::Make<TSolidAdapter>(Panel->Handle(), Data.get(), Manager.get(), "PANEL");
    EXPECT_FALSE(Adapter->Subclassed);
    EXPECT_FALSE(Panel->WindowProc == Before);
    EXPECT_TRUE(Panel->ControlStyle() & csOpaque);
    EXPECT_EQ(Panel->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdIsSkinned), 0), 1);
    std::unique_ptr<uitest::TRecorder> Recorder;
    if (Later) Recorder = std::make_unique<uitest::TRecorder>(Panel);
    const TWndMethod Top = Panel->WindowProc;
    Adapter.reset();
    EXPECT_EQ(Panel->ControlStyle(), Style);
    EXPECT_TRUE(Panel->WindowProc == (Later ? Top : Before));
    // The later subclasser still holds the freed adapter's procedure: the chain is mended by hand.
    Panel->WindowProc = Before;
    Recorder.reset();
    Data.reset();
    Panel->Free();
  }
}

struct TPathCase {
  int Code;
  LRESULT Active;  // the answer while the manager is active; -1: the previous procedure's
  bool PassedOn;
};

TEST_F(AdapterTest, GeneralPathTable) {
  HWND W = MakeWindow("Static");
  TRawSubclass::Install(W);
  auto Adapter = Adapt(W);
  const LPARAM Mgr = reinterpret_cast<LPARAM>(Manager.get());
  TsBackgroundInfo Info{};
  TsCommonData Other(nullptr, false);
  Other.SetSkinSection("EDIT");
  const TPathCase Cases[] = {
      {SkinCmdSkinChanged, 0x77, true}, {SkinCmdRemoveSkin, 0x77, true},   {SkinCmdRefresh, 0, false},
      {SkinCmdUpdateFinished, 0x77, true}, {SkinCmdIsSkinned, 1, false},    {SkinCmdIsUpdating, 0, false},
      {SkinCmdCopySection, 0x77, true},   {SkinCmdHasBgImage, 0x77, true},   {SkinCmdGetColor, 0x77, true},
      {SkinCmdPrepareCache, 0x77, true},  {SkinCmdGetBgInfo, 0, false},      {SkinCmdGetSkinData, -2, false},
      {SkinCmdSetPaintInfo, 0x77, true},  {SkinCmdGetApplication, -3, false},
  };
  auto LParamOf = [&](int Code) -> LPARAM {
    switch (Code) {
      case SkinCmdCopySection: return reinterpret_cast<LPARAM>(&Other);
      case SkinCmdGetBgInfo: return reinterpret_cast<LPARAM>(&Info);
      case SkinCmdSetPaintInfo: return 0x1234;
      default: return Mgr;
    }
  };
  enum { Active, Inactive, NoManager };
  for (int State : {Active, Inactive, NoManager}) {
    SCOPED_TRACE(State);
    if (State == NoManager) Adapter->SkinManager = nullptr;
    Manager->SetActive(State != Inactive);
    for (const TPathCase& C : Cases) {
      SCOPED_TRACE(C.Code);
      TRawSubclass::Seen.clear();
      const LRESULT R = SendMessageW(W, SM_SKINCMD, SkinCmdWParam(C.Code), LParamOf(C.Code));
      if (State != Active) {
        EXPECT_EQ(R, 0x77);
        EXPECT_EQ(TRawSubclass::Count(SM_SKINCMD), 1);
        continue;
      }
      const LRESULT Expected = C.Active == -2   ? reinterpret_cast<LRESULT>(Adapter->SkinData)
                               : C.Active == -3 ? reinterpret_cast<LRESULT>(Application)
                                                : C.Active;
      EXPECT_EQ(R, Expected);
      EXPECT_EQ(TRawSubclass::Count(SM_SKINCMD), C.PassedOn ? 1 : 0);
    }
    if (State == Active) {
      EXPECT_EQ(Adapter->SkinData->SkinSection(), "EDIT");
      EXPECT_TRUE(Adapter->SkinData->CtrlState & CtrlPaintInfoSet);
      EXPECT_EQ(Adapter->SkinData->PaintInfo, reinterpret_cast<void*>(0x1234));
    }
  }
  Manager->SetActive(true);
  Adapter.reset();
  TRawSubclass::Remove(W);
}

TEST_F(AdapterTest, UpdateFinishedRedrawsWhenTheUpdateIsOver) {
  HWND W = MakeWindow("Static");
  auto Adapter = Adapt(W);
  Adapter->SkinData->Updating = true;
  Adapter->PaintDCs.clear();
  EXPECT_EQ(SendMessageW(W, SM_SKINCMD, SkinCmdWParam(SkinCmdUpdateFinished), 0), 0);
  EXPECT_FALSE(Adapter->SkinData->Updating);
  EXPECT_FALSE(Adapter->PaintDCs.empty());
}

TEST(AdapterRoutines, StartBindsTheEntriesAndFillsTheSeam) {
  EXPECT_NE(FormSkinningBindings().GetScrollBarInfo, nullptr);
  EXPECT_NE(FormSkinningBindings().InitializeFlatSB, nullptr);
  EXPECT_TRUE(Seam().GetFormImage && Seam().UpdateLayeredWnd && Seam().HideWindowLayered && Seam().MakeCoverWindow &&
              Seam().DwmCompositionEnabled && Seam().SetIconicThumbnail && Seam().SetIconicLivePreview &&
              Seam().CallDwmSetWindowAttribute && Seam().InvalidateIconicBitmaps);
}

TEST(AdapterRoutines, SystemNcFontKinds) {
  EXPECT_EQ(GetSystemNcFont(0), nullptr);
  EXPECT_EQ(GetSystemNcFont(6), nullptr);
  for (int Kind = 1; Kind <= 5; ++Kind) {
    HFONT Font = GetSystemNcFont(Kind);
    EXPECT_NE(Font, nullptr) << Kind;
    DeleteObject(Font);
  }
}

TEST_F(AdapterTest, TopParentHearsThatAControlLoaded) {
  HWND W = MakeWindow("Static");
  uitest::TRecorder Recorder(Form, {SM_SKINCMD});
  NotifyTopParentLoaded(W);
  EXPECT_EQ(Recorder.Log().size(), 1u);
}

TEST_F(AdapterTest, BorderStripsPaintTheSkinsBorderOverTheCache) {
  HWND W = MakeWindow("Button");
  auto Adapter = Adapt(W, "BUTTON");
  ASSERT_TRUE(Manager->IsValidMaskIndex(Adapter->SkinData->BorderIndex));
  Adapter->SkinData->CacheBmp->SetSize(80, 24);
  TBitmap& Cache = *Adapter->SkinData->CacheBmp;
  Cache.Canvas()->Brush()->SetColor(clBlue);
  Cache.Canvas()->FillRect(TRect{0, 0, 80, 24});
  PaintBorderStrips(Adapter->SkinData, 0, Adapter.get());
  // The middle keeps the cache; the border differs from it somewhere on the left strip.
  EXPECT_EQ(skintest::BitmapPixel(Cache, 40, 12), COLORREF(RGB(0, 0, 255)));
  bool Changed = false;
  for (int Y = 0; Y < 24; ++Y) Changed = Changed || skintest::BitmapPixel(Cache, 0, Y) != RGB(0, 0, 255);
  EXPECT_TRUE(Changed);
  // A window of one pixel width gets nothing.
  Cache.SetSize(1, 24);
  Cache.Canvas()->FillRect(TRect{0, 0, 1, 24});
  PaintBorderStrips(Adapter->SkinData, 0, Adapter.get());
  EXPECT_EQ(skintest::BitmapPixel(Cache, 0, 0), COLORREF(RGB(0, 0, 255)));
}

TEST_F(AdapterTest, ShotOfAdaptedButtonAndLabel) {
  HWND Button = MakeWindow("Button", "");
  HWND Label = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 100, 10, 80, 24, Form->Handle(), nullptr, nullptr, nullptr);
  auto A = Adapt(Button, "BUTTON");
  auto B = Adapt(Label, "PANEL");
  A->WithStrips = B->WithStrips = true;
  PaintAll();
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(skintest::ScreenPixel(Button, 40, 12), SolidColour);
  EXPECT_EQ(skintest::ScreenPixel(Label, 40, 12), SolidColour);
  // The button's skin border lies over its left edge.
  EXPECT_NE(skintest::ScreenPixel(Button, 0, 12), SolidColour);
  auto Shot = skintest::ScreenOf(Form->Handle());
  const auto Result = skintest::CompareShot(*Shot, "forms_adapted_button_label", {});
  A.reset();
  B.reset();
  DestroyWindow(Label);
  if (Result.Stored) GTEST_SKIP() << "reference picture written";
  EXPECT_LT(Result.Different, 0.02);
}

}  // namespace
