#pragma once
// Which items of a skinned form's system menu show and which are enabled, from the form's border
// style, border icons, window state and whether it is an MDI child; the texts of system-menu items and
// of the skin choices. Pure.
#include <string>
#include <vector>

enum class TSysBorder { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class TSysState { Normal, Minimized, Maximized };

struct TSysMenuFacts {
  // The form's window had the system-menu style (its provider takes it away while it draws the caption).
  bool FormHasSysMenu = true;
  // The window has a system menu with a close item.
  bool WindowHasClose = true;
  TSysBorder Border = TSysBorder::Sizeable;
  bool MinimizeIcon = true, MaximizeIcon = true;
  TSysState State = TSysState::Normal;
  bool Iconic = false;
  bool MDIChild = false;
  bool MainForm = false;
};

struct TSysMenuItemsState {
  bool VisibleRestore = false, EnabledRestore = false;
  bool EnabledMove = false;
  bool VisibleSize = false, EnabledSize = false;
  bool VisibleMin = false, EnabledMin = false;
  bool VisibleMax = false, EnabledMax = false;
  bool VisibleClose = false;
  friend bool operator==(const TSysMenuItemsState&, const TSysMenuItemsState&) = default;
};
TSysMenuItemsState SysMenuItemsState(const TSysMenuFacts& F);

// A system-menu text split at its tab: the caption and the shortcut text.
struct TSysMenuText {
  std::string Caption, ShortCut;
};
TSysMenuText SplitSysMenuText(const std::string& Text);

// Skins listed in columns: an item whose index is a positive multiple of this starts a new one.
constexpr int SkinMenuColumn = 20;
inline bool StartsSkinColumn(int Index) { return Index > 0 && Index % SkinMenuColumn == 0; }
// The skin a skin item names: its caption without "&", cut after "(internal)".
std::string SkinNameOfItem(const std::string& Caption);
