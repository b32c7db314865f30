// The skin's filtered resize (filter 6) beside the 32-bit bitmap's Mitchell resample, 640 x 480 to
// 1600 x 1200 and back.
#include <benchmark/benchmark.h>

#include "skin/engine/sSkinResize.h"
#include "widgets/Bitmap32_Resamplers.h"
#include "widgets/PixelTestImage.h"

namespace {

const TTestImage& Small() {
  static const TTestImage Img = TTestImage::Random(640, 480, 7);
  return Img;
}
const TTestImage& Large() {
  static const TTestImage Img = TTestImage::Random(1600, 1200, 8);
  return Img;
}

void StretchBitmapUp(benchmark::State& State) {
  TTestImage Dst(1600, 1200);
  for (auto _ : State) StretchBitmap(Small().View, Dst.View, 6);
}
void StretchBitmapDown(benchmark::State& State) {
  TTestImage Dst(640, 480);
  for (auto _ : State) StretchBitmap(Large().View, Dst.View, 6);
}
void ResampleMitchellUp(benchmark::State& State) {
  TTestImage Dst(1600, 1200);
  for (auto _ : State)
    Resample(Dst.View, Dst.View.BoundsRect(), Dst.View.BoundsRect(), Small().View, Small().View.BoundsRect(),
             sfMitchell, {});
}
void ResampleMitchellDown(benchmark::State& State) {
  TTestImage Dst(640, 480);
  for (auto _ : State)
    Resample(Dst.View, Dst.View.BoundsRect(), Dst.View.BoundsRect(), Large().View, Large().View.BoundsRect(),
             sfMitchell, {});
}

BENCHMARK(StretchBitmapUp)->Unit(benchmark::kMillisecond);
BENCHMARK(ResampleMitchellUp)->Unit(benchmark::kMillisecond);
BENCHMARK(StretchBitmapDown)->Unit(benchmark::kMillisecond);
BENCHMARK(ResampleMitchellDown)->Unit(benchmark::kMillisecond);

}  // namespace
