#include "toolkit/ui/ComCtrls.h"

TPageScroller::TPageScroller(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 45);
}

void TPageScroller::CreateParams(TCreateParams& Params) {
  detail::InitCommonControl(ICC_PAGESCROLLER_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_PAGESCROLLERA);
  Params.Style |= WS_CLIPCHILDREN | (orientation_ == soHorizontal ? PGS_HORZ : PGS_VERT);
}

void TPageScroller::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(WindowHandle(), PGM_SETBUTTONSIZE, 0, buttonSize_);
  if (control_) SendMessageA(WindowHandle(), PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(control_->Handle()));
  SendMessageA(WindowHandle(), PGM_SETPOS, 0, position_);
}

void TPageScroller::SetControl(TWinControl* Value) {
  if (control_ == Value) return;
  if (control_) control_->RemoveFreeNotification(this);
  control_ = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetParent(this);
  }
  if (HandleAllocated()) {
    SendMessageA(WindowHandle(), PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(Value ? Value->Handle() : nullptr));
  }
}

void TPageScroller::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == control_) {
    control_ = nullptr;
    if (HandleAllocated() && !(ComponentState() & csDestroying)) SendMessageA(WindowHandle(), PGM_SETCHILD, 0, 0);
  }
}

void TPageScroller::SetOrientation(TPageScrollerOrientation Value) {
  if (orientation_ == Value) return;
  orientation_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TPageScroller::SetButtonSize(int Value) {
  buttonSize_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PGM_SETBUTTONSIZE, 0, Value);
}

int TPageScroller::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageA(WindowHandle(), PGM_GETPOS, 0, 0));
  return position_;
}

void TPageScroller::SetPosition(int Value) {
  position_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PGM_SETPOS, 0, Value);
}

void TPageScroller::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  // The scrolled control changed its size: the scroller measures it again.
  if (HandleAllocated() && control_ && !recalculating_) {
    recalculating_ = true;
    const HWND wnd = WindowHandle();
    SendMessageA(wnd, PGM_RECALCSIZE, 0, 0);
    // Some versions of the window show or hide their scroll buttons only when the position
    // moves: move it there and back.
    const LRESULT pos = SendMessageA(wnd, PGM_GETPOS, 0, 0);
    SendMessageA(wnd, PGM_SETPOS, 0, pos + 1);
    SendMessageA(wnd, PGM_SETPOS, 0, pos);
    recalculating_ = false;
  }
}

void TPageScroller::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(Message.LParam)->code == static_cast<UINT>(PGN_CALCSIZE)) {
    auto* calc = reinterpret_cast<NMPGCALCSIZE*>(Message.LParam);
    if (control_) {
      if (calc->dwFlag == PGF_CALCWIDTH) calc->iWidth = control_->Width();
      if (calc->dwFlag == PGF_CALCHEIGHT) calc->iHeight = control_->Height();
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
