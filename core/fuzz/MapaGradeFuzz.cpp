// Any ring data, ring counts, correction factor and cone table: every map type either computes or
// raises EErroMapa, and the grids never hold NaN or infinity.
#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#include "core/UBErroMapa.h"
#include "core/UBFuncoesMapas.h"

namespace {

// Mostly plausible values, now and then one of any size within reach of the maps' numbers, and
// rarely NaN, an infinity or an extreme double. The fuzzer's own doubles are almost all of the
// extremes' size: taken as they come, every map would spend its time writing such numbers as text.
double Valor(FuzzedDataProvider& p, double base, double espalhamento) {
  switch (p.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: {
      constexpr double extremos[] = {NAN, INFINITY, -INFINITY, DBL_MAX, -DBL_MAX, DBL_MIN, 1e300};
      return extremos[p.ConsumeIntegralInRange<size_t>(0, std::size(extremos) - 1)];
    }
    case 1:
      return 0;
    case 2:
      return p.ConsumeFloatingPointInRange<double>(-1e6, 1e6);
    default:
      return base + espalhamento * p.ConsumeProbability<double>();
  }
}

// No cell of either grid holds NaN or infinity: x * 0 is zero for every finite x and NaN otherwise, so one
// sum of such products over both grids, without a branch a cell, tells. The check itself is no part of
// what is fuzzed: it goes uninstrumented.
__attribute__((no_sanitize("address", "undefined", "coverage"))) void VerificarGrades(const TBFuncoesMapas& mapa) {
  const TCelulaGrade* c = &mapa.Celula(0, 0);
  const TCelulaElevacao* e = &mapa.CelulaElevacao(0, 0);
  double soma = 0;
  for (size_t i = 0; i < size_t(NumMeridianos) * NumAmostrasRaio; ++i)
    soma += c[i].Valor * 0 + c[i].Raio * 0 + e[i].Diferenca * 0 + e[i].BFS * 0 + e[i].Cornea * 0;
  if (soma != 0) std::abort();
}

// The inputs of a map and the map itself live for the whole run: a map's grids take megabytes, and
// every computation starts from its inputs and empty grids again.
struct Entradas {
  TMatrizAngAnel D{}, M{};
  TMatrizAng Aneis{};
  TDadosCone Cone;
  double Fator = 0.02;
  const double Z0 = 0, Centro = 320;
  int NumAneis = 0;
  TBFuncoesMapas Mapa{D, M, Aneis, nullptr, nullptr, Centro, Centro, Fator, Z0, "4", NumAneis};
  Entradas() {
    Mapa.CarregaDadosCone = [this](TDadosCone& dados, const std::string&, double) { dados = Cone; };
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Entradas e;
  FuzzedDataProvider p(data, size);
  const uint8_t tipo = p.ConsumeIntegral<uint8_t>();
  e.NumAneis = p.ConsumeIntegralInRange<int>(-4, 40);
  e.Fator = p.ConsumeBool() ? 0.02 : Valor(p, 0, 0.1);

  auto& d = e.D;
  auto& m = e.M;
  const int comum = p.ConsumeIntegralInRange<int>(-2, 36);
  // Ring spacing in grid columns. Every meridian's resampling takes one sample a column the rings
  // span, each at the sanitisers' cost: most inputs keep their rings within the first eight columns,
  // so that a run tries many inputs; one in sixty-four spreads them over the whole grid.
  const bool largo = p.ConsumeIntegralInRange<int>(0, 63) == 63;
  const double passo = largo ? 2 + 10 * p.ConsumeProbability<double>() : 0.25 * p.ConsumeProbability<double>();
  for (int mer = 0; mer < NumMeridianos; ++mer) {
    e.Aneis[size_t(mer)] = p.ConsumeBool() ? comum : p.ConsumeIntegral<int32_t>();
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
  e.Cone = {};
  const int entradas = p.ConsumeIntegralInRange<int>(0, 34);
  for (int j = 0; j < entradas; ++j) {
    e.Cone.C1.push_back(Valor(p, 70 - 1.2 * j, 5));
    e.Cone.C2.push_back(Valor(p, 3 + 4.0 * j, 5));
  }

  TBFuncoesMapas& mapa = e.Mapa;
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
