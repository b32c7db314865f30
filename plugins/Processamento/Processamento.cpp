// Processing module stand-in: finds the Placido rings in the central picture and measures them
// (see RingFinder.h for the method and the reliability index). Calibration's straight lines in
// "Coef.txt" correct the curvature ring by ring once the instrument has been calibrated.
#include <windows.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBModuleInterface.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/RingFinder.h"
#include "plugins/common/TextosModulo.h"

namespace {

std::string Texto(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
  return std::string(buf, r.ptr);
}

// The calibration's corrections (Coef.txt); false when the file is missing or does not read.
bool LerArquivoCorrecao(const std::string& arquivo, CorrecaoAneis& c) {
  std::string texto;
  return LerArquivo(arquivo, texto) && LerCorrecao(texto, c);
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

#ifdef PROCESSAMENTO_ORTO
namespace {

double MediaAneis(const ResultadoAneis& r, int de, int ate) {
  double s = 0;
  int n = 0;
  for (int m = 0; m < kMeridianos; ++m)
    for (int k = de; k <= std::min(ate, r.aneis[m]); ++k) s += r.D[m][k], ++n;
  return n ? s / n : 0;
}

// Sag, diameter and central radius of the treatment zone.
std::array<double, 3> ValoresOrto(const ResultadoAneis& r, double fator) {
  const double centro = MediaAneis(r, 1, 3);
  double periferia = centro;
  for (int k = 4; k < kValoresAnel; ++k) periferia = std::max(periferia, MediaAneis(r, k, k));
  int borda = 1;
  while (borda < kValoresAnel - 1 && MediaAneis(r, borda, borda) < (centro + periferia) / 2) ++borda;
  double soma = 0;
  int n = 0;
  for (int m = 0; m < kMeridianos; ++m)
    if (r.aneis[m] >= borda) soma += r.M[m][borda], ++n;
  const double diametro = n ? 2.0 * soma / n * fator : 0.0;
  const double raio = centro > 0 ? 337.5 / centro : 0.0;
  const double meia = std::min(diametro / 2, raio);
  return {raio - std::sqrt(raio * raio - meia * meia), diametro, raio};
}

void Matriz(const double (&origem)[kMeridianos][kValoresAnel], TMatrizAngAnel& destino) {
  for (size_t m = 0; m < 360; ++m)
    for (size_t k = 0; k < 33; ++k) destino[m][k] = origem[m][k];
}

}  // namespace

extern "C" MZAPI int32_t ProcessaImagem(HWND__*, TMZStream* const* imagens, TMZStream* saidaM, TMZStream* saidaD,
                                        TMZStream* saidaValores, double* valores, const TInfosMZ* infos,
                                        const TPathsMZ* paths) {
  if (!imagens || !valores || !infos) return 0;
  CorrecaoAneis correcao;
  const bool calibrado = paths && paths->Calibracao && LerArquivoCorrecao(std::string(paths->Calibracao) + "Coef.txt", correcao);
  const int numAneis = std::clamp(int(infos->NumAneis), 1, 32);
  std::string textoM, textoD;
  std::vector<std::string> linhas;
  auto r = std::make_unique<ResultadoAneis>();
  auto matriz = std::make_unique<TMatrizAngAnel>();
  for (int k = 0; k < 4; ++k) {
    if (!Medir(imagens[k], infos, calibrado ? &correcao : nullptr, *r)) return 0;
    Matriz(r->M, *matriz);
    textoM += TextoArquivoMatriz(*matriz, numAneis);
    Matriz(r->D, *matriz);
    textoD += TextoArquivoMatriz(*matriz, numAneis);
    for (double v : ValoresOrto(*r, infos->FatorCorrecao > 0 ? infos->FatorCorrecao : 0.02)) linhas.push_back(Texto(v));
    linhas.push_back(Texto(r->indConf));
    valores[k] = r->indConf;
  }
  EscreverStream(saidaM, textoM.data(), textoM.size());
  EscreverStream(saidaD, textoD.data(), textoD.size());
  EscreverLinhas(saidaValores, linhas);
  return 1;
}
#else
extern "C" MZAPI int32_t ProcessaImagem(HWND__*, TMZStream* central, double* centroX, double* centroY,
                                        TMatrizAngAnel* matrizM, TMatrizAng* aneis, TMatrizAngAnel* matrizD,
                                        TPupila* pupila, double* indConf, const TInfosMZ* infos,
                                        const TPathsMZ* paths) {
  if (!centroX || !centroY || !matrizM || !aneis || !matrizD || !pupila || !indConf) return 0;
  CorrecaoAneis correcao;
  const bool calibrado = paths && paths->Calibracao && LerArquivoCorrecao(std::string(paths->Calibracao) + "Coef.txt", correcao);
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
  double r = 0;
  if (!raio || !LerNumero(raio, r)) r = 0;
  auto res = std::make_unique<ResultadoAneis>();
  if (!(r > 0) || !Medir(imagem, infos, nullptr, *res)) return 0;
  std::vector<std::string> linhas{Texto(337.5 / r)};
  for (double d : MediaPorAnel(*res)) linhas.push_back(Texto(d));
  EscreverLinhas(saida, linhas);
  return 1;
}

#endif

extern "C" MZAPI int32_t Info(TMZStream* saida) {
#ifdef PROCESSAMENTO_ORTO
  EscreverLinhas(saida, {"Processamento de séries de ortoceratologia (simulador)"});
#else
  EscreverLinhas(saida, {"Processamento de anéis de Placido (simulador)"});
#endif
  return 1;
}
