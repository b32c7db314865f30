#include "toolkit/rtl/NumberText.h"

#include "toolkit/rtl/DecimalDigits.h"
#include "toolkit/rtl/Exceptions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

using detail::DecimalDigits;

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

[[noreturn]] void InvalidInteger(std::string_view s) {
  throw EConvertError("'" + std::string(s) + "' n\xE3o \xE9 um valor inteiro v\xE1lido");
}

[[noreturn]] void InvalidFloat(std::string_view s) {
  throw EConvertError("'" + std::string(s) + "' n\xE3o \xE9 um valor num\xE9rico v\xE1lido");
}

bool ParseInt64(std::string_view text, int64_t& value) {
  std::string_view s = TrimView(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty() || s[0] == '-' || s[0] == '+') return false;
  uint64_t magnitude = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
  const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
  if (magnitude > limit) return false;
  value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
  return true;
}

// ---- writing digits

std::string SpecialText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// Integer part of d (no grouping) and its decimal digits, 'maxDecimals' wide at most.
void SplitDigits(const DecimalDigits& d, std::string& intPart, std::string& decPart) {
  intPart.clear();
  decPart.clear();
  if (d.IsZero()) return;
  if (d.exponent > 0) {
    const size_t n = size_t(d.exponent);
    intPart = d.digits.substr(0, n);
    if (intPart.size() < n) intPart.append(n - intPart.size(), '0');
    if (d.digits.size() > n) decPart = d.digits.substr(n);
  } else {
    decPart.assign(size_t(-d.exponent), '0');
    decPart += d.digits;
  }
}

std::string Group(const std::string& intPart, char separator) {
  std::string r;
  for (size_t i = 0; i < intPart.size(); ++i) {
    r += intPart[i];
    const size_t left = intPart.size() - 1 - i;
    if (left > 0 && left % 3 == 0) r += separator;
  }
  return r;
}

std::string ExponentText(int exponent, bool alwaysSign, int minDigits) {
  std::string r;
  if (exponent < 0) r += '-';
  else if (alwaysSign) r += '+';
  std::string digits = IntToStr(exponent < 0 ? -exponent : exponent);
  if (int(digits.size()) < minDigits) digits.insert(0, size_t(minDigits) - digits.size(), '0');
  return r + digits;
}

// d.ddd with trailing zeros removed (precision digits at most), then E and the exponent.
std::string ExponentForm(const DecimalDigits& d, int minDecimals, bool alwaysSign, int expDigits,
                         const TFormatSettings& fs) {
  std::string mantissa = d.IsZero() ? "0" : d.digits;
  if (int(mantissa.size()) < 1 + minDecimals) mantissa.append(size_t(1 + minDecimals) - mantissa.size(), '0');
  std::string r(d.negative && !d.IsZero() ? "-" : "");
  r += mantissa[0];
  if (mantissa.size() > 1) r.append(1, fs.DecimalSeparator).append(mantissa.substr(1));
  return r + "E" + ExponentText(d.IsZero() ? 0 : d.exponent - 1, alwaysSign, expDigits);
}

std::string FixedForm(DecimalDigits d, int decimals, bool grouped, const TFormatSettings& fs) {
  detail::RoundToDecimals(d, decimals);
  std::string intPart, decPart;
  SplitDigits(d, intPart, decPart);
  if (intPart.empty()) intPart = "0";
  decPart.resize(size_t(decimals), '0');
  std::string r(d.negative && !d.IsZero() ? "-" : "");
  r += grouped ? Group(intPart, fs.ThousandSeparator) : intPart;
  if (decimals > 0) r.append(1, fs.DecimalSeparator).append(decPart);
  return r;
}

// ---- picture formats

struct Token {
  enum Kind { Literal, Zero, Hash, Point, Exponent } kind;
  std::string text;  // literal text, or the exponent's "E+"/"E-" letter and sign
  int expDigits = 0;
};

struct Section {
  std::vector<Token> tokens;
  int intPlaceholders = 0;
  int minInt = 0;  // placeholders from the first '0' up to the decimal point
  int maxDec = 0;
  int minDec = 0;  // decimal placeholders up to the last '0'
  bool grouped = false;
  bool scientific = false;
  bool hasPoint = false;
};

std::vector<std::string_view> SplitSections(std::string_view picture) {
  std::vector<std::string_view> sections;
  char quote = 0;
  size_t start = 0;
  for (size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';' && sections.size() < 2) {
      sections.push_back(picture.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(picture.substr(start));
  return sections;
}

Section ParseSection(std::string_view s) {
  Section sec;
  int firstZero = -1, decCount = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\'' || c == '"') {
      const size_t end = s.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? s.size() : end;
      sec.tokens.push_back({Token::Literal, std::string(s.substr(i + 1, stop - i - 1))});
      i = stop;
    } else if ((c == '0' || c == '#') && !sec.scientific) {
      sec.tokens.push_back({c == '0' ? Token::Zero : Token::Hash, {}});
      if (sec.hasPoint) {
        ++decCount;
        if (c == '0') sec.minDec = decCount;
      } else {
        if (c == '0' && firstZero < 0) firstZero = sec.intPlaceholders;
        ++sec.intPlaceholders;
      }
    } else if (c == '.' && !sec.hasPoint && !sec.scientific) {
      sec.hasPoint = true;
      sec.tokens.push_back({Token::Point, {}});
    } else if (c == ',' && !sec.scientific) {
      if (!sec.hasPoint) sec.grouped = true;
    } else if ((c == 'E' || c == 'e') && !sec.scientific && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      Token t{Token::Exponent, std::string(s.substr(i, 2))};
      i += 2;
      while (i < s.size() && s[i] == '0' && t.expDigits < 4) {
        ++t.expDigits;
        ++i;
      }
      --i;
      sec.scientific = true;
      sec.tokens.push_back(t);
    } else {
      sec.tokens.push_back({Token::Literal, std::string(1, c)});
    }
  }
  sec.maxDec = decCount;
  sec.minInt = firstZero < 0 ? 0 : sec.intPlaceholders - firstZero;
  return sec;
}

// The section's digits of d (already rounded for it) laid over its placeholders.
std::string Render(const Section& sec, const DecimalDigits& d, int exponent, const TFormatSettings& fs) {
  std::string intPart, decPart;
  if (sec.scientific) {
    const size_t nInt = size_t(sec.minInt > 0 ? sec.minInt : 1);
    intPart = d.digits.substr(0, nInt);
    if (intPart.size() < nInt) intPart.append(nInt - intPart.size(), '0');
    if (d.digits.size() > nInt) decPart = d.digits.substr(nInt);
  } else {
    SplitDigits(d, intPart, decPart);
    if (int(intPart.size()) < sec.minInt) intPart.insert(0, size_t(sec.minInt) - intPart.size(), '0');
  }
  if (int(decPart.size()) < sec.minDec) decPart.append(size_t(sec.minDec) - decPart.size(), '0');

  std::string r;
  const int len = int(intPart.size());
  auto emitInt = [&](int from, int to) {  // digits intPart[from, to)
    for (int i = from; i < to; ++i) {
      r += intPart[size_t(i)];
      const int position = len - 1 - i;
      if (sec.grouped && position > 0 && position % 3 == 0) r += fs.ThousandSeparator;
    }
  };
  int intSeen = 0, decSeen = 0;
  bool intDone = sec.intPlaceholders + sec.maxDec == 0;  // only literals: no digits at all
  auto flushInt = [&] {
    if (!intDone) emitInt(0, len);
    intDone = true;
  };
  for (const Token& t : sec.tokens) {
    switch (t.kind) {
      case Token::Literal:
        r += t.text;
        break;
      case Token::Zero:
      case Token::Hash:
        if (!sec.hasPoint || decSeen == 0) {
          if (intSeen < sec.intPlaceholders && !intDone) {
            const int position = sec.intPlaceholders - 1 - intSeen;
            if (intSeen == 0) emitInt(0, len - position > 0 ? len - position : 0);
            else if (position < len) emitInt(len - 1 - position, len - position);
            ++intSeen;
            if (intSeen == sec.intPlaceholders) intDone = true;
            break;
          }
        }
        if (decSeen < int(decPart.size())) r += decPart[size_t(decSeen)];
        ++decSeen;
        break;
      case Token::Point:
        flushInt();
        if (!decPart.empty()) r += fs.DecimalSeparator;
        break;
      case Token::Exponent:
        flushInt();
        r += t.text[0];
        r += ExponentText(exponent, t.text[1] == '+', t.expDigits);
        break;
    }
  }
  flushInt();
  return r;
}

// Rounds d as the section asks; returns the exponent shown by a scientific section.
int RoundFor(const Section& sec, DecimalDigits& d) {
  if (!sec.scientific) {
    detail::RoundToDecimals(d, sec.maxDec);
    return 0;
  }
  const int nInt = sec.minInt > 0 ? sec.minInt : 1;
  detail::RoundToDigits(d, nInt + sec.maxDec);
  return d.IsZero() ? 0 : d.exponent - nInt;
}

}  // namespace

std::string IntToStr(int64_t value) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string IntToHex(uint64_t value, int digits) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
  std::string r(buf, res.ptr);
  for (char& c : r)
    if (c >= 'a') c = char(c - 32);
  if (int(r.size()) < digits) r.insert(0, size_t(digits) - r.size(), '0');
  return r;
}

bool TryStrToInt64(std::string_view s, int64_t& value) { return ParseInt64(s, value); }

bool TryStrToInt(std::string_view s, int& value) {
  int64_t v;
  if (!ParseInt64(s, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  value = int(v);
  return true;
}

int StrToInt(std::string_view s) {
  int v;
  if (!TryStrToInt(s, v)) InvalidInteger(s);
  return v;
}

int64_t StrToInt64(std::string_view s) {
  int64_t v;
  if (!ParseInt64(s, v)) InvalidInteger(s);
  return v;
}

int StrToIntDef(std::string_view s, int defaultValue) {
  int v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

int64_t StrToInt64Def(std::string_view s, int64_t defaultValue) {
  int64_t v;
  return ParseInt64(s, v) ? v : defaultValue;
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialText(value);
  precision = precision < 1 ? 1 : (precision > 15 ? 15 : precision);
  digits = digits < 0 ? 0 : digits;
  const DecimalDigits d = detail::ToDecimalDigits(value, precision);
  switch (format) {
    case ffExponent:
      return ExponentForm(d, precision - 1, true, digits > 4 ? 4 : digits, fs);
    case ffFixed:
    case ffNumber:
      if (d.exponent > precision) return ExponentForm(d, 0, false, 0, fs);
      return FixedForm(detail::ToDecimalDigits(value, 15), digits > 18 ? 18 : digits, format == ffNumber, fs);
    case ffGeneral:
    default:
      if (!d.IsZero() && (d.exponent > precision || d.exponent < -3))
        return ExponentForm(d, 0, false, digits > 4 ? 4 : digits, fs);
      return FixedForm(d, d.IsZero() ? 0 : std::max(0, int(d.digits.size()) - d.exponent), false, fs);
  }
}

std::string FloatToStr(double value, const TFormatSettings& fs) { return FloatToStrF(value, ffGeneral, 15, 0, fs); }

std::string FormatFloat(std::string_view picture, double value, const TFormatSettings& fs) {
  if (!std::isfinite(value)) return SpecialText(value);
  const std::vector<std::string_view> parts = SplitSections(picture);
  if (picture.empty()) return FloatToStr(value, fs);
  const DecimalDigits exact = detail::ToDecimalDigits(value);
  const bool useNegative = exact.negative && !exact.IsZero() && parts.size() > 1 && !parts[1].empty();
  Section sec = ParseSection(useNegative ? parts[1] : parts[0]);
  DecimalDigits d = exact;
  int exponent = RoundFor(sec, d);
  if (d.IsZero() && parts.size() > 2 && !parts[2].empty()) {
    sec = ParseSection(parts[2]);
    d = DecimalDigits{};
    exponent = RoundFor(sec, d);
  }
  std::string text = Render(sec, d, exponent, fs);
  if (d.negative && !d.IsZero() && !useNegative) text.insert(0, 1, '-');
  return text;
}

bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& fs) {
  std::string_view s = TrimView(text);
  std::string ascii;
  size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    if (s[i] == '-') ascii += '-';
    ++i;
  }
  int intDigits = 0, allDigits = 0, fractionZeros = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++allDigits) {
    if (intDigits == 0 && s[i] == '0') continue;
    ascii += s[i];
    ++intDigits;
  }
  if (intDigits == 0) ascii += '0';
  if (i < s.size() && s[i] == fs.DecimalSeparator) {
    std::string fraction;
    for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++allDigits) fraction += s[i];
    if (!fraction.empty()) ascii += '.' + fraction;
    while (fractionZeros < int(fraction.size()) && fraction[size_t(fractionZeros)] == '0') ++fractionZeros;
  }
  if (allDigits == 0) return false;
  int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i == s.size()) return false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
    if (negative) exponent = -exponent;
  }
  if (i != s.size()) return false;
  ascii += 'e' + IntToStr(exponent);
  double v = 0;
  const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    const int64_t magnitude = (intDigits > 0 ? intDigits : -fractionZeros) + exponent;
    if (magnitude > 0) return false;  // too large for a double
    v = ascii[0] == '-' ? -0.0 : 0.0;          // too small: zero
  } else if (res.ec != std::errc()) {
    return false;
  }
  value = v;
  return true;
}

double StrToFloat(std::string_view s, const TFormatSettings& fs) {
  double v;
  if (!TryStrToFloat(s, v, fs)) InvalidFloat(s);
  return v;
}

double StrToFloatDef(std::string_view s, double defaultValue, const TFormatSettings& fs) {
  double v;
  return TryStrToFloat(s, v, fs) ? v : defaultValue;
}
