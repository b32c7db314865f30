#include "plugins/common/ModelEye.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

bool Sag(const ModelEye& olho, double x, double y, double& z) {
  const double dx = x - olho.decX, dy = y - olho.decY;
  if (dx * dx + dy * dy > olho.limbo * olho.limbo) return false;
  const double a = olho.eixo * kPi / 180.0;
  const double u = dx * std::cos(a) + dy * std::sin(a);
  const double v = -dx * std::sin(a) + dy * std::cos(a);
  const double cu = 1.0 / olho.raio;
  const double cv = 1.0 / (olho.raio2 > 0.0 ? olho.raio2 : olho.raio);
  const double k = 1.0 + olho.asfericidade;
  const double disc = 1.0 - k * (cu * cu * u * u + cv * cv * v * v);
  if (disc <= 0.0) return false;
  z = (cu * u * u + cv * v * v) / (1.0 + std::sqrt(disc));
  // Curvature changes in dioptres become surface curvature through the keratometric 337.5.
  const double r2 = dx * dx + dy * dy, zona2 = olho.zonaOrto * olho.zonaOrto;
  if (olho.orto != 0.0 && r2 < zona2) {
    // h (1 - r^2/zona^2)^2 moves the apex back, flattening it by 4 h / zona^2.
    const double h = olho.orto / 337.5 * zona2 / 4.0, f = 1.0 - r2 / zona2;
    z += h * f * f;
  }
  if (olho.ceratocone != 0.0) {
    // A Gaussian bump toward the camera steepens its peak by a / s^2.
    const double s2 = olho.coneRaio * olho.coneRaio;
    const double ex = dx - olho.coneX, ey = dy - olho.coneY;
    z -= olho.ceratocone / 337.5 * s2 * std::exp(-(ex * ex + ey * ey) / (2.0 * s2));
  }
  return true;
}

bool Normal(const ModelEye& olho, double x, double y, double n[3]) {
  const double h = 1e-5;
  double zx1, zx2, zy1, zy2;
  if (!Sag(olho, x - h, y, zx1) || !Sag(olho, x + h, y, zx2) || !Sag(olho, x, y - h, zy1) ||
      !Sag(olho, x, y + h, zy2))
    return false;
  const double gx = (zx2 - zx1) / (2 * h), gy = (zy2 - zy1) / (2 * h);
  const double len = std::sqrt(gx * gx + gy * gy + 1.0);
  n[0] = gx / len;
  n[1] = gy / len;
  n[2] = -1.0 / len;
  return true;
}
