#pragma once
// Case mapping and comparison of Windows-1252 text, accents included ("ação" -> "AÇÃO").
#include <string>
#include <string_view>

char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// Case-insensitive equality.
bool AnsiSameText(std::string_view a, std::string_view b);

// Case-insensitive order for lists shown to users: accented letters sort with their base
// letter ("Álvaro" before "Bruno"), then accents and case break ties so that the order is total.
// Negative, zero or positive like strcmp.
int AnsiCompareText(std::string_view a, std::string_view b);

// Case-sensitive form of AnsiCompareText: where two texts differ only in case, lower case sorts first.
int AnsiCompareStr(std::string_view a, std::string_view b);
