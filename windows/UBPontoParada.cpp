#include "windows/UBPontoParada.h"

#include <windows.h>

#include <string>

void PontoDeParada(const char* Passo) {
  static const std::string alvo = [] {
    char v[64] = {};
    return GetEnvironmentVariableA("MZ_PARAR_EM", v, sizeof v) < sizeof v ? std::string(v) : std::string();
  }();
  if (!alvo.empty() && alvo == Passo) TerminateProcess(GetCurrentProcess(), 3);
}
