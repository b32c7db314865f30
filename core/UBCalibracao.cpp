#include "core/UBCalibracao.h"

#include <vector>

#include "core/UBArquivosExame.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/NumberText.h"

namespace {

// Hundredths of a millimetre, so the text takes the process's separator.
constexpr int kRaios[4] = {773, 805, 834, 891};

}  // namespace

std::string TextoRaioEsfera(int Esfera) {
  const int r = kRaios[Esfera - 1];
  const std::string centesimos = IntToStr(r % 100);
  return IntToStr(r / 100) + FormatSettings.DecimalSeparator + (centesimos.size() < 2 ? "0" : "") + centesimos;
}

void GravarCoeficientes(const std::string& Pasta, unsigned char N) {
  TStringList arquivos[4];
  for (int i = 0; i < 4; ++i) arquivos[i].LoadFromFile(Pasta + IntToStr(i + 1) + ".txt");
  double y[4];
  for (int i = 0; i < 4; ++i) {
    if (arquivos[i].Count() == 0) throw EReadError("Arquivo de esfera vazio");
    y[i] = StrToFloatPontoVirgula(arquivos[i][0]);
  }
  std::vector<double> a(N, 0.0), b(N, 0.0);
  for (int j = 1; j < arquivos[0].Count(); ++j) {
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (int i = 0; i < 4; ++i) {
      if (j >= arquivos[i].Count()) throw EReadError("Arquivo de esfera incompleto");
      const double x = StrToFloatPontoVirgula(arquivos[i][j]);
      sx += x;
      sy += y[i];
      sxy += x * y[i];
      sxx += x * x;
    }
    const double d = 4 * sxx - sx * sx;
    if (d == 0) throw EZeroDivide("Valores iguais nas quatro esferas");
    if (j > N) continue;
    a[size_t(j - 1)] = (sy * sxx - sx * sxy) / d;
    b[size_t(j - 1)] = (4 * sxy - sy * sx) / d;
  }
  TStringList coeficientes;
  for (size_t i = 0; i < N; ++i) {
    coeficientes.Add(FloatToStr(a[i]));
    coeficientes.Add(FloatToStr(b[i]));
  }
  coeficientes.SaveToFile(Pasta + "Coef.txt");
}
