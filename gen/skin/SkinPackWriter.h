#pragma once
// The packed-skin writer, the mirror of the engine's reader: the signature, the entry count, then each
// entry's name, inflated size and zlib data (level 9).
#include <string>
#include <vector>

#include "gen/skin/PngWriter.h"

// Little-endian 32-bit value appended to b.
void PutInt(Bytes& b, int32_t v);
struct PackedEntry {
  std::string Name, Data;
};
Bytes PackSkin(const std::vector<PackedEntry>& entries, const char* signature = "ASzf");
