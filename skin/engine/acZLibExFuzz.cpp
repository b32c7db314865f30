// The decompression stream on any bytes, read in pieces whose sizes come from the input: it inflates,
// stops, or raises EZDecompressionError; the source never moves outside its data.
#include "skin/engine/acZLibEx.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const unsigned piece = 1 + data[0] * 37u;
  TMemoryStream source;
  source.WriteBuffer(data + 1, int64_t(size - 1));
  source.SetPosition(0);
  std::vector<uint8_t> out(piece);
  try {
    TZDecompressionStream z(&source);
    int64_t total = 0;
    for (int64_t n; (n = z.Read(out.data(), piece)) > 0;) {
      total += n;
      if (total > int64_t(size) * 1100 + 64) std::abort();  // beyond deflate's largest ratio
    }
    if (source.Position() > source.Size()) std::abort();
    if (z.Seek(0, soEnd) != total) std::abort();
    if (z.Seek(0, soBeginning) != 0) std::abort();
  } catch (const EZDecompressionError&) {
  }
  return 0;
}
