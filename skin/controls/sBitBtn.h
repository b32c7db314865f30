#pragma once
// TsBitBtn: a bitmap button with a skin section.
#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/Buttons.h"

class TsBitBtn : public TBitBtn {
 public:
  explicit TsBitBtn(TComponent* AOwner) : TBitBtn(AOwner) { SkinData.SkinSection = "BUTTON"; }
  TsControlSkinValues SkinData;
};
