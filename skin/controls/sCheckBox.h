#pragma once
// TsCheckBox: a check box with a skin section.
#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/StdCtrls.h"

class TsCheckBox : public TCheckBox {
 public:
  explicit TsCheckBox(TComponent* AOwner) : TCheckBox(AOwner) { SkinData.SkinSection = "CHECKBOX"; }
  TsControlSkinValues SkinData;
};
