// Border strips of random pieces over windows of random sizes stay inside every picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/forms/sBorderStrips.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 14) return 0;
  auto Byte = [&](size_t I) { return int(Data[I]); };
  const int ImgW = Byte(0) % 40 + 1, ImgH = Byte(1) % 40 + 1, CacheW = Byte(2) % 50, CacheH = Byte(3) % 50;
  TsMaskData M;
  M.R = {Byte(4) % 50 - 5, Byte(5) % 50 - 5, Byte(6) % 60 - 5, Byte(7) % 60 - 5};
  M.ImageCount = int16_t(Byte(8) % 6 - 1);
  M.MaskType = int16_t(Byte(9) % 3 - 1);
  M.WL = int16_t(Byte(10) % 30 - 2);
  M.WT = int16_t(Byte(11) % 30 - 2);
  M.WR = int16_t(Byte(12) % 30 - 2);
  M.WB = int16_t(Byte(13) % 30 - 2);
  std::vector<TColor32> Image(size_t(ImgW) * ImgH), Cache(size_t(CacheW) * CacheH + 1), Bg(64);
  for (size_t I = 0; I < Image.size(); ++I) Image[I] = Size > 14 ? Data[14 + I % (Size - 14)] * 0x01010101u : 0;
  TBorderStrips S;
  S.Cache = {Cache.data(), CacheW, CacheH, CacheW};
  S.Mask = &M;
  S.Image = {Image.data(), ImgW, ImgH, ImgW};
  S.OwnImage = Byte(2) & 1;
  S.State = Byte(3) % 8 - 2;
  S.Background = {TPixelView{Bg.data(), 8, 8, 8}, Byte(0) % 12 - 4, Byte(1) % 12 - 4, clRed, bool(Byte(4) & 1)};
  PaintBorderStrips(S);
  return 0;
}
