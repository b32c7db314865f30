#include <algorithm>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/StdCtrls.h"

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  // The bar tracks the mouse itself; it makes no clicks.
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents | csSetCaption));
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "SCROLLBAR");
  Params.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateWindow();
}

void TScrollBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  si.nMin = min_;
  si.nMax = max_;
  si.nPage = static_cast<UINT>(pageSize_);
  si.nPos = position_;
  SetScrollInfo(WindowHandle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (kind_ == Value) return;
  kind_ = Value;
  // The bar keeps its place and turns its long side the other way.
  SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin || APosition < AMin || APosition > AMax) throw EInvalidOperation("Scroll bar property out of range");
  const bool changed = APosition != position_;
  min_ = AMin;
  max_ = AMax;
  position_ = APosition;
  UpdateWindow();
  if (changed) Change();
}

void TScrollBar::SetPageSize(int Value) {
  pageSize_ = std::clamp(Value, 0, max_ - min_ + 1);
  UpdateWindow();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TMessage& Message) {
  const auto code = static_cast<TScrollCode>(LOWORD(Message.WParam));
  int pos = position_;
  switch (code) {
    case scLineUp: pos -= smallChange_; break;
    case scLineDown: pos += smallChange_; break;
    case scPageUp: pos -= largeChange_; break;
    case scPageDown: pos += largeChange_; break;
    case scPosition:
    case scTrack: {
      // The 32-bit thumb position (the message carries only 16 bits).
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(WindowHandle(), SB_CTL, &si);
      pos = si.nTrackPos;
      break;
    }
    case scTop: pos = min_; break;
    case scBottom: pos = max_; break;
    case scEndScroll: break;
  }
  // With a thumb of PageSize positions the bar cannot go past Max - PageSize + 1.
  const int last = pageSize_ > 0 ? std::max(min_, max_ - pageSize_ + 1) : max_;
  pos = std::clamp(pos, min_, last);
  Scroll(code, pos);
  SetPosition(std::clamp(pos, min_, max_));
}

void TScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    DoScroll(Message);
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}
