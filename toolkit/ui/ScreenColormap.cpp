#include "toolkit/ui/ScreenColormap.h"

#include "toolkit/ui/XScreenColormap.h"

namespace detail {

namespace {

// Wine names the X window of each top-level window in this property.
const char kXWindowProp[] = "__wine_x11_whole_window";
// The X window exists only once CreateWindowEx has returned: the hook posts the window to itself.
constexpr UINT kTakeColormap = WM_APP + 1;
TScreenColormap* Current = nullptr;

}  // namespace

TScreenColormap::TScreenColormap()
    : hook_(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())) {
  Current = this;
}

TScreenColormap::~TScreenColormap() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (Current == this) Current = nullptr;
}

LRESULT CALLBACK TScreenColormap::CbtProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HCBT_CREATEWND && Current) {
    const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(LParam);
    if (!(create->lpcs->style & WS_CHILD)) PostMessageA(Current->window_.Handle(), kTakeColormap, WParam, 0);
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

void TScreenColormap::WndProc(TMessage& Message) {
  if (Message.Msg == kTakeColormap) {
    const auto wnd = reinterpret_cast<HWND>(Message.WParam);
    if (IsWindow(wnd))
      UseDefaultColormap(static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(GetPropA(wnd, kXWindowProp))));
    return;
  }
  Message.Result = DefWindowProcA(window_.Handle(), Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace detail
