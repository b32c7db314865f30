#include "toolkit/graphics/BmpFormat.h"

#include <algorithm>
#include <cstring>

namespace detail {
namespace {

constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
// Bigger images than this are refused before anything is allocated.
constexpr std::int64_t kMaxSide = 0x8000;

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
  if (compression != kRgb && !fields) return false;  // run-length and embedded formats
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
  if (start > Size || (Size - start) / stride < rows) return false;
  const std::uint8_t* src = Data + start;

  // 16 and 32 bits with the masks GDI knows are kept as they are; others become 32-bit.
  bool convert = false;
  bool rgb565 = false;
  if (fields && bitCount == 16) {
    if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) rgb565 = true;
    else convert = !(masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F);
  } else if (fields && bitCount == 32) {
    convert = !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF);
  }

  DibImage out;
  out.Width = static_cast<int>(width);
  out.Height = static_cast<int>(height);
  out.BitCount = convert ? 32 : static_cast<int>(bitCount);
  out.Rgb565 = rgb565;
  out.Palette = std::move(palette);
  const std::size_t outStride = DibStride(out.Width, out.BitCount);
  out.Bits.resize(outStride * rows);
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
      d[3] = static_cast<std::uint8_t>(alpha.Get(v));
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
