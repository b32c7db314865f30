#include "core/UBEscalas.h"

#include <gtest/gtest.h>

#include "core/UBErroMapa.h"

namespace {

struct Exame {
  TMatrizAngAnel Matriz{};
  TMatrizAng Aneis{};
};

// Every valid ring of every meridian holds a value from the list, in turn.
Exame ExameCom(std::initializer_list<double> valores, int n = 10) {
  Exame e;
  e.Aneis.fill(n);
  size_t i = 0;
  const std::vector<double> v(valores);
  for (auto& linha : e.Matriz) {
    linha[0] = 99;  // the centre is never read
    for (int k = 1; k <= n; ++k) linha[size_t(k)] = v[i++ % v.size()];
  }
  return e;
}

TEST(TBEscala, CentroArredondadoAoQuartoSeguinte) {
  struct Caso {
    double Centro, Ajustado;
  };
  for (const Caso c : {Caso{42.25, 42.25}, Caso{42.26, 42.5}, Caso{42.8, 43}, Caso{42, 42}, Caso{42.5, 42.5},
                       Caso{42.51, 42.75}, Caso{42.75, 42.75}, Caso{42.76, 43}, Caso{0.1, 0.25}})
    EXPECT_DOUBLE_EQ(TBEscala::ArredondarQuarto(c.Centro), c.Ajustado) << c.Centro;
}

TEST(TBEscala, PassoAutomatico) {
  struct Caso {
    double Maximo, Minimo, Passo;
  };
  const Caso casos[] = {
      {46, 40, 0.5},        // raw 0.4
      {70, 40, 2.0},        // raw 2.0
      {40.5, 40, 0.25},     // raw 0.033
      {0, 1000, 0.25},      // no valid ring: negative raw
      {51.25, 40, 0.75},    // raw 0.75
      {55, 40, 1.0},        // raw 1.0
      {56.875, 40, 1.0},    // raw 1.125: quarter ties to even (4.5 -> 4)
      {57.125, 40, 1.25},   // raw 1.1417
      {47.5, 40, 0.5},      // raw exactly 0.5
      {43.75, 40, 0.25},    // raw exactly 0.25
  };
  for (const Caso& c : casos) EXPECT_DOUBLE_EQ(TBEscala::PassoAutomatico(c.Maximo, c.Minimo), c.Passo) << c.Maximo;
}

TEST(TBEscala, NiveisRaiosETabelaFixa) {
  const Exame e = ExameCom({40, 46, 43});
  TBEscala escala(false, 1.0);
  escala.GerarEscala(e.Matriz, e.Aneis, 0);
  EXPECT_EQ(escala.ValorMaximo, 46);
  EXPECT_EQ(escala.ValorMinimo, 40);
  EXPECT_EQ(escala.Centro, 43);
  for (int i = 0; i < 15; ++i) {
    EXPECT_DOUBLE_EQ(escala.Niveis[size_t(i)], 43 + (i - 7) * 0.5);
    EXPECT_DOUBLE_EQ(escala.Raios[size_t(i)], 337.5 / escala.Niveis[size_t(i)]);
  }
  EXPECT_EQ(escala.EscalaMinima, 39.5);
  EXPECT_EQ(escala.EscalaMaxima, 46.5);
  EXPECT_EQ(escala.Fixa.front(), 30);
  EXPECT_EQ(escala.Fixa.back(), 54);
  EXPECT_DOUBLE_EQ(escala.RaiosFixa[0], 11.25);
  EXPECT_TRUE(escala.Valores.empty());  // type 0 collects nothing
  EXPECT_EQ(escala.Matriz, &e.Matriz);
}

TEST(TBEscala, IncrementoFixoComAutoIncMap) {
  const Exame e = ExameCom({40.1, 46.3});
  TBEscala escala(true, 1.0);
  escala.GerarEscala(e.Matriz, e.Aneis, 0);
  EXPECT_DOUBLE_EQ(escala.Niveis[7], 43.25);
  EXPECT_DOUBLE_EQ(escala.EscalaMinima, 43.25 - 7);
  EXPECT_DOUBLE_EQ(escala.EscalaMaxima, 43.25 + 7);
}

TEST(TBEscala, TiposDeCentro) {
  const Exame e = ExameCom({-3, 0, 40, 41, 41, 44}, 6);
  struct Caso {
    uint8_t Tipo;
    double Centro;
  };
  for (const Caso c : {Caso{0, 20.5}, Caso{1, 41.5}, Caso{2, 41}, Caso{3, 41}}) {
    TBEscala escala(false, 1);
    escala.GerarEscala(e.Matriz, e.Aneis, c.Tipo);
    EXPECT_DOUBLE_EQ(escala.Centro, c.Centro) << int(c.Tipo);
    // Negative and zero values count for the extremes, never for Valores.
    EXPECT_EQ(escala.ValorMinimo, -3);
    if (c.Tipo != 0) {
      EXPECT_EQ(escala.Valores.size(), 360u * 4);
      EXPECT_TRUE(std::is_sorted(escala.Valores.begin(), escala.Valores.end()));
    }
  }
  // Even count: mean of the two middle values; mode ties: the smallest.
  const Exame par = ExameCom({40, 42}, 2);
  TBEscala mediana(false, 1), moda(false, 1);
  mediana.GerarEscala(par.Matriz, par.Aneis, 2);
  moda.GerarEscala(par.Matriz, par.Aneis, 3);
  EXPECT_DOUBLE_EQ(mediana.Centro, 41);
  EXPECT_DOUBLE_EQ(moda.Centro, 40);
}

TEST(TBEscala, ExameSemAneisValidos) {
  Exame e = ExameCom({43});
  e.Aneis.fill(0);
  TBEscala escala(false, 1);
  escala.GerarEscala(e.Matriz, e.Aneis, 0);
  EXPECT_EQ(escala.ValorMaximo, 0);
  EXPECT_EQ(escala.ValorMinimo, 1000.0);
  EXPECT_EQ(escala.Centro, 500);
  EXPECT_DOUBLE_EQ(escala.Niveis[1] - escala.Niveis[0], 0.25);
  EXPECT_THROW(escala.GerarEscala(e.Matriz, e.Aneis, 1), EErroMapa);
}

TEST(TBEscala, ContagensForaDoIntervaloLimitadas) {
  Exame e = ExameCom({43});
  e.Aneis.fill(1000);  // read as 32, never past the row
  e.Aneis[5] = -7;
  for (auto& linha : e.Matriz) linha[32] = 50;
  TBEscala escala(false, 1);
  escala.GerarEscala(e.Matriz, e.Aneis, 1);
  EXPECT_EQ(escala.ValorMaximo, 50);
  EXPECT_EQ(escala.Valores.size(), 359u * 11);  // rings 1-10 and ring 32
}

TEST(TBEscala, Paletas) {
  EXPECT_EQ(TBEscala::Paleta15.front(), (TCorRGB{0, 21, 162}));
  EXPECT_EQ(TBEscala::Paleta15[7], (TCorRGB{25, 163, 28}));
  EXPECT_EQ(TBEscala::Paleta15.back(), (TCorRGB{255, 0, 0}));
  EXPECT_EQ(TBEscala::Paleta25.front(), (TCorRGB{64, 15, 137}));
  EXPECT_EQ(TBEscala::Paleta25[12], (TCorRGB{19, 163, 51}));
  EXPECT_EQ(TBEscala::Paleta25.back(), (TCorRGB{255, 0, 0}));
}

}  // namespace
