// The pixel core's hot loops: kernel resizing and line blending, the blend beside pixman.
#include "bench/SideBySide.h"
#include "widgets/Bitmap32_Blend.h"
#include "widgets/Bitmap32_Transforms.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <random>
#include <vector>

namespace {

struct TPicture {
  std::vector<TColor32> Pixels;
  TPixelView View;
  TPicture(int W, int H, uint32_t Seed) : Pixels(size_t(W) * H), View{nullptr, W, H, W} {
    std::mt19937 Rng(Seed);
    for (TColor32& P : Pixels) P = Rng();
    View.Bits = Pixels.data();
  }
};

// Args: source width, height, target width, height, filter.
void BM_Resize(benchmark::State& State) {
  const TPicture Src(int(State.range(0)), int(State.range(1)), 1);
  TPicture Dst(int(State.range(2)), int(State.range(3)), 2);
  const TStretchFilter Filter = TStretchFilter(State.range(4));
  for (auto _ : State) {
    StretchTransfer(Dst.View, Dst.View.BoundsRect(), Dst.View.BoundsRect(), Src.View, Src.View.BoundsRect(), Filter, {});
    benchmark::DoNotOptimize(Dst.Pixels.data());
  }
  State.SetItemsProcessed(State.iterations() * State.range(2) * State.range(3));
}
BENCHMARK(BM_Resize)
    ->ArgNames({"sw", "sh", "dw", "dh", "filter"})
    ->Args({640, 480, 1600, 1200, sfLanczos})
    ->Args({1600, 1200, 640, 480, sfLanczos})
    ->Args({640, 480, 1600, 1200, sfMitchell})
    ->Args({1600, 1200, 640, 480, sfMitchell})
    ->Args({640, 480, 1600, 1200, sfLinear})
    ->Args({1600, 1200, 640, 480, sfLinear})
    ->Unit(benchmark::kMillisecond);

// 1024 x 1024 source pixels of every alpha blended over an opaque background, beside pixman's OVER
// of the same pixels premultiplied (its rule for straight alpha differs from ours only in rounding).
// Arg: 1 takes the AVX2 path where the processor has it, 0 the SSE2 path.
void BM_BlendLine(benchmark::State& State) {
  const int N = 1024;
  const TPicture Src(N, N, 3);
  TPicture Dst(N, N, 4), PixmanSrc(N, N, 3), PixmanDst(N, N, 4);
  for (TColor32& P : PixmanSrc.Pixels) {
    const TColor32 A = P >> 24;
    TColor32 Q = A << 24;
    for (int C = 0; C < 24; C += 8) Q |= (((P >> C) & 0xFF) * A / 255) << C;
    P = Q;
  }
  pixman_image_t* S = pixman_image_create_bits(PIXMAN_a8r8g8b8, N, N, PixmanSrc.Pixels.data(), N * 4);
  pixman_image_t* D = pixman_image_create_bits(PIXMAN_a8r8g8b8, N, N, PixmanDst.Pixels.data(), N * 4);
  detail::BlendWithAvx2 = State.range(0) != 0;
  RunBesideAnchor(
      State,
      [&] {
        for (int Y = 0; Y < N; ++Y) BlendLine(Src.View.ScanLine(Y), Dst.View.ScanLine(Y), N);
        benchmark::DoNotOptimize(Dst.Pixels.data());
      },
      [&] {
        pixman_image_composite32(PIXMAN_OP_OVER, S, nullptr, D, 0, 0, 0, 0, 0, 0, N, N);
        benchmark::DoNotOptimize(PixmanDst.Pixels.data());
      });
  detail::BlendWithAvx2 = true;
  pixman_image_unref(S);
  pixman_image_unref(D);
  State.SetItemsProcessed(State.iterations() * N * N);
}
BENCHMARK(BM_BlendLine)->ArgName("avx2")->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
