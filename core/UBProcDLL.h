#pragma once
// Binding of the processing module.
#include <string>

#include "core/UBModuleInterface.h"

extern TProcessaImagem ProcessaImagem;  // "ProcessaImagem"
extern TProcessaEsfera ProcessaEsfera;  // "ProcessaEsfera"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarProcDLL(const std::string& Path);
void LiberarProcDLL();
