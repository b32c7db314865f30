#include <algorithm>

#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/ui/ExtCtrls.h"

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool Value) {
  beveled_ = Value;
  Invalidate();
}

void TSplitter::Resize() {
  // Aligned to the top or bottom, the splitter is dragged up and down.
  SetCursor(Vertical() ? crHSplit : crVSplit);
  TGraphicControl::Resize();
}

void TSplitter::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  if (beveled_) Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
}

TControl* TSplitter::FindControl() const {
  TWinControl* parent = Parent();
  if (!parent || Align() == alNone || Align() == alClient) return nullptr;
  // The point just outside the splitter on its near side.
  TPoint p{Left(), Top()};
  switch (Align()) {
    case alLeft: --p.x; break;
    case alRight: p.x += Width(); break;
    case alTop: --p.y; break;
    case alBottom: p.y += Height(); break;
    default: break;
  }
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    const TRect r = c->BoundsRect();
    const bool hit = Vertical() ? p.x >= r.left && p.x < r.right : p.y >= r.top && p.y < r.bottom;
    // A control closed to nothing still sits at the splitter's edge.
    const bool closed = Vertical() ? r.left == r.right && r.left == p.x + (Align() == alLeft ? 1 : 0)
                                   : r.top == r.bottom && r.top == p.y + (Align() == alTop ? 1 : 0);
    if (hit || closed) return c;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  control_ = FindControl();
  if (!control_) return;
  downPos_ = TPoint{X, Y};
  // The control may grow until the other side-aligned controls keep only MinSize between them.
  TWinControl* parent = Parent();
  maxSize_ = (Vertical() ? parent->ClientWidth() : parent->ClientHeight()) - minSize_;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible()) continue;
    if (Vertical() && (c->Align() == alLeft || c->Align() == alRight)) maxSize_ -= c->Width();
    if (!Vertical() && (c->Align() == alTop || c->Align() == alBottom)) maxSize_ -= c->Height();
  }
  maxSize_ += Vertical() ? control_->Width() : control_->Height();
  newSize_ = Vertical() ? control_->Width() : control_->Height();
  if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern) DrawLine();
}

int TSplitter::CalcNewSize(int X, int Y) const {
  const int split = Vertical() ? X - downPos_.x : Y - downPos_.y;
  int size = 0;
  switch (Align()) {
    case alLeft: size = control_->Width() + split; break;
    case alRight: size = control_->Width() - split; break;
    case alTop: size = control_->Height() + split; break;
    case alBottom: size = control_->Height() - split; break;
    default: break;
  }
  if (size < minSize_ && autoSnap_) return 0;
  return std::clamp(size, minSize_, std::max(minSize_, maxSize_));
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!control_ || !(Shift & ssLeft)) return;
  int size = CalcNewSize(X, Y);
  bool accept = true;
  if (OnCanResize) OnCanResize(this, size, accept);
  if (!accept || size == newSize_) return;
  if (resizeStyle_ == rsUpdate) {
    newSize_ = size;
    UpdateSize(size);
    return;
  }
  const bool drawn = lineVisible_;
  if (drawn) DrawLine();
  newSize_ = size;
  if (drawn) DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!control_ || Button != mbLeft) return;
  if (lineVisible_) DrawLine();
  UpdateSize(newSize_);
  control_ = nullptr;
}

void TSplitter::UpdateSize(int NewSize) {
  const int current = Vertical() ? control_->Width() : control_->Height();
  if (NewSize == current) return;
  if (Vertical()) {
    control_->SetWidth(NewSize);
  } else {
    control_->SetHeight(NewSize);
  }
  Parent()->Update();
  if (OnMoved) OnMoved(this);
}

void TSplitter::DrawLine() {
  TWinControl* parent = Parent();
  if (!parent || !parent->HandleAllocated()) return;
  lineVisible_ = !lineVisible_;
  // Where the splitter will be once the control has its new size.
  const int delta = newSize_ - (Vertical() ? control_->Width() : control_->Height());
  TRect r = BoundsRect();
  switch (Align()) {
    case alLeft: OffsetRect(&r, delta, 0); break;
    case alRight: OffsetRect(&r, -delta, 0); break;
    case alTop: OffsetRect(&r, 0, delta); break;
    case alBottom: OffsetRect(&r, 0, -delta); break;
    default: break;
  }
  // Drawn over the children too, inverting, so that drawing it again takes it away.
  HDC dc = GetDCEx(parent->WindowHandle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
  if (resizeStyle_ == rsPattern) {
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    const detail::GdiObject<HBITMAP> bits(CreateBitmap(8, 8, 1, 1, pattern));
    const detail::GdiObject<HBRUSH> brush(CreatePatternBrush(bits.get()));
    HGDIOBJ old = SelectObject(dc, brush.get());
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
    SelectObject(dc, old);
  } else {
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
  }
  ReleaseDC(parent->WindowHandle(), dc);
}
