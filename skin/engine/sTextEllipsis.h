#pragma once
// The shortening of a text with "..." to a width, for any measure of text widths. Pure: no windows.h.
#include <functional>
#include <string>

// The text when it fits Width, else its longest prefix followed by "..." that fits; empty when Width
// is below 1 or not even one character with "..." fits.
std::string EllipsisText(const std::string& Text, int Width, const std::function<int(const std::string&)>& TextWidth);
