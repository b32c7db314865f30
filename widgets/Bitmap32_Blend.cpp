#include "widgets/Bitmap32_Blend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Four pixels at once, channel by channel in 16-bit lanes: the same products, the same +128 and the
// same shift as CombineReg, so the same bits.
inline __m128i CombineHalf(__m128i X16, __m128i Y16, __m128i W16) {
  const __m128i Round = _mm_set1_epi16(128);
  const __m128i V16 = _mm_sub_epi16(_mm_set1_epi16(255), W16);
  const __m128i Xw = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(X16, W16), Round), 8);
  const __m128i Yv = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(Y16, V16), Round), 8);
  return _mm_add_epi16(Xw, Yv);
}

// A holds each pixel's weight (0..255) in its 32-bit lane.
inline __m128i Combine4(__m128i F, __m128i B, __m128i A) {
  const __m128i Zero = _mm_setzero_si128();
  const __m128i AA = _mm_or_si128(A, _mm_slli_epi32(A, 16));
  const __m128i Lo = CombineHalf(_mm_unpacklo_epi8(F, Zero), _mm_unpacklo_epi8(B, Zero),
                                 _mm_unpacklo_epi32(AA, AA));
  const __m128i Hi = CombineHalf(_mm_unpackhi_epi8(F, Zero), _mm_unpackhi_epi8(B, Zero),
                                 _mm_unpackhi_epi32(AA, AA));
  const __m128i Mixed = _mm_packus_epi16(Lo, Hi);
  const __m128i IsZero = _mm_cmpeq_epi32(A, Zero);
  const __m128i IsFull = _mm_cmpeq_epi32(A, _mm_set1_epi32(255));
  const __m128i Kept = _mm_or_si128(_mm_and_si128(IsZero, B), _mm_andnot_si128(IsZero, Mixed));
  return _mm_or_si128(_mm_and_si128(IsFull, F), _mm_andnot_si128(IsFull, Kept));
}

template <bool Master>
void BlendLineSse2(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 M) {
  const __m128i M1 = _mm_set1_epi32(int(M + 1));
  for (; Count >= 4; Count -= 4, Src += 4, Dst += 4) {
    const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src));
    __m128i A = _mm_srli_epi32(F, 24);
    if (Master) A = _mm_srli_epi32(_mm_mullo_epi16(A, M1), 8);
    const int Zero = _mm_movemask_epi8(_mm_cmpeq_epi32(A, _mm_setzero_si128()));
    if (Zero == 0xFFFF) continue;
    const int Full = _mm_movemask_epi8(_mm_cmpeq_epi32(A, _mm_set1_epi32(255)));
    if (Full == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst), F);
      continue;
    }
    const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst), Combine4(F, B, A));
  }
}
#endif

}  // namespace

void BlendLine(const TColor32* Src, TColor32* Dst, int Count) {
#if defined(__SSE2__)
  BlendLineSse2<false>(Src, Dst, Count, 255);
#endif
  for (; Count > 0; --Count) BlendMem(*Src++, *Dst++);
}

void BlendLineEx(const TColor32* Src, TColor32* Dst, int Count, TColor32 M) {
#if defined(__SSE2__)
  BlendLineSse2<true>(Src, Dst, Count, M);
#endif
  for (; Count > 0; --Count) BlendMemEx(*Src++, *Dst++, M);
}
