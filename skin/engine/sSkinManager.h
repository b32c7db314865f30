#pragma once
// The skin manager: the owner of a loaded skin's tables, its global values and the common indexes,
// and the lookups the painters make over them.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "skin/engine/sAnimEffects.h"
#include "skin/engine/sThirdParty.h"
#include "skin/engine/sSkinOptions.h"
#include "skin/engine/sStoredSkins.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/ui/Component.h"
#include "toolkit/ui/Messages.h"

class TBitmap;
class TMenuItem;

// Posted to the application window by the menu painter when it draws an item of a popup menu whose
// window it could not find: wParam 0, lParam the item.
constexpr UINT SM_MENUITEMSHOWN = 0xBCB3;
// A popup menu's window about to be shown: wParam the window, lParam the item or 0.
constexpr UINT SM_MENUWINDOWSHOWN = 0xBCB4;

// The manager's skinned-menu painter as the manager reaches it; the skinned menus implement it.
class TacMenuPainter {
 public:
  virtual ~TacMenuPainter() = default;
  // SkinnedPopups changed on the default manager: the painter takes the new state.
  virtual void SetActive(bool Value) = 0;
  // A skin is being applied: -1, the frame width is taken from the skin afresh on the next read.
  virtual void SetSkinBorderWidth(int Value) = 0;
  // The main-window hook found the popup window ("#32768") of a menu about to be shown.
  virtual void MenuWindowShown(HWND MenuWindow, TMenuItem* Item) = 0;
};

// The menu options the painter reads.
class TacMenuSupport : public TPersistent {
 public:
  std::uint8_t AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(std::uint8_t Value) { FAlphaBlend = Value; }
  // The section painted behind the icon column; "ICOLINE" when left empty at a load.
  const std::string& IcoLineSkin() const { return FIcoLineSkin; }
  void SetIcoLineSkin(const std::string& Value) { FIcoLineSkin = Value; }
  bool UseExtraLine() const { return FUseExtraLine; }
  void SetUseExtraLine(bool Value) { FUseExtraLine = Value; }
  int ExtraLineWidth() const { return FExtraLineWidth; }
  void SetExtraLineWidth(int Value) { FExtraLineWidth = Value; }
  TFont* ExtraLineFont() const { return FExtraLineFont.get(); }
  void SetExtraLineFont(TFont* Value) { FExtraLineFont->Assign(*Value); }
  void GetPublishedProperties(TPropList& List) const override;

 private:
  std::uint8_t FAlphaBlend = 255;
  std::string FIcoLineSkin;
  bool FUseExtraLine = false;
  int FExtraLineWidth = 32;
  std::unique_ptr<TFont> FExtraLineFont = std::make_unique<TFont>();
};

// Supplies the extra line of a menu whose first item is FirstItem.
using TacGetExtraLineData = std::function<void(TMenuItem* FirstItem, std::string& SkinSection, std::string& Caption,
                                               TBitmap*& Glyph, bool& LineVisible)>;

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* AOwner);
  ~TsSkinManager() override;

  // The frame width and the system colours the model of a skin text is built with.
  static TsSkinModelInputs SystemInputs();
  // Builds the model of a skin's options text and of the CommonSections text and takes it in. A
  // number that is not a number raises EConvertError and leaves the current skin as it is.
  void ReadSkinText(std::string_view OptionsText, std::string_view CommonSections);
  // Takes a built model and its master bitmap in place of the current skin and resolves the section
  // pieces and the common indexes.
  void UseSkinModel(TsSkinModel Model, std::shared_ptr<TBitmap> MasterBitmap = nullptr);

  const TsSkinTables& Tables() const { return FTables; }
  const TsSkinData& SkinData() const { return FSkinData; }
  const TsCommonIndexes& CommonIndexes() const { return FCommonIndexes; }
  // The skins stored with the program.
  TsStoredSkins& InternalSkins() { return FInternalSkins; }
  // The skin's 32-bit master bitmap; nullptr when the skin has none.
  TBitmap* MasterBitmap() const { return FMasterBitmap.get(); }

  int GetSkinIndex(std::string_view Name) const;
  int GetMaskIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const;
  int FindMaskIndex(std::string_view SkinSection, std::string_view Mask) const;
  int GetTextureIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const;
  int GetPatternIndex(int SkinIndex, std::string_view SkinSection, std::string_view Pattern) const;
  bool IsValidSkinIndex(int Index) const;
  bool IsValidMaskIndex(int Index) const;
  int MaskBorderLeft(int MaskIndex) const;
  int MaskBorderTop(int MaskIndex) const;
  int MaskBorderRight(int MaskIndex) const;
  int MaskBorderBottom(int MaskIndex) const;

  // Colours of "GLOBALINFO", of "EDIT" and of the selection, as RGB values; without those sections
  // the system's colours.
  TColor GetGlobalColor() const;
  TColor GetGlobalFontColor() const;
  TColor GetGlobalHotColor() const;
  TColor GetActiveEditFontColor() const;
  TColor GetSelectionColor(bool Hot) const;
  TColor GetSelectionFontColor(bool Hot) const;

  // The animation and effect settings.
  TacAnimEffects* AnimEffects() const { return FAnimEffects.get(); }
  TacSkinEffects* Effects() const { return FEffects.get(); }
  // The class names of foreign controls that form skinning adapts, by category.
  TThirdPartyLists& ThirdParty() { return FThirdParty; }
  const TThirdPartyLists& ThirdParty() const { return FThirdParty; }

  TacMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
  // The skinned-menu painter, owned by the manager; nullptr until the skinned menus set it.
  TacMenuPainter* MenuPainter() const { return FMenuPainter.get(); }
  void SetMenuPainter(std::unique_ptr<TacMenuPainter> Painter) { FMenuPainter = std::move(Painter); }
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool Value);
  TacGetExtraLineData OnGetMenuExtraLineData;

  // The hook on the application's main window, installed by the default manager.
  bool MainWindowHook(TMessage& Message);

 private:
  const TsGeneralData* Section(std::string_view Name) const;

  std::shared_ptr<TBitmap> FMasterBitmap;
  TsStoredSkins FInternalSkins{this};
  TsSkinTables FTables;
  TsSkinData FSkinData;
  TsCommonIndexes FCommonIndexes;
  std::unique_ptr<TacAnimEffects> FAnimEffects = std::make_unique<TacAnimEffects>(this);
  std::unique_ptr<TacSkinEffects> FEffects = std::make_unique<TacSkinEffects>(this);
  TThirdPartyLists FThirdParty;
  std::unique_ptr<TacMenuSupport> FMenuSupport = std::make_unique<TacMenuSupport>();
  std::unique_ptr<TacMenuPainter> FMenuPainter;
  bool FSkinnedPopups = true;
  bool FMainWindowHooked = false;
};
