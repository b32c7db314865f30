#pragma once
// Text forms of a version resource's contents.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// "4.2.14.0" -> {"4", "2", "14", "0"}. Each part is the text up to the next dot; with fewer dots the
// leading parts stay filled in order and the remainder ends in the last part reached.
std::array<std::string, 4> SplitVersion(std::string_view FileVersion);

// Description of a fixed file type and subtype ("Application", "DLL", "Printer Driver", ...); empty for
// types and subtypes that have none.
std::string FileTypeText(uint32_t FileType, uint32_t FileSubtype);

// "major.minor.release.build" of the two 32-bit halves of a fixed file version.
std::string FormatVersionNumbers(uint32_t VersionMS, uint32_t VersionLS);
