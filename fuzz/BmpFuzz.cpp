// The processing module reads whatever picture a capture module left in the stream.
#include <cstdint>

#include "plugins/common/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImagemCinza img;
  if (DecodificarBmp(data, size, img) && img.px.size() != size_t(img.largura) * size_t(img.altura)) __builtin_trap();
  return 0;
}
