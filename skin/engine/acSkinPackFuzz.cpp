// The packed-skin reader on any bytes: it unpacks, or raises one of the errors it documents.
#include "skin/engine/acSkinPack.h"
#include "skin/engine/acZLibEx.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto convertor = std::make_unique<TacSkinConvertor>();
  auto packed = std::make_unique<TMemoryStream>();
  packed->WriteBuffer(data, int64_t(size));
  convertor->PackedData = std::move(packed);
  try {
    TacSkinConvertor::ExtractPackedData(convertor);
    if (!convertor) std::abort();
    if (convertor->ImageItems.size() + (convertor->Options ? 1 : 0) > size_t(convertor->LastIndex + 1)) std::abort();
  } catch (const EZDecompressionError&) {
  } catch (const EReadError&) {
  } catch (const Exception& e) {
    // Only the format's own refusal, which frees the convertor.
    if (convertor) std::abort();
  }
  return 0;
}
