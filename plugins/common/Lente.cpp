#include "plugins/common/Lente.h"

#include <cmath>
#include <memory>
#include <vector>

Fluoresceina SimularFluoresceina(const DadosMapa& axial, double fator, double curvaBase, double diametro, int lado) {
  const auto elevacao = std::make_unique<Matriz[]>(1);
  ElevacaoDeAxial(axial, fator, elevacao[0]);
  const DadosMapa z{axial.M, &elevacao[0], axial.aneis};
  const double raio = diametro / 2, porPixel = diametro / lado;
  // Gap between cornea and lens at each pixel (NaN where either is missing).
  std::vector<double> folga(size_t(lado) * lado, NAN);
  double menor = INFINITY;
  auto folgaEm = [&](double x, double y, double& f) {
    const double r2 = x * x + y * y;
    double zc;
    if (r2 > raio * raio || r2 >= curvaBase * curvaBase || !ValorEm(z, x / fator, y / fator, zc)) return false;
    f = zc - (curvaBase - std::sqrt(curvaBase * curvaBase - r2));
    return true;
  };
  for (int py = 0; py < lado; ++py)
    for (int px = 0; px < lado; ++px) {
      double f;
      if (folgaEm((px + 0.5) * porPixel - raio, (py + 0.5) * porPixel - raio, f)) {
        folga[size_t(py) * lado + px] = f;
        menor = std::fmin(menor, f);
      }
    }
  Fluoresceina r;
  r.imagem.largura = r.imagem.altura = lado;
  r.imagem.px.assign(size_t(lado) * lado * 3, 0);
  if (!std::isfinite(menor)) return r;
  for (size_t i = 0; i < folga.size(); ++i) {
    uint8_t* p = &r.imagem.px[i * 3];
    if (std::isnan(folga[i])) {
      p[2] = 60;  // the cobalt-blue light beyond the measured zone
      continue;
    }
    const double um = (folga[i] - menor) * 1000.0;
    p[1] = uint8_t(std::lround(255.0 * std::fmin(1.0, um / kLagrimaSaturacao)));
    p[2] = 40;
  }
  double f;
  if (folgaEm(0.0, 0.0, f)) r.lagrimaCentral = (f - menor) * 1000.0;
  double soma = 0;
  int n = 0;
  for (int a = 0; a < 360; a += 10) {
    const double t = a * 3.14159265358979323846 / 180.0;
    if (folgaEm(0.9 * raio * std::cos(t), 0.9 * raio * std::sin(t), f)) soma += (f - menor) * 1000.0, ++n;
  }
  r.lagrimaBorda = n ? soma / n : 0.0;
  return r;
}
