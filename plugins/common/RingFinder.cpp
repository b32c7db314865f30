#include "plugins/common/RingFinder.h"

#include <algorithm>
#include <cmath>

#include "core/UBMatrizMapa.h"

namespace {

constexpr double kPasso = 0.25;  // profile step along a meridian, in samples
constexpr int kJanela = 16;      // half window for the local ring level, in steps
constexpr double kPupilaNivel = 44;  // between the pupil's and the iris' grey levels

double Bilinear(const ImagemCinza& img, double x, double y) {
  const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  const double a = img.At(x0, y0), b = img.At(x0 + 1, y0), c = img.At(x0, y0 + 1), d = img.At(x0 + 1, y0 + 1);
  return (a * (1 - fx) + b * fx) * (1 - fy) + (c * (1 - fx) + d * fx) * fy;
}

struct Perfil {
  std::vector<double> suave;  // grey levels every kPasso samples, interpolated and lightly smoothed
  std::vector<double> pixel;  // the nearest pixel's own value at each step
};

// The profile along the meridian at `graus` (clockwise as displayed) from (cx, cy).
Perfil LerPerfil(const ImagemCinza& img, double cx, double cy, double graus) {
  const auto [dx, dy] = DirecaoMeridiano(graus);
  std::vector<double> p, px;
  for (double s = 0;; s += kPasso) {
    const double x = cx + s * dx, y = cy + s * dy;
    if (x < 0 || y < 0 || x >= img.largura - 1 || y >= img.altura - 1) break;
    p.push_back(Bilinear(img, x, y));
    px.push_back(img.At(int(std::lround(x)), int(std::lround(y))));
  }
  std::vector<double> q(p.size());
  for (size_t k = 0; k < p.size(); ++k) {
    double s = 0;
    int n = 0;
    for (int d = -2; d <= 2; ++d) {
      const long i = long(k) + d;
      if (i >= 0 && i < long(p.size())) s += p[size_t(i)], ++n;
    }
    q[k] = s / n;
  }
  return {std::move(q), std::move(px)};
}

// Share of a unit pixel lying beyond a straight edge at signed distance x from its centre, the
// edge's normal being (nx, ny): one minus the distribution of the sum of two uniform widths.
double Alem(double x, double nx, double ny) {
  const double a = std::max(std::fabs(nx), 1e-4), b = std::max(std::fabs(ny), 1e-4);
  auto r = [](double v) { return v > 0 ? v * v / 2 : 0.0; };
  const double cdf = (r(x + (a + b) / 2) - r(x + (a - b) / 2) - r(x - (a - b) / 2) + r(x - (a + b) / 2)) / (a * b);
  return 1.0 - std::clamp(cdf, 0.0, 1.0);
}

// Sub-sample radius of the rising edge found near s0 on the meridian at `graus`. Each pixel is the
// mean of the scene over its square, so the white share of the pixels around the edge fixes the
// edge exactly, whatever the meridian's angle to the pixel grid.
double RefinarBorda(const ImagemCinza& img, double cx, double cy, double graus, double s0) {
  const auto [ux, uy] = DirecaoMeridiano(graus);
  struct Px {
    double raio, nx, ny, v;
  };
  std::vector<Px> perto;
  double escuro = 0, claro = 0;
  int ne = 0, nc = 0;
  const int x0 = int(std::floor(cx + s0 * ux)), y0 = int(std::floor(cy + s0 * uy));
  for (int y = y0 - 4; y <= y0 + 4; ++y)
    for (int x = x0 - 4; x <= x0 + 4; ++x) {
      if (x < 0 || y < 0 || x >= img.largura || y >= img.altura) return s0;
      const double dx = x - cx, dy = y - cy, raio = std::hypot(dx, dy);
      if (raio < 1e-9 || std::fabs(-dx * uy + dy * ux) > 2.5) continue;  // off the meridian's strip
      const double d = raio - s0, v = img.At(x, y);
      if (d < -1.25 && d > -2.2) escuro += v, ++ne;
      else if (d > 1.25 && d < 2.2) claro += v, ++nc;
      else if (std::fabs(d) <= 1.2) perto.push_back({raio, dx / raio, dy / raio, v});
    }
  if (!ne || !nc || perto.empty()) return s0;
  escuro /= ne, claro /= nc;
  if (claro - escuro < 20) return s0;
  double branco = 0;
  for (const Px& p : perto) branco += std::clamp((p.v - escuro) / (claro - escuro), 0.0, 1.0);
  double lo = s0 - 1.0, hi = s0 + 1.0;  // the white share falls as the edge moves out
  for (int it = 0; it < 30; ++it) {
    const double e = 0.5 * (lo + hi);
    double soma = 0;
    for (const Px& p : perto) soma += Alem(e - p.raio, p.nx, p.ny);
    (soma > branco ? lo : hi) = e;
  }
  return 0.5 * (lo + hi);
}

struct Meridiano {
  std::vector<double> bordas;  // ring edges, in samples from the centre
  double pupila = -1;          // radius where the dark ground turns from pupil to iris, or -1
  double ruido = 0;            // mean square noise on the bright bands
};

// Rising (dark to bright) edges at the local mid level, with hysteresis, followed outward until
// the spacing breaks: a missing ring, the sclera or the picture's edge ends the meridian.
template <class Refinar>
Meridiano Seguir(const Perfil& perfil, int maxAneis, Refinar refinar) {
  const std::vector<double>& p = perfil.suave;
  Meridiano m;
  size_t k = 0;
  while (k < p.size() && p[k] > 150) ++k;  // the central reflex
  bool escuroVisto = false;
  double somaRuido = 0, ultimaPupila = -1;
  int nRuido = 0;
  // Local mid level and contrast from the extremes around each step; the level is then smoothed so
  // that it cannot jump over the profile between two steps.
  std::vector<double> nivelBruto(p.size()), contrastes(p.size()), niveis(p.size());
  for (size_t i = 0; i < p.size(); ++i) {
    const size_t a = i >= kJanela ? i - kJanela : 0, b = std::min(p.size() - 1, i + kJanela);
    const auto [mn, mx] = std::minmax_element(p.begin() + long(a), p.begin() + long(b) + 1);
    nivelBruto[i] = (*mn + *mx) / 2;
    contrastes[i] = *mx - *mn;
  }
  for (size_t i = 0; i < p.size(); ++i) {
    const size_t a = i >= kJanela ? i - kJanela : 0, b = std::min(p.size() - 1, i + kJanela);
    double soma = 0;
    for (size_t j = a; j <= b; ++j) soma += nivelBruto[j];
    niveis[i] = soma / double(b - a + 1);
  }
  for (; k + 1 < p.size() && int(m.bordas.size()) < maxAneis; ++k) {
    const double nivel = niveis[k], contraste = contrastes[k];
    if (contraste < 40) {
      if (!m.bordas.empty()) break;
      continue;
    }
    if (p[k] < nivel - contraste / 8) {
      escuroVisto = true;
      // Dark ground on a plateau (not on an edge's ramp): pupil below kPupilaNivel, iris above.
      const bool plato = k >= 3 && k + 3 < p.size() && std::fabs(p[k + 3] - p[k - 3]) < 12;
      if (plato && p[k] < kPupilaNivel) ultimaPupila = double(k);
      else if (plato && ultimaPupila >= 0 && m.pupila < 0) m.pupila = 0.5 * (ultimaPupila + k) * kPasso;
    }
    if (p[k] > nivel + contraste / 4 && k >= 3 && k + 3 < p.size() && std::fabs(p[k + 3] - p[k - 3]) < 12) {
      const double d = perfil.pixel[k] - p[k];  // on a white plateau a pixel differs by its noise
      somaRuido += d * d;
      ++nRuido;
    }
    if (escuroVisto && p[k + 1] >= niveis[k + 1]) {
      const double a = p[k] - nivel, b = p[k + 1] - niveis[k + 1];
      const double f = a < 0 && b > a ? -a / (b - a) : 1.0;
      const double pos = refinar((k + f) * kPasso);
      const size_t n = m.bordas.size();
      if (n >= 2) {
        const double passo = m.bordas[n - 1] - m.bordas[n - 2], novo = pos - m.bordas[n - 1];
        if (novo > 1.6 * passo || novo < 0.5 * passo) break;
      }
      m.bordas.push_back(pos);
      escuroVisto = false;
    }
  }
  m.ruido = nRuido ? somaRuido / nRuido : 0;  // mean square
  return m;
}

// Curvature of each ring from its position: the ring's reflection angle fixes the surface slope;
// the sag is integrated ring by ring from the apex (trapezoids), which the angle itself needs.
void Curvaturas(const double* r, int n, const ConeModel& cone, double* d) {
  double zAnt = 0, rAnt = 0, tgAnt = 0;
  for (int j = 1; j <= n; ++j) {
    double z = zAnt + tgAnt * (r[j] - rAnt), tg = tgAnt, seno = 0;
    for (int it = 0; it < 4; ++it) {
      const double dois = std::atan((cone.altura[size_t(j - 1)] - r[j]) / (cone.distancia[size_t(j - 1)] + z));
      tg = std::tan(dois / 2);
      seno = std::sin(dois / 2);
      z = zAnt + 0.5 * (tgAnt + tg) * (r[j] - rAnt);
    }
    d[j] = seno > 0 ? 337.5 * seno / r[j] : 0;
    zAnt = z, rAnt = r[j], tgAnt = tg;
  }
  d[0] = n >= 1 ? d[1] : 0;
}

// Least-squares circle x^2 + y^2 + a x + b y + c = 0 through the points.
bool AjustarCirculo(const std::vector<double>& x, const std::vector<double>& y, double& cx, double& cy,
                    double& raio) {
  double m[3][4] = {};
  for (size_t i = 0; i < x.size(); ++i) {
    const double v[3] = {x[i], y[i], 1.0}, rhs = -(x[i] * x[i] + y[i] * y[i]);
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) m[r][c] += v[r] * v[c];
      m[r][3] += v[r] * rhs;
    }
  }
  for (int c = 0; c < 3; ++c) {  // Gauss-Jordan with partial pivoting
    int piv = c;
    for (int r = c + 1; r < 3; ++r)
      if (std::fabs(m[r][c]) > std::fabs(m[piv][c])) piv = r;
    if (std::fabs(m[piv][c]) < 1e-12) return false;
    std::swap(m[c], m[piv]);
    for (int r = 0; r < 3; ++r)
      if (r != c) {
        const double f = m[r][c] / m[c][c];
        for (int k = c; k < 4; ++k) m[r][k] -= f * m[c][k];
      }
  }
  const double a = m[0][3] / m[0][0], b = m[1][3] / m[1][1], c = m[2][3] / m[2][2];
  cx = -a / 2, cy = -b / 2;
  const double r2 = cx * cx + cy * cy - c;
  if (r2 <= 0) return false;
  raio = std::sqrt(r2);
  return true;
}

}  // namespace

bool ProcessarAneis(const ImagemCinza& img, const ConeModel& cone, double fator, int numAneis,
                    const CorrecaoAneis* correcao, ResultadoAneis& out) {
  out = ResultadoAneis{};
  if (img.largura < 16 || img.altura < 16 || int(img.px.size()) != img.largura * img.altura || !(fator > 0))
    return false;
  numAneis = std::clamp(numAneis, 1, std::min(kValoresAnel - 1, cone.Aneis()));

  // First guess of the centre: the central reflex near the middle of the picture.
  double sx = 0, sy = 0, sw = 0;
  const int meioX = img.largura / 2, meioY = img.altura / 2, raio = std::min(100, std::min(meioX, meioY) - 1);
  for (int y = meioY - raio; y < meioY + raio; ++y)
    for (int x = meioX - raio; x < meioX + raio; ++x)
      if (img.At(x, y) >= 240) sx += x, sy += y, sw += 1;
  if (sw == 0) return false;
  double cx = sx / sw, cy = sy / sw;

  std::vector<Meridiano> mer(kMeridianos);
  for (int passe = 0; passe < 3; ++passe) {
    double ax = 0, ay = 0;
    int na = 0;
    for (int r = 0; r < kMeridianos; ++r) {
      const double graus = GrausDaLinha(r);
      mer[size_t(r)] = Seguir(LerPerfil(img, cx, cy, graus), numAneis,
                              [&](double s0) { return RefinarBorda(img, cx, cy, graus, s0); });
      const auto& b = mer[size_t(r)].bordas;
      if (b.size() >= 3) {
        // The mean of the first rings' points over all meridians is their centre.
        const auto [dx, dy] = DirecaoMeridiano(graus);
        const double raioMedio = (b[0] + b[1] + b[2]) / 3;
        ax += cx + raioMedio * dx;
        ay += cy + raioMedio * dy;
        ++na;
      }
    }
    if (na < kMeridianos / 2) return false;
    cx = ax / na, cy = ay / na;
  }
  out.centroX = cx, out.centroY = cy;

  double achados = 0, ruido = 0;
  std::vector<double> bx, by;  // the pupil's edge points
  for (int r = 0; r < kMeridianos; ++r) {
    const Meridiano& m = mer[size_t(r)];
    const int n = int(m.bordas.size());
    out.aneis[r] = n;
    achados += n;
    ruido += m.ruido;
    double mm[kValoresAnel] = {};
    for (int j = 1; j <= n; ++j) {
      out.M[r][j] = m.bordas[size_t(j - 1)];
      mm[j] = out.M[r][j] * fator;
    }
    Curvaturas(mm, n, cone, out.D[r]);
    if (correcao)
      for (int j = 1; j <= n; ++j) {
        const size_t i = size_t(j - 1);
        if (i < correcao->a.size() && i < correcao->b.size() && (correcao->a[i] != 0 || correcao->b[i] != 0))
          out.D[r][j] = correcao->a[i] + correcao->b[i] * out.D[r][j];
      }
    if (n >= 1) out.D[r][0] = out.D[r][1];
    if (m.pupila > 0) {
      const auto [dx, dy] = DirecaoMeridiano(GrausDaLinha(r));
      bx.push_back(m.pupila * dx);
      by.push_back(m.pupila * dy);
    }
  }
  double pcx, pcy, praio;
  if (bx.size() > kMeridianos / 2 && AjustarCirculo(bx, by, pcx, pcy, praio)) {
    out.pupila[0] = int(std::lround(cx + pcx));
    out.pupila[1] = int(std::lround(cy + pcy));
    out.pupila[2] = out.pupila[3] = int(std::lround(praio));
  }
  const double cobertura = achados / (double(kMeridianos) * numAneis);
  const double fRuido = std::max(0.0, 1.0 - std::sqrt(ruido / kMeridianos) / 30.0);
  const double desvio = std::hypot(cx - img.largura / 2.0, cy - img.altura / 2.0);
  const double fCentro = std::max(0.0, 1.0 - desvio / 200.0);
  out.indConf = std::round(1000.0 * cobertura * fRuido * fCentro) / 10.0;
  return true;
}

std::vector<double> MediaPorAnel(const ResultadoAneis& r) {
  std::vector<double> soma, conta;
  for (int m = 0; m < kMeridianos; ++m)
    for (int j = 1; j <= r.aneis[m]; ++j) {
      if (size_t(j) > soma.size()) soma.resize(size_t(j)), conta.resize(size_t(j));
      soma[size_t(j - 1)] += r.D[m][j];
      conta[size_t(j - 1)] += 1;
    }
  for (size_t j = 0; j < soma.size(); ++j) soma[j] /= conta[j];
  return soma;
}
