#include "core/UBNumerosMapa.h"

#include <cmath>

#include "toolkit/rtl/NumberText.h"

const TFormatSettings& FormatoPonto() {
  static const TFormatSettings formato = [] {
    TFormatSettings f;
    f.DecimalSeparator = '.';
    f.ThousandSeparator = ',';
    return f;
  }();
  return formato;
}

double ArredondarCentesimos(double Valor) {
  const double a = std::fabs(Valor) * 100;
  // Away from a tie (allowing for the 15 significant digits the formatter keeps), the nearest
  // whole number of hundredths is what the text gives; hundredths / 100 is then the same double
  // as the text read back, both being the correctly rounded value of that decimal.
  if (a < 1e15) {
    const double inteiro = std::floor(a);
    const double distancia = std::fabs(a - inteiro - 0.5);
    if (distancia > 1e-6 + a * 1e-13) {
      const double centesimos = a - inteiro > 0.5 ? inteiro + 1 : inteiro;
      return centesimos == 0 ? 0.0 : std::copysign(centesimos / 100, Valor);
    }
  }
  const double lido = StrToFloat(FormatFloat("0.00", Valor, FormatoPonto()), FormatoPonto());
  return lido == 0 ? 0.0 : lido;  // no negative zero
}
