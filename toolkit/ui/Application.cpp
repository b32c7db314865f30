// TApplication, the Application and Screen objects.
#include <algorithm>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/HintWindow.h"
#include "toolkit/ui/ScreenColormap.h"

#include <commctrl.h>

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

const char kAppClass[] = "TApplication";
const char kAppProp[] = "MzToolkitApplication";
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

std::string ShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  const HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!GetClassInfoA(inst, kAppClass, &wc)) {
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClass;
    RegisterClassA(&wc);
  }
  std::string title = ExeName();
  title = title.substr(title.find_last_of("\\/") + 1);
  title = title.substr(0, title.rfind('.'));
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateWindowExA(0, kAppClass, title.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, inst, nullptr);
  if (!handle_) throw EOSError("Cannot create the application window", GetLastError());
  SetPropA(handle_, kAppProp, this);
  screenColormap_ = std::make_unique<detail::TScreenColormap>();
  hintWindow_ = new THintWindow(this);
  icon_->OnChange = [this](TObject*) {
    SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_->Handle()));
    if (Screen) {
      for (int i = 0; i < Screen->CustomFormCount(); ++i) Screen->CustomForms(i)->UpdateIcon();
    }
  };
}

TApplication::~TApplication() {
  CancelHint();
  DestroyComponents();
  if (handle_) {
    RemovePropA(handle_, kAppProp);
    DestroyWindow(handle_);
  }
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
}

std::string TApplication::Title() const {
  char text[512] = {};
  GetWindowTextA(handle_, text, sizeof(text));
  return text;
}

void TApplication::SetTitle(const std::string& Value) { SetWindowTextA(handle_, Value.c_str()); }

std::string TApplication::ExeName() const {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}


void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
  if (Operation == opRemove && AComponent == hintControl_) CancelHint();
  if (Operation == opRemove && AComponent == hintWindow_) hintWindow_ = nullptr;
}

// --- Message loop -------------------------------------------------------------------------

void TApplication::Run() {
  if (mainForm_ && showMainForm_) {
    if (mainForm_->WindowState() == wsMinimized) {
      Minimize();
    } else {
      mainForm_->SetVisible(true);
    }
  }
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (hintWindow_ && hintWindow_->IsHintMsg(Msg)) CancelHint();
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  if (!handled && !IsMDIMsg(Msg) && !IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg) && !terminated_) WaitMessage();
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) {
    wnd = Msg.hwnd;
    if (mainForm_ && wnd == mainForm_->ClientHandle()) {
      wnd = mainForm_->WindowHandle();
    } else {
      // The nearest window of ours: others do not know the CN_ messages.
      while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
      if (!wnd) return false;
    }
  } else if (!FindControl(wnd)) {
    return false;
  }
  return SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsMDIMsg(MSG& Msg) {
  if (!mainForm_ || mainForm_->FormStyle() != fsMDIForm || !mainForm_->ClientHandle()) return false;
  TForm* active = Screen ? Screen->ActiveForm() : nullptr;
  if (!active || active->FormStyle() != fsMDIChild) return false;
  return TranslateMDISysAccel(mainForm_->ClientHandle(), &Msg) != FALSE;
}

// --- Exceptions and messages ----------------------------------------------------------------

void TApplication::HandleException(TObject* Sender) {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  if (!std::current_exception()) return;
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    if (OnException) {
      OnException(Sender, e);
    } else {
      ShowException(e);
    }
  } catch (...) {
    ShowException(Exception("Exceção desconhecida"));
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::string text = E.what();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  return detail::ShowMessageBox(Text, Caption, Flags);
}

// --- Application window ---------------------------------------------------------------------

LRESULT CALLBACK TApplication::AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* app = static_cast<TApplication*>(GetPropA(Wnd, kAppProp));
  if (!app) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  TMessage m{Msg, WParam, LParam, 0};
  app->WndProc(m);
  return m.Result;
}

void TApplication::WndProc(TMessage& Message) {
  try {
    // Hooks (the newest first) see every message before the application does.
    const std::vector<TWindowHook> hooks = windowHooks_;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
      if ((*it)(Message)) return;
    }
    switch (Message.Msg) {
      case WM_ACTIVATEAPP:
        Message.Result = DefWindowProcA(handle_, Message.Msg, Message.WParam, Message.LParam);
        SetActive(Message.WParam != 0);
        return;
      case CM_ACTIVATE:
        if (OnActivate) OnActivate(this);
        return;
      case CM_DEACTIVATE:
        if (OnDeactivate) OnDeactivate(this);
        return;
      case WM_SYSCOMMAND:
        switch (Message.WParam & 0xFFF0) {
          case SC_MINIMIZE: Minimize(); return;
          case SC_RESTORE: Restore(); return;
        }
        break;
      case WM_CLOSE:
        if (mainForm_) mainForm_->Close();
        return;
      case WM_QUERYENDSESSION:
        Message.Result = 1;
        return;
      case WM_TIMER:
        if (Message.WParam == kHintShowTimer) {
          KillTimer(handle_, kHintShowTimer);
          ShowHintNow();
          return;
        }
        if (Message.WParam == kHintHideTimer) {
          CancelHint();
          return;
        }
        break;
    }
    Message.Result = DefWindowProcA(handle_, Message.Msg, Message.WParam, Message.LParam);
  } catch (...) {
    HandleException(this);
  }
}

void TApplication::SetActive(bool Value) {
  if (active_ == Value) return;
  active_ = Value;
  // The activation event runs from the message loop, after the activating message.
  PostMessageA(handle_, Value ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
}

void TApplication::HookMainWindow(TWindowHook Hook) {
  if (std::find(windowHooks_.begin(), windowHooks_.end(), Hook) == windowHooks_.end()) windowHooks_.push_back(Hook);
}

void TApplication::UnhookMainWindow(TWindowHook Hook) {
  windowHooks_.erase(std::remove(windowHooks_.begin(), windowHooks_.end(), Hook), windowHooks_.end());
}

void TApplication::Minimize() {
  if (IsIconic(handle_)) return;
  ShowWindow(handle_, SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!IsIconic(handle_)) return;
  ShowWindow(handle_, SW_RESTORE);
  if (mainForm_ && mainForm_->WindowHandle() && mainForm_->Visible()) {
    SetForegroundWindow(mainForm_->WindowHandle());
  }
  if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
  if (!Screen) return;
  if (TForm* f = Screen->ActiveForm(); f && f->WindowHandle()) {
    SetForegroundWindow(f->WindowHandle());
  } else if (mainForm_ && mainForm_->WindowHandle()) {
    SetForegroundWindow(mainForm_->WindowHandle());
  }
}

// --- Help -----------------------------------------------------------------------------------

bool TApplication::HelpContext(int Context) { return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(Context)); }

bool TApplication::HelpCommand(WORD Command, ULONG_PTR Data) {
  bool callHelp = true;
  bool result = false;
  if (OnHelp) result = OnHelp(Command, Data, callHelp);
  if (callHelp && !helpFile_.empty()) result = WinHelpA(handle_, helpFile_.c_str(), Command, Data) != FALSE;
  return result;
}

// --- Hints ----------------------------------------------------------------------------------

void TApplication::SetShowHint(bool Value) {
  showHint_ = Value;
  if (!Value) CancelHint();
}

void TApplication::HintMouseEnter(TControl* Control) {
  if (!showHint_ || !Control->ShowHint() || ShortHint(Control->Hint()).empty()) {
    if (hintControl_) CancelHint();
    return;
  }
  CancelHint();
  hintControl_ = Control;
  SetTimer(handle_, kHintShowTimer, static_cast<UINT>(std::max(1, hintPause_)), nullptr);
}

void TApplication::HintMouseLeave(TControl* Control) {
  if (hintControl_ == Control) CancelHint();
}

void TApplication::ShowHintNow() {
  if (!hintControl_ || !hintWindow_) return;
  hintText_ = ShortHint(hintControl_->Hint());
  hintWindow_->SetColor(hintColor_);
  // Below the cursor, kept inside the work area.
  TRect r = hintWindow_->CalcHintRect(Screen ? Screen->Width() : 640, hintText_);
  POINT p{};
  GetCursorPos(&p);
  const int w = r.right - r.left, h = r.bottom - r.top;
  r = Bounds(p.x, p.y + 20, w, h);
  if (Screen) {
    const TRect area = Screen->WorkAreaRect();
    if (r.right > area.right) OffsetRect(&r, area.right - r.right, 0);
    if (r.left < area.left) OffsetRect(&r, area.left - r.left, 0);
    if (r.bottom > area.bottom) OffsetRect(&r, 0, p.y - h - r.top);
  }
  hintWindow_->ActivateHint(r, hintText_);
  SetTimer(handle_, kHintHideTimer, static_cast<UINT>(std::max(1, hintHidePause_)), nullptr);
}

void TApplication::CancelHint() {
  if (handle_) {
    KillTimer(handle_, kHintShowTimer);
    KillTimer(handle_, kHintHideTimer);
  }
  if (hintWindow_) hintWindow_->ReleaseHandle();
  hintText_.clear();
  hintControl_ = nullptr;
}

std::string TApplication::CurrentHint() const { return hintText_; }

// --- Start and end --------------------------------------------------------------------------

void InitControls() {
  if (Application) return;
  Screen = new TScreen(nullptr);
  Application = new TApplication(nullptr);
}

void DoneControls() {
  if (Application) {
    TApplication* app = Application;
    app->Free();
    Application = nullptr;
  }
  if (Screen) {
    TScreen* screen = Screen;
    Screen = nullptr;
    screen->Free();
  }
}
