#pragma once
// The ring data of one exam as the processing module returns it and the map modules receive it:
// 360 meridians of up to 33 ring values (ring 0 is the centre), the valid ring count of each
// meridian and the pupil record. The layouts are the ones handed across the module boundary.
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

constexpr int NumMeridianos = 360;
constexpr int NumValoresAnel = 33;               // ring values 0 .. 32 of a meridian
constexpr int MaxNumAneis = NumValoresAnel - 1;  // the largest valid ring count

// Row r of a map matrix holds the meridian at (r + 1) degrees counted clockwise as the picture is
// displayed, that is in the camera picture's own coordinates (x to the right, y down). Every
// module and the program read the rows so; the keratometry's 180 - row angle is then the usual
// axis notation (counter-clockwise from the examiner's right, 90 at the top).
constexpr double GrausDaLinha(int linha) { return linha + 1.0; }

struct TDirecaoImagem {
  double dx, dy;  // picture direction: x to the right, y down
};

// Direction of the meridian at `graus`, counted clockwise as displayed.
inline TDirecaoImagem DirecaoMeridiano(double graus) {
  const double a = graus * std::numbers::pi / 180.0;
  return {std::cos(a), std::sin(a)};
}

// Angle, clockwise as displayed, of a picture direction, in [1, 361) as the rows run: row
// floor(angle) - 1 holds the meridian at or before it, the next row the one after it.
inline double GrausDaDirecao(double dx, double dy) {
  const double g = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
  return g < 1.0 ? g + 360.0 : g;
}

using TLinhaMatriz = std::array<double, NumValoresAnel>;
using TMatrizAngAnel = std::array<TLinhaMatriz, NumMeridianos>;  // row = meridian
using TMatrizAng = std::array<int32_t, NumMeridianos>;           // valid rings of each meridian
using TPupila = std::array<int32_t, 4>;                          // pupil record, in file order

static_assert(sizeof(TMatrizAngAnel) == 95040);
static_assert(sizeof(TMatrizAng) == 1440);
static_assert(sizeof(TPupila) == 16);

// A ring count brought into 0 .. MaxNumAneis, so that loops over rings stay inside a row.
constexpr int LimitarAneis(int32_t n) { return n < 0 ? 0 : (n > MaxNumAneis ? MaxNumAneis : n); }
