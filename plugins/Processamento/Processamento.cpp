// Processing module stand-in: finds the Placido rings in the central picture and measures them
// (see RingFinder.h for the method and the reliability index). Calibration's straight lines in
// "Coef.txt" correct the curvature ring by ring once the instrument has been calibrated.
#include <windows.h>

#include <charconv>
#include <cstring>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/RingFinder.h"

namespace {

double Numero(std::string s) {
  for (char& c : s)
    if (c == ',') c = '.';
  double v = 0;
  const char* b = s.data();
  while (*b == ' ') ++b;
  std::from_chars(b, s.data() + s.size(), v);
  return v;
}

std::string Texto(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
  return std::string(buf, r.ptr);
}

// Coef.txt: for ring 1, 2, ...: a line with a, then a line with b.
bool LerCorrecao(const std::string& arquivo, CorrecaoAneis& c) {
  std::string texto;
  if (!LerArquivo(arquivo, texto)) return false;
  std::istringstream f(texto);
  std::string a, b;
  while (std::getline(f, a) && std::getline(f, b)) {
    c.a.push_back(Numero(a));
    c.b.push_back(Numero(b));
  }
  return !c.a.empty();
}

bool Medir(TMZStream* imagem, const TInfosMZ* infos, const CorrecaoAneis* correcao, ResultadoAneis& r) {
  if (!infos || !infos->TipoCone) return false;
  const std::vector<uint8_t> bmp = LerStream(imagem);
  ImagemCinza img;
  ConeModel cone;
  if (!DecodificarBmp(bmp.data(), bmp.size(), img) || !MakeCone(infos->TipoCone, infos->Z0, cone)) return false;
  return ProcessarAneis(img, cone, infos->FatorCorrecao, infos->NumAneis, correcao, r);
}

}  // namespace

extern "C" MZAPI int32_t ProcessaImagem(HWND__*, TMZStream* central, double* centroX, double* centroY,
                                        TMatrizAngAnel* matrizM, TMatrizAng* aneis, TMatrizAngAnel* matrizD,
                                        TPupila* pupila, double* indConf, const TInfosMZ* infos,
                                        const TPathsMZ* paths) {
  if (!centroX || !centroY || !matrizM || !aneis || !matrizD || !pupila || !indConf) return 0;
  CorrecaoAneis correcao;
  const bool calibrado = paths && paths->Calibracao && LerCorrecao(std::string(paths->Calibracao) + "Coef.txt", correcao);
  auto r = std::make_unique<ResultadoAneis>();
  if (!Medir(central, infos, calibrado ? &correcao : nullptr, *r)) return 0;
  *centroX = r->centroX;
  *centroY = r->centroY;
  for (int m = 0; m < kMeridianos; ++m) {
    (*aneis)[size_t(m)] = r->aneis[m];
    for (int k = 0; k < kValoresAnel; ++k) {
      (*matrizM)[size_t(m)][size_t(k)] = r->M[m][k];
      (*matrizD)[size_t(m)][size_t(k)] = r->D[m][k];
    }
  }
  for (int i = 0; i < 4; ++i) (*pupila)[size_t(i)] = r->pupila[i];
  *indConf = r->indConf;
  return 1;
}

// The sphere's result for calibration: its reference curvature, then the mean measured curvature
// of each ring, uncorrected.
extern "C" MZAPI int32_t ProcessaEsfera(HWND__*, TMZStream* imagem, const char* raio, TMZStream* saida,
                                        const TInfosMZ* infos) {
  const double r = raio ? Numero(raio) : 0;
  auto res = std::make_unique<ResultadoAneis>();
  if (!(r > 0) || !Medir(imagem, infos, nullptr, *res)) return 0;
  std::vector<std::string> linhas{Texto(337.5 / r)};
  for (double d : MediaPorAnel(*res)) linhas.push_back(Texto(d));
  EscreverLinhas(saida, linhas);
  return 1;
}

extern "C" MZAPI int32_t Info(TMZStream* saida) {
  EscreverLinhas(saida, {"Processamento de anéis de Placido (simulador)"});
  return 1;
}
