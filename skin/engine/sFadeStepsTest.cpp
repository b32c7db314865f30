// The fade's weights per step and its per-byte mix against the formula.
#include "skin/engine/sFadeSteps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FadeSteps, AlphaSequences) {
  const struct {
    int Iterations;
    std::vector<int> Alphas;  // steps 1 .. Iterations
  } Cases[] = {{5, {204, 153, 102, 51, 0}}, {2, {127, 0}}, {1, {0}}, {3, {170, 85, 0}}};
  for (const auto& C : Cases)
    for (int Step = 1; Step <= C.Iterations; ++Step)
      EXPECT_EQ(FadeAlpha(Step, C.Iterations), C.Alphas[Step - 1]) << C.Iterations << " " << Step;
  EXPECT_EQ(FadeAlpha(0, 5), 255);
  EXPECT_EQ(FadeAlpha(-3, 5), 255);  // kept to 0..255
  EXPECT_EQ(FadeAlpha(9, 5), 0);
}

std::vector<TColor32> Pixels(int N, uint32_t Seed) {
  std::vector<TColor32> P(N);
  for (TColor32& C : P) {
    Seed = Seed * 1103515245u + 12345u;
    C = TColor32(Seed);
  }
  return P;
}

TEST(FadeSteps, MixIsTheWeightedSumOfEveryByte) {
  const int W = 5, H = 3;
  for (int Alpha : {0, 1, 127, 128, 204, 255}) {
    std::vector<TColor32> Work = Pixels(W * H, 7), Fresh = Pixels(W * H, 99), Before = Work;
    MixFadeFrame({Work.data(), W, H, W}, {Fresh.data(), W, H, W}, uint8_t(Alpha));
    for (int I = 0; I < W * H; ++I)
      for (int B = 0; B < 4; ++B) {
        const unsigned Old = (uint32_t(Before[I]) >> (8 * B)) & 255, New = (uint32_t(Fresh[I]) >> (8 * B)) & 255;
        EXPECT_EQ((uint32_t(Work[I]) >> (8 * B)) & 255, (Old * Alpha + New * (255 - Alpha) + 127) >> 8);
      }
  }
  // Other sizes, and one-row pictures, are left as they are.
  std::vector<TColor32> Work = Pixels(6, 1), Fresh = Pixels(6, 2), Before = Work;
  MixFadeFrame({Work.data(), 3, 2, 3}, {Fresh.data(), 2, 3, 2}, 0);
  MixFadeFrame({Work.data(), 6, 1, 6}, {Fresh.data(), 6, 1, 6}, 0);
  EXPECT_EQ(Work, Before);
}

}  // namespace
