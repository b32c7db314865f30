#pragma once
// Binding of the orthokeratology processing module.
#include <string>

#include "core/UBModuleInterface.h"

extern TProcessaImagemOrto ProcessaImagemOrto;  // "ProcessaImagem"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarProcOrtoDLL(const std::string& Path);
void LiberarProcOrtoDLL();
