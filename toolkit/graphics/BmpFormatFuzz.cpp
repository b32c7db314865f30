// Any bytes: the BMP reader accepts or refuses them without fault, and what it accepts
// writes back and reads again to the same image.
#include "toolkit/graphics/BmpFormat.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (bool fileHeader : {true, false}) {
    detail::DibImage image;
    if (!detail::ReadBmp(data, size, fileHeader, image)) continue;
    const std::vector<std::uint8_t> file = detail::WriteBmp(image);
    detail::DibImage again;
    if (!detail::ReadBmp(file.data(), file.size(), true, again) || again.Bits != image.Bits) std::abort();
  }
  return 0;
}
