#include "skin/engine/acAlphaIconPixels.h"

bool HasAlpha(const TPixelView& Bmp) {
  if (Bmp.Empty()) return false;
  for (int y = 0; y < Bmp.Height; ++y) {
    const TColor32* row = Bmp.ScanLine(y);
    for (int x = 0; x < Bmp.Width; ++x)
      if (row[x] >> 24) return true;
  }
  return false;
}

void SetAlphaExceptKey(const TPixelView& Bmp, TColor32 Key) {
  if (Bmp.Empty()) return;
  const TColor32 key = Key & 0x00FFFFFF;
  for (int y = 0; y < Bmp.Height; ++y) {
    TColor32* row = Bmp.ScanLine(y);
    for (int x = 0; x < Bmp.Width; ++x) {
      const TColor32 colour = row[x] & 0x00FFFFFF;
      row[x] = colour == key ? colour : colour | 0xFF000000;
    }
  }
}

void AddAlphaFromKey(const TPixelView& Bmp) {
  if (Bmp.Empty() || HasAlpha(Bmp)) return;
  SetAlphaExceptKey(Bmp, *Bmp.PixelPtr(0, Bmp.Height - 1));
}

std::vector<uint8_t> AlphaMaskBits(const TPixelView& Bmp) {
  if (Bmp.Empty()) return {};
  const size_t stride = size_t((Bmp.Width + 15) / 16) * 2;
  std::vector<uint8_t> bits(stride * size_t(Bmp.Height), 0);
  for (int y = 0; y < Bmp.Height; ++y) {
    const TColor32* row = Bmp.ScanLine(y);
    uint8_t* out = bits.data() + stride * size_t(y);
    for (int x = 0; x < Bmp.Width; ++x)
      if (!(row[x] >> 24)) out[x / 8] |= uint8_t(0x80u >> (x % 8));
  }
  return bits;
}
