#include "core/UBEscalas.h"

#include <algorithm>
#include <cmath>

#include "core/UBErroMapa.h"

const std::array<TCorRGB, 15> TBEscala::Paleta15 = {{
    {0, 21, 162}, {0, 60, 185}, {0, 75, 201}, {1, 119, 217}, {5, 165, 232},
    {12, 185, 228}, {19, 182, 155}, {25, 163, 28}, {116, 203, 12}, {207, 233, 13},
    {244, 242, 11}, {248, 218, 3}, {237, 170, 12}, {229, 116, 9}, {255, 0, 0},
}};

const std::array<TCorRGB, 25> TBEscala::Paleta25 = {{
    {64, 15, 137}, {55, 31, 176}, {6, 56, 183}, {0, 67, 192}, {0, 75, 201},
    {0, 99, 211}, {2, 129, 220}, {4, 159, 230}, {9, 184, 243}, {15, 199, 243},
    {17, 192, 201}, {19, 179, 138}, {19, 163, 51}, {54, 175, 13}, {116, 203, 12},
    {173, 222, 12}, {218, 237, 13}, {241, 241, 12}, {248, 235, 7}, {248, 220, 3},
    {243, 193, 8}, {235, 162, 12}, {229, 131, 10}, {238, 68, 5}, {255, 0, 0},
}};

namespace {

double Mediana(const std::vector<double>& ordenados) {
  const size_t n = ordenados.size();
  return n % 2 ? ordenados[n / 2] : (ordenados[n / 2 - 1] + ordenados[n / 2]) / 2;
}

// The value occurring most often; of equally frequent values the smallest.
double Moda(const std::vector<double>& ordenados) {
  double moda = ordenados.front();
  size_t melhor = 0;
  for (size_t i = 0; i < ordenados.size();) {
    size_t j = i;
    while (j < ordenados.size() && ordenados[j] == ordenados[i]) ++j;
    if (j - i > melhor) {
      melhor = j - i;
      moda = ordenados[i];
    }
    i = j;
  }
  return moda;
}

}  // namespace

double TBEscala::ArredondarQuarto(double Centro) {
  if (Centro < 0) return std::ceil(Centro * 4) / 4;
  const double inteiro = std::trunc(Centro);
  const double f = Centro - inteiro;
  if (f == 0) return Centro;
  if (f <= 0.25) return inteiro + 0.25;
  if (f <= 0.5) return inteiro + 0.5;
  if (f <= 0.75) return inteiro + 0.75;
  return inteiro + 1;
}

double TBEscala::PassoAutomatico(double ValorMaximo, double ValorMinimo) {
  const double bruto = (ValorMaximo - ValorMinimo) / 15;
  double passo;
  if (bruto <= 0.25)
    passo = 0.25;
  else if (bruto <= 0.5)
    passo = 0.5;
  else if (bruto < 1)
    passo = 0.75;
  else
    passo = std::nearbyint(bruto * 4) / 4;  // nearest quarter, ties to even
  return std::fabs(passo);
}

void TBEscala::GerarEscala(const TMatrizAngAnel& MatrizExame, const TMatrizAng& Aneis, uint8_t Tipo) {
  Matriz = &MatrizExame;
  AneisPorMeridiano = &Aneis;
  TipoEscala = Tipo;

  ValorMaximo = 0;
  ValorMinimo = 1000.0;
  Valores.clear();
  for (int m = 0; m < NumMeridianos; ++m) {
    const int n = LimitarAneis(Aneis[size_t(m)]);
    for (int k = 1; k <= n; ++k) {
      const double v = MatrizExame[size_t(m)][size_t(k)];
      if (v < ValorMinimo) ValorMinimo = v;
      if (v > ValorMaximo) ValorMaximo = v;
      if (TipoEscala != 0 && v > 0) Valores.push_back(v);
    }
  }
  std::sort(Valores.begin(), Valores.end());

  if (TipoEscala != 0 && Valores.empty()) throw EErroMapa("O exame não tem valores positivos para a escala.");
  switch (TipoEscala) {
    case 0:
      Centro = (ValorMaximo + ValorMinimo) / 2;
      break;
    case 1: {
      double soma = 0;
      for (double v : Valores) soma += v;
      Centro = soma / double(Valores.size());
      break;
    }
    case 2:
      Centro = Mediana(Valores);
      break;
    default:
      Centro = Moda(Valores);
      break;
  }

  const double c = ArredondarQuarto(Centro);
  const double passo = AutoIncMap ? IncMap : PassoAutomatico(ValorMaximo, ValorMinimo);
  for (int i = 0; i < 15; ++i) {
    Niveis[size_t(i)] = c + (i - 7) * passo;
    Raios[size_t(i)] = Niveis[size_t(i)] != 0 ? ConstanteCeratometrica / Niveis[size_t(i)] : 0;
  }
  EscalaMinima = Niveis.front();
  EscalaMaxima = Niveis.back();
  for (int j = 0; j < 25; ++j) {
    Fixa[size_t(j)] = 30 + j;
    RaiosFixa[size_t(j)] = ConstanteCeratometrica / Fixa[size_t(j)];
  }
}
