#include <algorithm>

#include "toolkit/ui/ComCtrls.h"

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
  SetBounds(0, 0, 17, 25);
}

void TCustomUpDown::CreateParams(TCreateParams& Params) {
  detail::InitCommonControl(ICC_UPDOWN_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, UPDOWN_CLASSA);
  Params.Style |= UDS_SETBUDDYINT | UDS_ARROWKEYS;
  Params.Style |= alignButton_ == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
  if (orientation_ == udHorizontal) Params.Style |= UDS_HORZ;
  if (!thousands_) Params.Style |= UDS_NOTHOUSANDS;
}

void TCustomUpDown::CreateWnd() {
  TWinControl::CreateWnd();
  const HWND wnd = WindowHandle();
  UpdateRange();
  UDACCEL accel{0, static_cast<UINT>(increment_)};
  SendMessageA(wnd, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  if (associate_) SendMessageA(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  SendMessageA(wnd, UDM_SETPOS32, 0, position_);
}

void TCustomUpDown::UpdateRange() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TCustomUpDown::SetAssociate(TWinControl* Value) {
  if (Value == associate_) return;
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = Value;
  if (Value) Value->FreeNotification(this);
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Value ? Value->Handle() : nullptr), 0);
  if (Value) SendMessageA(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TCustomUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == associate_) {
    associate_ = nullptr;
    if (HandleAllocated()) SendMessageA(WindowHandle(), UDM_SETBUDDY, 0, 0);
  }
}

void TCustomUpDown::SetMin(int Value) {
  min_ = Value;
  UpdateRange();
}

void TCustomUpDown::SetMax(int Value) {
  max_ = Value;
  UpdateRange();
}

int TCustomUpDown::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageA(WindowHandle(), UDM_GETPOS32, 0, 0));
  return position_;
}

void TCustomUpDown::SetPosition(int Value) {
  position_ = std::clamp(Value, std::min(min_, max_), std::max(min_, max_));
  if (HandleAllocated()) SendMessageA(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TCustomUpDown::SetIncrement(int Value) {
  increment_ = Value;
  if (!HandleAllocated()) return;
  UDACCEL accel{0, static_cast<UINT>(Value)};
  SendMessageA(WindowHandle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TCustomUpDown::SetOrientation(TUDOrientation Value) {
  if (orientation_ == Value) return;
  orientation_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton Value) {
  if (alignButton_ == Value) return;
  alignButton_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomUpDown::SetThousands(bool Value) {
  if (thousands_ == Value) return;
  thousands_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

bool TCustomUpDown::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomUpDown::Click(TUDBtnType Button) {
  if (OnClick) OnClick(this, Button);
}

void TCustomUpDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      if (reinterpret_cast<NMHDR*>(Message.LParam)->code == UDN_DELTAPOS) {
        Message.Result = CanChange() ? FALSE : TRUE;
        return;
      }
      break;
    case CN_HSCROLL:
    case CN_VSCROLL:
      if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
        const int old = position_;
        if (Position() != old) Click(position_ > old ? btNext : btPrev);
      }
      return;
  }
  TWinControl::Dispatch(Message);
}
