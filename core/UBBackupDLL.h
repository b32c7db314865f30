#pragma once
// Binding of the backup module.
#include <string>

#include "core/UBModuleInterface.h"

extern TInfoBackup InfoBackup;  // "InfoBackup"
extern TCriarBackup CriarBackup;  // "CriarBackup"
extern TRestaurarBackup RestaurarBackup;  // "RestaurarBackup"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarBackupDLL(const std::string& Path);
void LiberarBackupDLL();
