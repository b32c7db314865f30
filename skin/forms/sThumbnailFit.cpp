#include "skin/forms/sThumbnailFit.h"

#include <cmath>

TFitSize FitThumbnail(int Width, int Height, int MaxWidth, int MaxHeight) {
  if (Width <= 0 || Height <= 0 || MaxWidth <= 0 || MaxHeight <= 0) return {};
  // Compare the aspects without division: the wider one is limited by the width.
  if (static_cast<long long>(Width) * MaxHeight >= static_cast<long long>(Height) * MaxWidth)
    return {MaxWidth, static_cast<int>(std::nearbyint(static_cast<double>(Height) * MaxWidth / Width))};
  return {static_cast<int>(std::nearbyint(static_cast<double>(Width) * MaxHeight / Height)), MaxHeight};
}
