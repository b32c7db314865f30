#include "toolkit/ui/ExtCtrls.h"

#include <algorithm>

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  --Rect.bottom;
  --Rect.right;
  for (int i = 0; i < Width; ++i) {
    Canvas->Pen()->SetColor(TopColor);
    Canvas->Polyline({{Rect.left, Rect.bottom}, {Rect.left, Rect.top}, {Rect.right, Rect.top}});
    Canvas->Pen()->SetColor(BottomColor);
    Canvas->Polyline({{Rect.right, Rect.top}, {Rect.right, Rect.bottom}, {Rect.left - 1, Rect.bottom}});
    InflateRect(&Rect, -1, -1);
  }
  ++Rect.bottom;
  ++Rect.right;
}

// --- TCustomPanel ---------------------------------------------------------------------------

namespace {

const std::vector<std::string> kBevelCuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

}  // namespace

void TCustomPanel::GetPublishedProperties(TPropList& List) const {
  TCustomControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TCustomPanel>("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, kBevelCuts),
      OrdProperty<TCustomPanel>("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, kBevelCuts),
      OrdProperty<TCustomPanel>("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
      OrdProperty<TCustomPanel>("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, {"bsNone", "bsSingle"}),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque | csSetCaption);
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (borderStyle_ == bsSingle) Params.Style |= WS_BORDER;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int inset = BorderWidth();
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&Rect, -inset, -inset);
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (borderStyle_ == bsSingle) r = ClientRect();
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == bvSpace) Frame3D(canvas, r, Color(), Color(), bevelWidth_);
    else Frame3D(canvas, r, top, bottom, bevelWidth_);
  };
  bevel(bevelOuter_);
  InflateRect(&r, -BorderWidth(), -BorderWidth());
  bevel(bevelInner_);
  const std::string text = Caption();
  if (text.empty()) return;
  static constexpr UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas->Font()->Assign(*Font());
  const HDC dc = canvas->Handle();
  const HGDIOBJ oldFont = SelectObject(dc, canvas->Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Enabled() ? Font()->Color() : clGrayText)));
  DrawTextA(dc, text.c_str(), -1, &r, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | align[alignment_]);
  SelectObject(dc, oldFont);
}

void TCustomPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    Invalidate();
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  bevelInner_ = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  bevelOuter_ = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
  bevelWidth_ = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

// --- TBevel ---------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  shape_ = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  style_ = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = Canvas();
  const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
    canvas->Pen()->SetColor(c);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  TRect r = Rect(0, 0, w, h);
  switch (shape_) {
    case bsBox: Frame3D(canvas, r, first, second, 1); break;
    case bsFrame: {
      TRect inner = Rect(1, 1, w, h);
      Frame3D(canvas, inner, second, second, 1);
      TRect outer = Rect(0, 0, w - 1, h - 1);
      Frame3D(canvas, outer, first, first, 1);
      break;
    }
    case bsTopLine: line(first, 0, 0, w, 0); line(second, 0, 1, w, 1); break;
    case bsBottomLine: line(first, 0, h - 2, w, h - 2); line(second, 0, h - 1, w, h - 1); break;
    case bsLeftLine: line(first, 0, 0, 0, h); line(second, 1, 0, 1, h); break;
    case bsRightLine: line(first, w - 2, 0, w - 2, h); line(second, w - 1, 0, w - 1, h); break;
    case bsSpacer: break;
  }
}

// --- TShape ---------------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 65, 65);
  pen_.OnChange = [this](TObject*) { Invalidate(); };
  brush_.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType Value) {
  shape_ = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetPen(&pen_);
  canvas->SetBrush(&brush_);
  const int pw = pen_.Width();
  const int half = pw / 2;
  int x = half, y = half;
  int w = Width() - pw + 1, h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  if (w < h && (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle)) {
    y += (h - w) / 2;
    h = w;
  } else if (h < w && (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle)) {
    x += (w - h) / 2;
    w = h;
  }
  switch (shape_) {
    case stRectangle: case stSquare: canvas->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect: case stRoundSquare:
      canvas->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
      break;
    case stEllipse: case stCircle: canvas->Ellipse(x, y, x + w, y + h); break;
  }
}

// --- TImage ---------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::PictureChanged() {
  if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0) {
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  }
  if (TGraphic* g = picture_.Graphic()) {
    if (g->Transparent() != transparent_) g->SetTransparent(transparent_);
  }
  Invalidate();
}

void TImage::SetStretch(bool Value) {
  stretch_ = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  center_ = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  proportional_ = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (transparent_ == Value) return;
  transparent_ = Value;
  PictureChanged();
}

void TImage::SetAutoSize(bool Value) {
  autoSize_ = Value;
  PictureChanged();
}

TRect TImage::DestRect() const {
  int w = picture_.Width(), h = picture_.Height();
  const int cw = Width(), ch = Height();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      if (cw * h > ch * w) {
        w = w * ch / h;
        h = ch;
      } else {
        h = h * cw / w;
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (center_) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_.Graphic();
  if (!g || g->Empty()) return;
  Canvas()->StretchDraw(DestRect(), g);
}

// --- TPaintBox ------------------------------------------------------------------------------

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
  Canvas()->Font()->Assign(*Font());
  Canvas()->Brush()->SetColor(Color());
  if (OnPaint) OnPaint(this);
}

// --- TCustomRadioGroup ----------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TGroupBox(AOwner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TObject*) { UpdateButtons(); };
}

TCustomRadioGroup::~TCustomRadioGroup() = default;

void TCustomRadioGroup::SetItems(const TStrings* Value) { items_->Assign(Value); }

void TCustomRadioGroup::UpdateButtons() {
  while (buttons_.size() > static_cast<size_t>(items_->Count())) {
    buttons_.back()->Free();
    buttons_.pop_back();
  }
  while (buttons_.size() < static_cast<size_t>(items_->Count())) {
    auto* b = new TRadioButton(this);
    b->SetParent(this);
    b->OnClick = [this, b](TObject*) {
      if (updating_ || !b->Checked()) return;
      if (!CanModify()) return CheckButtons();
      const auto it = std::find(buttons_.begin(), buttons_.end(), b);
      itemIndex_ = static_cast<int>(it - buttons_.begin());
      Changed();
    };
    buttons_.push_back(b);
  }
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  CheckButtons();
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  TRect r = ClientRect();
  AdjustClientRect(r);
  const int cols = std::max(1, columns_);
  const int rows = (static_cast<int>(buttons_.size()) + cols - 1) / cols;
  const int colWidth = (r.right - r.left - 8) / cols;
  const int rowHeight = std::max(1, (r.bottom - r.top) / rows);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
    buttons_[i]->SetBounds(r.left + 8 + col * colWidth, r.top + row * rowHeight + (rowHeight - 17) / 2, colWidth - 4,
                           17);
  }
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= items_->Count()) Value = -1;
  if (itemIndex_ == Value) return;
  itemIndex_ = Value;
  CheckButtons();
  Changed();
}

void TCustomRadioGroup::CheckButtons() {
  updating_ = true;
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
  updating_ = false;
}

void TCustomRadioGroup::SetColumns(int Value) {
  columns_ = std::clamp(Value, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::Resize() {
  TGroupBox::Resize();
  ArrangeButtons();
}

void TCustomRadioGroup::Changed() {
  TGroupBox::Changed();
  Click();
}
