#include <algorithm>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/ComCtrls.h"

// --- TToolButton ----------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

TToolButton::~TToolButton() = default;

int TToolButton::Index() const {
  if (!toolBar_) return -1;
  const auto& list = toolBar_->buttons_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (style_ == Value) return;
  const bool wasSeparator = IsSeparator();
  style_ = Value;
  if (IsSeparator() && !wasSeparator) SetWidth(8);
  Changed(true);
}

void TToolButton::SetGrouped(bool Value) {
  if (grouped_ == Value) return;
  grouped_ = Value;
  Changed(true);
}

bool TToolButton::Down() const { return down_; }

void TToolButton::SetDown(bool Value) {
  if (down_ == Value) return;
  down_ = Value;
  if (Value && grouped_ && style_ == tbsCheck && toolBar_) {
    // The other check buttons of the run of grouped ones around this one come up.
    const auto& list = toolBar_->buttons_;
    const int index = Index();
    auto inGroup = [&](int i) {
      auto* b = dynamic_cast<TToolButton*>(list[static_cast<size_t>(i)]);
      return b && b->grouped_ && b->style_ == tbsCheck ? b : nullptr;
    };
    for (int step : {-1, 1}) {
      for (int i = index + step; i >= 0 && i < static_cast<int>(list.size()); i += step) {
        TToolButton* b = inGroup(i);
        if (!b) break;
        if (b->down_) {
          b->down_ = false;
          b->Changed(false);
        }
      }
    }
  }
  Changed(false);
}

void TToolButton::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  Changed(true);
}

void TToolButton::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  Changed(true);
}

void TToolButton::Changed(bool Layout) {
  if (!toolBar_ || toolBar_->updating_) return;
  if (Layout) {
    toolBar_->RecreateButtons();
  } else {
    toolBar_->UpdateButtonState(this);
  }
}

void TToolButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_HITTEST:
      // The toolbar's window takes the mouse over its buttons.
      Message.Result = 0;
      return;
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
      TGraphicControl::Dispatch(Message);
      Changed(true);
      return;
    case CM_ENABLEDCHANGED:
      TGraphicControl::Dispatch(Message);
      Changed(false);
      return;
  }
  TGraphicControl::Dispatch(Message);
}

// --- TToolBar -------------------------------------------------------------------------------

namespace {

BYTE ButtonState(const TToolButton* B) {
  BYTE state = 0;
  if (B->Enabled()) state |= TBSTATE_ENABLED;
  if (!B->Visible()) state |= TBSTATE_HIDDEN;
  if (B->Down()) state |= B->Style() == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
  return state;
}

BYTE ButtonStyle(const TToolButton* B) {
  static constexpr BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN, BTNS_SEP, BTNS_SEP};
  BYTE style = styles[B->Style()];
  if (B->Grouped() && B->Style() == tbsCheck) style |= BTNS_GROUP;
  if (B->AutoSize()) style |= BTNS_AUTOSIZE;
  return style;
}

}  // namespace

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

TToolBar::~TToolBar() = default;

int TToolBar::ButtonCount() const {
  return static_cast<int>(std::count_if(buttons_.begin(), buttons_.end(),
                                        [](TControl* c) { return dynamic_cast<TToolButton*>(c) != nullptr; }));
}

TToolButton* TToolBar::Buttons(int Index) const {
  int n = Index;
  for (TControl* c : buttons_) {
    if (auto* b = dynamic_cast<TToolButton*>(c); b && n-- == 0) return b;
  }
  throw EListError("Toolbar button index out of bounds (" + std::to_string(Index) + ")");
}

void TToolBar::CreateParams(TCreateParams& Params) {
  detail::InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TOOLBARCLASSNAMEA);
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | WS_CLIPCHILDREN;
  if (flat_) Params.Style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
  if (list_) Params.Style |= TBSTYLE_LIST;
}

void TToolBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(WindowHandle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(WindowHandle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  UpdateImageLists();
  RecreateButtons();
}

void TToolBar::SetImageList(TCustomImageList*& Field, TCustomImageList* Value) {
  if (Field == Value) return;
  if (Field) Field->RemoveFreeNotification(this);
  Field = Value;
  if (Value) Value->FreeNotification(this);
  UpdateImageLists();
  RecreateButtons();
}

void TToolBar::SetImages(TCustomImageList* Value) { SetImageList(images_, Value); }
void TToolBar::SetHotImages(TCustomImageList* Value) { SetImageList(hotImages_, Value); }
void TToolBar::SetDisabledImages(TCustomImageList* Value) { SetImageList(disabledImages_, Value); }

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (TCustomImageList** field : {&images_, &hotImages_, &disabledImages_}) {
    if (*field == AComponent) {
      *field = nullptr;
      UpdateImageLists();
    }
  }
}

void TToolBar::UpdateImageLists() {
  if (!HandleAllocated()) return;
  auto handle = [](TCustomImageList* List) { return reinterpret_cast<LPARAM>(List ? List->Handle() : nullptr); };
  SendMessageA(WindowHandle(), TB_SETIMAGELIST, 0, handle(images_));
  SendMessageA(WindowHandle(), TB_SETHOTIMAGELIST, 0, handle(hotImages_));
  SendMessageA(WindowHandle(), TB_SETDISABLEDIMAGELIST, 0, handle(disabledImages_));
}

void TToolBar::SetButtonWidth(int Value) {
  if (buttonWidth_ == Value) return;
  buttonWidth_ = Value;
  RecreateButtons();
}

void TToolBar::SetButtonHeight(int Value) {
  if (buttonHeight_ == Value) return;
  buttonHeight_ = Value;
  RecreateButtons();
}

void TToolBar::SetShowCaptions(bool Value) {
  if (showCaptions_ == Value) return;
  showCaptions_ = Value;
  RecreateWnd();
}

void TToolBar::SetFlat(bool Value) {
  if (flat_ == Value) return;
  flat_ = Value;
  RecreateWnd();
}

void TToolBar::SetList(bool Value) {
  if (list_ == Value) return;
  list_ = Value;
  RecreateWnd();
}

void TToolBar::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  RecreateButtons();
}

void TToolBar::InsertButton(TControl* Control) {
  if (auto* b = dynamic_cast<TToolButton*>(Control)) b->toolBar_ = this;
  if (Control->ComponentState() & csLoading) {
    buttons_.push_back(Control);
  } else {
    // A control added at run time goes before the first one at or right of its Left.
    const auto at = std::find_if(buttons_.begin(), buttons_.end(),
                                 [&](TControl* c) { return c->Left() >= Control->Left(); });
    buttons_.insert(at, Control);
  }
  RecreateButtons();
}

void TToolBar::RemoveButton(TControl* Control) {
  const auto it = std::find(buttons_.begin(), buttons_.end(), Control);
  if (it == buttons_.end()) return;
  buttons_.erase(it);
  if (auto* b = dynamic_cast<TToolButton*>(Control)) b->toolBar_ = nullptr;
  RecreateButtons();
}

void TToolBar::RecreateButtons() {
  if (!HandleAllocated() || updating_ || (ComponentState() & csDestroying)) return;
  ++updating_;
  const HWND wnd = WindowHandle();
  while (SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(wnd, TB_DELETEBUTTON, 0, 0);
  SendMessageA(wnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
  std::vector<std::string> captions(buttons_.size());
  std::vector<TBBUTTON> items(buttons_.size());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TBBUTTON& item = items[i];
    item.idCommand = static_cast<int>(i);
    item.iString = -1;
    if (auto* b = dynamic_cast<TToolButton*>(buttons_[i])) {
      item.fsStyle = ButtonStyle(b);
      item.fsState = ButtonState(b);
      if (b->IsSeparator()) {
        item.iBitmap = b->Width();
      } else {
        item.iBitmap = b->ImageIndex() >= 0 ? b->ImageIndex() : I_IMAGENONE;
        if (showCaptions_) {
          captions[i] = b->Caption();
          item.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
        }
      }
    } else {
      // Any other control sits on a gap of its width.
      item.fsStyle = BTNS_SEP;
      item.fsState = buttons_[i]->Visible() ? TBSTATE_ENABLED : TBSTATE_HIDDEN;
      item.iBitmap = buttons_[i]->Width();
    }
  }
  if (!items.empty()) SendMessageA(wnd, TB_ADDBUTTONSA, items.size(), reinterpret_cast<LPARAM>(items.data()));
  SendMessageA(wnd, TB_AUTOSIZE, 0, 0);
  PlaceControls();
  --updating_;
}

void TToolBar::PlaceControls() {
  const HWND wnd = WindowHandle();
  int right = 0, bottom = 0;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TControl* c = buttons_[i];
    RECT r{};
    if (!c->Visible() || !SendMessageA(wnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    if (dynamic_cast<TToolButton*>(c)) {
      c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else {
      c->SetBounds(r.left, r.top, c->Width(), c->Height());
    }
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
  }
  if (!autoSize_ || buttons_.empty()) return;
  const TRect client = ClientRect();
  const int frameWidth = Width() - client.right, frameHeight = Height() - client.bottom;
  const bool fitWidth = Align() == alNone || Align() == alLeft || Align() == alRight;
  SetBounds(Left(), Top(), fitWidth ? right + frameWidth : Width(), bottom + frameHeight);
}

void TToolBar::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  // A control on the toolbar changed its size (a separator its width): lay the row out again.
  RecreateButtons();
}

void TToolBar::UpdateButtonState(TToolButton* Button) {
  const int index = Button->Index();
  if (!HandleAllocated() || index < 0) return;
  SendMessageA(WindowHandle(), TB_SETSTATE, static_cast<WPARAM>(index), MAKELPARAM(ButtonState(Button), 0));
}

void TToolBar::ReadDownStates() {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    auto* b = dynamic_cast<TToolButton*>(buttons_[i]);
    if (b && b->Style() == tbsCheck) b->down_ = SendMessageA(WindowHandle(), TB_ISBUTTONCHECKED, i, 0) != 0;
  }
}

void TToolBar::ButtonClicked(int Id) {
  ReadDownStates();
  if (Id < 0 || Id >= static_cast<int>(buttons_.size())) return;
  if (auto* b = dynamic_cast<TToolButton*>(buttons_[static_cast<size_t>(Id)])) b->Click();
}

LRESULT TToolBar::CustomDraw(const NMTBCUSTOMDRAW& Draw) {
  const NMCUSTOMDRAW& cd = Draw.nmcd;
  TCustomDrawStage stage;
  switch (cd.dwDrawStage & ~CDDS_ITEM) {
    case CDDS_PREPAINT: stage = cdPrePaint; break;
    case CDDS_POSTPAINT: stage = cdPostPaint; break;
    case CDDS_PREERASE: stage = cdPreErase; break;
    case CDDS_POSTERASE: stage = cdPostErase; break;
    default: return CDRF_DODEFAULT;
  }
  const bool item = (cd.dwDrawStage & CDDS_ITEM) != 0;
  LRESULT result = CDRF_DODEFAULT;
  bool defaultDraw = true;
  {
    detail::CanvasOnDC onDC(canvas_, cd.hdc);
    if (!item) {
      if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, cd.rc, stage, defaultDraw);
      if (stage == cdPrePaint) {
        // Ask for the later stages the handlers want.
        if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT;
        if (OnAdvancedCustomDrawButton) result |= CDRF_NOTIFYITEMDRAW;
      }
    } else if (cd.dwItemSpec < buttons_.size()) {
      auto* button = dynamic_cast<TToolButton*>(buttons_[cd.dwItemSpec]);
      TTBCustomDrawFlags flags = 0;
      if (button && OnAdvancedCustomDrawButton) {
        OnAdvancedCustomDrawButton(this, button, cd.uItemState, stage, flags, defaultDraw);
        if (stage == cdPrePaint) result |= CDRF_NOTIFYPOSTPAINT;
      }
      result |= flags;
    }
  }
  if (!defaultDraw) result |= CDRF_SKIPDEFAULT;
  return result;
}

void TToolBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CONTROLCHANGE: {
      auto* control = reinterpret_cast<TControl*>(Message.WParam);
      if (Message.LParam) {
        InsertButton(control);
      } else {
        RemoveButton(control);
      }
      return;
    }
    case CN_COMMAND:
      ButtonClicked(LOWORD(Message.WParam));
      return;
    case WM_MOUSEMOVE: {
      // Over a button the button has the mouse (its hint and mouse events), the window the rest.
      const TPoint p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      const auto hot = std::find_if(buttons_.begin(), buttons_.end(), [&](TControl* c) {
        const TRect r = c->BoundsRect();
        return dynamic_cast<TToolButton*>(c) && c->Visible() && PtInRect(&r, p);
      });
      if (hot == buttons_.end()) break;
      TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, WindowHandle(), 0};
      TrackMouseEvent(&tme);
      detail::SetMouseControl(*hot);
      TControl::Dispatch(Message);
      return;
    }
    case CN_NOTIFY:
      if (reinterpret_cast<NMHDR*>(Message.LParam)->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        Message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(Message.LParam));
        return;
      }
      break;
  }
  TWinControl::Dispatch(Message);
}
