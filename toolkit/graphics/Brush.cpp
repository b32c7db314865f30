#include "toolkit/graphics/Brush.h"

namespace {
// Hatch of each hatched style, from bsHorizontal on.
constexpr int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
}  // namespace

void TBrush::Assign(const TBrush& Source) {
  if (&Source == this) return;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  Changed();
}

void TBrush::Changed() {
  FHandle.reset();
  TGraphicsObject::Changed();
}

detail::SharedGdiObject<HBRUSH> TBrush::SharedHandle() const {
  if (!FHandle) {
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(FColor);
    if (FStyle == bsSolid) {
      lb.lbStyle = BS_SOLID;
    } else if (FStyle == bsClear) {
      lb.lbStyle = BS_HOLLOW;
    } else {
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = kHatches[FStyle - bsHorizontal];
    }
    FHandle = detail::ShareGdiObject(CreateBrushIndirect(&lb));
  }
  return FHandle;
}

HBRUSH TBrush::Handle() const { return SharedHandle().get(); }

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb{};
  if (Value && GetObjectA(Value, sizeof(lb), &lb) == sizeof(lb)) {
    FColor = static_cast<TColor>(lb.lbColor);
    FStyle = bsSolid;
    if (lb.lbStyle == BS_HOLLOW) FStyle = bsClear;
    if (lb.lbStyle == BS_HATCHED)
      for (int s = bsHorizontal; s <= bsDiagCross; ++s)
        if (kHatches[s - bsHorizontal] == static_cast<int>(lb.lbHatch)) FStyle = static_cast<TBrushStyle>(s);
  }
  TGraphicsObject::Changed();
  FHandle = detail::ShareGdiObject(Value);
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
