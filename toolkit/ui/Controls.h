#pragma once
// Controls: TControl (anything on a form), TWinControl (a control with a window), TGraphicControl
// (a window-less control painted by its parent) and TCustomControl (a windowed control with a
// canvas), with parents, bounds, alignment, focus and the toolkit's message dispatch.
//
// Hook points for code that extends a control's message handling:
// - WindowProc: the replaceable entry of every message (from the window, Perform or the parent).
//   It starts as WndProc. A subclassing object saves the current WindowProc, puts its own in
//   place, calls the saved one for what it does not handle, and puts the saved one back only
//   while WindowProc is still its own (TWndMethod compares by object and function).
// - WndProc: what a class handles before dispatch; overrides hand the rest to their base.
// - Dispatch: routes a message to the class's handler of that number, else to DefaultHandler.
// - DefaultHandler: the window class's original procedure (or the toolkit's stored text for a
//   control without a window).
// - Perform: sends a message straight to WindowProc and returns its Result.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Brush.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Colors.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/graphics/GraphicsTypes.h"
#include "toolkit/ui/Component.h"
#include "toolkit/ui/Messages.h"

class TWinControl;
class TCustomForm;

namespace detail {
// The window procedure shared by every toolkit window: finds the object through a window
// property of the toolkit's own and calls its WindowProc.
LRESULT CALLBACK InitWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
}  // namespace detail

// ControlStyle bits, the platform's values.
using TControlStyle = std::uint32_t;
constexpr TControlStyle csAcceptsControls = 1u << 0;
constexpr TControlStyle csCaptureMouse = 1u << 1;
constexpr TControlStyle csDesignInteractive = 1u << 2;
constexpr TControlStyle csClickEvents = 1u << 3;
constexpr TControlStyle csFramed = 1u << 4;
constexpr TControlStyle csSetCaption = 1u << 5;
constexpr TControlStyle csOpaque = 1u << 6;
constexpr TControlStyle csDoubleClicks = 1u << 7;
constexpr TControlStyle csFixedWidth = 1u << 8;
constexpr TControlStyle csFixedHeight = 1u << 9;
constexpr TControlStyle csNoDesignVisible = 1u << 10;
constexpr TControlStyle csReplicatable = 1u << 11;
constexpr TControlStyle csNoStdEvents = 1u << 12;
constexpr TControlStyle csDisplayDragImage = 1u << 13;
constexpr TControlStyle csReflector = 1u << 14;
constexpr TControlStyle csActionClient = 1u << 15;
constexpr TControlStyle csMenuEvents = 1u << 16;
constexpr TControlStyle csNeedsBorderPaint = 1u << 17;
constexpr TControlStyle csParentBackground = 1u << 18;

// ControlState bits, the platform's values.
using TControlState = std::uint32_t;
constexpr TControlState csLButtonDown = 1u << 0;
constexpr TControlState csClicked = 1u << 1;
constexpr TControlState csPalette = 1u << 2;
constexpr TControlState csReadingState = 1u << 3;
constexpr TControlState csAlignmentNeeded = 1u << 4;
constexpr TControlState csFocusing = 1u << 5;
constexpr TControlState csCreating = 1u << 6;
constexpr TControlState csPaintCopy = 1u << 7;
constexpr TControlState csCustomPaint = 1u << 8;
constexpr TControlState csDestroyingHandle = 1u << 9;
constexpr TControlState csDocking = 1u << 10;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border of a control: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// Shift state from the key state bits of a mouse message, or of the keyboard now.
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyboardStateToShiftState();

// Minimum and maximum size of a control; 0 means no limit.
class TSizeConstraints {
 public:
  int MinWidth() const { return minWidth_; }
  int MinHeight() const { return minHeight_; }
  int MaxWidth() const { return maxWidth_; }
  int MaxHeight() const { return maxHeight_; }
  void SetMinWidth(int Value);
  void SetMinHeight(int Value);
  void SetMaxWidth(int Value);
  void SetMaxHeight(int Value);
  std::function<void()> OnChange;

 private:
  void Change();
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TPopupMenu;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  // Every message enters here; starts as WndProc. Replace it to subclass; restore only while
  // the replacement is still in place (compare with ==).
  TWndMethod WindowProc;
  // What the class handles before dispatch (mouse routing, focus); overrides call their base.
  virtual void WndProc(TMessage& Message);
  // Routes a message to the class's handler of that number; unhandled ones go to DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  // The window class's own procedure; without a window, the stored text messages.
  virtual void DefaultHandler(TMessage& Message);
  // Sends a message straight to WindowProc and returns its Result.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  // The form the control sits on (through its parents), or nullptr.
  TCustomForm* GetParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
  void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
  void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
  void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& P);
  TPoint ScreenToClient(const TPoint& P);
  TSizeConstraints* Constraints() { return &constraints_; }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);

  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  TFont* Font() const { return font_.get(); }
  void SetFont(const TFont* Value) { font_->Assign(*Value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);

  // Caption and Text are the same text (the window text of a windowed control).
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  std::string Text() const { return GetText(); }
  void SetText(const std::string& Value);
  int GetTextLen() const;

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& Value) { hint_ = Value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  // The control's context menu (the menus' library defines these two).
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* Value);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState Value) { controlState_ = Value; }
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  virtual void Click();
  virtual void DblClick();

  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual std::string GetText() const;
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void Changed();
  void Loaded() override;
  // Tells the parent to realign its controls when this one's bounds or visibility matter to it.
  void RequestAlign();
  // Repaints the control's area in its parent (window-less controls).
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  virtual void UpdateBoundsRect(const TRect& R);
  // Applies Constraints to a proposed size.
  void ConstrainSize(int& AWidth, int& AHeight) const;

  // Message handlers reached through Dispatch.
  void WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);
  void WMMouseMove(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);

  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;

 private:
  friend class TWinControl;
  void FontChanged();
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TComponent* popupMenu_ = nullptr;
  TCursor cursor_ = crDefault;
  int helpContext_ = 0;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;
  TSizeConstraints constraints_;
};

// Parameters of the window a windowed control makes (CreateParams fills them).
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  // The registered class name of the window (the toolkit class name by default).
  std::string WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // The window, made on demand.
  HWND Handle();
  HWND WindowHandle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window and makes it anew (CM_RECREATEWND through WindowProc).
  void RecreateWnd();
  // The window is shown: visible itself and on a showing parent.
  bool Showing() const { return showing_; }

  int ControlCount() const { return static_cast<int>(graphicControls_.size() + winControls_.size()); }
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The visible enabled child control at P (client coordinates); window-less ones first.
  TControl* ControlAtPos(const TPoint& P, bool AllowDisabled, bool AllowWinControls = false);
  // Sends a message to every child control through its WindowProc.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int Value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  int TabOrder() const;
  void SetTabOrder(int Value);
  // Windowed children in tab order.
  std::vector<TWinControl*> GetTabOrderList() const;
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  virtual bool CanFocus();
  bool Focused() const;
  virtual void SetFocus();
  // The next windowed control in tab order after CurControl among this control's descendants.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return alignLevel_ > 0; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void SetEnabled(bool Value) override;
  // Paints the control and its children into DC at (X, Y).
  void PaintTo(HDC DC, int X, int Y);

  void GetPublishedProperties(TPropList& List) const override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  std::string GetText() const override;
  virtual void CreateParams(TCreateParams& Params);
  // Makes a subclass of a system window class (BUTTON, EDIT, ...): the system procedure becomes
  // the default handler and the window class takes the control's class name.
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // Brings the window in line with Visible and the parent's showing state.
  void UpdateControlState();
  void UpdateShowing();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  void AlignControl(TControl* AControl);
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  void PaintControls(HDC DC, TControl* First);
  virtual void DoEnter();
  virtual void DoExit();
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  void Loaded() override;
  // The brush that paints the background (Color).
  TBrush* Brush() { return &brush_; }
  // Offers a reflected notification to the child that owns ChildWnd; true when it was one of ours.
  bool DoControlMsg(HWND ChildWnd, TMessage& Message);

  // Message handlers reached through Dispatch.
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  void WMMeasureItem(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMHelp(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMCtlColor(TMessage& Message);

  WNDPROC defWndProc_ = nullptr;

 private:
  friend class TControl;
  friend LRESULT CALLBACK detail::InitWndProc(HWND, UINT, WPARAM, LPARAM);
  void MainWndProc(TMessage& Message);
  void RemoveFocus(bool Removing);
  void SetChildZOrder(TControl* Control, bool TopMost);
  void UpdateBounds();
  void FreeChildControls();
  // Asks for WM_MOUSELEAVE when the mouse leaves the window.
  void TrackMouseLeave();

  HWND handle_ = nullptr;
  bool showing_ = false;
  // Children: window-less ones (painted in this order) and windowed ones (z-order, first on top
  // of the list is the bottom window); Controls(i) lists the window-less ones first.
  std::vector<TControl*> graphicControls_;
  std::vector<TWinControl*> winControls_;
  std::vector<TWinControl*> tabList_;
  TBrush brush_;
  int borderWidth_ = 0;
  bool tabStop_ = false;
  int alignLevel_ = 0;
  bool trackingMouse_ = false;
};

// The canvas of a control: draws on the DC it is given while painting, or else takes one for the
// control's area (a window-less control draws on its parent's window).
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* Control) : control_(Control) {}
  ~TControlCanvas() override;
  // Releases the DC the canvas took for its control.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  TCanvas* Canvas() { return &canvas_; }
  void Dispatch(TMessage& Message) override;

 protected:
  virtual void Paint() {}

 private:
  TControlCanvas canvas_;
};

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* Canvas() { return &canvas_; }
  void Dispatch(TMessage& Message) override;

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

 private:
  TControlCanvas canvas_;
};

// The control whose window this is, or nullptr (only windows of this process made by the toolkit).
TWinControl* FindControl(HWND Handle);
// The control at a screen point (window-less ones included), or nullptr.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control that has the mouse captured (window-less ones through their parent), or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

class TMouse {
 public:
  TPoint CursorPos() const;
  void SetCursorPos(const TPoint& Value);
  HWND Capture() const { return GetCapture(); }
  void SetCapture(HWND Value);
  bool MousePresent() const { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
  int WheelScrollLines() const;
};

extern TMouse* Mouse;

namespace detail {
// The control under the mouse, which receives CM_MOUSEENTER and CM_MOUSELEAVE.
TControl* MouseControl();
void SetMouseControl(TControl* Control);
// The control whose window CreateWindowEx is making (it receives the first messages).
void SetCreationControl(TWinControl* Control);
}  // namespace detail
