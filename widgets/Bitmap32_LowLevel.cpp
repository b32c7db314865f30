#include "widgets/Bitmap32_LowLevel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void FillLongword(TColor32* Dst, int Count, TColor32 Value) {
  if (Count > 0) std::fill_n(Dst, Count, Value);
}

void MoveLongword(const TColor32* Src, TColor32* Dst, int Count) {
  if (Src != Dst && Count > 0) std::memmove(Dst, Src, size_t(Count) * sizeof(TColor32));
}

void FillRect(const TPixelView& View, int X1, int Y1, int X2, int Y2, TColor32 Color) {
  if (View.Empty()) return;
  TPixelRect R;
  if (!IntersectRect(R, {X1, Y1, X2, Y2}, View.BoundsRect())) return;
  for (int Y = R.Top; Y < R.Bottom; ++Y) FillLongword(View.PixelPtr(R.Left, Y), R.Width(), Color);
}

const std::array<uint8_t, 256>& GammaTable() {
  static const std::array<uint8_t, 256> Table = [] {
    std::array<uint8_t, 256> T{};
    for (int I = 0; I < 256; ++I) T[I] = uint8_t(std::lround(255.0 * std::pow(I / 255.0, 0.7)));
    return T;
  }();
  return Table;
}
