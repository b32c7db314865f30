// The readers of the exam's map files take any bytes: they read a file or raise a conversion or
// read error, never crash, and what they read is inside the arrays' bounds and finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/UBArquivosExame.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStringList linhas;
  linhas.SetText(std::string_view(reinterpret_cast<const char*>(data), size));

  TMatrizAngAnel matriz{};
  try {
    LerMatrizTexto(linhas, 0, matriz);
    for (const auto& linha : matriz)
      for (double v : linha)
        if (!std::isfinite(v)) std::abort();
  } catch (const Exception&) {
  }

  TMatrizAng aneis{};
  double x = 0, y = 0;
  TPupila pupila{};
  try {
    LerTextoA(linhas, aneis, x, y, pupila);
    if (!std::isfinite(x) || !std::isfinite(y)) std::abort();
    for (int32_t n : aneis)
      if (n < 0 || n > MaxNumAneis) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
