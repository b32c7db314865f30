#include "core/UBMapasDLL.h"

#include "core/UBModulo.h"

TProcessaMapas ProcessaMapas = nullptr;
TProcessaMapasOrto ProcessaMapasOrto = nullptr;
TWizard Wizard = nullptr;
TWizardDiferencial WizardDiferencial = nullptr;
TInfoMapa InfoMapas = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarMapasDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temProcessaMapas = Modulo.Buscar("ProcessaMapas", ProcessaMapas);
  const bool temProcessaMapasOrto = Modulo.Buscar("ProcessaMapas", ProcessaMapasOrto);
  const bool temWizard = Modulo.Buscar("Wizard", Wizard);
  const bool temWizardDiferencial = Modulo.Buscar("Wizard", WizardDiferencial);
  const bool temInfoMapas = Modulo.Buscar("InfoMapa", InfoMapas);
  return temProcessaMapas && temProcessaMapasOrto && temWizard && temWizardDiferencial && temInfoMapas;
}

void LiberarMapasDLL() {
  Modulo.Liberar();
  ProcessaMapas = nullptr;
  ProcessaMapasOrto = nullptr;
  Wizard = nullptr;
  WizardDiferencial = nullptr;
  InfoMapas = nullptr;
}
