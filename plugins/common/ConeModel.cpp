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

// A cone type's rings: how many, where their reflections fall on the reference sphere (evenly
// from the first to the last, in mm off the apex) and how far each ring stands behind the one in
// front of it (mm).
struct TipoDeCone {
  const char* tipo;
  int aneis;
  double primeiro, ultimo, passo;
};

constexpr TipoDeCone kTiposCone[] = {
    {"1", 16, 0.35, 2.60, 1.5},  // small 16-ring cone: close to the eye, central cornea only
    {"2", 16, 0.40, 4.00, 3.0},  // large 16-ring cone: longer, its rings wider apart
    {"3", 32, 0.35, 4.30, 2.2},  // the first 32-ring cone
    {"4", 32, 0.30, 4.45, 2.0},  // the current 32-ring cone
};

}  // namespace

bool MakeCone(const std::string& tipoCone, double z0, ConeModel& cone) {
  if (!(z0 > 0.0) || z0 > 200.0) return false;
  const TipoDeCone* t = nullptr;
  for (const TipoDeCone& k : kTiposCone)
    if (tipoCone == k.tipo) t = &k;
  if (!t) return false;
  // The front ring stands z0 in front of the apex plane, each ring behind it one step further back.
  cone.altura.assign(size_t(t->aneis), 0.0);
  cone.distancia.assign(size_t(t->aneis), 0.0);
  for (int j = 0; j < t->aneis; ++j) {
    const double r = t->primeiro + j * (t->ultimo - t->primeiro) / (t->aneis - 1);
    const double w = z0 + t->passo * (t->aneis - 1 - j);
    const double teta = std::asin(r / kRaioReferencia);  // surface normal tilt at r
    cone.distancia[size_t(j)] = w;
    cone.altura[size_t(j)] = r + std::tan(2.0 * teta) * (w + SagEsfera(r, kRaioReferencia));
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
