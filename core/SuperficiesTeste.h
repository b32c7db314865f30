#pragma once
// Exams of known surfaces, built from exact formulas, for the map tests: a model Placido cone and
// the ring data that a telecentric camera sees on a sphere or a toric surface through it.
#include <cmath>
#include <numbers>
#include <vector>

#include "core/UBDadosCone.h"
#include "core/UBMatrizMapa.h"

namespace superficies {

constexpr double F = 0.02;    // mm per image sample
constexpr int Aneis = 24;     // rings per meridian
constexpr double RaioReferencia = 7.80;

// Ring j (1-based) reflects on the reference sphere at this radial height (mm).
inline double AlturaReferencia(int j) { return 0.15 * j; }
// Axial distance of ring j from the apex plane (mm): a cone opening towards the eye.
inline double DistanciaAnel(int j) { return 70.0 - 1.2 * j; }

inline double Sag(double R, double p) { return R - std::sqrt(R * R - p * p); }
inline double Inclinacao(double R, double p) { return p / std::sqrt(R * R - p * p); }

struct Anel {
  double H;  // radial height of the ring (mm)
  double W;  // axial distance of the ring from the apex plane (mm)
};

// The ring that the reference sphere shows at AlturaReferencia(j): its normal bisects the viewing
// ray (parallel to the axis) and the ray to the ring.
inline Anel AnelDoCone(int j) {
  const double p = AlturaReferencia(j), w = DistanciaAnel(j);
  const double alfa = 2 * std::atan(Inclinacao(RaioReferencia, p));
  return {p + (w + Sag(RaioReferencia, p)) * std::tan(alfa), w};
}

// A cone: its rings (ring j + 1 at index j) and the table the elevation computation reads.
struct Cone {
  std::vector<Anel> Aneis;
  TDadosCone Tabela;
};

// The test's own cone. Its table's first array carries W + 2 z_ref so that the computation's
// "|C1| - z" is the ring's distance W + z from the reflecting point on the reference sphere.
inline Cone ConeModelo() {
  Cone c;
  for (int j = 1; j <= MaxNumAneis; ++j) {
    const Anel a = AnelDoCone(j);
    c.Aneis.push_back(a);
    c.Tabela.C1.push_back(a.W + 2 * Sag(RaioReferencia, AlturaReferencia(j)));
    c.Tabela.C2.push_back(a.H);
  }
  return c;
}

inline TDadosCone TabelaCone() { return ConeModelo().Tabela; }

// Where a ring reflects on a sphere of radius R: the height p at which the reflection law holds.
inline double ReflexaoNaEsfera(double R, const Anel& a) {
  double lo = 0, hi = std::min(a.H, 0.95 * R);
  for (int i = 0; i < 200; ++i) {
    const double p = (lo + hi) / 2;
    const double alvo = std::tan(0.5 * std::atan((a.H - p) / (a.W + Sag(R, p))));
    (Inclinacao(R, p) < alvo ? lo : hi) = p;
  }
  return (lo + hi) / 2;
}

struct ExameSintetico {
  TMatrizAngAnel D{}, M{};
  TMatrizAng AneisPorMeridiano{};
  double CentroX = 320, CentroY = 240;
};

// A sphere of radius R: axial curvature 337.5 / R on every ring, ring positions from the cone.
inline ExameSintetico Esfera(double R, int n = Aneis, const Cone& cone = ConeModelo()) {
  ExameSintetico e;
  e.AneisPorMeridiano.fill(n);
  TLinhaMatriz d{}, posicoes{};
  for (int k = 0; k <= n; ++k) {
    d[size_t(k)] = 337.5 / R;
    posicoes[size_t(k)] = k == 0 ? 0 : ReflexaoNaEsfera(R, cone.Aneis[size_t(k - 1)]) / F;
  }
  e.D.fill(d);
  e.M.fill(posicoes);
  return e;
}

// A toric surface: KPlano dioptres on the meridian at EixoPlano degrees, KCurvo 90 degrees away.
// Row r holds the meridian at r + 1 degrees.
inline ExameSintetico Torica(double KPlano, double KCurvo, double EixoPlano, int n = Aneis) {
  ExameSintetico e = Esfera(337.5 / ((KPlano + KCurvo) / 2), n);
  for (int m = 0; m < NumMeridianos; ++m) {
    const double s = std::sin((m + 1 - EixoPlano) * std::numbers::pi / 180);
    for (int k = 0; k <= n; ++k) e.D[size_t(m)][size_t(k)] = KPlano + (KCurvo - KPlano) * s * s;
  }
  return e;
}

}  // namespace superficies
