#include "plugins/common/RingFinder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kFator = 0.02;

ConeModel Cone() {
  ConeModel c;
  EXPECT_TRUE(MakeCone("4", 10.0, c));
  return c;
}

// Each cone type: its rings and where they reflect on the 7.80 mm reference sphere (mm off the apex).
struct TipoEsperado {
  const char* tipo;
  int aneis;
  double primeiro, ultimo;
  double Reflexo(int j) const { return primeiro + (j - 1) * (ultimo - primeiro) / (aneis - 1); }
};
constexpr TipoEsperado kTipos[] = {
    {"1", 16, 0.35, 2.60}, {"2", 16, 0.40, 4.00}, {"3", 32, 0.35, 4.30}, {"4", 32, 0.30, 4.45}};

TEST(ConeModel, EveryConeTypeOfTheInstrumentAndNoOther) {
  ConeModel c;
  for (const TipoEsperado& t : kTipos) {
    EXPECT_TRUE(MakeCone(t.tipo, 10.0, c)) << t.tipo;
    EXPECT_EQ(c.Aneis(), t.aneis) << t.tipo;
  }
  for (const char* tipo : {"", "0", "5", "44", " 4", "cone"}) EXPECT_FALSE(MakeCone(tipo, 10.0, c)) << tipo;
  EXPECT_FALSE(MakeCone("4", 0.0, c));
}

TEST(ConeModel, FirstArrayIsPathPlusTwiceTheReferenceSagOnEveryRing) {
  for (const TipoEsperado& t : kTipos) {
    ConeModel cone;
    ASSERT_TRUE(MakeCone(t.tipo, 10.0, cone));
    std::vector<double> c1, c2;
    ConeDataArrays(cone, c1, c2);
    ASSERT_EQ(c1.size(), size_t(t.aneis));
    for (int j = 1; j <= t.aneis; ++j) {
      const double r = t.Reflexo(j), sag = 7.80 - std::sqrt(7.80 * 7.80 - r * r);
      EXPECT_NEAR(c1[size_t(j - 1)], cone.distancia[size_t(j - 1)] + 2 * sag, 1e-9) << t.tipo << " ring " << j;
    }
  }
}

TEST(RingRender, ReferenceSphereShowsRingsWhereTheConeWasDesigned) {
  ModelEye olho;  // 7.80 mm sphere
  for (const TipoEsperado& t : kTipos) {
    ConeModel cone;
    ASSERT_TRUE(MakeCone(t.tipo, 10.0, cone));
    for (int j : {1, 10, t.aneis}) {
      EXPECT_NEAR(IndiceAnel(olho, cone, t.Reflexo(j), 0.0), j, 1e-6) << t.tipo << " ring " << j;
      EXPECT_NEAR(IndiceAnel(olho, cone, 0.0, -t.Reflexo(j)), j, 1e-6) << t.tipo << " ring " << j;
    }
  }
}

TEST(RingFinder, SphereGivesItsCurvatureOnEveryMeridian) {
  for (const TipoEsperado& t : kTipos) {
    ConeModel cone;
    ASSERT_TRUE(MakeCone(t.tipo, 10.0, cone));
    for (double raio : {7.80, 7.50, 8.20}) {
      ModelEye olho;
      olho.raio = raio;
      ResultadoAneis res;
      ASSERT_TRUE(ProcessarAneis(RenderizarAneis(olho, cone, kFator), cone, kFator, t.aneis, nullptr, res));
      // Bounds: each meridian's mean within 0.03 D; every single ring within 0.25 D (a ring whose
      // dark band holds the pupil's edge is measured against an uneven ground).
      const double k = 337.5 / raio;
      double piorMedia = 0, piorAnel = 0;
      int minAneis = 99;
      for (int m = 0; m < kMeridianos; ++m) {
        minAneis = std::min(minAneis, res.aneis[m]);
        double soma = 0;
        for (int j = 0; j <= res.aneis[m]; ++j) {
          soma += res.D[m][j];
          piorAnel = std::max(piorAnel, std::fabs(res.D[m][j] - k));
        }
        piorMedia = std::max(piorMedia, std::fabs(soma / (res.aneis[m] + 1) - k));
      }
      EXPECT_GE(minAneis, t.aneis * 3 / 4) << t.tipo << " " << raio;
      EXPECT_LT(piorMedia, 0.03) << t.tipo << " " << raio;
      EXPECT_LT(piorAnel, 0.25) << t.tipo << " " << raio;
      // Pixel centres are whole sample positions, so the axis lies between the middle four pixels.
      EXPECT_NEAR(res.centroX, 319.5, 0.02) << t.tipo;
      EXPECT_NEAR(res.centroY, 239.5, 0.02) << t.tipo;
      EXPECT_GT(res.indConf, 60.0) << t.tipo;
    }
  }
}

TEST(RingFinder, ToricModelSteepAndFlatMeridians) {
  const ConeModel cone = Cone();
  ModelEye olho;
  olho.raio = 7.90;   // flat meridian at 30 degrees
  olho.raio2 = 7.60;  // steep meridian at 120 degrees
  olho.eixo = 30;
  ResultadoAneis res;
  ASSERT_TRUE(ProcessarAneis(RenderizarAneis(olho, cone, kFator), cone, kFator, 32, nullptr, res));
  // Mean of rings 1..8 per meridian; the steepest and flattest of the 180 pairs.
  int steep = 0, flat = 0;
  double maxK = 0, minK = 1e9;
  for (int a = 1; a <= 180; ++a) {
    double s = 0;
    int n = 0;
    for (int m : {a, a + 180}) {
      const int row = (m - 1) % 360;
      for (int j = 1; j <= 8; ++j) s += res.D[row][j], ++n;
    }
    if (s / n > maxK) maxK = s / n, steep = a;
    if (s / n < minK) minK = s / n, flat = a;
  }
  // Rows count clockwise as displayed: the usual 120 and 30 degrees are rows at 60 and 150.
  EXPECT_LE(std::abs(steep - 60), 1);
  EXPECT_LE(std::abs(flat - 150), 1);
  EXPECT_NEAR(maxK, 337.5 / 7.60, 0.1);
  EXPECT_NEAR(minK, 337.5 / 7.90, 0.1);
}

TEST(RingFinder, PupilAndReliability) {
  const ConeModel cone = Cone();
  ModelEye olho;
  olho.pupilaRaio = 1.5;
  olho.pupilaX = 0.2;
  ResultadoAneis limpo, ruidoso;
  ASSERT_TRUE(ProcessarAneis(RenderizarAneis(olho, cone, kFator, 2.0), cone, kFator, 32, nullptr, limpo));
  ASSERT_TRUE(ProcessarAneis(RenderizarAneis(olho, cone, kFator, 14.0), cone, kFator, 32, nullptr, ruidoso));
  EXPECT_NEAR(limpo.pupila[0], 319.5 + 10, 3);  // 0.2 mm right of the axis
  EXPECT_NEAR(limpo.pupila[1], 239.5, 3);
  EXPECT_NEAR(limpo.pupila[2], 75, 6);  // 1.5 mm
  EXPECT_LT(ruidoso.indConf, limpo.indConf);
}

TEST(RingFinder, PictureWithoutRingsFails) {
  const ConeModel cone = Cone();
  ImagemCinza vazia;
  vazia.largura = 640;
  vazia.altura = 480;
  vazia.px.assign(640 * 480, 90);
  ResultadoAneis res;
  EXPECT_FALSE(ProcessarAneis(vazia, cone, kFator, 32, nullptr, res));
  vazia.px[240 * 640 + 320] = 255;  // a lone bright point is no ring pattern
  EXPECT_FALSE(ProcessarAneis(vazia, cone, kFator, 32, nullptr, res));
}

TEST(RingFinder, CalibrationLinesCorrectEachRing) {
  const ConeModel cone = Cone();
  ModelEye olho;
  ResultadoAneis bruto, corrigido;
  const ImagemCinza img = RenderizarAneis(olho, cone, kFator);
  ASSERT_TRUE(ProcessarAneis(img, cone, kFator, 32, nullptr, bruto));
  CorrecaoAneis c;
  c.a.assign(32, 0.5);
  c.b.assign(32, 1.0);
  c.a[5] = c.b[5] = 0;  // a ring calibration never reached stays as measured
  ASSERT_TRUE(ProcessarAneis(img, cone, kFator, 32, &c, corrigido));
  EXPECT_NEAR(corrigido.D[10][3], bruto.D[10][3] + 0.5, 1e-9);
  EXPECT_NEAR(corrigido.D[10][6], bruto.D[10][6], 1e-9);
}

// Mean curvature of rings `de`..`ate` over every meridian.
double MediaAneis(const ResultadoAneis& r, int de, int ate) {
  double s = 0;
  int n = 0;
  for (int m = 0; m < kMeridianos; ++m)
    for (int j = de; j <= std::min(ate, r.aneis[m]); ++j) s += r.D[m][j], ++n;
  return n ? s / n : 0;
}

TEST(ModelEye, OrthokeratologyFlattensAndKeratoconusSteepensTheCentre) {
  const ConeModel cone = Cone();
  ModelEye base, orto, kc;
  orto.orto = 3.0;
  kc.ceratocone = 5.0;
  ResultadoAneis rb, ro, rk;
  ASSERT_TRUE(ProcessarAneis(RenderizarAneis(base, cone, kFator), cone, kFator, 32, nullptr, rb));
  ASSERT_TRUE(ProcessarAneis(RenderizarAneis(orto, cone, kFator), cone, kFator, 32, nullptr, ro));
  ASSERT_TRUE(ProcessarAneis(RenderizarAneis(kc, cone, kFator), cone, kFator, 32, nullptr, rk));
  // The axial value of the inner rings averages the change over the zone they see.
  EXPECT_LT(MediaAneis(ro, 1, 3), MediaAneis(rb, 1, 3) - 1.5);
  EXPECT_GT(MediaAneis(rk, 1, 3), MediaAneis(rb, 1, 3) + 2.0);
  // Outside the treatment zone and the cone the cornea is the base one (within half a dioptre).
  EXPECT_NEAR(MediaAneis(ro, 28, 32), MediaAneis(rb, 28, 32), 0.5);
}

}  // namespace
