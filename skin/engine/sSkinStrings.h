#pragma once
// The engine's own texts, read from the program's string table (sSkinStrings.rc) by the engine's init.
#include <string>

// Texts that the skinned system menu and the skin lists show.
inline constexpr int sidInternal = 58963;
inline constexpr int sidAvailableSkins = 58964;
inline constexpr int sidClose = 58976;
inline constexpr int sidMaximize = 58977;
inline constexpr int sidMinimize = 58978;
inline constexpr int sidSize = 58979;
inline constexpr int sidMove = 58980;
inline constexpr int sidRestore = 58981;

// Names of the two Boolean values in the engine's texts.
inline constexpr const char* BooleanNames[2] = {"FALSE", "TRUE"};

// Reads every text of the engine's table from the program's resources.
void LoadSkinStrings();
void ClearSkinStrings();
// The text read for Id; empty before loading and for identifiers outside the table.
const std::string& SkinStr(int Id);
