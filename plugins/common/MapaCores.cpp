#include "plugins/common/MapaCores.h"

#include <cmath>

namespace {

bool ValorNoMeridiano(const DadosMapa& d, int row, double r, double& v) {
  const int n = d.aneis[row];
  const double* m = (*d.M)[row];
  const double* k = (*d.D)[row];
  if (n < 1 || r > m[n]) return false;
  int j = 1;
  while (j < n && m[j] < r) ++j;
  const double a = m[j - 1], b = m[j];
  const double f = b > a ? (r - a) / (b - a) : 0.0;
  v = k[j - 1] + (k[j] - k[j - 1]) * std::fmin(std::fmax(f, 0.0), 1.0);
  return true;
}

}  // namespace

void TangencialDeAxial(const DadosMapa& axial, Matriz& tangencial) {
  for (int row = 0; row < 360; ++row) {
    const int n = axial.aneis[row];
    const double* r = (*axial.M)[row];
    const double* k = (*axial.D)[row];
    for (int j = 0; j < 33; ++j) tangencial[row][j] = 0;
    if (n < 1) continue;
    tangencial[row][0] = k[0];
    for (int j = 1; j <= n; ++j) {
      const int a = j - 1, b = j < n ? j + 1 : j;
      const int a2 = j < n ? a : j - 1;
      const double dr = r[b] - r[a2];
      tangencial[row][j] = dr > 0 ? (k[b] * r[b] - k[a2] * r[a2]) / dr : k[j];
    }
  }
}

void ElevacaoDeAxial(const DadosMapa& axial, double fator, Matriz& elevacao) {
  auto inclinacao = [](double r, double k) {
    const double raio = k > 0 ? 337.5 / k : 0.0;
    return raio > r ? r / std::sqrt(raio * raio - r * r) : 0.0;
  };
  for (int row = 0; row < 360; ++row) {
    const double* m = (*axial.M)[row];
    const double* k = (*axial.D)[row];
    for (int j = 0; j < 33; ++j) elevacao[row][j] = 0;
    // From the centre to the first ring the slope grows linearly with r (the central sphere).
    double antes = 0, sAntes = 0;
    for (int j = 0; j <= axial.aneis[row] && j < 33; ++j) {
      const double r = m[j] * fator, s = inclinacao(r, k[j]);
      elevacao[row][j] = (j > 0 ? elevacao[row][j - 1] : 0.0) + (sAntes + s) / 2 * (r - antes);
      antes = r, sAntes = s;
    }
  }
}

bool ValorEm(const DadosMapa& d, double x, double y, double& valor) {
  const double r = std::hypot(x, y);
  const double graus = GrausDaDirecao(x, y);
  const int m0 = int(std::floor(graus));  // meridian m lives in row m - 1
  const double f = graus - m0;
  const int rowA = (m0 - 1) % 360, rowB = m0 % 360;
  double va, vb;
  const bool a = ValorNoMeridiano(d, rowA, r, va), b = ValorNoMeridiano(d, rowB, r, vb);
  if (a && b) valor = va + (vb - va) * f;
  else if (a) valor = va;
  else if (b) valor = vb;
  else return false;
  return true;
}

void DiferencaMapas(const DadosMapa& a, const DadosMapa& b, Matriz& diferenca, int aneis[360]) {
  for (int row = 0; row < 360; ++row) {
    const auto [dx, dy] = DirecaoMeridiano(GrausDaLinha(row));
    for (int j = 0; j < 33; ++j) diferenca[row][j] = 0;
    aneis[row] = 0;
    for (int j = 0; j <= a.aneis[row] && j < 33; ++j) {
      // A point at the very centre still keeps its meridian; the last ring stays inside by a
      // hair so that rounding in the polar round trip does not drop it.
      const double r = std::fmax((*a.M)[row][j] * (1.0 - 1e-12), 1e-9);
      double vb;
      if (!ValorEm(b, r * dx, r * dy, vb)) break;
      diferenca[row][j] = (*a.D)[row][j] - vb;
      aneis[row] = j;
    }
  }
}

int Escala15::Indice(double valor) const {
  int i = 0;
  while (i < 14 && valor >= (niveis[size_t(i)] + niveis[size_t(i) + 1]) / 2) ++i;
  return i;
}

ImagemRGB RenderizarMapa(const DadosMapa& d, const Escala15& escala, int lado, double raioAmostras) {
  ImagemRGB img;
  img.largura = img.altura = lado;
  img.px.assign(size_t(lado) * size_t(lado) * 3, 255);
  const double c = lado / 2.0, porPixel = raioAmostras / (lado / 2.0);
  for (int y = 0; y < lado; ++y)
    for (int x = 0; x < lado; ++x) {
      double v;
      if (!ValorEm(d, (x + 0.5 - c) * porPixel, (y + 0.5 - c) * porPixel, v)) continue;
      const auto& cor = escala.cores[size_t(escala.Indice(v))];
      uint8_t* p = &img.px[(size_t(y) * lado + x) * 3];
      p[0] = cor[0], p[1] = cor[1], p[2] = cor[2];
    }
  return img;
}
