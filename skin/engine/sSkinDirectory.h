#pragma once
// Where the skin manager looks for skins: its SkinDirectory resolved against the program's folder.
// Pure: no windows.h.
#include <string>
#include <string_view>

// ProgramFolder ends with its "\". A value beginning with ".." is taken from the parent of the program's
// folder, one beginning with ".\" or "./" from the program's folder, any other without ":" and "\\"
// is prefixed with the program's folder; anything else stays as it is. No final "\" is added.
std::string ResolveSkinDirectory(std::string_view SkinDirectory, std::string_view ProgramFolder);
