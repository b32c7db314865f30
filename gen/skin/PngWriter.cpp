#include "gen/skin/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

unsigned ChannelsOf(uint8_t colorType) {
  switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

namespace {

void PutBE32(Bytes& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}

// Packs one row of samples into the stored byte layout.
Bytes PackRow(const uint16_t* samples, size_t count, uint8_t depth) {
  Bytes row((count * depth + 7) / 8, 0);
  for (size_t i = 0; i < count; ++i) {
    if (depth == 16) {
      row[2 * i] = uint8_t(samples[i] >> 8), row[2 * i + 1] = uint8_t(samples[i]);
    } else if (depth == 8) {
      row[i] = uint8_t(samples[i]);
    } else {
      const size_t bit = i * depth;
      row[bit / 8] |= uint8_t(samples[i] << (8 - depth - bit % 8));
    }
  }
  return row;
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

void FilterRow(Bytes& out, const Bytes& row, const Bytes& prev, unsigned bpp, uint8_t type) {
  out.push_back(type);
  for (size_t i = 0; i < row.size(); ++i) {
    const int a = i >= bpp ? row[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
    int pred = 0;
    switch (type) {
      case 1: pred = a; break;
      case 2: pred = b; break;
      case 3: pred = (a + b) / 2; break;
      case 4: pred = Paeth(a, b, c); break;
    }
    out.push_back(uint8_t(row[i] - pred));
  }
}

}  // namespace

Bytes Chunk(const char* type, const Bytes& data) {
  Bytes b;
  PutBE32(b, uint32_t(data.size()));
  b.insert(b.end(), type, type + 4);
  b.insert(b.end(), data.begin(), data.end());
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));  // a null buffer restarts the CRC
  PutBE32(b, uint32_t(crc));
  return b;
}

Bytes PngSignature() { return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}; }

Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace) {
  Bytes d;
  PutBE32(d, width);
  PutBE32(d, height);
  d.insert(d.end(), {depth, colorType, 0, 0, interlace});
  return Chunk("IHDR", d);
}

Bytes Deflate(const Bytes& raw, int level) {
  uLongf size = compressBound(uLong(raw.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), level) != Z_OK) throw std::runtime_error("zlib");
  out.resize(size);
  return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}

Bytes EncodePng(const PngSpec& spec, const std::vector<uint16_t>& samples) {
  const unsigned channels = ChannelsOf(spec.ColorType);
  const unsigned bpp = std::max(1u, channels * spec.BitDepth / 8);
  Bytes raw;
  unsigned rowIndex = 0;
  auto encodeRows = [&](uint32_t firstRow, uint32_t firstCol, uint32_t rowStep, uint32_t colStep) {
    if (spec.Width <= firstCol) return;
    const size_t columns = (spec.Width - firstCol + colStep - 1) / colStep;
    Bytes prev((columns * channels * spec.BitDepth + 7) / 8, 0);
    for (uint32_t y = firstRow; y < spec.Height; y += rowStep) {
      std::vector<uint16_t> line;
      for (uint32_t x = firstCol; x < spec.Width; x += colStep)
        for (unsigned c = 0; c < channels; ++c) line.push_back(samples[(size_t(y) * spec.Width + x) * channels + c]);
      const Bytes row = PackRow(line.data(), line.size(), spec.BitDepth);
      const uint8_t type = uint8_t(spec.Filter >= 0 ? spec.Filter : rowIndex % 5);
      ++rowIndex;
      FilterRow(raw, row, prev, bpp, type);
      prev = row;
    }
  };
  if (!spec.Interlaced) {
    encodeRows(0, 0, 1, 1);
  } else {
    const uint32_t passes[7][4] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                   {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};
    for (const auto& p : passes) encodeRows(p[0], p[1], p[2], p[3]);
  }
  const Bytes z = Deflate(raw);
  Bytes file = Concat({PngSignature(), Ihdr(spec.Width, spec.Height, spec.BitDepth, spec.ColorType,
                                            spec.Interlaced ? 1 : 0)});
  if (spec.Gamma) {
    Bytes g;
    PutBE32(g, spec.Gamma);
    file = Concat({file, Chunk("gAMA", g)});
  }
  if (!spec.Palette.empty()) file = Concat({file, Chunk("PLTE", spec.Palette)});
  if (!spec.Transparency.empty()) file = Concat({file, Chunk("tRNS", spec.Transparency)});
  const size_t piece = z.size() / std::max(1u, spec.IdatPieces) + 1;
  for (size_t at = 0; at < z.size(); at += piece)
    file = Concat({file, Chunk("IDAT", Bytes(z.begin() + at, z.begin() + std::min(z.size(), at + piece)))});
  return Concat({file, Chunk("IEND", {})});
}

Bytes EncodePngPicture(const TPixelView& picture) {
  PngSpec spec;
  spec.Width = uint32_t(picture.Width);
  spec.Height = uint32_t(picture.Height);
  spec.Filter = 0;
  std::vector<uint16_t> samples;
  samples.reserve(size_t(picture.Width) * size_t(picture.Height) * 4);
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      const TColor32 p = *picture.PixelPtr(x, y);
      samples.insert(samples.end(), {uint16_t(p >> 16 & 0xFF), uint16_t(p >> 8 & 0xFF), uint16_t(p & 0xFF), uint16_t(p >> 24)});
    }
  }
  return EncodePng(spec, samples);
}
