#include "core/UBCapturaDLL.h"

#include "core/UBModulo.h"

TDigitalizar Digitalizar = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarCapturaDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temDigitalizar = Modulo.Buscar("Digitalizar", Digitalizar);
  return temDigitalizar;
}

void LiberarCapturaDLL() {
  Modulo.Liberar();
  Digitalizar = nullptr;
}
