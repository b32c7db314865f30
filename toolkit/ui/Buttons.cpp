#include "toolkit/ui/Buttons.h"

#include <algorithm>

#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

namespace detail {

TButtonGlyph::TButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this](TObject*) {
    if (OnChange) OnChange();
  };
}

void TButtonGlyph::SetGlyph(const TBitmap* Value) {
  if (Value) glyph_->Assign(Value);
  else glyph_->SetSize(0, 0);
  // A strip of square images gives its count.
  if (Value && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
    numGlyphs_ = std::clamp(Value->Width() / Value->Height(), 1, 4);
  }
  if (OnChange) OnChange();
}

void TButtonGlyph::SetNumGlyphs(int Value) {
  numGlyphs_ = std::clamp(Value, 1, 4);
  if (OnChange) OnChange();
}

void TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const std::string& Caption,
                        TButtonLayout Layout, int Margin, int Spacing, TButtonState State, TFont* Font) {
  const HDC dc = Canvas->Handle();
  const bool hasGlyph = !glyph_->Empty();
  const int gw = hasGlyph ? glyph_->Width() / numGlyphs_ : 0;
  const int gh = hasGlyph ? glyph_->Height() : 0;
  Canvas->Font()->Assign(*Font);
  const HGDIOBJ oldFont = SelectObject(dc, Canvas->Font()->Handle());
  // No caption takes no room (a glyph alone is centred).
  TRect textRect{};
  if (!Caption.empty()) {
    textRect = Rect(0, 0, Client.right - Client.left, 0);
    DrawTextA(dc, Caption.c_str(), -1, &textRect, DT_CALCRECT | DT_SINGLELINE);
  }
  const int tw = textRect.right - textRect.left, th = textRect.bottom - textRect.top;
  const int cw = Client.right - Client.left, ch = Client.bottom - Client.top;
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  const int spacing = hasGlyph && !Caption.empty() ? Spacing : 0;
  const int total = horizontal ? gw + spacing + tw : gh + spacing + th;
  const int room = horizontal ? cw : ch;
  const int margin = Margin < 0 ? (room - total) / 2 : Margin;
  TPoint glyphPos{}, textPos{};
  switch (Layout) {
    case blGlyphLeft:
      glyphPos = {margin, (ch - gh) / 2};
      textPos = {margin + gw + spacing, (ch - th) / 2};
      break;
    case blGlyphRight:
      glyphPos = {cw - margin - gw, (ch - gh) / 2};
      textPos = {cw - margin - gw - spacing - tw, (ch - th) / 2};
      break;
    case blGlyphTop:
      glyphPos = {(cw - gw) / 2, margin};
      textPos = {(cw - tw) / 2, margin + gh + spacing};
      break;
    case blGlyphBottom:
      glyphPos = {(cw - gw) / 2, ch - margin - gh};
      textPos = {(cw - tw) / 2, ch - margin - gh - spacing - th};
      break;
  }
  const int dx = Client.left + Offset.x, dy = Client.top + Offset.y;
  if (hasGlyph) {
    int index = 0;
    if (State == bsDisabled && numGlyphs_ > 1) index = 1;
    else if (State == bsDown && numGlyphs_ > 2) index = 2;
    else if (State == bsExclusive) index = numGlyphs_ > 3 ? 3 : (numGlyphs_ > 2 ? 2 : 0);
    const COLORREF transparent = static_cast<COLORREF>(ColorToRGB(glyph_->TransparentColor()));
    TransparentBlt(dc, glyphPos.x + dx, glyphPos.y + dy, gw, gh, glyph_->Canvas()->Handle(), index * gw, 0, gw, gh,
                   transparent);
  }
  if (!Caption.empty()) {
    TRect r = Rect(textPos.x + dx, textPos.y + dy, textPos.x + dx + tw, textPos.y + dy + th);
    SetBkMode(dc, TRANSPARENT);
    if (State == bsDisabled) {
      OffsetRect(&r, 1, 1);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
      DrawTextA(dc, Caption.c_str(), -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      OffsetRect(&r, -1, -1);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    } else {
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font->Color())));
    }
    DrawTextA(dc, Caption.c_str(), -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  SelectObject(dc, oldFont);
}

}  // namespace detail

// --- TBitBtn --------------------------------------------------------------------------------

namespace {

const std::vector<std::string> kButtonLayouts = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

}  // namespace

void TBitBtn::GetPublishedProperties(TPropList& List) const {
  TButton::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TBitBtn>("Kind", &TBitBtn::Kind, &TBitBtn::SetKind,
                         {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
                          "bkIgnore", "bkAll"}),
      OrdProperty<TBitBtn>("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout, kButtonLayouts),
      OrdProperty<TBitBtn>("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
      OrdProperty<TBitBtn>("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
      OrdProperty<TBitBtn>("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
  glyph_.OnChange = [this] { Invalidate(); };
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style &= ~(BS_DEFPUSHBUTTON | BS_PUSHBUTTON);
  Params.Style |= BS_OWNERDRAW;
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  layout_ = Value;
  Invalidate();
}

void TBitBtn::SetMargin(int Value) {
  margin_ = Value;
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  spacing_ = Value;
  Invalidate();
}

namespace {

constexpr int kKindGlyphSize = 18;

// Draws the picture of a standard kind into the square at (X, 0); a disabled picture is drawn in
// one grey.
void DrawKindGlyph(TCanvas* C, TBitBtnKind Kind, int X, bool Disabled) {
  auto colour = [Disabled](TColor Value) { return Disabled ? clGray : Value; };
  auto pen = [&](TColor Value, int Width) {
    C->Pen()->SetColor(colour(Value));
    C->Pen()->SetWidth(Width);
  };
  auto tick = [&](int Dx, int Dy, int Size) {
    C->Polyline({TPoint{X + Dx, Dy + Size / 2}, TPoint{X + Dx + Size / 3, Dy + Size * 5 / 6},
                 TPoint{X + Dx + Size, Dy}});
  };
  C->Brush()->SetStyle(bsClear);
  switch (Kind) {
    case bkOK: case bkYes:
      pen(clGreen, 3);
      tick(3, 4, 12);
      break;
    case bkAll:
      pen(clGreen, 2);
      tick(1, 5, 9);
      tick(8, 5, 9);
      break;
    case bkCancel:
      pen(clRed, 3);
      C->MoveTo(X + 4, 4);
      C->LineTo(X + 14, 14);
      C->MoveTo(X + 14, 4);
      C->LineTo(X + 4, 14);
      break;
    case bkNo:
      pen(clRed, 2);
      C->Ellipse(X + 2, 2, X + 16, 16);
      C->MoveTo(X + 5, 13);
      C->LineTo(X + 13, 5);
      break;
    case bkAbort:
      pen(clMaroon, 1);
      C->Brush()->SetColor(colour(clRed));
      C->Ellipse(X + 1, 1, X + 17, 17);
      pen(clWhite, 2);
      C->MoveTo(X + 6, 6);
      C->LineTo(X + 12, 12);
      C->MoveTo(X + 12, 6);
      C->LineTo(X + 6, 12);
      break;
    case bkHelp:
      pen(clNavy, 2);
      C->Polyline({TPoint{X + 5, 6}, TPoint{X + 6, 3}, TPoint{X + 9, 2}, TPoint{X + 12, 3}, TPoint{X + 13, 6},
                   TPoint{X + 9, 9}, TPoint{X + 9, 12}});
      C->Brush()->SetColor(colour(clNavy));
      C->FillRect(Rect(X + 8, 14, X + 11, 17));
      break;
    case bkClose:
      pen(clBlack, 1);
      C->Brush()->SetColor(colour(clMaroon));
      C->Rectangle(X + 4, 1, X + 14, 17);
      C->Brush()->SetColor(colour(clYellow));
      C->FillRect(Rect(X + 10, 8, X + 12, 10));
      break;
    case bkRetry:
      pen(clGreen, 2);
      C->Polyline({TPoint{X + 14, 6}, TPoint{X + 11, 3}, TPoint{X + 7, 3}, TPoint{X + 4, 6}, TPoint{X + 4, 11},
                   TPoint{X + 7, 14}, TPoint{X + 11, 14}, TPoint{X + 14, 11}});
      C->Brush()->SetColor(colour(clGreen));
      pen(clGreen, 1);
      C->Polygon({TPoint{X + 11, 1}, TPoint{X + 16, 1}, TPoint{X + 16, 6}});
      break;
    case bkIgnore:
      pen(clNavy, 1);
      C->Brush()->SetColor(colour(clNavy));
      C->Polygon({TPoint{X + 2, 7}, TPoint{X + 10, 7}, TPoint{X + 10, 3}, TPoint{X + 16, 9}, TPoint{X + 10, 15},
                  TPoint{X + 10, 11}, TPoint{X + 2, 11}});
      break;
    case bkCustom:
      break;
  }
  C->Pen()->SetWidth(1);
}

// The glyph of a standard kind: the picture and its disabled look side by side on olive, the
// colour that marks transparent pixels.
void MakeKindGlyph(TBitmap* Glyph, TBitBtnKind Kind) {
  Glyph->SetPixelFormat(pf24bit);
  Glyph->SetSize(2 * kKindGlyphSize, kKindGlyphSize);
  TCanvas* c = Glyph->Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(Rect(0, 0, 2 * kKindGlyphSize, kKindGlyphSize));
  DrawKindGlyph(c, Kind, 0, false);
  DrawKindGlyph(c, Kind, kKindGlyphSize, true);
}

}  // namespace

void TBitBtn::SetKind(TBitBtnKind Value) {
  struct KindInfo {
    const char* caption;
    int modalResult;
  };
  static const KindInfo kinds[] = {
      {"", mrNone},       {"OK", mrOk},          {"Cancelar", mrCancel},   {"&Ajuda", mrNone},
      {"&Sim", mrYes},    {"&Não", mrNo},        {"&Fechar", mrNone},      {"Abortar", mrAbort},
      {"&Repetir", mrRetry}, {"&Ignorar", mrIgnore}, {"&Todos", mrAll}};
  if (Value == kind_) return;
  kind_ = Value;
  if (Value != bkCustom) {
    SetDefault(Value == bkOK || Value == bkYes);
    SetCancel(Value == bkCancel || Value == bkNo);
    // A caption read before the kind (a form being built) stays.
    if (!(ComponentState() & csLoading) || Caption().empty()) SetCaption(kinds[Value].caption);
    SetModalResult(kinds[Value].modalResult);
    TBitmap glyph;
    MakeKindGlyph(&glyph, Value);
    SetGlyph(&glyph);
  }
  Invalidate();
}

void TBitBtn::Click() {
  if (kind_ == bkClose) {
    if (TCustomForm* form = GetParentForm()) {
      form->Close();
      TButtonControl::Click();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& DrawItemStruct) {
  const bool pressed = (DrawItemStruct.itemState & ODS_SELECTED) != 0;
  const bool focused = (DrawItemStruct.itemState & ODS_FOCUS) != 0;
  TRect r = DrawItemStruct.rcItem;
  detail::CanvasOnDC onDC(canvas_, DrawItemStruct.hDC);
  if (focused || Default()) {
    canvas_.Brush()->SetColor(clWindowFrame);
    canvas_.FrameRect(r);
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(DrawItemStruct.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  InflateRect(&r, -2, -2);
  const TButtonState state = !Enabled() ? bsDisabled : pressed ? bsDown : bsUp;
  glyph_.Draw(&canvas_, r, pressed ? TPoint{1, 1} : TPoint{0, 0}, Caption(), layout_, margin_, spacing_, state, Font());
  if (focused) {
    InflateRect(&r, -1, -1);
    DrawFocusRect(DrawItemStruct.hDC, &r);
  }
}

void TBitBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = TRUE;
      return;
    case CM_TEXTCHANGED: case CM_FONTCHANGED: case CM_ENABLEDCHANGED:
      TButton::Dispatch(Message);
      Invalidate();
      return;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button turns a quick second click into a double click: keep it a click.
      Message.Msg = WM_LBUTTONDOWN;
      break;
  }
  TButton::Dispatch(Message);
}

// --- TSpeedButton ---------------------------------------------------------------------------

void TSpeedButton::GetPublishedProperties(TPropList& List) const {
  TGraphicControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TSpeedButton>("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
      BoolProperty<TSpeedButton>("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
      BoolProperty<TSpeedButton>("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
      BoolProperty<TSpeedButton>("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
      OrdProperty<TSpeedButton>("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, kButtonLayouts),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  SetControlStyle((ControlStyle() | csCaptureMouse | csDoubleClicks) & ~csClickEvents);
  glyph_.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetGroupIndex(int Value) {
  groupIndex_ = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (groupIndex_ == 0) Value = false;
  if (Value == down_) return;
  if (down_ && !Value && !allowAllUp_) return;
  down_ = Value;
  state_ = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  flat_ = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  layout_ = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  margin_ = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  spacing_ = Value;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!dragging_) return;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  const TButtonState newState = inside ? (down_ ? bsExclusive : bsDown) : (down_ ? bsExclusive : bsUp);
  if (newState != state_) {
    state_ = newState;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!dragging_) return;
  dragging_ = false;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  if (groupIndex_ == 0) {
    state_ = bsUp;
    Invalidate();
  } else if (inside) {
    SetDown(!down_);
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  } else {
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  const TButtonState drawState = !Enabled() ? bsDisabled : state_;
  const bool pressed = drawState == bsDown || drawState == bsExclusive;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  if (!flat_) {
    DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    InflateRect(&r, -2, -2);
  } else if (pressed || (mouseInControl_ && Enabled())) {
    TRect frame = r;
    Frame3D(canvas, frame, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow, 1);
    InflateRect(&r, -1, -1);
  }
  glyph_.Draw(canvas, r, pressed ? TPoint{1, 1} : TPoint{0, 0}, Caption(), layout_, margin_, spacing_, drawState,
              Font());
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
      if (sender != this && static_cast<int>(Message.WParam) == groupIndex_ && groupIndex_ != 0 && sender->down_ &&
          down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
      }
      return;
    }
    case CM_MOUSEENTER:
      TGraphicControl::Dispatch(Message);
      mouseInControl_ = true;
      if (flat_) Invalidate();
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::Dispatch(Message);
      mouseInControl_ = false;
      if (flat_) Invalidate();
      return;
    case CM_TEXTCHANGED:
      Invalidate();
      return;
  }
  TGraphicControl::Dispatch(Message);
}
