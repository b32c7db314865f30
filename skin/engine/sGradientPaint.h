#pragma once
// Painting of a section's gradient into 32-bit pixels: the vertical and horizontal kinds, plain or
// mixed with a tiled background. The triangle kind needs the system's GradientFill (sGradient);
// its vertices are made here. Pure: no windows.h.
#include <array>

#include "skin/engine/sGradientData.h"
#include "widgets/Bitmap32_Types.h"

// The painters' common start: R cut to the bitmap; false when nothing of it is left.
bool GradientArea(const TPixelView& Bmp, TPixelRect& R);

// Paints Data's vertical (Mode 0) or horizontal (Mode 1) kind into R; other kinds paint nothing.
// OffsetY moves the vertical kind's bands.
void PaintGradient(const TPixelView& Bmp, TPixelRect R, const TsGradArray& Data, int OffsetX, int OffsetY);
// The same kinds mixed with Bg's BgRect (the whole of Bg when empty) tiled from the bitmap's origin;
// the low byte of Transparency is the background's weight.
void PaintGradientBlended(const TPixelView& Bmp, TPixelRect R, const TsGradArray& Data, const TPixelView& Bg,
                          TPixelRect BgRect, int Transparency);

struct TGradientVertex {
  int X = 0, Y = 0;
  TColor Color = 0;
  friend bool operator==(const TGradientVertex&, const TGradientVertex&) = default;
};
// The triangle kind over R (already cut): the four corners and the centre, each taking the next
// step's Color1 while there are steps.
std::array<TGradientVertex, 5> GradientTriangleVertices(const TPixelRect& R, const TsGradArray& Data);
// The four triangles, by vertex index.
inline constexpr int GradientTriangles[4][3] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
