#include "core/UBLCDLL.h"

#include "core/UBModulo.h"

TProcessaLente ProcessaLente = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarLCDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temProcessaLente = Modulo.Buscar("ProcessaLente", ProcessaLente);
  return temProcessaLente;
}

void LiberarLCDLL() {
  Modulo.Liberar();
  ProcessaLente = nullptr;
}
