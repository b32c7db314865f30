// A processing module for the tests where exact values matter: every picture gives the same rings
// (ring k of every meridian at 10 k samples, 43.5 dioptres, NumAneis rings, centre 320, 240), and the
// pupil and the reliability index are the five numbers of the file beside the module named as the
// module with ".txt" (zeros when there is none), so that a test gives each eye its own.
#include <windows.h>

#include <algorithm>
#include <sstream>
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
  char buf[256];
  DWORD lidos = 0;
  while (ReadFile(f, buf, sizeof buf, &lidos, nullptr) && lidos > 0) texto.append(buf, lidos);
  CloseHandle(f);
  return texto;
}

}  // namespace

extern "C" MZAPI int32_t ProcessaImagem(HWND__*, TMZStream*, double* centroX, double* centroY, TMatrizAngAnel* matrizM,
                                        TMatrizAng* aneis, TMatrizAngAnel* matrizD, TPupila* pupila, double* indConf,
                                        const TInfosMZ* infos, const TPathsMZ*) {
  if (!centroX || !centroY || !matrizM || !aneis || !matrizD || !pupila || !indConf || !infos) return 0;
  const int n = std::clamp(int(infos->NumAneis), 1, 32);
  *centroX = 320;
  *centroY = 240;
  for (size_t m = 0; m < 360; ++m) {
    (*aneis)[m] = n;
    for (size_t k = 0; k < 33; ++k) {
      (*matrizM)[m][k] = 10.0 * double(k);
      (*matrizD)[m][k] = 43.5;
    }
  }
  std::istringstream valores(TextoAoLado());
  TPupila p{};
  double ic = 0;
  valores >> p[0] >> p[1] >> p[2] >> p[3] >> ic;
  *pupila = p;
  *indConf = ic;
  return 1;
}

extern "C" MZAPI int32_t ProcessaEsfera(HWND__*, TMZStream*, const char*, TMZStream*, const TInfosMZ*) { return 0; }

extern "C" MZAPI int32_t Info(TMZStream* saida) {
  EscreverLinhas(saida, {"Processamento de valores fixos (testes)"});
  return 1;
}
