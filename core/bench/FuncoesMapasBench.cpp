// One axial and one elevation map of a 7.80 mm sphere (24 rings on 360 meridians), the
// keratometry on it, and the parsing of one d.txt.
#include <benchmark/benchmark.h>

#include "core/SuperficiesTeste.h"
#include "core/UBArquivosExame.h"
#include "core/UBFuncoesMapas.h"
#include "toolkit/rtl/Classes.h"

namespace {

struct Mapa {
  superficies::ExameSintetico e = superficies::Esfera(7.80);
  double F = superficies::F, Z0 = 0;
  int NumAneis = superficies::Aneis;
  TBFuncoesMapas mapa{e.D, e.M, e.AneisPorMeridiano, nullptr, nullptr, e.CentroX, e.CentroY, F, Z0, "4", NumAneis};
  Mapa() {
    mapa.CarregaDadosCone = [](TDadosCone& d, const std::string&, double) { d = superficies::TabelaCone(); };
  }
};

void BM_MapaAxial(benchmark::State& state) {
  Mapa m;
  for (auto _ : state) {
    m.mapa.CalcularMapa(tmAxial);
    benchmark::DoNotOptimize(m.mapa.GetValorMaximo());
  }
}
BENCHMARK(BM_MapaAxial)->Unit(benchmark::kMillisecond);

void BM_MapaElevacao(benchmark::State& state) {
  Mapa m;
  for (auto _ : state) {
    m.mapa.CalcularMapa(tmElevacao);
    benchmark::DoNotOptimize(m.mapa.MaximoElevacao);
  }
}
BENCHMARK(BM_MapaElevacao)->Unit(benchmark::kMillisecond);

void BM_Ceratometria(benchmark::State& state) {
  Mapa m;
  m.mapa.CalcularMapa(tmAxial);
  TCeratometria k;
  for (auto _ : state) {
    m.mapa.GetCeratometria(k, 1.5);
    benchmark::DoNotOptimize(k.K1);
  }
}
BENCHMARK(BM_Ceratometria)->Unit(benchmark::kMicrosecond);

void BM_LerMatrizTexto(benchmark::State& state) {
  const superficies::ExameSintetico e = superficies::Esfera(7.80, MaxNumAneis - 8);
  TStringList linhas;
  linhas.SetText(TextoArquivoMatriz(e.M, MaxNumAneis));
  TMatrizAngAnel m;
  for (auto _ : state) {
    LerMatrizTexto(linhas, 0, m);
    benchmark::DoNotOptimize(m[0][1]);
  }
}
BENCHMARK(BM_LerMatrizTexto)->Unit(benchmark::kMillisecond);

}  // namespace
