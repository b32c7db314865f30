#pragma once
// Binding of the orthokeratology capture module.
#include <string>

#include "core/UBModuleInterface.h"

extern TDigitalizarOrto DigitalizarOrto;  // "Digitalizar"

// Loads the module file; true when it loaded and its required entry points were found.
bool CarregarCapturaOrtoDLL(const std::string& Path);
void LiberarCapturaOrtoDLL();
