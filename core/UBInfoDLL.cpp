#include "core/UBInfoDLL.h"

#include "core/UBModulo.h"
#include "toolkit/ui/Forms.h"

TInfoMapa InfoMapaDLL = nullptr;
TInfoMapa InfoDLL = nullptr;
TInfoMapa InfoDLL2 = nullptr;

namespace {
TModuloDLL Modulo;
}

bool CarregarInfoDLL(const std::string& Path, int Tipo) {
  try {
    if (!Modulo.Carregar(Path)) return false;
  } catch (...) {
    Application->MessageBox(std::to_string(GetLastError()), Application->Title(), MB_OK);
    return false;
  }
  switch (Tipo) {
    case 1: return Modulo.Buscar("InfoMapa", InfoMapaDLL);
    case 2: return Modulo.Buscar("Info", InfoDLL);
    case 3: return Modulo.Buscar("Info", InfoDLL2);
    default: return false;
  }
}

void LiberarInfoDLL() {
  Modulo.Liberar();
  InfoMapaDLL = InfoDLL = InfoDLL2 = nullptr;
}
