// The output window that covers a control with a frozen picture.
#include "skin/engine/sCtrlUtils.h"

#include <memory>

#include "skin/engine/sSkinGraphics.h"
#include "toolkit/ui/Forms.h"

namespace {

struct TOutput {
  TOutputWindow* Window = nullptr;
  std::unique_ptr<TBitmap> Picture;
};
TOutput& Output() {
  static TOutput O;
  return O;
}

}  // namespace

TOutputWindow::TOutputWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetCaption("acOutputWindow");
  SetVisible(false);
  SetColor(clFuchsia);
  SetTag(-98);
}

void TOutputWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (Parent() || Params.WndParent) return;
  Params.Style = WS_POPUP;
  auto* Owner = dynamic_cast<TWinControl*>(this->Owner());
  if (Owner && Owner->HandleAllocated() && (GetWindowLongA(Owner->WindowHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = Application->Handle();
}

void TOutputWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_NCPAINT) {
    Message.Result = 0;
    return;
  }
  TCustomControl::Dispatch(Message);
}

TOutputWindow* OutputWindow() { return Output().Window; }
TBitmap* OutputPicture() { return Output().Picture.get(); }

void FreeOutputWindow() {
  if (Output().Window) Output().Window->Free();
  Output().Window = nullptr;
  Output().Picture.reset();
}

void ShowOutputWindow(TWinControl* Control) {
  TOutput& O = Output();
  const HWND Wnd = Control->Handle();
  RECT R;
  GetWindowRect(Wnd, &R);
  if (!O.Picture) O.Picture = NewBitmap32(R.right - R.left, R.bottom - R.top);
  const HDC Screen = GetDC(nullptr);
  BitBlt(O.Picture->Canvas()->Handle(), 0, 0, O.Picture->Width(), O.Picture->Height(), Screen, R.left, R.top,
         SRCCOPY);
  ReleaseDC(nullptr, Screen);
  if (!O.Window) O.Window = new TOutputWindow(Control);
  if (TWinControl* Parent = Control->Parent()) {
    O.Window->SetParent(Parent);
    O.Window->SetBoundsRect(Control->BoundsRect());
    const HWND Prev = GetWindow(Wnd, GW_HWNDPREV);
    SetWindowPos(O.Window->Handle(), Prev ? Prev : HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ShowWindow(O.Window->Handle(), SW_SHOWNA);
  } else {
    O.Window->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    const HWND Prev = GetWindow(Wnd, GW_HWNDPREV);
    SetWindowPos(O.Window->Handle(), Prev ? Prev : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}
