#pragma once
// The two byte layouts a 32-bit bitmap is kept in: the Windows BMP file that pictures travel in
// between the program and its plug-in modules, and the "Data" property of form resources.
#include "toolkit/rtl/Exceptions.h"
#include "widgets/Bitmap32_Types.h"

#include <cstddef>
#include <vector>

class EBmpFormatError : public Exception {
 public:
  using Exception::Exception;
};

// Pixels of a picture, rows top-down.
struct TPixelImage {
  int Width = 0, Height = 0;
  std::vector<TColor32> Pixels;
  TPixelView View() { return {Pixels.data(), Width, Height, Width}; }
};

// Decodes a BMP file (file header first): 1, 4 and 8 bits with a palette, 16 bits (5-5-5 or bit
// fields), 24 and 32 bits, rows bottom-up or top-down. 32-bit pictures keep their alpha bytes;
// all others get alpha 255. Anything else raises EBmpFormatError.
TPixelImage ReadBmp(const uint8_t* Data, size_t Size);

// A 32-bit BMP file: 14-byte file header, 40-byte info header, rows bottom-up.
std::vector<uint8_t> WriteBmp(const TPixelView& View);

// "Data": width and height (4 bytes each, little-endian), then the pixels, rows top-down. Negative
// sizes count as 0; data too short for its size raises EBmpFormatError.
TPixelImage ReadStoredData(const uint8_t* Data, size_t Size);
std::vector<uint8_t> WriteStoredData(const TPixelView& View);
