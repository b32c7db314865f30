#pragma once
// Forms, scrolling containers, the application object and the screen.
//
// A form is a class whose controls are members, built in code by a builder function that its
// constructor hands to InitializeForm: the form is in its loading state while the builder runs,
// Loaded then runs on each component in creation order, and then OnCreate.
//
// Application is the program's one TApplication: its hidden window of class "TApplication" carries
// the program's title (a second copy of the program finds it), it owns the forms made with
// CreateForm and runs the message loop. Exceptions that escape an event handler reach
// HandleException, which shows them in the default error box; the program carries on.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Icon.h"
#include "toolkit/ui/Controls.h"

class TForm;
class TMainMenu;
class THintWindow;

using TBorderIcons = std::uint8_t;
constexpr TBorderIcons biSystemMenu = 1u << 0;
constexpr TBorderIcons biMinimize = 1u << 1;
constexpr TBorderIcons biMaximize = 1u << 2;
constexpr TBorderIcons biHelp = 1u << 3;

enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// FormState bits, the platform's values.
using TFormState = std::uint8_t;
constexpr TFormState fsCreating = 1u << 0;
constexpr TFormState fsVisible = 1u << 1;
constexpr TFormState fsShowing = 1u << 2;
constexpr TFormState fsModal = 1u << 3;
constexpr TFormState fsCreatedMDIChild = 1u << 4;
constexpr TFormState fsActivated = 1u << 5;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using THelpEvent = std::function<bool(WORD Command, ULONG_PTR Data, bool& CallHelp)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
// A hook on the application's window: answers true when it handled the message.
using TWindowHook = TMethod<bool(TMessage&)>;

// --- Scrolling containers --------------------------------------------------------------------

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollingWinControl;

// One of the window's own scroll bars over a scrolling container: Range is the size of the scrolled
// area, Position how far it is scrolled (0 .. Range - the client size).
class TControlScrollBar {
 public:
  TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind) : control_(Control), kind_(Kind) {}
  TScrollBarKind Kind() const { return kind_; }
  int Range() const { return range_; }
  void SetRange(int Value);
  int Position() const { return position_; }
  void SetPosition(int Value);
  int Increment() const { return increment_; }
  void SetIncrement(int Value) { increment_ = Value; }
  // Scrolls while the thumb is dragged, not only when it is let go.
  bool Tracking() const { return tracking_; }
  void SetTracking(bool Value) { tracking_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  // The scroll bar is shown: visible, and the range exceeds the client size.
  bool IsScrollBarVisible();

 private:
  friend class TScrollingWinControl;
  int ControlSize();
  void CalcAutoRange();
  void Update();
  void ScrollMessage(TMessage& Message);
  TScrollingWinControl* control_;
  TScrollBarKind kind_;
  int range_ = 0;
  int position_ = 0;
  int increment_ = 8;
  bool tracking_ = false;
  bool visible_ = true;
};

// A windowed container whose children lie on an area larger than its client area, scrolled by
// its window's scroll bars. With AutoScroll the ranges follow the children.
class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  TControlScrollBar* HorzScrollBar() { return &horzScrollBar_; }
  TControlScrollBar* VertScrollBar() { return &vertScrollBar_; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool Value);
  // Scrolls until Control lies inside the client area.
  void ScrollInView(TControl* AControl);
  // Moves the children by (DeltaX, DeltaY).
  void ScrollBy(int DeltaX, int DeltaY);
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateWnd() override;
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  friend class TControlScrollBar;
  void UpdateScrollBars();
  TControlScrollBar horzScrollBar_{this, sbHorizontal};
  TControlScrollBar vertScrollBar_{this, sbVertical};
  bool autoScroll_ = true;
  bool updatingBars_ = false;
};

class TScrollBox : public TScrollingWinControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  TBorderStyle borderStyle_ = bsSingle;
};

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  void BeforeDestruction() override;

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  TFormState FormState() const { return formState_; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }
  TCanvas* Canvas() { return &canvas_; }
  // The form's own icon; empty: the application's.
  TIcon* Icon() const { return icon_.get(); }
  void SetIcon(const TIcon* Value) { icon_->Assign(Value); }
  TRect ClientRect() override;

  void SetVisible(bool Value);
  void Show();
  void Hide();
  // Shows the form modally until ModalResult is set; returns it.
  int ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  // Closes the form: OnCloseQuery, OnClose and the close action.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the message being handled has returned.
  void Release();

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  // Makes Control the focused one: CM_EXIT and CM_ENTER along the way, then CM_FOCUSCHANGED.
  bool SetFocusedControl(TWinControl* Control);
  bool Active() const { return active_; }
  void SetFocus() override;

  // The menu bar: a main menu shown on the form's window (again after the window is made anew).
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* Value);
  // A key the focused control did not want: true when the form's menu took it as a shortcut.
  virtual bool IsShortCut(TMessage& Message);

  // MDI frames: the client window and the active child.
  HWND ClientHandle() const { return clientHandle_; }
  TCustomForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int Index) const;

  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  // Builds the form's components in code (see the header comment), then OnCreate.
  void InitializeForm(const std::function<void()>& Builder);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void PaintWindow(HDC DC) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TApplication;
  void CMShowingChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMHelp(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void CloseModal();
  void SetActive(bool Value);
  void SetWindowFocus();
  void PositionForShow();
  void UpdateIcon();
  bool IsMDIChild() const { return formStyle_ == fsMDIChild; }

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TFormStyle formStyle_ = fsNormal;
  TFormState formState_ = 0;
  bool keyPreview_ = false;
  bool active_ = false;
  TModalResult modalResult_ = mrNone;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  HWND clientHandle_ = nullptr;
  TControlCanvas canvas_;
  std::unique_ptr<TIcon> icon_ = std::make_unique<TIcon>();
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner);
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect WorkAreaRect() const;
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;
  int PixelsPerInch() const;
  // The font of menus, from the system's non-client metrics (read on first use).
  TFont* MenuFont();

  TForm* ActiveForm() const { return activeForm_; }
  TCustomForm* ActiveCustomForm() const { return activeCustomForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int Index) const { return forms_.at(Index); }
  int CustomFormCount() const { return static_cast<int>(customForms_.size()); }
  TCustomForm* CustomForms(int Index) const { return customForms_.at(Index); }

  // The cursor shown over every form while it is not crDefault (crHourGlass during long work).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  HCURSOR Cursors(TCursor Index);
  void SetCursors(TCursor Index, HCURSOR Handle);

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

 private:
  friend class TCustomForm;
  friend class TForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetFocused(TCustomForm* Form, TWinControl* Control);

  std::unique_ptr<TFont> menuFont_;
  std::vector<TForm*> forms_;
  std::vector<TCustomForm*> customForms_;
  TForm* activeForm_ = nullptr;
  TCustomForm* activeCustomForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TCustomForm* focusedForm_ = nullptr;
  std::vector<TCustomForm*> savedFocusedForms_;
  TCursor cursor_ = crDefault;
  std::vector<std::pair<TCursor, HCURSOR>> cursors_;
};

namespace detail {
class TScreenColormap;
}

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  // The hidden application window (class "TApplication", text = Title).
  HWND Handle() const { return handle_; }
  std::string Title() const;
  void SetTitle(const std::string& Value);
  std::string ExeName() const;

  // Creates a form (or data module) owned by the application into Reference; the first form
  // becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    T* instance = new T(this);
    Reference = instance;
    if (!mainForm_) {
      if (auto* form = dynamic_cast<TForm*>(static_cast<TComponent*>(instance))) {
        form->HandleNeeded();
        mainForm_ = form;
      }
    }
  }
  TForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool Value) { showMainForm_ = Value; }

  // Shows the main form and handles messages until Terminate (or the main form closes).
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();
  // Handles one message, waiting for one when there is none.
  void HandleMessage();
  // Call from inside a catch block: shows the exception (or hands it to OnException).
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  // The one message box of the program (Dialogs.h routes every message through it).
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);

  bool Active() const { return active_; }
  void Minimize();
  void Restore();
  void BringToFront();

  // The program's icon (on the application window and on forms without one of their own).
  TIcon* Icon() const { return icon_.get(); }
  void SetIcon(const TIcon* Value) { icon_->Assign(Value); }

  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  void CancelHint();
  int HintPause() const { return hintPause_; }
  void SetHintPause(int Value) { hintPause_ = Value; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int Value) { hintHidePause_ = Value; }
  // The background of hint windows.
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor Value) { hintColor_ = Value; }
  // The window that shows the application's hints.
  THintWindow* HintWindow() const { return hintWindow_; }
  // The hint window's text while a hint shows, else "".
  std::string CurrentHint() const;
  void HintMouseEnter(TControl* Control);
  void HintMouseLeave(TControl* Control);

  void HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(TWindowHook Hook);

  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& Value) { helpFile_ = Value; }
  // Asks for help on a context: OnHelp first, then the help file.
  bool HelpContext(int Context);
  bool HelpCommand(WORD Command, ULONG_PTR Data);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnRestore;
  TNotifyEvent OnMinimize;
  THelpEvent OnHelp;
  TExceptionEvent OnException;
  TMessageEvent OnMessage;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomForm;
  static LRESULT CALLBACK AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void WndProc(TMessage& Message);
  bool ProcessMessage(MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  bool IsMDIMsg(MSG& Msg);
  void SetActive(bool Value);
  void ShowHintNow();

  HWND handle_ = nullptr;
  TForm* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  bool active_ = false;
  bool showHint_ = true;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  TControl* hintControl_ = nullptr;
  THintWindow* hintWindow_ = nullptr;
  TColor hintColor_ = clInfoBk;
  std::string hintText_;
  std::unique_ptr<TIcon> icon_ = std::make_unique<TIcon>();
  std::string helpFile_;
  std::vector<TWindowHook> windowHooks_;
  std::unique_ptr<detail::TScreenColormap> screenColormap_;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates Application and Screen (the program's entry and the tests' set-up call it once).
void InitControls();
// Frees Application, with every form and component it owns, and Screen.
void DoneControls();

// The form the control sits on, or nullptr.
TCustomForm* GetParentForm(TControl* Control);
