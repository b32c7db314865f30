#include <algorithm>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Controls.h"
#include "toolkit/ui/Forms.h"

namespace {

TPoint PointFromLParam(LPARAM l) { return TPoint{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))}; }
LPARAM LParamFromPoint(const TPoint& p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

template <class T>
void EraseValue(std::vector<T*>& v, const void* x) {
  v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

// Orders the controls of one alignment: the control being aligned keeps its place among equals.
bool InsertBefore(TControl* C1, TControl* C2, TAlign Align) {
  switch (Align) {
    case alTop: return C1->Top() < C2->Top();
    case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft: return C1->Left() < C2->Left();
    case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default: return false;
  }
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  TWinControl::BeforeDestruction();
  // Leave the parent while still a windowed control: it keeps those in a list of their own.
  if (Parent()) Parent()->RemoveControl(this);
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  // The window and the children go while the whole object still handles their messages.
  if (Parent()) RemoveFocus(true);
  if (handle_) DestroyWindowHandle();
  FreeChildControls();
}

void TWinControl::FreeChildControls() {
  while (ControlCount() > 0) {
    TControl* c = Controls(ControlCount() - 1);
    RemoveControl(c);
    c->Free();
  }
}

TControl* TWinControl::Controls(int Index) const {
  const int n = static_cast<int>(graphicControls_.size());
  if (Index < n) return graphicControls_.at(Index);
  return winControls_.at(Index - n);
}

// --- Messages ------------------------------------------------------------------------------

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    WindowProc(Message);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TCustomForm* form = GetParentForm();
      if (form && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (ControlState() & csFocusing) return;
      break;
    case WM_NCHITTEST:
      TControl::WndProc(Message);
      if (Message.Result == HTTRANSPARENT && handle_ &&
          ControlAtPos(ScreenToClient(PointFromLParam(Message.LParam)), false)) {
        Message.Result = HTCLIENT;
      }
      return;
    case WM_CANCELMODE: {
      TControl* capture = GetCaptureControl();
      if (capture && capture != this && capture->Parent() == this) capture->Perform(WM_CANCELMODE, 0, 0);
      break;
    }
  }
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && handle_) {
    // Mouse messages over a window-less child (or to the one that has the mouse) go to it.
    TControl* target = nullptr;
    if (GetCapture() == handle_) {
      TControl* capture = GetCaptureControl();
      if (capture && capture != this && capture->Parent() == this) target = capture;
    } else if (Message.Msg != WM_MOUSEWHEEL) {
      target = ControlAtPos(PointFromLParam(Message.LParam), false);
    }
    if (target) {
      const TPoint p = PointFromLParam(Message.LParam);
      if (Message.Msg == WM_MOUSEMOVE) TrackMouseLeave();
      Message.Result = target->Perform(Message.Msg, Message.WParam,
                                       LParamFromPoint(TPoint{p.x - target->Left(), p.y - target->Top()}));
      if (Message.Result == 0 && handle_) DefWindowProcA(handle_, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
  }
  TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_NOTIFY: WMNotify(Message); return;
    case WM_DRAWITEM: WMDrawItem(Message); return;
    case WM_MEASUREITEM: WMMeasureItem(Message); return;
    case WM_HSCROLL: case WM_VSCROLL:
      if (!Message.LParam || !DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
      return;
    case WM_COMPAREITEM:
      if (!DoControlMsg(reinterpret_cast<COMPAREITEMSTRUCT*>(Message.LParam)->hwndItem, Message)) DefaultHandler(Message);
      return;
    case WM_DELETEITEM:
      if (!DoControlMsg(reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->hwndItem, Message)) DefaultHandler(Message);
      return;
    case WM_SIZE: WMSize(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_MOUSELEAVE: WMMouseLeave(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_HELP: WMHelp(Message); return;
    case CN_KEYDOWN: case CN_SYSKEYDOWN: CNKeyDown(Message); return;
    case CN_CHAR: case CN_SYSCHAR: CNChar(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_RECREATEWND: CMRecreateWnd(Message); return;
    case CM_INVALIDATE: CMInvalidate(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    // Children that follow their parent's ShowHint take the new one.
    case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); return;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC:
      CMCtlColor(Message);
      return;
  }
  TControl::Dispatch(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!handle_) {
    TControl::DefaultHandler(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_CONTEXTMENU:
      if (Parent()) {
        Message.Result = Parent()->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result) return;
      }
      break;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      // Each control colours itself: the child hears it as CN_CTLCOLOR...
      if (FindControl(reinterpret_cast<HWND>(Message.LParam))) {
        Message.Result = SendMessageA(reinterpret_cast<HWND>(Message.LParam), CN_BASE + Message.Msg, Message.WParam,
                                      Message.LParam);
        return;
      }
      break;
  }
  Message.Result = CallWindowProcA(defWndProc_ ? defWndProc_ : DefWindowProcA, handle_, Message.Msg, Message.WParam,
                                   Message.LParam);
}

bool TWinControl::DoControlMsg(HWND ChildWnd, TMessage& Message) {
  TWinControl* child = FindControl(ChildWnd);
  if (!child || child == this) return false;
  Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& Message) {
  if (!Message.LParam || !DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom, Message)) DefaultHandler(Message);
}

void TWinControl::WMDrawItem(TMessage& Message) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (dis->CtlType == ODT_MENU || !DoControlMsg(dis->hwndItem, Message)) DefaultHandler(Message);
}

void TWinControl::WMMeasureItem(TMessage& Message) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (mis->CtlType != ODT_MENU && handle_) {
    // The item has no window handle in the message: find the child by its control id.
    for (TWinControl* child : winControls_) {
      if (child->handle_ && static_cast<UINT>(GetWindowLongPtrA(child->handle_, GWLP_ID)) == mis->CtlID) {
        Message.Result = child->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
        return;
      }
    }
  }
  DefaultHandler(Message);
}

// --- Window creation -----------------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  if (!Parent()) return;
  // The window's place among its siblings is the control's place in the list (the last on top):
  // beneath the first later sibling that has a window, else on top.
  HWND above = HWND_TOP;
  const auto& siblings = Parent()->winControls_;
  for (auto it = std::find(siblings.begin(), siblings.end(), this) + 1; it < siblings.end(); ++it) {
    if ((*it)->handle_) {
      above = (*it)->handle_;
      break;
    }
  }
  SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = text_;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle() & csAcceptsControls) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!enabled_) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() ? Parent()->Handle() : nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcA;
  Params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  Params.WindowClass.hInstance = GetModuleHandleA(nullptr);
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, ControlClassName, &wc) && !GetClassInfoA(GetModuleHandleA(nullptr), ControlClassName, &wc)) {
    throw EInvalidOperation(std::string("Window class ") + ControlClassName + " does not exist");
  }
  Params.WindowClass = wc;
  Params.WindowClass.style &= ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
  Params.WindowClass.hInstance = GetModuleHandleA(nullptr);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  }
  defWndProc_ = params.WindowClass.lpfnWndProc;
  WNDCLASSA existing{};
  const HINSTANCE inst = params.WindowClass.hInstance;
  if (!GetClassInfoA(inst, params.WinClassName.c_str(), &existing) || existing.lpfnWndProc != detail::InitWndProc) {
    if (existing.lpfnWndProc) UnregisterClassA(params.WinClassName.c_str(), inst);
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = detail::InitWndProc;
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&wc)) throw EOSError("Cannot register window class " + params.WinClassName, GetLastError());
  }
  SetControlState(ControlState() | csCreating);
  detail::SetCreationControl(this);
  try {
    CreateWindowHandle(params);
  } catch (...) {
    detail::SetCreationControl(nullptr);
    SetControlState(ControlState() & ~csCreating);
    throw;
  }
  detail::SetCreationControl(nullptr);
  SetControlState(ControlState() & ~csCreating);
  if (!handle_) throw EOSError("Cannot create the window of " + ClassName(), GetLastError());
  text_.clear();
  UpdateBounds();
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HWND h = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                           Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                           Params.WindowClass.hInstance, Params.Param);
  if (h && !handle_) {
    // No message reached the window during creation (it happens with some system classes).
    handle_ = h;
    detail::SetCreationControl(nullptr);
    SetPropA(h, "MzToolkitControl", this);
  }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* c : winControls_) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  text_ = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  SetControlState(ControlState() | csDestroyingHandle);
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
  showing_ = false;
  SetControlState(ControlState() & ~csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && handle_) ::SetFocus(handle_);
}

std::string TWinControl::GetText() const {
  if (!handle_) return TControl::GetText();
  const int len = GetWindowTextLengthA(handle_);
  std::string s(static_cast<size_t>(len) + 1, '\0');
  const int n = GetWindowTextA(handle_, s.data(), len + 1);
  s.resize(static_cast<size_t>(std::max(0, n)));
  return s;
}

// --- Showing -------------------------------------------------------------------------------

void TWinControl::UpdateShowing() {
  const bool show = visible_ && !(ControlState() & csReadingState) && !(ComponentState() & csDestroying);
  if (show) {
    if (!handle_) CreateHandle();
    const std::vector<TWinControl*> children = winControls_;
    for (TWinControl* c : children) c->UpdateShowing();
  }
  if (handle_ && showing_ != show) {
    if (!show && Application) Application->CancelHintOf(this);
    showing_ = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      showing_ = !show;
      throw;
    }
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* c = this;
  while (c->Parent()) {
    c = c->Parent();
    if (!c->Showing()) return;
  }
  if (dynamic_cast<TCustomForm*>(c)) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!visible_ && Parent()) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!enabled_ && Parent()) RemoveFocus(false);
  if (handle_) EnableWindow(handle_, enabled_);
}

void TWinControl::SetEnabled(bool Value) { TControl::SetEnabled(Value); }

void TWinControl::CMColorChanged(TMessage&) {
  brush_.SetColor(Color());
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage&) {
  Invalidate();
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMCtlColor(TMessage& Message) {
  const HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(brush_.Color())));
  Message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::Broadcast(TMessage& Message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

// --- Children ------------------------------------------------------------------------------

void TWinControl::InsertControl(TControl* AControl) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    winControls_.push_back(win);
    tabList_.push_back(win);
  } else {
    graphicControls_.push_back(AControl);
  }
  AControl->parent_ = this;
  if (!(ComponentState() & csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
      win->UpdateControlState();
    } else if (handle_) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    win->RemoveFocus(true);
    win->DestroyHandle();
    EraseValue(winControls_, win);
    EraseValue(tabList_, win);
  } else {
    AControl->InvalidateControl(AControl->Visible(), false);
    EraseValue(graphicControls_, AControl);
  }
  if (detail::MouseControl() == AControl) detail::SetMouseControl(nullptr);
  AControl->parent_ = nullptr;
  if (!(ComponentState() & csDestroying)) Realign();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->Parent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& P, bool AllowDisabled, bool AllowWinControls) {
  auto hit = [&](TControl* c) {
    const TRect r = c->BoundsRect();
    if (!PtInRect(&r, P) || !c->Visible() || !(c->Enabled() || AllowDisabled)) return false;
    return c->Perform(CM_HITTEST, 0, LParamFromPoint(TPoint{P.x - c->Left(), P.y - c->Top()})) != 0;
  };
  if (AllowWinControls) {
    for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it) {
      if (hit(*it)) return *it;
    }
  }
  for (auto it = graphicControls_.rbegin(); it != graphicControls_.rend(); ++it) {
    if (hit(*it)) return *it;
  }
  return nullptr;
}

void TWinControl::SetChildZOrder(TControl* Control, bool TopMost) {
  if (auto* win = dynamic_cast<TWinControl*>(Control)) {
    EraseValue(winControls_, win);
    if (TopMost) {
      winControls_.push_back(win);
    } else {
      winControls_.insert(winControls_.begin(), win);
    }
    if (win->handle_) {
      SetWindowPos(win->handle_, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  } else {
    EraseValue(graphicControls_, Control);
    if (TopMost) {
      graphicControls_.push_back(Control);
    } else {
      graphicControls_.insert(graphicControls_.begin(), Control);
    }
    Control->Invalidate();
  }
  Realign();
}

// --- Bounds and alignment ------------------------------------------------------------------

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ConstrainSize(AWidth, AHeight);
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (handle_ && !IsIconic(handle_)) {
    SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    left_ = ALeft;
    top_ = ATop;
    const bool sized = AWidth != width_ || AHeight != height_;
    width_ = AWidth;
    height_ = AHeight;
    if (sized) {
      Realign();
      if (!(ComponentState() & csLoading)) Resize();
    }
  }
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!handle_ || IsIconic(handle_)) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
    const HWND parent = GetParent(handle_);
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  UpdateBoundsRect(r);
}

TRect TWinControl::ClientRect() {
  if (handle_) {
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
  }
  return Rect(0, 0, std::max(0, Width() - 2 * borderWidth_), std::max(0, Height() - 2 * borderWidth_));
}

TPoint TWinControl::ClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::SetBorderWidth(int Value) {
  if (borderWidth_ == Value) return;
  borderWidth_ = Value;
  if (handle_) {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
  Realign();
}

void TWinControl::WMNCCalcSize(TMessage& Message) {
  DefaultHandler(Message);
  if (borderWidth_ > 0) {
    // BorderWidth is a frame inside the window's own border, outside the client area.
    RECT* r = reinterpret_cast<RECT*>(Message.LParam);
    InflateRect(r, -borderWidth_, -borderWidth_);
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
  }
}

void TWinControl::WMNCPaint(TMessage& Message) {
  DefaultHandler(Message);
  if (borderWidth_ <= 0) return;
  // Paint the BorderWidth frame in the control's colour.
  HDC dc = GetWindowDC(handle_);
  RECT window{}, client{};
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  RECT outer = client;
  InflateRect(&outer, borderWidth_, borderWidth_);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &outer, brush_.Handle());
  ReleaseDC(handle_, dc);
}

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!(ComponentState() & csLoading)) Resize();
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  // A message of our own (Perform with no record) only tells that bounds changed.
  if (Message.LParam) {
    auto* wp = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (!(wp->flags & SWP_NOCLIENTSIZE) || !(wp->flags & SWP_NOCLIENTMOVE)) UpdateBounds();
    DefaultHandler(Message);
  }
}

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (--alignLevel_ == 0 && (ControlState() & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (ComponentState() & csDestroying) return;
  if (alignLevel_ != 0 || (ComponentState() & csLoading)) {
    SetControlState(ControlState() | csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(AControl, r);
  SetControlState(ControlState() & ~csAlignmentNeeded);
  --alignLevel_;
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (AControl && AControl->Align() == align && AControl->Visible() && AControl->Parent() == this) {
      list.push_back(AControl);
    }
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c == AControl || c->Align() != align || !c->Visible()) continue;
      size_t j = 0;
      while (j < list.size() && !InsertBefore(c, list[j], align)) ++j;
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
    }
    for (TControl* c : list) {
      int x = Rect.left, y = Rect.top, w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
      switch (align) {
        case alTop: h = c->Height(); break;
        case alBottom: h = c->Height(); y = Rect.bottom - h; break;
        case alLeft: w = c->Width(); break;
        case alRight: w = c->Width(); x = Rect.right - w; break;
        default: break;
      }
      c->SetBounds(x, y, std::max(0, w), std::max(0, h));
      switch (align) {
        case alTop: Rect.top += c->Height(); break;
        case alBottom: Rect.bottom -= c->Height(); break;
        case alLeft: Rect.left += c->Width(); break;
        case alRight: Rect.right -= c->Width(); break;
        default: break;
      }
    }
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (ControlState() & csAlignmentNeeded) Realign();
}

// --- Painting ------------------------------------------------------------------------------

void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::CMInvalidate(TMessage& Message) {
  if (!handle_) return;
  if (Parent()) Parent()->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam == 0) InvalidateRect(handle_, nullptr, !(ControlStyle() & csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::WMPaint(TMessage& Message) {
  // Without window-less children or painting of its own, the window class paints.
  if (!(ControlState() & csCustomPaint) && ControlCount() == 0) {
    DefaultHandler(Message);
  } else {
    PaintHandler(Message);
  }
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  if (!dc) dc = BeginPaint(handle_, &ps);
  const int saved = SaveDC(dc);
  int clip = SIMPLEREGION;
  for (TControl* c : graphicControls_) {
    if (c->Visible() && (c->ControlStyle() & csOpaque)) {
      clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
      if (clip == NULLREGION) break;
    }
  }
  if (clip != NULLREGION) PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
  if (!Message.WParam) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = First ? std::find(graphicControls_.begin(), graphicControls_.end(), First) : graphicControls_.begin();
  for (; it != graphicControls_.end(); ++it) {
    TControl* c = *it;
    if (!c->Visible()) continue;
    if (!RectVisible(DC, &static_cast<const RECT&>(c->BoundsRect()))) continue;
    const int saved = SaveDC(DC);
    POINT old{};
    OffsetViewportOrgEx(DC, c->Left(), c->Top(), &old);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  const TRect r = ClientRect();
  FillRect(reinterpret_cast<HDC>(Message.WParam), &r, brush_.Handle());
  Message.Result = 1;
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  const int saved = SaveDC(DC);
  SetViewportOrgEx(DC, X, Y, nullptr);
  IntersectClipRect(DC, 0, 0, Width(), Height());
  SetControlState(ControlState() | csPaintCopy);
  TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC), 0};
  WindowProc(erase);
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  WindowProc(paint);
  SetControlState(ControlState() & ~csPaintCopy);
  for (TWinControl* c : winControls_) {
    if (c->Visible()) c->PaintTo(DC, c->Left(), c->Top());
  }
  RestoreDC(DC, saved);
}

// --- Mouse and cursor ----------------------------------------------------------------------

void TWinControl::TrackMouseLeave() {
  if (trackingMouse_ || !handle_) return;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
  trackingMouse_ = TrackMouseEvent(&tme) != FALSE;
}

void TWinControl::WMMouseMove(TMessage& Message) {
  TrackMouseLeave();
  detail::SetMouseControl(this);
  TControl::Dispatch(Message);
}

void TWinControl::WMMouseLeave(TMessage& Message) {
  trackingMouse_ = false;
  TControl* current = detail::MouseControl();
  if (current == this || (current && current->Parent() == this && !dynamic_cast<TWinControl*>(current))) {
    detail::SetMouseControl(nullptr);
  }
  DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == handle_ && LOWORD(Message.LParam) == HTCLIENT && Screen) {
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
      POINT p{};
      GetCursorPos(&p);
      ::ScreenToClient(handle_, &p);
      if (TControl* c = ControlAtPos(p, false)) cursor = c->Cursor();
      if (cursor == crDefault) cursor = Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen->Cursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// --- Focus and keys ------------------------------------------------------------------------

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (TWinControl* c = this; c != form; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return form->Visible() && form->Enabled();
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm()) {
    form->FocusControl(this);
  } else if (Parent()) {
    // Not on a form: focus the window directly.
    ::SetFocus(Handle());
  } else {
    ::SetFocus(Handle());
  }
}

void TWinControl::RemoveFocus(bool Removing) {
  if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, Removing);
}

void TWinControl::SetTabStop(bool Value) {
  if (tabStop_ == Value) return;
  tabStop_ = Value;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, Value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  EraseValue(list, this);
  const int n = static_cast<int>(list.size());
  if (Value < 0 || Value > n) Value = n;
  list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* c : tabList_) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  return list;
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list = GetTabOrderList();
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), CurControl) - list.begin());
  if (start == n) start = GoForward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[i];
    if (c == CurControl) break;
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this)) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
  if (!(ControlStyle() & csNoStdEvents)) {
    WORD key = static_cast<WORD>(Message.WParam);
    KeyDown(key, KeyboardStateToShiftState());
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
  if (!(ControlStyle() & csNoStdEvents)) {
    WORD key = static_cast<WORD>(Message.WParam);
    KeyUp(key, KeyboardStateToShiftState());
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (!(ControlStyle() & csNoStdEvents)) {
    char ch = static_cast<char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = static_cast<unsigned char>(ch);
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  const WPARAM key = Message.WParam;
  if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return;
  if (TCustomForm* form = GetParentForm(); form && form->IsShortCut(Message)) return;
  if (key == VK_F1 && Message.Msg == CN_KEYDOWN && !(KeyboardStateToShiftState() & (ssShift | ssCtrl | ssAlt))) {
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = handle_;
    GetCursorPos(&info.MousePos);
    SendMessageA(handle_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return;
  }
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, key, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    TCustomForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::WMHelp(TMessage& Message) {
  TCustomForm* form = GetParentForm();
  if (form && form != this) {
    Message.Result = form->Perform(WM_HELP, Message.WParam, Message.LParam);
  } else {
    DefaultHandler(Message);
  }
}

void TWinControl::GetPublishedProperties(TPropList& List) const {
  TControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      BoolProperty<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
      OrdProperty<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
      OrdProperty<TWinControl>("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}
