#include "core/UBModulo.h"

bool TModuloDLL::Carregar(const std::string& Path) {
  Liberar();
  // A missing file must not bring up the system's error box: the caller reports.
  const UINT modo = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Handle = LoadLibraryA(Path.c_str());
  SetErrorMode(modo);
  return Handle != nullptr;
}

void TModuloDLL::Liberar() {
  if (Handle) FreeLibrary(Handle);
  Handle = nullptr;
}
