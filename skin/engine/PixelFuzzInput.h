// Fuzz input for the pixel painters: bytes read as coordinates that now and then lie far out, as a
// damaged skin could give them, and small pictures of key and coloured pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/sAlphaPixels.h"

struct TPixelFuzzInput {
  const uint8_t* Data;
  size_t Size;
  int CoordRange = 48;
  int CoordLow = -16;
  int Byte() { return Size ? (--Size, *Data++) : 0; }
  int Coord() { return Byte() % CoordRange + CoordLow; }
  int Wide() { return Byte() % 16 == 0 ? (Byte() & 1 ? 0x7FFFFFF0 : -0x7FFFFFF0) : Coord(); }
  TPixelRect Rect() { return {Wide(), Wide(), Wide(), Wide()}; }
};

struct TPixelFuzzPicture {
  std::vector<TColor32> Pixels;
  TPixelView View;
  TPixelFuzzPicture(TPixelFuzzInput& In, int MaxSide) {
    const int W = In.Byte() % MaxSide, H = In.Byte() % MaxSide;
    Pixels.assign(size_t(W) * H, KeyPixel);
    for (TColor32& P : Pixels) P ^= TColor32(In.Byte() % 3) * 0x00FF00FF;
    View = {Pixels.empty() ? nullptr : Pixels.data(), W, H, W};
  }
};
