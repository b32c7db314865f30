#pragma once
// Common controls over comctl32: progress bars, status bars and page controls with their sheets.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"

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

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(static_cast<size_t>(Index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
  void SetActivePageIndex(int Index);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition Value);
  // The tab index of the active page among the visible tabs (-1 without one).
  int TabIndex();

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AdjustClientRect(TRect& Rect) override;
  virtual void Change();
  virtual bool CanChange();

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  // Builds the tabs from the visible sheets.
  void UpdateTabs();
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  TTabPosition tabPosition_ = tpTop;
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
