#include "toolkit/ui/UtilWindow.h"

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"

namespace {
const char kUtilClass[] = "TPUtilWindow";
const char kUtilProp[] = "MzToolkitUtilWindow";
}  // namespace

TUtilWindow::TUtilWindow(TWndMethod Method) : method_(Method) {
  const HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!GetClassInfoA(inst, kUtilClass, &wc)) {
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.lpszClassName = kUtilClass;
    RegisterClassA(&wc);
  }
  handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
  if (!handle_) throw EOSError("Cannot create a utility window", GetLastError());
  SetPropA(handle_, kUtilProp, this);
}

TUtilWindow::~TUtilWindow() {
  RemovePropA(handle_, kUtilProp);
  DestroyWindow(handle_);
}

LRESULT CALLBACK TUtilWindow::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* self = static_cast<TUtilWindow*>(GetPropA(Wnd, kUtilProp));
  if (!self) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  TMessage m{Msg, WParam, LParam, 0};
  try {
    self->method_(m);
  } catch (...) {
    if (Application) Application->HandleException(nullptr);
  }
  return m.Result;
}
