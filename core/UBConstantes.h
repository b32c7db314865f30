#pragma once
// The program's two global records handed to the plug-in modules, and their filling from the settings.
#include <string>
#include <string_view>

#include "core/UBModuleInterface.h"

class TBIniSettings;

// The technical support's telephone, named by the program's error messages.
inline constexpr char TelefoneSuporte[] = "0800 771 3100";

extern TInfosMZ InfosMZ;
extern TPathsMZ PathsMZ;

// Points a text field of a record at a copy of Value that the program keeps until the same field
// is assigned again, so a module may read it for as long as the record holds it.
void AssignText(const char*& Field, std::string_view Value);

// Copies every settings value into InfosMZ and PathsMZ (folders last); Tipo and NumAneis are set by
// the start-up itself. A getter that cannot convert its text raises EConvertError.
void CopySettingsToRecords(const TBIniSettings& Settings);

// Copies the options that ReloadOptions re-reads into InfosMZ (after the tools window saved them).
void CopyOptionsToInfosMZ(const TBIniSettings& Settings);
