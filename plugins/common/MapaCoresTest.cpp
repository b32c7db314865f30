#include "plugins/common/MapaCores.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// Rings every 6 samples, values a + b r on every meridian.
struct Exame {
  Matriz M{}, D{};
  int aneis[360];
  Exame(double a, double b, int n = 32) {
    for (int row = 0; row < 360; ++row) {
      aneis[row] = n;
      for (int j = 0; j <= n; ++j) {
        M[row][j] = 6.0 * j;
        D[row][j] = a + b * M[row][j];
      }
    }
  }
  DadosMapa Dados() { return {&M, &D, aneis}; }
};

TEST(MapaCores, TangentialOfSphereIsAxialAndOfALinearProfileIsItsDerivative) {
  auto esfera = std::make_unique<Exame>(43.27, 0.0);
  auto t = std::make_unique<Exame>(0.0, 0.0);
  TangencialDeAxial(esfera->Dados(), t->D);
  for (int j = 0; j <= 32; ++j) EXPECT_NEAR(t->D[100][j], 43.27, 1e-9);

  auto linear = std::make_unique<Exame>(44.0, -0.01);
  TangencialDeAxial(linear->Dados(), t->D);
  for (int j = 1; j < 32; ++j) EXPECT_NEAR(t->D[7][j], 44.0 - 0.02 * 6.0 * j, 1e-9) << j;
}

TEST(MapaCores, ValuesInsideTheMeasuredZoneOnly) {
  auto e = std::make_unique<Exame>(40.0, 0.1);
  e->aneis[89] = e->aneis[90] = 10;  // meridians 90 and 91 end at 60 samples
  double v;
  ASSERT_TRUE(ValorEm(e->Dados(), 30.0, 0.0, v));
  EXPECT_NEAR(v, 43.0, 1e-9);
  EXPECT_FALSE(ValorEm(e->Dados(), 0.0, 100.0, v));  // straight down on screen, past meridian 90's last ring
  EXPECT_TRUE(ValorEm(e->Dados(), 0.0, -100.0, v));
  EXPECT_FALSE(ValorEm(e->Dados(), 200.0, 0.0, v));
}

TEST(MapaCores, MapColoursFollowTheScale) {
  auto e = std::make_unique<Exame>(40.0, 0.05);  // 40 D at the centre, 49.6 D at the last ring
  Escala15 esc;
  for (int i = 0; i < 15; ++i) {
    esc.niveis[size_t(i)] = 38.0 + i;
    esc.cores[size_t(i)] = {uint8_t(i * 10), uint8_t(255 - i * 10), 7};
  }
  const ImagemRGB img = RenderizarMapa(e->Dados(), esc, 101, 200.0);
  auto cor = [&](int x, int y) { return img.px[(size_t(y) * 101 + x) * 3]; };
  EXPECT_EQ(cor(50, 50), 20);   // 40 D: level 3
  EXPECT_EQ(cor(0, 0), 255);    // corner: outside the cornea, white
  EXPECT_EQ(cor(97, 50), 110);  // ~ 188 samples out: 49.4 D, level 12
}

TEST(MapaCores, DifferenceOfAnExamWithItselfIsZeroAndOfTwoSpheresTheirStep) {
  auto a = std::make_unique<Exame>(43.27, 0.01);
  auto d = std::make_unique<Exame>(0.0, 0.0);
  DiferencaMapas(a->Dados(), a->Dados(), d->D, d->aneis);
  for (int row = 0; row < 360; ++row) {
    ASSERT_EQ(d->aneis[row], 32) << row;
    for (int j = 0; j <= 32; ++j) ASSERT_NEAR(d->D[row][j], 0.0, 1e-9) << row << " " << j;
  }
  // The second exam measured only up to 60 samples: the difference stops there.
  auto b = std::make_unique<Exame>(42.27, 0.01, 10);
  DiferencaMapas(a->Dados(), b->Dados(), d->D, d->aneis);
  EXPECT_EQ(d->aneis[200], 10);
  EXPECT_NEAR(d->D[200][7], 1.0, 1e-9);
}

TEST(MapaCores, ElevationOfASphereIsItsSag) {
  // A 7.80 mm sphere: 43.27 D everywhere; samples of 0.02 mm.
  auto e = std::make_unique<Exame>(337.5 / 7.80, 0.0);
  auto z = std::make_unique<Exame>(0.0, 0.0);
  ElevacaoDeAxial(e->Dados(), 0.02, z->D);
  for (int j : {0, 10, 32}) {
    const double r = 6.0 * j * 0.02;
    EXPECT_NEAR(z->D[45][j], 7.80 - std::sqrt(7.80 * 7.80 - r * r), 2e-4) << j;
  }
}

}  // namespace
