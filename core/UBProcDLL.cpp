#include "core/UBProcDLL.h"

#include "core/UBModulo.h"

TProcessaImagem ProcessaImagem = nullptr;
TProcessaEsfera ProcessaEsfera = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarProcDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temProcessaImagem = Modulo.Buscar("ProcessaImagem", ProcessaImagem);
  const bool temProcessaEsfera = Modulo.Buscar("ProcessaEsfera", ProcessaEsfera);
  return temProcessaImagem && temProcessaEsfera;
}

void LiberarProcDLL() {
  Modulo.Liberar();
  ProcessaImagem = nullptr;
  ProcessaEsfera = nullptr;
}
