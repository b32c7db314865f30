#include "skin/engine/sSkinManager.h"

#include <windows.h>

#include <cstdio>

#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinMenus.h"
#include "toolkit/rtl/TypInfo.h"
#include "toolkit/ui/Controls.h"
#include "toolkit/ui/Forms.h"

namespace {

constexpr const char* DefaultSkinDirectory = "c:\\Skins";

// A colour a section can leave unset: none, or the transparent key.
bool IsUsable(TColor Color) { return Color != -1 && Color != clFuchsia; }

}  // namespace

void TacMenuSupport::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      OrdProperty<TacMenuSupport>("AlphaBlend", &TacMenuSupport::AlphaBlend, &TacMenuSupport::SetAlphaBlend),
      StrProperty<TacMenuSupport>("IcoLineSkin", &TacMenuSupport::IcoLineSkin, &TacMenuSupport::SetIcoLineSkin),
      BoolProperty<TacMenuSupport>("UseExtraLine", &TacMenuSupport::UseExtraLine, &TacMenuSupport::SetUseExtraLine),
      OrdProperty<TacMenuSupport>("ExtraLineWidth", &TacMenuSupport::ExtraLineWidth,
                                  &TacMenuSupport::SetExtraLineWidth),
      ObjProperty<TacMenuSupport>("ExtraLineFont", &TacMenuSupport::ExtraLineFont, &TacMenuSupport::SetExtraLineFont),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

TsSkinManager::TsSkinManager(TComponent* AOwner) : TComponent(AOwner) {
  FThirdParty.Fill(false);
  FSkinDirectory = DefaultSkinDirectory;
  FSkinData.SkinPath = GetFullSkinDirectory();
  FInternalSkins.OnChange = [this](TObject*) {
    if (OnSkinListChanged) OnSkinListChanged(this);
  };
  if (DefaultManager) return;
  DefaultManager = this;
  // The default manager paints the application's menus while a skin is on.
  FMenuPainter = std::make_unique<TsSkinableMenus>(this);
  if (IsNTPlatform && Application) {
    Application->HookMainWindow(TWindowHook(this, &TsSkinManager::MainWindowHook));
    FMainWindowHooked = true;
  }
}

TsSkinManager::~TsSkinManager() {
  FInternalSkins.OnChange = nullptr;
  FActive = false;
  // The controls still hear of the removal; a failing one must not stop the destruction.
  if (FSkinData.Active || !FTables.Sections.empty()) try {
      SendRemoveSkin();
    } catch (...) {
    }
  // The painter gives every menu item its own handlers back while the manager is still whole.
  FMenuPainter.reset();
  FCBTHook.reset();
  if (FHotControl) FHotControl->RemoveFreeNotification(this);
  FThirdParty.CopyBack();
  if (FMainWindowHooked && Application) Application->UnhookMainWindow(TWindowHook(this, &TsSkinManager::MainWindowHook));
  if (DefaultManager == this) DefaultManager = nullptr;
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (FSkinDirectory.empty()) SetSkinDirectory(DefaultSkinDirectory);
  if (FMenuSupport->IcoLineSkin().empty()) FMenuSupport->SetIcoLineSkin("ICOLINE");
  FThirdParty.Fill(true);
  if (FActive && !FSkinName.empty()) SendNewSkin(false);
}

void TsSkinManager::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FHotControl && static_cast<TComponent*>(FHotControl) == AComponent) FHotControl = nullptr;
}

bool TsSkinManager::DefaultManagerIs(const TsSkinManager* Manager) { return DefaultManager == Manager; }

void TsSkinManager::SetSkinnedPopups(bool Value) {
  if (FSkinnedPopups == Value) return;
  FSkinnedPopups = Value;
  // Popups are hooked only over a skin.
  if (DefaultManager == this && FMenuPainter) FMenuPainter->SetActive(Value && FSkinData.Active);
}

void TsSkinManager::SetIsDefault(bool Value) {
  if (!Value) return;  // false only reflects that another manager is the default one
  if (DefaultManager == this) return;
  DefaultManager = this;
  if (FActive && FSkinData.Active)
    SendNewSkin(true);
  else
    SendRemoveSkin();
}

std::string TsSkinManager::SkinInfo() const {
  if (!FSkinData.Active) return "N/A";
  char Text[32];
  std::snprintf(Text, sizeof(Text), "%g", FSkinData.Version);
  return Text;
}

void TsSkinManager::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  using M = TsSkinManager;
  static const TPropInfo Props[] = {
      ObjProperty<M>("Effects", &M::Effects, nullptr),
      BoolProperty<M>("ExtendedBorders", &M::ExtendedBorders, &M::SetExtendedBorders),
      BoolProperty<M>("SkinnedPopups", &M::SkinnedPopups, &M::SetSkinnedPopups),
      ObjProperty<M>("AnimEffects", &M::AnimEffects, nullptr),
      BoolProperty<M>("IsDefault", &M::IsDefault, &M::SetIsDefault),
      BoolProperty<M>("Active", &M::Active, &M::SetActive),
      StrProperty<M>("CommonSections", &M::CommonSections, &M::SetCommonSections),
      OrdProperty<M>("Saturation", &M::Saturation, &M::SetSaturation),
      OrdProperty<M>("HueOffset", &M::HueOffset, &M::SetHueOffset),
      [] {
        TPropInfo P = NewPropInfo("InternalSkins", tkClass);
        P.GetObj = [](const TObject* o) -> TObject* { return &const_cast<M*>(static_cast<const M*>(o))->FInternalSkins; };
        P.SetObj = [](TObject* o, TObject* v) { static_cast<M*>(o)->FInternalSkins.Assign(dynamic_cast<TPersistent*>(v)); };
        return P;
      }(),
      ObjProperty<M>("MenuSupport", &M::MenuSupport, nullptr),
      StrProperty<M>("SkinDirectory", &M::SkinDirectory, &M::SetSkinDirectory),
      StrProperty<M>("SkinName", &M::SkinName, &M::SetSkinName),
      [] {
        TPropInfo P = NewPropInfo("SkinInfo", tkString);
        P.GetStr = [](const TObject* o) { return static_cast<const M*>(o)->SkinInfo(); };
        P.SetStr = [](TObject*, const std::string&) {};  // writing it does nothing
        return P;
      }(),
      SetProperty<M>("SkinningRules", &M::SkinningRules, &M::SetSkinningRules,
                     {"srStdForms", "srStdDialogs", "srThirdParty"}),
      [] {
        TPropInfo P = NewPropInfo("Version", tkString);
        P.GetStr = [](const TObject*) { return M::Version(); };
        P.SetStr = [](TObject*, const std::string&) {};
        return P;
      }(),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

TsSkinModelInputs TsSkinManager::SystemInputs() {
  TsSkinModelInputs Inputs;
  Inputs.FrameWidth = GetSystemMetrics(SM_CXFRAME);
  Inputs.SysColorToRGB = [](TColor Code) { return TColor(ColorToRGB(Code)); };
  return Inputs;
}

void TsSkinManager::ReadSkinText(std::string_view OptionsText, std::string_view CommonSections) {
  UseSkinModel(BuildSkinModel(OptionsText, CommonSections, SystemInputs()));
}

void TsSkinManager::UseSkinModel(TsSkinModel Model, std::shared_ptr<TBitmap> MasterBitmap) {
  FTables = std::move(Model.Tables);
  FMasterBitmap = std::move(MasterBitmap);
  for (TsMaskData& Mask : FTables.Masks) Mask.Manager = this;
  FSkinData = std::move(Model.SkinData);
  FCommonIndexes = ResolveCommonIndexes(FTables);
  ResolveSectionPieces(FTables);
}

int TsSkinManager::GetSkinIndex(std::string_view Name) const { return ::GetSkinIndex(FTables, Name); }

int TsSkinManager::GetMaskIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const {
  return ::GetMaskIndex(FTables, SkinIndex, SkinSection, Mask);
}

int TsSkinManager::FindMaskIndex(std::string_view SkinSection, std::string_view Mask) const {
  return ::FindMaskIndex(FTables, SkinSection, Mask);
}

int TsSkinManager::GetTextureIndex(int SkinIndex, std::string_view SkinSection, std::string_view Mask) const {
  return ::GetTextureIndex(FTables, SkinIndex, SkinSection, Mask);
}

int TsSkinManager::GetPatternIndex(int SkinIndex, std::string_view SkinSection, std::string_view Pattern) const {
  return ::GetPatternIndex(FTables, SkinIndex, SkinSection, Pattern);
}

bool TsSkinManager::IsValidSkinIndex(int Index) const { return ::IsValidSkinIndex(FTables, Index); }
bool TsSkinManager::IsValidMaskIndex(int Index) const { return ::IsValidMaskIndex(FTables, Index); }
int TsSkinManager::MaskBorderLeft(int MaskIndex) const { return ::MaskBorderLeft(FTables, MaskIndex); }
int TsSkinManager::MaskBorderTop(int MaskIndex) const { return ::MaskBorderTop(FTables, MaskIndex); }
int TsSkinManager::MaskBorderRight(int MaskIndex) const { return ::MaskBorderRight(FTables, MaskIndex); }
int TsSkinManager::MaskBorderBottom(int MaskIndex) const { return ::MaskBorderBottom(FTables, MaskIndex); }

const TsGeneralData* TsSkinManager::Section(std::string_view Name) const {
  const int i = GetSkinIndex(Name);
  return i < 0 ? nullptr : &FTables.Sections[i];
}

TColor TsSkinManager::GetGlobalColor() const {
  const TsGeneralData* s = Section("GLOBALINFO");
  return ColorToRGB(s ? s->Color : clBtnFace);
}

TColor TsSkinManager::GetGlobalFontColor() const {
  const TsGeneralData* s = Section("GLOBALINFO");
  return s ? ColorToRGB(s->FontColor) : clFuchsia;
}

TColor TsSkinManager::GetGlobalHotColor() const {
  const TsGeneralData* s = Section("GLOBALINFO");
  return ColorToRGB(s ? s->HotColor : clWindow);
}

TColor TsSkinManager::GetActiveEditFontColor() const {
  const TsGeneralData* s = Section("EDIT");
  return s ? ColorToRGB(s->Props[0].FontColor) : clWindowText;
}

TColor TsSkinManager::GetSelectionColor(bool Hot) const {
  if (const TsGeneralData* s = Section("SELECTION")) {
    const TColor Color = s->Props[Hot && s->States > 1 ? 1 : 0].Color;
    if (IsUsable(Color)) return ColorToRGB(Color);
  }
  if (const TsGeneralData* m = Section("MENUITEM"))
    if (IsUsable(m->HotColor) && m->HotColor != clWhite) return ColorToRGB(m->HotColor);
  return clHighlight;
}

TColor TsSkinManager::GetSelectionFontColor(bool Hot) const {
  if (const TsGeneralData* s = Section("SELECTION")) {
    const TColor Color = s->Props[Hot && s->States > 1 ? 1 : 0].FontColor;
    if (IsUsable(Color)) return Color;
  }
  if (const TsGeneralData* m = Section("MENUITEM"))
    if (IsUsable(m->HotFontColor)) return ColorToRGB(m->HotFontColor);
  return clHighlightText;
}
