#pragma once
// A PNG writer over zlib: the samples of every pixel filtered row by row and deflated with fixed
// settings, so that the same picture always gives the same bytes.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "widgets/Bitmap32_Types.h"

using Bytes = std::vector<uint8_t>;

struct PngSpec {
  uint32_t Width = 1, Height = 1;
  uint8_t BitDepth = 8, ColorType = 6;
  bool Interlaced = false;
  Bytes Palette;       // PLTE data (RGB triples)
  Bytes Transparency;  // tRNS data
  uint32_t Gamma = 0;  // gAMA value; 0: none
  int Filter = -1;     // filter type of every row; -1 cycles through 0 to 4
  unsigned IdatPieces = 1;
};

unsigned ChannelsOf(uint8_t colorType);
// A whole PNG file of those samples (one value per channel, row after row, each below 2^BitDepth):
// rows filtered (Filter), Adam7 passes when Interlaced, the zlib data cut into IdatPieces IDAT chunks.
Bytes EncodePng(const PngSpec& spec, const std::vector<uint16_t>& samples);
// An 8-bit RGBA PNG of the picture (straight alpha), rows unfiltered.
Bytes EncodePngPicture(const TPixelView& picture);

Bytes Chunk(const char* type, const Bytes& data);
Bytes PngSignature();
Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace = 0);
Bytes Deflate(const Bytes& raw, int level = 6);
Bytes Concat(std::initializer_list<Bytes> parts);
