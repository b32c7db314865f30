#include "plugins/common/Lente.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 7.80 mm sphere measured out to 5 mm: rings every 0.15 mm (samples of 0.02 mm).
struct Esfera {
  Matriz M{}, D{};
  int aneis[360];
  Esfera() {
    for (int row = 0; row < 360; ++row) {
      aneis[row] = 32;
      for (int j = 0; j <= 32; ++j) M[row][j] = 7.8 * j, D[row][j] = 337.5 / 7.80;
    }
  }
  DadosMapa Dados() { return {&M, &D, aneis}; }
};

TEST(Lente, AlignedSteepAndFlatFits) {
  auto e = std::make_unique<Esfera>();
  // Aligned: an even film, no pattern.
  Fluoresceina f = SimularFluoresceina(e->Dados(), 0.02, 7.80, 9.0, 101);
  EXPECT_LT(f.lagrimaCentral, 2.0);
  EXPECT_LT(f.lagrimaBorda, 2.0);
  // Steeper than the cornea: the lens vaults the centre (central pooling, bright), touches at the edge.
  f = SimularFluoresceina(e->Dados(), 0.02, 7.40, 9.0, 101);
  EXPECT_GT(f.lagrimaCentral, 30.0);
  EXPECT_LT(f.lagrimaBorda, f.lagrimaCentral / 2);
  EXPECT_GT(f.imagem.px[(50 * 101 + 50) * 3 + 1], 200);
  // Flatter: central touch (dark), pooling at the edge.
  f = SimularFluoresceina(e->Dados(), 0.02, 8.20, 9.0, 101);
  EXPECT_LT(f.lagrimaCentral, 1.0);
  EXPECT_GT(f.lagrimaBorda, 20.0);
  EXPECT_LT(f.imagem.px[(50 * 101 + 50) * 3 + 1], 10);
}

}  // namespace
