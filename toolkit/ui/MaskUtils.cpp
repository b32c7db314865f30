#include "toolkit/ui/MaskUtils.h"

#include "toolkit/rtl/AnsiText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Letters of Windows-1252: those with a case, and the sharp s.
bool IsLetter(char c) { return AnsiUpperChar(c) != AnsiLowerChar(c) || c == '\xDF'; }

}  // namespace

TEditMask::TEditMask(std::string_view EditMask) {
  TCase letterCase = caseNone;
  size_t i = 0;
  for (; i < EditMask.size() && EditMask[i] != ';'; ++i) {
    const char c = EditMask[i];
    TPlace place{kLiteral, false, letterCase, c};
    switch (c) {
      case '!': fromRight_ = true; continue;
      case '>': letterCase = caseUpper; continue;
      case '<':
        if (i + 1 < EditMask.size() && EditMask[i + 1] == '>') {
          ++i;
          letterCase = caseNone;
        } else {
          letterCase = caseLower;
        }
        continue;
      case '\\':
        if (++i == EditMask.size()) continue;
        place.Literal = EditMask[i];
        break;
      case '_': place.Literal = ' '; break;
      case '0': case '9': place.Kind = kDigit; place.Required = c == '0'; break;
      case '#': place.Kind = kDigitSign; break;
      case 'L': case 'l': place.Kind = kLetter; place.Required = c == 'L'; break;
      case 'A': case 'a': place.Kind = kAlphaNum; place.Required = c == 'A'; break;
      case 'C': case 'c': place.Kind = kAny; place.Required = c == 'C'; break;
    }
    chars_.push_back(place);
  }
  // The fields after the picture: save literals ("0" or "1"), then the blank character.
  if (i < EditMask.size()) {
    ++i;
    if (i < EditMask.size() && EditMask[i] != ';') saveLiterals_ = EditMask[i] != '0';
    const size_t blank = EditMask.find(';', i);
    if (blank != std::string_view::npos && blank + 1 < EditMask.size()) blank_ = EditMask[blank + 1];
  }
}

bool TEditMask::IsLiteral(int Pos) const {
  return Pos >= 0 && Pos < Length() && chars_[static_cast<size_t>(Pos)].Kind == kLiteral;
}

bool TEditMask::IsRequired(int Pos) const {
  return Pos >= 0 && Pos < Length() && chars_[static_cast<size_t>(Pos)].Required;
}

char TEditMask::Accept(int Pos, char Ch) const {
  if (Pos < 0 || Pos >= Length()) return 0;
  const TPlace& p = chars_[static_cast<size_t>(Pos)];
  if (p.Kind == kLiteral) return 0;
  if ((Ch == ' ' || Ch == blank_) && !p.Required) return blank_;
  bool fits = false;
  switch (p.Kind) {
    case kDigit: fits = IsDigit(Ch); break;
    case kDigitSign: fits = IsDigit(Ch) || Ch == '+' || Ch == '-'; break;
    case kLetter: fits = IsLetter(Ch); break;
    case kAlphaNum: fits = IsLetter(Ch) || IsDigit(Ch); break;
    case kAny: fits = static_cast<unsigned char>(Ch) >= 32 && Ch != blank_; break;
    case kLiteral: break;
  }
  if (!fits) return 0;
  if (p.Case == caseUpper) return AnsiUpperChar(Ch);
  if (p.Case == caseLower) return AnsiLowerChar(Ch);
  return Ch;
}

int TEditMask::NextInput(int Pos) const {
  if (Pos < 0) Pos = 0;
  while (Pos < Length() && IsLiteral(Pos)) ++Pos;
  return Pos;
}

int TEditMask::PrevInput(int Pos) const {
  if (Pos > Length()) Pos = Length();
  for (--Pos; Pos >= 0 && IsLiteral(Pos); --Pos) {
  }
  return Pos;
}

std::string TEditMask::BlankText() const {
  std::string s;
  for (const TPlace& p : chars_) s += p.Kind == kLiteral ? p.Literal : blank_;
  return s;
}

std::string TEditMask::FormatEditText(std::string_view Value) const {
  std::string s = BlankText();
  for (int i = 0; i < Length() && i < static_cast<int>(Value.size()); ++i) {
    if (IsLiteral(i)) continue;
    if (const char c = Accept(i, Value[static_cast<size_t>(i)])) s[static_cast<size_t>(i)] = c;
  }
  return s;
}

std::string TEditMask::FromText(std::string_view Text) const {
  if (saveLiterals_) return FormatEditText(Text);
  // Without literals the characters fill the input places in order, from the right with "!".
  std::string s = BlankText();
  std::vector<int> places;
  for (int i = 0; i < Length(); ++i) {
    if (!IsLiteral(i)) places.push_back(i);
  }
  const size_t n = std::min(places.size(), Text.size());
  for (size_t k = 0; k < n; ++k) {
    const size_t src = fromRight_ ? Text.size() - n + k : k;
    const int pos = places[fromRight_ ? places.size() - n + k : k];
    if (const char c = Accept(pos, Text[src])) s[static_cast<size_t>(pos)] = c;
  }
  return s;
}

std::string TEditMask::ToText(std::string_view EditText) const {
  std::string s;
  for (int i = 0; i < Length(); ++i) {
    const char c = i < static_cast<int>(EditText.size()) ? EditText[static_cast<size_t>(i)] : blank_;
    if (IsLiteral(i)) {
      if (saveLiterals_) s += chars_[static_cast<size_t>(i)].Literal;
    } else {
      s += c == blank_ ? ' ' : c;
    }
  }
  if (saveLiterals_) return s;
  // Unfilled places at the end (at the start with "!") are not stored.
  if (fromRight_) return s.substr(std::min(s.size(), s.find_first_not_of(' ')));
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

int TEditMask::FirstInvalid(std::string_view EditText) const {
  for (int i = 0; i < Length(); ++i) {
    if (IsLiteral(i)) continue;
    const char c = i < static_cast<int>(EditText.size()) ? EditText[static_cast<size_t>(i)] : blank_;
    const bool blank = c == blank_ || c == ' ';
    if (blank ? IsRequired(i) : Accept(i, c) == 0) return i;
  }
  return -1;
}

std::string FormatMaskText(std::string_view EditMask, std::string_view Value) {
  const TEditMask mask(EditMask);
  std::string edit = mask.FromText(Value);
  for (int i = 0; i < mask.Length(); ++i) {
    if (!mask.IsLiteral(i) && edit[static_cast<size_t>(i)] == mask.BlankChar()) edit[static_cast<size_t>(i)] = ' ';
  }
  return edit;
}
