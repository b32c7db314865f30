#pragma once
// Binding of the cone-data library "Kelvanor.dll". Unlike the other modules it stays loaded for the
// whole run: loading it makes its "CarregaDadosCone" the source of the elevation computation.
#include <string>

// True when the library loaded and offers "CarregaDadosCone".
bool CarregarConeDLL(const std::string& Path);
void LiberarConeDLL();
