#include "skin/forms/sSkinProvider.h"

#include <gtest/gtest.h>

#include <atomic>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinnedForms.h"
#include "skin/forms/sPreviewAnnounce.h"
#include "skin/forms/sProviderGeometry.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

constexpr UINT Probe = WM_APP + 17;

class SkinProviderTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->HandleNeeded();
  }
  void TearDown() override {
    if (Form) Form->Free();
  }
  int Providers() const {
    int N = 0;
    for (int I = 0; I < Form->ComponentCount(); ++I) N += dynamic_cast<TsSkinProvider*>(Form->Components(I)) != nullptr;
    return N;
  }
  size_t Registered() const { return std::count(SkinnedForms().begin(), SkinnedForms().end(), Form); }
  TForm* Form = nullptr;
};

TEST_F(SkinProviderTest, EveryMessagePassesOnceThroughTheChain) {
  uitest::TRecorder Before(Form, {Probe});
  auto* Provider = new TsSkinProvider(Form);
  uitest::TRecorder After(Form, {Probe});
  SendMessageA(Form->Handle(), Probe, 0, 0);
  Form->Perform(Probe, 0, 0);
  EXPECT_EQ(Before.Log().size(), 2u);
  EXPECT_EQ(After.Log().size(), 2u);
  // Freed under a later subclasser: that one stays in place and still reaches the form's own procedure.
  Provider->Free();
  EXPECT_TRUE(After.Hooked());
  SendMessageA(Form->Handle(), Probe, 0, 0);
  EXPECT_EQ(Before.Log().size(), 3u);
  EXPECT_EQ(After.Log().size(), 3u);
  After.Release();
  SendMessageA(Form->Handle(), Probe, 0, 0);
  EXPECT_EQ(Before.Log().size(), 4u);
  // The recorder below stays chained until the form goes.
  Before.Release();
  Form->Free();
  Form = nullptr;
}

TEST_F(SkinProviderTest, FreedOnTopGivesTheFormItsProcedureBack) {
  const TWndMethod Own = Form->WindowProc;
  auto* Provider = new TsSkinProvider(Form);
  EXPECT_FALSE(Form->WindowProc == Own);
  Provider->Free();
  EXPECT_TRUE(Form->WindowProc == Own);
  EXPECT_EQ(Form->ComponentCount(), 0);
}

TEST_F(SkinProviderTest, AnswersAsTheFormsProvider) {
  const size_t Before = Registered();
  auto* Provider = new TsSkinProvider(Form);
  auto* Link = static_cast<TsProviderLink*>(Provider);
  EXPECT_EQ(Form->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0), reinterpret_cast<LRESULT>(Link));
  EXPECT_EQ(SendMessageA(Form->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0),
            reinterpret_cast<LRESULT>(Link));
  EXPECT_EQ(SendMessageA(Form->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdIsSkinned), 0), 1);
  EXPECT_EQ(Link->Form(), Form);
  EXPECT_EQ(Link->SkinData()->SkinSection(), "FORM");
  EXPECT_EQ(Link->SkinData()->ControlKind, 224);
  EXPECT_EQ(Link->SkinData()->Provider(), Link);
  EXPECT_EQ(Registered(), Before + 1);
  Provider->Free();
  EXPECT_EQ(Registered(), Before);
  EXPECT_EQ(Form->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0), 0);
}

TEST_F(SkinProviderTest, ASecondProviderIsPassive) {
  auto* First = new TsSkinProvider(Form);
  const size_t Count = Registered();
  auto* Second = new TsSkinProvider(Form);
  EXPECT_FALSE(First->Passive());
  EXPECT_TRUE(Second->Passive());
  EXPECT_EQ(Registered(), Count);
  EXPECT_EQ(Form->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0),
            reinterpret_cast<LRESULT>(static_cast<TsProviderLink*>(First)));
  Second->Free();
  First->Free();
}

TEST_F(SkinProviderTest, APlacedProviderReplacesAnAutomaticOne) {
  TsSkinProvider* Automatic = TsSkinProvider::CreateAutomatic(Form);
  EXPECT_TRUE(Automatic->Automatic());
  auto* Placed = new TsSkinProvider(Form);
  EXPECT_FALSE(Placed->Passive());
  EXPECT_EQ(Providers(), 1);
  EXPECT_EQ(Registered(), 1u);
  EXPECT_EQ(Form->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0),
            reinterpret_cast<LRESULT>(static_cast<TsProviderLink*>(Placed)));
  Placed->Free();
}

TEST_F(SkinProviderTest, OnlyFormsTakeAProvider) {
  TComponent Module(nullptr);
  EXPECT_THROW(new TsSkinProvider(&Module), EAbort);
  EXPECT_EQ(Module.ComponentCount(), 0);
}

TEST_F(SkinProviderTest, FreedWithItsForm) {
  auto* Other = new TForm(nullptr);
  Other->HandleNeeded();
  new TsSkinProvider(Other);
  SendMessageA(Other->Handle(), Probe, 0, 0);
  Other->Free();
  EXPECT_EQ(std::count(SkinnedForms().begin(), SkinnedForms().end(), Other), 0);
}

TEST_F(SkinProviderTest, CaptionHeightWithoutSkin) {
  struct TCase {
    TFormBorderStyle Style;
    int Height;
  };
  const TCase Cases[] = {{bsDialog, GetSystemMetrics(SM_CYCAPTION)},
                         {bsToolWindow, GetSystemMetrics(SM_CYSMCAPTION)},
                         {bsSizeToolWin, GetSystemMetrics(SM_CYSMCAPTION)},
                         {bsNone, 0}};
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CYSMCAPTION), 16);
  auto* Provider = new TsSkinProvider(Form);
  for (const TCase& C : Cases) {
    Form->SetBorderStyle(C.Style);
    Form->HandleNeeded();
    EXPECT_EQ(Provider->CaptionHeight(), C.Height) << C.Style;
  }
  Provider->Free();
}

TEST_F(SkinProviderTest, OffsetsAreTheClientOrigin) {
  auto* Provider = new TsSkinProvider(Form);
  for (TFormBorderStyle Style : {bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin})
    for (int BorderWidth : {0, 3}) {
      Form->SetBorderStyle(Style);
      Form->SetBorderWidth(BorderWidth);
      Form->SetBounds(40, 40, 300, 200);
      Form->HandleNeeded();
      RECT W{};
      GetWindowRect(Form->Handle(), &W);
      POINT Origin{0, 0};
      ClientToScreen(Form->Handle(), &Origin);
      EXPECT_EQ(Provider->OffsetX(), Origin.x - W.left) << Style << " " << BorderWidth;
      EXPECT_EQ(Provider->OffsetY(), Origin.y - W.top) << Style << " " << BorderWidth;
    }
  Provider->Free();
}

TEST_F(SkinProviderTest, ButtonsWithoutPiecesKeepTheirSizes) {
  auto* Provider = new TsSkinProvider(Form);
  EXPECT_EQ(Provider->ButtonWidth(-1, DefaultTitleButtonSize), 21);
  EXPECT_EQ(Provider->ButtonHeight(-1, DefaultTitleButtonSize), 21);
  EXPECT_EQ(Provider->ButtonWidth(-1, DefaultMDIButtonSize), 16);
  EXPECT_EQ(Provider->ButtonHeight(-1, DefaultMDIButtonSize), 16);
  Provider->Free();
}

}  // namespace

namespace {

class SkinnedProviderTest : public skintest::SkinnedFormTest {};

TEST_F(SkinnedProviderTest, TheFormTakesTheSkinsColour) {
  auto* Provider = new TsSkinProvider(Form);
  Provider->Loaded();
  EXPECT_TRUE(Provider->Skinned());
  EXPECT_EQ(Form->Color(), Manager->GetGlobalColor());
  Provider->SetUseGlobalColor(false);
  EXPECT_EQ(Form->Color(), clBtnFace);
  Provider->SetUseGlobalColor(true);
  EXPECT_EQ(Form->Color(), Manager->GetGlobalColor());
  EXPECT_EQ(Form->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetClientOffset), 0),
            MAKELONG(Provider->OffsetX(), Provider->OffsetY()));
}

TEST_F(SkinnedProviderTest, ASizeableToolWindowMovesOpaque) {
  Form->SetBorderStyle(bsSizeToolWin);
  auto* Provider = new TsSkinProvider(Form);
  Provider->SetUseGlobalColor(false);
  Provider->Loaded();
  EXPECT_FALSE(Provider->AllowBlendOnMoving);
  EXPECT_TRUE(Provider->UseGlobalColor());
  Form->SetBorderStyle(bsSizeable);
}

TEST_F(SkinnedProviderTest, RemovingAndApplyingTheSkin) {
  auto* Provider = new TsSkinProvider(Form);
  Provider->Loaded();
  auto* Label = Put<TLabel>(Form, 10, 10, 80, 16);
  Label->Font()->SetColor(clRed);
  HRGN Rgn = CreateRectRgn(0, 0, 200, 200);
  SetWindowRgn(Form->Handle(), Rgn, FALSE);
  Provider->SkinData()->InitCacheBitmap();
  const LPARAM M = reinterpret_cast<LPARAM>(Manager.get());
  SendMessageA(Form->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdRemoveSkin), M);
  HRGN Probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Form->Handle(), Probe), ERROR);
  DeleteObject(Probe);
  EXPECT_EQ(Label->Font()->Color(), clWindowText);
  EXPECT_EQ(Form->Color(), clBtnFace);
  EXPECT_EQ(Provider->SkinData()->CacheBmp, nullptr);
  SendMessageA(Form->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdSkinChanged), M);
  EXPECT_EQ(Form->Color(), Manager->GetGlobalColor());
  // Another manager's removal is its children's business only.
  Label->Font()->SetColor(clRed);
  TsSkinManager Other(nullptr);
  SendMessageA(Form->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdRemoveSkin), reinterpret_cast<LPARAM>(&Other));
  EXPECT_EQ(Form->Color(), Manager->GetGlobalColor());
  EXPECT_EQ(Label->Font()->Color(), clRed);
}

}  // namespace

namespace {

// A window with the editor's caption: on this thread it counts the announcements and takes them; on
// a thread of its own it never answers.
class TFakeEditor {
 public:
  explicit TFakeEditor(bool Hung) {
    if (!Hung) {
      Wnd = Make(&Count);
      return;
    }
    // A Win32 thread: the window needs one of the system's own.
    Thread = CreateThread(nullptr, 0, &HungThread, this, 0, nullptr);
    WaitForSingleObject(Ready.get(), 10000);
  }
  ~TFakeEditor() {
    if (Thread) {
      SetEvent(Release.get());
      WaitForSingleObject(Thread, 10000);
      CloseHandle(Thread);
    } else {
      DestroyWindow(Wnd.load());
    }
  }
  std::atomic<HWND> Wnd{nullptr};
  std::atomic<int> Count{0};

 private:
  static LRESULT CALLBACK Proc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == EditorAnnounceMsg && WParam == EditorAnnounceCode) {
      ++*reinterpret_cast<std::atomic<int>*>(GetWindowLongPtrA(W, GWLP_USERDATA));
      return 1;
    }
    return DefWindowProcA(W, Msg, WParam, LParam);
  }
  static DWORD WINAPI HungThread(void* Param) {
    auto* Self = static_cast<TFakeEditor*>(Param);
    const HWND W = Make(&Self->Count);
    Self->Wnd.store(W);
    SetEvent(Self->Ready.get());
    WaitForSingleObject(Self->Release.get(), INFINITE);
    DestroyWindow(W);
    return 0;
  }
  static HWND Make(std::atomic<int>* Counter) {
    static const ATOM Class = [] {
      WNDCLASSA C{};
      C.lpfnWndProc = Proc;
      C.hInstance = GetModuleHandleA(nullptr);
      C.lpszClassName = "FakeSkinEditor";
      return RegisterClassA(&C);
    }();
    const HWND W = CreateWindowA(MAKEINTATOM(Class), SkinEditorCaption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(W, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Counter));
    return W;
  }
  std::unique_ptr<void, decltype(&CloseHandle)> Ready{CreateEventA(nullptr, TRUE, FALSE, nullptr), &CloseHandle};
  std::unique_ptr<void, decltype(&CloseHandle)> Release{CreateEventA(nullptr, TRUE, FALSE, nullptr), &CloseHandle};
  HANDLE Thread = nullptr;
};

class PreviewAnnounceTest : public SkinProviderTest {
 protected:
  void SetUp() override {
    SkinProviderTest::SetUp();
    PreviewRequested = true;
    PreviewWindow = nullptr;
    Seam().EditorWindow = nullptr;
  }
  void TearDown() override {
    PreviewRequested = false;
    PreviewWindow = nullptr;
    Seam().EditorWindow = nullptr;
    SkinProviderTest::TearDown();
  }
};

TEST_F(PreviewAnnounceTest, TheEditorHearsOfTheFirstFormOnly) {
  TFakeEditor Editor(false);
  AnnouncePreviewWindow(Form->Handle());
  EXPECT_EQ(Editor.Count, 1);
  EXPECT_EQ(PreviewWindow, Form->Handle());
  EXPECT_EQ(Seam().EditorWindow, Editor.Wnd.load());
  EXPECT_FALSE(PreviewRequested);
  auto* Second = new TForm(nullptr);
  Second->HandleNeeded();
  AnnouncePreviewWindow(Second->Handle());
  EXPECT_EQ(Editor.Count, 1);
  EXPECT_EQ(PreviewWindow, Form->Handle());
  Second->Free();
}

TEST_F(PreviewAnnounceTest, AnEditorThatNeverAnswersCostsOneTimeout) {
  TFakeEditor Editor(true);
  const DWORD Start = GetTickCount();
  AnnouncePreviewWindow(Form->Handle());
  EXPECT_LT(GetTickCount() - Start, 2 * EditorAnnounceTimeoutMs + 500);
  EXPECT_EQ(Seam().EditorWindow, nullptr);
  EXPECT_EQ(PreviewWindow, Form->Handle());
  EXPECT_EQ(Editor.Count, 0);
}

TEST_F(PreviewAnnounceTest, WithoutAnEditorOnlyTheWindowIsKept) {
  AnnouncePreviewWindow(Form->Handle());
  EXPECT_EQ(PreviewWindow, Form->Handle());
  EXPECT_EQ(Seam().EditorWindow, nullptr);
}

}  // namespace

namespace {

TEST_F(SkinnedProviderTest, CaptionObjects) {
  auto* Provider = new TsSkinProvider(Form);
  Form->SetBorderStyle(bsDialog);
  Provider->TitleIcon()->Width = Provider->TitleIcon()->Height = 24;
  EXPECT_EQ(Provider->TitleIconWidth(), 0);
  Form->SetBorderStyle(bsSizeable);
  Form->HandleNeeded();
  EXPECT_EQ(Provider->TitleIconWidth(), 24);
  Provider->TitleIcon()->Width = 0;
  EXPECT_EQ(Provider->TitleIconWidth(), TitleIconSize(true, 0, Provider->CaptionHeight()));

  auto* Button = static_cast<TsTitleButton*>(Provider->TitleButtons()->Add());
  EXPECT_EQ(Button->Name(), "TsTitleButton");
  EXPECT_TRUE(Button->Visible() && Button->Enabled && Button->UseSkinData);
  uitest::TRecorder Paints(Form, {WM_NCPAINT});
  Button->SetVisible(true);
  EXPECT_EQ(Paints.Log().size(), 0u);
  Button->SetVisible(false);
  EXPECT_EQ(Paints.Log().size(), 1u);
  Provider->AddedTitle()->SetText("Exame");
  Provider->AddedTitle()->SetText("Exame");
  EXPECT_EQ(Paints.Log().size(), 2u);
  EXPECT_EQ(Provider->AddedTitle()->Font()->Color(), clNone);
  Paints.Release();

  Button->CachedImage = std::make_unique<TBitmap>();
  TBitmap Glyph;
  Glyph.SetSize(8, 8);
  Button->SetGlyph(&Glyph);
  EXPECT_EQ(Button->CachedImage, nullptr);
}

}  // namespace
