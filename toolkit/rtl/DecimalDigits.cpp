#include "toolkit/rtl/DecimalDigits.h"

#include <charconv>
#include <cmath>

namespace detail {

void RoundToDigits(DecimalDigits& d, int count) {
  if (count >= int(d.digits.size())) return;
  if (count < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[size_t(count)] >= '5';
  d.digits.resize(size_t(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.digits[size_t(i)] == '9') d.digits[size_t(i--)] = '0';
    if (i >= 0) {
      ++d.digits[size_t(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
}

DecimalDigits ToDecimalDigits(double value, int significant) {
  DecimalDigits d;
  d.negative = std::signbit(value);
  if (value == 0 || !std::isfinite(value)) return d;
  // The shortest decimal that reads back as the same double: the number the value stands for.
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  const std::string_view text(buf, size_t(res.ptr - buf));
  const size_t e = text.find('e');
  d.digits = text[0];
  if (e > 2) d.digits.append(text.substr(2, e - 2));
  std::string_view exp = text.substr(e + 1);
  if (exp[0] == '+') exp.remove_prefix(1);
  std::from_chars(exp.data(), exp.data() + exp.size(), d.exponent);
  ++d.exponent;
  RoundToDigits(d, significant);
  return d;
}

}  // namespace detail
