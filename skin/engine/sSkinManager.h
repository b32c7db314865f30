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

// The previews of desktop composition are wanted for the program's windows.
extern bool DwmIconicPreviews;
// Tells desktop composition whether Wnd supplies its own iconic pictures: attribute 10, and only when
// that succeeded attribute 7, then the pictures invalidated.
void SetDwmIconicBitmap(HWND Wnd, bool Value);
// Reads the built-in shadow images "acSHDA" and "acSHDI" of the program's resources, when present.
void ReadBuiltInShadows();

// Which windows form and dialog skinning take over; a set, element i as bit i.
enum TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };
using TacSkinningRules = std::uint8_t;
constexpr TacSkinningRules AllSkinningRules = 7;

// The shadow images of extended borders and how far they reach outside a form.
struct TsShadowImages {
  std::unique_ptr<TBitmap> Active, Inactive;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TControl;
class TStrings;

class TsSkinManager : public TComponent {
 public:
  // The first manager made becomes the default one and hooks the application's main window.
  explicit TsSkinManager(TComponent* AOwner);
  // Removes the skin; the default manager unhooks the main window and leaves no default manager.
  ~TsSkinManager() override;
  void Loaded() override;
  void GetPublishedProperties(TPropList& List) const override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // True while a new skin is announced: its tables are complete though it is not yet marked active, so
  // that receivers find their sections in them without painting.
  bool AnnouncingSkin() const { return FAnnouncingSkin; }
  const std::string& SkinName() const { return FSkinName; }
  // Loads the skin of that name (a folder of the skin directory, a packed file with or without ".asz",
  // or a stored skin) and applies it. An error while loading removes the skin and clears the loading
  // flag before it reaches the caller.
  void SetSkinName(const std::string& Value);
  const std::string& SkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const std::string& Value);
  // SkinDirectory resolved against the program's folder; no final "\".
  std::string GetFullSkinDirectory() const;
  const std::string& CommonSections() const { return FCommonSections; }
  // Lines not empty and not comments lose their blanks; the skin is loaded again.
  void SetCommonSections(const std::string& Value);
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);
  // Set and layered windows available.
  bool ExtendedBorders() const;
  void SetExtendedBorders(bool Value);
  bool IsDefault() const { return DefaultManagerIs(this); }
  void SetIsDefault(bool Value);
  TacSkinningRules SkinningRules() const { return FSkinningRules; }
  void SetSkinningRules(TacSkinningRules Value) { FSkinningRules = Value; }
  // The loaded skin's VERSION with "." as decimal separator, "N/A" while no skin is active.
  std::string SkinInfo() const;
  static std::string Version() { return "7.61"; }
  // The shadow images of extended borders, prepared after every load while they are in effect.
  const TsShadowImages& ShadowImages() const { return FShadows; }
  // The built-in shadow images, taken by every manager for skins without an "EXBORDER" piece.
  static TsShadowImages& BuiltInShadows();

  // Fills List with the skins that can be chosen (stored skins, then, by Kind 0 folders, 1 packed
  // files, 2 both, those of the skin directory), sorted; returns the default name.
  std::string GetSkinNames(TStrings* List, int Kind = 2) const;

  // Announces the loaded skin to every form and control and installs the dialog hook.
  void SendNewSkin(bool Repaint);
  // Takes the skin from every form and control, removes the dialog hook and empties the tables.
  void SendRemoveSkin();
  void RepaintForms(bool Lock);

  // Hot tracking: the window or window-less control under the mouse hears of entering and leaving.
  LRESULT SetHotWindow(HWND Wnd);
  void SetHotControl(TControl* Control);
  // The hot window while it is a live window of this thread, else nullptr.
  HWND HotWindow() const;
  TControl* HotControl() const { return FHotControl; }
  // The dialog hook is installed.
  bool DialogHookInstalled() const { return bool(FCBTHook); }
  // The skin is being removed (or a request of another process applied).
  bool RemovingSkin() const { return FRemovingSkin; }
  // What the main-window hook last saw of WM_SYSCOMMAND: 1 a minimize, 2 a restore under way.
  int SysCommand() const { return FSysCommand; }

  // Applies a skin-change request of a WM_COPYDATA message; answers 1 in its result when applied.
  void ApplySkinFromCopyData(TMessage& Message);

  TNotifyEvent OnAfterChange;
  TNotifyEvent OnBeforeChange;
  TNotifyEvent OnSkinListChanged;

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
  // The skinned-menu painter, owned by the manager: the default manager makes its own; nullptr on others.
  TacMenuPainter* MenuPainter() const { return FMenuPainter.get(); }
  void SetMenuPainter(std::unique_ptr<TacMenuPainter> Painter) { FMenuPainter = std::move(Painter); }
  bool SkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool Value);
  TacGetExtraLineData OnGetMenuExtraLineData;

  // The hook on the application's main window, installed by the default manager.
  bool MainWindowHook(TMessage& Message);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct THookDeleter {
    void operator()(HHOOK Hook) const { UnhookWindowsHookEx(Hook); }
  };
  static bool DefaultManagerIs(const TsSkinManager* Manager);
  const TsGeneralData* Section(std::string_view Name) const;
  // Loads the skin named by SkinName with the loading flag set; false when no source holds it.
  bool LoadNamedSkin();
  // Reloads after a change of the colours or borders and refreshes the forms.
  void Reload();
  void CheckVersion() const;
  void PrepareShadows();
  void InstallDialogHook();
  void RemoveDialogHook();
  void BroadcastSkinCmd(int Code);
  bool Loading() const { return ComponentState() & (csLoading | csReading); }
  bool HookWindowPosChanged(TMessage& Message);
  bool HookSysCommand(TMessage& Message);

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
  bool FActive = true;
  std::string FSkinName, FSkinDirectory, FCommonSections;
  int FHueOffset = 0, FSaturation = 0;
  bool FExtendedBorders = false;
  TacSkinningRules FSkinningRules = AllSkinningRules;
  TsShadowImages FShadows;
  HWND FHotWindow = nullptr;
  TControl* FHotControl = nullptr;
  std::unique_ptr<HHOOK__, THookDeleter> FCBTHook;
  // Set while the skin is being removed, and while a request of another process is applied.
  bool FRemovingSkin = false;
  bool FAnnouncingSkin = false;
  bool FApplySuppressed = false;
  // What the hook last saw of WM_SYSCOMMAND: 1 a minimize, 2 a restore under way.
  int FSysCommand = 0;
};
