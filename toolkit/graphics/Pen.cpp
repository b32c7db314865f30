#include "toolkit/graphics/Pen.h"

namespace {
constexpr UINT kPenStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
constexpr int kPenModes[] = {R2_BLACK,      R2_WHITE,      R2_NOP,        R2_NOT,
                             R2_COPYPEN,    R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                             R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                             R2_MASKPEN,    R2_NOTMASKPEN, R2_XORPEN,     R2_NOTXORPEN};
}  // namespace

void TPen::Assign(const TPen& Source) {
  if (&Source == this) return;
  FColor = Source.FColor;
  FWidth = Source.FWidth;
  FStyle = Source.FStyle;
  FMode = Source.FMode;
  Changed();
}

void TPen::Changed() {
  FHandle.reset();
  TGraphicsObject::Changed();
}

detail::SharedGdiObject<HPEN> TPen::SharedHandle() const {
  if (!FHandle) {
    LOGPEN lp{};
    lp.lopnStyle = kPenStyles[FStyle];
    lp.lopnWidth.x = FWidth;
    lp.lopnColor = ColorToRGB(FColor);
    FHandle = detail::ShareGdiObject(CreatePenIndirect(&lp));
  }
  return FHandle;
}

HPEN TPen::Handle() const { return SharedHandle().get(); }

void TPen::SetHandle(HPEN Value) {
  LOGPEN lp{};
  if (Value && GetObjectA(Value, sizeof(lp), &lp) == sizeof(lp)) {
    FColor = static_cast<TColor>(lp.lopnColor);
    FWidth = lp.lopnWidth.x;
    FStyle = psSolid;
    for (int s = 0; s <= psInsideFrame; ++s)
      if (kPenStyles[s] == (lp.lopnStyle & PS_STYLE_MASK)) FStyle = static_cast<TPenStyle>(s);
  }
  TGraphicsObject::Changed();
  FHandle = detail::ShareGdiObject(Value);
}

int TPen::Rop2() const { return kPenModes[FMode]; }

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  // The mode is a DC setting, not part of the pen handle.
  TGraphicsObject::Changed();
}
