#include "widgets/Bitmap32_StoredData.h"

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void Invalid() { throw EStoredDataError("Bitmap data is not valid"); }

uint32_t Get32(const uint8_t* P) {
  return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
}
void Put32(uint8_t* P, uint32_t V) {
  for (int I = 0; I < 4; ++I) P[I] = uint8_t(V >> (8 * I));
}

}  // namespace

TPixelImage ReadStoredData(const uint8_t* Data, size_t Size) {
  if (Size < 8) Invalid();
  TPixelImage Image;
  Image.Width = std::max(0, int32_t(Get32(Data)));
  Image.Height = std::max(0, int32_t(Get32(Data + 4)));
  if (Image.Width == 0 || Image.Height == 0) {
    Image.Width = Image.Height = 0;
    return Image;
  }
  const size_t Count = size_t(Image.Width) * size_t(Image.Height);
  if (Count > (Size - 8) / 4) Invalid();
  Image.Pixels.resize(Count);
  std::memcpy(Image.Pixels.data(), Data + 8, Count * 4);
  return Image;
}

std::vector<uint8_t> WriteStoredData(const TPixelView& View) {
  const int W = View.Empty() ? 0 : View.Width, H = View.Empty() ? 0 : View.Height;
  std::vector<uint8_t> Out(8 + size_t(W) * H * 4);
  Put32(Out.data(), uint32_t(W));
  Put32(Out.data() + 4, uint32_t(H));
  for (int Y = 0; Y < H; ++Y) std::memcpy(Out.data() + 8 + size_t(Y) * W * 4, View.ScanLine(Y), size_t(W) * 4);
  return Out;
}
