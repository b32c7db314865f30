// The default skin manager's hook on the application's main window.
#include <windows.h>

#include <cstring>

#include "skin/engine/sSkinManager.h"
#include "toolkit/ui/Menus.h"

namespace {

bool IsMenuWindow(HWND Wnd) {
  char Name[16] = {};
  return Wnd && GetClassNameA(Wnd, Name, sizeof(Name)) && std::strcmp(Name, "#32768") == 0;
}

// The shown popup window holding Item: the window under the centre of the item's rectangle. The item
// is looked up by its data among its menu's items, so a menu that no longer holds it finds nothing.
HWND MenuWindowOf(TMenuItem* Item) {
  if (!Item || !Item->Parent()) return nullptr;
  const HMENU Menu = Item->Parent()->Handle();
  const int Count = GetMenuItemCount(Menu);
  for (int i = 0; i < Count; ++i) {
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof(Info);
    Info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(Menu, UINT(i), TRUE, &Info) || Info.dwItemData != reinterpret_cast<ULONG_PTR>(Item)) continue;
    RECT R;
    if (!GetMenuItemRect(nullptr, Menu, UINT(i), &R)) return nullptr;
    return WindowFromPoint(POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
  }
  return nullptr;
}

}  // namespace

bool TsSkinManager::MainWindowHook(TMessage& Message) {
  switch (Message.Msg) {
    case SM_MENUITEMSHOWN:
    case SM_MENUWINDOWSHOWN: {
      if (!FSkinnedPopups || !FMenuPainter) return true;
      auto* Item = reinterpret_cast<TMenuItem*>(Message.LParam);
      const HWND Wnd = Message.Msg == SM_MENUWINDOWSHOWN ? reinterpret_cast<HWND>(Message.WParam) : MenuWindowOf(Item);
      if (IsMenuWindow(Wnd)) FMenuPainter->MenuWindowShown(Wnd, Item);
      return true;
    }
  }
  return false;
}
