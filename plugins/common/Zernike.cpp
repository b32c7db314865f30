#include "plugins/common/Zernike.h"

#include <cmath>
#include <utility>

void OrdemZernike(int j, int& n, int& m) {
  n = int(std::ceil((-3.0 + std::sqrt(9.0 + 8.0 * j)) / 2.0));
  m = 2 * j - n * (n + 2);
}

double Zernike(int j, double rho, double theta) {
  int n, m;
  OrdemZernike(j, n, m);
  const int am = std::abs(m);
  // Radial polynomial R_n^|m|.
  double radial = 0;
  for (int s = 0; s <= (n - am) / 2; ++s) {
    auto fat = [](int k) { return std::tgamma(k + 1.0); };
    radial += ((s % 2) ? -1.0 : 1.0) * fat(n - s) / (fat(s) * fat((n + am) / 2 - s) * fat((n - am) / 2 - s)) *
              std::pow(rho, n - 2 * s);
  }
  const double norma = std::sqrt(m == 0 ? n + 1.0 : 2.0 * (n + 1));
  if (m == 0) return norma * radial;
  return norma * radial * (m > 0 ? std::cos(am * theta) : std::sin(am * theta));
}

double EixoAstigmatismo(const std::array<double, kTermosZernike>& coeficientes) {
  // c5 cos 2t + c3 sin 2t peaks at 2t = atan2(c3, c5).
  const double graus = 0.5 * std::atan2(coeficientes[3], coeficientes[5]) * 180.0 / 3.14159265358979323846;
  return graus < 0 ? graus + 180.0 : graus;
}

bool AjustarZernike(const std::vector<AmostraPupila>& amostras, std::array<double, kTermosZernike>& coeficientes) {
  constexpr int n = kTermosZernike;
  double a[n][n + 1] = {};
  for (const AmostraPupila& p : amostras) {
    const double rho = std::hypot(p.x, p.y), theta = std::atan2(p.y, p.x);
    double z[n];
    for (int j = 0; j < n; ++j) z[j] = Zernike(j, rho, theta);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) a[i][j] += z[i] * z[j];
      a[i][n] += z[i] * p.valor;
    }
  }
  // Normal equations, Gaussian elimination with partial pivoting.
  for (int c = 0; c < n; ++c) {
    int piv = c;
    for (int r = c + 1; r < n; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[piv][c])) piv = r;
    if (std::fabs(a[piv][c]) < 1e-12) return false;
    for (int k = 0; k <= n; ++k) std::swap(a[c][k], a[piv][k]);
    for (int r = 0; r < n; ++r) {
      if (r == c) continue;
      const double f = a[r][c] / a[c][c];
      for (int k = c; k <= n; ++k) a[r][k] -= f * a[c][k];
    }
  }
  for (int j = 0; j < n; ++j) coeficientes[size_t(j)] = a[j][n] / a[j][j];
  return true;
}
