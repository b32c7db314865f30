#include "core/UBCapturaOrtoDLL.h"

#include "core/UBModulo.h"

TDigitalizarOrto DigitalizarOrto = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarCapturaOrtoDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temDigitalizarOrto = Modulo.Buscar("Digitalizar", DigitalizarOrto);
  return temDigitalizarOrto;
}

void LiberarCapturaOrtoDLL() {
  Modulo.Liberar();
  DigitalizarOrto = nullptr;
}
