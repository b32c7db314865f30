#include "toolkit/rtl/AnsiText.h"

#include <benchmark/benchmark.h>

static void BM_AnsiUpperCase(benchmark::State& state) {
  std::string text;
  for (int i = 0; text.size() < size_t(state.range(0)); ++i) text += char(32 + i % 224);
  for (auto _ : state) benchmark::DoNotOptimize(AnsiUpperCase(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_AnsiUpperCase)->Arg(64)->Arg(1 << 20);
