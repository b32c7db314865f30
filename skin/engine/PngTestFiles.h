#pragma once
// Test and benchmark helpers: random samples for PNG files, libpng's decoding of a file as the
// reference picture. The PNG and packed-skin writers are the skin generator's.
#include <cstdint>
#include <string>
#include <vector>

#include "gen/skin/PngWriter.h"
#include "gen/skin/SkinPackWriter.h"

// Samples of every pixel, row after row: one value per channel, each below 2^BitDepth.
std::vector<uint16_t> RandomSamples(const PngSpec& spec, uint32_t seed);

// libpng's decoding as 0xAARRGGBB values; 16-bit samples scaled by v * 255 / 65535. Throws
// std::runtime_error when libpng refuses the file.
std::vector<uint32_t> LibpngDecode(const Bytes& file, uint32_t& width, uint32_t& height);
