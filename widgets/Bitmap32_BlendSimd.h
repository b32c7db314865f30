#pragma once
// The line blending loop for several pixels at once, channel by channel in 16-bit lanes: the same
// rounded products as CombineReg, so the same bits. One body serves SSE2 (4 pixels) and AVX2 (8
// pixels). The AVX2 traits exist only in the file compiled for AVX2, and everything here has
// internal linkage, so no AVX2-built copy of a function can stand in for the plain one.
#include "widgets/Bitmap32_Types.h"

#include <immintrin.h>

namespace detail {

// Count is advanced past the pixels done; the caller finishes the rest one by one. Master below
// 256 scales the foreground alpha; 256 leaves it as it is.
void BlendLineAvx2(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 Master);

}  // namespace detail

namespace {

struct TSse2 {
  using V = __m128i;
  static constexpr int Pixels = 4;
  static V Load(const TColor32* P) { return _mm_loadu_si128(reinterpret_cast<const V*>(P)); }
  static void Store(TColor32* P, V X) { _mm_storeu_si128(reinterpret_cast<V*>(P), X); }
  static V Set16(int X) { return _mm_set1_epi16(short(X)); }
  static V Set32(int X) { return _mm_set1_epi32(X); }
  static V Zero() { return _mm_setzero_si128(); }
  static V Add16(V A, V B) { return _mm_add_epi16(A, B); }
  static V Sub16(V A, V B) { return _mm_sub_epi16(A, B); }
  static V Mul16(V A, V B) { return _mm_mullo_epi16(A, B); }
  static V MulHigh16(V A, V B) { return _mm_mulhi_epu16(A, B); }
  static V Average16(V A, V B) { return _mm_avg_epu16(A, B); }
  static V Shl16By8(V A) { return _mm_slli_epi16(A, 8); }
  static V Shr16By8(V A) { return _mm_srli_epi16(A, 8); }
  template <int N> static V Shr32(V A) { return _mm_srli_epi32(A, N); }
  static V Or(V A, V B) { return _mm_or_si128(A, B); }
  static V And(V A, V B) { return _mm_and_si128(A, B); }
  static V Eq16(V A, V B) { return _mm_cmpeq_epi16(A, B); }
  static V Pack32(V A, V B) { return _mm_packs_epi32(A, B); }
  static V Low16Twice(V A) { return _mm_unpacklo_epi16(A, A); }
  static V High16Twice(V A) { return _mm_unpackhi_epi16(A, A); }
  static bool All(V Mask) { return _mm_movemask_epi8(Mask) == 0xFFFF; }
};

#ifdef __AVX2__
// The 256-bit packs and unpacks work within each 128-bit half: packing two registers and unpacking
// the result again gives every pixel back its own place.
struct TAvx2 {
  using V = __m256i;
  static constexpr int Pixels = 8;
  static V Load(const TColor32* P) { return _mm256_loadu_si256(reinterpret_cast<const V*>(P)); }
  static void Store(TColor32* P, V X) { _mm256_storeu_si256(reinterpret_cast<V*>(P), X); }
  static V Set16(int X) { return _mm256_set1_epi16(short(X)); }
  static V Set32(int X) { return _mm256_set1_epi32(X); }
  static V Zero() { return _mm256_setzero_si256(); }
  static V Add16(V A, V B) { return _mm256_add_epi16(A, B); }
  static V Sub16(V A, V B) { return _mm256_sub_epi16(A, B); }
  static V Mul16(V A, V B) { return _mm256_mullo_epi16(A, B); }
  static V MulHigh16(V A, V B) { return _mm256_mulhi_epu16(A, B); }
  static V Average16(V A, V B) { return _mm256_avg_epu16(A, B); }
  static V Shl16By8(V A) { return _mm256_slli_epi16(A, 8); }
  static V Shr16By8(V A) { return _mm256_srli_epi16(A, 8); }
  template <int N> static V Shr32(V A) { return _mm256_srli_epi32(A, N); }
  static V Or(V A, V B) { return _mm256_or_si256(A, B); }
  static V And(V A, V B) { return _mm256_and_si256(A, B); }
  static V Eq16(V A, V B) { return _mm256_cmpeq_epi16(A, B); }
  static V Pack32(V A, V B) { return _mm256_packs_epi32(A, B); }
  static V Low16Twice(V A) { return _mm256_unpacklo_epi16(A, A); }
  static V High16Twice(V A) { return _mm256_unpackhi_epi16(A, A); }
  static bool All(V Mask) { return _mm256_movemask_epi8(Mask) == -1; }
};

#endif

// (X * W + 128) div 256 in each 16-bit lane, for X in the lane's high byte and W doubled: the high
// half of the product is X * W div 128, and the average with zero rounds the last halving.
template <class S>
inline typename S::V Weighted(typename S::V XHigh, typename S::V W2) {
  return S::Average16(S::MulHigh16(XHigh, W2), S::Zero());
}

// F over B for one register of pixels, with each pixel's doubled weights for F (W2) and for B (U2)
// in both of its 16-bit lanes.
template <class S>
inline typename S::V Mix(typename S::V F, typename S::V B, typename S::V W2, typename S::V U2) {
  using V = typename S::V;
  // Channels 0 and 2 of every pixel in one register, 1 and 3 in another, each in a lane's high byte.
  const V OddBytes = S::Set32(int(0xFF00FF00u));
  const V Even = S::Add16(Weighted<S>(S::Shl16By8(F), W2), Weighted<S>(S::Shl16By8(B), U2));
  const V Odd = S::Add16(Weighted<S>(S::And(F, OddBytes), W2), Weighted<S>(S::And(B, OddBytes), U2));
  return S::Or(Even, S::Shl16By8(Odd));
}

// Two registers of pixels a step. Their alphas, doubled, go packed into one register, one 16-bit
// lane a pixel, so that the tests for clear and opaque pixels and the weights are worked out once
// for both; a last single register goes as both halves of a step.
template <class S, bool Scaled>
inline void BlendLineWith(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 Master) {
  using V = typename S::V;
  constexpr int P = S::Pixels;
  const V Zero = S::Zero(), Full = S::Set16(2 * 255), M1 = S::Set16(int(Master + 1));
  const V OddBytes = S::Set32(int(0xFF00FF00u));
  auto alphasOf = [&](V F, V G) {
    if (!Scaled) return S::Pack32(S::template Shr32<23>(S::And(F, OddBytes)), S::template Shr32<23>(S::And(G, OddBytes)));
    // (M + 1) * alpha fits 16 bits
    const V A = S::Shr16By8(S::Mul16(S::Pack32(S::template Shr32<24>(F), S::template Shr32<24>(G)), M1));
    return S::Add16(A, A);
  };
  // Weights of F and B as Mix takes them. Alpha 255 weighs F by 511 and B by 0, alpha 0 F by 0 and B
  // by 511: the same products then give F and B exactly ((2X - 1 + 1) div 2 for X above 0), as
  // CombineReg does.
  auto mixBoth = [&](V F, V G, TColor32* D, V A2, V IsZero, V IsFull, bool Second) {
    const V W2 = S::Sub16(A2, IsFull), U2 = S::Sub16(S::Sub16(Full, A2), IsZero);
    S::Store(D, Mix<S>(F, S::Load(D), S::Low16Twice(W2), S::Low16Twice(U2)));
    if (Second) S::Store(D + P, Mix<S>(G, S::Load(D + P), S::High16Twice(W2), S::High16Twice(U2)));
  };
  // Local copies: stores through D could otherwise alias Count and make every step reload it.
  const TColor32* F0 = Src;
  TColor32* D = Dst;
  int N = Count;
  for (; N >= 2 * P; N -= 2 * P, F0 += 2 * P, D += 2 * P) {
    const V F = S::Load(F0), G = S::Load(F0 + P);
    const V A2 = alphasOf(F, G);
    const V IsZero = S::Eq16(A2, Zero), IsFull = S::Eq16(A2, Full);
    if (S::All(S::Or(IsZero, IsFull))) {
      if (S::All(IsZero)) continue;
      if (S::All(IsFull)) {
        S::Store(D, F);
        S::Store(D + P, G);
        continue;
      }
    }
    mixBoth(F, G, D, A2, IsZero, IsFull, true);
  }
  if (N >= P) {
    const V F = S::Load(F0), A2 = alphasOf(F, F);
    mixBoth(F, F, D, A2, S::Eq16(A2, Zero), S::Eq16(A2, Full), false);
    N -= P, F0 += P, D += P;
  }
  Src = F0, Dst = D, Count = N;
}

template <class S>
inline void BlendLineWith(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 Master) {
  if (Master < 256) BlendLineWith<S, true>(Src, Dst, Count, Master);
  else BlendLineWith<S, false>(Src, Dst, Count, Master);
}

}  // namespace
