#include "skin/engine/sTextCoverage.h"

#include <algorithm>
#include <cmath>

namespace {

// The colour bytes of an RGB colour in pixel order (blue, green, red).
void PixelBytes(TColor Color, int (&C)[3]) {
  C[0] = (Color >> 16) & 0xFF;
  C[1] = (Color >> 8) & 0xFF;
  C[2] = Color & 0xFF;
}

// Mask columns and rows [X0, X1) x [Y0, Y1) that lie over Dst when the mask sits at (Left, Top);
// false when none do. 64-bit sums: outside positions may be anywhere.
bool VisiblePart(const TPixelView& Dst, int Left, int Top, int W, int H, int& X0, int& X1, int& Y0, int& Y1) {
  if (Dst.Empty() || W <= 0 || H <= 0) return false;
  X0 = int(std::max<int64_t>(0, -int64_t(Left)));
  Y0 = int(std::max<int64_t>(0, -int64_t(Top)));
  X1 = int(std::min<int64_t>(W, int64_t(Dst.Width) - Left));
  Y1 = int(std::min<int64_t>(H, int64_t(Dst.Height) - Top));
  return X0 < X1 && Y0 < Y1;
}

uint8_t RoundByte(double V) { return uint8_t(std::clamp(std::nearbyint(V), 0.0, 255.0)); }

// One pass of the kernel over Count bytes Step apart, through a copy of them.
void BlurLine(uint8_t* First, ptrdiff_t Step, int Count, const TBlurKernel& K, std::vector<uint8_t>& Line) {
  Line.resize(size_t(Count));
  for (int I = 0; I < Count; ++I) Line[size_t(I)] = First[I * Step];
  for (int I = 0; I < Count; ++I) {
    double Sum = 0;
    for (int N = -K.Radius; N <= K.Radius; ++N) Sum += K[N] * Line[size_t(std::clamp(I + N, 0, Count - 1))];
    First[I * Step] = RoundByte(Sum);
  }
}

}  // namespace

void MixTextCoverage(const TPixelView& Dst, int Left, int Top, const TPixelView& Mask, TColor Color) {
  int X0, X1, Y0, Y1;
  if (Mask.Empty() || !VisiblePart(Dst, Left, Top, Mask.Width, Mask.Height, X0, X1, Y0, Y1)) return;
  int C[3];
  PixelBytes(Color, C);
  for (int Y = Y0; Y < Y1; ++Y) {
    const TColor32* M = Mask.ScanLine(Y);
    TColor32* D = Dst.PixelPtr(Left + X0, Top + Y);
    for (int X = X0; X < X1; ++X, ++D) {
      const uint32_t P = M[X];
      if (P == 0x00FFFFFFu || P == 0xFFFFFFFFu) continue;
      const int G = (int(P & 0xFF) + int((P >> 8) & 0xFF) + int((P >> 16) & 0xFF)) / 3;
      uint32_t Out = 0xFF000000u;
      for (int I = 0; I < 3; ++I) {
        const int T = int((*D >> (8 * I)) & 0xFF);
        Out |= uint32_t(((T - C[I]) * G + C[I] * 256) >> 8) << (8 * I);
      }
      *D = Out;
    }
  }
}

TBlurKernel MakeBlurKernel(double Deviation) {
  TBlurKernel K;
  if (!(Deviation > 0)) {
    K.Weights = {1.0};
    return K;
  }
  constexpr int Max = 100;
  std::vector<double> W(2 * Max + 1);
  double Sum = 0;
  for (int I = -Max; I <= Max; ++I) {
    const double T = I / Deviation;
    Sum += W[size_t(I + Max)] = std::exp(-T * T / 2);
  }
  for (double& V : W) V /= Sum;
  int Radius = Max;
  double Cut = 0;
  while (Cut < 1.0 / 510 && Radius > 1) {
    Cut += 2 * W[size_t(Radius + Max)];
    --Radius;
  }
  K.Radius = Radius;
  K.Weights.assign(W.begin() + (Max - Radius), W.begin() + (Max + Radius + 1));
  Sum = 0;
  for (double V : K.Weights) Sum += V;
  for (double& V : K.Weights) V /= Sum;
  return K;
}

void BlurMask(const TMaskView& Mask, double Deviation) {
  if (Mask.Empty() || !(Deviation > 0)) return;
  const TBlurKernel K = MakeBlurKernel(Deviation);
  std::vector<uint8_t> Line;
  for (int Y = 0; Y < Mask.Height; ++Y) BlurLine(Mask.ScanLine(Y), 1, Mask.Width, K, Line);
  for (int X = 0; X < Mask.Width; ++X) BlurLine(Mask.Bits + X, Mask.Stride, Mask.Height, K, Line);
}

void BlendGlow(const TPixelView& Dst, int Left, int Top, const TMaskView& Mask, TColor GlowColor) {
  int X0, X1, Y0, Y1;
  if (Mask.Empty() || !VisiblePart(Dst, Left, Top, Mask.Width, Mask.Height, X0, X1, Y0, Y1)) return;
  int C[3];
  PixelBytes(GlowColor, C);
  for (int Y = Y0; Y < Y1; ++Y) {
    const uint8_t* M = Mask.ScanLine(Y);
    TColor32* D = Dst.PixelPtr(Left + X0, Top + Y);
    for (int X = X0; X < X1; ++X, ++D) {
      const int Mv = M[X];
      if (Mv == 255) continue;
      uint32_t Out = 0;
      for (int I = 0; I < 3; ++I) {
        const int T = int((*D >> (8 * I)) & 0xFF);
        Out |= uint32_t(C[I] + (T - C[I]) * Mv / 255) << (8 * I);
      }
      const int A = int(*D >> 24);
      *D = Out | uint32_t(A + (255 - Mv) * (255 - A) / 255) << 24;
    }
  }
}
