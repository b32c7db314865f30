// Tab controls, toolbars with their buttons and page scrollers: state read back from the comctl32
// windows, clicks sent to them as the mouse does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class ContainersTest : public uitest::ControlsTest {
 protected:
  // A button added at the end of Bar (its Left past the last one).
  TToolButton* AddButton(TToolBar* Bar, const std::string& Caption, TToolButtonStyle Style = tbsButton) {
    auto* b = new TToolButton(form);
    b->SetCaption(Caption);
    b->SetStyle(Style);
    b->SetLeft(10000);
    b->SetParent(Bar);
    return b;
  }
  // A left click in the middle of a tool button.
  static void ClickButton(TToolButton* B) {
    ClickAt(B->ToolBar()->Handle(), B->Left() + B->Width() / 2, B->Top() + B->Height() / 2);
  }
  static std::string ButtonText(TToolBar* Bar, int Id) {
    char text[64] = {};
    SendMessageA(Bar->Handle(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(Id), reinterpret_cast<LPARAM>(text));
    return text;
  }
};

TEST_F(ContainersTest, TabControlChangesTabsThroughClicks) {
  auto* tabs = Make<TTabControl>(10, 10, 300, 150);
  tabs->Tabs()->Add("Axial");
  tabs->Tabs()->Add("Tangencial");
  tabs->Tabs()->Add("Eleva\xE7\xE3o");
  tabs->SetTabIndex(0);
  const HWND w = tabs->Handle();
  EXPECT_EQ(SendMessageA(w, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(w, TCM_GETCURSEL, 0, 0), 0);
  // A child fills the area inside the tabs.
  auto* inner = new TPanel(form);
  inner->SetParent(tabs);
  inner->SetAlign(alClient);
  EXPECT_GT(inner->Top(), 10);
  EXPECT_LT(inner->Width(), 300);

  std::vector<std::string> events;
  bool allow = true;
  tabs->OnChanging = [&](TObject* Sender, bool& AllowChange) {
    EXPECT_EQ(Sender, tabs);
    events.push_back("changing " + std::to_string(tabs->TabIndex()));
    AllowChange = allow;
  };
  tabs->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(tabs->TabIndex())); };
  auto clickTab = [&](int Index) {
    RECT r{};
    SendMessageA(w, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    ClickAt(w, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  clickTab(2);
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 2"}));
  // A refused change leaves the tab where it was.
  allow = false;
  events.clear();
  clickTab(1);
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_EQ(SendMessageA(w, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(events, (std::vector<std::string>{"changing 2"}));
  // Setting TabIndex fires nothing.
  events.clear();
  tabs->SetTabIndex(1);
  EXPECT_EQ(SendMessageA(w, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(events.empty());

  // Tabs at the bottom: a new window with the same tabs and selection.
  tabs->SetTabPosition(tpBottom);
  EXPECT_TRUE(GetWindowLongA(tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
  EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_LT(inner->Top(), 10);
  // Losing the selected tab loses the selection.
  tabs->Tabs()->Delete(2);
  tabs->Tabs()->Delete(1);
  EXPECT_EQ(tabs->TabIndex(), -1);
  EXPECT_EQ(tabs->ClassName(), "TTabControl");
}

TEST_F(ContainersTest, ButtonsCreatedAtRunTimeShowInReverseOrderAndClick) {
  auto* bar = Make<TToolBar>(0, 0, 400, 30);
  EXPECT_EQ(bar->Align(), alTop);
  // Created with Left 0 on a toolbar that has buttons, each new one goes first.
  std::vector<std::string> clicked;
  for (const char* caption : {"Topografia", "Diferencial", "Axial"}) {
    auto* b = new TToolButton(form);
    b->SetCaption(caption);
    b->SetParent(bar);
    b->OnClick = [&clicked](TObject* Sender) { clicked.push_back(static_cast<TToolButton*>(Sender)->Caption()); };
  }
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(bar->Buttons(0)->Caption(), "Axial");
  EXPECT_EQ(bar->Buttons(1)->Caption(), "Diferencial");
  EXPECT_EQ(bar->Buttons(2)->Caption(), "Topografia");
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  for (int i = 0; i < 3; ++i) {
    TToolButton* b = bar->Buttons(i);
    EXPECT_EQ(b->Index(), i);
    EXPECT_EQ(b->ToolBar(), bar);
    RECT r{};
    SendMessageA(bar->Handle(), TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    const TRect bounds = b->BoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &r));
    EXPECT_EQ(b->Width(), bar->ButtonWidth());
  }
  EXPECT_LT(bar->Buttons(0)->Left(), bar->Buttons(1)->Left());

  ClickButton(bar->Buttons(1));
  ClickButton(bar->Buttons(0));
  EXPECT_EQ(clicked, (std::vector<std::string>{"Diferencial", "Axial"}));

  // The mouse over a button is over that button (for its hint), elsewhere over the toolbar.
  std::vector<std::string> mouse;
  TToolButton* middle = bar->Buttons(1);
  middle->OnMouseEnter = [&](TObject*) { mouse.push_back("enter"); };
  middle->OnMouseLeave = [&](TObject*) { mouse.push_back("leave"); };
  for (int x : {2, 6}) SendMessageA(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(middle->Left() + x, 5));
  EXPECT_EQ(detail::MouseControl(), middle);
  SendMessageA(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(bar->ClientWidth() - 5, 5));
  EXPECT_EQ(detail::MouseControl(), bar);
  EXPECT_EQ(mouse, (std::vector<std::string>{"enter", "leave"}));

  // A disabled button takes no click; a hidden one leaves its room to the next.
  TToolButton* axial = bar->Buttons(0);
  axial->SetEnabled(false);
  EXPECT_FALSE(SendMessageA(bar->Handle(), TB_ISBUTTONENABLED, 0, 0));
  clicked.clear();
  ClickButton(axial);
  EXPECT_TRUE(clicked.empty());
  axial->SetEnabled(true);
  bar->Buttons(1)->SetVisible(false);
  EXPECT_TRUE(SendMessageA(bar->Handle(), TB_ISBUTTONHIDDEN, 1, 0));
  EXPECT_EQ(bar->Buttons(2)->Left(), axial->Left() + axial->Width());
  // A freed button leaves the toolbar.
  bar->Buttons(1)->Free();
  EXPECT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 2);
  ClickButton(bar->Buttons(1));
  EXPECT_EQ(clicked, (std::vector<std::string>{"Topografia"}));
  EXPECT_EQ(bar->Buttons(1)->ClassName(), "TToolButton");
  char cls[32] = {};
  GetClassNameA(bar->Handle(), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TToolBar");
}

TEST_F(ContainersTest, CheckButtonsToggleAndGroupedOnesKeepOneDown) {
  auto* bar = Make<TToolBar>(0, 0, 400, 30);
  TToolButton* alfa = AddButton(bar, "Alfab\xE9tica", tbsCheck);
  TToolButton* criacao = AddButton(bar, "Cria\xE7\xE3o", tbsCheck);
  TToolButton* sep = AddButton(bar, "", tbsSeparator);
  TToolButton* localizar = AddButton(bar, "Localizar Paciente", tbsCheck);
  alfa->SetGrouped(true);
  criacao->SetGrouped(true);
  alfa->SetDown(true);
  EXPECT_EQ(sep->Width(), 8);
  EXPECT_EQ(bar->Buttons(3), localizar);
  auto checked = [&](TToolButton* B) { return SendMessageA(bar->Handle(), TB_ISBUTTONCHECKED, B->Index(), 0) != 0; };
  EXPECT_TRUE(checked(alfa));

  struct Step {
    TToolButton* click;
    bool alfa, criacao, localizar;
  };
  const Step steps[] = {
      {criacao, false, true, false},   // the other grouped button comes up
      {criacao, false, true, false},   // a down grouped button stays down
      {localizar, false, true, true},  // an ungrouped check button toggles on its own
      {alfa, true, false, true},
      {localizar, true, false, false},
  };
  int clicks = 0;
  for (TToolButton* b : {alfa, criacao, localizar}) b->OnClick = [&](TObject*) { ++clicks; };
  for (const Step& s : steps) {
    ClickButton(s.click);
    EXPECT_EQ(alfa->Down(), s.alfa);
    EXPECT_EQ(criacao->Down(), s.criacao);
    EXPECT_EQ(localizar->Down(), s.localizar);
    EXPECT_EQ(checked(alfa), s.alfa);
    EXPECT_EQ(checked(criacao), s.criacao);
    EXPECT_EQ(checked(localizar), s.localizar);
  }
  EXPECT_EQ(clicks, 5);
  // Set by the program: the group still keeps one down, and a button can be released.
  criacao->SetDown(true);
  EXPECT_FALSE(alfa->Down());
  EXPECT_TRUE(checked(criacao));
  EXPECT_FALSE(checked(alfa));
  criacao->SetDown(false);
  EXPECT_FALSE(checked(criacao));
  EXPECT_EQ(clicks, 5);
}

TEST_F(ContainersTest, ToolBarImagesSizesCaptionsAndControls) {
  auto* images = new TImageList(form);
  auto* hot = new TImageList(form);
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(32, 16);
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(Rect(0, 0, 16, 16));
  strip.Canvas()->Brush()->SetColor(clBlue);
  strip.Canvas()->FillRect(Rect(16, 0, 32, 16));
  images->Add(&strip, nullptr);
  hot->Add(&strip, nullptr);

  auto* bar = Make<TToolBar>(0, 0, 400, 30);
  bar->SetImages(images);
  bar->SetHotImages(hot);
  bar->SetDisabledImages(images);
  TToolButton* red = AddButton(bar, "Vermelho");
  TToolButton* blue = AddButton(bar, "Azul");
  red->SetImageIndex(0);
  blue->SetImageIndex(1);
  const HWND w = bar->Handle();
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(w, TB_GETIMAGELIST, 0, 0)), images->Handle());
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(w, TB_GETHOTIMAGELIST, 0, 0)), hot->Handle());
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(w, TB_GETDISABLEDIMAGELIST, 0, 0)), images->Handle());
  // Each button shows its picture in its middle.
  EXPECT_EQ(PixelAt(w, red->Left() + red->Width() / 2, red->Top() + red->Height() / 2), Rgb(clRed));
  EXPECT_EQ(PixelAt(w, blue->Left() + blue->Width() / 2, blue->Top() + blue->Height() / 2), Rgb(clBlue));

  // Button size, and a toolbar that fits its buttons.
  bar->SetButtonWidth(40);
  bar->SetButtonHeight(36);
  EXPECT_EQ(red->Width(), 40);
  EXPECT_EQ(red->Height(), 36);
  bar->SetAutoSize(true);
  EXPECT_EQ(bar->ClientHeight(), red->Top() + 36);
  EXPECT_EQ(bar->Width(), form->ClientWidth());  // aligned to the top: the width stays

  // Captions are shown only with ShowCaptions, but kept either way.
  EXPECT_EQ(ButtonText(bar, 0), "");
  bar->SetShowCaptions(true);
  EXPECT_EQ(ButtonText(bar, 0), "Vermelho");
  blue->SetCaption("Azul claro");
  EXPECT_EQ(ButtonText(bar, 1), "Azul claro");
  bar->SetFlat(true);
  EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 2);
  blue->SetAutoSize(true);
  TBBUTTONINFOA info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STYLE | TBIF_BYINDEX;
  SendMessageA(bar->Handle(), TB_GETBUTTONINFOA, 1, reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(info.fsStyle & BTNS_AUTOSIZE);

  // Another control on the toolbar takes a gap of its width after the buttons.
  auto* edit = new TEdit(form);
  edit->SetBounds(10000, 0, 80, 21);
  edit->SetParent(bar);
  EXPECT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
  EXPECT_EQ(edit->Left(), blue->Left() + blue->Width());
  edit->SetWidth(120);
  RECT gap{};
  SendMessageA(bar->Handle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&gap));
  EXPECT_EQ(gap.right - gap.left, 120);

  // An image list that goes away leaves the toolbar without it.
  hot->Free();
  EXPECT_EQ(bar->HotImages(), nullptr);
  EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETHOTIMAGELIST, 0, 0), 0);
}

TEST_F(ContainersTest, ToolBarCustomDrawEventsPaintTheBackgroundAndButtons) {
  auto* bar = Make<TToolBar>(0, 0, 400, 30);
  TToolButton* own = AddButton(bar, "Pr\xF3prio", tbsCheck);
  TToolButton* plain = AddButton(bar, "Comum");
  own->SetDown(true);
  std::vector<TCustomDrawState> ownStates;
  int afterButtons = 0, afterBar = 0;
  bar->OnAdvancedCustomDraw = [&](TToolBar* Sender, const TRect&, TCustomDrawStage Stage, bool&) {
    if (Stage == cdPostPaint) ++afterBar;
    if (Stage != cdPrePaint) return;
    Sender->Canvas()->Brush()->SetColor(clNavy);
    Sender->Canvas()->FillRect(Sender->ClientRect());
  };
  bar->OnAdvancedCustomDrawButton = [&](TToolBar* Sender, TToolButton* Button, TCustomDrawState State,
                                        TCustomDrawStage Stage, TTBCustomDrawFlags&, bool& DefaultDraw) {
    if (Stage == cdPostPaint) ++afterButtons;
    if (Stage != cdPrePaint || Button != own) return;
    ownStates.push_back(State);
    Sender->Canvas()->Brush()->SetColor(clLime);
    Sender->Canvas()->FillRect(Button->BoundsRect());
    DefaultDraw = false;
  };
  const HWND w = bar->Handle();
  EXPECT_EQ(PixelAt(w, own->Left() + own->Width() / 2, own->Top() + own->Height() / 2), Rgb(clLime));
  EXPECT_EQ(PixelAt(w, bar->ClientWidth() - 5, bar->ClientHeight() / 2), Rgb(clNavy));
  // The other button is drawn by the toolbar, after its own post-paint call.
  EXPECT_NE(PixelAt(w, plain->Left() + plain->Width() / 2, plain->Top() + plain->Height() / 2), Rgb(clLime));
  ASSERT_FALSE(ownStates.empty());
  EXPECT_TRUE(ownStates.back() & cdsChecked);
  EXPECT_GT(afterButtons, 0);
  EXPECT_GT(afterBar, 0);
}

TEST_F(ContainersTest, PageScrollerScrollsItsToolBar) {
  auto* scroller = Make<TPageScroller>(10, 10, 150, 40);
  auto* bar = new TToolBar(form);
  bar->SetAlign(alNone);
  bar->SetBounds(0, 0, 100, 30);
  bar->SetAutoSize(true);
  scroller->SetControl(bar);
  EXPECT_EQ(bar->Parent(), scroller);
  for (int i = 0; i < 12; ++i) AddButton(bar, "M" + std::to_string(i));
  // Not aligned to a side, the toolbar grows to hold its buttons.
  EXPECT_EQ(bar->Width(), 12 * bar->ButtonWidth());
  const HWND w = scroller->Handle();
  EXPECT_EQ(GetParent(bar->Handle()), w);
  EXPECT_EQ(SendMessageA(w, PGM_GETBUTTONSTATE, 0, PGB_BOTTOMORRIGHT) & PGF_NORMAL, PGF_NORMAL);
  EXPECT_EQ(scroller->Position(), 0);

  scroller->SetPosition(60);
  EXPECT_EQ(scroller->Position(), 60);
  Pump();
  RECT r{};
  GetWindowRect(bar->Handle(), &r);
  MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_LT(r.left, 0);
  // A click on the far scroll button scrolls further.
  scroller->SetButtonSize(14);
  EXPECT_EQ(SendMessageA(w, PGM_GETBUTTONSIZE, 0, 0), 14);
  // The scroll buttons lie outside the client area: the mouse's point in client terms.
  RECT window{};
  GetWindowRect(w, &window);
  POINT p{window.right - 3, (window.top + window.bottom) / 2};
  ScreenToClient(w, &p);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Pump();
  EXPECT_GT(scroller->Position(), 60);

  scroller->SetOrientation(soVertical);
  EXPECT_FALSE(GetWindowLongA(scroller->Handle(), GWL_STYLE) & PGS_HORZ);
  EXPECT_EQ(GetParent(bar->Handle()), scroller->Handle());
  bar->Free();
  EXPECT_EQ(scroller->Control(), nullptr);
  EXPECT_EQ(scroller->ClassName(), "TPageScroller");
}

}  // namespace
