#pragma once
// TsPanel: a panel with a skin section; with CustomColor and CustomFont its own colour and font show.
#include "skin/controls/sCommonValues.h"
#include "toolkit/ui/ExtCtrls.h"

class TsPanel : public TPanel {
 public:
  explicit TsPanel(TComponent* AOwner) : TPanel(AOwner) { SkinData.SkinSection = "PANEL"; }
  TsControlSkinValues SkinData;
};
