#pragma once
// TsSkinProvider: the skin provider of a form (its skin section and whether its borders are extended).
#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/Component.h"

class TsSkinProvider : public TComponent {
 public:
  explicit TsSkinProvider(TComponent* AOwner) : TComponent(AOwner) { SkinData.SkinSection = "FORM"; }
  TsControlSkinValues SkinData;
  bool AllowExtBorders = false;
};
