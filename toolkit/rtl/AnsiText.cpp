#include "toolkit/rtl/AnsiText.h"

#include <array>
#include <cstdint>

namespace {

struct Tables {
  std::array<uint8_t, 256> upper{};
  std::array<uint8_t, 256> lower{};
  std::array<uint8_t, 256> base{};  // upper-case letter without its accent
  std::array<uint8_t, 256> upperMark{};  // 1 for an upper-case letter that has a lower-case form
};

Tables MakeTables() {
  Tables t;
  for (int c = 0; c < 256; ++c) t.upper[c] = t.lower[c] = t.base[c] = uint8_t(c);
  auto pair = [&t](int up, int lo) {
    t.upper[lo] = uint8_t(up);
    t.lower[up] = uint8_t(lo);
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  pair(0x8A, 0x9A);  // S caron
  pair(0x8C, 0x9C);  // OE
  pair(0x8E, 0x9E);  // Z caron
  pair(0x9F, 0xFF);  // Y diaeresis
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) pair(c, c + 32);  // 0xD7 and 0xF7 are the multiplication and division signs

  // Base letters of the accented upper-case letters, in code order from 0xC0.
  static const char kBase[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYT";  // 0xC0..0xDE ('*' = 0xD7)
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7 && c != 0xDE && c != 0xC6) t.base[c] = uint8_t(kBase[c - 0xC0]);
  t.base[0x8A] = 'S';
  t.base[0x8E] = 'Z';
  t.base[0x9F] = 'Y';
  for (int c = 0; c < 256; ++c) t.base[c] = t.base[t.upper[c]];
  for (int c = 0; c < 256; ++c) t.upperMark[c] = t.lower[c] != c;
  return t;
}

const Tables& Tab() {
  static const Tables t = MakeTables();
  return t;
}

int CompareBy(std::string_view a, std::string_view b, const std::array<uint8_t, 256>& map) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const int x = map[uint8_t(a[i])], y = map[uint8_t(b[i])];
    if (x != y) return x - y;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

char AnsiUpperChar(char c) { return char(Tab().upper[uint8_t(c)]); }
char AnsiLowerChar(char c) { return char(Tab().lower[uint8_t(c)]); }

std::string AnsiUpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AnsiUpperChar(c);
  return r;
}

std::string AnsiLowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AnsiLowerChar(c);
  return r;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareBy(a, b, Tab().upper) == 0;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  if (int r = CompareBy(a, b, Tab().base)) return r;
  return CompareBy(a, b, Tab().upper);
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
  if (int r = AnsiCompareText(a, b)) return r;
  return CompareBy(a, b, Tab().upperMark);
}
