#include <algorithm>

#include "toolkit/ui/ComCtrls.h"

// --- TCustomTabControl ----------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
  detail::InitCommonControl(ICC_TAB_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLA);
  Params.Style |= WS_CLIPCHILDREN;
  if (tabPosition_ == tpBottom) Params.Style |= TCS_BOTTOM;
  if (tabPosition_ == tpLeft) Params.Style |= TCS_VERTICAL | TCS_MULTILINE;
  if (tabPosition_ == tpRight) Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
  TWinControl::AdjustClientRect(Rect);
  if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Rect));
}

void TCustomTabControl::SetTabPosition(TTabPosition Value) {
  if (tabPosition_ == Value) return;
  tabPosition_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomTabControl::SelectedTab() const {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    switch (reinterpret_cast<NMHDR*>(Message.LParam)->code) {
      case TCN_SELCHANGING:
        Message.Result = CanChange() ? FALSE : TRUE;
        return;
      case TCN_SELCHANGE:
        Change();
        return;
    }
  }
  TWinControl::Dispatch(Message);
}

// --- TTabControl ----------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* AOwner)
    : TCustomTabControl(AOwner), tabs_(std::make_unique<TStringList>()) {
  tabs_->OnChange = [this](TObject*) { UpdateTabs(); };
}

TTabControl::~TTabControl() { tabs_->OnChange = nullptr; }

void TTabControl::CreateWnd() {
  TCustomTabControl::CreateWnd();
  UpdateTabs();
}

void TTabControl::UpdateTabs() {
  // A tab index past the last tab is lost with it.
  if (tabIndex_ >= tabs_->Count()) tabIndex_ = -1;
  if (!HandleAllocated()) return;
  const HWND wnd = WindowHandle();
  SendMessageA(wnd, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < tabs_->Count(); ++i) {
    std::string text = tabs_->Get(i);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageA(wnd, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(wnd, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
  Realign();
}

void TTabControl::SetTabIndex(int Value) {
  tabIndex_ = Value >= 0 && Value < tabs_->Count() ? Value : -1;
  if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
}

void TTabControl::Change() {
  tabIndex_ = SelectedTab();
  TCustomTabControl::Change();
}
