#include "toolkit/graphics/Graphic.h"

void TGraphic::SetSize(int AWidth, int AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  TGraphicsObject::Changed();
}
