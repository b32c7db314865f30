#pragma once
// Kernel resampling: one mapping table per axis with integer weights in units of 1/256, five filter
// kernels, and bilinear enlargement.
#include "widgets/Bitmap32_Transforms.h"

#include <vector>

using TFilterFunction = float (*)(float X);

struct TFilterKernel {
  TFilterFunction Function;
  float Radius;
};
TFilterKernel FilterKernel(TStretchFilter Filter);

float NearestFilter(float X);   // box
float LinearFilter(float X);    // triangle
float SplineFilter(float X);    // cubic B-spline
float LanczosFilter(float X);   // Lanczos, 3 lobes
float MitchellFilter(float X);  // Mitchell-Netravali, B = C = 1/3

// One source position and its weight (1/256 units; negative weights allowed).
struct TPointRec {
  int Pos;
  int Weight;
};
using TMappingTable = std::vector<std::vector<TPointRec>>;

// One contributor list per target position ClipLo .. ClipHi - 1 of the target range DstLo .. DstHi,
// reading the source range SrcLo .. SrcHi; each list's weights sum to 256. Empty when the source
// or the clipped range is empty.
TMappingTable BuildMappingTable(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                TStretchFilter Filter);

// Resizes SrcRect of Src into DstRect of Dst (drawing inside DstClip only) through the filter's
// mapping tables.
void Resample(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
              const TPixelView& Src, const TPixelRect& SrcRect, TStretchFilter Filter,
              const TCombineInfo& Combine);

// Bilinear enlargement; DstRect must be wider and higher than SrcRect.
void LinearEnlarge(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
                   const TPixelView& Src, const TPixelRect& SrcRect, const TCombineInfo& Combine);

namespace detail {
// The resampler's SSE4.1 passes (used when the processor has them); off, the plain passes run.
// Both give the same bits; tests compare them.
extern bool ResampleWithSse41;
}  // namespace detail
