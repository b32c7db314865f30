#include "core/UBAberrometriaDLL.h"

#include "core/UBModulo.h"

TProcessaAberrometria ProcessaAberrometria = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarAberrometriaDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temProcessaAberrometria = Modulo.Buscar("ProcessaAberrometria", ProcessaAberrometria);
  return temProcessaAberrometria;
}

void LiberarAberrometriaDLL() {
  Modulo.Liberar();
  ProcessaAberrometria = nullptr;
}
