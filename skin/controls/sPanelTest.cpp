// The skinned panel on real windows under the program's own skin: its look beside the toolkit's panel,
// the background it gives its children, its answers to the skin commands and its bevel sections.
#include "skin/controls/sPanel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinProperties.h"

namespace {

using skintest::ScreenOf;
using skintest::SkinnedFormTest;
using uitest::Pump;

class SkinnedPanel : public SkinnedFormTest {
 protected:
  TsPanel* Panel(TWinControl* Parent, const std::string& Section, int X, int Y, int W, int H) {
    auto* P = Put<TsPanel>(Parent, X, Y, W, H);
    if (!Section.empty()) P->SkinData()->SetSkinSection(Section);
    return P;
  }
  // The area of Control in a picture of the form's window.
  TRect AreaOf(TWinControl* Control) {
    RECT F, C;
    GetWindowRect(Form->Handle(), &F);
    GetWindowRect(Control->Handle(), &C);
    return Rect(C.left - F.left, C.top - F.top, C.right - F.left, C.bottom - F.top);
  }
  static bool SamePixels(TBitmap& A, const TRect& RA, TBitmap& B, const TRect& RB) {
    for (int Y = 0; Y < RA.bottom - RA.top; ++Y)
      for (int X = 0; X < RA.right - RA.left; ++X)
        if (skintest::BitmapPixel(A, RA.left + X, RA.top + Y) != skintest::BitmapPixel(B, RB.left + X, RB.top + Y))
          return false;
    return true;
  }
  static LRESULT Cmd(TWinControl* C, int Code, LPARAM L = 0) { return SendSkinCmd(C->Handle(), Code, L); }
};

TEST_F(SkinnedPanel, TheProgramsPanelsLookAsStored) {
  std::vector<TsPanel*> Captioned;
  TsPanel* Splash = Panel(Form, "TOOLBAR", 8, 8, 200, 60);
  Splash->SetCaption("");
  TsPanel* Nav = Panel(Form, "", 216, 8, 230, 60);
  Nav->SetCaption("Navegador");
  Captioned.push_back(Nav);
  TsPanel* Wait = Panel(Form, "", 8, 76, 191, 62);
  Wait->SkinData()->SetCustomColor(true);
  Wait->SkinData()->SetCustomFont(true);
  Wait->SetColor(RGB(195, 210, 222));
  Wait->Font()->SetName("Arial");
  Wait->Font()->SetHeight(-15);
  Wait->Font()->SetColor(clNavy);
  Wait->SetCaption("Aguarde...");
  Captioned.push_back(Wait);
  TsPanel* FormFace = Panel(Form, "FORM", 216, 76, 230, 80);
  TsPanel* Clear = Panel(FormFace, "CLEARPANEL", 20, 10, 120, 50);
  Clear->SetCaption("Claro");
  Captioned.push_back(Clear);
  TsPanel* Framed = Panel(Form, "", 8, 146, 200, 100);
  Framed->SetBorderWidth(4);
  Framed->SetBevelOuter(bvRaised);
  Framed->SetBevelInner(bvLowered);
  Framed->SetCaption("Moldura");
  Captioned.push_back(Framed);
  // Panels with static faces take the plain route.
  EXPECT_FALSE(Nav->SkinData()->RepaintNeeded());
  EXPECT_EQ(Nav->SkinData()->SkinSection(), "PANEL");
  PaintAll();
  auto Shot = ScreenOf(Form->Handle());
  std::vector<TRect> Texts;
  for (TsPanel* P : Captioned) {
    TRect R = AreaOf(P);
    InflateRect(&R, -8, -8);
    Texts.push_back(R);
  }
  const auto Result = skintest::CompareShot(*Shot, "skinned_panels", Texts);
  if (Result.Stored) GTEST_SKIP() << "reference picture written";
  EXPECT_LT(Result.Different, 0.02);
  // The skin gives the splash panel the section's colour; the wait panel keeps its own.
  const TColor Face = Manager->Tables().Sections[Manager->GetSkinIndex("TOOLBAR")].Color;
  EXPECT_EQ(skintest::ScreenPixel(Splash->Handle(), 100, 30), COLORREF(ColorToRGB(Face)));
  EXPECT_EQ(skintest::ScreenPixel(Wait->Handle(), 180, 55), RGB(195, 210, 222));
}

TEST_F(SkinnedPanel, ACaptionTopFollowsTheBorderWidth) {
  TsPanel* Framed = Panel(Form, "", 8, 8, 200, 100);
  Framed->SetBorderWidth(4);
  Framed->SetBevelInner(bvLowered);
  Framed->SetCaption("Moldura");
  Framed->Font()->SetColor(clRed);
  Framed->SkinData()->SetCustomFont(true);
  PaintAll();
  // The inset rectangle lies 6 inside the client area (BorderWidth 4 and two bevels); the text block
  // starts at BorderWidth + (its height - h) / 2, not at its centre.
  TEXTMETRICA M;
  const HDC DC = GetDC(Framed->Handle());
  SelectObject(DC, Framed->Font()->Handle());
  GetTextMetricsA(DC, &M);
  ReleaseDC(Framed->Handle(), DC);
  const int Top = 4 + (Framed->ClientHeight() - 12 - M.tmHeight) / 2;
  auto Shot = ScreenOf(Framed->Handle());
  int FirstRed = -1;
  for (int Y = 0; Y < Shot->Height() && FirstRed < 0; ++Y)
    for (int X = 0; X < Shot->Width(); ++X)
      if (skintest::BitmapPixel(*Shot, X, Y) == RGB(255, 0, 0)) {
        FirstRed = Y - 4;  // the non-client border
        break;
      }
  ASSERT_GE(FirstRed, 0);
  EXPECT_GE(FirstRed, Top);
  EXPECT_LT(FirstRed, Top + M.tmAscent);
}

TEST_F(SkinnedPanel, AFramedPanelShiftsTheBackgroundOfItsChildren) {
  TsPanel* Framed = Panel(Form, "", 8, 8, 200, 100);
  TsPanel* Plain = Panel(Form, "", 220, 8, 200, 100);
  Framed->SetBorderWidth(4);
  Framed->SetBevelInner(bvLowered);
  // Published for the forms that store its section.
  EXPECT_EQ(GetObjectProperty(Framed, "SkinData"), Framed->SkinData());
  TsBackgroundInfo Framing, Flat;
  Cmd(Framed, SkinCmdGetBgInfo, reinterpret_cast<LPARAM>(&Framing));
  Cmd(Plain, SkinCmdGetBgInfo, reinterpret_cast<LPARAM>(&Flat));
  EXPECT_EQ(Framing.BgType, 2);
  EXPECT_EQ(Framing.Offset.x, Flat.Offset.x + 6);
  EXPECT_EQ(Framing.Offset.y, Flat.Offset.y + 6);
}

TEST_F(SkinnedPanel, AClearPanelShowsItsTexturedParent) {
  TsPanel* Outer = Panel(Form, "GRADIENTPANEL", 8, 8, 300, 200);
  TsPanel* Inner = Panel(Outer, "CLEARPANEL", 40, 30, 160, 100);
  PaintAll();
  auto With = ScreenOf(Outer->Handle());
  Inner->Hide();
  PaintAll();
  auto Without = ScreenOf(Outer->Handle());
  const TRect Area = Rect(40, 30, 200, 130);
  // The gradient runs from top to bottom: the rows differ, so a wrong offset would show.
  EXPECT_NE(skintest::BitmapPixel(*Without, 50, 35), skintest::BitmapPixel(*Without, 50, 125));
  EXPECT_TRUE(SamePixels(*With, Area, *Without, Area));
}

TEST_F(SkinnedPanel, ASkinOfAnotherManagerReachesTheChildrenOnly) {
  TsPanel* Outer = Panel(Form, "GRADIENTPANEL", 8, 8, 200, 100);
  TsPanel* Child = Panel(Outer, "PANEL", 10, 10, 50, 50);
  PaintAll();
  ASSERT_FALSE(Outer->SkinData()->BGChanged);
  TsSkinManager Other(nullptr);
  uitest::TRecorder Log(Child, {SM_SKINCMD});
  std::vector<std::pair<int, LPARAM>> Commands;
  Log.OnMessage = [&](TMessage& M) { Commands.push_back({SkinCmdCode(M), M.LParam}); };
  Cmd(Outer, SkinCmdSkinChanged, reinterpret_cast<LPARAM>(&Other));
  EXPECT_EQ(std::count(Commands.begin(), Commands.end(), std::pair<int, LPARAM>(SkinCmdSkinChanged, LPARAM(&Other))), 1);
  EXPECT_FALSE(Outer->SkinData()->BGChanged);
  EXPECT_EQ(Outer->SkinData()->SkinIndex, Manager->GetSkinIndex("GRADIENTPANEL"));
}

TEST_F(SkinnedPanel, MouseEventsComeAfterTheSkinsHandling) {
  TsPanel* P = Panel(Form, "", 8, 8, 100, 50);
  std::vector<std::string> Events;
  P->OnMouseEnter = [&](TObject* Sender) { Events.push_back(Sender == P ? "enter" : "?"); };
  P->OnMouseLeave = [&](TObject* Sender) { Events.push_back(Sender == P ? "leave" : "?"); };
  P->Perform(CM_MOUSEENTER, 0, 0);
  P->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Events, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(SkinnedPanel, IsSkinnedAnswersWithoutASkin) {
  Manager.reset();
  TsPanel* P = Panel(Form, "", 8, 8, 50, 50);
  EXPECT_EQ(Cmd(P, SkinCmdIsSkinned), 1);
  EXPECT_EQ(Cmd(P, SkinCmdGetApplication), reinterpret_cast<LRESULT>(Application));
}

TEST_F(SkinnedPanel, RefreshOfItsManagerRedrawsOnce) {
  TsPanel* P = Panel(Form, "", 8, 8, 100, 50);
  PaintAll();
  uitest::TRecorder Log(P, {WM_PAINT, WM_NCPAINT});
  Cmd(P, SkinCmdRefresh, reinterpret_cast<LPARAM>(Manager.get()));
  EXPECT_EQ(std::count(Log.Log().begin(), Log.Log().end(), WM_PAINT), 1);
  EXPECT_EQ(std::count(Log.Log().begin(), Log.Log().end(), WM_NCPAINT), 1);
  Log.Clear();
  TsSkinManager Other(nullptr);
  Cmd(P, SkinCmdRefresh, reinterpret_cast<LPARAM>(&Other));
  EXPECT_TRUE(Log.Log().empty());
}

TEST_F(SkinnedPanel, AnEraseOfNoDCPaintsNothing) {
  TsPanel* P = Panel(Form, "", 8, 8, 100, 50);
  PaintAll();
  const HDC DC = GetDC(P->Handle());
  RECT Mark{0, 0, 10, 10};
  FillRect(DC, &Mark, HBRUSH(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(P->Handle(), DC);
  EXPECT_EQ(SendMessageA(P->Handle(), WM_ERASEBKGND, 0, 0), 1);
  const HDC After = GetDC(P->Handle());
  EXPECT_EQ(GetPixel(After, 5, 5), RGB(0, 0, 0));
  ReleaseDC(P->Handle(), After);
}

TEST_F(SkinnedPanel, PrintWithoutASkinNeedsOnPaint) {
  Manager.reset();
  TsPanel* P = Panel(Form, "", 8, 8, 40, 30);
  auto Target = NewBitmap32(40, 30);
  const HDC DC = Target->Canvas()->Handle();
  FillDC(DC, Rect(0, 0, 40, 30), clFuchsia);
  EXPECT_EQ(SendMessageA(P->Handle(), WM_PRINT, WPARAM(DC), PRF_CLIENT), 0);
  EXPECT_EQ(GetPixel(DC, 20, 15), RGB(255, 0, 255));
  P->OnPaint = [](TObject*, TCanvas* Canvas) {
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(Rect(0, 0, 40, 30));
  };
  SendMessageA(P->Handle(), WM_PRINT, WPARAM(DC), PRF_CLIENT);
  EXPECT_EQ(GetPixel(DC, 20, 15), RGB(255, 0, 0));
}

TEST_F(SkinnedPanel, TheOuterBevelChoosesItsSection) {
  const struct {
    const char* Section;
    TBevelCut From, To;
    const char* Result;
  } Cases[] = {{"PANEL", bvRaised, bvLowered, "PANEL_LOW"}, {"TOOLBAR", bvRaised, bvLowered, "TOOLBAR"},
               {"PANEL", bvRaised, bvNone, "CHECKBOX"},     {"CHECKBOX", bvNone, bvRaised, "PANEL"},
               {"PANEL", bvRaised, bvSpace, "PANEL"},       {"PANEL_LOW", bvSpace, bvLowered, "PANEL_LOW"}};
  for (const auto& C : Cases) {
    TsPanel* P = Panel(Form, "", 8, 8, 50, 50);
    P->SetBevelOuter(C.From);
    P->SkinData()->SetSkinSection(C.Section);
    P->SetBevelOuter(C.To);
    EXPECT_EQ(P->SkinData()->SkinSection(), C.Result) << C.Section << " " << C.From << "->" << C.To;
    EXPECT_EQ(P->LastBevel(), C.To);
    P->Free();
  }
}

// A container whose window says it is updating while Busy.
class TBusyPanel : public TPanel {
 public:
  using TPanel::TPanel;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_SKINCMD && SkinCmdCode(M) == SkinCmdIsUpdating) {
      M.Result = Busy;
      return;
    }
    TPanel::WndProc(M);
  }
  bool Busy = true;
};

TEST_F(SkinnedPanel, APanelWaitsForItsUpdatingParent) {
  auto* Parent = Put<TBusyPanel>(Form, 8, 8, 200, 120);
  TsPanel* P = Panel(Parent, "GRADIENTPANEL", 10, 10, 100, 60);
  int Paints = 0;
  P->OnPaint = [&](TObject*, TCanvas*) { ++Paints; };
  PaintAll();
  EXPECT_EQ(Paints, 0);
  EXPECT_TRUE(P->SkinData()->Updating);
  Parent->Busy = false;
  NotifyChildrenUpdateFinished(Parent);
  EXPECT_EQ(Paints, 1);
  EXPECT_FALSE(P->SkinData()->Updating);
}

TEST_F(SkinnedPanel, RemovingTheSkinGivesThePlainLookAndApplyingRestoresIt) {
  TsPanel* P = Panel(Form, "", 8, 8, 120, 60);
  P->SetCaption("Painel");
  PaintAll();
  auto Skinned = ScreenOf(P->Handle());
  Manager->SetActive(false);
  auto* Plain = Put<TPanel>(Form, 140, 8, 120, 60);
  Plain->SetCaption("Painel");
  Plain->SetColor(P->Color());
  Plain->Font()->Assign(*P->Font());
  PaintAll();
  auto Removed = ScreenOf(P->Handle());
  auto Standard = ScreenOf(Plain->Handle());

  const TRect All = Rect(0, 0, 120, 60);
  EXPECT_TRUE(SamePixels(*Removed, All, *Standard, All));
  Manager->SetActive(true);
  PaintAll();
  auto Again = ScreenOf(P->Handle());
  EXPECT_TRUE(SamePixels(*Again, All, *Skinned, All));
}

TEST_F(SkinnedPanel, PaintingLeavesNoWindowsOrGdiObjects) {
  const int Windows = skintest::ThreadWindowCount();
  TsPanel* P = Panel(Form, "GRADIENTPANEL", 8, 8, 120, 60);
  Panel(P, "CLEARPANEL", 10, 10, 50, 30)->SetCaption("x");
  PaintAll();
  const int Free = FreeGdiHandles();
  for (int I = 0; I < 5; ++I) {
    P->SkinData()->Invalidate();
    PaintAll();
  }
  EXPECT_EQ(FreeGdiHandles(), Free);
  EXPECT_EQ(skintest::ThreadWindowCount(), Windows + 2);
  P->Free();
  EXPECT_EQ(skintest::ThreadWindowCount(), Windows);
}

}  // namespace
