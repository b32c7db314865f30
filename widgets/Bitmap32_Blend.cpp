#include "widgets/Bitmap32_Blend.h"

#include "widgets/Bitmap32_BlendSimd.h"

bool detail::BlendWithAvx2 = true;

namespace {

void BlendLineSimd(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 Master) {
  static const bool HasAvx2 = __builtin_cpu_supports("avx2");
  if (HasAvx2 && detail::BlendWithAvx2) detail::BlendLineAvx2(Src, Dst, Count, Master);
  BlendLineWith<TSse2>(Src, Dst, Count, Master);
}

}  // namespace

void BlendLine(const TColor32* Src, TColor32* Dst, int Count) {
  BlendLineSimd(Src, Dst, Count, 256);
  for (; Count > 0; --Count) BlendMem(*Src++, *Dst++);
}

void BlendLineEx(const TColor32* Src, TColor32* Dst, int Count, TColor32 M) {
  BlendLineSimd(Src, Dst, Count, M & 0xFF);
  for (; Count > 0; --Count) BlendMemEx(*Src++, *Dst++, M);
}
