#pragma once
// Plain pixel-layout types shared by the pure image readers and their Win32 wrappers.
#include <cstdint>
#include <vector>

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Laid out like the platform's PALETTEENTRY.
struct TPaletteEntry {
  uint8_t peRed, peGreen, peBlue, peFlags;
  bool operator==(const TPaletteEntry&) const = default;
};
using TPaletteEntries = std::vector<TPaletteEntry>;
