#pragma once
// Common controls over comctl32: progress bars, status bars, tab and page controls, list views,
// toolbars with their buttons and page scrollers.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"

namespace detail {
// Registers the common controls' window classes of Classes (ICC_ bits).
void InitCommonControl(DWORD Classes);
}  // namespace detail

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const { return min_; }
  void SetMin(int Value);
  int Max() const { return max_; }
  void SetMax(int Value);
  int Position();
  void SetPosition(int Value);
  int Step() const { return step_; }
  void SetStep(int Value);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool Value);
  // Moves Position by Step (wrapping to Min past Max, as the system bar does).
  void StepIt();
  void StepBy(int Delta);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
  bool smooth_ = false;
};

class TStatusBar;

class TStatusPanel {
 public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);

 private:
  friend class TStatusBar;
  TStatusBar* bar_ = nullptr;
  std::string text_;
  int width_ = 50;
};

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* AOwner);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel* Panels(int Index) const { return panels_.at(static_cast<size_t>(Index)).get(); }
  TStatusPanel* AddPanel();
  // One text over the whole bar instead of the panels.
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& Value);
  // Brings the window in line with the panels.
  void UpdatePanels();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

 private:
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  bool simplePanel_ = false;
  std::string simpleText_;
};

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* Value);
  // The sheet's place among the page control's sheets.
  int PageIndex() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool Value);
  // The sheet's index among the visible tabs, or -1.
  int TabIndex() const;
  void Dispatch(TMessage& Message) override;

 private:
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// A system tab control: tab placement, the display area inside the tabs, and the tab changes
// (OnChanging may refuse one, OnChange follows it).
class TCustomTabControl : public TWinControl {
 public:
  explicit TCustomTabControl(TComponent* AOwner);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition Value);
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  // The selected tab of the window, -1 without one.
  int SelectedTab() const;
  virtual bool CanChange();
  virtual void Change();

 private:
  TTabPosition tabPosition_ = tpTop;
};

// Tabs without pages: one tab per line of Tabs; the program shows what belongs to TabIndex.
class TTabControl : public TCustomTabControl {
 public:
  explicit TTabControl(TComponent* AOwner);
  ~TTabControl() override;
  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(const TStrings* Value) { tabs_->Assign(Value); }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int Value);

 protected:
  void CreateWnd() override;
  void Change() override;

 private:
  void UpdateTabs();
  std::unique_ptr<TStringList> tabs_;
  int tabIndex_ = -1;
};

class TPageControl : public TCustomTabControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(static_cast<size_t>(Index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
  void SetActivePageIndex(int Index);
  // The tab index of the active page among the visible tabs (-1 without one).
  int TabIndex();

 protected:
  void CreateWnd() override;
  void Change() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  // Builds the tabs from the visible sheets.
  void UpdateTabs();
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

// --- List views -----------------------------------------------------------------------------

class TCustomImageList;
class TCustomListView;

class TListColumn {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  int Width() const { return width_; }
  void SetWidth(int Value);

 private:
  friend class TCustomListView;
  TCustomListView* view_ = nullptr;
  int index_ = 0;
  std::string caption_;
  int width_ = 50;
};

class TListItem {
 public:
  explicit TListItem(TCustomListView* Owner);
  ~TListItem();
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  // The texts of the columns after the first.
  TStrings* SubItems() const { return subItems_.get(); }
  void* Data() const { return data_; }
  void SetData(void* Value) { data_ = Value; }
  bool Selected() const;
  void SetSelected(bool Value);
  int Index() const;
  TCustomListView* ListView() const { return view_; }

 private:
  friend class TCustomListView;
  void UpdateWindow();
  TCustomListView* view_;
  std::string caption_;
  int imageIndex_ = -1;
  std::unique_ptr<TStringList> subItems_;
  void* data_ = nullptr;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TCustomListView : public TWinControl {
 public:
  explicit TCustomListView(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;
  ~TCustomListView() override;

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  TListColumn* Columns(int Index) const { return columns_.at(static_cast<size_t>(Index)).get(); }
  TListColumn* AddColumn();

  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Items(int Index) const { return items_.at(static_cast<size_t>(Index)).get(); }
  TListItem* AddItem();
  void DeleteItem(int Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();

  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle Value);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TCustomImageList* Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool Value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);

  // The first selected item, or nullptr.
  TListItem* Selected();
  void SetSelected(TListItem* Item);
  int ItemIndex();
  void SetItemIndex(int Value);
  // The first item from StartIndex (after it unless Inclusive) whose caption is Value, or starts
  // with it when Partial; Wrap goes on from the top.
  TListItem* FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive, bool Wrap);
  // The item with that data, or nullptr.
  TListItem* FindData(int StartIndex, void* Value, bool Inclusive, bool Wrap);

  void Dispatch(TMessage& Message) override;

  TLVSelectItemEvent OnSelectItem;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TListItem;
  friend class TListColumn;
  int IndexOf(const TListItem* Item) const;
  void InsertColumnWindow(const TListColumn& Column);
  void InsertItemWindow(int Index);
  void UpdateImageLists();
  std::vector<std::unique_ptr<TListColumn>> columns_;
  std::vector<std::unique_ptr<TListItem>> items_;
  TViewStyle viewStyle_ = vsIcon;
  TCustomImageList* largeImages_ = nullptr;
  TCustomImageList* smallImages_ = nullptr;
  bool readOnly_ = false;
  bool rowSelect_ = false;
  bool multiSelect_ = false;
  bool hideSelection_ = true;
  int updateCount_ = 0;
};

class TListView : public TCustomListView {
 public:
  using TCustomListView::TCustomListView;
};

// --- Toolbars -------------------------------------------------------------------------------

class TToolBar;
class TToolButton;

// Custom drawing: the stage, and the item's state bits (the system's CDIS_ values).
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
using TCustomDrawState = std::uint32_t;
constexpr TCustomDrawState cdsSelected = CDIS_SELECTED;
constexpr TCustomDrawState cdsGrayed = CDIS_GRAYED;
constexpr TCustomDrawState cdsDisabled = CDIS_DISABLED;
constexpr TCustomDrawState cdsChecked = CDIS_CHECKED;
constexpr TCustomDrawState cdsFocused = CDIS_FOCUS;
constexpr TCustomDrawState cdsDefault = CDIS_DEFAULT;
constexpr TCustomDrawState cdsHot = CDIS_HOT;
constexpr TCustomDrawState cdsMarked = CDIS_MARKED;
constexpr TCustomDrawState cdsIndeterminate = CDIS_INDETERMINATE;

// What the toolbar leaves out when it draws a button itself (the system's TBCDRF_ values).
using TTBCustomDrawFlags = std::uint32_t;
constexpr TTBCustomDrawFlags tbNoEdges = TBCDRF_NOEDGES;
constexpr TTBCustomDrawFlags tbHiliteHotTrack = TBCDRF_HILITEHOTTRACK;
constexpr TTBCustomDrawFlags tbNoOffset = TBCDRF_NOOFFSET;
constexpr TTBCustomDrawFlags tbNoMark = TBCDRF_NOMARK;
constexpr TTBCustomDrawFlags tbNoEtchedEffect = TBCDRF_NOETCHEDEFFECT;

using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                       TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// A button of a toolbar: a window-less control whose place, look and clicks belong to the
// toolbar's window. A check button toggles Down on each click; adjacent Grouped check buttons
// keep one of them down.
class TToolButton : public TGraphicControl {
 public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  TToolBar* ToolBar() const { return toolBar_; }
  // The button's place among the toolbar's controls, -1 off a toolbar.
  int Index() const;
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle Value);
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool Value);
  bool Down() const;
  void SetDown(bool Value);
  // The button takes the width of its picture and caption instead of the toolbar's ButtonWidth.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);

  void Dispatch(TMessage& Message) override;

 private:
  friend class TToolBar;
  bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
  // Tells the toolbar that the button's look or layout changed.
  void Changed(bool Layout);
  TToolBar* toolBar_ = nullptr;
  TToolButtonStyle style_ = tbsButton;
  bool grouped_ = false;
  bool down_ = false;
  bool autoSize_ = false;
  int imageIndex_ = -1;
};

// A system toolbar holding the tool buttons (and other controls) placed on it, left to right in
// the order of their Left when they were added; the controls of a form being built keep their
// creation order.
class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;

  // The tool buttons, in toolbar order.
  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return disabledImages_; }
  void SetDisabledImages(TCustomImageList* Value);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int Value);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool Value);
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  // Captions right of the pictures instead of below them.
  bool List() const { return list_; }
  void SetList(bool Value);
  // The toolbar fits its buttons: the height, and the width too when not aligned to a side.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  // The canvas the custom-draw events draw on (the toolbar's DC while they run).
  TCanvas* Canvas() { return &canvas_; }

  void Dispatch(TMessage& Message) override;

  // The toolbar's background, before and after the system draws it; DefaultDraw false in
  // cdPrePaint leaves out everything the system draws.
  TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  // Each button, before and after the system draws it; DefaultDraw false in cdPrePaint leaves the
  // button to the handler.
  TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolButton;
  void InsertButton(TControl* Control);
  void RemoveButton(TControl* Control);
  void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
  void UpdateImageLists();
  // Rebuilds the window's buttons from the controls, then places the controls on them.
  void RecreateButtons();
  void UpdateButtonState(TToolButton* Button);
  // Reads the check states back from the window after it changed them.
  void ReadDownStates();
  void PlaceControls();
  void ButtonClicked(int Id);
  LRESULT CustomDraw(const NMTBCUSTOMDRAW& Draw);
  std::vector<TControl*> buttons_;
  TControlCanvas canvas_{this};
  TCustomImageList* images_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  TCustomImageList* disabledImages_ = nullptr;
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  bool showCaptions_ = false;
  bool flat_ = false;
  bool list_ = false;
  bool autoSize_ = false;
  int updating_ = 0;
};

// --- Page scrollers ---------------------------------------------------------------------------

enum TPageScrollerOrientation { soHorizontal, soVertical };

// Shows part of a wider (or taller) control with scroll buttons at its ends.
class TPageScroller : public TWinControl {
 public:
  explicit TPageScroller(TComponent* AOwner);
  TWinControl* Control() const { return control_; }
  // The control becomes the scroller's child and is scrolled.
  void SetControl(TWinControl* Value);
  TPageScrollerOrientation Orientation() const { return orientation_; }
  void SetOrientation(TPageScrollerOrientation Value);
  int ButtonSize() const { return buttonSize_; }
  void SetButtonSize(int Value);
  // How far the control is scrolled, in pixels.
  int Position();
  void SetPosition(int Value);

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TWinControl* control_ = nullptr;
  TPageScrollerOrientation orientation_ = soHorizontal;
  int buttonSize_ = 12;
  int position_ = 0;
  bool recalculating_ = false;
};

// Tree views, rich edits, up-down controls and track bars have headers of their own.
#include "toolkit/ui/ComCtrls_RichEdit.h"
#include "toolkit/ui/ComCtrls_TrackBar.h"
#include "toolkit/ui/ComCtrls_TreeView.h"
#include "toolkit/ui/ComCtrls_UpDown.h"
