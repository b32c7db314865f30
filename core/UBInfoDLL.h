#pragma once
// Binding of a module's description: "InfoMapa" of map modules, "Info" of capture and processing.
#include <string>

#include "core/UBModuleInterface.h"

extern TInfoMapa InfoMapaDLL;  // Tipo 1: "InfoMapa"
extern TInfoMapa InfoDLL;      // Tipo 2: "Info"
extern TInfoMapa InfoDLL2;     // Tipo 3: "Info"

// Loads any module file and looks up the description entry of Tipo 1, 2 or 3; false for another
// Tipo, a file that does not load or a missing entry.
bool CarregarInfoDLL(const std::string& Path, int Tipo);
void LiberarInfoDLL();
