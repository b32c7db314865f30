#include "skin/engine/acGammaTables.h"

#include <cmath>
#include <deque>
#include <mutex>
#include <tuple>

namespace {

struct TKeptTable {
  double Exponent;
  unsigned SourceRange, TargetRange;
  TGammaTable Table;
};

// A file may name any gamma, so only the latest tables are kept, up to this many entries in all (a
// table of 16-bit samples takes 64 Ki); one still in use lives on in its colour managers.
constexpr size_t kKeptEntries = size_t(1) << 20;

}  // namespace

TGammaTable SharedGammaTable(double exponent, unsigned sourceRange, unsigned targetRange) {
  static std::mutex guard;
  static std::deque<TKeptTable> kept;
  static size_t entries = 0;  // of the kept tables together
  const std::lock_guard lock(guard);
  for (const TKeptTable& t : kept)
    if (std::tie(t.Exponent, t.SourceRange, t.TargetRange) == std::tie(exponent, sourceRange, targetRange))
      return t.Table;
  auto table = std::make_shared<std::vector<uint8_t>>(sourceRange + 1);
  for (unsigned i = 0; i <= sourceRange; ++i)
    (*table)[i] = static_cast<uint8_t>(std::nearbyint(std::pow(double(i) / sourceRange, exponent) * targetRange));
  while (!kept.empty() && entries + table->size() > kKeptEntries) {
    entries -= kept.front().Table->size();
    kept.pop_front();
  }
  entries += table->size();
  kept.push_back({exponent, sourceRange, targetRange, table});
  return table;
}
