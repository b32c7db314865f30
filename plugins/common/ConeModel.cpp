#include "plugins/common/ConeModel.h"

#include <cmath>

namespace {

double SagEsfera(double r, double raio) { return raio - std::sqrt(raio * raio - r * r); }

// Linear in t through the ring samples, extended past both ends.
double Interpola(const std::vector<double>& v, double t) {
  const int n = int(v.size());
  double i = t - 1.0;
  int k = int(std::floor(i));
  if (k < 0) k = 0;
  if (k > n - 2) k = n - 2;
  const double f = i - k;
  return v[k] + (v[k + 1] - v[k]) * f;
}

}  // namespace

bool MakeCone(const std::string& tipoCone, double z0, ConeModel& cone) {
  if (tipoCone != "4" || !(z0 > 0.0) || z0 > 200.0) return false;
  // Cone type 4: 32 rings whose reflections on the reference sphere fall evenly from 0.30 to
  // 4.45 mm off the apex; the front ring stands z0 in front of the apex plane, each ring behind
  // it 2 mm further back.
  cone.altura.assign(kAneisCone, 0.0);
  cone.distancia.assign(kAneisCone, 0.0);
  for (int j = 0; j < kAneisCone; ++j) {
    const double r = 0.30 + j * (4.45 - 0.30) / (kAneisCone - 1);
    const double w = z0 + 2.0 * (kAneisCone - 1 - j);
    const double teta = std::asin(r / kRaioReferencia);  // surface normal tilt at r
    cone.distancia[j] = w;
    cone.altura[j] = r + std::tan(2.0 * teta) * (w + SagEsfera(r, kRaioReferencia));
  }
  return true;
}

void ConeDataArrays(const ConeModel& cone, std::vector<double>& c1, std::vector<double>& c2) {
  c1.resize(cone.altura.size());
  c2 = cone.altura;
  for (size_t j = 0; j < cone.altura.size(); ++j) {
    // The reflection point of ring j on the reference sphere: solve r + tan(2 asin(r/R)) (W + sag) = C2.
    // The left side grows with r only while the reflected ray leans less than 90 degrees off the axis
    // (r < R sin 45), which holds every ring; the search stays inside that range.
    double lo = 0.0, hi = kRaioReferencia * std::sin(0.785398163397448) * 0.9999;
    for (int it = 0; it < 200; ++it) {
      const double r = 0.5 * (lo + hi);
      const double c = r + std::tan(2.0 * std::asin(r / kRaioReferencia)) *
                               (cone.distancia[j] + SagEsfera(r, kRaioReferencia));
      (c < cone.altura[j] ? lo : hi) = r;
    }
    c1[j] = cone.distancia[j] + 2.0 * SagEsfera(0.5 * (lo + hi), kRaioReferencia);
  }
}

double ConeAltura(const ConeModel& cone, double t) { return Interpola(cone.altura, t); }
double ConeDistancia(const ConeModel& cone, double t) { return Interpola(cone.distancia, t); }
