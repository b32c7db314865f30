#pragma once
// Common controls over comctl32: progress bars, status bars and page controls with their sheets.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

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
