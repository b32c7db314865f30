#pragma once
// Standard controls over the system's window classes: labels, buttons, check and radio boxes,
// edits, memos, list and combo boxes, group boxes, scroll bars. Each reports its toolkit class name and
// registers a window class of that name; a control handles its own notifications, reflected to it
// by its parent as CN_COMMAND, CN_DRAWITEM, ... in Dispatch, which derived controls override.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Controls.h"
#include "toolkit/ui/Forms.h"

// Keeps TStrings::GetObject its name where windows.h came after the string lists.
#undef GetObject

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// --- Labels -------------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool Transparent() const { return !(ControlStyle() & csOpaque); }
  void SetTransparent(bool Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  // The control that takes the focus when the label's accelerator is pressed.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* Value);

  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  // Draws (or, with DT_CALCRECT in Flags, measures) the caption in Rect.
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  // Fits the bounds to the caption when AutoSize is on.
  virtual void AdjustBounds();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  UINT DrawTextFlags() const;

 private:
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

// --- Buttons ------------------------------------------------------------------------------

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

 protected:
  // BN_CLICKED reached the control (reflected from its parent).
  virtual void ButtonClicked() { Click(); }
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;

  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool Value) { cancel_ = Value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int Value) { modalResult_ = Value; }

  void Click() override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;

  TCheckBoxState State() const { return state_; }
  virtual void SetState(TCheckBoxState Value);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool Value) { allowGrayed_ = Value; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  // Unchecked, checked, then grayed when AllowGrayed.
  virtual void Toggle();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void ButtonClicked() override { Toggle(); }

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;
  bool Checked() const { return checked_; }
  // Checking one unchecks the other radio buttons of its parent.
  void SetChecked(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void ButtonClicked() override;

 private:
  bool checked_ = false;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
};

// --- Edits --------------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool Value) { autoSelect_ = Value; }
  bool Modified() const;
  void SetModified(bool Value);

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);
  void SelectAll();
  void Clear() { SetText(""); }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();

 private:
  TBorderStyle borderStyle_ = bsSingle;
  bool ctl3D_ = true;
  char passwordChar_ = 0;
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool autoSelect_ = true;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  // The text as lines (what the window holds, split at its line breaks).
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(const TStrings* Value) { lines_->Assign(Value); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { wantReturns_ = Value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  void Dispatch(TMessage& Message) override;

 protected:
  // A memo whose lines reach the window their own way (rich edits).
  TCustomMemo(TComponent* AOwner, std::unique_ptr<TStrings> Lines);
  void CreateParams(TCreateParams& Params) override;

 private:
  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};

// --- Lists --------------------------------------------------------------------------------

namespace detail {
// The items of a list or combo box: kept here, and mirrored into the control's window whenever it
// has one (the window is refilled when it is made anew).
class TListControlItems : public TStrings {
 public:
  struct Messages {
    UINT AddString, InsertString, DeleteString, ResetContent, GetCurSel, SetCurSel;
  };
  TListControlItems(TWinControl* Control, const Messages& Msgs) : control_(Control), msgs_(Msgs) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& s) override;
  // Fills a newly made window with the items.
  void FillWindow();

 protected:
  void SetUpdateState(bool updating) override;

 private:
  void Check(int index) const;
  HWND Window() const;
  TWinControl* control_;
  Messages msgs_;
  std::vector<std::pair<std::string, TObject*>> items_;
};
}  // namespace detail

enum TOwnerDrawState_ : unsigned {
  odSelected = 1u << 0, odGrayed = 1u << 1, odDisabled = 1u << 2, odChecked = 1u << 3,
  odFocused = 1u << 4, odDefault = 1u << 5, odHotLight = 1u << 6, odNoAccel = 1u << 8, odComboBoxEdit = 1u << 12
};
using TOwnerDrawState = unsigned;
// State bits of an owner-drawn item from its DRAWITEMSTRUCT.
TOwnerDrawState OwnerDrawState(UINT ItemState);

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* Value) { items_->Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  bool Sorted() const { return sorted_; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Value);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle Value);
  int TopIndex();
  void SetTopIndex(int Value);
  int ItemAtPos(const TPoint& Pos, bool Existing);
  TRect ItemRect(int Index);
  void Clear() { items_->Clear(); }
  TCanvas* Canvas() { return &canvas_; }

  void Dispatch(TMessage& Message) override;

  TDrawItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

 private:
  std::unique_ptr<detail::TListControlItems> items_;
  TCanvas canvas_;
  bool multiSelect_ = false;
  bool sorted_ = false;
  int itemHeight_ = 16;
  TListBoxStyle style_ = lbStandard;
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value);
  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* Value) { items_->Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  int ItemHeight();
  void SetItemHeight(int Value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  void Clear();
  TCanvas* Canvas() { return &canvas_; }

  // The edit window of a simple or drop-down combo box and the window of its list.
  HWND EditHandle() const { return editHandle_; }
  HWND ListHandle() const { return listHandle_; }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // The sub-window procedures of the edit and the list: what they do not handle goes to the
  // window's own procedure through DefaultHandler of the message.
  virtual void EditWndProc(TMessage& Message);
  virtual void ListWndProc(TMessage& Message);
  void CallEditDefault(TMessage& Message);
  void CallListDefault(TMessage& Message);
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  virtual void Change();
  virtual void Select();
  void AdjustDropDown();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  static LRESULT CALLBACK SubWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void HookSubWindows();

  std::unique_ptr<detail::TListControlItems> items_;
  TCanvas canvas_;
  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  int itemHeight_ = 16;
  int maxLength_ = 0;
  bool sorted_ = false;
  HWND editHandle_ = nullptr;
  HWND listHandle_ = nullptr;
  WNDPROC editDefProc_ = nullptr;
  WNDPROC listDefProc_ = nullptr;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

// --- Scroll bars --------------------------------------------------------------------------

// A scroll bar control. Its scroll messages, reflected to it by its parent, move Position by
// SmallChange or LargeChange, to the thumb or to an end; OnScroll may change the new position,
// OnChange follows every change of it.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return min_; }
  void SetMin(int Value) { SetParams(position_, Value, max_); }
  int Max() const { return max_; }
  void SetMax(int Value) { SetParams(position_, min_, Value); }
  int Position() const { return position_; }
  void SetPosition(int Value) { SetParams(Value, min_, max_); }
  // Position, Min and Max at once; raises EInvalidOperation when Position lies outside Min..Max.
  void SetParams(int APosition, int AMin, int AMax);
  // The thumb's size in positions (0: a square thumb).
  int PageSize() const { return pageSize_; }
  void SetPageSize(int Value);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int Value) { smallChange_ = Value; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int Value) { largeChange_ = Value; }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

 private:
  void DoScroll(TMessage& Message);
  void UpdateWindow();
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
  int smallChange_ = 1, largeChange_ = 1;
};
