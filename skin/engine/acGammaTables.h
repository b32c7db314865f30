#pragma once
// Gamma tables shared by every colour manager of the process: a table is made once for each exponent
// and pair of ranges, however many pictures carry the same gamma. Pure code: no windows.h.
#include <cstdint>
#include <memory>
#include <vector>

// Entry v holds round(targetRange * (v / sourceRange) ^ exponent), for v = 0 .. sourceRange.
using TGammaTable = std::shared_ptr<const std::vector<uint8_t>>;
TGammaTable SharedGammaTable(double exponent, unsigned sourceRange, unsigned targetRange);
