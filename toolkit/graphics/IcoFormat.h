#pragma once
// The icon file format: its directory of images, and writing one 32-bit image with its mask.
// No windows.h, so that the directory reader runs under the sanitizers and the fuzzer.
#include "toolkit/graphics/BmpFormat.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace detail {

struct IconEntry {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  std::size_t Offset = 0;  // of the image's data in the file
  std::size_t Size = 0;
};

// Reads the directory of an icon file; false when it is not one or an image lies outside it.
bool ReadIconDirectory(const std::uint8_t* Data, std::size_t Size, std::vector<IconEntry>& Entries);

// The entry to show at Width x Height: that size with the most colours, else the nearest bigger
// size, else the biggest. Entries must not be empty.
std::size_t BestIconEntry(const std::vector<IconEntry>& Entries, int Width, int Height);

// An icon file of one image: Color is 32-bit, Mask 1-bit (set bits are transparent), both
// bottom-up and of the same size.
std::vector<std::uint8_t> WriteIcon(const DibImage& Color, const DibImage& Mask);

}  // namespace detail
