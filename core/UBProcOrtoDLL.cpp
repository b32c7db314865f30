#include "core/UBProcOrtoDLL.h"

#include "core/UBModulo.h"

TProcessaImagemOrto ProcessaImagemOrto = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarProcOrtoDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temProcessaImagemOrto = Modulo.Buscar("ProcessaImagem", ProcessaImagemOrto);
  return temProcessaImagemOrto;
}

void LiberarProcOrtoDLL() {
  Modulo.Liberar();
  ProcessaImagemOrto = nullptr;
}
