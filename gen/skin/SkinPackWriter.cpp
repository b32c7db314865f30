#include "gen/skin/SkinPackWriter.h"

void PutInt(Bytes& b, int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

Bytes PackSkin(const std::vector<PackedEntry>& entries, const char* signature) {
  Bytes b(signature, signature + 4);
  PutInt(b, int32_t(entries.size()));
  for (const PackedEntry& e : entries) {
    PutInt(b, int32_t(e.Name.size()));
    b.insert(b.end(), e.Name.begin(), e.Name.end());
    PutInt(b, int32_t(e.Data.size()));
    const Bytes z = Deflate(Bytes(e.Data.begin(), e.Data.end()), 9);
    b.insert(b.end(), z.begin(), z.end());
  }
  return b;
}
