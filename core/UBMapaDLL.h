#pragma once
// Binding of the single-map module: "InfoMapa" and at least one of "ProcessaMapa" and "ProcessaMapaOrto" are required, "Visualizar" is optional.
#include <string>

#include "core/UBModuleInterface.h"

extern TProcessaMapa ProcessaMapa;  // "ProcessaMapa"
extern TProcessaMapa ProcessaMapaOrto;  // "ProcessaMapaOrto"
extern TVisualizar Visualizar;  // "Visualizar"
extern TInfoMapa InfoMapa;  // "InfoMapa"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarMapaDLL(const std::string& Path);
void LiberarMapaDLL();
