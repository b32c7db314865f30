// Skinned menus over a small skin: measuring, the menus' backgrounds and window shapes, the drawing of
// items and the hooking of their handlers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include <commctrl.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinMenus.h"
#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

// Section colours as the skin text gives them (0xBBGGRR).
constexpr TColor ItemColor = 0x60A040, HotColor = 0xC02020;
constexpr TColor32 Radio = 0xFF00FF00;

// The master bitmap: the menu's border mask (12 × 12, 3-pixel corners with key pixels) at the origin,
// the radio glyph (10 × 10, green) beside it.
std::shared_ptr<TBitmap> MakeMaster() {
  std::shared_ptr<TBitmap> Master = NewBitmap32(40, 12);
  const TPixelView V = BitmapView(*Master);
  for (int Y = 0; Y < 12; ++Y)
    for (int X = 0; X < 40; ++X) *V.PixelPtr(X, Y) = X >= 20 && X < 30 && Y < 10 ? Radio : 0xFF606060;
  for (auto [X, Y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {11, 0}, {0, 11}, {11, 11}}) *V.PixelPtr(X, Y) = KeyPixel;
  return Master;
}

std::string SkinText(bool BorderMask) {
  std::string Text =
      "[MAINMENU]\nCOLOR=7360560\n"
      "[MENUITEM]\nSTATES=2\nCOLOR=6332480\nHOTCOLOR=12591136\nFONTCOLOR=0\nHOTFONTCOLOR=16777215\n"
      "[GLOBALINFO]\nCOLOR=12632256\nRADIOCHECKED=@0020@0000@0030@0010@1@0\n";
  if (BorderMask) Text += "[MAINMENU]\nBORDERSMASK=^0000^0000^0012^0012^0003^0003^0003^0003^1^0^0^0\n";
  return Text;
}

class SkinMenus : public testing::Test {
 protected:
  void SetUp() override {
    InitSkinEngine();
    Load(true);
    DefaultManager = &Manager;
    auto P = std::make_unique<TsSkinableMenus>(&Manager);
    Menus = P.get();
    Manager.SetMenuPainter(std::move(P));
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 300, 240);
    Form->Show();
    uitest::Pump();
  }
  void TearDown() override {
    Menus->SetActive(false);
    Form->Free();
    uitest::Pump();
    DefaultManager = nullptr;
  }
  void Load(bool BorderMask) {
    TsSkinModel Model = BuildSkinModel(SkinText(BorderMask), "", TsSkinManager::SystemInputs());
    Model.SkinData.Active = true;
    Manager.UseSkinModel(std::move(Model), MakeMaster());
  }
  TMenuItem* Item(TMenuItem* Parent, const std::string& Caption) {
    auto* I = new TMenuItem(Form);
    I->SetCaption(Caption);
    Parent->Add(I);
    return I;
  }
  TPopupMenu* Popup(std::initializer_list<const char*> Captions) {
    auto* M = new TPopupMenu(Form);
    for (const char* C : Captions) Item(M->Items(), C);
    M->SetWindowHandle(Form->Handle());
    Menus->HookPopupMenu(M, true);
    return M;
  }
  static TMenuSize Measure(TMenuItem* I, TCanvas* C) {
    int W = 0, H = 0;
    I->MeasureItem(C, W, H);
    return {W, H};
  }
  // Draws Item as Windows would: WM_DRAWITEM to the window that shows its menu.
  static void Draw(TMenuItem* I, HDC DC, const TRect& R, UINT State = 0) {
    DRAWITEMSTRUCT D{};
    D.CtlType = ODT_MENU;
    D.itemID = I->Command();
    D.itemState = State;
    D.hDC = DC;
    D.rcItem = R;
    D.itemData = reinterpret_cast<ULONG_PTR>(I);
    SendMessageA(I->GetParentMenu()->WindowHandle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&D));
  }
  // The first two items of a popup drawn one under the other, 24 rows each, into a 200 × 60 picture.
  static std::unique_ptr<TBitmap> DrawFirstTwo(TPopupMenu* M) {
    auto Target = std::make_unique<TBitmap>();
    Target->SetPixelFormat(pf32bit);
    Target->SetSize(200, 60);
    Draw(M->Items()->Items(0), Target->Canvas()->Handle(), Rect(0, 0, 200, 24));
    Draw(M->Items()->Items(1), Target->Canvas()->Handle(), Rect(0, 24, 200, 48));
    return Target;
  }
  static TColor32 Pixel(TBitmap& B, int X, int Y) { return *BitmapView(B).PixelPtr(X, Y) & 0xFFFFFF; }
  static int Channel(TColor32 C, int I) { return int(C >> (8 * I)) & 0xFF; }
  // The text metrics the painter measures with.
  struct TMetrics {
    int Text, Letter;
  };
  static TMetrics MetricsOf(TCanvas* C, const std::string& Text) {
    C->Font()->Assign(*Screen->MenuFont());
    const int Letter = C->TextHeight("W");
    RECT R{0, 0, 0, 0};
    DrawTextA(C->Handle(), Text.c_str(), -1, &R, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
    return {int(R.right - R.left), Letter};
  }

  TsSkinManager Manager{nullptr};
  TsSkinableMenus* Menus = nullptr;
  TForm* Form = nullptr;
};

TEST_F(SkinMenus, MeasuringTable) {
  TPopupMenu* M = Popup({"-", "Abrir", "-Opções-", "Sair"});
  auto Canvas = NewBitmap32(4, 4);
  TCanvas* C = Canvas->Canvas();
  const TMetrics Abrir = MetricsOf(C, "Abrir"), Caption = MetricsOf(C, "-Opções-");
  const int Quarter = (5 * Abrir.Letter + 2) / 4;  // the letter heights here are not ties
  EXPECT_EQ(Measure(M->Items()->Items(0), C).Height, 2);
  // No images: a 16 × 16 glyph column.
  EXPECT_EQ(Measure(M->Items()->Items(1), C), (TMenuSize{32 + Abrir.Text + 6 + 8, std::max(Quarter, 16) + 4}));
  EXPECT_EQ(Measure(M->Items()->Items(2), C), (TMenuSize{32 + Caption.Text + 6 + 8, Quarter + 4}));

  // The extra line widens the items up to a new column.
  Manager.MenuSupport()->SetUseExtraLine(true);
  Manager.MenuSupport()->SetExtraLineWidth(30);
  Manager.OnGetMenuExtraLineData = [](TMenuItem*, std::string&, std::string& Caption, TBitmap*&, bool&) {
    Caption = "Clínica";
  };
  M->Items()->Items(2)->SetBreak(mbBreak);
  EXPECT_EQ(Measure(M->Items()->Items(1), C).Width, 32 + Abrir.Text + 6 + 8 + 30);
  EXPECT_EQ(Measure(M->Items()->Items(3), C).Width, 32 + MetricsOf(C, "Sair").Text + 6 + 8);
}

TEST_F(SkinMenus, MenuBarItemsWithAndWithoutImage) {
  auto* Bar = new TMainMenu(Form);
  TMenuItem* Arquivo = Item(Bar->Items(), "&Arquivo");
  TMenuItem* Ajuda = Item(Bar->Items(), "Aj&uda");
  Menus->SetActive(true);
  ASSERT_TRUE(Arquivo->OnMeasureItem);
  auto Canvas = NewBitmap32(4, 4);
  TCanvas* C = Canvas->Canvas();
  const int Height = GetSystemMetrics(SM_CYMENU) - 1;
  EXPECT_EQ(Measure(Arquivo, C), (TMenuSize{MetricsOf(C, "Arquivo").Text, Height}));
  auto* Images = new TImageList(Form);
  Images->SetWidth(20);
  Bar->SetImages(Images);
  Ajuda->SetImageIndex(0);
  EXPECT_EQ(Measure(Ajuda, C), (TMenuSize{MetricsOf(C, "Ajuda").Text + 26, Height}));
  TBitmap Glyph;
  Glyph.SetSize(12, 12);
  Arquivo->SetBitmap(&Glyph);
  EXPECT_EQ(Measure(Arquivo, C), (TMenuSize{MetricsOf(C, "Arquivo").Text + 18, Height}));
}

TEST_F(SkinMenus, BackgroundIsBuiltOncePerMenuAndShapesTheWindow) {
  TPopupMenu* M = Popup({"Abrir", "Salvar"});
  HWND Shown = Form->Handle();
  Menus->WindowFinder = [&](HDC) { return Shown; };
  TBitmap Target;
  Target.SetPixelFormat(pf32bit);
  Target.SetSize(200, 60);
  Draw(M->Items()->Items(0), Target.Canvas()->Handle(), Rect(0, 0, 200, 24));
  ASSERT_EQ(Menus->CacheCount(), 1);
  TacMenuInfo* Info = Menus->FindMenuInfo(M->Items()->Items(0), 0, nullptr, 0);
  ASSERT_NE(Info, nullptr);
  TBitmap* Built = Info->Bmp.get();
  Draw(M->Items()->Items(1), Target.Canvas()->Handle(), Rect(0, 24, 200, 48), ODS_SELECTED);
  EXPECT_EQ(Menus->CacheCount(), 1);
  EXPECT_EQ(Menus->FindMenuInfo(M->Items()->Items(1), 0, nullptr, 0)->Bmp.get(), Built);
  // Drawn into the window the finder gave, whose shape the border mask's key pixels cut.
  EXPECT_EQ(Info->Wnd, Shown);
  RECT W{};
  GetWindowRect(Shown, &W);
  EXPECT_EQ(Built->Width(), W.right - W.left);
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Shown, Rgn), ERROR);
  const int Right = W.right - W.left - 1, Bottom = W.bottom - W.top - 1;
  for (auto [X, Y, In] : {std::tuple{0, 0, false}, {1, 0, false}, {0, 1, false}, {2, 0, true}, {1, 1, true},
                          {Right, 0, false}, {Right - 1, 0, true}, {0, Bottom, false}, {Right, Bottom, false},
                          {50, 50, true}})
    EXPECT_EQ(PtInRegion(Rgn, X, Y) != 0, In) << X << "," << Y;
  DeleteObject(Rgn);
  // The items show the skin: the selected one in the hot colour.
  EXPECT_EQ(Pixel(Target, 150, 4), SwapRB32(ItemColor));
  EXPECT_EQ(Pixel(Target, 150, 28), SwapRB32(HotColor));
  EXPECT_TRUE(MenuPainting);
  MenuPainting = false;
}

TEST_F(SkinMenus, WithoutAWindowTheMessageRoadShapesIt) {
  TPopupMenu* M = Popup({"Abrir", "Salvar"});
  Menus->WindowFinder = [](HDC) -> HWND { return nullptr; };
  DrawFirstTwo(M);
  // One message is posted to the application window however many items are drawn.
  MSG Msg;
  ASSERT_TRUE(PeekMessageA(&Msg, Application->Handle(), SM_MENUITEMSHOWN, SM_MENUWINDOWSHOWN, PM_REMOVE));
  EXPECT_EQ(Msg.lParam, reinterpret_cast<LPARAM>(M->Items()->Items(0)));
  EXPECT_FALSE(PeekMessageA(&Msg, Application->Handle(), SM_MENUITEMSHOWN, SM_MENUWINDOWSHOWN, PM_REMOVE));
  // The record was built at the computed size; the window found later gets its own and its shape.
  ASSERT_EQ(Menus->CacheCount(), 1);
  Menus->MenuWindowShown(Form->Handle(), M->Items()->Items(0));
  TacMenuInfo* Info = Menus->FindMenuInfo(M->Items()->Items(0), 0, nullptr, 0);
  ASSERT_NE(Info, nullptr);
  EXPECT_EQ(Info->Wnd, Form->Handle());
  RECT W{};
  GetWindowRect(Form->Handle(), &W);
  EXPECT_EQ(Info->Bmp->Width(), W.right - W.left);
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Form->Handle(), Rgn), ERROR);
  EXPECT_FALSE(PtInRegion(Rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(Rgn, 20, 20));
  DeleteObject(Rgn);
}

TEST_F(SkinMenus, SkinBorderWidthFromTheMask) {
  EXPECT_EQ(Menus->SkinBorderWidth(), 3);
  Load(false);
  Menus->SetSkinBorderWidth(-1);
  EXPECT_EQ(Menus->SkinBorderWidth(), 0);
  const std::vector<TPixelRect> Origin{{0, 0, 1, 1}};
  TPopupMenu* M = Popup({"Abrir"});
  EXPECT_EQ(Menus->FindMenuInfo(M->Items()->Items(0), 80, nullptr, 40)->Rgn, Origin);
}

TEST_F(SkinMenus, OwnHandlersStayWhenTheSkinGoes) {
  auto* M = new TPopupMenu(Form);
  TMenuItem* Plain = Item(M->Items(), "Abrir");
  TMenuItem* OwnDraw = Item(M->Items(), "Salvar");
  TMenuItem* OwnMeasure = Item(M->Items(), "Sair");
  int Own = 0;
  OwnDraw->OnAdvancedDrawItem = [&](TObject*, TCanvas*, const TRect&, TOwnerDrawState) { ++Own; };
  OwnMeasure->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++Own; };
  auto* Bar = new TMainMenu(Form);
  TMenuItem* Top = Item(Bar->Items(), "Arquivo");
  TMenuItem* TopOwn = Item(Bar->Items(), "Editar");
  TopOwn->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++Own; };
  TMenuItem* Sub = Item(Top, "Novo");

  Menus->SetActive(true);
  EXPECT_TRUE(M->OwnerDraw());
  EXPECT_TRUE(Bar->OwnerDraw());
  EXPECT_TRUE(Plain->OnAdvancedDrawItem.target<TsPopupItemDraw>());
  EXPECT_TRUE(Plain->OnMeasureItem.target<TsPopupItemMeasure>());
  EXPECT_TRUE(Sub->OnAdvancedDrawItem.target<TsPopupItemDraw>());
  EXPECT_TRUE(Top->OnAdvancedDrawItem.target<TsBarItemDraw>());
  EXPECT_FALSE(OwnDraw->OnAdvancedDrawItem.target<TsPopupItemDraw>());
  EXPECT_TRUE(OwnDraw->OnMeasureItem.target<TsPopupItemMeasure>());
  EXPECT_FALSE(OwnMeasure->OnMeasureItem.target<TsPopupItemMeasure>());
  EXPECT_FALSE(TopOwn->OnMeasureItem.target<TsBarItemMeasure>());

  Menus->SetActive(false);
  EXPECT_FALSE(M->OwnerDraw());
  EXPECT_FALSE(Bar->OwnerDraw());
  for (TMenuItem* I : {Plain, Sub, Top}) {
    EXPECT_FALSE(I->OnAdvancedDrawItem);
    EXPECT_FALSE(I->OnMeasureItem);
  }
  EXPECT_FALSE(OwnDraw->OnMeasureItem);
  ASSERT_TRUE(OwnDraw->OnAdvancedDrawItem);
  ASSERT_TRUE(OwnMeasure->OnMeasureItem);
  ASSERT_TRUE(TopOwn->OnMeasureItem);
  int W = 0, H = 0;
  OwnDraw->OnAdvancedDrawItem(OwnDraw, nullptr, TRect{}, 0);
  OwnMeasure->OnMeasureItem(OwnMeasure, nullptr, W, H);
  TopOwn->OnMeasureItem(TopOwn, nullptr, W, H);
  EXPECT_EQ(Own, 3);
}

TEST_F(SkinMenus, AControlsContextMenuIsHookedWhenAskedFor) {
  auto* Panel = skintest::MakeSkinned<TPanel>(Form, Form, "PANEL", Rect(10, 10, 110, 31));
  auto* M = new TPopupMenu(Form);
  TMenuItem* Abrir = Item(M->Items(), "Abrir");
  Panel->SetPopupMenu(M);
  // A point inside the panel: the form's default handling shows no menu of its own there.
  POINT P{50, 10};
  ClientToScreen(Panel->Handle(), &P);
  const LPARAM At = MAKELPARAM(P.x, P.y);
  SendMessageA(Panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Panel->Handle()), At);
  EXPECT_TRUE(M->OwnerDraw());
  EXPECT_TRUE(Abrir->OnAdvancedDrawItem.target<TsPopupItemDraw>());
  // Without skinned popups the menu is given back its own look.
  Manager.SetSkinnedPopups(false);
  SendMessageA(Panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Panel->Handle()), At);
  EXPECT_FALSE(M->OwnerDraw());
  EXPECT_FALSE(Abrir->OnAdvancedDrawItem);
  // Nor without a skin, skinned popups or not: there is nothing to draw them with.
  Manager.SetSkinnedPopups(true);
  Manager.SendRemoveSkin();
  SendMessageA(Panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Panel->Handle()), At);
  EXPECT_FALSE(M->OwnerDraw());
  EXPECT_FALSE(Abrir->OnAdvancedDrawItem);
}

TEST_F(SkinMenus, SkinSelectItemShowsNoExtraLine) {
  Manager.MenuSupport()->SetUseExtraLine(true);
  int Asked = 0;
  Manager.OnGetMenuExtraLineData = [&](TMenuItem*, std::string&, std::string&, TBitmap*&, bool&) { ++Asked; };
  TPopupMenu* Skins = Popup({"SkinSelectItem", "Azul"});
  TPopupMenu* Other = Popup({"Abrir", "Azul"});
  auto Canvas = NewBitmap32(4, 4);
  const int Plain = Measure(Skins->Items()->Items(1), Canvas->Canvas()).Width;
  EXPECT_EQ(Measure(Other->Items()->Items(1), Canvas->Canvas()).Width, Plain + 32);
  EXPECT_FALSE(Menus->FindMenuInfo(Skins->Items()->Items(1), 100, nullptr, 60)->HaveExtraLine);
  EXPECT_TRUE(Menus->FindMenuInfo(Other->Items()->Items(1), 100, nullptr, 60)->HaveExtraLine);
  EXPECT_GT(Asked, 0);
}

TEST_F(SkinMenus, DisabledItemsAreBlendedTowardTheBackground) {
  TPopupMenu* M = Popup({"Abrir", "Salvar"});
  M->Items()->Items(1)->SetEnabled(false);
  Menus->WindowFinder = [&](HDC) { return Form->Handle(); };
  const std::unique_ptr<TBitmap> Shown = DrawFirstTwo(M);
  TBitmap& Target = *Shown;
  // 40 % of the item's colour over the menu's.
  TBitmap* Bg = Menus->FindMenuInfo(M->Items()->Items(0), 0, nullptr, 0)->Bmp.get();
  const TColor32 Item = Pixel(Target, 150, 4), Back = Pixel(*Bg, 150, 28), Grey = Pixel(Target, 150, 28);
  for (int Ch = 0; Ch < 3; ++Ch) {
    const int Want = int(std::lround(Channel(Item, Ch) * 0.4 + Channel(Back, Ch) * 0.6));
    EXPECT_NEAR(Channel(Grey, Ch), Want, 1) << Ch;
  }
}

TEST_F(SkinMenus, CheckedRadioItemGetsRadioChecked) {
  TPopupMenu* M = Popup({"Azul", "Verde"});
  M->Items()->Items(1)->SetRadioItem(true);
  M->Items()->Items(1)->SetChecked(true);
  Menus->WindowFinder = [&](HDC) { return Form->Handle(); };
  const std::unique_ptr<TBitmap> Shown = DrawFirstTwo(M);
  TBitmap& Target = *Shown;
  // The glyph lies Margin from the left, centred in the item's 24 rows.
  EXPECT_EQ(Pixel(Target, 2 + 5, 24 + 12), Radio & 0xFFFFFF);
  EXPECT_NE(Pixel(Target, 2 + 5, 12), Radio & 0xFFFFFF);
}

TEST_F(SkinMenus, SystemMenuGlyphsComeOutInMarlett) {
  auto* M = new TPopupMenu(Form);
  M->SetName("acSysMenu123");
  TMenuItem* Close = Item(M->Items(), "Fechar");
  Close->SetTag(SC_CLOSE);
  M->SetWindowHandle(Form->Handle());
  Menus->HookPopupMenu(M, true);
  Menus->WindowFinder = [&](HDC) { return Form->Handle(); };
  TBitmap Target;
  Target.SetPixelFormat(pf32bit);
  Target.SetSize(200, 24);
  Draw(Close, Target.Canvas()->Handle(), Rect(0, 0, 200, 24));
  // The same glyph drawn in Marlett inks the same box.
  TBitmap Want;
  Want.SetPixelFormat(pf32bit);
  Want.SetSize(200, 24);
  FillRect32(&Want, Rect(0, 0, 200, 24), clWhite);
  TCanvas* C = Want.Canvas();
  C->Font()->SetName("Marlett");
  C->Font()->SetSize(10);
  const HDC DC = C->Handle();
  SelectObject(DC, C->Font()->Handle());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, 0);
  RECT R{4, 0, 20, 24};
  DrawTextA(DC, "r", 1, &R, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  // The box of the pixels that differ from the top-left one within the glyph column.
  auto InkBox = [](TBitmap& B) {
    const TColor32 Back = Pixel(B, 0, 0);
    TRect Box{100, 100, -1, -1};
    for (int Y = 0; Y < 24; ++Y)
      for (int X = 0; X < 22; ++X)
        if (Pixel(B, X, Y) != Back) {
          Box.left = std::min<LONG>(Box.left, X);
          Box.top = std::min<LONG>(Box.top, Y);
          Box.right = std::max<LONG>(Box.right, X);
          Box.bottom = std::max<LONG>(Box.bottom, Y);
        }
    return Box;
  };
  const TRect Got = InkBox(Target), Expected = InkBox(Want);

  ASSERT_GT(Expected.right - Expected.left, 3);
  EXPECT_NEAR(Got.left, Expected.left, 1);
  EXPECT_NEAR(Got.right, Expected.right, 1);
  EXPECT_NEAR(Got.top, Expected.top, 1);
  EXPECT_NEAR(Got.bottom, Expected.bottom, 1);
}

// What a real popup menu shows while it is open; the menu is closed once its loop is idle.
struct TOpenMenu {
  TsSkinableMenus* Menus;
  int Opened = 0, Shaped = 0, Recorded = 0;
};

LRESULT CALLBACK WatchMenuLoop(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data) {
  if (Msg == WM_ENTERIDLE && WParam == MSGF_MENU) {
    auto* Probe = reinterpret_cast<TOpenMenu*>(Data);
    const HWND MenuWnd = reinterpret_cast<HWND>(LParam);
    ++Probe->Opened;
    if (Probe->Menus->CacheCount() == 1 && Probe->Menus->FindMenuInfo(nullptr, 0, MenuWnd, 0)) ++Probe->Recorded;
    HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(MenuWnd, Rgn) != ERROR && !PtInRegion(Rgn, 0, 0) && PtInRegion(Rgn, 5, 5)) ++Probe->Shaped;
    DeleteObject(Rgn);
    EndMenu();
  }
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

TEST_F(SkinMenus, RealPopupsAreDrawnInTheirMenuWindowAndForgottenWhenClosed) {
  TPopupMenu* M = Popup({"Abrir", "-", "Sair"});
  TOpenMenu Probe{Menus};
  SetWindowSubclass(Form->Handle(), WatchMenuLoop, 1, reinterpret_cast<DWORD_PTR>(&Probe));
  // The system's own menu objects come and go with its timing, so GDI objects are counted by the
  // drawing cycles of the next test, not here.
  for (int Cycle = 0; Cycle < 50; ++Cycle) {
    M->Popup(20, 20);
    uitest::Pump();
  }
  RemoveWindowSubclass(Form->Handle(), WatchMenuLoop, 1);
  EXPECT_EQ(Probe.Opened, 50);
  EXPECT_EQ(Probe.Recorded, 50);
  EXPECT_EQ(Probe.Shaped, 50);
  EXPECT_EQ(Menus->CacheCount(), 0);
  MenuPainting = false;
}

TEST_F(SkinMenus, ClosedAndFreedMenusLeaveNoRecordsNorGdiObjects) {
  const int Before = FreeGdiHandles();
  for (int Cycle = 0; Cycle < 50; ++Cycle) {
    TPopupMenu* M = Popup({"Abrir", "-", "Sair"});
    auto* Wnd = new TForm(Application);
    Wnd->SetBounds(0, 0, 120, 80);
    Wnd->HandleNeeded();
    const HWND Shown = Wnd->Handle();
    Menus->WindowFinder = [&](HDC) { return Shown; };
    TBitmap Target;
    Target.SetPixelFormat(pf32bit);
    Target.SetSize(120, 80);
    for (int i = 0; i < 3; ++i) Draw(M->Items()->Items(i), Target.Canvas()->Handle(), Rect(0, 20 * i, 120, 20 * i + 20));
    ASSERT_EQ(Menus->CacheCount(), 1);
    // The window closes: its record goes.
    Wnd->Free();
    EXPECT_EQ(Menus->CacheCount(), 0);
    // A menu freed while its record lives takes the record with it.
    Menus->FindMenuInfo(M->Items()->Items(0), 100, nullptr, 50);
    EXPECT_EQ(Menus->CacheCount(), 1);
    M->Free();
    EXPECT_EQ(Menus->CacheCount(), 0);
  }
  Menus->WindowFinder = nullptr;
  EXPECT_EQ(FreeGdiHandles(), Before);
}

TEST_F(SkinMenus, AMenuRebuiltAtTheSameAddressShowsItsOwnBackground) {
  // Menus made and freed one after the other often reuse the freed item's memory.
  TMenuItem* Previous = nullptr;
  for (int Cycle = 0; Cycle < 4; ++Cycle) {
    TPopupMenu* M = Popup({"Abrir"});
    TMenuItem* First = M->Items()->Items(0);
    const int Width = 100 + 10 * Cycle;
    TacMenuInfo* Info = Menus->FindMenuInfo(First, Width, nullptr, 40);
    ASSERT_NE(Info, nullptr);
    EXPECT_EQ(Info->Bmp->Width(), Width) << (First == Previous ? "same address" : "new address");
    Previous = First;
    M->Free();
  }
  // A window of another size gets a background of its own size.
  TPopupMenu* M = Popup({"Abrir"});
  TBitmap* First = Menus->FindMenuInfo(M->Items()->Items(0), 100, nullptr, 40)->Bmp.get();
  EXPECT_EQ(Menus->FindMenuInfo(M->Items()->Items(0), 100, nullptr, 40)->Bmp.get(), First);
  EXPECT_EQ(Menus->FindMenuInfo(M->Items()->Items(0), 120, nullptr, 50)->Bmp->Height(), 50);
  EXPECT_EQ(Menus->CacheCount(), 1);
}

}  // namespace
