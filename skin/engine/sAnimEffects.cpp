#include "skin/engine/sAnimEffects.h"

#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinSeam.h"

namespace {

template <class C, class Sub>
TPropInfo SubObject(const char* Name, Sub* (C::*Get)() const) {
  return ObjProperty<C>(Name, Get, nullptr);
}

}  // namespace

void TacFormAnimation::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      BoolProperty<TacFormAnimation>("Active", &TacFormAnimation::Active, &TacFormAnimation::SetActive),
      OrdProperty<TacFormAnimation>("Time", &TacFormAnimation::Time, &TacFormAnimation::SetTime),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

void TacSkinChanging::GetPublishedProperties(TPropList& List) const {
  TacFormAnimation::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      OrdProperty<TacFormAnimation>("Mode", &TacFormAnimation::Mode, &TacFormAnimation::SetMode,
                                    {"atFading", "atAero"}),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

void TacBlendOnMoving::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      BoolProperty<TacFormAnimation>("Active", &TacFormAnimation::Active, &TacFormAnimation::SetActive),
      OrdProperty<TacBlendOnMoving>("BlendValue", &TacBlendOnMoving::BlendValue, &TacBlendOnMoving::SetBlendValue),
      OrdProperty<TacFormAnimation>("Time", &TacFormAnimation::Time, &TacFormAnimation::SetTime),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

void TacBtnEffects::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      SetProperty<TacBtnEffects>("Events", &TacBtnEffects::Events, &TacBtnEffects::SetEvents,
                                 {"beMouseEnter", "beMouseLeave", "beMouseDown", "beMouseUp"}),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

TacAnimEffects::TacAnimEffects(TsSkinManager* AManager)
    : Manager(AManager), FButtons(std::make_unique<TacBtnEffects>(AManager)) {}

void TacAnimEffects::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      SubObject<TacAnimEffects>("BlendOnMoving", &TacAnimEffects::BlendOnMoving),
      SubObject<TacAnimEffects>("Buttons", &TacAnimEffects::Buttons),
      SubObject<TacAnimEffects>("DialogShow", &TacAnimEffects::DialogShow),
      SubObject<TacAnimEffects>("FormShow", &TacAnimEffects::FormShow),
      SubObject<TacAnimEffects>("FormHide", &TacAnimEffects::FormHide),
      SubObject<TacAnimEffects>("DialogHide", &TacAnimEffects::DialogHide),
      SubObject<TacAnimEffects>("Minimizing", &TacAnimEffects::Minimizing),
      SubObject<TacAnimEffects>("PageChange", &TacAnimEffects::PageChange),
      SubObject<TacAnimEffects>("SkinChanging", &TacAnimEffects::SkinChanging),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}

bool TacSkinEffects::GetAllowGlowing() const {
  return FAllowGlowing && LayeredWindowsAvailable() && DwmCompositionEnabled() && !Wow64WithoutComposition;
}

void TacSkinEffects::GetPublishedProperties(TPropList& List) const {
  TPersistent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      BoolProperty<TacSkinEffects>("AllowGlowing", &TacSkinEffects::AllowGlowing, &TacSkinEffects::SetAllowGlowing),
      BoolProperty<TacSkinEffects>("AllowAeroBluring", &TacSkinEffects::AllowAeroBluring,
                                   &TacSkinEffects::SetAllowAeroBluring),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}
