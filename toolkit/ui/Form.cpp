// TCustomForm and TForm.
#include <algorithm>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"

namespace {

// Disables the other enabled visible top-level windows of this thread while a modal form runs.
struct TaskWindows {
  HWND active = nullptr;
  std::vector<HWND> list;
};

BOOL CALLBACK DisableTaskWindow(HWND Wnd, LPARAM Data) {
  auto* tw = reinterpret_cast<TaskWindows*>(Data);
  if (Wnd != tw->active && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
    tw->list.push_back(Wnd);
    EnableWindow(Wnd, FALSE);
  }
  return TRUE;
}

std::vector<HWND> DisableTaskWindows(HWND Active) {
  TaskWindows tw{Active, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&tw));
  return tw.list;
}

void EnableTaskWindows(const std::vector<HWND>& List) {
  for (HWND h : List) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
}

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), canvas_(this) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  visible_ = false;
  SetBounds(0, 0, 320, 240);
  SetColor(clBtnFace);
  SetParentFont(false);
  icon_->OnChange = [this](TObject*) { UpdateIcon(); };
  if (Screen) Screen->AddForm(this);
}

void TCustomForm::UpdateIcon() {
  if (!WindowHandle()) return;
  HICON icon = !icon_->Empty() ? icon_->Handle() : Application ? Application->Icon()->Handle() : nullptr;
  SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

TCustomForm::~TCustomForm() {
  TCustomForm::BeforeDestruction();
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->mainForm_ == this) Application->mainForm_ = nullptr;
}

void TCustomForm::BeforeDestruction() {
  if (ComponentState() & csDestroying) return;
  TComponent::Destroying();
  if (!IsMDIChild() && WindowHandle()) SetVisible(false);
  try {
    DoDestroy();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  TWinControl::BeforeDestruction();
}

void TCustomForm::InitializeForm(const std::function<void()>& Builder) {
  formState_ |= fsCreating;
  try {
    BuildComponents(this, Builder);
  } catch (...) {
    formState_ &= ~fsCreating;
    throw;
  }
  formState_ &= ~fsCreating;
  DoCreate();
  if (formState_ & fsVisible) {
    formState_ &= ~fsVisible;
    SetVisible(true);
  }
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_ACTIVATE: Activate(); return;
    case CM_DEACTIVATE: Deactivate(); return;
    case CM_RELEASE: Free(); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_CLOSE: Close(); return;
    case WM_HELP: WMHelp(Message); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_PAINT:
      if (WindowHandle() && IsIconic(WindowHandle())) break;
      SetControlState(ControlState() | csCustomPaint);
      TWinControl::Dispatch(Message);
      SetControlState(ControlState() & ~csCustomPaint);
      return;
    case WM_SIZE:
      TWinControl::Dispatch(Message);
      if (WindowHandle()) {
        windowState_ = IsIconic(WindowHandle()) ? wsMinimized : IsZoomed(WindowHandle()) ? wsMaximized : wsNormal;
      }
      return;
  }
  TWinControl::Dispatch(Message);
}

// --- Window ---------------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_CLIPSIBLINGS);
  if (Parent()) {
    Params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
  } else {
    Params.WndParent = Application && formStyle_ != fsMDIChild ? Application->Handle() : nullptr;
  }
  Params.WindowClass.style = CS_DBLCLKS;
  switch (borderStyle_) {
    case bsNone:
      if (!Parent()) Params.Style |= WS_POPUP;
      break;
    case bsSingle: case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable: case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      Params.WindowClass.style |= CS_SAVEBITS;
      break;
  }
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != bsNone) {
    if (borderIcons_ & biSystemMenu) {
      Params.Style |= WS_SYSMENU;
      if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
        if (borderIcons_ & biMinimize) Params.Style |= WS_MINIMIZEBOX;
        if (borderIcons_ & biMaximize) Params.Style |= WS_MAXIMIZEBOX;
      }
      if ((borderIcons_ & biHelp) && (borderStyle_ == bsDialog || !(borderIcons_ & (biMinimize | biMaximize)))) {
        Params.ExStyle |= WS_EX_CONTEXTHELP;
      }
    }
  }
  if (formStyle_ == fsMDIChild) Params.ExStyle |= WS_EX_MDICHILD;
  if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (position_ == poDefault || position_ == poDefaultPosOnly) {
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
  }
  if (formStyle_ == fsMDIChild) Params.WindowClass.lpfnWndProc = DefMDIChildProcA;
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (formStyle_ == fsMDIForm && clientHandle_ && WindowHandle()) {
    Message.Result = DefFrameProcA(WindowHandle(), clientHandle_, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomForm::CreateWnd() {
  if (formStyle_ == fsMDIChild) {
    TForm* frame = Application ? Application->MainForm() : nullptr;
    if (!frame || frame->FormStyle() != fsMDIForm || !frame->ClientHandle()) {
      throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    }
  }
  TWinControl::CreateWnd();
  UpdateIcon();
  if (menu_) menu_->SetWindowHandle(WindowHandle());
  if (formStyle_ == fsMDIForm && !clientHandle_) {
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    const TRect r = ClientRect();
    clientHandle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, r.right,
                                    r.bottom, WindowHandle(), nullptr, GetModuleHandleA(nullptr), &ccs);
  }
}

void TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
  if (formStyle_ != fsMDIChild) {
    TWinControl::CreateWindowHandle(Params);
    return;
  }
  TCustomForm* frame = Application->MainForm();
  detail::SetCreationControl(this);
  HWND h = CreateMDIWindowA(Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X, Params.Y,
                            Params.Width, Params.Height, frame->ClientHandle(), GetModuleHandleA(nullptr), 0);
  (void)h;
  formState_ |= fsCreatedMDIChild;
}

void TCustomForm::DestroyWindowHandle() {
  // The window would take the menu bar with it.
  if (menu_) menu_->SetWindowHandle(nullptr);
  if (formState_ & fsCreatedMDIChild) {
    if (TForm* frame = Application ? Application->MainForm() : nullptr; frame && frame->ClientHandle()) {
      SendMessageA(frame->ClientHandle(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(WindowHandle()), 0);
    }
    formState_ &= ~fsCreatedMDIChild;
  }
  clientHandle_ = nullptr;
  TWinControl::DestroyWindowHandle();
}

TRect TCustomForm::ClientRect() {
  if (WindowHandle()) return TWinControl::ClientRect();
  // No window yet: the frame that the window will have, from the styles it will be made with.
  TCreateParams params;
  const_cast<TCustomForm*>(this)->CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  const int w = Width() - (frame.right - frame.left) - 2 * BorderWidth();
  const int h = Height() - (frame.bottom - frame.top) - 2 * BorderWidth();
  return Rect(0, 0, std::max(0, w), std::max(0, h));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (borderStyle_ == Value) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (borderIcons_ == Value) return;
  borderIcons_ = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (formStyle_ == Value) return;
  const TFormStyle old = formStyle_;
  formStyle_ = Value;
  if (WindowHandle() && (old == fsStayOnTop || Value == fsStayOnTop) && old != fsMDIChild && Value != fsMDIChild &&
      old != fsMDIForm && Value != fsMDIForm) {
    SetWindowPos(WindowHandle(), Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    RecreateWnd();
  }
}

TWindowState TCustomForm::WindowState() const { return windowState_; }

void TCustomForm::SetWindowState(TWindowState Value) {
  if (windowState_ == Value) return;
  windowState_ = Value;
  if (WindowHandle() && Showing()) {
    static const int commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(WindowHandle(), commands[Value]);
  }
}

// --- Showing and closing --------------------------------------------------------------------

void TCustomForm::SetVisible(bool Value) {
  if (formState_ & fsCreating) {
    if (Value) {
      formState_ |= fsVisible;
    } else {
      formState_ &= ~fsVisible;
    }
    return;
  }
  TControl::SetVisible(Value);
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
  if (WindowHandle()) SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::PositionForShow() {
  int x = Left(), y = Top();
  TCustomForm* center = nullptr;
  switch (position_) {
    case poScreenCenter: case poDesktopCenter:
      x = (Screen->Width() - Width()) / 2;
      y = (Screen->Height() - Height()) / 2;
      break;
    case poMainFormCenter: case poOwnerFormCenter:
      center = Application->MainForm();
      if (position_ == poOwnerFormCenter) {
        if (auto* owner = dynamic_cast<TCustomForm*>(Owner())) center = owner;
      }
      if (center && center != this) {
        x = (center->Width() - Width()) / 2 + center->Left();
        y = (center->Height() - Height()) / 2 + center->Top();
      } else {
        x = (Screen->Width() - Width()) / 2;
        y = (Screen->Height() - Height()) / 2;
      }
      break;
    default:
      return;
  }
  SetBounds(std::max(0, x), std::max(0, y), Width(), Height());
  position_ = poDesigned;
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (formState_ & fsShowing) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
  formState_ |= fsShowing;
  try {
    if (Showing()) {
      try {
        DoShow();
      } catch (...) {
        Application->HandleException(this);
      }
      PositionForShow();
      static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
      ShowWindow(WindowHandle(), commands[windowState_]);
      if (formStyle_ == fsMDIChild && Parent() == nullptr) {
        SendMessageA(GetParent(WindowHandle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(WindowHandle()), 0);
      }
    } else {
      try {
        DoHide();
      } catch (...) {
        Application->HandleException(this);
      }
      ShowWindow(WindowHandle(), SW_HIDE);
    }
  } catch (...) {
    formState_ &= ~fsShowing;
    throw;
  }
  formState_ &= ~fsShowing;
}

int TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || (formState_ & fsModal) || formStyle_ == fsMDIChild) {
    throw EInvalidOperation("Cannot make a visible window modal");
  }
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  formState_ |= fsModal;
  HWND activeWindow = GetActiveWindow();
  Screen->savedFocusedForms_.insert(Screen->savedFocusedForms_.begin(), Screen->focusedForm_);
  Screen->focusedForm_ = this;
  const TCursor savedCursor = Screen->Cursor();
  Screen->SetCursor(crDefault);
  HandleNeeded();
  const std::vector<HWND> disabled = DisableTaskWindows(WindowHandle());
  int result = mrNone;
  auto restore = [&] {
    Screen->SetCursor(savedCursor);
    EnableTaskWindows(disabled);
    if (!Screen->savedFocusedForms_.empty()) {
      Screen->focusedForm_ = Screen->savedFocusedForms_.front();
      Screen->savedFocusedForms_.erase(Screen->savedFocusedForms_.begin());
    } else {
      Screen->focusedForm_ = nullptr;
    }
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    formState_ &= ~fsModal;
  };
  try {
    Show();
    try {
      SendMessageA(WindowHandle(), CM_ACTIVATE, 0, 0);
      modalResult_ = mrNone;
      do {
        Application->HandleMessage();
        if (Application->Terminated()) {
          modalResult_ = mrCancel;
        } else if (modalResult_ != mrNone) {
          CloseModal();
        }
      } while (modalResult_ == mrNone);
      result = modalResult_;
      SendMessageA(WindowHandle(), CM_DEACTIVATE, 0, 0);
      if (GetActiveWindow() != WindowHandle()) activeWindow = nullptr;
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone) {
      modalResult_ = mrNone;
    } else if (action == caFree) {
      Release();
    }
  } catch (...) {
    modalResult_ = mrNone;
    Application->HandleException(this);
  }
}

void TCustomForm::Close() {
  if (formState_ & fsModal) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = formStyle_ == fsMDIChild ? ((borderIcons_ & biMinimize) ? caMinimize : caNone) : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

bool TCustomForm::CloseQuery() {
  if (formStyle_ == fsMDIForm) {
    for (int i = 0; i < MDIChildCount(); ++i) {
      if (!MDIChildren(i)->CloseQuery()) return false;
    }
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::PaintWindow(HDC DC) {
  detail::CanvasOnDC onDC(canvas_, DC);
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
  DefaultHandler(Message);
  auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  TSizeConstraints* c = Constraints();
  if (c->MinWidth() > 0) mmi->ptMinTrackSize.x = c->MinWidth();
  if (c->MinHeight() > 0) mmi->ptMinTrackSize.y = c->MinHeight();
  if (c->MaxWidth() > 0) mmi->ptMaxTrackSize.x = c->MaxWidth();
  if (c->MaxHeight() > 0) mmi->ptMaxTrackSize.y = c->MaxHeight();
}

// --- Focus and activation -------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control) return;
  if (Control && (Control == this || Control->GetParentForm() != this || !(formState_ & fsCreating ||
                                                                           ComponentState() & csLoading ||
                                                                           Control->CanFocus()))) {
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  }
  activeControl_ = Control;
  if (!(ComponentState() & csLoading) && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = active_;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  TWinControl* c = activeControl_ ? activeControl_ : this;
  ::SetFocus(c->Handle());
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(focusedControl_)) focusedControl_ = Control->Parent();
  if (Removing && Screen && Control->ContainsControl(Screen->activeControl_)) Screen->activeControl_ = nullptr;
  if (Control->ContainsControl(activeControl_)) SetActiveControl(nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control != this) {
    activeControl_ = Control;
  } else {
    activeControl_ = nullptr;
  }
  Screen->SetFocused(this, Control);
  if (Control->ControlState() & csFocusing) return false;
  Control->SetControlState(Control->ControlState() | csFocusing);
  try {
    if (Screen->focusedForm_ != this) {
      if (TCustomForm* old = Screen->focusedForm_) {
        Screen->focusedForm_ = nullptr;
        SendMessageA(old->Handle(), CM_DEACTIVATE, 0, 0);
      }
      Screen->focusedForm_ = this;
      SendMessageA(Handle(), CM_ACTIVATE, 0, 0);
    }
    if (!focusedControl_) focusedControl_ = this;
    if (focusedControl_ != Control) {
      while (focusedControl_ && !focusedControl_->ContainsControl(Control)) {
        TWinControl* leaving = focusedControl_;
        focusedControl_ = focusedControl_->Parent();
        leaving->Perform(CM_EXIT, 0, 0);
      }
      while (focusedControl_ != Control) {
        TWinControl* entering = Control;
        while (entering->Parent() != focusedControl_) entering = entering->Parent();
        focusedControl_ = entering;
        entering->Perform(CM_ENTER, 0, 0);
      }
      Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
  } catch (...) {
    Control->SetControlState(Control->ControlState() & ~csFocusing);
    throw;
  }
  Control->SetControlState(Control->ControlState() & ~csFocusing);
  return true;
}

void TCustomForm::SetActive(bool Value) {
  active_ = Value;
  if (!Value) return;
  if (!activeControl_) activeControl_ = FindNextControl(nullptr, true, true, false);
  SetWindowFocus();
}

void TCustomForm::WMActivate(TMessage& Message) {
  DefaultHandler(Message);
  const bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  // Without a window manager the application may never hear WM_ACTIVATEAPP: the first
  // activation of one of its forms activates it.
  if (active && Application && !Application->Active()) Application->SetActive(true);
  if (formStyle_ != fsMDIForm) SetActive(active);
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN,
                                               false);
          Message.Result = 1;
        }
        return;
    }
  }
  TWinControl::Dispatch(Message);
}

void TCustomForm::WMHelp(TMessage& Message) {
  auto* info = reinterpret_cast<HELPINFO*>(Message.LParam);
  int context = 0;
  if (info && info->iContextType == HELPINFO_WINDOW) {
    TControl* c = FindControl(static_cast<HWND>(info->hItemHandle));
    while (c && c->HelpContext() == 0) c = c->Parent();
    if (c) context = c->HelpContext();
  }
  if (context == 0) context = HelpContext();
  if (context != 0 && Application) Application->HelpContext(context);
  Message.Result = 1;
}

// --- MDI ------------------------------------------------------------------------------------

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (formStyle_ != fsMDIForm || !clientHandle_) return nullptr;
  auto child = reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(child));
}

int TCustomForm::MDIChildCount() const {
  int n = 0;
  if (formStyle_ != fsMDIForm || !clientHandle_) return 0;
  for (int i = 0; i < Screen->CustomFormCount(); ++i) {
    TCustomForm* f = Screen->CustomForms(i);
    if (f->formStyle_ == fsMDIChild && f->WindowHandle() && GetParent(f->WindowHandle()) == clientHandle_) ++n;
  }
  return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) const {
  for (int i = 0; i < Screen->CustomFormCount(); ++i) {
    TCustomForm* f = Screen->CustomForms(i);
    if (f->formStyle_ == fsMDIChild && f->WindowHandle() && GetParent(f->WindowHandle()) == clientHandle_ &&
        Index-- == 0) {
      return f;
    }
  }
  return nullptr;
}

void TCustomForm::GetPublishedProperties(TPropList& List) const {
  TWinControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      OrdProperty<TCustomForm>("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                               {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
      SetProperty<TCustomForm>("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
                               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}),
      OrdProperty<TCustomForm>("Position", &TCustomForm::Position, &TCustomForm::SetPosition,
                               {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}),
      OrdProperty<TCustomForm>("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                               {"wsNormal", "wsMinimized", "wsMaximized"}),
      OrdProperty<TCustomForm>("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
                               {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}),
      BoolProperty<TCustomForm>("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

// The menu's own functions are reached through its virtual members only: the form does not need
// the menus' library unless a program gives it a menu.
void TCustomForm::SetMenu(TMainMenu* Value) {
  if (menu_ == Value) return;
  if (menu_) menu_->SetWindowHandle(nullptr);
  menu_ = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  if (WindowHandle()) Value->SetWindowHandle(WindowHandle());
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  if (!menu_ || !menu_->WindowHandle()) return false;
  TShortCut key = static_cast<TShortCut>(Message.WParam & 0xFF);
  const TShiftState shift = KeyboardStateToShiftState();
  if (shift & ssShift) key |= scShift;
  if (shift & ssCtrl) key |= scCtrl;
  if (shift & ssAlt) key |= scAlt;
  return menu_->IsShortCut(key);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == menu_) menu_ = nullptr;
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {
  if (Screen) Screen->AddForm(this);
}

TCustomForm* GetParentForm(TControl* Control) { return Control ? Control->GetParentForm() : nullptr; }
