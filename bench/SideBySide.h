#pragma once
// Our routine and the library it is measured against, timed in turns within every iteration, so
// that both see the same caches and the same load of the machine. The benchmark's time is ours;
// "anchor_ms" is the library's time per iteration and "speed" is its time over ours (1.25: we take
// 80 % of its time). Register such benchmarks with ->UseManualTime().
#include <benchmark/benchmark.h>

#include <chrono>

template <class Ours, class Anchor>
void RunBesideAnchor(benchmark::State& State, Ours&& RunOurs, Anchor&& RunAnchor) {
  using Clock = std::chrono::steady_clock;
  double OursSeconds = 0, AnchorSeconds = 0;
  for (auto _ : State) {
    const auto T0 = Clock::now();
    RunOurs();
    const auto T1 = Clock::now();
    RunAnchor();
    const auto T2 = Clock::now();
    const double Mine = std::chrono::duration<double>(T1 - T0).count();
    OursSeconds += Mine;
    AnchorSeconds += std::chrono::duration<double>(T2 - T1).count();
    State.SetIterationTime(Mine);
  }
  if (State.iterations() == 0 || OursSeconds <= 0) return;
  State.counters["anchor_ms"] = 1000 * AnchorSeconds / double(State.iterations());
  State.counters["speed"] = AnchorSeconds / OursSeconds;
}
