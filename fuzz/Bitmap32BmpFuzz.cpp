// Any bytes as a BMP file or as stored "Data": refused with EBmpFormatError or read; what is read
// writes and reads back to the same pixels.
#include "widgets/Bitmap32_Files.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TPixelImage Image = ReadBmp(Data, Size);
    const std::vector<uint8_t> Saved = WriteBmp(Image.View());
    const TPixelImage Back = ReadBmp(Saved.data(), Saved.size());
    if (!Image.Pixels.empty() && Back.Pixels != Image.Pixels) std::abort();
  } catch (const EBmpFormatError&) {
  }
  try {
    TPixelImage Image = ReadStoredData(Data, Size);
    const std::vector<uint8_t> Saved = WriteStoredData(Image.View());
    if (ReadStoredData(Saved.data(), Saved.size()).Pixels != Image.Pixels) std::abort();
  } catch (const EBmpFormatError&) {
  }
  return 0;
}
