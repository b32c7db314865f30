#pragma once
// Text routines of the runtime. Positions are 1-based like the algorithms written against it.
#include <string>
#include <string_view>

// Trim removes blanks and control characters (everything up to ' ') at the ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII-only case mapping and comparison (the Ansi... forms in AnsiText.h know the accents).
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;
// Replaces the first (or with rfReplaceAll every) occurrence of oldPattern; rfIgnoreCase knows the accents.
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);

// 'text' with inner quotes doubled.
std::string QuotedStr(std::string_view s);
std::string AnsiQuotedStr(std::string_view s, char quote);
// Undoes AnsiQuotedStr; text that does not start with the quote comes back unchanged.
std::string AnsiDequotedStr(std::string_view s, char quote);

// Count characters from the 1-based index; out-of-range parts are clipped.
std::string Copy(std::string_view s, int index, int count);
// 1-based position of sub in s, 0 when absent (or sub is empty).
int Pos(std::string_view sub, std::string_view s);
int PosEx(std::string_view sub, std::string_view s, int offset = 1);
// Removes count characters from the 1-based index; inserts src before the 1-based index.
void Delete(std::string& s, int index, int count);
void Insert(std::string_view src, std::string& s, int index);

std::string StringOfChar(char c, int count);
std::string LeftStr(std::string_view s, int count);
std::string RightStr(std::string_view s, int count);
