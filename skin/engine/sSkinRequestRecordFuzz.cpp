// Any bytes as a skin-change request: the parser reads only what arrived.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/sSkinRequestRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // A copy of exactly Size bytes, so that any read past them is caught.
  const std::vector<uint8_t> Copy(Data, Data + Size);
  const auto R = ParseSkinRequest({SkinRequestWParam, Copy.data(), Copy.size(), true, true});
  if (R && (R->SkinName.size() > SkinRequestNameSize || R->SkinDirectory.size() > SkinRequestDirSize ||
            R->OptionsText.size() > SkinRequestTextSize))
    __builtin_trap();
  return 0;
}
