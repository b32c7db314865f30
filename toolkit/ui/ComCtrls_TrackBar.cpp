#include <algorithm>

#include "toolkit/ui/ComCtrls.h"

TCustomTrackBar::TCustomTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TCustomTrackBar::CreateParams(TCreateParams& Params) {
  detail::InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TRACKBAR_CLASSA);
  if (orientation_ == trVertical) Params.Style |= TBS_VERT;
  if (tickMarks_ == tmTopLeft) Params.Style |= TBS_TOP;
  if (tickMarks_ == tmBoth) Params.Style |= TBS_BOTH;
  if (tickStyle_ == tsNone) Params.Style |= TBS_NOTICKS;
  if (tickStyle_ == tsAuto) Params.Style |= TBS_AUTOTICKS;
}

void TCustomTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  const HWND wnd = WindowHandle();
  UpdateRange();
  SendMessageA(wnd, TBM_SETLINESIZE, 0, lineSize_);
  SendMessageA(wnd, TBM_SETPAGESIZE, 0, pageSize_);
  SendMessageA(wnd, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  SendMessageA(wnd, TBM_SETPOS, TRUE, position_);
}

void TCustomTrackBar::UpdateRange() {
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), TBM_SETRANGEMIN, FALSE, min_);
  SendMessageA(WindowHandle(), TBM_SETRANGEMAX, TRUE, max_);
}

void TCustomTrackBar::SetMin(int Value) {
  min_ = Value;
  UpdateRange();
  SetPosition(position_);
}

void TCustomTrackBar::SetMax(int Value) {
  max_ = Value;
  UpdateRange();
  SetPosition(position_);
}

int TCustomTrackBar::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageA(WindowHandle(), TBM_GETPOS, 0, 0));
  return position_;
}

void TCustomTrackBar::SetPosition(int Value) {
  const int old = Position();
  position_ = std::clamp(Value, std::min(min_, max_), std::max(min_, max_));
  if (HandleAllocated()) SendMessageA(WindowHandle(), TBM_SETPOS, TRUE, position_);
  if (position_ != old) Changed();
}

void TCustomTrackBar::SetFrequency(int Value) {
  frequency_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), TBM_SETTICFREQ, static_cast<WPARAM>(Value), 0);
}

void TCustomTrackBar::SetLineSize(int Value) {
  lineSize_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), TBM_SETLINESIZE, 0, Value);
}

void TCustomTrackBar::SetPageSize(int Value) {
  pageSize_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), TBM_SETPAGESIZE, 0, Value);
}

void TCustomTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (orientation_ == Value) return;
  orientation_ = Value;
  // The bar turns: width and height swap.
  if (!(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTrackBar::SetTickMarks(TTickMark Value) {
  if (tickMarks_ == Value) return;
  tickMarks_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTrackBar::SetTickStyle(TTickStyle Value) {
  if (tickStyle_ == Value) return;
  tickStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    const int old = position_;
    if (Position() != old) Changed();
    return;
  }
  TWinControl::Dispatch(Message);
}
