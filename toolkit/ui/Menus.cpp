#include "toolkit/ui/Menus.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"

// --- Shortcuts ------------------------------------------------------------------------------

namespace {

struct KeyName {
  WORD key;
  const char* name;
};

constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},   {VK_LEFT, "Left"},
    {VK_UP, "Up"},       {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};

constexpr KeyName kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

bool StartsWithNoCase(const std::string& Text, size_t Pos, const char* Prefix) {
  for (size_t i = 0; Prefix[i]; ++i) {
    if (Pos + i >= Text.size() ||
        std::toupper(static_cast<unsigned char>(Text[Pos + i])) != std::toupper(static_cast<unsigned char>(Prefix[i]))) {
      return false;
    }
  }
  return true;
}

std::string KeyToText(WORD Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return std::string(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F24) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const KeyName& k : kKeyNames) {
    if (k.key == Key) return k.name;
  }
  return "";
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut s = Key;
  if (Shift & ssShift) s |= scShift;
  if (Shift & ssCtrl) s |= scCtrl;
  if (Shift & ssAlt) s |= scAlt;
  return s;
}

TShortCut TextToShortCut(const std::string& Text) {
  TShortCut shift = 0;
  size_t pos = 0;
  for (bool found = true; found;) {
    found = false;
    for (const KeyName& m : kModifiers) {
      if (StartsWithNoCase(Text, pos, m.name)) {
        shift |= m.key;
        pos += std::char_traits<char>::length(m.name);
        found = true;
      }
    }
  }
  const std::string key = Text.substr(pos);
  if (key.empty()) return 0;
  for (WORD k = 1; k < 0x100; ++k) {
    const std::string name = KeyToText(k);
    if (!name.empty() && name.size() == key.size() && StartsWithNoCase(key, 0, name.c_str())) return shift | k;
  }
  return 0;
}

std::string ShortCutToText(TShortCut Value) {
  const std::string key = KeyToText(Value & 0xFF);
  if (key.empty()) return "";
  std::string text;
  for (const KeyName& m : kModifiers) {
    if (Value & m.key) text += m.name;
  }
  return text + key;
}

// --- TMenuItem ------------------------------------------------------------------------------

namespace {
UINT NextCommand() {
  // Identifiers stay below 0xF000, where the system's own commands begin.
  static UINT next = 0;
  next = next % 0xEFFF + 1;
  return next;
}
}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (parent_) parent_->Remove(this);
  DestroyHandle();
}

void TMenuItem::DestroyHandle() {
  if (handle_) DestroyMenu(handle_);
  handle_ = nullptr;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = menu_ && !parent_ && dynamic_cast<TMainMenu*>(menu_) ? CreateMenu() : CreatePopupMenu();
    if (!handle_) throw EOutOfResources("Cannot create a menu");
    TMenu* menu = GetParentMenu();
    AppendTo(handle_, menu && menu->OwnerDraw());
  }
  return handle_;
}

void TMenuItem::AppendTo(HMENU Menu, bool OwnerDraw) {
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    UINT flags = MF_STRING;
    if (item->IsLine()) flags = MF_SEPARATOR;
    if (OwnerDraw) flags |= MF_OWNERDRAW;
    if (item->checked_) flags |= MF_CHECKED;
    if (!item->enabled_) flags |= MF_GRAYED;
    if (item->break_ == mbBreak) flags |= MF_MENUBREAK;
    if (item->break_ == mbBarBreak) flags |= MF_MENUBARBREAK;
    std::string text = item->caption_;
    if (item->shortCut_) text += "\t" + ShortCutToText(item->shortCut_);
    UINT_PTR id = item->command_;
    if (!item->items_.empty()) {
      flags |= MF_POPUP;
      id = reinterpret_cast<UINT_PTR>(item->Handle());
    }
    // Owner-drawn items carry the item itself as their data.
    const char* data = OwnerDraw ? reinterpret_cast<const char*>(item) : text.c_str();
    AppendMenuA(Menu, flags, id, data);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    SetMenuItemInfoA(Menu, static_cast<UINT>(GetMenuItemCount(Menu) - 1), TRUE, &info);
    if (item->checked_ && item->radioItem_) {
      const UINT pos = static_cast<UINT>(GetMenuItemCount(Menu) - 1);
      CheckMenuRadioItem(Menu, pos, pos, pos, MF_BYPOSITION);
    }
    if (item->default_) SetMenuDefaultItem(Menu, static_cast<UINT>(GetMenuItemCount(Menu) - 1), TRUE);
  }
}

void TMenuItem::RebuildHandle() {
  if (!handle_) return;
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  TMenu* menu = GetParentMenu();
  AppendTo(handle_, menu && menu->OwnerDraw());
}

void TMenuItem::MenuChanged() {
  // Submenus stay (they are removed, not destroyed, from their parent's menu); the parent's list
  // is built again.
  if (parent_) parent_->RebuildHandle();
  RebuildHandle();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::SetCaption(const std::string& Value) {
  caption_ = Value;
  MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  shortCut_ = Value;
  MenuChanged();
}

void TMenuItem::TurnSiblingsOff() {
  if (!parent_ || !radioItem_) return;
  for (TMenuItem* sibling : parent_->items_) {
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
  }
}

void TMenuItem::SetChecked(bool Value) {
  checked_ = Value;
  if (Value) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetRadioItem(bool Value) {
  radioItem_ = Value;
  if (checked_) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetGroupIndex(int Value) {
  groupIndex_ = Value;
  if (checked_) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  break_ = Value;
  MenuChanged();
}

void TMenuItem::SetEnabled(bool Value) {
  enabled_ = Value;
  MenuChanged();
}

void TMenuItem::SetVisible(bool Value) {
  visible_ = Value;
  MenuChanged();
}

void TMenuItem::SetDefault(bool Value) {
  default_ = Value;
  MenuChanged();
}

void TMenuItem::SetImageIndex(int Value) {
  imageIndex_ = Value;
  MenuChanged();
}

TBitmap* TMenuItem::Bitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TMenuItem::SetBitmap(const TBitmap* Value) {
  Bitmap()->Assign(Value);
  MenuChanged();
}

void TMenuItem::SetSubMenuImages(TCustomImageList* Value) {
  subMenuImages_ = Value;
  if (Value) Value->FreeNotification(this);
  MenuChanged();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == subMenuImages_) subMenuImages_ = nullptr;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->parent_) throw EInvalidOperation("Menu item '" + Item->Name() + "' is already in a menu");
  if (Index < 0 || Index > Count()) throw EInvalidOperation("Menu index out of bounds");
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  MenuChanged();
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int index = IndexOf(Item);
  if (index < 0) throw EInvalidOperation("Menu item not found");
  Delete(index);
}

void TMenuItem::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Menu index out of bounds");
  TMenuItem* item = items_[static_cast<size_t>(Index)];
  items_.erase(items_.begin() + Index);
  item->parent_ = nullptr;
  MenuChanged();
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

void TMenuItem::Click() {
  if (radioItem_ || groupIndex_) {
    if (radioItem_ && !checked_) SetChecked(true);
  }
  if (OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, ACanvas, Width, Height);
    return;
  }
  if (IsLine()) {
    Height = 5;
    return;
  }
  const TSize size = ACanvas->TextExtent(caption_ + (shortCut_ ? "     " + ShortCutToText(shortCut_) : ""));
  Width = size.cx + 24;
  Height = std::max<int>(size.cy + 4, GetSystemMetrics(SM_CYMENU) - 1);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, ACanvas, ARect, State);
    return;
  }
  if (OnDrawItem) {
    OnDrawItem(this, ACanvas, ARect, (State & odSelected) != 0);
    return;
  }
  const bool selected = (State & odSelected) != 0;
  ACanvas->Brush()->SetColor(selected ? clHighlight : clMenu);
  ACanvas->FillRect(ARect);
  if (IsLine()) {
    TRect line = ARect;
    line.top += (ARect.bottom - ARect.top) / 2 - 1;
    DrawEdge(ACanvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  TMenu* menu = GetParentMenu();
  if (menu && menu->Images() && imageIndex_ >= 0) {
    menu->Images()->Draw(ACanvas, ARect.left + 2, ARect.top + (ARect.bottom - ARect.top - menu->Images()->Height()) / 2,
                         imageIndex_, enabled_);
  }
  const HDC dc = ACanvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText)));
  TRect text = ARect;
  text.left += 22;
  text.right -= 6;
  const HGDIOBJ oldFont = SelectObject(dc, ACanvas->Font()->Handle());
  DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (shortCut_) {
    const std::string keys = ShortCutToText(shortCut_);
    DrawTextA(dc, keys.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  SelectObject(dc, oldFont);
}

// --- TMenu ----------------------------------------------------------------------------------

void TMenu::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      ObjProperty<TMenu>("Images", &TMenu::Images, &TMenu::SetImages),
      BoolProperty<TMenu>("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
  items_->SetParentMenu(this);
  canvas_.Font()->SetHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TMenu::~TMenu() {
  SetWindowHandle(nullptr);
  // The items go while the menu is still whole: they tell it of each removal.
  items_->Free();
}

void TMenu::SetImages(TCustomImageList* Value) {
  images_ = Value;
  if (Value) Value->FreeNotification(this);
  MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

void TMenu::SetOwnerDraw(bool Value) {
  ownerDraw_ = Value;
  // Every submenu is built again with the new kind of item.
  std::vector<TMenuItem*> pending = {items_};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    item->RebuildHandle();
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
  MenuChanged();
}

void TMenu::MenuChanged() {}

void TMenu::SetWindowHandle(HWND Value) {
  if (windowHandle_ == Value) return;
  if (windowHandle_ && IsWindow(windowHandle_)) {
    RemoveWindowSubclass(windowHandle_, &TMenu::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  }
  windowHandle_ = Value;
  if (Value) SetWindowSubclass(Value, &TMenu::SubclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TMenu::SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data) {
  auto* menu = reinterpret_cast<TMenu*>(Data);
  TMessage m{Msg, WParam, LParam, 0};
  try {
    if (Msg == WM_NCDESTROY) {
      RemoveWindowSubclass(Wnd, &TMenu::SubclassProc, reinterpret_cast<UINT_PTR>(menu));
      menu->windowHandle_ = nullptr;
    } else if (menu->ProcessMessage(m)) {
      return m.Result;
    }
  } catch (...) {
    if (Application) Application->HandleException(menu);
  }
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

namespace {
// The item an owner-drawn menu entry carries.
TMenuItem* ItemOf(ULONG_PTR Data) { return reinterpret_cast<TMenuItem*>(Data); }
}  // namespace

bool TMenu::ProcessMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
      // Menus and accelerators; controls send a window handle.
      return Message.LParam == 0 && HIWORD(Message.WParam) <= 1 && DispatchCommand(LOWORD(Message.WParam));
    case WM_INITMENUPOPUP:
      return DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      TMenuItem* item = mis->CtlType == ODT_MENU ? ItemOf(mis->itemData) : nullptr;
      if (!item || item->GetParentMenu() != this) return false;
      const HDC dc = GetDC(windowHandle_);
      int w = 0, h = 0;
      {
        detail::CanvasOnDC onDC(canvas_, dc);
        item->MeasureItem(&canvas_, w, h);
      }
      ReleaseDC(windowHandle_, dc);
      mis->itemWidth = static_cast<UINT>(w);
      mis->itemHeight = static_cast<UINT>(h);
      Message.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      TMenuItem* item = dis->CtlType == ODT_MENU ? ItemOf(dis->itemData) : nullptr;
      if (!item || item->GetParentMenu() != this) return false;
      const int saved = SaveDC(dis->hDC);
      {
        detail::CanvasOnDC onDC(canvas_, dis->hDC);
        item->DrawItem(&canvas_, dis->rcItem, OwnerDrawState(dis->itemState));
      }
      RestoreDC(dis->hDC, saved);
      Message.Result = TRUE;
      return true;
    }
  }
  return false;
}

TMenuItem* TMenu::FindItem(UINT Command) const {
  std::vector<TMenuItem*> pending = {items_};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item != items_ && item->command_ == Command) return item;
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
  return nullptr;
}

TMenuItem* TMenu::FindItemByHandle(HMENU Menu) const {
  std::vector<TMenuItem*> pending = {items_};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item->handle_ && item->handle_ == Menu) return item;
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
  return nullptr;
}

bool TMenu::DispatchCommand(UINT Command) {
  TMenuItem* item = FindItem(Command);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU Menu) {
  TMenuItem* item = FindItemByHandle(Menu);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(TShortCut Value) {
  std::vector<TMenuItem*> pending = {items_};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (!item->enabled_ || !item->visible_) continue;
    if (item != items_ && item->shortCut_ == Value && item->items_.empty()) {
      item->Click();
      return true;
    }
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
  return false;
}

// --- TMainMenu ------------------------------------------------------------------------------

TMainMenu::~TMainMenu() { SetWindowHandle(nullptr); }

void TMainMenu::SetWindowHandle(HWND Value) {
  if (WindowHandle() && IsWindow(WindowHandle()) && GetMenu(WindowHandle()) == Handle()) SetMenu(WindowHandle(), nullptr);
  TMenu::SetWindowHandle(Value);
  if (Value) SetMenu(Value, Handle());
}

void TMainMenu::MenuChanged() {
  if (WindowHandle()) DrawMenuBar(WindowHandle());
}

// --- TPopupMenu -----------------------------------------------------------------------------

TPopupMenu* TControl::PopupMenu() const { return static_cast<TPopupMenu*>(popupMenu_); }

void TControl::SetPopupMenu(TPopupMenu* Value) {
  popupMenu_ = Value;
  if (Value) Value->FreeNotification(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::UtilWndProc(TMessage& Message) {
  Message.Result = DefWindowProcA(window_->Handle(), Message.Msg, Message.WParam, Message.LParam);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  if (!WindowHandle()) {
    window_ = std::make_unique<TUtilWindow>(TWndMethod(this, &TPopupMenu::UtilWndProc));
    SetWindowHandle(window_->Handle());
  }
  if (OnPopup) OnPopup(this);
  static constexpr UINT align[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  SetForegroundWindow(WindowHandle());
  TrackPopupMenu(Handle(), align[alignment_] | TPM_RIGHTBUTTON, X, Y, 0, WindowHandle(), nullptr);
  PostMessageA(WindowHandle(), WM_NULL, 0, 0);
}
