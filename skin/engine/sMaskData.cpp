#include "skin/engine/sMaskData.h"

#include <algorithm>
#include <climits>

namespace {

// Widths of rectangles read from a skin may not fit an int.
int Clamped(int64_t Value) { return int(std::clamp<int64_t>(Value, INT_MIN, INT_MAX)); }

}  // namespace

int MaskImageWidth(const TsMaskData& Mask) {
  if (Mask.ImageCount < 1) return 0;
  return Clamped((int64_t(Mask.R.Right) - Mask.R.Left) / Mask.ImageCount);
}

int MaskImageHeight(const TsMaskData& Mask) {
  if (Mask.MaskType < 0) return 0;
  return Clamped((int64_t(Mask.R.Bottom) - Mask.R.Top) / (Mask.MaskType + 1));
}
