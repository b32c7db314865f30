#pragma once
// The skin manager: the owner of a loaded skin's tables, its global values and the common indexes,
// and the lookups the painters make over them.
#include <string>
#include <string_view>

#include <memory>

#include "skin/engine/sAnimEffects.h"
#include "skin/engine/sThirdParty.h"
#include "skin/engine/sSkinOptions.h"
#include "skin/engine/sStoredSkins.h"
#include "toolkit/ui/Component.h"

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* AOwner);

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
};
