#include <benchmark/benchmark.h>

#include "plugins/common/RingFinder.h"

static void BM_RenderAndFindRings(benchmark::State& state) {
  ConeModel cone;
  MakeCone("4", 10.0, cone);
  ModelEye olho;
  for (auto _ : state) {
    ResultadoAneis res;
    benchmark::DoNotOptimize(ProcessarAneis(RenderizarAneis(olho, cone, 0.02), cone, 0.02, 32, nullptr, res));
  }
}
BENCHMARK(BM_RenderAndFindRings)->Unit(benchmark::kMillisecond);
