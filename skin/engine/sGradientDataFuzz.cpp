// Any text as a section's gradient description.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/engine/sGradientData.h"
#include "toolkit/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TsGradArray Steps;
  try {
    ParseGradientData(std::string_view(reinterpret_cast<const char*>(Data), Size), Steps);
  } catch (const EConvertError&) {
  }
  return 0;
}
