#pragma once
// Binding of the capture module.
#include <string>

#include "core/UBModuleInterface.h"

extern TDigitalizar Digitalizar;  // "Digitalizar"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarCapturaDLL(const std::string& Path);
void LiberarCapturaDLL();
