#pragma once
// Skinned menus: the painter that makes the application's menus owner-drawn and paints them from the
// skin. It measures items, keeps one background per open menu, frames and shapes the popup windows and
// draws separators, caption items, ordinary items and the items of a menu bar.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinMenusLayout.h"
#include "toolkit/ui/Menus.h"

// 0 caption item, 1 separator, 2 ordinary item of a popup menu, 3 item of the menu bar.
enum TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

using TsMenuManagerDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State,
                       TsMenuItemType ItemType)>;

class TsSkinableMenus;

// The handlers the painter installs on items; it knows them again by their type (target<>), so that
// removing the skin takes away exactly these and leaves an item's own.
struct TsPopupItemDraw {
  TsSkinableMenus* Menus;
  void operator()(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) const;
};
struct TsPopupItemMeasure {
  TsSkinableMenus* Menus;
  void operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const;
};
struct TsBarItemDraw {
  TsSkinableMenus* Menus;
  void operator()(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) const;
};
struct TsBarItemMeasure {
  TsSkinableMenus* Menus;
  void operator()(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) const;
};

// A menu's extra line as the manager's event leaves it.
struct TsMenuExtraLine {
  std::string Section = "EXTRALINE";
  std::string Caption = "Use OnGetExtraLineData event";
  std::unique_ptr<TBitmap> Glyph;
  bool Visible = true;
};

// One opened menu, known by the first item of its list.
struct TacMenuInfo {
  TMenuItem* FirstItem = nullptr;
  // The whole popup window: frame, icon column, extra line and skin background.
  std::unique_ptr<TBitmap> Bmp;
  HWND Wnd = nullptr;
  bool HaveExtraLine = false;
  // The icon column's width: margin, the glyphs of this menu's items and spacing.
  int IcoLineWidth = 0;
  // Pixels cut out of the window by the border mask.
  std::vector<TPixelRect> Rgn;
};

class TsSkinableMenus : public TComponent, public TacMenuPainter {
 public:
  explicit TsSkinableMenus(TsSkinManager* Manager);
  ~TsSkinableMenus() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value) { FBevelWidth = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(TFont* Value) { FCaptionFont->Assign(*Value); }
  // Computed from the skin on the first read after a value below 0.
  int SkinBorderWidth();
  void SetSkinBorderWidth(int Value) override { FSkinBorderWidth = Value; }
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value) { FSpacing = Value; }
  void GetPublishedProperties(TPropList& List) const override;

  TsMenuManagerDrawItemEvent OnDrawItem;

  TsSkinManager* Manager() const { return FManager; }
  bool Active() const { return FActive; }
  // Hooks or unhooks every menu of the application.
  void SetActive(bool Value) override;
  // Active while the manager has a skin.
  void UpdateActive();

  void HookItem(TMenuItem* Item, bool Install);
  void HookMainMenuItems(TMenuItem* Item, bool Install);
  void HookItems(TMainMenu* Menu, bool Install);
  void HookPopupMenu(TMenu* Menu, bool Install);

  // Frees every cached background.
  void ClearCache();
  int CacheCount() const { return int(FCache.size()); }
  // The record of Item's menu, else of the window Wnd; built for a Width × Height window when missing
  // and a width is given, and built again when that size is not the record's. nullptr for none.
  TacMenuInfo* FindMenuInfo(TMenuItem* Item, int Width, HWND Wnd, int Height);
  // Gives the popup window the skin's shape and frame.
  void SetMenuWindowRegion(HWND Wnd, TacMenuInfo& Info);
  void MenuWindowShown(HWND MenuWindow, TMenuItem* Item) override;
  // An MDI main form's active child is maximized with its system menu in the menu bar.
  bool MDIChildMaximizedInMenu() const;

  // The popup window that a DC of a menu item belongs to; WindowFromDC unless a test replaces it.
  std::function<HWND(HDC)> WindowFinder;

  void MeasurePopupItem(TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height);
  void DrawPopupItem(TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State);
  void MeasureBarItem(TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height);
  void DrawBarItem(TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // Asks the manager's event; no line for a menu whose first item is "SkinSelectItem".
  TsMenuExtraLine ExtraLineOf(TMenuItem* FirstItem);
  void HookTree(TComponent* Owner, bool Install);
  void UseMenuFont(TCanvas* Canvas, TMenuItem* Item, bool Bold);
  TMenuSize GlyphSizeOf(const TMenuItem* Item) const;
  TMenuSize MenuSize(TMenuItem* Item, TCanvas* Canvas);
  void BuildBackground(TacMenuInfo& Info, int Width, int Height);
  void PaintExtraLine(TacMenuInfo& Info, TsMenuExtraLine& Line, int Height);
  void DropRecord(size_t Index);
  void WatchWindow(TacMenuInfo& Info, HWND Wnd);
  int ExtraWidth(const TacMenuInfo& Info) const;
  static LRESULT CALLBACK MenuWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                         DWORD_PTR Data);
  // ClientOffset: where the window's client area lies in the window (and so in the background).
  void DrawSeparator(TacMenuInfo& Info, TCanvas* Canvas, const TRect& R, TPoint ClientOffset);
  void DrawCaptionItem(TacMenuInfo& Info, TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State,
                       TPoint ClientOffset);
  void DrawOrdinaryItem(TacMenuInfo& Info, TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State,
                        TPoint ClientOffset);
  void DrawFrame(TacMenuInfo& Info, TMenuItem* Item, const TRect& R, TPoint ClientOffset);

  TsSkinManager* FManager;
  TAlignment FAlignment = taLeftJustify;
  int FBevelWidth = 0;
  int FBorderWidth = 3;
  std::unique_ptr<TFont> FCaptionFont = std::make_unique<TFont>();
  int FSkinBorderWidth = -1;
  int FMargin = 2;
  int FSpacing = 8;
  bool FActive = false;
  bool FInRegion = false;
  bool FInExtraLine = false;
  // Set while a background is built: the glyph width of the menu and the icon column's width.
  std::vector<TacMenuInfo> FCache;
};
