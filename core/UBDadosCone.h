#pragma once
// The per-ring data of the instrument's Placido cone that the elevation computation needs, as the
// cone-data library gives them: entry j of each array belongs to ring j + 1.
#include <functional>
#include <string>
#include <vector>

struct TDadosCone {
  std::vector<double> C1;  // taken as its absolute value
  std::vector<double> C2;
};

// Fills Dados for a cone type and Z0; raises when it has no data for them.
using TCarregaDadosCone = std::function<void(TDadosCone& Dados, const std::string& TipoCone, double Z0)>;

// The source that new map objects use; the program installs the cone-data library's at start-up.
// Returns the previous one.
TCarregaDadosCone DefinirCarregaDadosCone(TCarregaDadosCone Fonte);
const TCarregaDadosCone& CarregaDadosConePadrao();
