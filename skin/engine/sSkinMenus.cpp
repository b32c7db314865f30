#include "skin/engine/sSkinMenus.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinStrUtils.h"
#include "toolkit/ui/Forms.h"

// --- Handlers --------------------------------------------------------------------------------

void TsPopupItemDraw::operator()(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) const {
  Menus->DrawPopupItem(static_cast<TMenuItem*>(Sender), ACanvas, ARect, State);
}
void TsPopupItemMeasure::operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const {
  Menus->MeasurePopupItem(static_cast<TMenuItem*>(Sender), ACanvas, Width, Height);
}
void TsBarItemDraw::operator()(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) const {
  Menus->DrawBarItem(static_cast<TMenuItem*>(Sender), ACanvas, ARect, State);
}
void TsBarItemMeasure::operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const {
  Menus->MeasureBarItem(static_cast<TMenuItem*>(Sender), ACanvas, Width, Height);
}

namespace {

template <class Marker, class Event>
bool IsOurs(const Event& E) {
  return E.template target<Marker>() != nullptr;
}

// An item on the top line of a main menu.
bool IsTopLine(const TMenuItem* Item) {
  const TMenu* Menu = Item->GetParentMenu();
  return Menu && Item->Parent() && Item->Parent() == Menu->Items() && dynamic_cast<const TMainMenu*>(Menu);
}

bool BeingDestroyed(const TComponent* C) { return (C->ComponentState() & csDestroying) != 0; }

void SetOwnerDrawn(TMenu* Menu, bool Value) {
  if (!BeingDestroyed(Menu) && Menu->Items()->Count() > 0 && Menu->OwnerDraw() != Value) Menu->SetOwnerDraw(Value);
}

TMenuSize SizeOf(const TBitmap* Bmp) { return Bmp && !Bmp->Empty() ? TMenuSize{Bmp->Width(), Bmp->Height()} : TMenuSize{}; }
TMenuSize SizeOf(const TCustomImageList* Images) {
  return Images ? TMenuSize{Images->Width(), Images->Height()} : TMenuSize{};
}

}  // namespace

// --- The painter -----------------------------------------------------------------------------

TsSkinableMenus::TsSkinableMenus(TsSkinManager* Manager)
    : TComponent(nullptr), WindowFinder([](HDC DC) { return WindowFromDC(DC); }), FManager(Manager) {}

TsSkinableMenus::~TsSkinableMenus() {
  // No item may keep a handler of a painter that is gone.
  if (Application) HookTree(Application, false);
  ClearCache();
}

void TsSkinableMenus::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  using M = TsSkinableMenus;
  static const TPropInfo Props[] = {
      OrdProperty<M>("Alignment", &M::Alignment, &M::SetAlignment, {"taLeftJustify", "taRightJustify", "taCenter"}),
      OrdProperty<M>("BevelWidth", &M::BevelWidth, &M::SetBevelWidth),
      OrdProperty<M>("BorderWidth", &M::BorderWidth, &M::SetBorderWidth),
      ObjProperty<M>("CaptionFont", &M::CaptionFont, &M::SetCaptionFont),
      OrdProperty<M>("Margin", &M::Margin, &M::SetMargin),
      OrdProperty<M>("Spacing", &M::Spacing, &M::SetSpacing),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

int TsSkinableMenus::SkinBorderWidth() {
  if (FSkinBorderWidth < 0) {
    const int Mask = FManager->GetMaskIndex(FManager->GetSkinIndex("MAINMENU"), "MAINMENU", "BORDERSMASK");
    FSkinBorderWidth =
        MenuSkinBorderWidth(FManager->IsValidMaskIndex(Mask) ? &FManager->Tables().Masks[Mask] : nullptr);
  }
  return FSkinBorderWidth;
}

// --- Hooking ---------------------------------------------------------------------------------

void TsSkinableMenus::HookItem(TMenuItem* Item, bool Install) {
  if (IsTopLine(Item)) {
    // The bar's handlers go only where the item has none of its own, so that none is ever lost.
    if (Install) {
      if (!Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = TsBarItemDraw{this};
      if (!Item->OnMeasureItem) Item->OnMeasureItem = TsBarItemMeasure{this};
    } else {
      if (IsOurs<TsBarItemDraw>(Item->OnAdvancedDrawItem)) Item->OnAdvancedDrawItem = nullptr;
      if (IsOurs<TsBarItemMeasure>(Item->OnMeasureItem)) Item->OnMeasureItem = nullptr;
    }
    return;
  }
  if (Install) {
    if (!FManager->SkinnedPopups()) return;
    if (!Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = TsPopupItemDraw{this};
    if (!Item->OnMeasureItem) Item->OnMeasureItem = TsPopupItemMeasure{this};
  } else {
    if (IsOurs<TsPopupItemDraw>(Item->OnAdvancedDrawItem)) Item->OnAdvancedDrawItem = nullptr;
    if (IsOurs<TsPopupItemMeasure>(Item->OnMeasureItem)) Item->OnMeasureItem = nullptr;
  }
}

void TsSkinableMenus::HookMainMenuItems(TMenuItem* Item, bool Install) {
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* Sub = Item->Items(i);
    if (!IsTopLine(Sub)) HookItem(Sub, Install);
    HookMainMenuItems(Sub, Install);
  }
}

void TsSkinableMenus::HookItems(TMainMenu* Menu, bool Install) {
  TMenuItem* Root = Menu->Items();
  for (int i = 0; i < Root->Count(); ++i) {
    TMenuItem* Item = Root->Items(i);
    if (Install) {
      if (FActive && FManager->SkinnedPopups()) HookItem(Item, true);
    } else {
      HookItem(Item, false);
    }
  }
  SetOwnerDrawn(Menu, Install);
}

void TsSkinableMenus::HookPopupMenu(TMenu* Menu, bool Install) {
  HookMainMenuItems(Menu->Items(), Install);
  SetOwnerDrawn(Menu, Install);
}

void TsSkinableMenus::HookTree(TComponent* Owner, bool Install) {
  for (int i = 0; i < Owner->ComponentCount(); ++i) {
    TComponent* C = Owner->Components(i);
    if (auto* Main = dynamic_cast<TMainMenu*>(C)) {
      HookItems(Main, Install);
      for (int k = 0; k < Main->Items()->Count(); ++k) HookMainMenuItems(Main->Items()->Items(k), Install);
    } else if (auto* Menu = dynamic_cast<TMenu*>(C)) {
      HookPopupMenu(Menu, Install);
    } else if (auto* Item = dynamic_cast<TMenuItem*>(C)) {
      if (!dynamic_cast<TMainMenu*>(Item->GetParentMenu())) HookMainMenuItems(Item, Install);
    }
    HookTree(C, Install);
  }
}

void TsSkinableMenus::SetActive(bool Value) {
  FActive = Value;
  if (Application) HookTree(Application, Value && FManager->SkinnedPopups());
}

void TsSkinableMenus::UpdateActive() { SetActive(FManager->SkinData().Active); }

// --- Record cache ----------------------------------------------------------------------------

void TsSkinableMenus::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (size_t i = FCache.size(); i-- > 0;)
    if (FCache[i].FirstItem == AComponent) DropRecord(i);
}

void TsSkinableMenus::DropRecord(size_t Index) {
  TacMenuInfo& Info = FCache[Index];
  if (Info.Wnd && IsWindow(Info.Wnd))
    RemoveWindowSubclass(Info.Wnd, &TsSkinableMenus::MenuWindowProc, reinterpret_cast<UINT_PTR>(this));
  TMenuItem* First = Info.FirstItem;
  FCache.erase(FCache.begin() + std::ptrdiff_t(Index));
  const bool StillUsed =
      std::any_of(FCache.begin(), FCache.end(), [&](const TacMenuInfo& I) { return I.FirstItem == First; });
  if (First && !StillUsed && !BeingDestroyed(First)) First->RemoveFreeNotification(this);
}

void TsSkinableMenus::ClearCache() {
  while (!FCache.empty()) DropRecord(FCache.size() - 1);
}

// The record goes with its window.
LRESULT CALLBACK TsSkinableMenus::MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                                 DWORD_PTR Data) {
  if (Msg == WM_NCDESTROY) {
    auto* Self = reinterpret_cast<TsSkinableMenus*>(Data);
    for (size_t i = Self->FCache.size(); i-- > 0;)
      if (Self->FCache[i].Wnd == Wnd) Self->DropRecord(i);
  }
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

void TsSkinableMenus::WatchWindow(TacMenuInfo& Info, HWND Wnd) {
  if (Info.Wnd == Wnd || !Wnd) return;
  if (Info.Wnd && IsWindow(Info.Wnd))
    RemoveWindowSubclass(Info.Wnd, &TsSkinableMenus::MenuWindowProc, reinterpret_cast<UINT_PTR>(this));
  Info.Wnd = Wnd;
  SetWindowSubclass(Wnd, &TsSkinableMenus::MenuWindowProc, reinterpret_cast<UINT_PTR>(this),
                    reinterpret_cast<DWORD_PTR>(this));
}

TacMenuInfo* TsSkinableMenus::FindMenuInfo(TMenuItem* Item, int Width, HWND Wnd, int Height) {
  TMenuItem* First = Item && Item->Parent() && Item->Parent()->Count() > 0 ? Item->Parent()->Items(0) : nullptr;
  if (Item && !First) return nullptr;
  auto It = std::find_if(FCache.begin(), FCache.end(), [&](const TacMenuInfo& I) {
    return First ? I.FirstItem == First : (Wnd && I.Wnd == Wnd);
  });
  if (It != FCache.end() && Width > 0 && It->Bmp && (It->Bmp->Width() != Width || It->Bmp->Height() != Height)) {
    DropRecord(size_t(It - FCache.begin()));
    It = FCache.end();
  }
  if (It != FCache.end()) {
    WatchWindow(*It, Wnd);
    return &*It;
  }
  if (Width <= 0 || !First) return nullptr;
  FCache.emplace_back();
  TacMenuInfo& Info = FCache.back();
  Info.FirstItem = First;
  First->FreeNotification(this);
  WatchWindow(Info, Wnd);
  BuildBackground(Info, Width, Height);
  if (Info.Wnd) SetMenuWindowRegion(Info.Wnd, Info);
  return &Info;
}

int TsSkinableMenus::ExtraWidth(const TacMenuInfo& Info) const {
  return Info.HaveExtraLine ? FManager->MenuSupport()->ExtraLineWidth() : 0;
}

// --- Window shape ----------------------------------------------------------------------------

void TsSkinableMenus::SetMenuWindowRegion(HWND Wnd, TacMenuInfo& Info) {
  if (!IsNTPlatform || !Wnd || !Info.Bmp || FInRegion) return;
  FInRegion = true;
  if (SendMessageA(Wnd, SM_SKINCMD, SkinCmdWParam(SkinCmdMenuIsShown), 0) == 0) {
    SendMessageA(Wnd, SM_SKINCMD, SkinCmdWParam(SkinCmdMenuMarkShown), 0);
    RECT W{};
    GetWindowRect(Wnd, &W);
    const int Width = W.right - W.left, Height = W.bottom - W.top;
    detail::GdiObject<HRGN> Rgn(CreateRectRgn(0, 0, Width, Height));
    for (const TPixelRect& R : Info.Rgn) {
      detail::GdiObject<HRGN> Cut(CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom));
      CombineRgn(Rgn.get(), Rgn.get(), Cut.get(), RGN_DIFF);
    }
    if (SetWindowRgn(Wnd, Rgn.get(), TRUE)) Rgn.release();
    const HDC DC = GetWindowDC(Wnd);
    BitBltBorder({DC, 0, 0, Width, Height, Info.Bmp->Canvas()->Handle(), 0, 0, 3});
    ReleaseDC(Wnd, DC);
  }
  FInRegion = false;
}

void TsSkinableMenus::MenuWindowShown(HWND MenuWindow, TMenuItem* Item) {
  if (!MenuWindow || !Item) return;
  RECT W{};
  GetWindowRect(MenuWindow, &W);
  if (TacMenuInfo* Info = FindMenuInfo(Item, W.right - W.left, MenuWindow, W.bottom - W.top))
    SetMenuWindowRegion(MenuWindow, *Info);
}

bool TsSkinableMenus::MDIChildMaximizedInMenu() const {
  TForm* Main = Application ? Application->MainForm() : nullptr;
  if (!Main || Main->FormStyle() != fsMDIForm || !Main->HandleAllocated()) return false;
  if (!SendMessageA(Main->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0)) return false;
  auto* Child = dynamic_cast<TForm*>(Main->ActiveMDIChild());
  return Child && Child->WindowState() == wsMaximized && (Child->BorderIcons() & biSystemMenu);
}

// --- Measuring -------------------------------------------------------------------------------

void TsSkinableMenus::UseMenuFont(TCanvas* Canvas, TMenuItem* Item, bool Bold) {
  if (Screen) Canvas->Font()->Assign(*Screen->MenuFont());
  const TMenu* Menu = Item->GetParentMenu();
  if (auto* Form = Menu ? dynamic_cast<TCustomForm*>(Menu->Owner()) : nullptr)
    Canvas->Font()->SetCharset(Form->Font()->Charset());
  if (Bold) Canvas->Font()->SetStyle(Canvas->Font()->Style() | fsBold);
}

TMenuSize TsSkinableMenus::GlyphSizeOf(const TMenuItem* Item) const {
  const TMenuItem* Parent = Item->Parent();
  const TMenu* Menu = Item->GetParentMenu();
  return MenuGlyphSize(SizeOf(std::as_const(*Item).Bitmap()), SizeOf(Parent ? Parent->SubMenuImages() : nullptr),
                       SizeOf(Menu ? Menu->Images() : nullptr));
}

void TsSkinableMenus::MeasurePopupItem(TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height) {
  if (BeingDestroyed(Item) || !Item->Parent()) return;
  TMenuItem* Parent = Item->Parent();
  TMenuItem* First = Parent->Items(0);
  bool Extra = false;
  if (TacMenuInfo* Info = FindMenuInfo(Item, 0, nullptr, 0))
    Extra = Info->HaveExtraLine;
  else
    Extra = FManager->MenuSupport()->UseExtraLine() && ExtraLineOf(First).Visible;
  UseMenuFont(Canvas, Item, Item->Default());
  const TsMenuItemKind Kind = MenuItemKind(Item->Caption());
  std::string Text;
  if (Kind == TsMenuItemKind::Caption)
    Text = Item->Caption();
  else if (Kind == TsMenuItemKind::Ordinary)
    Text = Item->Caption() + (Item->ShortCut() ? ShortCutToText(Item->ShortCut()) : "");
  // Measuring through the canvas first selects its font into the DC.
  const int Letter = Canvas->TextHeight("W");
  RECT R{0, 0, 0, 0};
  if (!Text.empty())
    DrawTextA(Canvas->Handle(), Text.c_str(), -1, &R, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
  for (int i = 0; Extra && i <= Parent->IndexOf(Item); ++i)
    if (Parent->Items(i)->Break() != mbNone) Extra = false;
  TPopupItemMeasure M;
  M.Kind = Kind;
  M.Glyph = GlyphSizeOf(Item);
  M.TextWidth = R.right - R.left;
  M.LetterHeight = Letter;
  M.Margin = FMargin;
  M.Spacing = FSpacing;
  M.ExtraLine = Extra;
  M.ExtraLineWidth = FManager->MenuSupport()->ExtraLineWidth();
  const TMenuSize S = ::MeasurePopupItem(M);
  Width = S.Width;
  Height = S.Height;
}

void TsSkinableMenus::MeasureBarItem(TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height) {
  const TMenu* Menu = Item->GetParentMenu();
  UseMenuFont(Canvas, Item, false);
  TBarItemMeasure M;
  M.TextWidth = Canvas->TextWidth(DeleteChars(Item->Caption(), '&'));
  M.MenuHeight = GetSystemMetrics(SM_CYMENU);
  if (Menu && Menu->Images() && Item->ImageIndex() >= 0) M.ImageWidth = Menu->Images()->Width();
  M.BitmapWidth = SizeOf(std::as_const(*Item).Bitmap()).Width;
  const TMenuSize S = ::MeasureBarItem(M);
  Width = S.Width;
  Height = S.Height;
}

TMenuSize TsSkinableMenus::MenuSize(TMenuItem* Item, TCanvas* Canvas) {
  std::vector<TMeasuredItem> Items;
  TMenuItem* Parent = Item->Parent();
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* Sub = Parent->Items(i);
    if (!Sub->Visible()) continue;
    int W = 0, H = 0;
    Sub->MeasureItem(Canvas, W, H);
    Items.push_back({{W, H}, Sub->Break() != mbNone});
  }
  return MenuSizeOf(Items, FBorderWidth);
}
