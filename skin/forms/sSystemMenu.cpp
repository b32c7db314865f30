#include "skin/forms/sSystemMenu.h"

#include "skin/engine/sSkinManager.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Forms.h"

namespace {

// Menus are named apart by a number of their own: two made in one tick must not share a name.
int NextMenuNumber() {
  static int Number = 0;
  return ++Number;
}

TSysBorder SysBorderOf(TFormBorderStyle Style) {
  switch (Style) {
    case bsNone: return TSysBorder::None;
    case bsSingle: return TSysBorder::Single;
    case bsSizeable: return TSysBorder::Sizeable;
    case bsDialog: return TSysBorder::Dialog;
    case bsToolWindow: return TSysBorder::ToolWindow;
    case bsSizeToolWin: return TSysBorder::SizeToolWin;
  }
  return TSysBorder::None;
}

std::string MenuString(HMENU Menu, UINT Item, UINT Flags) {
  char Text[256] = {};
  const int Length = GetMenuStringA(Menu, Item, Text, 255, Flags);
  return std::string(Text, Length > 0 ? Length : 0);
}

}  // namespace

TsSystemMenu::TsSystemMenu(TComponent* AOwner, TsSysMenuOwner* Owner) : TsCustomSysMenu(AOwner), FOwner(Owner) {
  SetName("acSysMenu" + std::to_string(NextMenuNumber()));
  MakeSkinItems();
}

TMenuItem* TsSystemMenu::NewItem(const std::string& Caption) {
  auto* Item = new TMenuItem(this);
  Item->SetCaption(Caption);
  return Item;
}

void TsSystemMenu::SendCommand(UINT Command) {
  if (TCustomForm* Form = FOwner->SysMenuForm()) SendMessageA(Form->Handle(), WM_SYSCOMMAND, Command, 0);
}

TMenuItem* TsSystemMenu::AddFixedItem(HMENU SysMenu, UINT Command, const char* Name, const char* Fallback) {
  const bool Present = GetMenuState(SysMenu, Command, MF_BYCOMMAND) != UINT(-1);
  const TSysMenuText Text = SplitSysMenuText(Present ? MenuString(SysMenu, Command, MF_BYCOMMAND) : Fallback);
  TMenuItem* Item = NewItem(Text.Caption.empty() ? Fallback : Text.Caption);
  Item->SetName(Name);
  Item->SetTag(Command);
  Item->OnClick = [this, Command](TObject*) {
    if (Command == SC_MINIMIZE) FOwner->SetSysMinimizing(true);
    SendCommand(Command);
    if (Command == SC_MINIMIZE) FOwner->SetSysMinimizing(false);
    if (Command == SC_MAXIMIZE || Command == SC_RESTORE || Command == SC_MINIMIZE) UpdateItems(false);
  };
  if (Command == SC_CLOSE && !Text.ShortCut.empty()) Item->SetShortCut(TextToShortCut(Text.ShortCut));
  Items()->Add(Item);
  return Item;
}

void TsSystemMenu::MakeSkinItems() {
  Items()->Clear();
  ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = nullptr;
  ExtItemsCount = 0;
  TCustomForm* Form = FOwner->SysMenuForm();
  HMENU SysMenu = Form ? GetSystemMenu(Form->Handle(), FALSE) : nullptr;
  if (!SysMenu) return;
  ItemRestore = AddFixedItem(SysMenu, SC_RESTORE, "acIR", "Restore");
  ItemMove = AddFixedItem(SysMenu, SC_MOVE, "acIM", "Move");
  ItemSize = AddFixedItem(SysMenu, SC_SIZE, "acIS", "Size");
  ItemMinimize = AddFixedItem(SysMenu, SC_MINIMIZE, "acIN", "Minimize");
  ItemMaximize = AddFixedItem(SysMenu, SC_MAXIMIZE, "acIX", "Maximize");
  Items()->Add(NewItem("-"));
  // The program's own items: identifiers below the system commands, with a text (no separators or submenus).
  const int Count = GetMenuItemCount(SysMenu);
  for (int I = 0; I < Count; ++I) {
    const UINT Id = GetMenuItemID(SysMenu, I);
    if (Id >= 0xF000) continue;
    const std::string Raw = MenuString(SysMenu, I, MF_BYPOSITION);
    if (Raw.empty()) continue;
    const TSysMenuText Text = SplitSysMenuText(Raw);
    TMenuItem* Item = NewItem(Text.Caption);
    Item->SetTag(Id);
    if (!Text.ShortCut.empty()) Item->SetShortCut(TextToShortCut(Text.ShortCut));
    Item->OnClick = [this, Id](TObject*) {
      if (TCustomForm* F = FOwner->SysMenuForm()) PostMessageA(F->Handle(), WM_SYSCOMMAND, Id, 0);
    };
    Items()->Add(Item);
    ++ExtItemsCount;
  }
  if (ExtItemsCount > 0) Items()->Add(NewItem("-"));
  ItemClose = AddFixedItem(SysMenu, SC_CLOSE, "acIC", "Close");
}

TSysMenuItemsState TsSystemMenu::State() const {
  TSysMenuFacts F;
  TCustomForm* Form = FOwner->SysMenuForm();
  if (!Form) return {};
  HWND Wnd = Form->Handle();
  F.FormHasSysMenu = FOwner->FormHadSysMenu();
  HMENU SysMenu = GetSystemMenu(Wnd, FALSE);
  F.WindowHasClose = SysMenu && GetMenuState(SysMenu, SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
  F.Border = SysBorderOf(Form->BorderStyle());
  F.MinimizeIcon = Form->BorderIcons() & biMinimize;
  F.MaximizeIcon = Form->BorderIcons() & biMaximize;
  F.State = Form->WindowState() == wsMinimized   ? TSysState::Minimized
            : Form->WindowState() == wsMaximized ? TSysState::Maximized
                                                 : TSysState::Normal;
  F.Iconic = IsIconic(Wnd);
  F.MDIChild = Form->FormStyle() == fsMDIChild;
  F.MainForm = Application && static_cast<TCustomForm*>(Application->MainForm()) == Form;
  return SysMenuItemsState(F);
}

void TsSystemMenu::UpdateItems(bool Full) {
  if (Full || !ItemClose) MakeSkinItems();
  if (!ItemClose || !FOwner->SysMenuForm()) return;
  const TSysMenuItemsState S = State();
  ItemRestore->SetVisible(S.VisibleRestore);
  ItemRestore->SetEnabled(S.EnabledRestore);
  ItemMove->SetVisible(true);
  ItemMove->SetEnabled(S.EnabledMove);
  ItemSize->SetVisible(S.VisibleSize);
  ItemSize->SetEnabled(S.EnabledSize);
  ItemMinimize->SetVisible(S.VisibleMin);
  ItemMinimize->SetEnabled(S.EnabledMin);
  ItemMaximize->SetVisible(S.VisibleMax);
  ItemMaximize->SetEnabled(S.EnabledMax);
  ItemClose->SetVisible(S.VisibleClose);
  ItemClose->SetEnabled(true);
}

void TsSystemMenu::MakeSkinSelectionMenu() {
  TsSkinManager* Manager = FOwner->SysMenuSkinManager();
  if (!Manager) return;
  TStringList Names;
  Manager->GetSkinNames(&Names);
  std::vector<std::string> List;
  for (int I = 0; I < Names.Count(); ++I) List.push_back(Names[I]);
  AddSkinItems(List, Manager->SkinName());
}

void TsSystemMenu::AddSkinItems(const std::vector<std::string>& Names, const std::string& Current) {
  if (Names.empty()) return;
  TMenuItem* Root = NewItem("Available skins");
  Root->SetName("SkinSelectItem");
  Items()->Insert(0, Root);
  Items()->Insert(1, NewItem("-"));
  for (size_t I = 0; I < Names.size(); ++I) {
    TMenuItem* Item = NewItem(Names[I]);
    Item->SetName("SkinSelectItem" + std::to_string(I));
    Item->SetRadioItem(true);
    Item->SetChecked(Names[I] == Current);
    if (StartsSkinColumn(int(I))) Item->SetBreak(mbBreak);
    Item->OnClick = [this](TObject* Sender) { SkinItemClick(Sender); };
    Root->Add(Item);
  }
}

void TsSystemMenu::SkinItemClick(TObject* Sender) {
  TsSkinManager* Manager = FOwner->SysMenuSkinManager();
  if (!Manager) return;
  Manager->SetSkinName(SkinNameOfItem(static_cast<TMenuItem*>(Sender)->Caption()));
}
