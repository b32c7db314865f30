#pragma once
// Binding of the aberrometry map module.
#include <string>

#include "core/UBModuleInterface.h"

extern TProcessaAberrometria ProcessaAberrometria;  // "ProcessaAberrometria"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarAberrometriaDLL(const std::string& Path);
void LiberarAberrometriaDLL();
