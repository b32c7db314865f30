#pragma once
// Menus: TMenuItem trees in Win32 menus. The window that shows a menu (its WindowHandle) is
// subclassed so that WM_COMMAND, WM_INITMENUPOPUP, WM_MEASUREITEM and WM_DRAWITEM of the menu
// reach the item they concern, whichever window that is.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/ui/Component.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/UtilWindow.h"

// A key with its modifiers: the virtual key in the low byte, scShift, scCtrl, scAlt above.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
// "Ctrl+Shift+F5", "Alt+X", "Del" ... (0 for an unknown text).
TShortCut TextToShortCut(const std::string& Text);
std::string ShortCutToText(TShortCut Value);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TMenu;
class TMenuItem;

using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  // Checking a radio item unchecks the others of its GroupIndex.
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& Value) { hint_ = Value; }
  // The item's own glyph (made empty on first read); owner-drawn menus draw it.
  TBitmap* Bitmap();
  const TBitmap* Bitmap() const { return bitmap_.get(); }
  void SetBitmap(const TBitmap* Value);
  // The images of the sub-items, in place of the menu's Images.
  TCustomImageList* SubMenuImages() const { return subMenuImages_; }
  void SetSubMenuImages(TCustomImageList* Value);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const { return items_.at(static_cast<size_t>(Index)); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out (it is not freed).
  void Remove(TMenuItem* Item);
  // Takes the item at Index out (it is not freed).
  void Delete(int Index);
  // Frees every sub-item.
  void Clear();
  bool IsLine() const { return caption_ == "-"; }
  // The menu this item belongs to (through its parents), or nullptr.
  TMenu* GetParentMenu() const;

  // The submenu of an item with sub-items (made on demand).
  HMENU Handle();
  // The identifier of the item in WM_COMMAND.
  UINT Command() const { return command_; }

  virtual void Click();
  // Owner drawing (the menu's OwnerDraw): the events, else the default look.
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 protected:
  // The look changed: the menu that shows the item is built again.
  void MenuChanged();
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TMenu;
  void SetParentMenu(TMenu* Menu) { menu_ = Menu; }
  // Appends the visible sub-items to Menu.
  void AppendTo(HMENU Menu, bool OwnerDraw);
  void RebuildHandle();
  void DestroyHandle();
  void TurnSiblingsOff();

  std::string caption_;
  std::string hint_;
  TShortCut shortCut_ = 0;
  bool checked_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  TMenuBreak break_ = mbNone;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  TCustomImageList* subMenuImages_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
  HMENU handle_ = nullptr;
  UINT command_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  void GetPublishedProperties(TPropList& List) const override;
  ~TMenu() override;

  // The root item; its sub-items are the menu's entries.
  TMenuItem* Items() const { return items_; }
  HMENU Handle() { return items_->Handle(); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool Value);
  // The window that receives the menu's messages.
  HWND WindowHandle() const { return windowHandle_; }
  virtual void SetWindowHandle(HWND Value);

  // The item with that command identifier, or nullptr.
  TMenuItem* FindItem(UINT Command) const;
  // The item whose submenu is Menu, or nullptr.
  TMenuItem* FindItemByHandle(HMENU Menu) const;
  // Clicks the item with that command; false when it is not one of this menu's.
  bool DispatchCommand(UINT Command);
  // Tells the item whose submenu is about to open (it may change its sub-items).
  bool DispatchPopup(HMENU Menu);
  // Clicks the enabled visible item with that shortcut.
  virtual bool IsShortCut(TShortCut Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The menu's items changed: the Win32 menu is built again.
  virtual void MenuChanged();
  // The messages of WindowHandle: true when the menu handled Message.
  virtual bool ProcessMessage(TMessage& Message);

 private:
  friend class TMenuItem;
  static LRESULT CALLBACK SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                       DWORD_PTR Data);
  TMenuItem* items_;
  TCustomImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  HWND windowHandle_ = nullptr;
  TCanvas canvas_;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  ~TMainMenu() override;
  // Shows the menu as Value's menu bar.
  void SetWindowHandle(HWND Value) override;

 protected:
  void MenuChanged() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  // Shows the menu at a screen point; its messages go to WindowHandle (the menu's own window
  // unless one was set).
  virtual void Popup(int X, int Y);
  // The component whose context menu was asked for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* Value) { popupComponent_ = Value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool Value) { autoPopup_ = Value; }

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void UtilWndProc(TMessage& Message);
  std::unique_ptr<TUtilWindow> window_;
  TComponent* popupComponent_ = nullptr;
  TPopupAlignment alignment_ = paLeft;
  bool autoPopup_ = true;
};
