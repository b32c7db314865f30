#pragma once
// The line blending loop for several pixels at once, channel by channel in 16-bit lanes: the same
// products, the same +128 and the same shift as CombineReg, so the same bits. One body serves SSE2
// (4 pixels) and AVX2 (8 pixels; its unpacks and packs work within 128-bit halves, which keeps the
// pixel order). The AVX2 traits exist only in the file compiled for AVX2, and everything here has
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
  static V Shr16(V A) { return _mm_srli_epi16(A, 8); }
  static V Shr32(V A, int N) { return _mm_srl_epi32(A, _mm_cvtsi32_si128(N)); }
  static V Shl32By16(V A) { return _mm_slli_epi32(A, 16); }
  static V Or(V A, V B) { return _mm_or_si128(A, B); }
  static V And(V A, V B) { return _mm_and_si128(A, B); }
  static V AndNot(V A, V B) { return _mm_andnot_si128(A, B); }
  static V Eq32(V A, V B) { return _mm_cmpeq_epi32(A, B); }
  static bool All(V Mask) { return _mm_movemask_epi8(Mask) == 0xFFFF; }
  static V Lo8(V A, V B) { return _mm_unpacklo_epi8(A, B); }
  static V Hi8(V A, V B) { return _mm_unpackhi_epi8(A, B); }
  static V Lo32(V A, V B) { return _mm_unpacklo_epi32(A, B); }
  static V Hi32(V A, V B) { return _mm_unpackhi_epi32(A, B); }
  static V Pack(V A, V B) { return _mm_packus_epi16(A, B); }
};

#ifdef __AVX2__
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
  static V Shr16(V A) { return _mm256_srli_epi16(A, 8); }
  static V Shr32(V A, int N) { return _mm256_srl_epi32(A, _mm_cvtsi32_si128(N)); }
  static V Shl32By16(V A) { return _mm256_slli_epi32(A, 16); }
  static V Or(V A, V B) { return _mm256_or_si256(A, B); }
  static V And(V A, V B) { return _mm256_and_si256(A, B); }
  static V AndNot(V A, V B) { return _mm256_andnot_si256(A, B); }
  static V Eq32(V A, V B) { return _mm256_cmpeq_epi32(A, B); }
  static bool All(V Mask) { return _mm256_movemask_epi8(Mask) == -1; }
  static V Lo8(V A, V B) { return _mm256_unpacklo_epi8(A, B); }
  static V Hi8(V A, V B) { return _mm256_unpackhi_epi8(A, B); }
  static V Lo32(V A, V B) { return _mm256_unpacklo_epi32(A, B); }
  static V Hi32(V A, V B) { return _mm256_unpackhi_epi32(A, B); }
  static V Pack(V A, V B) { return _mm256_packus_epi16(A, B); }
};

#endif

template <class S>
inline typename S::V CombineHalf(typename S::V X16, typename S::V Y16, typename S::V W16) {
  const auto Round = S::Set16(128);
  const auto V16 = S::Sub16(S::Set16(255), W16);
  return S::Add16(S::Shr16(S::Add16(S::Mul16(X16, W16), Round)), S::Shr16(S::Add16(S::Mul16(Y16, V16), Round)));
}

template <class S>
inline void BlendLineWith(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 Master) {
  using V = typename S::V;
  const V Zero = S::Zero(), Full = S::Set32(255), M1 = S::Set32(int(Master + 1));
  for (; Count >= S::Pixels; Count -= S::Pixels, Src += S::Pixels, Dst += S::Pixels) {
    const V F = S::Load(Src);
    V A = S::Shr32(F, 24);
    if (Master < 256) A = S::Shr32(S::Mul16(A, M1), 8);  // (M + 1) * alpha fits 16 bits
    const V IsZero = S::Eq32(A, Zero);
    if (S::All(IsZero)) continue;
    const V IsFull = S::Eq32(A, Full);
    if (S::All(IsFull)) {
      S::Store(Dst, F);
      continue;
    }
    const V B = S::Load(Dst);
    const V AA = S::Or(A, S::Shl32By16(A));
    const V Lo = CombineHalf<S>(S::Lo8(F, Zero), S::Lo8(B, Zero), S::Lo32(AA, AA));
    const V Hi = CombineHalf<S>(S::Hi8(F, Zero), S::Hi8(B, Zero), S::Hi32(AA, AA));
    const V Mixed = S::Pack(Lo, Hi);
    const V Kept = S::Or(S::And(IsZero, B), S::AndNot(IsZero, Mixed));
    S::Store(Dst, S::Or(S::And(IsFull, F), S::AndNot(IsFull, Kept)));
  }
}

}  // namespace
