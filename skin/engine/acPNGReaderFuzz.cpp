// The PNG reader on any bytes: it either decodes or raises one of its own errors, and whatever it
// decodes without gamma correction, libpng (when it takes the file too) decodes to the same pixels.
#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acPNGReader.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

// Inputs of even length get their chunk CRCs mended, so that mutations reach the image data; odd
// lengths keep theirs, for the CRC checks.
Bytes MendCRCs(const uint8_t* data, size_t size) {
  Bytes b(data, data + size);
  if (size % 2) return b;
  for (size_t p = 8; p + 12 <= b.size();) {
    const uint32_t n = uint32_t(b[p]) << 24 | b[p + 1] << 16 | b[p + 2] << 8 | b[p + 3];
    if (n > b.size() - p - 12) break;
    const auto crc = uint32_t(crc32(0, &b[p + 4], uInt(4 + n)));
    for (int i = 0; i < 4; ++i) b[p + 8 + n + i] = uint8_t(crc >> (24 - 8 * i));
    p += 12 + n;
  }
  return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* raw, size_t rawSize) {
  const Bytes file = MendCRCs(raw, rawSize);
  const uint8_t* data = file.data();
  const size_t size = file.size();
  TPNGReader reader;
  try {
    const size_t used = reader.LoadFromBuffer(data, size);
    if (used > size) std::abort();
  } catch (const EInvalidGraphic&) {
    return 0;
  } catch (const EReadError&) {
    return 0;
  } catch (const EGraphicCompression&) {
    return 0;
  } catch (const EColorConversionError&) {
    return 0;
  }
  const TDIBImage& image = reader.Image;
  if (image.Bits.size() != image.Stride * image.Height) std::abort();
  const std::vector<uint32_t> pixels = PixelsBGRA(image);
  if (pixels.size() != size_t(image.Width) * image.Height) std::abort();
  if (image.Width == 0 || (reader.ImageProperties.Options & ioUseGamma)) return 0;
  std::vector<uint32_t> reference;
  uint32_t width, height;
  try {
    reference = LibpngDecode(file, width, height);
  } catch (const std::runtime_error&) {
    return 0;  // libpng refuses the file
  }
  if (width != image.Width || height != image.Height || reference != pixels) std::abort();
  return 0;
}
