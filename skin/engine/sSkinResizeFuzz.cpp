// Resizing with sizes and filters from outside: any source and target size, 3 or 4 bytes a pixel,
// padded or bottom-up rows, must stay inside both pictures.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/sSkinResize.h"

namespace {

struct TInput {
  const uint8_t* Data;
  size_t Size;
  int Byte() { return Size ? (--Size, *Data++) : 0; }
};

// Exactly the bytes of its rows, so that ASan sees any step outside them.
struct TPicture {
  std::vector<uint8_t> Bytes;
  TByteView View;
  TPicture(int W, int H, int Bpp, bool Padded, bool BottomUp, TInput& In) {
    const ptrdiff_t Stride = Padded ? (ptrdiff_t(W) * Bpp + 3) / 4 * 4 : ptrdiff_t(W) * Bpp;
    Bytes.resize(size_t(Stride) * H);
    for (uint8_t& B : Bytes) B = uint8_t(In.Byte());
    uint8_t* First = Bytes.empty() ? nullptr : Bytes.data();
    View = {BottomUp && H > 0 ? First + Stride * (H - 1) : First, W, H, BottomUp ? -Stride : Stride, Bpp};
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TInput In{Data, Size};
  const int Bpp = In.Byte() & 1 ? 4 : 3, Flags = In.Byte(), Filter = In.Byte() % 9 - 1;
  const int SrcW = In.Byte() % 40, SrcH = In.Byte() % 40, DstW = In.Byte() % 70, DstH = In.Byte() % 70;
  TPicture Src(SrcW, SrcH, Bpp, Flags & 1, Flags & 2, In), Dst(DstW, DstH, Bpp, Flags & 4, Flags & 8, In);
  try {
    StretchBitmap(Src.View, Dst.View, Filter);
  } catch (const Exception&) {
    if (SrcW >= 2 && SrcH >= 2) __builtin_trap();  // only a too small source may raise
  }
  return 0;
}
