#pragma once
// TsComboBox: a drop-down list with a skin section.
#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/StdCtrls.h"

class TsComboBox : public TComboBox {
 public:
  explicit TsComboBox(TComponent* AOwner) : TComboBox(AOwner) { SkinData.SkinSection = "COMBOBOX"; }
  TsControlSkinValues SkinData;
};
