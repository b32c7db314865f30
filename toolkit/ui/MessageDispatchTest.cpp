// The message order the skin's controls and adapters rely on, recorded by a subclassing object
// that replaces WindowProc the way they do.
#include <gtest/gtest.h>

#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;
using uitest::TRecorder;

// A windowed control that answers its reflected notifications.
class TReflecting : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<UINT> reflected;

  void Dispatch(TMessage& Message) override {
    if (Message.Msg >= CN_BASE && Message.Msg < CN_BASE + 0x400) {
      reflected.push_back(Message.Msg);
      Message.Result = 77;
      return;
    }
    TCustomControl::Dispatch(Message);
  }
};

class TPainted : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
};

class MessageDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(10, 10, 300, 200);
    panel = new TReflecting(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 100);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->Free();
    Pump();
  }
  TForm* form = nullptr;
  TReflecting* panel = nullptr;
};

TEST_F(MessageDispatchTest, WindowProcIsReplacedAndRestoredOnlyWhileStillInPlace) {
  const TWndMethod original = panel->WindowProc;
  EXPECT_TRUE(original == TWndMethod(static_cast<TControl*>(panel), &TControl::WndProc));
  {
    TRecorder outer(panel);
    TRecorder inner(panel);
    panel->Perform(CM_TEXTCHANGED, 0, 0);
    EXPECT_EQ(outer.Log(), std::vector<UINT>{CM_TEXTCHANGED});
    EXPECT_EQ(inner.Log(), std::vector<UINT>{CM_TEXTCHANGED});
    // The outer one goes first: its method is no longer in place, so it must not restore.
    outer.Release();
    EXPECT_TRUE(inner.Hooked());
    panel->Perform(CM_TEXTCHANGED, 0, 0);
    EXPECT_EQ(inner.Log().size(), 2u);
  }
  // The inner one put back what it saved: the outer recorder's method. Restore by hand.
  panel->WindowProc = original;
  EXPECT_TRUE(panel->WindowProc == original);
}

TEST_F(MessageDispatchTest, PerformAndWindowMessagesBothReachWindowProc) {
  TRecorder rec(panel, {WM_USER + 5, CM_INVALIDATE});
  panel->Perform(WM_USER + 5, 1, 2);
  SendMessageA(panel->Handle(), WM_USER + 5, 3, 4);
  panel->Invalidate();
  EXPECT_EQ(rec.Log(), (std::vector<UINT>{WM_USER + 5, WM_USER + 5, CM_INVALIDATE}));
}

TEST_F(MessageDispatchTest, PropertyChangesSendTheirNotifications) {
  TRecorder rec(panel, {CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_SHOWINGCHANGED, CM_TEXTCHANGED, CM_FONTCHANGED,
                        CM_COLORCHANGED, WM_SETTEXT});
  struct Step {
    std::function<void()> change;
    std::vector<UINT> expected;
  };
  const Step steps[] = {
      {[&] { panel->SetEnabled(false); }, {CM_ENABLEDCHANGED}},
      {[&] { panel->SetEnabled(false); }, {}},
      {[&] { panel->SetVisible(false); }, {CM_VISIBLECHANGED, CM_SHOWINGCHANGED}},
      {[&] { panel->SetVisible(true); }, {CM_VISIBLECHANGED, CM_SHOWINGCHANGED}},
      {[&] { panel->SetCaption("Olá"); }, {WM_SETTEXT, CM_TEXTCHANGED}},
      {[&] { panel->SetCaption("Olá"); }, {}},
      {[&] { panel->Font()->SetSize(14); }, {CM_FONTCHANGED}},
      {[&] { panel->SetColor(clRed); }, {CM_COLORCHANGED}},
  };
  for (const Step& s : steps) {
    rec.Clear();
    s.change();
    EXPECT_EQ(rec.Log(), s.expected);
  }
  EXPECT_FALSE(IsWindowEnabled(panel->Handle()));
  EXPECT_EQ(panel->Caption(), "Olá");
  char text[16] = {};
  GetWindowTextA(panel->Handle(), text, sizeof(text));
  EXPECT_STREQ(text, "Olá");
}

TEST_F(MessageDispatchTest, ShowingChangedWrapsTheShowWindowCall) {
  TRecorder rec(panel, {CM_SHOWINGCHANGED});
  std::vector<bool> visibleBefore;
  rec.OnMessage = [&](TMessage&) { visibleBefore.push_back(IsWindowVisible(panel->WindowHandle()) != FALSE); };
  panel->Hide();
  panel->Show();
  ASSERT_EQ(visibleBefore.size(), 2u);
  // The window is still shown when the notice of hiding arrives, and still hidden when the notice
  // of showing arrives: a subclassing object can act before and after the platform's call.
  EXPECT_TRUE(visibleBefore[0]);
  EXPECT_FALSE(visibleBefore[1]);
  EXPECT_TRUE(IsWindowVisible(panel->WindowHandle()));
}

TEST_F(MessageDispatchTest, ParentFontAndColorFollowTheParent) {
  auto* child = new TReflecting(form);
  child->SetParent(panel);
  EXPECT_TRUE(child->ParentFont());
  TRecorder rec(child, {CM_PARENTFONTCHANGED, CM_FONTCHANGED, CM_PARENTCOLORCHANGED, CM_COLORCHANGED});
  panel->Font()->SetName("Arial");
  EXPECT_EQ(child->Font()->Name(), "Arial");
  EXPECT_TRUE(child->ParentFont());
  panel->SetColor(clYellow);
  EXPECT_EQ(child->Color(), clYellow);
  EXPECT_EQ(rec.Log(), (std::vector<UINT>{CM_PARENTFONTCHANGED, CM_FONTCHANGED, CM_PARENTCOLORCHANGED,
                                          CM_COLORCHANGED}));
  child->SetColor(clBlue);
  EXPECT_FALSE(child->ParentColor());
  panel->SetColor(clGreen);
  EXPECT_EQ(child->Color(), clBlue);
}

TEST_F(MessageDispatchTest, ChildNotificationsAreReflectedBackAsCN) {
  HWND button = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20, form->Handle(),
                                reinterpret_cast<HMENU>(101), GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(button);
  // A notification from one of our controls reaches that control as CN_COMMAND with its result.
  const LRESULT r = SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(5, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(panel->Handle()));
  EXPECT_EQ(r, 77);
  NMHDR nm{panel->Handle(), 5, static_cast<UINT>(-2)};
  SendMessageA(form->Handle(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(panel->reflected, (std::vector<UINT>{CN_COMMAND, CN_NOTIFY}));
  // A window that is not ours gets the platform's handling.
  EXPECT_EQ(SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), reinterpret_cast<LPARAM>(button)), 0);
  EXPECT_EQ(panel->reflected.size(), 2u);
  DestroyWindow(button);
}

TEST_F(MessageDispatchTest, MouseEnterAndLeaveFromTrackMouseEvent) {
  auto* shape = new TPainted(form);
  shape->SetParent(form);
  shape->SetBounds(220, 20, 40, 40);
  TRecorder panelRec(panel, {CM_MOUSEENTER, CM_MOUSELEAVE});
  TRecorder shapeRec(shape, {CM_MOUSEENTER, CM_MOUSELEAVE});
  std::vector<std::string> events;
  panel->OnMouseEnter = [&](TObject*) { events.push_back("panel enter"); };
  panel->OnMouseLeave = [&](TObject*) { events.push_back("panel leave"); };
  shape->OnMouseEnter = [&](TObject*) { events.push_back("shape enter"); };
  shape->OnMouseLeave = [&](TObject*) { events.push_back("shape leave"); };
  const TPoint p = panel->ClientToScreen(Point(50, 50));
  SetCursorPos(p.x, p.y);
  SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
  const TPoint q = form->ClientToScreen(Point(230, 30));
  SetCursorPos(q.x, q.y);
  SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(230, 30));
  SetCursorPos(0, 0);
  // The platform checks the tracked window at the hover interval (400 ms by default).
  Pump(1000);
  EXPECT_EQ(events, (std::vector<std::string>{"panel enter", "panel leave", "shape enter", "shape leave"}));
  EXPECT_EQ(panelRec.Log(), (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
  EXPECT_EQ(shapeRec.Log(), (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
}

TEST_F(MessageDispatchTest, RecreateWindowKeepsStateAndNotifiesThroughWindowProc) {
  panel->SetCaption("antes");
  HWND before = panel->Handle();
  TRecorder rec(panel, {CM_RECREATEWND, CM_SHOWINGCHANGED});
  panel->RecreateWnd();
  EXPECT_FALSE(IsWindow(before));
  ASSERT_TRUE(panel->HandleAllocated());
  EXPECT_NE(panel->WindowHandle(), before);
  EXPECT_EQ(panel->Caption(), "antes");
  EXPECT_TRUE(IsWindowVisible(panel->WindowHandle()));
  EXPECT_EQ(FindControl(panel->WindowHandle()), panel);
  EXPECT_EQ(rec.Log(), (std::vector<UINT>{CM_RECREATEWND, CM_SHOWINGCHANGED}));
}

TEST_F(MessageDispatchTest, WindowClassesCarryTheToolkitClassNames) {
  char name[64] = {};
  GetClassNameA(panel->Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TReflecting");
  GetClassNameA(form->Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TForm");
  EXPECT_EQ(panel->ClassName(), "TReflecting");
  EXPECT_EQ(FindControl(form->Handle()), form);
  EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
  // GWLP_USERDATA stays free for others.
  EXPECT_EQ(GetWindowLongPtrA(panel->Handle(), GWLP_USERDATA), 0);
}

TEST_F(MessageDispatchTest, GraphicControlsArePaintedByTheirParent) {
  auto* shape = new TPainted(form);
  shape->SetParent(form);
  shape->SetBounds(220, 20, 40, 40);
  form->Repaint();
  HDC dc = GetDC(form->Handle());
  const COLORREF inside = GetPixel(dc, 230, 30);
  const COLORREF outside = GetPixel(dc, 270, 30);
  ReleaseDC(form->Handle(), dc);
  EXPECT_EQ(inside, RGB(255, 0, 0));
  EXPECT_EQ(outside, static_cast<COLORREF>(ColorToRGB(clBtnFace)));
}

}  // namespace
