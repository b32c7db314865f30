#pragma once
// TsEdit: an edit with a skin section.
#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/StdCtrls.h"

class TsEdit : public TEdit {
 public:
  explicit TsEdit(TComponent* AOwner) : TEdit(AOwner) { SkinData.SkinSection = "EDIT"; }
  TsControlSkinValues SkinData;
};
