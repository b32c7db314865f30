#include "skin/forms/sSysMenuRules.h"

TSysMenuItemsState SysMenuItemsState(const TSysMenuFacts& F) {
  const bool Std = F.Border == TSysBorder::Single || F.Border == TSysBorder::Sizeable;
  const bool Maximized = F.State == TSysState::Maximized;
  TSysMenuItemsState S;
  S.VisibleClose = F.FormHasSysMenu && F.WindowHasClose;
  S.VisibleMax = F.FormHasSysMenu && (F.Iconic || F.MDIChild || (Std && F.MaximizeIcon));
  S.VisibleMin = F.FormHasSysMenu && (F.Iconic || F.MDIChild || (Std && F.MinimizeIcon));
  S.VisibleRestore = F.FormHasSysMenu && (F.MDIChild || Std);
  S.VisibleSize = F.MDIChild || Std || F.Border == TSysBorder::SizeToolWin;
  S.EnabledMax = F.MaximizeIcon && (F.MDIChild || (!Maximized && Std));
  S.EnabledMin = F.MinimizeIcon && (!F.Iconic || F.MainForm);
  S.EnabledRestore = (F.MaximizeIcon && F.State != TSysState::Normal) || F.State == TSysState::Minimized;
  S.EnabledMove = !Maximized;
  S.EnabledSize = F.Border != TSysBorder::Single && !F.Iconic;
  return S;
}

TSysMenuText SplitSysMenuText(const std::string& Text) {
  const auto Tab = Text.find('\t');
  if (Tab == std::string::npos) return {Text, {}};
  return {Text.substr(0, Tab), Text.substr(Tab + 1)};
}

std::string SkinNameOfItem(const std::string& Caption) {
  std::string Name;
  for (char C : Caption)
    if (C != '&') Name += C;
  static const std::string Internal = "(internal)";
  if (const auto At = Name.find(Internal); At != std::string::npos) Name.erase(At + Internal.size());
  return Name;
}
