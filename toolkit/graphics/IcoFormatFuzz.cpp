// Any bytes: the icon directory reader accepts or refuses them without fault, every entry it
// accepts lies inside the data, and the chosen entry is one of them.
#include "toolkit/graphics/IcoFormat.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<detail::IconEntry> entries;
  if (!detail::ReadIconDirectory(data, size, entries)) return 0;
  for (const detail::IconEntry& e : entries)
    if (e.Offset + e.Size > size) std::abort();
  if (detail::BestIconEntry(entries, 32, 32) >= entries.size()) std::abort();
  if (detail::BestIconEntry(entries, 16, 16) >= entries.size()) std::abort();
  return 0;
}
