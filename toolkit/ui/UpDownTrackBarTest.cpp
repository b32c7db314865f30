// Up-down controls with their buddy edit, and track bars: positions read back from the common
// controls, events from clicks and keys.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class UpDownTrackBarTest : public uitest::ControlsTest {};

TEST_F(UpDownTrackBarTest, UpDownDrivesItsBuddyEdit) {
  // A period of 1 to 30 days, 5 by default.
  auto* edit = Make<TEdit>(10, 10, 60, 21);
  auto* ud = Make<TUpDown>(70, 10, 17, 21);
  ud->SetMin(1);
  ud->SetMax(30);
  ud->SetPosition(5);
  ud->SetAssociate(edit);
  EXPECT_EQ(ud->ClassName(), "TUpDown");
  char name[32] = {};
  GetClassNameA(ud->Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TUpDown");
  EXPECT_EQ(edit->Text(), "5");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud->Handle(), UDM_GETBUDDY, 0, 0)), edit->Handle());
  // It sits at the right of its buddy.
  EXPECT_EQ(ud->Left(), edit->Left() + edit->Width());

  std::vector<TUDBtnType> clicks;
  bool allow = true;
  ud->OnClick = [&](TObject* Sender, TUDBtnType Button) {
    EXPECT_EQ(Sender, ud);
    clicks.push_back(Button);
  };
  ud->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = allow; };
  auto press = [&](bool Upper) {
    const HWND w = ud->Handle();
    RECT r{};
    GetClientRect(w, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, Upper ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(w, WM_LBUTTONUP, 0, at);
    Pump();
  };
  press(true);
  EXPECT_EQ(ud->Position(), 6);
  EXPECT_EQ(edit->Text(), "6");
  press(false);
  press(false);
  EXPECT_EQ(ud->Position(), 4);
  EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btPrev, btPrev}));
  allow = false;
  press(true);
  EXPECT_EQ(ud->Position(), 4);
  EXPECT_EQ(clicks.size(), 3u);
  allow = true;

  // The arrow keys in the buddy step too.
  SendMessageA(edit->Handle(), WM_KEYDOWN, VK_UP, 0);
  SendMessageA(edit->Handle(), WM_KEYUP, VK_UP, 0);
  Pump();
  EXPECT_EQ(ud->Position(), 5);

  // A number typed into the buddy is the position; one out of range or not a number is not.
  edit->SetText("12");
  EXPECT_EQ(ud->Position(), 12);
  edit->SetText("45");
  EXPECT_EQ(ud->Position(), 12);
  edit->SetText("abc");
  EXPECT_EQ(ud->Position(), 12);

  ud->SetPosition(99);
  EXPECT_EQ(ud->Position(), 30);
  ud->SetIncrement(5);
  ud->SetPosition(10);
  press(true);
  EXPECT_EQ(ud->Position(), 15);
  ud->SetOrientation(udHorizontal);
  EXPECT_TRUE(GetWindowLongA(ud->Handle(), GWL_STYLE) & UDS_HORZ);
  EXPECT_EQ(ud->Position(), 15);
  EXPECT_EQ(edit->Text(), "15");

  // The buddy freed first: the up-down forgets it.
  edit->Free();
  EXPECT_EQ(ud->Associate(), nullptr);
  EXPECT_EQ(SendMessageA(ud->Handle(), UDM_GETBUDDY, 0, 0), 0);
}

TEST_F(UpDownTrackBarTest, TrackBarRangePositionTicksAndChanges) {
  auto* tb = Make<TTrackBar>(10, 10, 200, 40);
  tb->SetMax(20);
  tb->SetFrequency(5);
  int changes = 0;
  tb->OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, tb);
    ++changes;
  };
  tb->SetPosition(8);
  EXPECT_EQ(changes, 1);
  const HWND w = tb->Handle();
  char name[32] = {};
  GetClassNameA(w, name, sizeof(name));
  EXPECT_STREQ(name, "TTrackBar");
  EXPECT_EQ(SendMessageA(w, TBM_GETRANGEMAX, 0, 0), 20);
  EXPECT_EQ(SendMessageA(w, TBM_GETPOS, 0, 0), 8);
  // Ticks every 5 between the ends: 5, 10 and 15, plus the two ends.
  EXPECT_EQ(SendMessageA(w, TBM_GETNUMTICS, 0, 0), 5);

  // Keys move the thumb by the line and page sizes.
  SendMessageA(w, WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  EXPECT_EQ(tb->Position(), 9);
  SendMessageA(w, WM_KEYDOWN, VK_HOME, 0);
  Pump();
  EXPECT_EQ(tb->Position(), 0);
  EXPECT_EQ(changes, 3);
  // A click in the channel right of the thumb moves a page.
  tb->SetPageSize(4);
  RECT channel{};
  SendMessageA(w, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const LPARAM at = MAKELPARAM(channel.right - 5, (channel.top + channel.bottom) / 2);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(w, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(tb->Position(), 4);
  EXPECT_EQ(changes, 4);

  tb->SetMax(3);
  EXPECT_EQ(tb->Position(), 3);
  tb->SetOrientation(trVertical);
  EXPECT_TRUE(GetWindowLongA(tb->Handle(), GWL_STYLE) & TBS_VERT);
  EXPECT_EQ(tb->Width(), 40);
  EXPECT_EQ(tb->Height(), 200);
  EXPECT_EQ(tb->Position(), 3);
  tb->SetTickStyle(tsNone);
  EXPECT_TRUE(GetWindowLongA(tb->Handle(), GWL_STYLE) & TBS_NOTICKS);
}

}  // namespace
