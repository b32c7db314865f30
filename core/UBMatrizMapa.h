#pragma once
// The ring data of one exam as the processing module returns it and the map modules receive it:
// 360 meridians of up to 33 ring values (ring 0 is the centre), the valid ring count of each
// meridian and the pupil record. The layouts are the ones handed across the module boundary.
#include <array>
#include <cstdint>

constexpr int NumMeridianos = 360;
constexpr int NumValoresAnel = 33;               // ring values 0 .. 32 of a meridian
constexpr int MaxNumAneis = NumValoresAnel - 1;  // the largest valid ring count

using TLinhaMatriz = std::array<double, NumValoresAnel>;
using TMatrizAngAnel = std::array<TLinhaMatriz, NumMeridianos>;  // row = meridian
using TMatrizAng = std::array<int32_t, NumMeridianos>;           // valid rings of each meridian
using TPupila = std::array<int32_t, 4>;                          // pupil record, in file order

static_assert(sizeof(TMatrizAngAnel) == 95040);
static_assert(sizeof(TMatrizAng) == 1440);
static_assert(sizeof(TPupila) == 16);

// A ring count brought into 0 .. MaxNumAneis, so that loops over rings stay inside a row.
constexpr int LimitarAneis(int32_t n) { return n < 0 ? 0 : (n > MaxNumAneis ? MaxNumAneis : n); }
