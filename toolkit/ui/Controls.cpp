#include "toolkit/ui/Controls.h"

#include <algorithm>
#include <cstring>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"

namespace {

// The window property through which the shared window procedure finds a window's control.
const char kControlProp[] = "MzToolkitControl";

// The control whose window is being created: it receives the messages sent before
// CreateWindowEx returns.
TWinControl* g_creationControl = nullptr;
TControl* g_captureControl = nullptr;
TControl* g_mouseControl = nullptr;

TPoint PointFromLParam(LPARAM l) { return TPoint{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))}; }
LPARAM LParamFromPoint(const TPoint& p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

template <class T>
void EraseValue(std::vector<T*>& v, const void* x) {
  v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

}  // namespace

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s = 0;
  if (Keys & MK_SHIFT) s |= ssShift;
  if (Keys & MK_CONTROL) s |= ssCtrl;
  if (Keys & MK_LBUTTON) s |= ssLeft;
  if (Keys & MK_RBUTTON) s |= ssRight;
  if (Keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// --- TSizeConstraints ----------------------------------------------------------------------

void TSizeConstraints::SetMinWidth(int Value) { minWidth_ = Value; Change(); }
void TSizeConstraints::SetMinHeight(int Value) { minHeight_ = Value; Change(); }
void TSizeConstraints::SetMaxWidth(int Value) { maxWidth_ = Value; Change(); }
void TSizeConstraints::SetMaxHeight(int Value) { maxHeight_ = Value; Change(); }
void TSizeConstraints::Change() {
  if (OnChange) OnChange();
}

// --- TControl ------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  font_->OnChange = [this](TGraphicsObject*) { FontChanged(); };
  constraints_.OnChange = [this] { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
  TControl::BeforeDestruction();
  if (g_mouseControl == this) g_mouseControl = nullptr;
  if (g_captureControl == this) g_captureControl = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (g_mouseControl == this) g_mouseControl = nullptr;
  if (g_captureControl == this) SetCaptureControl(nullptr);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!(controlStyle_ & csDoubleClicks)) {
      switch (Message.Msg) {
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
          Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
      }
    }
    switch (Message.Msg) {
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: controlState_ |= csLButtonDown; break;
      case WM_LBUTTONUP: controlState_ &= ~csLButtonDown; break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMMouseButton(Message, mbLeft, true, false); return;
    case WM_LBUTTONDBLCLK: WMMouseButton(Message, mbLeft, true, true); return;
    case WM_LBUTTONUP: WMMouseButton(Message, mbLeft, false, false); return;
    case WM_RBUTTONDOWN: WMMouseButton(Message, mbRight, true, false); return;
    case WM_RBUTTONDBLCLK: WMMouseButton(Message, mbRight, true, true); return;
    case WM_RBUTTONUP: WMMouseButton(Message, mbRight, false, false); return;
    case WM_MBUTTONDOWN: WMMouseButton(Message, mbMiddle, true, false); return;
    case WM_MBUTTONDBLCLK: WMMouseButton(Message, mbMiddle, true, true); return;
    case WM_MBUTTONUP: WMMouseButton(Message, mbMiddle, false, false); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_ENABLEDCHANGED: case CM_COLORCHANGED: case CM_FONTCHANGED:
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      InvalidateControl(true, visible_ && (controlStyle_ & csOpaque));
      return;
    case WM_CANCELMODE:
      if (GetCaptureControl() == this) SetCaptureControl(nullptr);
      DefaultHandler(Message);
      return;
  }
  DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      const size_t room = Message.WParam;
      if (room == 0) return;
      const size_t n = std::min(text_.size(), room - 1);
      std::memcpy(reinterpret_cast<char*>(Message.LParam), text_.data(), n);
      reinterpret_cast<char*>(Message.LParam)[n] = '\0';
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(text_.size());
      return;
    case WM_SETTEXT:
      text_ = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      Message.Result = TRUE;
      return;
  }
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ConstrainSize(AWidth, AHeight);
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  InvalidateControl(visible_, false);
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!(ComponentState() & csLoading)) Resize();
}

void TControl::ConstrainSize(int& AWidth, int& AHeight) const {
  const TSizeConstraints& c = constraints_;
  if (c.MaxWidth() > 0 && AWidth > c.MaxWidth()) AWidth = c.MaxWidth();
  if (c.MinWidth() > 0 && AWidth < c.MinWidth()) AWidth = c.MinWidth();
  if (c.MaxHeight() > 0 && AHeight > c.MaxHeight()) AHeight = c.MaxHeight();
  if (c.MinHeight() > 0 && AHeight < c.MinHeight()) AHeight = c.MinHeight();
}

void TControl::UpdateBoundsRect(const TRect& R) {
  const bool sized = R.right - R.left != width_ || R.bottom - R.top != height_;
  left_ = R.left;
  top_ = R.top;
  width_ = R.right - R.left;
  height_ = R.bottom - R.top;
  if (sized) RequestAlign();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int Value) { SetWidth(width_ - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(height_ - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() {
  if (!parent_) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  TPoint p = parent_->ClientOrigin();
  return TPoint{p.x + left_, p.y + top_};
}

TPoint TControl::ClientToScreen(const TPoint& P) {
  const TPoint o = ClientOrigin();
  return TPoint{P.x + o.x, P.y + o.y};
}

TPoint TControl::ScreenToClient(const TPoint& P) {
  const TPoint o = ClientOrigin();
  return TPoint{P.x - o.x, P.y - o.y};
}

void TControl::SetAlign(TAlign Value) {
  if (align_ == Value) return;
  const TAlign old = align_;
  align_ = Value;
  if (old != alNone && Value == alNone) return;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControl(this);
}

void TControl::SetVisible(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::Show() {
  if (parent_) parent_->Show();
  SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (color_ == Value) {
    parentColor_ = false;
    return;
  }
  color_ = Value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (parentColor_ == Value) return;
  parentColor_ = Value;
  if (parent_ && Value && !(ComponentState() & csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (parentFont_ == Value) return;
  parentFont_ = Value;
  if (parent_ && Value && !(ComponentState() & csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!parentColor_) return;
  const TColor c = Message.WParam ? static_cast<TColor>(Message.LParam) : parent_ ? parent_->Color() : color_;
  SetColor(c);
  parentColor_ = true;
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!parentFont_ || !parent_) return;
  font_->Assign(*parent_->Font());
  parentFont_ = true;
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

void TControl::SetShowHint(bool Value) {
  if (showHint_ == Value) {
    parentShowHint_ = false;
    return;
  }
  showHint_ = Value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (parentShowHint_ == Value) return;
  parentShowHint_ = Value;
  if (parent_ && Value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!parentShowHint_ || !parent_) return;
  SetShowHint(parent_->ShowHint());
  parentShowHint_ = true;
}

void TControl::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

std::string TControl::GetText() const {
  TControl* self = const_cast<TControl*>(this);
  const int len = GetTextLen();
  std::string s(static_cast<size_t>(len) + 1, '\0');
  const LRESULT n = self->Perform(WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
  return s;
}

int TControl::GetTextLen() const {
  return static_cast<int>(const_cast<TControl*>(this)->Perform(WM_GETTEXTLENGTH, 0, 0));
}

void TControl::SetText(const std::string& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() != Value) SetCaptureControl(Value ? this : nullptr);
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !parent_ || !parent_->HandleAllocated()) return;
  const TRect r = BoundsRect();
  InvalidateRect(parent_->WindowHandle(), &r, !IsOpaque);
}

void TControl::Invalidate() { InvalidateControl(visible_, (controlStyle_ & csOpaque) != 0); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (parent_) parent_->SetChildZOrder(this, true);
}

void TControl::SendToBack() {
  if (parent_) parent_->SetChildZOrder(this, false);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_) {
    if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
}

void TControl::WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double) {
  if (Down) {
    DefaultHandler(Message);
    if (Button == mbLeft || (controlStyle_ & csCaptureMouse)) {
      if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
    }
    if (Button == mbLeft && (controlStyle_ & csClickEvents)) {
      if (Double) {
        DblClick();
      } else {
        controlState_ |= csClicked;
      }
    }
    DoMouseDown(Message, Button, Double ? ssDouble : 0);
    return;
  }
  DefaultHandler(Message);
  if (controlStyle_ & csCaptureMouse) SetMouseCapture(false);
  if (Button == mbLeft && (controlState_ & csClicked)) {
    controlState_ &= ~csClicked;
    const TRect r = ClientRect();
    const TPoint p = PointFromLParam(Message.LParam);
    if (PtInRect(&r, p)) Click();
  }
  DoMouseUp(Message, Button);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (controlStyle_ & csNoStdEvents) return;
  const TPoint p = PointFromLParam(Message.LParam);
  MouseDown(Button, KeysToShiftState(Message.WParam) | Shift, p.x, p.y);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  if (controlStyle_ & csNoStdEvents) return;
  const TPoint p = PointFromLParam(Message.LParam);
  MouseUp(Button, KeysToShiftState(Message.WParam), p.x, p.y);
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (!dynamic_cast<TWinControl*>(this)) detail::SetMouseControl(this);
  if (controlStyle_ & csNoStdEvents) return;
  const TPoint p = PointFromLParam(Message.LParam);
  MouseMove(KeysToShiftState(Message.WParam), p.x, p.y);
}

void TControl::CMMouseEnter(TMessage& Message) {
  if (parent_) parent_->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
  if (Message.LParam == 0) {
    if (Application) Application->HintMouseEnter(this);
    if (OnMouseEnter) OnMouseEnter(this);
  }
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
  if (Message.LParam == 0) {
    if (Application) Application->HintMouseLeave(this);
    if (OnMouseLeave) OnMouseLeave(this);
  }
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TControl::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TControl>("Left", &TControl::Left, &TControl::SetLeft),
      OrdProperty<TControl>("Top", &TControl::Top, &TControl::SetTop),
      OrdProperty<TControl>("Width", &TControl::Width, &TControl::SetWidth),
      OrdProperty<TControl>("Height", &TControl::Height, &TControl::SetHeight),
      OrdProperty<TControl>("Align", &TControl::Align, &TControl::SetAlign,
                            {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}),
      BoolProperty<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
      BoolProperty<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
      OrdProperty<TControl>("Color", &TControl::Color, &TControl::SetColor),
      BoolProperty<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
      ObjProperty<TControl>("Font", &TControl::Font, &TControl::SetFont),
      BoolProperty<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
      StrProperty<TControl>("Caption", &TControl::Caption, &TControl::SetCaption),
      StrProperty<TControl>("Text", &TControl::Text, &TControl::SetText),
      StrProperty<TControl>("Hint", &TControl::Hint, &TControl::SetHint),
      BoolProperty<TControl>("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
      BoolProperty<TControl>("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint),
      OrdProperty<TControl>("Cursor", &TControl::Cursor, &TControl::SetCursor),
      OrdProperty<TControl>("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

// --- TControlCanvas, TGraphicControl, TCustomControl ---------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (dc_) return;
  if (auto* win = dynamic_cast<TWinControl*>(control_)) {
    window_ = win->Handle();
    dc_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  } else {
    TWinControl* parent = control_->Parent();
    if (!parent) throw EInvalidOperation("Control '" + control_->Name() + "' has no parent window");
    window_ = parent->Handle();
    dc_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    SetViewportOrgEx(dc_, control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(dc_, 0, 0, control_->Width(), control_->Height());
  }
  SetHandle(dc_);
}

void TControlCanvas::FreeHandle() {
  if (!dc_) return;
  SetHandle(nullptr);
  ReleaseDC(window_, dc_);
  dc_ = nullptr;
  window_ = nullptr;
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(this) {}

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT && Message.WParam) {
    detail::CanvasOnDC onDC(canvas_, reinterpret_cast<HDC>(Message.WParam));
    Paint();
    return;
  }
  TControl::Dispatch(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(this) {}

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_PAINT) {
    TWinControl::Dispatch(Message);
    return;
  }
  SetControlState(ControlState() | csCustomPaint);
  TWinControl::Dispatch(Message);
  SetControlState(ControlState() & ~csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC) {
  detail::CanvasOnDC onDC(canvas_, DC);
  Paint();
}

// --- Finding controls, capture, mouse ------------------------------------------------------

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  DWORD pid = 0;
  GetWindowThreadProcessId(Handle, &pid);
  if (pid != GetCurrentProcessId()) return nullptr;
  return static_cast<TWinControl*>(GetPropA(Handle, kControlProp));
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  TWinControl* win = FindControl(WindowFromPoint(Pos));
  if (!win) return nullptr;
  TControl* c = win->ControlAtPos(win->ScreenToClient(Pos), AllowDisabled);
  return c ? c : win;
}

TControl* GetCaptureControl() {
  TControl* c = FindControl(GetCapture());
  if (c && g_captureControl && g_captureControl->Parent() == c) c = g_captureControl;
  return c;
}

void SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  g_captureControl = nullptr;
  if (!Control) return;
  auto* win = dynamic_cast<TWinControl*>(Control);
  if (!win) {
    if (!Control->Parent()) return;
    g_captureControl = Control;
    win = Control->Parent();
  }
  SetCapture(win->Handle());
}

TPoint TMouse::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

void TMouse::SetCursorPos(const TPoint& Value) { ::SetCursorPos(Value.x, Value.y); }

void TMouse::SetCapture(HWND Value) {
  if (Value) {
    ::SetCapture(Value);
  } else {
    ReleaseCapture();
  }
}

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}

namespace {
TMouse g_mouse;
}  // namespace

TMouse* Mouse = &g_mouse;

namespace detail {

TControl* MouseControl() { return g_mouseControl; }

void SetMouseControl(TControl* Control) {
  if (Control == g_mouseControl) return;
  TControl* old = g_mouseControl;
  g_mouseControl = Control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (Control && g_mouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

LRESULT CALLBACK InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* control = static_cast<TWinControl*>(GetPropA(Wnd, kControlProp));
  if (!control && g_creationControl) {
    control = g_creationControl;
    g_creationControl = nullptr;
    control->handle_ = Wnd;
    SetPropA(Wnd, kControlProp, control);
  }
  if (!control) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  TMessage m{Msg, WParam, LParam, 0};
  control->MainWndProc(m);
  if (Msg == WM_NCDESTROY) {
    RemovePropA(Wnd, kControlProp);
    if (control->handle_ == Wnd) {
      control->handle_ = nullptr;
      control->showing_ = false;
    }
  }
  return m.Result;
}

void SetCreationControl(TWinControl* Control) { g_creationControl = Control; }


}  // namespace detail
