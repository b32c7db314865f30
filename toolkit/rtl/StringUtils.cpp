#include "toolkit/rtl/StringUtils.h"

#include "toolkit/rtl/AnsiText.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

size_t Clip(int n, size_t limit) { return n <= 0 ? 0 : std::min(size_t(n), limit); }

}  // namespace

std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(), AsciiUpper);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(), AsciiLower);
  return r;
}

int CompareStr(std::string_view a, std::string_view b) {
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = static_cast<unsigned char>(AsciiUpper(a[i])), y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags) {
  if (oldPattern.empty()) return std::string(s);
  const bool ignoreCase = flags & rfIgnoreCase;
  const std::string hay = ignoreCase ? AnsiUpperCase(s) : std::string(s);
  const std::string needle = ignoreCase ? AnsiUpperCase(oldPattern) : std::string(oldPattern);
  std::string r;
  size_t from = 0;
  for (;;) {
    const size_t at = hay.find(needle, from);
    if (at == std::string::npos) break;
    r.append(s.substr(from, at - from)).append(newPattern);
    from = at + needle.size();
    if (!(flags & rfReplaceAll)) break;
  }
  r.append(s.substr(from));
  return r;
}

std::string AnsiQuotedStr(std::string_view s, char quote) {
  std::string r(1, quote);
  for (char c : s) {
    r += c;
    if (c == quote) r += c;
  }
  r += quote;
  return r;
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiDequotedStr(std::string_view s, char quote) {
  if (s.empty() || s[0] != quote) return std::string(s);
  std::string r;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r += quote;
        ++i;
      } else {
        return r;  // closing quote: whatever follows is dropped
      }
    } else {
      r += s[i];
    }
  }
  return r;
}

std::string Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  const size_t from = size_t(index - 1);
  if (from >= s.size() || count <= 0) return {};
  return std::string(s.substr(from, Clip(count, s.size() - from)));
}

int PosEx(std::string_view sub, std::string_view s, int offset) {
  if (sub.empty() || offset < 1) return 0;
  const size_t at = s.find(sub, size_t(offset - 1));
  return at == std::string_view::npos ? 0 : int(at + 1);
}

int Pos(std::string_view sub, std::string_view s) { return PosEx(sub, s, 1); }

void Delete(std::string& s, int index, int count) {
  if (index < 1 || size_t(index) > s.size() || count <= 0) return;
  s.erase(size_t(index - 1), Clip(count, s.size()));
}

void Insert(std::string_view src, std::string& s, int index) {
  const size_t at = index < 1 ? 0 : std::min(size_t(index - 1), s.size());
  s.insert(at, src);
}

std::string StringOfChar(char c, int count) { return std::string(Clip(count, SIZE_MAX), c); }

std::string LeftStr(std::string_view s, int count) { return std::string(s.substr(0, Clip(count, s.size()))); }

std::string RightStr(std::string_view s, int count) {
  const size_t n = Clip(count, s.size());
  return std::string(s.substr(s.size() - n));
}
