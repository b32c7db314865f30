#pragma once
// The gradient description of a skin section ("GRADIENTDATA"): groups of five ";"-separated numbers
// Color1;Color2;Percent;Mode;reserved. Pure: no windows.h.
#include <cstdint>
#include <string_view>
#include <vector>

#include "toolkit/graphics/Colors.h"

struct TsGradStep {
  TColor Color1 = 0;
  TColor Color2 = 0;
  uint8_t Percent = 0;  // 0..100, share of the rectangle's height or width
  int32_t Mode = 0;     // kind, read from the first step only: 0 vertical, 1 horizontal, 2 triangles
  int32_t Reserved = 0;
  friend bool operator==(const TsGradStep&, const TsGradStep&) = default;
};
static_assert(sizeof(TsGradStep) == 20);
using TsGradArray = std::vector<TsGradStep>;

// Fills Data with one step per complete group of five words (runs of ";" separate as one). Colours
// below 0 become 0, percents are kept to 0..100. A word that is not an integer raises EConvertError;
// the steps read before it stay.
void ParseGradientData(std::string_view Text, TsGradArray& Data);
