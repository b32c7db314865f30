#pragma once
// Test and benchmark helpers: PNG files made from known samples with zlib, libpng's decoding of a
// file as the reference picture, and packed skins made from known entries.
#include <cstdint>
#include <string>
#include <vector>

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
// Samples of every pixel, row after row: one value per channel, each below 2^BitDepth.
std::vector<uint16_t> RandomSamples(const PngSpec& spec, uint32_t seed);
// A whole PNG file of those samples: rows filtered (Filter), Adam7 passes when Interlaced, the
// zlib data cut into IdatPieces IDAT chunks.
Bytes EncodePng(const PngSpec& spec, const std::vector<uint16_t>& samples);

Bytes Chunk(const char* type, const Bytes& data);
Bytes PngSignature();
Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace = 0);
Bytes Deflate(const Bytes& raw, int level = 6);
Bytes Concat(std::initializer_list<Bytes> parts);

// Little-endian 32-bit value appended to b.
void PutInt(Bytes& b, int32_t v);
struct PackedEntry {
  std::string Name, Data;
};
// A packed skin: the signature, the entry count, then each entry's name, inflated size and zlib data.
Bytes PackSkin(const std::vector<PackedEntry>& entries, const char* signature = "ASzf");

// libpng's decoding as 0xAARRGGBB values; 16-bit samples scaled by v * 255 / 65535. Throws
// std::runtime_error when libpng refuses the file.
std::vector<uint32_t> LibpngDecode(const Bytes& file, uint32_t& width, uint32_t& height);
