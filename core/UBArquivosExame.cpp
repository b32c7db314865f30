#include "core/UBArquivosExame.h"

#include <cmath>

#include "core/UBNumerosMapa.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/StringUtils.h"

namespace {

bool EhSeparador(char c) { return c == ' ' || c == '\t'; }

// Line Numero (1-based) of an a.txt; a missing line is a damaged file.
std::string Linha(const TStrings& Linhas, int Numero) {
  if (Numero > Linhas.Count()) throw EReadError("o arquivo tem menos linhas que o esperado.");
  return Trim(Linhas[Numero - 1]);
}

int32_t LerInteiro(const TStrings& Linhas, int Numero) {
  int valor = 0;
  if (!TryStrToInt(Linha(Linhas, Numero), valor))
    throw EConvertError("a linha " + IntToStr(Numero) + " não é um número inteiro.");
  return valor;
}
}  // namespace

std::string PrefixoArquivosExame(const std::string& DirExames, int CodPaciente, int CodExame) {
  return DirExames + "\\" + IntToStr(CodPaciente) + "\\" + IntToStr(CodExame);
}

std::string ArquivoLaudo(const std::string& DirLaudos, int CodPaciente, int CodLaudo) {
  return DirLaudos + "\\" + IntToStr(CodPaciente) + "\\" + IntToStr(CodLaudo) + "l.txt";
}

std::string TextoArquivoMatriz(const TMatrizAngAnel& Matriz, int NumAneis) {
  const int valores = LimitarAneis(NumAneis) + 1;
  std::string texto;
  texto.reserve(size_t(NumMeridianos) * size_t(valores) * 7);
  for (const TLinhaMatriz& linha : Matriz) {
    for (int k = 0; k < valores; ++k) {
      texto += FormatFloat("00.00", linha[size_t(k)], FormatoPonto());
      texto += ' ';
    }
    texto += "\r\n";
  }
  return texto;
}

std::string TextoArquivoA(const TMatrizAng& AneisPorMeridiano, double CentroX, double CentroY,
                          const TPupila& Pupila) {
  std::string texto = FormatFloat("0", CentroX, FormatoPonto()) + "\r\n" + FormatFloat("0", CentroY, FormatoPonto()) +
                      "\r\n@\r\n";
  for (int32_t v : Pupila) texto += IntToStr(v) + "\r\n";
  for (int32_t n : AneisPorMeridiano) texto += IntToStr(n) + "\r\n";
  return texto;
}

std::string TextoBloco(const TStrings& Linhas, int Antes) {
  if (Antes < 0 || Linhas.Count() - Antes < NumMeridianos) throw EReadError("O texto do mapa tem menos de 360 linhas.");
  std::string texto;
  for (int r = 0; r < NumMeridianos; ++r) texto += Linhas[Antes + r] + "\r\n";
  return texto;
}

std::vector<std::string_view> ValoresLinha(std::string_view Linha) {
  std::vector<std::string_view> valores;
  size_t i = 0;
  while (i < Linha.size() && valores.size() < size_t(NumValoresAnel)) {
    while (i < Linha.size() && EhSeparador(Linha[i])) ++i;
    const size_t inicio = i;
    while (i < Linha.size() && !EhSeparador(Linha[i])) ++i;
    if (i > inicio) valores.push_back(Linha.substr(inicio, i - inicio));
  }
  return valores;
}

void LerMatrizTexto(const TStrings& Lines, int Antes, TMatrizAngAnel& Matriz) {
  if (Antes < 0 || Lines.Count() - Antes < NumMeridianos) throw EReadError("O texto do mapa tem menos de 360 linhas.");
  TMatrizAngAnel lida{};
  for (int r = 0; r < NumMeridianos; ++r) {
    const std::string linha = Lines[Antes + r];
    const std::vector<std::string_view> valores = ValoresLinha(linha);
    for (size_t k = 0; k < valores.size(); ++k) {
      try {
        lida[size_t(r)][k] = StrToFloatPontoVirgula(valores[k]);
      } catch (const EConvertError& e) {
        throw EConvertError("Linha " + IntToStr(Antes + r + 1) + " do mapa: " + e.Message());
      }
    }
  }
  Matriz = lida;
}

void LerTextoA(const TStrings& Linhas, TMatrizAng& AneisPorMeridiano, double& CentroX, double& CentroY,
               TPupila& Pupila) {
  double centroX = 0, centroY = 0;
  try {
    centroX = StrToFloatPontoVirgula(Linha(Linhas, 1));
    centroY = StrToFloatPontoVirgula(Linha(Linhas, 2));
  } catch (const EConvertError&) {
    throw EConvertError("o centro da imagem não é um número.");
  }
  TPupila pupila{};
  int primeiraContagem = 3;  // older files have no pupil block
  if (Linha(Linhas, 3) == "@") {
    for (int i = 0; i < 4; ++i) pupila[size_t(i)] = LerInteiro(Linhas, 4 + i);
    primeiraContagem = 8;
  }
  TMatrizAng aneis{};
  for (int m = 0; m < NumMeridianos; ++m) aneis[size_t(m)] = LimitarAneis(LerInteiro(Linhas, primeiraContagem + m));
  CentroX = centroX;
  CentroY = centroY;
  Pupila = pupila;
  AneisPorMeridiano = aneis;
}

std::string AjustarSeparadorDecimal(std::string_view Texto) {
  std::string resultado(Texto);
  const char separador = FormatSettings.DecimalSeparator;
  if (resultado.find(separador) != std::string::npos) return resultado;
  const char trocado = separador == ',' ? '.' : ',';
  const size_t p = resultado.find(trocado);
  if (p != std::string::npos) resultado[p] = separador == ',' ? ',' : '.';
  return resultado;
}

double StrToFloatPontoVirgula(std::string_view Texto) {
  // Read under a fixed "." so that the result does not depend on the separator of the moment.
  std::string texto(Texto);
  if (texto.find('.') == std::string::npos) {
    const size_t p = texto.find(',');
    if (p != std::string::npos) texto[p] = '.';
  }
  const double valor = StrToFloat(texto, FormatoPonto());
  if (!std::isfinite(valor)) throw EConvertError("'" + std::string(Texto) + "' não é um número válido");
  return valor;
}

std::string MaiusculasAcentuadas(std::string_view Texto) {
  // The small accented letters of Portuguese, then their capitals 23 places further.
  static constexpr std::string_view Tabela =
      "\xE1\xE0\xE3\xE2\xE4\xE9\xE8\xEA\xEB\xED\xEC\xEE\xEF\xF3\xF2\xF5\xF4\xF6\xFA\xF9\xFC\xFB\xE7"
      "\xC1\xC0\xC3\xC2\xC4\xC9\xC8\xCA\xCB\xCD\xCC\xCE\xCF\xD3\xD2\xD5\xD4\xD6\xDA\xD9\xDC\xDB\xC7";
  static_assert(Tabela.size() == 46);
  std::string resultado(Texto);
  for (char& c : resultado) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    const size_t p = Tabela.find(c);
    if (p < 23) c = Tabela[p + 23];
  }
  return resultado;
}

std::string TextoSemMarcadores(std::string_view Texto) {
  std::string resultado;
  size_t i = 0;
  while (i < Texto.size()) {
    if (Texto[i] != '#') {
      resultado += Texto[i++];
      continue;
    }
    const size_t fecho = Texto.find('#', i + 1);
    if (fecho == std::string_view::npos) {
      // A "#" that is never closed is plain text.
      resultado += Texto.substr(i);
      break;
    }
    const std::string_view marcador = Texto.substr(i + 1, fecho - i - 1);
    if (marcador.size() > 2) {
      const size_t traco = marcador.find('-');
      // Without a "-" the whole placeholder is the value.
      resultado += traco == std::string_view::npos ? marcador : marcador.substr(traco + 1);
    }
    i = fecho + 1;
  }
  return resultado;
}
