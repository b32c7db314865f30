#pragma once
// Words of delimited texts, small string routines and colours written in hexadecimal.
// Pure: no windows.h.
#include <bitset>
#include <string>
#include <string_view>

#include "toolkit/graphics/Colors.h"

// A set of byte characters: bit c is set when character c belongs.
using TCharSet = std::bitset<256>;
TCharSet CharSetOf(std::string_view Chars);
bool CharInSet(char Ch, const TCharSet& Set);

// A word is a longest run of characters outside Delims; runs of delimiters separate as one and
// leading ones are skipped. Words are numbered from 1.
int WordCountOf(std::string_view Text, const TCharSet& Delims);
// 1-based position of the first character of word N; 0 when there are fewer than N words.
int WordStartPos(int N, std::string_view Text, const TCharSet& Delims);
// Word N, empty when there are fewer than N words.
std::string NthWord(int N, std::string_view Text, const TCharSet& Delims);

std::string DeleteChars(std::string_view Text, char Ch);
// Every occurrence of Old replaced, left to right; replaced text is not scanned again. An empty Old
// changes nothing.
std::string ReplaceAll(std::string_view Text, std::string_view Old, std::string_view New);
// Path with a final "\": a final "/" becomes "\", a lone drive letter gets ":\". Empty stays empty.
std::string IncludeTrailingSlash(std::string_view Path);

// The value of hexadecimal digits ("FF00FF", "ffh": one final H is allowed), kept to 32 bits; any
// other character, or no digit at all, gives 0.
TColor HexToColor(std::string_view Text);
