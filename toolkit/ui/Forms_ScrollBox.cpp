#include <algorithm>
#include <tuple>

#include "toolkit/ui/Forms.h"

// --- TControlScrollBar ----------------------------------------------------------------------

int TControlScrollBar::ControlSize() {
  const TRect r = control_->ClientRect();
  return kind_ == sbHorizontal ? r.right : r.bottom;
}

void TControlScrollBar::SetRange(int Value) {
  // A range set by the program replaces the one the children give.
  control_->autoScroll_ = false;
  range_ = std::max(0, Value);
  control_->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  control_->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() {
  if (!control_->HandleAllocated()) return false;
  return (GetWindowLongA(control_->WindowHandle(), GWL_STYLE) & (kind_ == sbHorizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

void TControlScrollBar::SetPosition(int Value) {
  const int last = IsScrollBarVisible() ? std::max(0, range_ - ControlSize()) : 0;
  Value = std::clamp(Value, 0, last);
  if (Value != position_) {
    const int old = position_;
    position_ = Value;
    if (kind_ == sbHorizontal) {
      control_->ScrollBy(old - Value, 0);
    } else {
      control_->ScrollBy(0, old - Value);
    }
  }
  if (control_->HandleAllocated()) SetScrollPos(control_->WindowHandle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, position_, TRUE);
}

void TControlScrollBar::CalcAutoRange() {
  // The scrolled area reaches the far edge of the farthest child; children aligned to the far
  // side add their size.
  int range = 0, margin = 0;
  for (int i = 0; i < control_->ControlCount(); ++i) {
    TControl* c = control_->Controls(i);
    if (!c->Visible()) continue;
    const TAlign nearSide = kind_ == sbHorizontal ? alLeft : alTop;
    const TAlign farSide = kind_ == sbHorizontal ? alRight : alBottom;
    const int start = kind_ == sbHorizontal ? c->Left() : c->Top();
    const int size = kind_ == sbHorizontal ? c->Width() : c->Height();
    if (c->Align() == alNone || c->Align() == nearSide) range = std::max(range, position_ + start + size);
    if (c->Align() == farSide) margin += size;
  }
  range_ = range + margin;
}

void TControlScrollBar::ScrollMessage(TMessage& Message) {
  int pos = position_;
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= increment_; break;
    case SB_LINEDOWN: pos += increment_; break;
    case SB_PAGEUP: pos -= ControlSize() * 9 / 10; break;
    case SB_PAGEDOWN: pos += ControlSize() * 9 / 10; break;
    case SB_THUMBTRACK:
      if (!tracking_) return;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      // The 32-bit thumb position (the message carries only 16 bits).
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(control_->WindowHandle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, &si);
      pos = si.nTrackPos;
      break;
    }
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = range_; break;
    default: return;
  }
  SetPosition(pos);
}

// --- TScrollingWinControl -------------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (autoScroll_ == Value) return;
  autoScroll_ = Value;
  if (!Value) {
    horzScrollBar_.range_ = 0;
    vertScrollBar_.range_ = 0;
  }
  Realign();
  UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect) {
  // Aligned children fill the scrolled area, not only the part in view.
  Rect = Bounds(-horzScrollBar_.position_, -vertScrollBar_.position_,
                std::max(horzScrollBar_.range_, Rect.right - Rect.left),
                std::max(vertScrollBar_.range_, Rect.bottom - Rect.top));
  TWinControl::AdjustClientRect(Rect);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  if (autoScroll_) {
    horzScrollBar_.CalcAutoRange();
    vertScrollBar_.CalcAutoRange();
  }
  UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars() {
  if (!HandleAllocated() || updatingBars_) return;
  updatingBars_ = true;
  const HWND wnd = WindowHandle();
  // The client size without scroll bars, then with the ones the ranges need.
  RECT client{};
  GetClientRect(wnd, &client);
  const LONG style = GetWindowLongA(wnd, GWL_STYLE);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
  const int width = client.right + (style & WS_VSCROLL ? barWidth : 0);
  const int height = client.bottom + (style & WS_HSCROLL ? barHeight : 0);
  bool needH = horzScrollBar_.visible_ && horzScrollBar_.range_ > width;
  bool needV = vertScrollBar_.visible_ && vertScrollBar_.range_ > height;
  if (needH && !needV) needV = vertScrollBar_.visible_ && vertScrollBar_.range_ > height - barHeight;
  if (needV && !needH) needH = horzScrollBar_.visible_ && horzScrollBar_.range_ > width - barWidth;
  const int pageH = width - (needV ? barWidth : 0), pageV = height - (needH ? barHeight : 0);
  for (auto [bar, need, page] : {std::tuple{&horzScrollBar_, needH, pageH}, std::tuple{&vertScrollBar_, needV, pageV}}) {
    const int which = bar->kind_ == sbHorizontal ? SB_HORZ : SB_VERT;
    ShowScrollBar(wnd, which, need);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = need ? bar->range_ - 1 : 0;
    si.nPage = need ? static_cast<UINT>(page) : 0;
    SetScrollInfo(wnd, which, &si, TRUE);
    // A position past the new end scrolls back.
    bar->SetPosition(need ? bar->position_ : 0);
  }
  updatingBars_ = false;
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  const bool drawn = HandleAllocated() && IsWindowVisible(WindowHandle());
  DisableAlign();
  // The window moves its child windows along; the rest move here.
  if (drawn) ScrollWindow(WindowHandle(), DeltaX, DeltaY, nullptr, nullptr);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    auto* win = dynamic_cast<TWinControl*>(c);
    if (!drawn || !win || !win->HandleAllocated()) c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  }
  EnableAlign();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || !AControl->Parent() || !ContainsControl(AControl)) return;
  const TPoint origin = ScreenToClient(AControl->Parent()->ClientToScreen(TPoint{AControl->Left(), AControl->Top()}));
  const TRect client = ClientRect();
  auto bring = [](TControlScrollBar& Bar, int Start, int Size, int View) {
    if (Start < 0) {
      Bar.SetPosition(Bar.Position() + Start);
    } else if (Start + Size > View) {
      Bar.SetPosition(Bar.Position() + std::min(Start, Start + Size - View));
    }
  };
  bring(horzScrollBar_, origin.x, AControl->Width(), client.right);
  bring(vertScrollBar_, origin.y, AControl->Height(), client.bottom);
}

void TScrollingWinControl::Dispatch(TMessage& Message) {
  // The window's own scroll bars (a scroll bar control's messages carry its window).
  if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && !Message.LParam) {
    (Message.Msg == WM_HSCROLL ? horzScrollBar_ : vertScrollBar_).ScrollMessage(Message);
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

// --- TScrollBox -----------------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetBounds(0, 0, 185, 41);
  SetTabStop(false);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}
