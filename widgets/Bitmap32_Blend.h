#pragma once
// Per-pixel colour combination and alpha blending of TColor32 pixels.
//
// Red and blue are computed together in one 32-bit product, alpha and green in another; each
// channel product gets 128 added before the division by 256. The line routines take a SIMD path
// that gives the very same bits as these scalar ones (BlendTest checks every alpha).
#include "widgets/Bitmap32_Types.h"

// W = 0 gives Y, W = 255 gives X, else per channel (X*W + 128) div 256 + (Y*(255 - W) + 128) div 256.
inline TColor32 CombineReg(TColor32 X, TColor32 Y, TColor32 W) {
  if (W == 0) return Y;
  if (W >= 255) return X;
  const TColor32 V = 255 - W;
  const TColor32 RB = ((((X & 0xFF00FF) * W + 0x800080) >> 8) & 0xFF00FF) +
                      ((((Y & 0xFF00FF) * V + 0x800080) >> 8) & 0xFF00FF);
  const TColor32 AG = ((((X >> 8) & 0xFF00FF) * W + 0x800080) & 0xFF00FF00) +
                      ((((Y >> 8) & 0xFF00FF) * V + 0x800080) & 0xFF00FF00);
  return RB + AG;
}
inline void CombineMem(TColor32 X, TColor32& Y, TColor32 W) { Y = CombineReg(X, Y, W); }

// F over B with F's alpha: alpha 255 gives F, alpha 0 gives B.
inline TColor32 BlendReg(TColor32 F, TColor32 B) { return CombineReg(F, B, F >> 24); }
inline void BlendMem(TColor32 F, TColor32& B) { B = BlendReg(F, B); }

// As BlendReg, with F's alpha first scaled by the master alpha M (0..255).
inline TColor32 BlendRegEx(TColor32 F, TColor32 B, TColor32 M) {
  return CombineReg(F, B, ((M + 1) * (F >> 24)) >> 8);
}
inline void BlendMemEx(TColor32 F, TColor32& B, TColor32 M) { B = BlendRegEx(F, B, M); }

// BlendMem / BlendMemEx over Count pixels.
void BlendLine(const TColor32* Src, TColor32* Dst, int Count);
void BlendLineEx(const TColor32* Src, TColor32* Dst, int Count, TColor32 M);

namespace detail {
// The line routines' AVX2 path (used when the processor has it); off, SSE2 only. Same bits.
extern bool BlendWithAvx2;
}  // namespace detail
