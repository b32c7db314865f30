#include "toolkit/graphics/BmpFormat.h"

#include <algorithm>
#include <cstring>

namespace detail {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
// Bigger images than this are refused before anything is allocated.
constexpr std::int64_t kMaxSide = 0x8000;
// A run-length stream of a few bytes can name a picture of any size; bigger ones are refused.
constexpr std::int64_t kMaxRunLengthPixels = std::int64_t(1) << 26;

std::uint32_t Get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One channel of a bit-field pixel scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (bits < 32 - shift && ((m >> (shift + bits)) & 1)) ++bits;
  }
  std::uint32_t Get(std::uint32_t v) const {
    if (!bits) return 0;
    const std::uint32_t c = (v & mask) >> shift;
    if (bits >= 8) return (c >> (bits - 8)) & 0xFF;
    return c * 255 / ((1u << bits) - 1);
  }
};

// Pixel i of a run from its byte: 4-bit pixels take the high half first.
std::uint8_t RunPixel(std::uint8_t byte, std::size_t i, bool four) {
  if (!four) return byte;
  return i % 2 ? byte & 0x0F : byte >> 4;
}

void PutIndex(std::uint8_t* row, std::size_t x, bool four, std::uint8_t index) {
  if (!four) {
    row[x] = index;
    return;
  }
  const int shift = x % 2 ? 0 : 4;
  row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0x0F << shift)) | (index << shift));
}

// Expands a run-length stream (8 or 4 bits per pixel, rows from the bottom up) into the image's
// rows, which come zeroed: pixels the stream skips keep index 0. False when a run or a move leaves
// the image or the stream stops before its rows are done. Without write the stream is only checked,
// so that a bad one costs no picture.
bool ExpandRunLength(const std::uint8_t* p, std::size_t size, DibImage& image, bool write) {
  const std::uint8_t* const end = p + size;
  const std::size_t width = static_cast<std::size_t>(image.Width), height = static_cast<std::size_t>(image.Height);
  const std::size_t stride = DibStride(image.Width, image.BitCount);
  const bool four = image.BitCount == 4;
  std::size_t x = 0, y = 0;
  auto row = [&] { return image.Bits.data() + y * stride; };
  while (end - p >= 2) {
    const std::size_t count = p[0];
    const std::uint8_t second = p[1];
    p += 2;
    if (count > 0) {  // a run of one byte
      if (y >= height || count > width - x) return false;
      if (write)
        for (std::size_t i = 0; i < count; ++i) PutIndex(row(), x + i, four, RunPixel(second, i, four));
      x += count;
    } else if (second == 0) {  // end of line
      if (y >= height) return false;
      x = 0;
      ++y;
    } else if (second == 1) {  // end of bitmap
      return true;
    } else if (second == 2) {  // move right and up
      if (end - p < 2) return false;
      const std::size_t dx = p[0], dy = p[1];
      p += 2;
      if (y >= height || dx > width - x || dy >= height - y) return false;
      x += dx;
      y += dy;
    } else {  // pixels as they stand, padded to a whole word
      const std::size_t bytes = four ? (second + 1u) / 2 : second;
      if (y >= height || second > width - x || static_cast<std::size_t>(end - p) < bytes) return false;
      if (write)
        for (std::size_t i = 0; i < second; ++i) PutIndex(row(), x + i, four, RunPixel(p[four ? i / 2 : i], i, four));
      x += second;
      p += std::min<std::size_t>(bytes + bytes % 2, static_cast<std::size_t>(end - p));
    }
  }
  // A stream without its end mark still counts when its last line was closed.
  return y >= height;
}

}  // namespace

std::size_t DibStride(int Width, int BitCount) {
  return ((static_cast<std::size_t>(Width) * BitCount + 31) / 32) * 4;
}

bool ReadBmp(const std::uint8_t* Data, std::size_t Size, bool FileHeader, DibImage& Image) {
  std::size_t base = 0;
  std::uint32_t pixelOffset = 0;
  if (FileHeader) {
    if (Size < 14 || Data[0] != 'B' || Data[1] != 'M') return false;
    pixelOffset = Get32(Data + 10);
    base = 14;
  }
  if (Size - base < 12) return false;
  const std::uint8_t* h = Data + base;
  const std::uint32_t headerSize = Get32(h);
  if (headerSize > Size - base) return false;

  std::int64_t width, height;
  std::uint32_t bitCount, compression = kRgb, colorsUsed = 0;
  std::size_t paletteEntrySize = 4;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  std::size_t afterHeader = base + headerSize;
  if (headerSize == 12) {
    width = Get16(h + 4);
    height = static_cast<std::int16_t>(Get16(h + 6));
    bitCount = Get16(h + 10);
    paletteEntrySize = 3;
  } else if (headerSize >= 40) {
    width = static_cast<std::int32_t>(Get32(h + 4));
    height = static_cast<std::int32_t>(Get32(h + 8));
    bitCount = Get16(h + 14);
    compression = Get32(h + 16);
    colorsUsed = Get32(h + 32);
    if (compression == kBitFields || compression == kAlphaBitFields) {
      const int count = compression == kAlphaBitFields ? 4 : 3;
      if (headerSize >= 40u + 4u * count) {
        for (int i = 0; i < count; ++i) masks[i] = Get32(h + 40 + 4 * i);
        if (headerSize >= 56) masks[3] = Get32(h + 52);
      } else {
        // The masks follow a plain info header.
        if (Size - afterHeader < 4u * count) return false;
        for (int i = 0; i < count; ++i) masks[i] = Get32(Data + afterHeader + 4 * i);
        afterHeader += 4 * count;
      }
    } else if (headerSize >= 56) {
      masks[3] = Get32(h + 52);
    }
  } else {
    return false;
  }

  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const bool fields = compression == kBitFields || compression == kAlphaBitFields;
  const bool runLength = compression == kRle8 || compression == kRle4;
  if (compression != kRgb && !fields && !runLength) return false;  // embedded formats
  // Run-length images are bottom-up only, 8 bits for the one kind and 4 for the other.
  if (runLength && (topDown || bitCount != (compression == kRle8 ? 8u : 4u) || width * height > kMaxRunLengthPixels))
    return false;
  switch (bitCount) {
    case 1: case 4: case 8: case 24:
      if (fields) return false;
      break;
    case 16: case 32:
      break;
    default:
      return false;
  }

  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    const std::uint32_t maxColors = 1u << bitCount;
    std::uint32_t count = colorsUsed ? colorsUsed : maxColors;
    if (count > maxColors) count = maxColors;
    if ((Size - afterHeader) / paletteEntrySize < count) return false;
    palette.resize(count);
    const std::uint8_t* p = Data + afterHeader;
    for (std::uint32_t i = 0; i < count; ++i, p += paletteEntrySize) palette[i] = p[0] | (p[1] << 8) | (p[2] << 16);
    afterHeader += count * paletteEntrySize;
  } else if (colorsUsed && colorsUsed <= (Size - afterHeader) / 4) {
    afterHeader += colorsUsed * 4;  // an optimisation palette of a true-colour image: skipped
  }

  // Some writers leave the file header's pixel offset at 0: the pixels then follow the colours.
  const std::size_t start = FileHeader && pixelOffset >= afterHeader ? pixelOffset : afterHeader;
  const std::size_t stride = DibStride(static_cast<int>(width), bitCount);
  const std::size_t rows = static_cast<std::size_t>(height);
  if (start > Size || (!runLength && (Size - start) / stride < rows)) return false;
  const std::uint8_t* src = Data + start;

  // 16 bits with the colour masks GDI knows and no alpha, and 32 bits whose fourth byte is alpha,
  // are kept as they are; others become 32-bit, opaque unless a mask names their alpha.
  bool convert = false;
  bool rgb565 = false;
  if (fields && bitCount == 16) {
    const bool is565 = masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F;
    const bool is555 = masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F;
    convert = masks[3] != 0 || !(is565 || is555);
    rgb565 = is565 && !convert;
  } else if (fields && bitCount == 32) {
    convert = !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF && masks[3] == 0xFF000000);
  }

  DibImage out;
  out.Width = static_cast<int>(width);
  out.Height = static_cast<int>(height);
  out.BitCount = convert ? 32 : static_cast<int>(bitCount);
  out.Rgb565 = rgb565;
  out.Palette = std::move(palette);
  const std::size_t outStride = DibStride(out.Width, out.BitCount);
  if (runLength && !ExpandRunLength(src, Size - start, out, false)) return false;
  out.Bits.resize(outStride * rows);
  if (runLength) {
    ExpandRunLength(src, Size - start, out, true);
    Image = std::move(out);
    return true;
  }
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  for (std::size_t y = 0; y < rows; ++y) {
    const std::uint8_t* s = src + (topDown ? rows - 1 - y : y) * stride;
    std::uint8_t* d = out.Bits.data() + y * outStride;
    if (!convert) {
      std::memcpy(d, s, stride);
      continue;
    }
    for (int x = 0; x < out.Width; ++x, d += 4) {
      const std::uint32_t v = bitCount == 16 ? Get16(s + 2 * x) : Get32(s + 4 * x);
      d[0] = static_cast<std::uint8_t>(blue.Get(v));
      d[1] = static_cast<std::uint8_t>(green.Get(v));
      d[2] = static_cast<std::uint8_t>(red.Get(v));
      d[3] = masks[3] ? static_cast<std::uint8_t>(alpha.Get(v)) : 0xFF;
    }
  }
  Image = std::move(out);
  return true;
}

std::vector<std::uint8_t> WriteBmp(const DibImage& Image) {
  const std::size_t stride = DibStride(Image.Width, Image.BitCount);
  const std::size_t bitsSize = stride * Image.Height;
  std::uint32_t palette = 0;
  if (Image.BitCount <= 8)
    palette = Image.Palette.empty() ? 1u << Image.BitCount : static_cast<std::uint32_t>(Image.Palette.size());
  const bool fields = Image.BitCount == 16 && Image.Rgb565;
  const std::uint32_t offset = 14 + 40 + (fields ? 12 : 0) + palette * 4;
  std::vector<std::uint8_t> out;
  out.reserve(offset + bitsSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(offset + bitsSize));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(Image.Width));
  Put32(out, static_cast<std::uint32_t>(Image.Height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(Image.BitCount));
  Put32(out, fields ? kBitFields : kRgb);
  Put32(out, static_cast<std::uint32_t>(bitsSize));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, palette);
  Put32(out, 0);
  if (fields) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  for (std::uint32_t i = 0; i < palette; ++i) Put32(out, i < Image.Palette.size() ? Image.Palette[i] & 0xFFFFFF : 0);
  out.insert(out.end(), Image.Bits.begin(), Image.Bits.begin() + std::min(bitsSize, Image.Bits.size()));
  out.resize(offset + bitsSize);
  return out;
}

}  // namespace detail
