#pragma once
// Ini-style text held in memory (a skin's options text): sections with their raw "key=value"
// lines. The toolkit's TIniFile works on files through the profile functions and does not serve.
// Pure: no windows.h.
#include <string>

#include "toolkit/rtl/Classes.h"

// Clears Sections and fills it from Lines: each "[name]" line adds an item "name" whose object is a
// TStringList of the section's following lines, trimmed, with the blanks around the first "="
// removed. Empty lines, lines starting with ";" and lines before the first section are skipped.
// Sections owns the section lists from then on.
void ParseIniSections(const TStrings& Lines, TStringList& Sections);
// Value of Key in Section (the rest of the first "Key=" line), or Default. Names compare without
// regard to case.
std::string ReadIniString(const TStringList& Sections, const std::string& Section, const std::string& Key,
                          const std::string& Default);
// The value as an integer ("0x1F" is hexadecimal), or Default when it is missing or not a number.
int ReadIniInteger(const TStringList& Sections, const std::string& Section, const std::string& Key, int Default);
