// Writing and reading the numbers of an exam's map files (360 x 33 values per matrix).
#include "toolkit/rtl/NumberText.h"

#include <benchmark/benchmark.h>

static void FormatMapValues(benchmark::State& state) {
  double v = -3.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFloat("00.00", v));
    v += 0.0137;
    if (v > 60) v = -3.0;
  }
}
BENCHMARK(FormatMapValues);

static void ParseMapValues(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(StrToFloat("43.25"));
}
BENCHMARK(ParseMapValues);
