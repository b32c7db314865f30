#include "toolkit/graphics/Colors.h"

#include <windows.h>

std::int32_t ColorToRGB(TColor Color) {
  return Color < 0 ? static_cast<std::int32_t>(GetSysColor(Color & 0xFF)) : Color;
}
