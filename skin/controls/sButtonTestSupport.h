#pragma once
// A quick press of a skinned push button by the real mouse, for the tests of every button made of
// TsButtonBase.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sFade.h"

namespace skintest {

// The left mouse button pressed or let go where the cursor is.
inline void PressLeft(bool Down) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &In, sizeof(INPUT));
}

// The cursor onto B, a press and a release inside the press fade: hot, pressed, the pressed look held
// for 30 ms (SleptMs adds up the engine's sleeps), the release fade back to hot and no timer left.
template <class TButtonT>
void ExpectQuickPress(TButtonT* B, const int& Clicks, const int& SleptMs) {
  auto Drive = [B] {
    for (int I = 0; I < 100 && B->FadeTimer(); ++I) B->FadeTimer()->Timer();
  };
  MoveCursorTo(B->ClientToScreen(Point(B->Width() / 2, B->Height() / 2)));
  ASSERT_TRUE(WaitFor([&] { return B->SkinData()->MouseAbove; }));
  Drive();
  EXPECT_EQ(B->CurrentState(), 1);
  PressLeft(true);
  ASSERT_TRUE(WaitFor([&] { return B->CurrentState() == 2; }));
  ASSERT_NE(B->FadeTimer(), nullptr);
  // The press fade holds where it is, so that the release comes inside it however slow the machine.
  B->FadeTimer()->SetEnabled(false);
  const int Before = Clicks, SleptBefore = SleptMs;
  PressLeft(false);
  ASSERT_TRUE(WaitFor([&] { return Clicks == Before + 1; }));
  EXPECT_EQ(SleptMs - SleptBefore, 30);
  Drive();
  EXPECT_EQ(B->CurrentState(), 1);
  EXPECT_EQ(LiveFadeTimers(), 0);
}

}  // namespace skintest
