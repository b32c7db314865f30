// Any bytes as a bitmap's stored "Data": refused with EStoredDataError or read; what is read writes
// and reads back to the same pixels.
#include "widgets/Bitmap32_StoredData.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TPixelImage Image = ReadStoredData(Data, Size);
    const std::vector<uint8_t> Saved = WriteStoredData(Image.View());
    if (ReadStoredData(Saved.data(), Saved.size()).Pixels != Image.Pixels) std::abort();
  } catch (const EStoredDataError&) {
  }
  return 0;
}
