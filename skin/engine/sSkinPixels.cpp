#include "skin/engine/sSkinPixels.h"

#include <algorithm>
#include <cmath>

#include "skin/engine/sAlphaPixels.h"

namespace {

uint8_t Byte(uint32_t Value, int I) { return uint8_t(Value >> (8 * I)); }
// Rounded to nearest (ties to even) and limited to 0..255.
uint32_t RoundByte(double V) { return uint32_t(std::clamp(std::nearbyint(V), 0.0, 255.0)); }

}  // namespace

uint32_t ChangeColorSaturation(int Delta, uint32_t Pixel) {
  if (Delta == 0) return Pixel;
  const double Avg = (Byte(Pixel, 0) + Byte(Pixel, 1) + Byte(Pixel, 2)) / 3.0;
  uint32_t Out = Pixel & 0xFF000000u;
  for (int I = 0; I < 3; ++I) {
    const double C = Byte(Pixel, I);
    Out |= RoundByte(C - (Avg - C) * Delta / 100) << (8 * I);
  }
  return Out;
}

TColor ChangeSaturation(TColor Color, int Delta) {
  return Delta == 0 ? Color : TColor(ChangeColorSaturation(Delta, uint32_t(Color)));
}

uint32_t ChangePixelHue(int Delta, uint32_t Pixel) {
  const double R = Byte(Pixel, 2), G = Byte(Pixel, 1), B = Byte(Pixel, 0);
  const double V = std::max({R, G, B}), D = V - std::min({R, G, B});
  const double S = V == 0 ? 0 : D / V;
  if (S == 0) return Pixel;
  const double K = 60 / D;
  double H = V == R ? (G - B) * K : V == G ? 120 + (B - R) * K : 240 + (R - G) * K;
  if (H < 0) H += 360;
  // A negative sum wraps too, so a turn of -120 is a turn of 240.
  const int H2 = ((int(std::nearbyint(Delta + H)) % 360) + 360) % 360;
  const double Hs = H2 / 60.0;
  const int Sector = int(Hs);
  const double F = Hs - Sector;
  const double P = std::clamp((1 - S) * V, 0.0, 255.0), Q = std::clamp((1 - S * F) * V, 0.0, 255.0),
               T = std::clamp((1 - (1 - F) * S) * V, 0.0, 255.0);
  double Rgb[3];
  switch (Sector) {
    case 0: Rgb[0] = V, Rgb[1] = T, Rgb[2] = P; break;
    case 1: Rgb[0] = Q, Rgb[1] = V, Rgb[2] = P; break;
    case 2: Rgb[0] = P, Rgb[1] = V, Rgb[2] = T; break;
    case 3: Rgb[0] = P, Rgb[1] = Q, Rgb[2] = V; break;
    case 4: Rgb[0] = T, Rgb[1] = P, Rgb[2] = V; break;
    default: Rgb[0] = V, Rgb[1] = P, Rgb[2] = Q; break;
  }
  return (Pixel & 0xFF000000u) | (RoundByte(Rgb[0]) << 16) | (RoundByte(Rgb[1]) << 8) | RoundByte(Rgb[2]);
}

TColor ChangeColorHue(int Delta, TColor Color) {
  if (Delta == 0) return Color;
  return TColor(SwapRB32(ChangePixelHue(Delta, SwapRB32(uint32_t(Color)))));
}

TColor SwapRedBlue(TColor C) {
  const uint32_t U = uint32_t(C);
  return TColor((U >> 16) + uint32_t(C % 256) * 65536u + (((U >> 8) & 255u) << 8));
}

namespace {

template <class Keep>
void Grayscale(const TPixelView& Bmp, Keep Skip) {
  if (Bmp.Empty()) return;
  for (int Y = 0; Y < Bmp.Height; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = 0; X < Bmp.Width; ++X) {
      if (Skip(P[X])) continue;
      const uint32_t Gray = (Byte(P[X], 0) + Byte(P[X], 1) + Byte(P[X], 2)) / 3;
      P[X] = (P[X] & 0xFF000000u) | Gray * 0x010101u;
    }
  }
}

}  // namespace

void GrayscaleBitmap(const TPixelView& Bmp) {
  Grayscale(Bmp, [](TColor32) { return false; });
}

void GrayscaleBitmapExcept(const TPixelView& Bmp, TColor Key) {
  const TColor32 KeyPixel = SwapRB32(uint32_t(Key));
  Grayscale(Bmp, [KeyPixel](TColor32 P) { return P == KeyPixel; });
}

void ArrowPixels(const TPixelRect& R, int Direction, const std::function<void(int X, int Y)>& Plot) {
  const int W = R.Width(), H = R.Height();
  if (Direction == 4) {
    const int X0 = R.Left + (W - 3) / 2, Y0 = R.Top + (H - 6) / 2;
    for (int I = 0; I <= 3; ++I) {
      for (int Y = Y0 + I; Y <= Y0 + 6 - I; ++Y) Plot(X0 + I, Y);
    }
  } else if (Direction == 8) {
    const int X0 = R.Left + (W - 6) / 2 - 1, Y0 = R.Top + (H - 3) / 2 - 1;
    for (int I = 0; I <= 3; ++I) {
      for (int X = X0 + I; X <= X0 + 7 - I; ++X) Plot(X, Y0 + I);
    }
  }
}
