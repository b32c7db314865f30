// Any size and pixels through the alpha image list's loops: keying, the alpha test and the mask.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/engine/acAlphaIconPixels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 3) return 0;
  const int W = Data[0] % 70, H = Data[1] % 70;
  const bool BottomUp = Data[2] & 1;
  Data += 3, Size -= 3;
  std::vector<TColor32> Pixels(size_t(W) * H);
  if (!Pixels.empty()) std::memcpy(Pixels.data(), Data, std::min(Size, Pixels.size() * sizeof(TColor32)));
  TPixelView View;
  View.Width = W, View.Height = H;
  View.Stride = BottomUp ? -W : W;
  View.Bits = Pixels.empty() ? nullptr : (BottomUp ? Pixels.data() + size_t(W) * (H - 1) : Pixels.data());
  const std::vector<uint8_t> Mask = AlphaMaskBits(View);
  if (Mask.size() != (View.Empty() ? 0 : size_t((W + 15) / 16) * 2 * H)) __builtin_trap();
  AddAlphaFromKey(View);
  SetAlphaExceptKey(View, 0xFF00FF);
  if (!View.Empty() && Pixels[0] != 0x00FF00FF && !HasAlpha(View)) __builtin_trap();
  return 0;
}
