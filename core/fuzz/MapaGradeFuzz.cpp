// Any ring data, ring counts, correction factor and cone table: every map type either computes or
// raises EErroMapa, and the grids never hold NaN or infinity.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/UBErroMapa.h"
#include "core/UBFuncoesMapas.h"

namespace {

// Mostly plausible values with the fuzzer's own doubles (NaN, infinities, huge) mixed in.
double Valor(FuzzedDataProvider& p, double base, double espalhamento) {
  switch (p.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
      return p.ConsumeFloatingPoint<double>();
    case 1:
      return 0;
    default:
      return base + espalhamento * p.ConsumeProbability<double>();
  }
}

void VerificarGrades(const TBFuncoesMapas& mapa) {
  for (int m = 0; m < NumMeridianos; ++m)
    for (int s = 0; s < NumAmostrasRaio; ++s) {
      const TCelulaGrade& c = mapa.Celula(m, s);
      const TCelulaElevacao& e = mapa.CelulaElevacao(m, s);
      if (!std::isfinite(c.Valor) || !std::isfinite(c.Raio) || !std::isfinite(e.Diferenca) ||
          !std::isfinite(e.BFS) || !std::isfinite(e.Cornea))
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider p(data, size);
  const uint8_t tipo = p.ConsumeIntegral<uint8_t>();
  const int numAneis = p.ConsumeIntegralInRange<int>(-4, 40);
  const double f = p.ConsumeBool() ? 0.02 : p.ConsumeFloatingPoint<double>();
  const double z0 = 0, centro = 320;

  TMatrizAngAnel d{}, m{};
  TMatrizAng aneis{};
  const int comum = p.ConsumeIntegralInRange<int>(-2, 36);
  const double passo = 2 + 10 * p.ConsumeProbability<double>();
  for (int mer = 0; mer < NumMeridianos; ++mer) {
    aneis[size_t(mer)] = p.ConsumeBool() ? comum : p.ConsumeIntegral<int32_t>();
    for (int k = 0; k < NumValoresAnel; ++k) {
      d[size_t(mer)][size_t(k)] = 43;
      m[size_t(mer)][size_t(k)] = k * passo;
    }
  }
  // Disturb some cells.
  const int mudancas = p.ConsumeIntegralInRange<int>(0, 64);
  for (int i = 0; i < mudancas && p.remaining_bytes() > 0; ++i) {
    const size_t mer = p.ConsumeIntegralInRange<size_t>(0, NumMeridianos - 1);
    const size_t k = p.ConsumeIntegralInRange<size_t>(0, NumValoresAnel - 1);
    (p.ConsumeBool() ? d : m)[mer][k] = Valor(p, p.ConsumeBool() ? 43 : double(k) * passo, 20);
  }
  TDadosCone cone;
  const int entradas = p.ConsumeIntegralInRange<int>(0, 34);
  for (int j = 0; j < entradas; ++j) {
    cone.C1.push_back(Valor(p, 70 - 1.2 * j, 5));
    cone.C2.push_back(Valor(p, 3 + 4.0 * j, 5));
  }

  TBFuncoesMapas mapa(d, m, aneis, nullptr, nullptr, centro, centro, f, z0, "4", numAneis);
  mapa.CarregaDadosCone = [&cone](TDadosCone& dados, const std::string&, double) { dados = cone; };
  try {
    mapa.CalcularMapa(tipo);
  } catch (const EErroMapa&) {
  }
  VerificarGrades(mapa);
  try {
    TCeratometria k;
    mapa.GetCeratometria(k, Valor(p, 1.5, 3));
    if (!std::isfinite(k.K1) || !std::isfinite(k.K2) || !std::isfinite(k.R1) || !std::isfinite(k.R2) || k.Eixo > 180)
      std::abort();
  } catch (const EErroMapa&) {
  }
  return 0;
}
