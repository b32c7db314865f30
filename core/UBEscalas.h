#pragma once
// The colour scale of a curvature map: 15 levels in dioptres around a centre taken from the exam's
// valid values, their radius twins in millimetres, and the palettes of the maps.
#include <array>
#include <cstdint>
#include <vector>

#include "core/UBMatrizMapa.h"

struct TCorRGB {
  int R, G, B;
  bool operator==(const TCorRGB&) const = default;
};

// Dioptres and millimetres of a curvature convert with this constant both ways (R = 337.5 / K).
constexpr double ConstanteCeratometrica = 337.5;

class TBEscala {
 public:
  TBEscala(bool AutoIncMap, double IncMap) : AutoIncMap(AutoIncMap), IncMap(IncMap) {}

  // Borrows the two arrays (they must outlive the object or the next call). TipoEscala: 0 middle of the extremes,
  // 1 mean, 2 median, 3 mode of the positive values. Types 1 to 3 raise EErroMapa when the exam
  // holds no positive value.
  void GerarEscala(const TMatrizAngAnel& Matriz, const TMatrizAng& AneisPorMeridiano, uint8_t TipoEscala);

  const TMatrizAngAnel* Matriz = nullptr;         // borrowed by GerarEscala
  const TMatrizAng* AneisPorMeridiano = nullptr;  // borrowed by GerarEscala
  double ValorMaximo = 0, ValorMinimo = 0;
  double EscalaMinima = 0, EscalaMaxima = 0;
  double Centro = 0;
  std::vector<double> Valores;  // positive values, ascending (types 1 to 3)
  uint8_t TipoEscala = 0;
  bool AutoIncMap;
  double IncMap;
  std::array<double, 25> Fixa{};      // 30 .. 54 D
  std::array<double, 25> RaiosFixa{};  // their radii
  std::array<double, 15> Niveis{};     // level 8 (index 7) is the adjusted centre
  std::array<double, 15> Raios{};

  static const std::array<TCorRGB, 15> Paleta15;
  static const std::array<TCorRGB, 25> Paleta25;

  // Helpers of GerarEscala, public because their rules are the scale's.
  static double ArredondarQuarto(double Centro);                      // up to the next quarter dioptre
  static double PassoAutomatico(double ValorMaximo, double ValorMinimo);
};
