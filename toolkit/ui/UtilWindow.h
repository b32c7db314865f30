#pragma once
// A hidden utility window (class "TPUtilWindow") whose messages go to a TWndMethod; timers and
// other non-visual components receive their window messages through one.
#include <windows.h>

#include "toolkit/ui/Messages.h"

class TUtilWindow {
 public:
  explicit TUtilWindow(TWndMethod Method);
  ~TUtilWindow();
  TUtilWindow(const TUtilWindow&) = delete;
  TUtilWindow& operator=(const TUtilWindow&) = delete;

  HWND Handle() const { return handle_; }

 private:
  static LRESULT CALLBACK WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  TWndMethod method_;
  HWND handle_ = nullptr;
};
