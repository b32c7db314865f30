// The skinned push button on real windows under the program's own skin: its cache pictures, its looks
// under a real mouse with the fades driven by hand, its window region, its split part, the order of its
// focus changes and the glyph painter's cases.
#include "skin/controls/sButton.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "gen/skin/PngWriter.h"
#include "gen/skin/SkinDrawing.h"
#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/controls/sButtonTestSupport.h"
#include "skin/controls/sButtonGlyph.h"
#include "skin/controls/sPanel.h"
#include "skin/engine/acAlphaImageList.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sBorderPaint.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinProperties.h"

namespace {

using skintest::SkinnedFormTest;
using skintest::WaitFor;

// The colour of glyph I of the test list: a different one for each.
TColor32 GlyphColour(int I) { return Px(uint8_t(20 + I * 14), uint8_t(200 - I * 11), uint8_t(60 + I * 9)); }

// A 32 x 32 alpha list of sixteen glyphs: a square of the glyph's colour 4 pixels inside a clear frame.
TsAlphaImageList* GlyphList(TComponent* Owner) {
  auto* List = new TsAlphaImageList(Owner);
  List->SetWidth(32);
  List->SetHeight(32);
  for (int I = 0; I < 16; ++I) {
    std::vector<TColor32> Pixels(32 * 32, 0);
    for (int Y = 4; Y < 28; ++Y)
      for (int X = 4; X < 28; ++X) Pixels[Y * 32 + X] = GlyphColour(I);
    const Bytes File = EncodePngPicture({Pixels.data(), 32, 32, 32});
    TsImgListItem* Item = List->Items()->Add();
    Item->ImgData->WriteBuffer(File.data(), int64_t(File.size()));
  }
  List->GenerateStdList();
  return List;
}

COLORREF Rgb(TColor32 C) { return RGB((C >> 16) & 255, (C >> 8) & 255, C & 255); }

// Colours equal but for the rounding of an alpha draw.
bool Near(COLORREF A, COLORREF B, int Tolerance = 2) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}

int SleptMs = 0;
int SleepCalls = 0;
void WINAPI RecordSleep(DWORD Ms) {
  SleptMs += int(Ms);
  ++SleepCalls;
}

class SkinnedButton : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    SleptMs = SleepCalls = 0;
    Bindings().Sleep = RecordSleep;
    List = GlyphList(Form);
  }
  void TearDown() override {
    Bindings().Sleep = ::Sleep;
    // The mouse leaves whatever a test put under it.
    skintest::MoveCursorTo(Point(1000, 700));
    SkinnedFormTest::TearDown();
  }
  template <class T = TsButton>
  T* Button(int X, int Y, int W = 130, int H = 35, TWinControl* Parent = nullptr) {
    T* B = Put<T>(Parent ? Parent : Form, X, Y, W, H);
    B->SetCaption("Fechar");
    B->SetImages(List);
    B->SetImageIndex(13);
    return B;
  }
  static TPoint Centre(TWinControl* C) { return C->ClientToScreen(Point(C->Width() / 2, C->Height() / 2)); }
  static void Drive(TsButton* B) {
    for (int I = 0; I < 100 && B->FadeTimer(); ++I) B->FadeTimer()->Timer();
  }
  static void Press(bool Down) {
    INPUT In{};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &In, sizeof(INPUT));
  }
  static COLORREF CachePixel(TsButton* B, int X, int Y) {
    return skintest::BitmapPixel(*B->SkinData()->CacheBmp, X, Y);
  }
  static COLORREF GlyphCentre(TsButton* B) {
    const TsButtonRects R = B->Rects();
    return CachePixel(B, (R.Glyph.Left + R.Glyph.Right) / 2, (R.Glyph.Top + R.Glyph.Bottom) / 2);
  }
  TsAlphaImageList* List = nullptr;
};

TEST_F(SkinnedButton, CachePicturesOfTheLooksAndSections) {
  // Each look of a 130 x 35 "BUTTON" with glyphs 13 and 7, then "BUTTON_HUGE" and "TOOLBUTTON".
  TsPanel* Back = Put<TsPanel>(Form, 0, 0, 460, 340);
  Back->SkinData()->SetSkinSection("GRADIENTPANEL");
  TsButton* B = Button(10, 10, 130, 35, Back);
  PaintAll();
  std::unique_ptr<TBitmap> Sheet = NewBitmap32(130 * 4, 35 * 2 + 35 * 2);
  std::vector<TRect> Texts;
  auto Take = [&](int Col, int Row) {
    B->PrepareCache();
    BitBlt(Sheet->Canvas()->Handle(), Col * 130, Row * 35, B->Width(), B->Height(),
           B->SkinData()->CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    TRect T = Rect(B->Rects().Caption.Left, B->Rects().Caption.Top, B->Rects().Caption.Right,
                   B->Rects().Caption.Bottom);
    OffsetRect(&T, Col * 130, Row * 35);
    Texts.push_back(T);
  };
  for (int Row = 0; Row < 2; ++Row) {
    B->SetImageIndex(Row == 0 ? 13 : 7);
    B->SkinData()->MouseAbove = false;
    Take(0, Row);
    EXPECT_TRUE(Near(GlyphCentre(B), Rgb(GlyphColour(B->ImageIndex()))));
    B->SkinData()->MouseAbove = true;
    ASSERT_EQ(B->CurrentState(), 1);
    Take(1, Row);
    B->SkinData()->MouseAbove = false;
    B->SetDown(true);
    ASSERT_EQ(B->CurrentState(), 2);
    Take(2, Row);
    B->SetDown(false);
    B->SetEnabled(false);
    Take(3, Row);
    // Disabled: the whole picture blended over the parent, the glyph no longer its own colour.
    EXPECT_FALSE(Near(GlyphCentre(B), Rgb(GlyphColour(B->ImageIndex())), 8));
    B->SetEnabled(true);
  }
  B->SetImageIndex(13);
  B->SkinData()->SetSkinSection("BUTTON_HUGE");
  Take(0, 2);
  B->SkinData()->SetSkinSection("TOOLBUTTON");
  Take(1, 2);
  const auto Result = skintest::CompareShot(*Sheet, "skinned_buttons_cache", Texts);
  if (Result.Stored) GTEST_SKIP() << "reference picture written";
  EXPECT_LT(Result.Different, 0.02);
}

TEST_F(SkinnedButton, PublishedPropertiesAndDefaults) {
  TsButton* B = Button(10, 10);
  EXPECT_EQ(GetObjectProperty(B, "SkinData"), B->SkinData());
  EXPECT_EQ(B->SkinData()->SkinSection(), "BUTTON");
  EXPECT_EQ(B->SkinData()->ControlKind, 93);
  EXPECT_EQ(B->ContentMargin(), 6);
  EXPECT_EQ(B->FocusMargin(), 1);
  EXPECT_TRUE(B->WordWrap());
  EXPECT_TRUE(B->ShowFocus());
  EXPECT_EQ(B->AnimatEvents(), 1u << aeGlobalDef);
  EXPECT_EQ(B->DisabledKind(), 1u << dkBlended);
  EXPECT_EQ(GetWindowLongA(B->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  // One notification per real change of the margins, one for an Assign.
  int Told = 0;
  TImageMargins Other;
  Other.SetLeft(3);
  Other.SetTop(4);
  B->ImageMargins()->OnChange = [&](TObject*) { ++Told; };
  B->ImageMargins()->SetTop(4);
  B->ImageMargins()->SetTop(4);
  B->ImageMargins()->Assign(&Other);
  EXPECT_EQ(Told, 2);
  EXPECT_EQ(B->ImageMargins()->Left(), 3);
  // The same index does nothing; a freed list is dropped.
  PaintAll();
  EXPECT_FALSE(B->SkinData()->BGChanged);
  B->SetImageIndex(13);
  EXPECT_FALSE(B->SkinData()->BGChanged);
  B->SetImageIndex(7);
  EXPECT_TRUE(B->SkinData()->BGChanged);
  List->Free();
  List = nullptr;
  EXPECT_EQ(B->Images(), nullptr);
}

TEST_F(SkinnedButton, HoverPressAndReleaseThroughTheMouse) {
  TsButton* B = Button(40, 40);
  TsButton* Other = Button(40, 100);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  PaintAll();
  // Released inside the press fade: the pressed look held for 30 ms, then the release fade.
  ASSERT_NO_FATAL_FAILURE(skintest::ExpectQuickPress(B, Clicks, SleptMs));
  EXPECT_EQ(SleepCalls, 1);
  // Released after the press fade finished: no hold.
  Press(true);
  ASSERT_TRUE(WaitFor([&] { return B->CurrentState() == 2; }));
  Drive(B);
  Press(false);
  ASSERT_TRUE(WaitFor([&] { return Clicks == 2; }));
  EXPECT_EQ(SleepCalls, 1);
  Drive(B);
  // Leaving gives the normal look.
  skintest::MoveCursorTo(Point(1000, 700));
  ASSERT_TRUE(WaitFor([&] { return !B->SkinData()->MouseAbove; }));
  Drive(B);
  // Still hot while it has the focus the click gave it.
  EXPECT_EQ(B->CurrentState(), 1);
  Other->SetFocus();
  EXPECT_EQ(B->CurrentState(), 0);
}

TEST_F(SkinnedButton, ASkinAnnouncedWithoutRepaintGivesTheSection) {
  TsButton* B = Button(10, 10);
  PaintAll();
  B->SkinData()->SkinIndex = -1;
  // A manager's loading end announces its skin again without repainting the forms: the button finds its
  // section while the skin is announced.
  Manager->Loaded();
  EXPECT_EQ(B->SkinData()->SkinIndex, Manager->GetSkinIndex("BUTTON"));
  EXPECT_TRUE(B->SkinData()->IsSkinActive());
}

TEST_F(SkinnedButton, DownDefaultAndDisabledLooks) {
  TsButton* Down = Button(10, 10);
  Down->SetDown(true);
  TsButton* Default = Button(150, 10);
  Default->SetDefault(true);
  TsButton* Off = Button(290, 10);
  Off->SetEnabled(false);
  PaintAll();
  EXPECT_EQ(Down->CurrentState(), 2);
  EXPECT_EQ(Default->CurrentState(), 1);
  int Clicks = 0;
  Off->OnClick = [&](TObject*) { ++Clicks; };
  skintest::ClickAtScreen(Centre(Off));
  uitest::Pump();
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Off->SkinData()->MouseAbove);
  EXPECT_EQ(Off->FadeTimer(), nullptr);
  EXPECT_EQ(Off->CurrentState(), 0);
}

TEST_F(SkinnedButton, TheRegionFollowsTheBordersCorners) {
  TsPanel* Back = Put<TsPanel>(Form, 0, 0, 460, 340);
  Back->SkinData()->SetSkinSection("GRADIENTPANEL");
  struct TStrips : TsButton {
    using TsButton::TsButton;
    void InvalidateParentStrip(const TRect& R) override {
      Strips.push_back(R);
      TsButton::InvalidateParentStrip(R);
    }
    std::vector<TRect> Strips;
  };
  // The program's own skin cuts only the huge button to its corners.
  auto* B = Button<TStrips>(20, 20, 130, 35, Back);
  B->SkinData()->SetSkinSection("BUTTON_HUGE");
  PaintAll();
  const TsMaskData& Mask = Manager->Tables().Masks[B->SkinData()->BorderIndex];
  ASSERT_EQ(Mask.CornerType, 2);
  // The region the border painter cuts for a button of this size.
  HRGN Expected = CreateRectRgn(0, 0, 130, 35);
  std::unique_ptr<TBitmap> Scratch = NewBitmap32(130, 35);
  PaintBorderMask(Scratch.get(), Expected, false, B->CurrentState(), PieceView(Mask));
  HRGN Got = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(B->Handle(), Got), ERROR);
  EXPECT_TRUE(EqualRgn(Got, Expected));
  EXPECT_TRUE(PtInRegion(Got, 65, 17));
  DeleteObject(Expected);
  // Smaller: three strips of the parent along the old right and bottom edges.
  B->SetBounds(20, 20, 100, 30);
  PaintAll();
  EXPECT_EQ(B->Strips.size(), 3u);
  for (const TRect& S : B->Strips) {
    EXPECT_LE(S.right, 150);
    EXPECT_LE(S.bottom, 55);
    EXPECT_GT(S.right - S.left, 0);
    EXPECT_GT(S.bottom - S.top, 0);
  }
  // Without a skin: no region, the standard owner-drawn look.
  SendSkinCmd(B->Handle(), SkinCmdRemoveSkin, reinterpret_cast<LPARAM>(Manager.get()));
  B->SkinData()->SkinIndex = -1;
  PaintAll();
  EXPECT_EQ(GetWindowRgn(B->Handle(), Got), ERROR);
  DeleteObject(Got);
  const COLORREF Edge = skintest::ScreenPixel(B->Handle(), B->Width() - 1, B->Height() / 2);
  EXPECT_EQ(Edge, COLORREF(GetSysColor(COLOR_3DDKSHADOW)));
}

TEST_F(SkinnedButton, TheSplitPartOpensItsMenuBelowWithoutAClick) {
  struct TRecordingMenu : TPopupMenu {
    using TPopupMenu::TPopupMenu;
    void Popup(int X, int Y) override { At = Point(X, Y), ++Shown; }
    TPoint At{0, 0};
    int Shown = 0;
  };
  auto* Menu = new TRecordingMenu(Form);
  TsButton* B = Button(40, 40);
  B->SetStyle(bsSplitButton);
  B->SetDropDownMenu(Menu);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  PaintAll();
  skintest::ClickAtScreen(B->ClientToScreen(Point(B->Width() - 8, 10)));
  ASSERT_TRUE(WaitFor([&] { return Menu->Shown == 1; }));
  uitest::Pump();
  EXPECT_EQ(Menu->At.x, B->ClientToScreen(Point(0, 0)).x);
  EXPECT_EQ(Menu->At.y, B->ClientToScreen(Point(0, B->Height())).y);
  EXPECT_EQ(Clicks, 0);
  skintest::ClickAtScreen(B->ClientToScreen(Point(20, 10)));
  ASSERT_TRUE(WaitFor([&] { return Clicks == 1; }));
  EXPECT_EQ(Menu->Shown, 1);
  Menu->Free();
  EXPECT_EQ(B->DropDownMenu(), nullptr);
}

TEST_F(SkinnedButton, EveryStopEndsARunningFade) {
  TsButton* B = Button(40, 40);
  PaintAll();
  const std::vector<std::function<void()>> Stops = {
      [&] { SendSkinCmd(B->Handle(), SkinCmdSkinChanged, reinterpret_cast<LPARAM>(Manager.get())); },
      [&] { SendSkinCmd(B->Handle(), SkinCmdRefresh, reinterpret_cast<LPARAM>(Manager.get())); },
      [&] { SendSkinCmd(B->Handle(), SkinCmdStopAnimation, 0); },
      [&] { B->SetEnabled(false); },
  };
  for (size_t I = 0; I < Stops.size(); ++I) {
    B->SetEnabled(true);
    PaintAll();
    B->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_NE(B->FadeTimer(), nullptr) << I;
    EXPECT_EQ(LiveFadeTimers(), 1);
    Stops[I]();
    EXPECT_EQ(B->FadeTimer(), nullptr) << I;
    EXPECT_EQ(LiveFadeTimers(), 0) << I;
    B->Perform(CM_MOUSELEAVE, 0, 0);
    Drive(B);
  }
}

TEST_F(SkinnedButton, FocusChangesRunWithRedrawOff) {
  struct TSeq : TsButton {
    using TsButton::TsButton;
    void WndProc(TMessage& M) override {
      if (M.Msg == WM_SETREDRAW) Seq.push_back(M.WParam ? "redraw on" : "redraw off");
      if (M.Msg == WM_SETFOCUS) Seq.push_back("focus");
      if (M.Msg == WM_KILLFOCUS) Seq.push_back("kill");
      TsButton::WndProc(M);
    }
    std::vector<std::string> Seq;
  };
  auto* A = Button<TSeq>(10, 10);
  auto* B = Button<TSeq>(150, 10);
  PaintAll();
  A->SetFocus();
  uitest::Pump();
  A->Seq.clear();
  B->Seq.clear();
  B->SetFocus();
  uitest::Pump();
  const std::vector<std::string> Lost = {"kill", "redraw off", "redraw on"};
  const std::vector<std::string> Got = {"focus", "redraw off", "redraw on"};
  ASSERT_GE(A->Seq.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(A->Seq.begin(), A->Seq.begin() + 3), Lost);
  ASSERT_GE(B->Seq.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(B->Seq.begin(), B->Seq.begin() + 3), Got);
}

TEST_F(SkinnedButton, AFocusChangeLeavesNothingUnpainted) {
  TsButton* B = Button(10, 10);
  PaintAll();
  // What the screen showed while redraw was off is painted again afterwards.
  const HDC DC = GetDC(B->Handle());
  FillDC(DC, Rect(0, 0, B->Width(), B->Height()), clBlack);
  ReleaseDC(B->Handle(), DC);
  B->Perform(CM_FOCUSCHANGED, 0, 0);
  uitest::Pump();
  GdiFlush();
  EXPECT_NE(skintest::ScreenPixel(B->Handle(), 100, 4), RGB(0, 0, 0));
}

// ---- The glyph painter's cases

class GlyphPainter : public SkinnedButton {
 protected:
  // A 32-bit glyph strip of Cells cells of 16 x 16, cell i filled with Colour(i) at Alpha.
  static std::unique_ptr<TBitmap> Strip(int Cells, uint8_t Alpha) {
    std::unique_ptr<TBitmap> Bmp = NewBitmap32(16 * Cells, 16);
    const TPixelView V = BitmapView(Bmp.get());
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16 * Cells; ++X) *V.PixelPtr(X, Y) = (GlyphColour(X / 16) & 0xFFFFFF) | (TColor32(Alpha) << 24);
    return Bmp;
  }
  TBtnGlyphInput Input(TsButton* B, TBitmap* Glyph) {
    TBtnGlyphInput G;
    G.Glyph = Glyph;
    G.GlyphRect = Rect(10, 10, 26, 26);
    G.Control = B;
    G.SkinData = B->SkinData();
    return G;
  }
};

TEST_F(GlyphPainter, TheStateChoosesTheCellOfAStrip) {
  TsButton* B = Button(10, 10);
  PaintAll();
  auto Glyph = Strip(2, 255);
  TBtnGlyphInput G = Input(B, Glyph.get());
  G.NumGlyphs = 2;
  G.State = 2;
  DrawBtnGlyph(G, nullptr);
  EXPECT_TRUE(Near(CachePixel(B, 18, 18), Rgb(GlyphColour(1))));
  G.State = 0;
  DrawBtnGlyph(G, nullptr);
  EXPECT_TRUE(Near(CachePixel(B, 18, 18), Rgb(GlyphColour(0))));
  // A count below 1 counts as 1; a strip narrower than its cells is not read past its end.
  G.NumGlyphs = 0;
  G.State = 2;
  DrawBtnGlyph(G, nullptr);
  EXPECT_TRUE(Near(CachePixel(B, 18, 18), Rgb(GlyphColour(0))));
  G.NumGlyphs = 4;
  G.State = 3;
  DrawBtnGlyph(G, nullptr);
}

TEST_F(GlyphPainter, ADisabledAlphaListGlyphBlendsAtLeastHalf) {
  TsButton* B = Button(10, 10);
  B->SetEnabled(false);
  PaintAll();
  auto Draw = [&](int Blend) {
    B->SkinData()->CacheBmp->Canvas()->Brush()->SetColor(clBlack);
    B->SkinData()->CacheBmp->Canvas()->FillRect(Rect(0, 0, 130, 35));
    TBtnGlyphInput G = Input(B, nullptr);
    G.Images = List;
    G.ImageIndex = 3;
    G.Blend = Blend;
    G.DisabledGlyphKind = 1u << dgBlended;
    DrawBtnGlyph(G, nullptr);
    return CachePixel(B, 26, 26);
  };
  const COLORREF At20 = Draw(20), At50 = Draw(50);
  EXPECT_EQ(At20, At50);
  const COLORREF Full = Rgb(GlyphColour(3));
  EXPECT_NEAR(GetRValue(At50), GetRValue(Full) / 2, 2);
  EXPECT_NEAR(GetGValue(At50), GetGValue(Full) / 2, 2);
}

TEST_F(GlyphPainter, AGlyphWithoutOpaquePixelsStaysAsItWasSet) {
  TsButton* B = Button(10, 10);
  B->SetEnabled(false);
  PaintAll();
  auto Glyph = Strip(1, 200);
  const TPixelView Before = BitmapView(Glyph.get());
  std::vector<TColor32> Pixels(Before.Bits, Before.Bits + 16 * 16);
  int Changes = 0;
  Glyph->OnChange = [&](TObject*) { ++Changes; };
  DrawBtnGlyph(Input(B, Glyph.get()), nullptr);
  EXPECT_EQ(Glyph->PixelFormat(), pf32bit);
  const TPixelView After = BitmapView(Glyph.get());
  EXPECT_EQ(std::vector<TColor32>(After.Bits, After.Bits + 16 * 16), Pixels);
  EXPECT_EQ(Changes, 0);
}

TEST_F(GlyphPainter, AListToolbarGlyphSitsFiveFromTheLeft) {
  auto* Bar = Put<TToolBar>(Form, 0, 0, 300, 40);
  Bar->SetImages(List);
  Bar->SetList(true);
  auto* Tool = new TToolButton(Form);
  Tool->SetParent(Bar);
  Tool->SetImageIndex(5);
  std::unique_ptr<TBitmap> Bmp = NewBitmap32(Tool->Width(), Tool->Height());
  DrawToolButtonGlyph(Bar, Tool, 0, Bmp.get());
  const int Y = Tool->Height() / 2;
  // The square lies 4 inside the glyph: from x 5 + 4 on.
  EXPECT_FALSE(Near(skintest::BitmapPixel(*Bmp, 8, Y), Rgb(GlyphColour(5))));
  EXPECT_TRUE(Near(skintest::BitmapPixel(*Bmp, 9, Y), Rgb(GlyphColour(5))));
  EXPECT_TRUE(IsNeverSkinnedClass("TApplication"));
  EXPECT_TRUE(IsNeverSkinnedClass("TfcPopup"));
  EXPECT_FALSE(IsNeverSkinnedClass("TForm"));
}

}  // namespace
