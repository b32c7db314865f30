#pragma once
// Edit masks: the text a masked edit shows (EditText: literals in place, blank characters where
// nothing was typed) and the text it stores (Text).
//
// A mask is "picture;save-literals;blank", e.g. "!99/99/0000;1;_". Picture characters: 0 digit,
// 9 optional digit, # optional digit or sign, L letter, l optional letter, A letter or digit,
// a optional letter or digit, C any character, c optional any character, > upper case from here,
// < lower case from here, <> no case change, \ the next character is a literal, ! optional
// characters are taken from the right, _ a space; any other character is a literal. The
// save-literals field "0" stores Text without the literals; the blank field gives the character
// shown in empty places ("_" by default).
#include <string>
#include <string_view>
#include <vector>

class TEditMask {
 public:
  explicit TEditMask(std::string_view EditMask);

  bool Empty() const { return chars_.empty(); }
  // Characters of EditText.
  int Length() const { return static_cast<int>(chars_.size()); }
  char BlankChar() const { return blank_; }
  bool SaveLiterals() const { return saveLiterals_; }
  bool IsLiteral(int Pos) const;
  bool IsRequired(int Pos) const;
  // The character to store for Ch typed at Pos (case converted; a space in an optional place
  // is a blank), or 0 when Pos does not take it.
  char Accept(int Pos, char Ch) const;
  // The first input place at or after Pos (Length() when there is none).
  int NextInput(int Pos) const;
  // The last input place before Pos (-1 when there is none).
  int PrevInput(int Pos) const;

  // EditText with every input place blank.
  std::string BlankText() const;
  // EditText of a value given place by place (EditText, or Text with its literals); places that
  // do not take the value's character stay blank.
  std::string FormatEditText(std::string_view Value) const;
  // EditText of a Text value as this mask stores it.
  std::string FromText(std::string_view Text) const;
  // The Text of an EditText: blanks read as spaces, literals kept only when saved.
  std::string ToText(std::string_view EditText) const;
  // The first required place of EditText that is empty or holds what the place refuses; -1
  // when the text is complete.
  int FirstInvalid(std::string_view EditText) const;

 private:
  enum TKind { kLiteral, kDigit, kDigitSign, kLetter, kAlphaNum, kAny };
  enum TCase { caseNone, caseUpper, caseLower };
  struct TPlace {
    TKind Kind;
    bool Required;
    TCase Case;
    char Literal;
  };
  std::vector<TPlace> chars_;
  bool saveLiterals_ = true;
  bool fromRight_ = false;
  char blank_ = '_';
};

// Text formatted by a mask as a masked edit would show it with saved literals (blanks as spaces).
std::string FormatMaskText(std::string_view EditMask, std::string_view Value);
