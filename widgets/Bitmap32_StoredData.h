#pragma once
// The "Data" property of form resources that holds a 32-bit bitmap: width and height (4 bytes
// each, little-endian), then the pixels, rows top-down.
#include "toolkit/rtl/Exceptions.h"
#include "widgets/Bitmap32_Types.h"

#include <cstddef>
#include <vector>

class EStoredDataError : public Exception {
 public:
  using Exception::Exception;
};

// Pixels of a picture, rows top-down.
struct TPixelImage {
  int Width = 0, Height = 0;
  std::vector<TColor32> Pixels;
  TPixelView View() { return {Pixels.data(), Width, Height, Width}; }
};

// Negative sizes count as 0 (an empty picture is 0 x 0); data too short for its size raises
// EStoredDataError. Bytes after the pixels are not read.
TPixelImage ReadStoredData(const uint8_t* Data, size_t Size);
std::vector<uint8_t> WriteStoredData(const TPixelView& View);
