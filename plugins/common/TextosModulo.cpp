#include "plugins/common/TextosModulo.h"

#include <charconv>
#include <cmath>

std::vector<std::string> DividirLinhas(const uint8_t* dados, size_t n) {
  std::vector<std::string> linhas;
  std::string atual;
  for (size_t i = 0; i < n; ++i) {
    const char c = char(dados[i]);
    if (c == '\r' || c == '\n') {
      linhas.push_back(atual);
      atual.clear();
      if (c == '\r' && i + 1 < n && dados[i + 1] == '\n') ++i;
    } else {
      atual += c;
    }
  }
  if (!atual.empty()) linhas.push_back(atual);
  return linhas;
}

bool LerNumero(std::string_view texto, double& valor) {
  const auto branco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!texto.empty() && branco(texto.front())) texto.remove_prefix(1);
  while (!texto.empty() && branco(texto.back())) texto.remove_suffix(1);
  // Only plain decimals: from_chars would also take "inf", "nan" and hexadecimal digits.
  if (texto.empty() || texto.size() > 64) return false;
  std::string s(texto);
  bool digito = false;
  for (size_t i = 0; i < s.size(); ++i) {
    char& c = s[i];
    if (c == ',') c = '.';
    if (c >= '0' && c <= '9') digito = true;
    else if (!(c == '.' || ((c == '-' || c == '+') && i == 0) || c == 'e' || c == 'E' ||
               ((c == '-' || c == '+') && (s[i - 1] == 'e' || s[i - 1] == 'E'))))
      return false;
  }
  if (!digito) return false;
  const char* b = s.data() + (s[0] == '+' ? 1 : 0);
  double v = 0;
  const auto r = std::from_chars(b, s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
  valor = v;
  return true;
}

bool LerCorrecao(std::string_view texto, CorrecaoAneis& c) {
  const std::vector<std::string> linhas =
      DividirLinhas(reinterpret_cast<const uint8_t*>(texto.data()), texto.size());
  CorrecaoAneis lida;
  for (size_t i = 0; i + 1 < linhas.size(); i += 2) {
    double a = 0, b = 0;
    if (!LerNumero(linhas[i], a) || !LerNumero(linhas[i + 1], b)) {
      // A trailing empty line is the file's end; anything else spoils the whole file.
      if (linhas[i].empty() && i + 2 >= linhas.size()) break;
      return false;
    }
    lida.a.push_back(a);
    lida.b.push_back(b);
  }
  if (lida.a.empty()) return false;
  c = std::move(lida);
  return true;
}

double RaioDoTitulo(std::string_view titulo) {
  const size_t a = titulo.find('(');
  if (a == std::string_view::npos) return 0;
  titulo.remove_prefix(a + 1);
  double v = 0;
  return LerNumero(titulo.substr(0, titulo.find(')')), v) ? v : 0;
}

std::vector<Candidato> LerCandidatos(const std::vector<std::string>& linhas, bool comMarcador) {
  std::vector<Candidato> c;
  for (std::string l : linhas) {
    Candidato k;
    if (comMarcador && !l.empty() && (l[0] == 'O' || l[0] == 'T') && l.compare(0, 4, "Olho") != 0) {
      k.orto = l[0] == 'O';
      l.erase(0, 1);
    }
    k.direito = l.compare(0, 12, "Olho Direito") == 0;
    k.texto = std::move(l);
    c.push_back(std::move(k));
  }
  return c;
}

std::vector<int> LerEscolha(std::string_view texto, int quantidade) {
  std::vector<int> e;
  while (!texto.empty()) {
    const size_t fim = texto.find(',');
    std::string_view item = texto.substr(0, fim);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    int i = -1;
    const auto r = std::from_chars(item.data(), item.data() + item.size(), i);
    if (r.ec == std::errc() && r.ptr == item.data() + item.size() && i >= 0 && i < quantidade) e.push_back(i);
    if (fim == std::string_view::npos) break;
    texto.remove_prefix(fim + 1);
  }
  return e;
}

std::vector<std::vector<std::string>> ItensExames(const std::vector<std::string>& nomes) {
  std::vector<std::vector<std::string>> itens;
  std::string stem;
  for (const std::string& n : nomes) {
    if (n.empty()) continue;
    const std::string s = n.size() > 5 ? n.substr(0, n.size() - 5) : n;
    if (itens.empty() || s != stem) itens.emplace_back();
    stem = s;
    itens.back().push_back(n);
  }
  return itens;
}
