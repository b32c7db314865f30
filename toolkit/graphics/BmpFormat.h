#pragma once
// Reading and writing the BMP format (a file, or a packed DIB as resources hold it), without
// windows.h so that the parser also runs under the sanitizers and the fuzzer.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace detail {

// An image in the layout of a bottom-up DIB section: rows from the bottom one up, each padded
// to a multiple of four bytes.
struct DibImage {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;  // 1, 4, 8, 16, 24 or 32
  bool Rgb565 = false;  // 16-bit pixels as 5-6-5 (else 5-5-5)
  std::vector<std::uint32_t> Palette;  // RGBQUAD values (blue in the low byte); bit counts up to 8
  std::vector<std::uint8_t> Bits;
};

std::size_t DibStride(int Width, int BitCount);

// Reads a BMP file (FileHeader) or a packed DIB. Uncompressed and bit-field images of every
// bit count are read, and run-length images of 8 and 4 bits; 16- and 32-bit images with unusual
// masks or an alpha mask become 32-bit. False for a damaged or truncated image.
bool ReadBmp(const std::uint8_t* Data, std::size_t Size, bool FileHeader, DibImage& Image);

// The image as a BMP file (bottom-up, with a colour table up to 8 bits).
std::vector<std::uint8_t> WriteBmp(const DibImage& Image);

}  // namespace detail
