#pragma once
// The skinned system menu of a form whose caption the skin draws: a popup menu mirroring the window's
// system menu (restore, move, size, minimize, maximize, the program's own items, close) and, on request,
// the choice of a skin. Items show and enable from the form's border style, icons and state each time it
// is built or updated; a click sends the matching WM_SYSCOMMAND to the form. Drawn by the skinned menus.
#include <windows.h>

#include <string>
#include <vector>

#include "skin/forms/sSysMenuRules.h"
#include "toolkit/ui/Menus.h"

class TCustomForm;
class TsSkinManager;

// The tests of the items, as a form's skin provider or a dialog's skinning answers them.
class TsCustomSysMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  virtual bool VisibleClose() = 0;
  virtual bool VisibleMax() = 0;
  virtual bool VisibleMin() = 0;
  virtual bool EnabledMax() = 0;
  virtual bool EnabledMin() = 0;
  virtual bool EnabledRestore() = 0;
};

// What the system menu takes from its owner.
class TsSysMenuOwner {
 public:
  virtual ~TsSysMenuOwner() = default;
  virtual TCustomForm* SysMenuForm() const = 0;
  // The form's window had WS_SYSMENU before its provider took it away to draw the caption.
  virtual bool FormHadSysMenu() const = 0;
  // Set while the system menu minimizes the form.
  virtual void SetSysMinimizing(bool) {}
  virtual TsSkinManager* SysMenuSkinManager() const { return nullptr; }
};

class TsSystemMenu : public TsCustomSysMenu {
 public:
  TsSystemMenu(TComponent* AOwner, TsSysMenuOwner* Owner);

  void MakeSkinItems();
  void UpdateItems(bool Full = false);
  void MakeSkinSelectionMenu();
  // The skin submenu from a list of names; the current skin's item is checked.
  void AddSkinItems(const std::vector<std::string>& Names, const std::string& Current);

  bool VisibleClose() override { return State().VisibleClose; }
  bool VisibleMax() override { return State().VisibleMax; }
  bool VisibleMin() override { return State().VisibleMin; }
  bool EnabledMax() override { return State().EnabledMax; }
  bool EnabledMin() override { return State().EnabledMin; }
  bool EnabledRestore() override { return State().EnabledRestore; }
  bool VisibleRestore() { return State().VisibleRestore; }
  bool VisibleSize() { return State().VisibleSize; }
  bool EnabledMove() { return State().EnabledMove; }
  bool EnabledSize() { return State().EnabledSize; }

  int ExtItemsCount = 0;
  TMenuItem* ItemRestore = nullptr;
  TMenuItem* ItemMove = nullptr;
  TMenuItem* ItemSize = nullptr;
  TMenuItem* ItemMinimize = nullptr;
  TMenuItem* ItemMaximize = nullptr;
  TMenuItem* ItemClose = nullptr;

 private:
  TSysMenuItemsState State() const;
  TMenuItem* AddFixedItem(HMENU SysMenu, UINT Command, const char* Name, const char* Fallback);
  TMenuItem* NewItem(const std::string& Caption);
  void SendCommand(UINT Command);
  void SkinItemClick(TObject* Sender);
  TsSysMenuOwner* FOwner;
};
