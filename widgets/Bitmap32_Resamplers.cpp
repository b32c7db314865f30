#include "widgets/Bitmap32_Resamplers.h"

#include "widgets/Bitmap32_LowLevel.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <numbers>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <smmintrin.h>
#endif

// Kernels are computed in single precision; weights are rounded to nearest, ties to even.

float NearestFilter(float X) { return X > -0.5f && X <= 0.5f ? 1.0f : 0.0f; }

float LinearFilter(float X) {
  if (X >= -1.0f && X < 0.0f) return 1.0f + X;
  if (X >= 0.0f && X < 1.0f) return 1.0f - X;
  return 0.0f;
}

float SplineFilter(float X) {
  const float A = std::fabs(X);
  if (A < 1.0f) return 0.5f * A * A * A - A * A + 2.0f / 3.0f;
  if (A < 2.0f) {
    const float B = 2.0f - A;
    return B * B * B / 6.0f;
  }
  return 0.0f;
}

namespace {
float Sinc(float T) {
  if (T == 0.0f) return 1.0f;
  const float P = std::numbers::pi_v<float> * T;
  return std::sin(P) / P;
}
}  // namespace

float LanczosFilter(float X) {
  const float A = std::fabs(X);
  return A < 3.0f ? Sinc(A) * Sinc(A / 3.0f) : 0.0f;
}

float MitchellFilter(float X) {
  const float A = std::fabs(X);
  if (A < 1.0f) return (7.0f * A * A * A - 12.0f * A * A + 16.0f / 3.0f) / 6.0f;
  if (A < 2.0f) return (-7.0f / 3.0f * A * A * A + 12.0f * A * A - 20.0f * A + 32.0f / 3.0f) / 6.0f;
  return 0.0f;
}

TFilterKernel FilterKernel(TStretchFilter Filter) {
  switch (Filter) {
    case sfNearest: return {NearestFilter, 1};
    case sfLinear: return {LinearFilter, 1};
    case sfSpline: return {SplineFilter, 2};
    case sfLanczos: return {LanczosFilter, 3};
    case sfMitchell: return {MitchellFilter, 2};
  }
  return {NearestFilter, 1};
}

bool detail::ResampleWithSse41 = true;

namespace {
int RoundEven(double V) { return int(std::nearbyint(V)); }
}  // namespace

TMappingTable BuildMappingTable(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                TStretchFilter Filter) {
  const int SrcW = SrcHi - SrcLo, DstW = DstHi - DstLo, ClipW = ClipHi - ClipLo;
  TMappingTable Table;
  if (SrcW <= 0 || DstW <= 0 || ClipW <= 0) return Table;
  if (SrcW == 1) {
    Table.assign(ClipW, {{SrcLo, 256}});
    return Table;
  }
  const float Scale = FullEdge ? float(DstW) / float(SrcW) : float(DstW - 1) / float(SrcW - 1);
  if (Scale == 0.0f) {
    Table.assign(ClipW, {{(SrcLo + SrcHi) / 2, 256}});
    return Table;
  }
  Table.resize(ClipW);
  const TFilterKernel Kernel = FilterKernel(Filter);
  const bool Enlarging = Scale >= 1.0f;
  const double Inverse = 1.0 / double(Scale);
  const double Radius = Enlarging ? Kernel.Radius : Kernel.Radius / double(Scale);
  for (int I = 0; I < ClipW; ++I) {
    const double Target = double(I) - DstLo + ClipLo;
    const float Center = FullEdge ? float((Target + 0.5) * Inverse + SrcLo - 0.5) : float(Target * Inverse + SrcLo);
    std::vector<TPointRec>& List = Table[I];
    const int J0 = int(std::floor(Center - Radius)), J1 = int(std::ceil(Center + Radius));
    int Sum = 0;
    for (int J = J0; J <= J1; ++J) {
      const double Offset = double(Center) - J;
      const int W = Enlarging ? RoundEven(256.0f * Kernel.Function(float(Offset)))
                              : RoundEven(double(256.0f * Kernel.Function(float(Offset * Scale))) * Scale);
      if (W == 0) continue;
      List.push_back({Constrain(J, SrcLo, SrcHi - 1), W});
      Sum += W;
    }
    if (List.empty())
      List.push_back({Constrain(int(std::floor(Center)), SrcLo, SrcHi - 1), 256});
    else if (Sum != 256)
      List[(List.size() - 1) / 2].Weight -= Sum - 256;
  }
  return Table;
}

namespace {

// Checks shared by the two resizers; false when nothing is to be drawn.
bool PrepareResize(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
                   const TPixelView& Src, const TPixelRect& SrcRect, TPixelRect& Clip) {
  if (Dst.Empty() || Src.Empty() || IsRectEmpty(SrcRect) || SrcRect.Left < 0 || SrcRect.Top < 0 ||
      SrcRect.Right > Src.Width || SrcRect.Bottom > Src.Height)
    throw ETransformError("Invalid SrcRect");
  return IntersectRect(Clip, DstRect, Dst.BoundsRect()) && IntersectRect(Clip, Clip, DstClip);
}

}  // namespace

namespace {

// The two passes of one target row. The vertical pass sums, for every source column Lo .. Lo +
// Columns - 1, each channel of the row list's source pixels times their weights into Work (four
// sums per column, in memory order B, G, R, A); the horizontal pass sums the work row through each
// column list into one pixel (the sum holds 65536 times the value). Both have a plain version and
// an SSE4.1 one; all integer sums are exact, so both give the same bits.

// The largest sum of weight magnitudes of a list, and the largest single magnitude.
std::pair<int, int> Magnitudes(const TMappingTable& Table) {
  int MostSum = 0, Most = 0;
  for (const auto& List : Table) {
    int Sum = 0;
    for (const TPointRec& P : List) {
      Sum += std::abs(P.Weight);
      Most = std::max(Most, std::abs(P.Weight));
    }
    MostSum = std::max(MostSum, Sum);
  }
  return {MostSum, Most};
}

inline TColor32 PackSums(const int64_t* Sum, bool Clamp) {
  TColor32 Pixel = 0;
  for (int C = 0; C < 4; ++C) {
    const int64_t V = Clamp ? Constrain<int64_t>(Sum[C], 0, 0xFF0000) : Sum[C];
    Pixel |= TColor32((uint64_t(V) >> 16) & 0xFF) << (8 * C);
  }
  return Pixel;
}

void VerticalPass(const TPixelView& Src, int Lo, int Columns, const std::vector<TPointRec>& List, int32_t* Work) {
  const int Count = Columns * 4;
  std::fill_n(Work, Count, 0);
  for (const TPointRec& P : List) {
    const uint8_t* S = reinterpret_cast<const uint8_t*>(Src.PixelPtr(Lo, P.Pos));
    const int32_t W = P.Weight;
    for (int K = 0; K < Count; ++K) Work[K] += S[K] * W;
  }
}

void HorizontalPass(const int32_t* Work, int Lo, const TMappingTable& Cols, bool Clamp, TColor32* Line) {
  for (const auto& List : Cols) {
    int64_t Sum[4] = {0, 0, 0, 0};
    for (const TPointRec& P : List) {
      const int32_t* A = Work + (P.Pos - Lo) * 4;
      for (int C = 0; C < 4; ++C) Sum[C] += int64_t(A[C]) * P.Weight;
    }
    *Line++ = PackSums(Sum, Clamp);
  }
}

#if defined(__x86_64__) || defined(__i386__)
#define MZ_RESAMPLE_SSE41 1

// Two source rows at a time: their bytes interleaved as 16-bit pairs, multiplied by the weight
// pair and summed by one pmaddwd.
__attribute__((target("sse4.1"))) void VerticalPassSse41(const TPixelView& Src, int Lo, int Columns,
                                                          const std::vector<TPointRec>& List, int32_t* Work) {
  const int Count = Columns * 4;
  std::fill_n(Work, Count, 0);
  const __m128i Zero = _mm_setzero_si128();
  for (size_t I = 0; I < List.size(); I += 2) {
    const bool Pair = I + 1 < List.size();
    const uint8_t* A = reinterpret_cast<const uint8_t*>(Src.PixelPtr(Lo, List[I].Pos));
    const uint8_t* B = Pair ? reinterpret_cast<const uint8_t*>(Src.PixelPtr(Lo, List[I + 1].Pos)) : A;
    const int WA = List[I].Weight, WB = Pair ? List[I + 1].Weight : 0;
    const __m128i Weights = _mm_set1_epi32(int((uint32_t(uint16_t(WB)) << 16) | uint16_t(WA)));
    int K = 0;
    for (; K + 16 <= Count; K += 16) {
      const __m128i Ra = _mm_loadu_si128(reinterpret_cast<const __m128i*>(A + K));
      const __m128i Rb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + K));
      const __m128i Lo8 = _mm_unpacklo_epi8(Ra, Rb), Hi8 = _mm_unpackhi_epi8(Ra, Rb);
      const __m128i Parts[4] = {_mm_unpacklo_epi8(Lo8, Zero), _mm_unpackhi_epi8(Lo8, Zero),
                                _mm_unpacklo_epi8(Hi8, Zero), _mm_unpackhi_epi8(Hi8, Zero)};
      for (int Q = 0; Q < 4; ++Q) {
        __m128i* Acc = reinterpret_cast<__m128i*>(Work + K + 4 * Q);
        _mm_storeu_si128(Acc, _mm_add_epi32(_mm_loadu_si128(Acc), _mm_madd_epi16(Parts[Q], Weights)));
      }
    }
    for (; K < Count; ++K) Work[K] += A[K] * WA + B[K] * WB;
  }
}

// Needs every sum to fit 32 bits (checked by the caller).
__attribute__((target("sse4.1"))) void HorizontalPassSse41(const int32_t* Work, int Lo, const TMappingTable& Cols,
                                                            bool Clamp, TColor32* Line) {
  const __m128i Zero = _mm_setzero_si128(), Top = _mm_set1_epi32(0xFF0000), Byte = _mm_set1_epi32(0xFF);
  for (const auto& List : Cols) {
    __m128i Acc = Zero;
    for (const TPointRec& P : List) {
      const __m128i A = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Work + (P.Pos - Lo) * 4));
      Acc = _mm_add_epi32(Acc, _mm_mullo_epi32(A, _mm_set1_epi32(P.Weight)));
    }
    if (Clamp) Acc = _mm_min_epi32(_mm_max_epi32(Acc, Zero), Top);
    Acc = _mm_and_si128(_mm_srli_epi32(Acc, 16), Byte);
    Acc = _mm_packus_epi16(_mm_packus_epi32(Acc, Acc), Zero);
    *Line++ = TColor32(_mm_cvtsi128_si32(Acc));
  }
}
#endif

}  // namespace

void Resample(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
              const TPixelView& Src, const TPixelRect& SrcRect, TStretchFilter Filter,
              const TCombineInfo& Combine) {
  TPixelRect Clip;
  if (!PrepareResize(Dst, DstRect, DstClip, Src, SrcRect, Clip)) return;
  const TPixelCombiner Put(Combine);
  if (Put.DrawsNothing()) return;
  const TMappingTable Cols = BuildMappingTable(DstRect.Left, DstRect.Right, Clip.Left, Clip.Right,
                                               SrcRect.Left, SrcRect.Right, Filter);
  const TMappingTable Rows = BuildMappingTable(DstRect.Top, DstRect.Bottom, Clip.Top, Clip.Bottom,
                                               SrcRect.Top, SrcRect.Bottom, Filter);
  if (Cols.empty() || Rows.empty()) return;
  // Lanczos and Mitchell have negative lobes: their sums can leave 0..255.
  const bool Clamp = Filter == sfLanczos || Filter == sfMitchell;

  int Lo = Cols.front().front().Pos, Hi = Lo;
  for (const auto& List : Cols)
    for (const TPointRec& P : List) {
      Lo = std::min(Lo, P.Pos);
      Hi = std::max(Hi, P.Pos);
    }
  const int Columns = Hi - Lo + 1;
  auto Vertical = VerticalPass;
  auto Horizontal = HorizontalPass;
#ifdef MZ_RESAMPLE_SSE41
  if (detail::ResampleWithSse41 && __builtin_cpu_supports("sse4.1")) {
    const auto [RowSum, RowMost] = Magnitudes(Rows);
    const auto [ColSum, ColMost] = Magnitudes(Cols);
    if (RowMost <= 32767) Vertical = VerticalPassSse41;  // weights go into 16-bit lanes
    if (255.0 * RowSum * ColSum < 2147483648.0) Horizontal = HorizontalPassSse41;
  }
#endif
  std::vector<int32_t> Work(size_t(Columns) * 4);
  std::vector<TColor32> Line(Cols.size());
  for (int Y = Clip.Top; Y < Clip.Bottom; ++Y) {
    Vertical(Src, Lo, Columns, Rows[Y - Clip.Top], Work.data());
    Horizontal(Work.data(), Lo, Cols, Clamp, Line.data());
    Put.PutLine(Line.data(), Dst.PixelPtr(Clip.Left, Y), Clip.Width());
  }
}

namespace {

struct TLinearEntry {
  int Pos;     // first sample; the second is the next one, kept inside the bitmap
  int Weight;  // of the first sample, 0..256
};

std::vector<TLinearEntry> LinearEntries(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi,
                                        int SrcSize) {
  const int SrcW = SrcHi - SrcLo, DstW = DstHi - DstLo;
  const float Scale = FullEdge ? float(SrcW) / float(DstW) : float(SrcW - 1) / float(DstW - 1);
  std::vector<TLinearEntry> Entries;
  Entries.reserve(ClipHi - ClipLo);
  for (int X = ClipLo; X < ClipHi; ++X) {
    float P = FullEdge ? float((X - DstLo + 0.5) * Scale + SrcLo - 0.5) : float(double(X - DstLo) * Scale + SrcLo);
    P = Constrain(P, 0.0f, float(SrcSize - 1));
    const int Q = int(std::floor(P));
    Entries.push_back({Q, 256 - RoundEven((P - float(Q)) * 256.0f)});
  }
  // The last target position takes the source's last column whole.
  if (!Entries.empty() && Entries.back().Pos == SrcHi - 1)
    Entries.back() = SrcHi >= 2 ? TLinearEntry{SrcHi - 2, 0} : TLinearEntry{SrcHi - 1, 256};
  return Entries;
}

// Per channel (A * W + B * (256 - W)) shr 8, red with blue and alpha with green.
inline TColor32 Mix(TColor32 A, TColor32 B, TColor32 W) {
  const TColor32 V = 256 - W;
  const TColor32 RB = (((A & 0xFF00FF) * W + (B & 0xFF00FF) * V) >> 8) & 0xFF00FF;
  const TColor32 AG = (((A >> 8) & 0xFF00FF) * W + ((B >> 8) & 0xFF00FF) * V) & 0xFF00FF00;
  return RB | AG;
}

}  // namespace

void LinearEnlarge(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
                   const TPixelView& Src, const TPixelRect& SrcRect, const TCombineInfo& Combine) {
  if (DstRect.Width() <= SrcRect.Width() || DstRect.Height() <= SrcRect.Height())
    throw std::logic_error("Assertion failure");
  TPixelRect Clip;
  if (!PrepareResize(Dst, DstRect, DstClip, Src, SrcRect, Clip)) return;
  const TPixelCombiner Put(Combine);
  if (Put.DrawsNothing()) return;
  const std::vector<TLinearEntry> Cols = LinearEntries(DstRect.Left, DstRect.Right, Clip.Left, Clip.Right,
                                                       SrcRect.Left, SrcRect.Right, Src.Width);
  const std::vector<TLinearEntry> Rows = LinearEntries(DstRect.Top, DstRect.Bottom, Clip.Top, Clip.Bottom,
                                                       SrcRect.Top, SrcRect.Bottom, Src.Height);
  for (int Y = Clip.Top; Y < Clip.Bottom; ++Y) {
    const TLinearEntry& R = Rows[Y - Clip.Top];
    const TColor32* Row0 = Src.ScanLine(R.Pos);
    const TColor32* Row1 = Src.ScanLine(std::min(R.Pos + 1, Src.Height - 1));
    TColor32* D = Dst.PixelPtr(Clip.Left, Y);
    int Last = -1;
    TColor32 C0 = 0, C1 = 0;
    for (const TLinearEntry& C : Cols) {
      if (C.Pos != Last) {
        const int Q1 = std::min(C.Pos + 1, Src.Width - 1);
        C0 = Mix(Row0[C.Pos], Row1[C.Pos], R.Weight);
        C1 = Mix(Row0[Q1], Row1[Q1], R.Weight);
        Last = C.Pos;
      }
      Put.Put(Mix(C0, C1, C.Weight), *D++);
    }
  }
}
