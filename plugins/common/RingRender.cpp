#include "plugins/common/RingRender.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReflexo = 0.35;  // below this ring index the camera's fixation light is seen
constexpr double kBranco = 225, kIris = 70, kPupila = 18, kLuz = 255, kEsclera = 160;

// Integrals of the cone's painted pattern over the ring index t: white bands [j, j + 0.5) for the
// rings j = 1..N, and the fixation light below kReflexo. W is the white length below t, WW its
// integral; the same pair for the light.
double WW(double t, int n) {
  const double u = t - 1.0, fim = n - 0.5;
  if (u <= 0) return 0;
  auto ate = [](double v) {
    const double k = std::floor(v), f = v - k;
    const double parcial = 0.5 * k * f + (f <= 0.5 ? f * f / 2 : 0.125 + 0.5 * (f - 0.5));
    return 0.25 * k * (k - 1) + 0.375 * k + parcial;
  };
  return u <= fim ? ate(u) : ate(fim) + (u - fim) * n / 2.0;
}

double LuzWW(double t) { return t < kReflexo ? t * t / 2 : kReflexo * kReflexo / 2 + kReflexo * (t - kReflexo); }

// Mean of a pattern over a cell across which t spreads as the sum of two boxes of widths a and b
// (a trapezoid): a second difference of the pattern's double integral.
template <class F>
double Cobertura(F ww, double t, double a, double b) {
  a = std::max(a, 1e-4);
  b = std::max(b, 1e-4);
  return (ww(t + (a + b) / 2) - ww(t + (a - b) / 2) - ww(t - (a - b) / 2) + ww(t - (a + b) / 2)) / (a * b);
}

// Grey level of the dark ground at a point: pupil or iris.
double Fundo(const ModelEye& olho, double x, double y) {
  const double dx = x - olho.pupilaX, dy = y - olho.pupilaY;
  return dx * dx + dy * dy < olho.pupilaRaio * olho.pupilaRaio ? kPupila : kIris;
}

// Grey level of a point seen at ring index t (negative: no cone seen there).
double NivelPonto(const ModelEye& olho, int n, double x, double y, double t) {
  double z;
  if (!Sag(olho, x, y, z)) return kEsclera;
  const double fundo = Fundo(olho, x, y);
  if (t < 0.0) return fundo;
  if (t < kReflexo) return kLuz;
  return t >= 1.0 && t < n + 0.5 && t - std::floor(t) < 0.5 ? kBranco : fundo;
}

struct Ruido {
  uint64_t s;
  double Uniforme() {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return (double(s >> 11) + 0.5) / 9007199254740992.0;
  }
  double Gauss() { return std::sqrt(-2.0 * std::log(Uniforme())) * std::cos(6.283185307179586 * Uniforme()); }
};

uint8_t Byte(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

double IndiceAnel(const ModelEye& olho, const ConeModel& cone, double x, double y) {
  double z, n[3];
  if (!Sag(olho, x, y, z) || !Normal(olho, x, y, n)) return -1.0;
  // Camera ray (0, 0, 1) reflected about the normal.
  const double dn = n[2];
  const double r[3] = {-2.0 * dn * n[0], -2.0 * dn * n[1], 1.0 - 2.0 * dn * n[2]};
  if (r[2] >= 0.0) return -1.0;
  // g(t): how far the reflected ray passes outside the cone surface at the depth of ring index t;
  // it falls as t grows (nearer rings are wider), so bisection finds the ring seen.
  auto g = [&](double t) {
    const double lambda = (ConeDistancia(cone, t) + z) / -r[2];
    const double px = x + lambda * r[0], py = y + lambda * r[1];
    return std::sqrt(px * px + py * py) - ConeAltura(cone, t);
  };
  double lo = -1.0, hi = cone.Aneis() + 3.0;
  if (g(lo) < 0.0) return 0.0;
  if (g(hi) > 0.0) return -1.0;
  for (int i = 0; i < 40; ++i) {
    const double mid = 0.5 * (lo + hi);
    (g(mid) > 0.0 ? lo : hi) = mid;
  }
  return std::max(0.0, 0.5 * (lo + hi));
}

ImagemCinza RenderizarAneis(const ModelEye& olho, const ConeModel& cone, double fator, double ruido,
                            uint32_t semente) {
  ImagemCinza img;
  img.largura = kLarguraCaptura;
  img.altura = kAlturaCaptura;
  img.px.resize(size_t(img.largura) * img.altura);
  const double cx = img.largura / 2.0, cy = img.altura / 2.0;
  auto mmX = [&](double px) { return (px - cx) * fator; };
  auto mmY = [&](double py) { return (cy - py) * fator; };
  const int n = cone.Aneis();
  auto ww = [n](double t) { return WW(t, n); };

  // Each pixel is four cells of half a sample. t is taken as linear across a cell, so a cell's
  // share of ring, ground and light is exact and ring edges keep sub-sample positions.
  Ruido rnd{0x9E3779B97F4A7C15ull ^ semente};
  for (int j = 0; j < img.altura; ++j) {
    for (int i = 0; i < img.largura; ++i) {
      double x[4], y[4], t[4];
      bool liso = true;
      for (int s = 0; s < 4; ++s) {
        x[s] = mmX(i + 0.25 + 0.5 * (s & 1));
        y[s] = mmY(j + 0.25 + 0.5 * (s >> 1));
        t[s] = IndiceAnel(olho, cone, x[s], y[s]);
        liso = liso && t[s] >= 0.0;
      }
      double v = 0;
      if (liso) {
        const double a = std::fabs((t[1] - t[0]) + (t[3] - t[2])) / 2, b = std::fabs((t[2] - t[0]) + (t[3] - t[1])) / 2;
        for (int s = 0; s < 4; ++s) {
          double z;
          if (!Sag(olho, x[s], y[s], z)) {
            v += kEsclera;
            continue;
          }
          const double fundo = Fundo(olho, x[s], y[s]);
          const double branco = Cobertura(ww, t[s], a, b), luz = Cobertura(LuzWW, t[s], a, b);
          v += fundo + (kBranco - fundo) * branco + (kLuz - fundo) * luz;
        }
      } else {
        for (int s = 0; s < 4; ++s) v += NivelPonto(olho, n, x[s], y[s], t[s]);
      }
      img.px[size_t(j) * img.largura + i] = Byte(v / 4 + ruido * rnd.Gauss());
    }
  }
  return img;
}

ImagemCinza RenderizarPerfil(const ModelEye& olho, double fator) {
  ImagemCinza img;
  img.largura = kLarguraCaptura;
  img.altura = kAlturaCaptura;
  img.px.assign(size_t(img.largura) * img.altura, 20);
  const double z0 = 200.0;  // column of the apex plane
  for (int j = 0; j < img.altura; ++j) {
    const double y = (img.altura / 2.0 - (j + 0.5)) * fator;
    double sag;
    if (!Sag(olho, olho.decX, y, sag)) continue;
    for (int i = 0; i < img.largura; ++i) {
      // Coverage of the tissue (right of the surface) within the pixel's width.
      const double zEsq = (i - z0) * fator, zDir = (i + 1 - z0) * fator;
      const double cobre = std::clamp((zDir - sag) / (zDir - zEsq), 0.0, 1.0);
      img.px[size_t(j) * img.largura + i] = Byte(20 + cobre * 160);
    }
  }
  return img;
}
