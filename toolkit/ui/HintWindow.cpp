#include "toolkit/ui/HintWindow.h"

#include "toolkit/ui/Forms.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = Application ? Application->Handle() : nullptr;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::Paint() {
  const HDC dc = Canvas()->Handle();
  const TRect client = ClientRect();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(client);
  TRect r = client;
  r.left += 2;
  r.top += 2;
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  const std::string text = Caption();
  DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  SelectObject(dc, oldFont);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint) {
  TRect r = Rect(0, 0, MaxWidth, 0);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
  DrawTextA(dc, AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  // The border and the text's inset.
  r.right += 6;
  r.bottom += 4;
  return r;
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
  SetCaption(AHint);
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  SetBounds(Rect.left, Rect.top, w, h);
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.left, Rect.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  if (HandleAllocated()) DestroyHandle();
}

bool THintWindow::IsHintMsg(const MSG& Msg) const {
  const UINT m = Msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == CM_APPKEYDOWN || m == CM_APPSYSCOMMAND || m == WM_COMMAND ||
         (m > WM_MOUSEMOVE && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE ||
         (m >= WM_NCLBUTTONDOWN && m <= WM_NCMBUTTONDBLCLK);
}

void THintWindow::Dispatch(TMessage& Message) {
  // The mouse goes through to the window beneath.
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(Message);
}
