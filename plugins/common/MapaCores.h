#pragma once
// Colour map of an exam's ring data, as the single-map modules draw it: values interpolated
// between rings along each meridian and between neighbouring meridians.
#include <array>
#include <cstdint>

#include "core/UBMatrizMapa.h"
#include "plugins/common/BmpCodec.h"

// Row r: the meridian at r + 1 degrees, clockwise as displayed (core/UBMatrizMapa.h); element k: ring k.
using Matriz = double[360][33];

struct DadosMapa {
  const Matriz* M = nullptr;  // ring positions, picture samples from the centre
  const Matriz* D = nullptr;  // values (dioptres)
  const int* aneis = nullptr;  // valid rings of each meridian
};

// Tangential curvature from the axial one: with the axial value K(r) = 337.5 sin(t) / r, the
// tangential value is d(K r)/dr, taken by differences between neighbouring rings.
void TangencialDeAxial(const DadosMapa& axial, Matriz& tangencial);

// Corneal elevation (sag from the apex, mm) at each ring point, from the axial curvature: the
// axial radius R = 337.5 / K at a point r millimetres off the axis fixes the surface's slope there,
// r / sqrt(R^2 - r^2), integrated outward along the meridian. fator: millimetres per sample.
void ElevacaoDeAxial(const DadosMapa& axial, double fator, Matriz& elevacao);

// Value at a picture position (samples from the centre, x to the right, y down as displayed);
// false outside the measured zone.
bool ValorEm(const DadosMapa& d, double x, double y, double& valor);

// Difference a - b point by point on a's grid (its rings and meridians), as far out along each
// meridian as b has values; the valid rings of each meridian go into `aneis`.
void DiferencaMapas(const DadosMapa& a, const DadosMapa& b, Matriz& diferenca, int aneis[360]);

struct Escala15 {
  std::array<double, 15> niveis{};              // level values, ascending
  std::array<std::array<uint8_t, 3>, 15> cores{};  // RGB of each level
  int Indice(double valor) const;               // level whose band holds the value
};

// A `lado` x `lado` map: `raioAmostras` picture samples fill the map's radius; white outside.
ImagemRGB RenderizarMapa(const DadosMapa& d, const Escala15& escala, int lado, double raioAmostras);
