#include "core/UBFuncoesMapas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "core/UBErroMapa.h"
#include "core/UBNumerosMapa.h"

namespace {

constexpr const char* Nomes[] = {"Axial",
                                 "Tangencial",
                                 "Refrativo",
                                 "Elevação",
                                 "Ortoceratologia (Axial)",
                                 "Ortoceratologia (Tangencial)",
                                 "Ortoceratologia (Refrativo)"};

// Every result that would be infinite or NaN is an error of the data, never a value in a grid.
double Finito(double v) {
  if (!std::isfinite(v)) throw EErroMapa("Valor fora do intervalo no cálculo do mapa.");
  return v;
}

double Dividir(double a, double b) {
  if (b == 0) throw EErroMapa("Divisão por zero no cálculo do mapa.");
  return Finito(a / b);
}

double Raiz(double v) {
  if (!(v >= 0)) throw EErroMapa("Raiz quadrada de número negativo no cálculo do mapa.");
  return std::sqrt(v);
}

double ArcoSeno(double v) {
  if (!(v >= -1 && v <= 1)) throw EErroMapa("Arco-seno fora do intervalo no cálculo do mapa.");
  return std::asin(v);
}

// Second derivatives of the cubic spline through the count points (x, y) with end slopes yp1, ypn
// (above 0.99e30: natural end).
void Spline(const double* x, const double* y, int count, double yp1, double ypn, double* y2) {
  std::array<double, NumValoresAnel> u{};
  if (yp1 > 0.99e30) {
    y2[0] = u[0] = 0;
  } else {
    y2[0] = -0.5;
    u[0] = Dividir(3, x[1] - x[0]) * (Dividir(y[1] - y[0], x[1] - x[0]) - yp1);
  }
  for (int i = 1; i < count - 1; ++i) {
    const double sig = Dividir(x[i] - x[i - 1], x[i + 1] - x[i - 1]);
    const double p = sig * y2[i - 1] + 2;
    y2[i] = Dividir(sig - 1, p);
    const double d = Dividir(y[i + 1] - y[i], x[i + 1] - x[i]) - Dividir(y[i] - y[i - 1], x[i] - x[i - 1]);
    u[size_t(i)] = Dividir(Dividir(6 * d, x[i + 1] - x[i - 1]) - sig * u[size_t(i - 1)], p);
  }
  double qn = 0, un = 0;
  const int n = count - 1;
  if (!(ypn > 0.99e30)) {
    qn = 0.5;
    un = Dividir(3, x[n] - x[n - 1]) * (ypn - Dividir(y[n] - y[n - 1], x[n] - x[n - 1]));
  }
  y2[n] = Dividir(un - qn * u[size_t(n - 1)], qn * y2[n - 1] + 1);
  for (int k = n - 1; k >= 0; --k) y2[k] = Finito(y2[k] * y2[k + 1] + u[size_t(k)]);
}

// The spline's value at t, the bracketing interval found by bisection.
double Splint(const double* x, const double* y, const double* y2, int count, double t) {
  int lo = 0, hi = count - 1;
  while (hi - lo > 1) {
    const int k = (hi + lo) / 2;
    if (x[k] > t)
      hi = k;
    else
      lo = k;
  }
  const double h = x[hi] - x[lo];
  if (h == 0) throw EErroMapa("pause in routine splint");
  const double a = (x[hi] - t) / h, b = (t - x[lo]) / h;
  return Finito(a * y[lo] + b * y[hi] + ((a * a * a - a) * y2[lo] + (b * b * b - b) * y2[hi]) * (h * h) / 6);
}

// The grid column of a radial position: rounded half to even; -1 outside the grid.
int Amostra(double t) {
  const double s = std::nearbyint(t);
  return s >= 0 && s < NumAmostrasRaio ? int(s) : -1;
}

}  // namespace

TBFuncoesMapas::TBFuncoesMapas(const TMatrizAngAnel& MatrizD, const TMatrizAngAnel& MatrizM,
                               const TMatrizAng& AneisPorMeridiano, const TBEscala* Escala, const void* Parametros,
                               const double& CentroX, const double& CentroY, const double& FatorCorrecao,
                               const double& Z0, std::string TipoCone, const int& NumAneis)
    : CarregaDadosCone(CarregaDadosConePadrao()),
      MatrizD(MatrizD),
      MatrizM(MatrizM),
      AneisPorMeridiano(AneisPorMeridiano),
      Escala(Escala),
      Parametros(Parametros),
      CentroX(CentroX),
      CentroY(CentroY),
      FatorCorrecao(FatorCorrecao),
      Z0(Z0),
      TipoCone(std::move(TipoCone)),
      NumAneis(NumAneis),
      Grade(size_t(NumMeridianos) * NumAmostrasRaio),
      GradeElevacao(size_t(NumMeridianos) * NumAmostrasRaio) {}

void TBFuncoesMapas::CalcularMapa(uint8_t Tipo) {
  TipoMapa = Tipo;
  const int tipo = Tipo & 0x7F;
  NomeMapa = tipo < 7 ? Nomes[tipo] : "";

  // Each map starts from the caller's data and from empty grids: only the columns that the last map
  // wrote hold anything.
  D = MatrizD;
  Aneis = AneisPorMeridiano;
  for (int m = 0; m < NumMeridianos; ++m) {
    const size_t inicio = size_t(m) * NumAmostrasRaio;
    std::fill_n(Grade.begin() + inicio, ColunasEscritas, TCelulaGrade{});
    std::fill_n(GradeElevacao.begin() + inicio, ColunasEscritas, TCelulaElevacao{});
  }
  ColunasEscritas = 0;
  ExtensaoRadial = 0;

  if (tipo >= tmOrtoAxial && tipo <= tmOrtoRefrativo) Aneis.fill(LimitarAneis(NumAneis));
  switch (tipo) {
    case tmTangencial:
    case tmOrtoTangencial:
      TransformacaoTangencial();
      break;
    case tmRefrativo:
    case tmOrtoRefrativo:
      TransformacaoRefrativa();
      break;
    case tmElevacao:
      MapaElevacao();
      break;
    default:
      break;
  }
  Reamostrar(D, Destino::Valor);
  BuscarExtremos();
}

void TBFuncoesMapas::TransformacaoTangencial() {
  const double f = FatorCorrecao;
  TMatrizAngAnel a{}, t{};
  double s = 0;
  for (int m = 0; m < NumMeridianos; ++m) {
    const int n = Rings(m);
    for (int k = 0; k <= n; ++k) {
      a[m][k] = Finito(MatrizM[m][k] * f * D[m][k] / 0.3375);
      if (k >= 1)
        t[m][k] = Finito(Dividir(-0.3375 * a[m][k], MatrizM[m][k]) + D[m][k]);
      else
        s += MatrizM[m][1];
    }
  }
  const double mediaAnel1 = s / NumMeridianos;
  for (int m = 0; m < NumMeridianos; ++m) {
    a[m][0] = Finito(mediaAnel1 * f * D[m][0] / 0.3375);
    t[m][0] = Finito(Dividir(-0.3375 * a[m][0], mediaAnel1) + D[m][0]);
  }
  D = t;
}

void TBFuncoesMapas::CalculoElevacao() {
  const double f = FatorCorrecao;
  PosicaoRadial = {};
  ElevCornea = {};
  for (int m = 0; m < NumMeridianos; ++m)
    for (int k = 1; k <= Rings(m); ++k) PosicaoRadial[m][k] = Finito(f * MatrizM[m][k]);

  if (!CarregaDadosCone) throw EErroMapa("Os dados do cone não estão disponíveis.");
  TDadosCone cone;
  CarregaDadosCone(cone, TipoCone, Z0);
  int anelMaximo = 0;
  for (int m = 0; m < NumMeridianos; ++m) anelMaximo = std::max(anelMaximo, Rings(m));
  if (cone.C1.size() < size_t(anelMaximo) || cone.C2.size() < size_t(anelMaximo))
    throw EErroMapa("Os dados do cone não cobrem todos os anéis do exame.");

  std::array<double, NumValoresAnel> s{}, c{}, t{};
  for (int m = 0; m < NumMeridianos; ++m) {
    const int n = Rings(m);
    if (n < 2) continue;  // no curve through fewer than two rings: the meridian stays flat
    const auto& p = PosicaoRadial[m];
    auto& z = ElevCornea[m];
    const double r = p[1];
    s[1] = Dividir(cone.C2[0] - r, 2 * std::fabs(cone.C1[0]));
    c[1] = Dividir(s[1], r);
    z[1] = Finito(r * r * c[1] / 2);
    t[1] = 0;
    for (int j = 2; j <= n; ++j) {
      double d = p[j] - p[j - 1];
      if (!(d > 0)) d = 1;
      z[j] = Finito(z[j - 1] + s[j - 1] * d + 0.5 * c[j - 1] * d * d + t[j - 1] * d * d * d / 6);
      s[j] = Finito(std::tan(0.5 * std::atan(Dividir(cone.C2[j - 1] - p[j], std::fabs(cone.C1[j - 1]) - z[j]))));
      c[j] = Dividir(s[j] - s[j - 1], d);
      t[j] = Dividir(c[j] - c[j - 1], d);
    }
  }
}

void TBFuncoesMapas::MapaElevacao() {
  CalculoElevacao();

  double soma = 0;
  int quantos = 0;
  for (int m = 0; m < NumMeridianos; ++m)
    for (int k = 0; k <= Rings(m); ++k)
      if (D[m][k] > 0) {
        soma += D[m][k];
        ++quantos;
      }
  CurvaturaMedia = Dividir(soma, quantos);

  // Only the meridians that the elevation computation followed take part from here on.
  const double r = Dividir(337.5, CurvaturaMedia);
  ElevBFS = {};
  double somaC = 0, somaB = 0;
  for (int m = 0; m < NumMeridianos; ++m) {
    if (Rings(m) < 2) continue;
    for (int k = 0; k <= Rings(m); ++k) {
      const double p = PosicaoRadial[m][k];
      ElevBFS[m][k] = r - Raiz(r * r - p * p);
      somaC += ElevCornea[m][k];
      somaB += ElevBFS[m][k];
    }
  }
  // Both means share one count, so comparing the sums compares the means.
  const bool corneaAbaixo = somaC < somaB;
  ElevDiff = {};
  double maximo = 0;
  for (int m = 0; m < NumMeridianos; ++m) {
    if (Rings(m) < 2) continue;
    for (int k = 0; k <= Rings(m); ++k) {
      ElevDiff[m][k] = corneaAbaixo ? ElevBFS[m][k] - ElevCornea[m][k] : ElevCornea[m][k] - ElevBFS[m][k];
      if (ElevDiff[m][k] > maximo) maximo = ElevDiff[m][k];
    }
  }
  for (int m = 0; m < NumMeridianos; ++m) {
    if (Rings(m) < 2) continue;
    for (int k = 0; k <= Rings(m); ++k) {
      ElevDiff[m][k] = maximo - ElevDiff[m][k];
      ElevDiff[m][k] *= 1000;
      ElevBFS[m][k] *= 1000;
      ElevCornea[m][k] *= 1000;
    }
  }
  Reamostrar(ElevDiff, Destino::Diferenca);
  Reamostrar(ElevBFS, Destino::BFS);
  Reamostrar(ElevCornea, Destino::Cornea);
}

void TBFuncoesMapas::TransformacaoRefrativa() {
  CalculoElevacao();
  RefA = RefI = RefB = RefZ = {};
  for (int m = 0; m < NumMeridianos; ++m) {
    if (Rings(m) < 2) continue;
    for (int k = 1; k <= Rings(m); ++k) {
      const double r = Dividir(337.5, D[m][k - 1]);  // the ring inside, before this transform
      RefA[m][k] = std::numbers::pi - ArcoSeno(Dividir(PosicaoRadial[m][k], r));
    }
  }
  double soma = 0;
  int quantos = 0;
  for (int m = 0; m < NumMeridianos; ++m) {
    if (Rings(m) < 2) continue;
    for (int k = 1; k <= Rings(m); ++k) {
      const double i = std::acos(-std::cos(RefA[m][k]));
      const double b = ArcoSeno(std::sin(i) * (1 / 1.38));
      RefI[m][k] = i;
      RefB[m][k] = b;
      RefZ[m][k] = Finito(Dividir(-PosicaoRadial[m][k], std::tan(b - i)) + ElevCornea[m][k]);
      D[m][k] = Dividir(1000, RefZ[m][k]);
    }
    soma += D[m][1];
    ++quantos;
  }
  const double centro = Dividir(soma, quantos);
  for (int m = 0; m < NumMeridianos; ++m) D[m][0] = centro;
}

void TBFuncoesMapas::Reamostrar(const TMatrizAngAnel& Valores, Destino Para) {
  for (int m = 0; m < NumMeridianos; ++m) {
    const int n = Rings(m);
    if (n < 1) continue;  // a spline needs two points
    for (int k = 0; k <= n; ++k) {
      X[k] = MatrizM[m][k];
      Y[k] = Valores[m][k];
    }
    const double yp1 = Dividir(Y[1] - Y[0], X[1] - X[0]);
    const double ypn = Dividir(Y[n] - Y[n - 1], X[n] - X[n - 1]);
    Spline(X.data(), Y.data(), n + 1, yp1, ypn, Y2.data());

    const double ultimo = MatrizM[m][n];
    T = X[0];
    // Samples before the grid's first column write nothing: start at the first that lands in it.
    if (T < -0.5) T += std::ceil(-0.5 - T);
    for (; T < X[n] && T < NumAmostrasRaio; T += 1) {
      ValorT = Splint(X.data(), Y.data(), Y2.data(), n + 1, T);
      const int s = Amostra(T);
      if (T > ultimo || s < 0) continue;
      const double v = ArredondarCentesimos(ValorT);
      ColunasEscritas = std::max(ColunasEscritas, s + 1);
      TCelulaGrade& celula = Grade[size_t(m) * NumAmostrasRaio + size_t(s)];
      TCelulaElevacao& elevacao = GradeElevacao[size_t(m) * NumAmostrasRaio + size_t(s)];
      switch (Para) {
        case Destino::Valor:
          celula.Valor = v;
          if (ValorT > 25) celula.Raio = ArredondarCentesimos(337.5 / ValorT);
          break;
        case Destino::Diferenca:
          elevacao.Diferenca = v;
          break;
        case Destino::BFS:
          elevacao.BFS = v;
          break;
        case Destino::Cornea:
          elevacao.Cornea = v;
          break;
      }
    }
    if (ultimo > ExtensaoRadial) ExtensaoRadial = ultimo;
  }
}

void TBFuncoesMapas::BuscarExtremos() {
  MaximoGrade = MaximoElevacao = 0;
  MinimoGrade = MinimoElevacao = 10000.0;
  // The cells past the written columns are zero, and zero counts for neither extreme.
  for (int m = 0; m < NumMeridianos; ++m)
    for (size_t i = size_t(m) * NumAmostrasRaio, fim = i + size_t(ColunasEscritas); i < fim; ++i) {
      const double v = Grade[i].Valor;
      if (v > 0 && v > MaximoGrade) MaximoGrade = v;
      if (v > 0 && v < MinimoGrade) MinimoGrade = v;
      const double e = GradeElevacao[i].Diferenca;
      if (e > 0 && e > MaximoElevacao) MaximoElevacao = e;
      if (e > 0 && e < MinimoElevacao) MinimoElevacao = e;
    }
  CentroGrade = Grade[0].Valor;
  CentroElevacao = GradeElevacao[0].Diferenca;
}

void TBFuncoesMapas::GetCeratometria(TCeratometria& Resultado, double Raio) {
  Ceratometria.Raio = Raio;
  const double amostras = std::nearbyint(Dividir(Raio, FatorCorrecao));
  const int n = amostras < 0 ? 0 : (amostras > NumAmostrasRaio - 1 ? NumAmostrasRaio - 1 : int(amostras));

  std::array<double, NumMeridianos> media{};
  for (int m = 0; m < NumMeridianos; ++m) {
    double soma = 0;
    int quantos = 0;
    for (int s = 0; s <= n; ++s) {
      const double v = Celula(m, s).Valor;
      if (v > 0) {
        soma += v;
        ++quantos;
      }
    }
    if (quantos == 0) throw EErroMapa("Meridiano sem valores na zona da ceratometria.");
    media[size_t(m)] = Finito(soma / quantos);
  }
  std::array<double, 181> par{};  // 1-based: pair j is meridians j and j + 180
  for (int j = 1; j <= 180; ++j) par[size_t(j)] = Finito((media[size_t(j - 1)] + media[size_t(j + 179)]) / 2);
  int eixo = 0;
  double melhor = 0;
  for (int j = 1; j <= 180; ++j)
    if (par[size_t(j)] >= melhor) {  // a later equal pair wins
      melhor = par[size_t(j)];
      eixo = j;
    }
  const double k1 = par[size_t(eixo)];
  const double k2 = eixo <= 90 ? par[size_t(eixo + 90)] : par[size_t(eixo - 90)];
  Ceratometria.K1 = k1;
  Ceratometria.K2 = k2;
  Ceratometria.R1 = Dividir(337.5, k1);
  Ceratometria.R2 = Dividir(337.5, k2);
  Ceratometria.DeltaK = k1 - k2;
  Ceratometria.DeltaR = Ceratometria.R1 - Ceratometria.R2;
  Ceratometria.Eixo = uint16_t(180 - eixo);
  Ceratometria.Eixo2 = uint16_t(Ceratometria.Eixo <= 90 ? Ceratometria.Eixo + 90 : Ceratometria.Eixo - 90);
  Resultado = Ceratometria;
}
