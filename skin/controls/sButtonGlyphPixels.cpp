#include "skin/controls/sButtonGlyphPixels.h"

#include <algorithm>

bool HasOpaquePixel(const TPixelView& Bmp) {
  if (Bmp.Empty()) return false;
  for (int Y = 0; Y < Bmp.Height; ++Y) {
    const TColor32* P = Bmp.ScanLine(Y);
    for (int X = 0; X < Bmp.Width; ++X)
      if ((P[X] >> 24) == 255) return true;
  }
  return false;
}

void ScaleAlpha(const TPixelView& Bmp, int Percent) {
  if (Bmp.Empty()) return;
  const TColor32 Pc = TColor32(std::clamp(Percent, 0, 100));
  for (int Y = 0; Y < Bmp.Height; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = 0; X < Bmp.Width; ++X) {
      const TColor32 A = (P[X] >> 24) * Pc / 100;
      P[X] = (P[X] & 0x00FFFFFF) | (A << 24);
    }
  }
}
