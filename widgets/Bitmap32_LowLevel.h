#pragma once
// Plain 32-bit memory fills and copies.
#include "widgets/Bitmap32_Types.h"

#include <array>

// Count stores of Value; nothing for Count <= 0.
void FillLongword(TColor32* Dst, int Count, TColor32 Value);
// Count 32-bit values from Src to Dst (the ranges may overlap); nothing when Src = Dst or Count <= 0.
void MoveLongword(const TColor32* Src, TColor32* Dst, int Count);

template <class T>
constexpr T Constrain(T Value, T Lo, T Hi) { return Value < Lo ? Lo : (Value > Hi ? Hi : Value); }

// Fills the part of (X1, Y1)-(X2, Y2) that lies inside the view, row by row.
void FillRect(const TPixelView& View, int X1, int Y1, int X2, int Y2, TColor32 Color);

// round(255 * (i / 255)^0.7) for i = 0..255, made on first use.
const std::array<uint8_t, 256>& GammaTable();
