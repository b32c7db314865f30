// A module that offers every map entry point; each test DLL exports only some of them (its .spec),
// to check which sets of entry points the bindings accept. Its information text is the file beside
// it named as the module with the extension ".txt" (nothing when there is none), so that one build
// serves as modules of any name and description.
#include <windows.h>

#include <string>

#include "core/UBModuleInterface.h"
#include "plugins/common/ModuloStream.h"

namespace {

std::string TextoAoLado() {
  HMODULE m = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&TextoAoLado), &m);
  char nome[MAX_PATH] = {};
  GetModuleFileNameA(m, nome, MAX_PATH);
  std::string caminho(nome);
  caminho = caminho.substr(0, caminho.find_last_of('.')) + ".txt";
  std::string texto;
  HANDLE f = CreateFileA(caminho.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return texto;
  char buf[4096];
  DWORD lidos = 0;
  while (ReadFile(f, buf, sizeof buf, &lidos, nullptr) && lidos > 0) texto.append(buf, lidos);
  CloseHandle(f);
  return texto;
}

}  // namespace

extern "C" {
MZAPI int32_t ProcessaMapa(HWND__*, TMZStream*, TMZStream*, double, double, TMZStream*, TMatrizAngAnel*, TMatrizAng*,
                           TMatrizAngAnel*, TPupila*, const double*, const TInfosMZ*) {
  return 0;
}
MZAPI int32_t ProcessaMapaOrto(HWND__*, TMZStream*, TMZStream*, double, double, TMZStream*, TMatrizAngAnel*,
                               TMatrizAng*, TMatrizAngAnel*, TPupila*, const double*, const TInfosMZ*) {
  return 0;
}
MZAPI int32_t InfoMapa(TMZStream* saida) {
  const std::string texto = TextoAoLado();
  EscreverStream(saida, texto.data(), texto.size());
  return 0;
}
MZAPI int32_t ProcessaMapas(HWND__*, TMZStream* const*, const TMatrizAngAnel*, const TMatrizAng*,
                            const TMatrizAngAnel*, const TPupila*, int32_t, TMZStream*, const TInfosMZ*) {
  return 0;
}
MZAPI int32_t Wizard(HWND__*, TMZStream*, TMZStream*, TMZStream*, const TInfosMZ*) { return 0; }
}
