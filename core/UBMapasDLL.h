#pragma once
// Binding of the multi-map module ("ProcessaMapas" and "Wizard" are each bound into two differently typed variables).
#include <string>

#include "core/UBModuleInterface.h"

extern TProcessaMapas ProcessaMapas;  // "ProcessaMapas"
extern TProcessaMapasOrto ProcessaMapasOrto;  // "ProcessaMapas"
extern TWizard Wizard;  // "Wizard"
extern TWizardDiferencial WizardDiferencial;  // "Wizard"
extern TInfoMapa InfoMapas;  // "InfoMapa"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarMapasDLL(const std::string& Path);
void LiberarMapasDLL();
