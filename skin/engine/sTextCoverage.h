#pragma once
// Text on 32-bit pixels from a coverage mask the platform rendered: the mix of a black-on-white text
// image in a colour, and the blurred 8-bit mask of a text's glow with its blend. Pure: no windows.h.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/graphics/Colors.h"
#include "widgets/Bitmap32_Types.h"

// Bytes owned elsewhere, one per pixel (an 8-bit gray mask): Stride is the distance between rows in
// bytes (negative for a bottom-up bitmap).
struct TMaskView {
  uint8_t* Bits = nullptr;
  int Width = 0, Height = 0;
  ptrdiff_t Stride = 0;

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  uint8_t* ScanLine(int Y) const { return Bits + ptrdiff_t(Y) * Stride; }
};

// Mask holds a text black on white; placed with its top-left corner at (Left, Top) of Dst, each of
// its pixels that is not white (0x00FFFFFF or 0xFFFFFFFF) mixes Color (RGB, colour order) into the
// target by g = (r + g + b) div 3 of the mask pixel: ((target - C) * g + C * 256) shr 8, alpha 255.
// Only the part of the mask over Dst is read and written.
void MixTextCoverage(const TPixelView& Dst, int Left, int Top, const TPixelView& Mask, TColor Color);

// Gaussian weights of a deviation for the offsets -Radius..Radius, summing to 1: computed over
// -100..100, the tails cut while what was cut stays below half a gray level (1/510), then
// normalised again. A deviation that is not above 0 gives the single weight 1.
struct TBlurKernel {
  int Radius = 0;
  std::vector<double> Weights;  // Weights[i + Radius] for offset i
  double operator[](int I) const { return Weights[size_t(I + Radius)]; }
};
TBlurKernel MakeBlurKernel(double Deviation);
// The kernel over every row, then over every column; positions past an end take the edge pixel, each
// result rounded (ties to even) and kept to 0..255. A deviation that is not above 0 blurs nothing.
void BlurMask(const TMaskView& Mask, double Deviation);

// The glow of a blurred mask placed at (Left, Top) of Dst: under every mask byte m below 255 each
// colour byte becomes glow + (target - glow) * m div 255 (GlowColor RGB, colour order) and the alpha
// grows by (255 - m) * (255 - alpha) div 255. Only the part over Dst is touched.
void BlendGlow(const TPixelView& Dst, int Left, int Top, const TMaskView& Mask, TColor GlowColor);
