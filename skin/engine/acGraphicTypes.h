#pragma once
// Palette entries of the pure image readers, laid out for the platform's palettes.
#include "toolkit/graphics/PixelFormat.h"

#include <cstdint>
#include <vector>

// Laid out like the platform's PALETTEENTRY.
struct TPaletteEntry {
  uint8_t peRed, peGreen, peBlue, peFlags;
  bool operator==(const TPaletteEntry&) const = default;
};
using TPaletteEntries = std::vector<TPaletteEntry>;
