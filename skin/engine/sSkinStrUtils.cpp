#include "skin/engine/sSkinStrUtils.h"

#include <cstdint>

TCharSet CharSetOf(std::string_view Chars) {
  TCharSet Set;
  for (char c : Chars) Set.set(static_cast<unsigned char>(c));
  return Set;
}

bool CharInSet(char Ch, const TCharSet& Set) { return Set.test(static_cast<unsigned char>(Ch)); }

namespace {

// Start index (0-based) of word N, or npos.
size_t WordStart(int N, std::string_view Text, const TCharSet& Delims) {
  int Count = 0;
  size_t i = 0;
  while (i < Text.size()) {
    while (i < Text.size() && CharInSet(Text[i], Delims)) ++i;
    if (i == Text.size()) break;
    if (++Count == N) return i;
    while (i < Text.size() && !CharInSet(Text[i], Delims)) ++i;
  }
  return std::string_view::npos;
}

}  // namespace

int WordCountOf(std::string_view Text, const TCharSet& Delims) {
  int Count = 0;
  bool InWord = false;
  for (char c : Text) {
    const bool Delim = CharInSet(c, Delims);
    if (!Delim && !InWord) ++Count;
    InWord = !Delim;
  }
  return Count;
}

int WordStartPos(int N, std::string_view Text, const TCharSet& Delims) {
  const size_t Start = WordStart(N, Text, Delims);
  return Start == std::string_view::npos ? 0 : int(Start) + 1;
}

std::string NthWord(int N, std::string_view Text, const TCharSet& Delims) {
  size_t i = WordStart(N, Text, Delims);
  if (i == std::string_view::npos) return {};
  size_t End = i;
  while (End < Text.size() && !CharInSet(Text[End], Delims)) ++End;
  return std::string(Text.substr(i, End - i));
}

std::string DeleteChars(std::string_view Text, char Ch) {
  std::string Result;
  for (char c : Text) {
    if (c != Ch) Result += c;
  }
  return Result;
}

std::string ReplaceAll(std::string_view Text, std::string_view Old, std::string_view New) {
  if (Old.empty()) return std::string(Text);
  std::string Result;
  size_t From = 0;
  for (size_t At; (At = Text.find(Old, From)) != std::string_view::npos; From = At + Old.size()) {
    Result.append(Text.substr(From, At - From)).append(New);
  }
  return Result.append(Text.substr(From));
}

std::string IncludeTrailingSlash(std::string_view Path) {
  std::string Result(Path);
  if (Result.empty() || Result.back() == '\\') return Result;
  if (Result.back() == '/') {
    Result.back() = '\\';
    return Result;
  }
  return Result + (Result.size() == 1 ? ":\\" : "\\");
}

TColor HexToColor(std::string_view Text) {
  if (!Text.empty() && (Text.back() == 'H' || Text.back() == 'h')) Text.remove_suffix(1);
  uint64_t Value = 0;
  for (char c : Text) {
    int Digit;
    if (c >= '0' && c <= '9') Digit = c - '0';
    else if (c >= 'A' && c <= 'F') Digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') Digit = c - 'a' + 10;
    else return 0;
    Value = (Value << 4) + uint64_t(Digit);
  }
  return TColor(uint32_t(Value));
}
