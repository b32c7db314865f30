// The application object: its window and hooks, activation, icon; the screen and the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

// A subclassing object's hook on the application window, as the skin manager installs one.
struct THookOwner {
  std::vector<UINT> seen;
  bool swallow = false;
  bool Hook(TMessage& Message) {
    if (Message.Msg < WM_USER) return false;
    seen.push_back(Message.Msg);
    if (swallow) Message.Result = 5;
    return swallow;
  }
};

TEST(ApplicationTest, MainWindowHooksSeeMessagesFirstAndAreRemovedByIdentity) {
  THookOwner first, second;
  Application->HookMainWindow(TWindowHook(&first, &THookOwner::Hook));
  Application->HookMainWindow(TWindowHook(&second, &THookOwner::Hook));
  Application->HookMainWindow(TWindowHook(&second, &THookOwner::Hook));  // once only
  second.swallow = true;
  EXPECT_EQ(SendMessageA(Application->Handle(), WM_USER + 1, 0, 0), 5);
  // The newest hook answered: the older one never saw the message.
  EXPECT_EQ(second.seen, std::vector<UINT>{WM_USER + 1});
  EXPECT_TRUE(first.seen.empty());
  Application->UnhookMainWindow(TWindowHook(&second, &THookOwner::Hook));
  SendMessageA(Application->Handle(), WM_USER + 2, 0, 0);
  EXPECT_EQ(first.seen, std::vector<UINT>{WM_USER + 2});
  EXPECT_EQ(second.seen.size(), 1u);
  Application->UnhookMainWindow(TWindowHook(&first, &THookOwner::Hook));
  SendMessageA(Application->Handle(), WM_USER + 3, 0, 0);
  EXPECT_EQ(first.seen.size(), 1u);
}

TEST(ApplicationTest, ActivationOfAFormActivatesTheApplicationFromTheMessageLoop) {
  auto* f = new TForm(Application);
  f->SetBorderStyle(bsNone);
  f->SetBounds(0, 0, 50, 50);
  f->Show();
  SendMessageA(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  Pump();
  EXPECT_FALSE(Application->Active());
  int activations = 0;
  Application->OnActivate = [&](TObject*) { ++activations; };
  // Without a window manager WM_ACTIVATEAPP may never come: a form's activation is enough.
  SendMessageA(f->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(Application->Active());
  EXPECT_EQ(activations, 0);
  Pump();
  EXPECT_GE(activations, 1);
  Application->OnActivate = nullptr;
  f->Free();
}

TEST(ApplicationTest, RestoreAndMinimizeEvents) {
  std::vector<std::string> events;
  Application->OnMinimize = [&](TObject*) { events.push_back("minimize"); };
  Application->OnRestore = [&](TObject*) { events.push_back("restore"); };
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Application->Handle()));
  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(Application->Handle()));
  ShowWindow(Application->Handle(), SW_HIDE);
  Application->OnMinimize = nullptr;
  Application->OnRestore = nullptr;
  EXPECT_EQ(events, (std::vector<std::string>{"minimize", "restore"}));
}

TEST(ApplicationTest, IconOfTheApplicationAndOfForms) {
  auto* f = new TForm(Application);
  f->HandleNeeded();
  auto icon = std::make_unique<TIcon>();
  icon->SetHandle(LoadIconA(nullptr, IDI_QUESTION));
  Application->SetIcon(icon.get());
  EXPECT_FALSE(Application->Icon()->Empty());
  const auto appIcon = reinterpret_cast<HICON>(SendMessageA(Application->Handle(), WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(appIcon, Application->Icon()->Handle());
  // A form without an icon of its own shows the application's.
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(f->Handle(), WM_GETICON, ICON_BIG, 0)), appIcon);
  auto own = std::make_unique<TIcon>();
  own->SetHandle(LoadIconA(nullptr, IDI_WARNING));
  f->SetIcon(own.get());
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(f->Handle(), WM_GETICON, ICON_BIG, 0)), f->Icon()->Handle());
  f->Free();
}

TEST(ApplicationTest, ExeNameAndDefaultTitle) {
  const std::string exe = Application->ExeName();
  EXPECT_NE(exe.find("toolkit_ui_test"), std::string::npos);
}

TEST(ApplicationTest, ScreenMetricsAndCursor) {
  EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
  const TRect work = Screen->WorkAreaRect();
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_LE(Screen->WorkAreaHeight(), Screen->Height());
  EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursorA(nullptr, IDC_WAIT));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  Screen->SetCursor(crDefault);
}

TEST(ApplicationTest, CursorOverAControlIsItsCursor) {
  auto* f = new TForm(Application);
  f->SetBorderStyle(bsNone);
  f->SetBounds(0, 0, 200, 200);
  auto* c = new TCustomControl(f);
  c->SetParent(f);
  c->SetBounds(10, 10, 100, 100);
  c->SetCursor(crHandPoint);
  f->Show();
  Pump();
  const TPoint p = c->ClientToScreen(Point(20, 20));
  SetCursorPos(p.x, p.y);
  SendMessageA(c->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(c->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  f->Free();
}

}  // namespace
