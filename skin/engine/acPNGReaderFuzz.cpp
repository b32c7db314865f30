// The PNG reader on any bytes: it either decodes or raises one of its own errors.
#include "skin/engine/acPNGReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPNGReader reader;
  try {
    const size_t used = reader.LoadFromBuffer(data, size);
    if (used > size) std::abort();
    const TDIBImage& image = reader.Image;
    if (image.Bits.size() != image.Stride * image.Height) std::abort();
    const std::vector<uint32_t> pixels = PixelsBGRA(image);
    if (pixels.size() != size_t(image.Width) * image.Height) std::abort();
  } catch (const EInvalidGraphic&) {
  } catch (const EReadError&) {
  } catch (const EGraphicCompression&) {
  } catch (const EColorConversionError&) {
  }
  return 0;
}
