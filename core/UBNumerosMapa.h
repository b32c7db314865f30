#pragma once
// Number text of the map data: always with "." as decimal separator, whatever the program's is.
#include "toolkit/rtl/FormatSettings.h"

const TFormatSettings& FormatoPonto();

// The value written with "0.00" and read back: two decimals, halves away from zero. Gives the
// same bits as the text round trip, without the text. Raises EErroMapa where the text would not read
// back as a double (the largest doubles, whose 15 digits round past the last one).
double ArredondarCentesimos(double Valor);
