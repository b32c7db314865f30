// Built with -mavx2; called only on processors that have it.
#include "widgets/Bitmap32_BlendSimd.h"

void detail::BlendLineAvx2(const TColor32*& Src, TColor32*& Dst, int& Count, TColor32 Master) {
  BlendLineWith<TAvx2>(Src, Dst, Count, Master);
}
