#include "toolkit/ui/ComCtrls.h"

#include <algorithm>

#include "toolkit/rtl/Exceptions.h"

namespace {

// Loads the common controls' window classes once.
void InitCommonControl(DWORD Classes) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), Classes};
  InitCommonControlsEx(&icc);
}

}  // namespace

// --- TProgressBar ---------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_PROGRESS_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSA);
  if (smooth_) Params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int Value) {
  min_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SetMax(int Value) {
  max_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageA(WindowHandle(), PBM_GETPOS, 0, 0));
  return position_;
}

void TProgressBar::SetPosition(int Value) {
  position_ = std::clamp(Value, min_, std::max(min_, max_));
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int Value) {
  step_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetSmooth(bool Value) {
  if (smooth_ == Value) return;
  smooth_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TProgressBar::StepIt() { SendMessageA(Handle(), PBM_STEPIT, 0, 0); }

void TProgressBar::StepBy(int Delta) { SendMessageA(Handle(), PBM_DELTAPOS, static_cast<WPARAM>(Delta), 0); }

// --- TStatusBar -----------------------------------------------------------------------------

void TStatusPanel::SetText(const std::string& Value) {
  text_ = Value;
  if (bar_) bar_->UpdatePanels();
}

void TStatusPanel::SetWidth(int Value) {
  width_ = Value;
  if (bar_) bar_->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEA);
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY | SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

TStatusPanel* TStatusBar::AddPanel() {
  panels_.push_back(std::make_unique<TStatusPanel>());
  panels_.back()->bar_ = this;
  UpdatePanels();
  return panels_.back().get();
}

void TStatusBar::SetSimplePanel(bool Value) {
  simplePanel_ = Value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  simpleText_ = Value;
  UpdatePanels();
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  const HWND wnd = WindowHandle();
  SendMessageA(wnd, SB_SIMPLE, simplePanel_, 0);
  if (simplePanel_) {
    SendMessageA(wnd, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    return;
  }
  // Right edges; the last panel reaches the end of the bar.
  std::vector<int> edges;
  int x = 0;
  for (const auto& p : panels_) edges.push_back(x += p->width_);
  if (!edges.empty()) edges.back() = -1;
  SendMessageA(wnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < panels_.size(); ++i) {
    SendMessageA(wnd, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panels_[i]->text_.c_str()));
  }
}

// --- TTabSheet ------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetColor(clBtnFace);
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (pageControl_ == Value) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = Value;
  if (Value) {
    SetParent(Value);
    Value->InsertPage(this);
  }
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (TTabSheet* p : pageControl_->pages_) {
    if (p == this) return index;
    if (p->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (tabVisible_ == Value) return;
  tabVisible_ = Value;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& Message) {
  TWinControl::Dispatch(Message);
  if (Message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateTabs();
}

// --- TPageControl ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  // The sheets may outlive the control when they belong to another owner.
  while (!pages_.empty()) pages_.back()->SetPageControl(nullptr);
}

void TPageControl::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_TAB_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLA);
  Params.Style |= WS_CLIPCHILDREN;
  if (tabPosition_ == tpBottom) Params.Style |= TCS_BOTTOM;
  if (tabPosition_ == tpLeft) Params.Style |= TCS_VERTICAL | TCS_MULTILINE;
  if (tabPosition_ == tpRight) Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::AdjustClientRect(TRect& Rect) {
  TWinControl::AdjustClientRect(Rect);
  if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Rect));
}

void TPageControl::InsertPage(TTabSheet* Page) {
  pages_.push_back(Page);
  UpdateTabs();
  if (!activePage_) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  const bool wasActive = Page == activePage_;
  pages_.erase(std::remove(pages_.begin(), pages_.end(), Page), pages_.end());
  if (wasActive) {
    activePage_ = nullptr;
    const auto next = std::find_if(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->TabVisible(); });
    if (next != pages_.end() && !(ComponentState() & csDestroying)) SetActivePage(*next);
  }
  if (!(ComponentState() & csDestroying)) UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  const HWND wnd = WindowHandle();
  SendMessageA(wnd, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (TTabSheet* p : pages_) {
    if (!p->TabVisible()) continue;
    std::string text = p->Caption();
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageA(wnd, TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  const int tab = activePage_ ? activePage_->TabIndex() : -1;
  SendMessageA(wnd, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  Realign();
}

int TPageControl::TabIndex() { return activePage_ ? activePage_->TabIndex() : -1; }

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->PageControl() != this) return;
  if (Page == activePage_) return;
  TTabSheet* old = activePage_;
  activePage_ = Page;
  if (Page) {
    Page->SetVisible(true);
    Page->BringToFront();
  }
  if (old) old->SetVisible(false);
  if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(TabIndex()), 0);
}

void TPageControl::SetActivePageIndex(int Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? pages_[static_cast<size_t>(Index)] : nullptr);
}

void TPageControl::SetTabPosition(TTabPosition Value) {
  if (tabPosition_ == Value) return;
  tabPosition_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    switch (reinterpret_cast<NMHDR*>(Message.LParam)->code) {
      case TCN_SELCHANGING:
        Message.Result = CanChange() ? FALSE : TRUE;
        return;
      case TCN_SELCHANGE: {
        const int tab = static_cast<int>(SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
        for (TTabSheet* p : pages_) {
          if (p->TabIndex() == tab) SetActivePage(p);
        }
        Change();
        return;
      }
    }
  }
  TWinControl::Dispatch(Message);
}
