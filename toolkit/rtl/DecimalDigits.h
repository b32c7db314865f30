#pragma once
// A double as decimal digits, shared by the number and date formatters.
#include <string>

namespace detail {

// value = (negative ? -1 : 1) * 0.d1d2d3... * 10^exponent; digits has no leading or trailing zeros and
// is empty for zero.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
  bool IsZero() const { return digits.empty(); }
};

// The shortest decimal form of the value (the one that reads back as the same double), rounded half
// away from zero to 'significant' digits.
DecimalDigits ToDecimalDigits(double value, int significant = 15);
// Keeps 'count' leading digits (0 or fewer leaves zero or a carried 1), rounding half away from zero.
void RoundToDigits(DecimalDigits& d, int count);
// Rounds to 'decimals' digits after the decimal point.
inline void RoundToDecimals(DecimalDigits& d, int decimals) { RoundToDigits(d, d.exponent + decimals); }

}  // namespace detail
