// Any rectangles, sizes, filters and draw modes: a transfer either raises ETransformError or
// changes only the target pixels inside the target rectangle, the clip and the bitmap.
#include "widgets/Bitmap32_Transforms.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct TReader {
  const uint8_t* Data;
  size_t Size;
  uint8_t Byte() {
    if (Size == 0) return 0;
    --Size;
    return *Data++;
  }
  int Small(int Limit) { return Byte() % Limit; }
  int Coord() { return int16_t(uint16_t(Byte()) | uint16_t(Byte()) << 8); }
  TPixelRect Rect() {
    const int L = Coord(), T = Coord(), R = Coord(), B = Coord();
    return {L, T, R, B};
  }
};

constexpr TColor32 Guard = 0xA5A5A5A5;
constexpr int Border = 2;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TReader In{Data, Size};
  const int SW = In.Small(40) + 1, SH = In.Small(40) + 1, DW = In.Small(40) + 1, DH = In.Small(40) + 1;
  const TStretchFilter Filter = TStretchFilter(In.Small(5));
  const TDrawMode Mode = TDrawMode(In.Small(3));
  const TColor32 Master = In.Byte();
  FullEdge = In.Byte() & 1;
  const TPixelRect SrcRect = In.Rect(), DstRect = In.Rect(), DstClip = In.Rect();

  std::vector<TColor32> Src(size_t(SW) * SH);
  for (TColor32& P : Src) P = TColor32(In.Byte()) * 0x01010101u ^ TColor32(In.Byte()) << 24;
  const int Stride = DW + 2 * Border;
  std::vector<TColor32> Whole(size_t(Stride) * (DH + 2 * Border), Guard);
  const TPixelView DstView{Whole.data() + Border * Stride + Border, DW, DH, Stride};
  const TPixelView SrcView{Src.data(), SW, SH, SW};
  const TCombineInfo Combine{Mode, Master, Mode == dmCustom && (Master & 1)
                                               ? TPixelCombineEvent([](TColor32 F, TColor32& B, TColor32) { B = ~F; })
                                               : TPixelCombineEvent()};
  try {
    StretchTransfer(DstView, DstRect, DstClip, SrcView, SrcRect, Filter, Combine);
  } catch (const ETransformError&) {
  }
  for (int Y = 0; Y < DH + 2 * Border; ++Y)
    for (int X = 0; X < Stride; ++X) {
      const int Dx = X - Border, Dy = Y - Border;
      const bool Inside = Dx >= 0 && Dx < DW && Dy >= 0 && Dy < DH && Dx >= DstRect.Left && Dx < DstRect.Right &&
                          Dy >= DstRect.Top && Dy < DstRect.Bottom && Dx >= DstClip.Left && Dx < DstClip.Right &&
                          Dy >= DstClip.Top && Dy < DstClip.Bottom;
      if (!Inside && Whole[size_t(Y) * Stride + X] != Guard) std::abort();
    }
  return 0;
}
