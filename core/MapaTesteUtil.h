#pragma once
// What the map-data tests share: a private folder that disappears afterwards and matrices with
// known values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/UBMatrizMapa.h"

class PastaTemporaria {
 public:
  PastaTemporaria() {
    std::random_device rd;
    Caminho = std::filesystem::temp_directory_path() / ("mz-mapas-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(Caminho);
  }
  ~PastaTemporaria() {
    std::error_code ec;
    std::filesystem::remove_all(Caminho, ec);
  }
  // The folder as the program names it under Wine (drive Z: is the root).
  std::string Windows() const {
    std::string w = "Z:" + Caminho.string();
    for (char& c : w)
      if (c == '/') c = '\\';
    return w;
  }
  void Escrever(const std::string& Arquivo, const std::string& Conteudo) const {
    std::ofstream(Caminho / Arquivo, std::ios::binary) << Conteudo;
  }
  std::string Ler(const std::string& Arquivo) const {
    std::ifstream in(Caminho / Arquivo, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path Caminho;
};

// Values with two decimals (what the files keep), ring count n on every meridian.
inline TMatrizAngAnel MatrizConhecida(unsigned Semente, int n, double Minimo, double Maximo) {
  std::mt19937 gerador(Semente);
  std::uniform_int_distribution<int> centesimos(int(Minimo * 100), int(Maximo * 100));
  TMatrizAngAnel m{};
  for (auto& linha : m)
    for (int k = 0; k <= n; ++k) linha[size_t(k)] = centesimos(gerador) / 100.0;
  return m;
}
