// Any bytes: the exam-picture decoder accepts or refuses them without fault, and what it accepts
// is a whole picture within the decoder's bounds.
#include <cstdlib>

#include "widgets/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPixelImage image;
  if (!detail::DecompressJpeg(data, size, image)) return 0;
  if (image.Width <= 0 || image.Height <= 0 || int64_t(image.Width) * image.Height > detail::kMaxJpegPixels ||
      image.Pixels.size() != size_t(image.Width) * size_t(image.Height))
    std::abort();
  for (TColor32 p : image.Pixels)
    if (p >> 24 != 0xFF) std::abort();
  return 0;
}
