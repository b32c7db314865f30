// The text mix, the glow's blur and blend with any mask and picture sizes, strides and placements:
// nothing may be read or written outside the views.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/sTextCoverage.h"

namespace {

// Reads the fuzzer's bytes in turn; zeros once they run out.
struct TInput {
  const uint8_t* Data;
  size_t Size;
  int Byte() { return Size ? (--Size, *Data++) : 0; }
  int Coord() { return Byte() % 48 - 24; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TInput In{Data, Size};
  const int W = In.Byte() % 16, H = In.Byte() % 16;
  std::vector<TColor32> Pixels(size_t(W) * H);
  for (TColor32& P : Pixels) P = TColor32(In.Byte()) * 0x01010101u;
  const bool BottomUp = In.Byte() & 1;
  const TPixelView Dst{Pixels.empty() ? nullptr : Pixels.data() + (BottomUp ? size_t(W) * (H - 1) : 0), W, H,
                       BottomUp ? -W : W};

  const int MW = In.Byte() % 16, MH = In.Byte() % 16;
  std::vector<TColor32> Text(size_t(MW) * MH);
  for (TColor32& P : Text) P = (In.Byte() & 1) ? 0x00FFFFFFu : TColor32(In.Byte()) * 0x00010101u;
  MixTextCoverage(Dst, In.Coord(), In.Coord(), TPixelView{Text.empty() ? nullptr : Text.data(), MW, MH, MW},
                  TColor(In.Byte() * 0x10101));

  // An 8-bit mask with padded, bottom-up rows.
  const int Pitch = (MW + 3) & ~3;
  std::vector<uint8_t> Bytes(size_t(Pitch) * MH);
  for (uint8_t& B : Bytes) B = uint8_t(In.Byte());
  const TMaskView Mask{Bytes.empty() ? nullptr : Bytes.data() + size_t(Pitch) * (MH > 0 ? MH - 1 : 0), MW, MH, -Pitch};
  BlurMask(Mask, In.Byte() % 24 / 2.0);
  BlendGlow(Dst, In.Coord(), In.Coord(), Mask, TColor(In.Byte() * 0x10101));
  return 0;
}
