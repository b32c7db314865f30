#include "core/UBMapaDLL.h"

#include "core/UBModulo.h"

TProcessaMapa ProcessaMapa = nullptr;
TProcessaMapa ProcessaMapaOrto = nullptr;
TVisualizar Visualizar = nullptr;
TInfoMapa InfoMapa = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarMapaDLL(const std::string& Path) {
  if (!Modulo.Carregar(Path)) return false;
  const bool temProcessaMapa = Modulo.Buscar("ProcessaMapa", ProcessaMapa);
  const bool temProcessaMapaOrto = Modulo.Buscar("ProcessaMapaOrto", ProcessaMapaOrto);
  Modulo.Buscar("Visualizar", Visualizar);  // optional
  const bool temInfoMapa = Modulo.Buscar("InfoMapa", InfoMapa);
  return temInfoMapa && (temProcessaMapa || temProcessaMapaOrto);
}

void LiberarMapaDLL() {
  Modulo.Liberar();
  ProcessaMapa = nullptr;
  ProcessaMapaOrto = nullptr;
  Visualizar = nullptr;
  InfoMapa = nullptr;
}
