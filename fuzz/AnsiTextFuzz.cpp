// Case mapping and comparison must be total, symmetric and stable on any bytes.
#include "toolkit/rtl/AnsiText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t half = size / 2;
  std::string_view a(reinterpret_cast<const char*>(data), half);
  std::string_view b(reinterpret_cast<const char*>(data) + half, size - half);
  const std::string ua = AnsiUpperCase(a);
  if (AnsiUpperCase(AnsiLowerCase(ua)) != ua) std::abort();
  const int ab = AnsiCompareText(a, b), ba = AnsiCompareText(b, a);
  if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0)) std::abort();
  if (AnsiSameText(a, b) && ab != 0) std::abort();
  if (AnsiCompareText(a, a) != 0) std::abort();
  return 0;
}
