#pragma once
// Set-up shared by the toolkit's window tests: Application and Screen for the whole test binary,
// message pumping, and a subclassing recorder in the manner of the skin's adapters.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/ui/Controls.h"
#include "toolkit/ui/Forms.h"

namespace uitest {

class UiEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    InitControls();
    Application->Initialize();
  }
  void TearDown() override { DoneControls(); }
};

// Handles every pending message (and those they cause) for up to Ms milliseconds.
inline void Pump(DWORD Ms = 0) {
  const DWORD end = GetTickCount() + Ms;
  do {
    Application->ProcessMessages();
    if (Ms) Sleep(5);
  } while (Ms && static_cast<LONG>(end - GetTickCount()) > 0);
  Application->ProcessMessages();
}

// Sends a real mouse message to Form at a point of its client area, with the cursor moved there too.
inline void MouseAt(TForm* Form, UINT Msg, int X, int Y) {
  const TPoint P = Form->ClientToScreen(Point(X, Y));
  SetCursorPos(P.x, P.y);
  SendMessageA(Form->Handle(), Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(X, Y));
}

// Records the messages a control receives through its WindowProc, as a subclassing object does:
// puts its own method in place, passes everything on to the saved one, and restores it only while
// its own is still in place.
class TRecorder {
 public:
  explicit TRecorder(TControl* Control, std::vector<UINT> Interesting = {})
      : control_(Control), interesting_(std::move(Interesting)) {
    saved_ = Control->WindowProc;
    Control->WindowProc = TWndMethod(this, &TRecorder::WndProc);
  }
  ~TRecorder() { Release(); }
  void Release() {
    if (control_ && control_->WindowProc == TWndMethod(this, &TRecorder::WndProc)) control_->WindowProc = saved_;
    control_ = nullptr;
  }
  bool Hooked() { return control_ && control_->WindowProc == TWndMethod(this, &TRecorder::WndProc); }
  const std::vector<UINT>& Log() const { return log_; }
  void Clear() { log_.clear(); }
  // Called for each recorded message before it is passed on.
  std::function<void(TMessage&)> OnMessage;

 private:
  void WndProc(TMessage& Message) {
    bool keep = interesting_.empty();
    for (UINT m : interesting_) keep = keep || m == Message.Msg;
    if (keep) {
      log_.push_back(Message.Msg);
      if (OnMessage) OnMessage(Message);
    }
    saved_(Message);
  }

  TControl* control_;
  std::vector<UINT> interesting_;
  TWndMethod saved_;
  std::vector<UINT> log_;
};

}  // namespace uitest
