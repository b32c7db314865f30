#include "core/UBNumerosMapa.h"

#include <charconv>
#include <cmath>

#include "core/UBErroMapa.h"
#include "toolkit/rtl/DecimalDigits.h"

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
  // Near a tie, or too large for the test above: the digits that the text holds (the shortest form
  // to 15 significant digits, rounded to two decimals) read back as they stand, without writing out
  // the text, which for a large value runs to hundreds of zeros.
  if (!std::isfinite(Valor)) throw EErroMapa("Valor fora do intervalo no cálculo do mapa.");
  detail::DecimalDigits d = detail::ToDecimalDigits(Valor);
  detail::RoundToDecimals(d, 2);
  if (d.IsZero()) return 0.0;  // no negative zero
  char texto[40];
  char* fim = d.digits.copy(texto, d.digits.size()) + texto;
  *fim++ = 'e';
  fim = std::to_chars(fim, texto + sizeof texto, d.exponent - int(d.digits.size())).ptr;
  double lido = 0;
  // Rounding to 15 digits can carry the largest doubles past the last one.
  if (std::from_chars(texto, fim, lido).ec != std::errc()) throw EErroMapa("Valor fora do intervalo no cálculo do mapa.");
  return d.negative ? -lido : lido;
}
