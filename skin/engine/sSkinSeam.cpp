#include "skin/engine/sSkinSeam.h"

TsSkinSeam& Seam() {
  static TsSkinSeam Table;
  return Table;
}

bool DwmCompositionEnabled() { return Seam().DwmCompositionEnabled && Seam().DwmCompositionEnabled(); }
