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

// A file may name any gamma, so only the latest few tables are kept (a table of 16-bit samples takes
// 64 KiB); one still in use lives on in its colour managers.
constexpr size_t kKeptTables = 16;

}  // namespace

TGammaTable SharedGammaTable(double exponent, unsigned sourceRange, unsigned targetRange) {
  static std::mutex guard;
  static std::deque<TKeptTable> kept;
  const std::lock_guard lock(guard);
  for (const TKeptTable& t : kept)
    if (std::tie(t.Exponent, t.SourceRange, t.TargetRange) == std::tie(exponent, sourceRange, targetRange))
      return t.Table;
  auto table = std::make_shared<std::vector<uint8_t>>(sourceRange + 1);
  for (unsigned i = 0; i <= sourceRange; ++i)
    (*table)[i] = static_cast<uint8_t>(std::nearbyint(std::pow(double(i) / sourceRange, exponent) * targetRange));
  if (kept.size() == kKeptTables) kept.pop_front();
  kept.push_back({exponent, sourceRange, targetRange, table});
  return table;
}
