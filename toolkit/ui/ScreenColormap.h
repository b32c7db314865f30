#pragma once
// Under Wine every X window of the program gets a colormap of Wine's own, of the screen's visual but
// not the screen's default colormap. Readers of the screen's picture that then read window by window
// (xwd -root) draw the part of such a window that lies over another one as black: each dialog or
// message box over the main window. TScreenColormap gives each top-level window of the thread that
// makes it (forms, message boxes, dialogs, menus, the modules' windows) the screen's default colormap,
// as other programs' windows have; colours do not change, the visual being the same.
#include <windows.h>

#include "toolkit/ui/UtilWindow.h"

namespace detail {

class TScreenColormap {
 public:
  TScreenColormap();
  ~TScreenColormap();
  TScreenColormap(const TScreenColormap&) = delete;
  TScreenColormap& operator=(const TScreenColormap&) = delete;

 private:
  static LRESULT CALLBACK CbtProc(int Code, WPARAM WParam, LPARAM LParam);
  void WndProc(TMessage& Message);

  TUtilWindow window_{TWndMethod(this, &TScreenColormap::WndProc)};
  HHOOK hook_ = nullptr;
};

}  // namespace detail
