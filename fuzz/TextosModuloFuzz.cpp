// What reaches the stand-in modules as text: stream lines, numbers, the calibration file, the
// capture title, the wizard's candidate lines and choice switch, the backup's file lists.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "plugins/common/TextosModulo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view texto(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::vector<std::string> linhas = DividirLinhas(data + 1, size - 1);
  size_t total = 0;
  for (const std::string& l : linhas) {
    if (l.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    total += l.size();
  }
  if (total > size) __builtin_trap();
  switch (data[0] % 6) {
    case 0: {
      double v = 0;
      if (LerNumero(texto, v) && !std::isfinite(v)) __builtin_trap();
      break;
    }
    case 1: {
      CorrecaoAneis c;
      if (LerCorrecao(texto, c) && (c.a.empty() || c.a.size() != c.b.size())) __builtin_trap();
      for (double v : c.a)
        if (!std::isfinite(v)) __builtin_trap();
      break;
    }
    case 2:
      if (!std::isfinite(RaioDoTitulo(texto))) __builtin_trap();
      break;
    case 3: {
      const std::vector<Candidato> c = LerCandidatos(linhas, data[0] & 8);
      if (c.size() != linhas.size()) __builtin_trap();
      break;
    }
    case 4: {
      const int quantidade = data[0] >> 4;
      for (int i : LerEscolha(texto, quantidade))
        if (i < 0 || i >= quantidade) __builtin_trap();
      break;
    }
    case 5: {
      size_t nomes = 0;
      for (const auto& item : ItensExames(linhas)) {
        if (item.empty()) __builtin_trap();
        nomes += item.size();
      }
      size_t naoVazios = 0;
      for (const std::string& l : linhas) naoVazios += l.empty() ? 0 : 1;
      if (nomes != naoVazios) __builtin_trap();
      break;
    }
  }
  return 0;
}
