#pragma once
// Number text of the map data: always with "." as decimal separator, whatever the program's is.
#include "toolkit/rtl/FormatSettings.h"

const TFormatSettings& FormatoPonto();

// The value written with "0.00" and read back: two decimals, halves away from zero. Gives the
// same bits as the text round trip, without it for all but near-ties.
double ArredondarCentesimos(double Valor);
