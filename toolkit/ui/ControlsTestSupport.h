#pragma once
// A shown form to put controls on, and pixels read back from windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/ui/UiTestSupport.h"

namespace uitest {

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(0, 0, 420, 320);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->Free();
    Pump();
  }
  template <class T>
  T* Make(int X, int Y, int W, int H) {
    T* c = new T(form);
    c->SetParent(form);
    c->SetBounds(X, Y, W, H);
    return c;
  }
  // The colour at (X, Y) of Window's client area, after it has painted.
  static COLORREF PixelAt(HWND Window, int X, int Y) {
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(Window);
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Window, dc);
    return c;
  }
  static COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }
  // A left click at (X, Y) of Window's client area, as the mouse sends it.
  static void ClickAt(HWND Window, int X, int Y) {
    SendMessageA(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageA(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    Pump();
  }
  TForm* form = nullptr;
};

}  // namespace uitest
