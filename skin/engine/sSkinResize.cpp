#include "skin/engine/sSkinResize.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <vector>

#include "widgets/Bitmap32_Resamplers.h"

float HermiteFilter(float X) {
  const float A = std::fabs(X);
  return A < 1.0f ? (2.0f * A - 3.0f) * A * A + 1.0f : 0.0f;
}

float BellFilter(float X) {
  const float A = std::fabs(X);
  if (A < 0.5f) return 0.75f - A * A;
  if (A < 1.5f) return 0.5f * (A - 1.5f) * (A - 1.5f);
  return 0.0f;
}

namespace {

struct TResizeKernel {
  TFilterFunction Function;
  double Radius;
};
constexpr TResizeKernel Kernels[ResizeFilterCount] = {{NearestFilter, 0.51}, {LinearFilter, 1.0},
                                                      {HermiteFilter, 1.0},  {BellFilter, 1.5},
                                                      {SplineFilter, 2.0},   {LanczosFilter, 3.0},
                                                      {MitchellFilter, 2.0}};

struct TContributor {
  int Pos;
  int Weight;  // 16.16
};
using TContributors = std::vector<std::vector<TContributor>>;

// Positions outside 0 .. N - 1 mirrored at the edges (-I, and 2N - I - 1) until they lie inside.
int Mirror(int64_t I, int N) {
  while (I < 0 || I >= N) I = I < 0 ? -I : 2 * int64_t(N) - I - 1;
  return int(I);
}

// For each of the Dst target positions the source positions within the filter's support (widened by
// Src / Dst when shrinking) and their weights, which sum to exactly 1.0 in 16.16 so that a plain
// picture stays plain. Pixel centres map onto pixel centres.
TContributors Contributors(int Src, int Dst, const TResizeKernel& K) {
  const double Scale = Dst < Src ? double(Src) / Dst : 1.0;
  const double Width = K.Radius * Scale;
  TContributors Out(static_cast<size_t>(Dst));
  std::vector<double> W;
  for (int I = 0; I < Dst; ++I) {
    // Centre and distances in units of 1 / (2 * Dst), so that mirrored targets meet mirrored distances.
    const int64_t Num = (2 * int64_t(I) + 1) * Src - Dst;
    const double Centre = double(Num) / (2.0 * Dst);
    const int64_t Left = int64_t(std::floor(Centre - Width)), Right = int64_t(std::ceil(Centre + Width));
    auto& List = Out[size_t(I)];
    W.clear();
    double Total = 0;
    for (int64_t J = Left; J <= Right; ++J) {
      const double X = double(Num - 2 * J * Dst) / (2.0 * Dst) / Scale;
      const double Weight = K.Function(float(X));
      if (Weight == 0) continue;
      List.push_back({Mirror(J, Src), 0});
      W.push_back(Weight);
      Total += Weight;
    }
    if (List.empty() || Total == 0) {
      List.assign(1, {Mirror(int64_t(std::floor(Centre + 0.5)), Src), 65536});
      continue;
    }
    int Sum = 0;
    size_t Largest = 0;
    for (size_t C = 0; C < List.size(); ++C) {
      List[C].Weight = int(std::lround(W[C] / Total * 65536.0));
      Sum += List[C].Weight;
      if (W[C] > W[Largest]) Largest = C;
    }
    List[Largest].Weight += 65536 - Sum;
  }
  return Out;
}

// Weights sum to 1.0 and their magnitudes stay below 2.0, so 255 times them fits 32 bits.
uint8_t Clamp(int32_t Sum) {
  const int32_t V = (Sum + 32768) >> 16;
  return uint8_t(V < 0 ? 0 : V > 255 ? 255 : V);
}

// The columns of each source row: Src.Height rows of Width contributors each into Mid.
template <int Bpp>
void Columns(const TByteView& Src, uint8_t* Mid, ptrdiff_t MidStride, const TContributors& C) {
  for (int Y = 0; Y < Src.Height; ++Y) {
    const uint8_t* S = Src.ScanLine(Y);
    uint8_t* D = Mid + ptrdiff_t(Y) * MidStride;
    for (const auto& List : C) {
      int32_t Sum[Bpp] = {};
      for (const TContributor& Ct : List) {
        const uint8_t* P = S + ptrdiff_t(Ct.Pos) * Bpp;
        for (int B = 0; B < Bpp; ++B) Sum[B] += int32_t(P[B]) * Ct.Weight;
      }
      for (int B = 0; B < Bpp; ++B) D[B] = Clamp(Sum[B]);
      D += Bpp;
    }
  }
}

// The rows: each target row sums whole rows of Mid, so that every read runs along a row.
void Rows(const uint8_t* Mid, ptrdiff_t MidStride, const TByteView& Dst, const TContributors& C) {
  const size_t N = size_t(MidStride);
  std::vector<int32_t> Sum(N);
  for (int Y = 0; Y < Dst.Height; ++Y) {
    std::fill(Sum.begin(), Sum.end(), 0);
    for (const TContributor& Ct : C[size_t(Y)]) {
      const uint8_t* Row = Mid + ptrdiff_t(Ct.Pos) * MidStride;
      for (size_t I = 0; I < N; ++I) Sum[I] += int32_t(Row[I]) * Ct.Weight;
    }
    uint8_t* D = Dst.ScanLine(Y);
    for (size_t I = 0; I < N; ++I) D[I] = Clamp(Sum[I]);
  }
}

}  // namespace

void StretchBitmap(const TByteView& Src, const TByteView& Dst, int Filter) {
  if (Src.Bits == nullptr || Src.Width < 2 || Src.Height < 2) throw Exception("Source bitmap is too small");
  if (Dst.Empty() || Filter < 0 || Filter >= ResizeFilterCount || Src.BytesPerPixel != Dst.BytesPerPixel ||
      (Src.BytesPerPixel != 1 && Src.BytesPerPixel != 3 && Src.BytesPerPixel != 4))
    return;
  const int Bpp = Src.BytesPerPixel;
  if (Src.Width == Dst.Width && Src.Height == Dst.Height) {
    for (int Y = 0; Y < Src.Height; ++Y) std::memmove(Dst.ScanLine(Y), Src.ScanLine(Y), size_t(Src.Width) * Bpp);
    return;
  }
  const TResizeKernel& K = Kernels[Filter];
  // Columns first into a picture Dst.Width wide and Src.Height high, then the rows.
  std::vector<uint8_t> Mid(size_t(Dst.Width) * Src.Height * Bpp);
  const ptrdiff_t MidStride = ptrdiff_t(Dst.Width) * Bpp;
  const TContributors Across = Contributors(Src.Width, Dst.Width, K);
  switch (Bpp) {
    case 1: Columns<1>(Src, Mid.data(), MidStride, Across); break;
    case 3: Columns<3>(Src, Mid.data(), MidStride, Across); break;
    default: Columns<4>(Src, Mid.data(), MidStride, Across); break;
  }
  Rows(Mid.data(), MidStride, Dst, Contributors(Src.Height, Dst.Height, K));
}

void StretchPart(const TPixelView& Src, const TPixelRect& Part, const TPixelView& Out, int Filter) {
  TPixelRect Inside;
  if (Src.Empty() || Out.Empty() || !IntersectRect(Inside, Part, Src.BoundsRect()) || Inside != Part) return;
  const TPixelView Piece{Src.PixelPtr(Part.Left, Part.Top), Part.Width(), Part.Height(), Src.Stride};
  if (Piece.Width >= 2 && Piece.Height >= 2) {
    StretchBitmap(Piece, Out, Filter);
    return;
  }
  const int W = std::max(Piece.Width, 2), H = std::max(Piece.Height, 2);
  std::vector<TColor32> Pixels(size_t(W) * H);
  const TPixelView Doubled{Pixels.data(), W, H, W};
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      *Doubled.PixelPtr(X, Y) = *Piece.PixelPtr(std::min(X, Piece.Width - 1), std::min(Y, Piece.Height - 1));
  StretchBitmap(Doubled, Out, Filter);
}
