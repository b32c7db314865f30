#include "toolkit/graphics/IcoFormat.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace detail {
namespace {

std::uint32_t Get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

}  // namespace

bool ReadIconDirectory(const std::uint8_t* Data, std::size_t Size, std::vector<IconEntry>& Entries) {
  if (Size < 6 || Get16(Data) != 0 || Get16(Data + 2) != 1) return false;
  const std::size_t count = Get16(Data + 4);
  if (count == 0 || (Size - 6) / 16 < count) return false;
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = Data + 6 + 16 * i;
    IconEntry entry;
    entry.Width = e[0] ? e[0] : 256;
    entry.Height = e[1] ? e[1] : 256;
    entry.BitCount = static_cast<int>(Get16(e + 6));
    if (!entry.BitCount && e[2]) {
      // Old files give a colour count instead of a bit count.
      while ((1 << entry.BitCount) < e[2]) ++entry.BitCount;
    }
    entry.Size = Get32(e + 8);
    entry.Offset = Get32(e + 12);
    if (entry.Offset > Size || entry.Size > Size - entry.Offset || entry.Size < 12) return false;
    entries.push_back(entry);
  }
  Entries = std::move(entries);
  return true;
}

std::size_t BestIconEntry(const std::vector<IconEntry>& Entries, int Width, int Height) {
  std::size_t best = 0;
  auto score = [&](const IconEntry& e) {
    // Exact size first, then the smallest bigger one, then the biggest smaller one; colours break ties.
    const bool exact = e.Width == Width && e.Height == Height;
    const bool bigger = e.Width >= Width && e.Height >= Height;
    const long distance = std::labs(static_cast<long>(e.Width) - Width) + std::labs(static_cast<long>(e.Height) - Height);
    return std::make_tuple(exact ? 0 : bigger ? 1 : 2, distance, -e.BitCount);
  };
  for (std::size_t i = 1; i < Entries.size(); ++i)
    if (score(Entries[i]) < score(Entries[best])) best = i;
  return best;
}

std::vector<std::uint8_t> WriteIcon(const DibImage& Color, const DibImage& Mask) {
  const std::size_t colorSize = DibStride(Color.Width, 32) * Color.Height;
  const std::size_t maskSize = DibStride(Color.Width, 1) * Color.Height;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(40 + colorSize + maskSize);
  std::vector<std::uint8_t> out;
  Put(out, 0, 2);
  Put(out, 1, 2);
  Put(out, 1, 2);
  out.push_back(Color.Width >= 256 ? 0 : static_cast<std::uint8_t>(Color.Width));
  out.push_back(Color.Height >= 256 ? 0 : static_cast<std::uint8_t>(Color.Height));
  Put(out, 0, 2);
  Put(out, 1, 2);
  Put(out, 32, 2);
  Put(out, imageSize, 4);
  Put(out, 22, 4);
  Put(out, 40, 4);
  Put(out, static_cast<std::uint32_t>(Color.Width), 4);
  Put(out, static_cast<std::uint32_t>(2 * Color.Height), 4);
  Put(out, 1, 2);
  Put(out, 32, 2);
  Put(out, 0, 4);
  Put(out, static_cast<std::uint32_t>(colorSize + maskSize), 4);
  out.insert(out.end(), 16, 0);  // resolution and colour counts
  out.insert(out.end(), Color.Bits.begin(), Color.Bits.begin() + std::min(colorSize, Color.Bits.size()));
  out.resize(22 + 40 + colorSize);
  out.insert(out.end(), Mask.Bits.begin(), Mask.Bits.begin() + std::min(maskSize, Mask.Bits.size()));
  out.resize(22 + static_cast<std::size_t>(imageSize));
  return out;
}

}  // namespace detail
