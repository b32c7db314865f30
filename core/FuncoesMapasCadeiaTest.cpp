// Maps of exams that went through the stand-in modules' optics: the capture's picture of a model
// eye, the processing's ring finder, then this program's map grid, keratometry and elevation.
#include <gtest/gtest.h>

#include <cmath>

#include "core/SuperficiesTeste.h"
#include "core/UBFuncoesMapas.h"
#include "plugins/common/ConeModel.h"
#include "plugins/common/RingFinder.h"

namespace {

constexpr double Fator = 0.02;
constexpr double Z0 = 10.0;

ConeModel ConeDosModulos(const std::string& tipo = "4") {
  ConeModel cone;
  EXPECT_TRUE(MakeCone(tipo, Z0, cone));
  return cone;
}

TDadosCone TabelaDosModulos(const ConeModel& cone) {
  TDadosCone t;
  ConeDataArrays(cone, t.C1, t.C2);
  return t;
}

// The stand-ins' cone as the synthetic exams take it.
superficies::Cone ConeSintetico(const ConeModel& cone) {
  superficies::Cone c;
  for (int j = 0; j < cone.Aneis(); ++j) c.Aneis.push_back({cone.altura[size_t(j)], cone.distancia[size_t(j)]});
  c.Tabela = TabelaDosModulos(cone);
  return c;
}

struct Exame {
  TMatrizAngAnel D{}, M{};
  TMatrizAng Aneis{};
  double CentroX = 0, CentroY = 0;
};

Exame Capturar(const ModelEye& olho, const ConeModel& cone) {
  ResultadoAneis r;
  EXPECT_TRUE(ProcessarAneis(RenderizarAneis(olho, cone, Fator), cone, Fator, cone.Aneis(), nullptr, r));
  Exame e;
  for (int m = 0; m < NumMeridianos; ++m) {
    e.Aneis[size_t(m)] = r.aneis[m];
    for (int k = 0; k < NumValoresAnel; ++k) {
      e.D[size_t(m)][size_t(k)] = r.D[m][k];
      e.M[size_t(m)][size_t(k)] = r.M[m][k];
    }
  }
  e.CentroX = r.centroX;
  e.CentroY = r.centroY;
  return e;
}

TCeratometria SimK(const Exame& e, const ConeModel& cone) {
  const double f = Fator, z0 = Z0;
  const int numAneis = 32;
  TBFuncoesMapas mapa(e.D, e.M, e.Aneis, nullptr, nullptr, e.CentroX, e.CentroY, f, z0, "4", numAneis);
  mapa.CarregaDadosCone = [&](TDadosCone& d, const std::string&, double) { d = TabelaDosModulos(cone); };
  mapa.CalcularMapa(tmAxial);
  TCeratometria k{};
  mapa.GetCeratometria(k, 1.5);
  return k;
}

TEST(CadeiaDosModulos, EsferaDe780) {
  const ConeModel cone = ConeDosModulos();
  const TCeratometria k = SimK(Capturar(ModelEye{}, cone), cone);
  EXPECT_NEAR(k.R1, 7.80, 0.02);
  EXPECT_NEAR(k.R2, 7.80, 0.02);
  EXPECT_NEAR(k.K1, 43.27, 0.12);
}

TEST(CadeiaDosModulos, ToricaComEixo) {
  const ConeModel cone = ConeDosModulos();
  ModelEye olho;
  olho.raio = 337.5 / 42.0;   // flat meridian at 180
  olho.raio2 = 337.5 / 44.0;  // steep at 90
  const TCeratometria k = SimK(Capturar(olho, cone), cone);
  EXPECT_NEAR(k.K1, 44.0, 0.15);
  EXPECT_NEAR(k.K2, 42.0, 0.15);
  EXPECT_NEAR(k.Eixo, 90, 3);
}

// Spread of the difference map over the covered grid, in micrometres.
double Espalhamento(const TBFuncoesMapas& mapa, int aneis) {
  double lo = 1e9, hi = -1e9;
  for (int m = 0; m < NumMeridianos; ++m)
    for (int s = 1; s < NumAmostrasRaio && s <= mapa.MatrizM[size_t(m)][size_t(aneis)]; ++s) {
      lo = std::min(lo, mapa.CelulaElevacao(m, s).Diferenca);
      hi = std::max(hi, mapa.CelulaElevacao(m, s).Diferenca);
    }
  return hi - lo;
}

TEST(CadeiaDosModulos, ElevacaoComATabelaDoCone) {
  // Every cone type, every ring of the cone, the outer ones included.
  for (const std::string tipo : {"1", "2", "3", "4"}) {
    const ConeModel cone = ConeDosModulos(tipo);
    const superficies::Cone sintetico = ConeSintetico(cone);
    struct Caso {
      double Raio, Limite;  // micrometres
    };
    const int numAneis = cone.Aneis();
    for (const Caso c : {Caso{7.80, 1.5}, Caso{7.50, 5.0}, Caso{8.20, 5.0}}) {
      superficies::ExameSintetico e = superficies::Esfera(c.Raio, numAneis, sintetico);
      const double f = superficies::F, z0 = Z0;
      TBFuncoesMapas mapa(e.D, e.M, e.AneisPorMeridiano, nullptr, nullptr, e.CentroX, e.CentroY, f, z0, tipo,
                          numAneis);
      mapa.CarregaDadosCone = [&](TDadosCone& d, const std::string&, double) { d = sintetico.Tabela; };
      mapa.CalcularMapa(tmElevacao);
      EXPECT_LE(Espalhamento(mapa, numAneis), c.Limite) << tipo << " " << c.Raio;
    }
  }
}

// The example exams' road: a sphere photographed and measured with the large 16-ring cone (type
// "2"), its elevation computed over 16 rings with that cone's table.
TEST(CadeiaDosModulos, ElevacaoDoConeGrandeComDezesseisAneis) {
  const ConeModel cone = ConeDosModulos("2");
  ASSERT_EQ(cone.Aneis(), 16);
  for (const double raio : {7.80, 7.50, 8.20}) {
    ModelEye olho;
    olho.raio = raio;
    const Exame e = Capturar(olho, cone);
    const double f = Fator, z0 = Z0;
    const int numAneis = 16;
    TBFuncoesMapas mapa(e.D, e.M, e.Aneis, nullptr, nullptr, e.CentroX, e.CentroY, f, z0, "2", numAneis);
    mapa.CarregaDadosCone = [&](TDadosCone& d, const std::string& tipo, double) {
      EXPECT_EQ(tipo, "2");
      d = TabelaDosModulos(cone);
    };
    mapa.CalcularMapa(tmElevacao);
    EXPECT_LE(Espalhamento(mapa, numAneis), 3.0) << raio;
  }
}

}  // namespace
