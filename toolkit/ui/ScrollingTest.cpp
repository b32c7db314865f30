// Scroll bars, scroll boxes and splitters driven by the messages the system sends them: scroll
// notifications, keys and mouse drags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class ScrollingTest : public uitest::ControlsTest {};

TEST_F(ScrollingTest, ScrollBarFollowsItsKeysAndArrows) {
  auto* bar = Make<TScrollBar>(10, 10, 200, 17);
  bar->SetParams(10, 0, 100);
  bar->SetSmallChange(2);
  bar->SetLargeChange(20);
  bar->SetPageSize(10);
  const HWND w = bar->Handle();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(w, SB_CTL, &si);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 100);
  EXPECT_EQ(si.nPage, 10u);
  EXPECT_EQ(si.nPos, 10);

  std::vector<std::string> events;
  bar->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(bar->Position())); };
  bar->OnScroll = [&](TObject*, TScrollCode Code, int& Pos) {
    events.push_back("scroll " + std::to_string(Code) + " " + std::to_string(Pos));
  };
  // The bar's keys make it send its scroll codes to its parent, which hands them back.
  struct Case {
    WORD key;
    int position;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {VK_RIGHT, 12, {"scroll 1 12", "change 12"}},
      {VK_NEXT, 32, {"scroll 3 32", "change 32"}},
      {VK_LEFT, 30, {"scroll 0 30", "change 30"}},
      {VK_PRIOR, 10, {"scroll 2 10", "change 10"}},
      {VK_END, 91, {"scroll 7 91", "change 91"}},  // the thumb of 10 ends at 100
      {VK_RIGHT, 91, {"scroll 1 91"}},
      {VK_HOME, 0, {"scroll 6 0", "change 0"}},
  };
  for (const Case& c : cases) {
    events.clear();
    SendMessageA(w, WM_KEYDOWN, c.key, 0);
    SendMessageA(w, WM_KEYUP, c.key, 0);
    Pump();
    EXPECT_EQ(bar->Position(), c.position) << c.key;
    EXPECT_EQ(GetScrollPos(w, SB_CTL), c.position) << c.key;
    // Each key ends with SB_ENDSCROLL, which moves nothing.
    if (!events.empty() && events.back() == "scroll 8 " + std::to_string(c.position)) events.pop_back();
    EXPECT_EQ(events, c.events) << c.key;
  }

  // OnScroll may put the new position elsewhere.
  bar->OnScroll = [](TObject*, TScrollCode, int& Pos) { Pos = Pos / 5 * 5; };
  bar->SetPosition(40);
  SendMessageA(w, WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  EXPECT_EQ(bar->Position(), 40);
  // A click on the right arrow: the bar tracks the mouse until the button is let go.
  bar->OnScroll = nullptr;
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(bar->Width() - arrow / 2, 8));
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar->Width() - arrow / 2, 8));
  Pump();
  EXPECT_EQ(bar->Position(), 42);
  EXPECT_EQ(GetCapture(), nullptr);

  EXPECT_THROW(bar->SetPosition(101), EInvalidOperation);
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
  EXPECT_EQ(bar->Position(), 42);

  bar->SetKind(sbVertical);
  EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & SBS_VERT);
  EXPECT_EQ(bar->Width(), 17);
  EXPECT_EQ(bar->Height(), 200);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 42);
  events.clear();
  SendMessageA(bar->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(bar->Position(), 44);
  char cls[32] = {};
  GetClassNameA(bar->Handle(), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TScrollBar");
}

TEST_F(ScrollingTest, ScrollBoxScrollsItsChildren) {
  auto* box = Make<TScrollBox>(10, 10, 200, 150);
  auto* low = new TPanel(form);
  low->SetBounds(10, 300, 50, 50);
  low->SetParent(box);
  auto* shape = new TShape(form);
  shape->SetBounds(20, 20, 30, 30);
  shape->SetParent(box);
  TControlScrollBar* vert = box->VertScrollBar();
  TControlScrollBar* horz = box->HorzScrollBar();
  EXPECT_TRUE(box->AutoScroll());
  EXPECT_EQ(vert->Range(), 350);
  EXPECT_TRUE(vert->IsScrollBarVisible());
  EXPECT_FALSE(horz->IsScrollBarVisible());
  EXPECT_TRUE(GetWindowLongA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const int view = box->ClientHeight();

  // The window's own scroll messages move the children, windowed or not.
  struct Case {
    WORD code;
    int position;
  };
  const Case cases[] = {
      {SB_LINEDOWN, 8},
      {SB_PAGEDOWN, 8 + view * 9 / 10},
      {SB_LINEUP, view * 9 / 10},
      {SB_BOTTOM, 350 - view},
      {SB_PAGEDOWN, 350 - view},
      {SB_TOP, 0},
  };
  for (const Case& c : cases) {
    SendMessageA(box->Handle(), WM_VSCROLL, c.code, 0);
    Pump();
    EXPECT_EQ(vert->Position(), c.position) << c.code;
    EXPECT_EQ(GetScrollPos(box->Handle(), SB_VERT), c.position) << c.code;
    EXPECT_EQ(low->Top(), 300 - c.position) << c.code;
    RECT r{};
    GetWindowRect(low->Handle(), &r);
    MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 300 - c.position) << c.code;
    EXPECT_EQ(shape->Top(), 20 - c.position) << c.code;
  }

  // Brought into view: the panel's bottom at the bottom of the box.
  box->ScrollInView(low);
  EXPECT_EQ(low->Top() + low->Height(), view);
  vert->SetPosition(100);
  EXPECT_EQ(low->Top(), 200);
  // The range grows with the children.
  auto* wide = new TPanel(form);
  wide->SetBounds(0, 0, 400, 20);
  wide->SetParent(box);
  EXPECT_EQ(wide->Top(), 0);  // placed where it was asked, in the scrolled area's terms: 0 - 0
  EXPECT_EQ(horz->Range(), 400);
  EXPECT_TRUE(horz->IsScrollBarVisible());
  SendMessageA(box->Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(horz->Position(), 8);
  EXPECT_EQ(wide->Left(), -8);
  EXPECT_EQ(low->Left(), 2);

  // A range set by the program ends the automatic one.
  vert->SetRange(1000);
  EXPECT_FALSE(box->AutoScroll());
  EXPECT_EQ(vert->Range(), 1000);
  vert->SetPosition(5000);
  EXPECT_EQ(vert->Position(), 1000 - box->ClientHeight());
  // Hidden, a scroll bar scrolls back to the start.
  vert->SetVisible(false);
  EXPECT_FALSE(vert->IsScrollBarVisible());
  EXPECT_EQ(vert->Position(), 0);
  EXPECT_EQ(low->Top(), 300);
}

// Where a drag of the splitter leaves the control beside it.
struct SplitterCase {
  TAlign align;
  TResizeStyle style;
  bool autoSnap;
  int drag;         // pixels the mouse moves, right or down
  int sizeOnMove;   // the control's size while the button is still down
  int sizeAfter;    // and once it is let go (-1: as big as the others let it)
};

class SplitterTest : public uitest::ControlsTest, public testing::WithParamInterface<SplitterCase> {};

TEST_P(SplitterTest, DragResizesTheNeighbour) {
  const SplitterCase& c = GetParam();
  const bool vertical = c.align == alLeft;
  auto* side = new TPanel(form);
  side->SetAlign(c.align);
  side->SetBounds(0, 0, 100, 100);
  side->SetParent(form);
  auto* splitter = new TSplitter(form);
  splitter->SetAlign(c.align);
  splitter->SetBounds(vertical ? 200 : 0, vertical ? 0 : 200, vertical ? 3 : 50, vertical ? 50 : 3);
  splitter->SetParent(form);
  splitter->SetResizeStyle(c.style);
  splitter->SetAutoSnap(c.autoSnap);
  auto* rest = new TPanel(form);
  rest->SetAlign(alClient);
  rest->SetParent(form);
  ASSERT_EQ(vertical ? splitter->Left() : splitter->Top(), 100);
  EXPECT_EQ(splitter->Cursor(), vertical ? crHSplit : crVSplit);
  int moved = 0;
  splitter->OnMoved = [&](TObject*) { ++moved; };

  const HWND w = form->Handle();
  auto at = [&](int Offset) { return vertical ? MAKELPARAM(101 + Offset, 40) : MAKELPARAM(40, 101 + Offset); };
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(0));
  SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, at(c.drag));
  const int limit = (vertical ? form->ClientWidth() : form->ClientHeight()) - 3 - splitter->MinSize();
  const int expectedAfter = c.sizeAfter < 0 ? limit : c.sizeAfter;
  const int expectedOnMove = c.sizeOnMove < 0 ? limit : c.sizeOnMove;
  EXPECT_EQ(vertical ? side->Width() : side->Height(), expectedOnMove);
  SendMessageA(w, WM_LBUTTONUP, 0, at(c.drag));
  Pump();
  EXPECT_EQ(vertical ? side->Width() : side->Height(), expectedAfter);
  EXPECT_EQ(vertical ? splitter->Left() : splitter->Top(), expectedAfter);
  EXPECT_EQ(vertical ? rest->Left() : rest->Top(), expectedAfter + 3);
  EXPECT_EQ(moved, expectedAfter == 100 ? 0 : 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Drags, SplitterTest,
                         testing::Values(SplitterCase{alLeft, rsPattern, true, 60, 100, 160},
                                         SplitterCase{alLeft, rsLine, true, -40, 100, 60},
                                         SplitterCase{alLeft, rsUpdate, true, 60, 160, 160},
                                         SplitterCase{alLeft, rsNone, true, 1000, 100, -1},
                                         SplitterCase{alLeft, rsUpdate, false, -90, 30, 30},
                                         SplitterCase{alLeft, rsUpdate, true, -90, 0, 0},
                                         SplitterCase{alTop, rsPattern, true, 50, 100, 150},
                                         SplitterCase{alTop, rsUpdate, true, -20, 80, 80}));

}  // namespace
