#pragma once
// Binding of the contact-lens map module.
#include <string>

#include "core/UBModuleInterface.h"

extern TProcessaLente ProcessaLente;  // "ProcessaLente"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarLCDLL(const std::string& Path);
void LiberarLCDLL();
