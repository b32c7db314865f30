#pragma once
// TsLabelFX: a label painted with an effect (the effect's kind and colour, a shadow).
#include "toolkit/graphics/Colors.h"
#include "toolkit/ui/StdCtrls.h"

enum TKindType { ktCustom, ktStandard, ktGlow, ktShadow };

struct TsEffectKind {
  TKindType KindType = ktStandard;
  TColor Color = clWhite;
};

class TsLabelFX : public TLabel {
 public:
  using TLabel::TLabel;
  TsEffectKind Kind;
  bool Shadow = true;
};
