#include "core/UBArquivosExame.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/MapaTesteUtil.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/NumberText.h"

namespace {

// Sets the process's decimal separator for one test and puts the old one back.
class Separador {
 public:
  explicit Separador(char c) : anterior(FormatSettings.DecimalSeparator) { FormatSettings.DecimalSeparator = c; }
  ~Separador() { FormatSettings.DecimalSeparator = anterior; }

 private:
  char anterior;
};

std::vector<std::string> Linhas(const std::string& texto) {
  std::vector<std::string> linhas;
  size_t inicio = 0;
  for (size_t p; (p = texto.find("\r\n", inicio)) != std::string::npos; inicio = p + 2)
    linhas.push_back(texto.substr(inicio, p - inicio));
  EXPECT_EQ(inicio, texto.size()) << "every line ends with CR LF";
  return linhas;
}

TEST(ArquivoMatriz, ValoresComDuasCasasEUmBrancoDepois) {
  TMatrizAngAnel m{};
  m[0][0] = 5.5;
  m[0][1] = -1.25;
  m[0][2] = 43.265;  // half away from zero
  m[0][3] = 123.4;
  m[359][2] = 0.004;
  const std::vector<std::string> linhas = Linhas(TextoArquivoMatriz(m, 3));
  ASSERT_EQ(linhas.size(), 360u);
  EXPECT_EQ(linhas[0], "05.50 -01.25 43.27 123.40 ");
  EXPECT_EQ(linhas[1], "00.00 00.00 00.00 00.00 ");
  EXPECT_EQ(linhas[359], "00.00 00.00 00.00 00.00 ");
}

TEST(ArquivoMatriz, NumAneisMaisUmValorPorLinha) {
  const TMatrizAngAnel m = MatrizConhecida(1, 32, 1, 99);
  struct Caso {
    int NumAneis;
    size_t Valores;
  };
  for (const Caso c : {Caso{16, 17}, Caso{32, 33}, Caso{0, 1}, Caso{40, 33}, Caso{-3, 1}}) {
    for (const std::string& linha : Linhas(TextoArquivoMatriz(m, c.NumAneis)))
      ASSERT_EQ(ValoresLinha(linha).size(), c.Valores) << c.NumAneis;
  }
}

TEST(ArquivoMatriz, GravadoComPontoQualquerQueSejaOSeparador) {
  Separador virgula(',');
  TMatrizAngAnel m{};
  m[7][1] = 42.5;
  EXPECT_EQ(Linhas(TextoArquivoMatriz(m, 1))[7], "00.00 42.50 ");
}

TEST(ArquivoA, CentroArredondadoPupilaEContagens) {
  TMatrizAng aneis{};
  for (int i = 0; i < 360; ++i) aneis[size_t(i)] = i % 33;
  const std::vector<std::string> linhas = Linhas(TextoArquivoA(aneis, 319.6, 240.4, TPupila{10, -2, 30, 40}));
  ASSERT_EQ(linhas.size(), 367u);
  EXPECT_EQ(linhas[0], "320");
  EXPECT_EQ(linhas[1], "240");
  EXPECT_EQ(linhas[2], "@");
  EXPECT_EQ(linhas[3], "10");
  EXPECT_EQ(linhas[4], "-2");
  EXPECT_EQ(linhas[6], "40");
  EXPECT_EQ(linhas[7], "0");
  EXPECT_EQ(linhas[366], IntToStr(359 % 33));
  EXPECT_EQ(Linhas(TextoArquivoA(aneis, 0.5, -0.5, {}))[0], "1");
  EXPECT_EQ(Linhas(TextoArquivoA(aneis, 0.5, -0.5, {}))[1], "-1");
}

TEST(ValoresLinha, SeparacaoPorBrancos) {
  struct Caso {
    std::string Linha;
    std::vector<std::string> Valores;
  };
  const Caso casos[] = {
      {"12 3", {"12", "3"}},  // the last value needs no blank after it
      {"05.50 -01.25 ", {"05.50", "-01.25"}},
      {"", {}},
      {"7", {"7"}},
      {" ", {}},
      {"1  2\t3 ", {"1", "2", "3"}},
      {"  4", {"4"}},
  };
  for (const Caso& c : casos) {
    const std::vector<std::string_view> v = ValoresLinha(c.Linha);
    EXPECT_EQ(std::vector<std::string>(v.begin(), v.end()), c.Valores) << "'" << c.Linha << "'";
  }
  std::string longa;
  for (int i = 0; i < 50; ++i) longa += "1.00 ";
  EXPECT_EQ(ValoresLinha(longa).size(), 33u);
}

TEST(AjustarSeparadorDecimal, TrocaSoQuandoFaltaOSeparador) {
  struct Caso {
    char Separador;
    std::string Texto, Resultado;
  };
  const Caso casos[] = {
      {'.', "1,5", "1.5"}, {'.', "1.5", "1.5"}, {'.', "12", "12"},   {'.', "1,5,6", "1.5,6"},
      {',', "1.5", "1,5"}, {',', "1,5", "1,5"}, {',', "-0.25", "-0,25"},
  };
  for (const Caso& c : casos) {
    Separador s(c.Separador);
    EXPECT_EQ(AjustarSeparadorDecimal(c.Texto), c.Resultado) << c.Separador << " " << c.Texto;
  }
}

TEST(StrToFloatPontoVirgula, PontoOuVirgulaComQualquerSeparador) {
  for (char separador : {'.', ',', ';'}) {
    Separador s(separador);
    EXPECT_DOUBLE_EQ(StrToFloatPontoVirgula("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloatPontoVirgula("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloatPontoVirgula("-01.25"), -1.25);
    EXPECT_DOUBLE_EQ(StrToFloatPontoVirgula("43"), 43);
  }
  for (const char* ruim : {"", "abc", "1.5x", "1e999", "nan", "inf", "1,2.3", "--1"})
    EXPECT_THROW(StrToFloatPontoVirgula(ruim), EConvertError) << ruim;
}

TEST(LerMatrizTexto, BlocoDepoisDeAntesLinhas) {
  const TMatrizAngAnel a = MatrizConhecida(2, 20, -5, 60), b = MatrizConhecida(3, 32, 0, 99);
  TStringList lista;
  lista.SetText(TextoArquivoMatriz(a, 20) + TextoArquivoMatriz(b, 32));
  TMatrizAngAnel lida{};
  LerMatrizTexto(lista, 360, lida);
  EXPECT_EQ(lida, b);
  LerMatrizTexto(lista, 0, lida);
  EXPECT_EQ(lida, a);  // columns past ring 20 are cleared, not kept from b
  EXPECT_THROW(LerMatrizTexto(lista, 361, lida), EReadError);
  EXPECT_THROW(LerMatrizTexto(lista, -1, lida), EReadError);
}

TEST(LerMatrizTexto, ValorInvalidoNaoAlteraAMatriz) {
  TStringList lista;
  lista.SetText(TextoArquivoMatriz(MatrizConhecida(4, 10, 1, 9), 10));
  lista.Put(200, "01.00 xx 03.00");
  TMatrizAngAnel lida = MatrizConhecida(5, 32, 1, 9);
  const TMatrizAngAnel antes = lida;
  EXPECT_THROW(LerMatrizTexto(lista, 0, lida), EConvertError);
  EXPECT_EQ(lida, antes);
}

// An a.txt as the writer makes it, then changed line by line.
TStringList* TextoA(TStringList& lista, const std::function<void(TStringList&)>& Mudar = nullptr) {
  TMatrizAng aneis{};
  for (int i = 0; i < 360; ++i) aneis[size_t(i)] = 10 + i % 20;
  lista.SetText(TextoArquivoA(aneis, 321.4, 239.6, TPupila{1, 2, 3, 4}));
  if (Mudar) Mudar(lista);
  return &lista;
}

TEST(LerTextoA, ComEsemBlocoDaPupila) {
  TStringList lista;
  TMatrizAng aneis{};
  double x = -1, y = -1;
  TPupila pupila{9, 9, 9, 9};
  LerTextoA(*TextoA(lista), aneis, x, y, pupila);
  EXPECT_EQ(x, 321);
  EXPECT_EQ(y, 240);
  EXPECT_EQ(pupila, (TPupila{1, 2, 3, 4}));
  EXPECT_EQ(aneis[0], 10);
  EXPECT_EQ(aneis[359], 10 + 359 % 20);

  // Older files: no "@", the counts start at line 3 and the pupil is zero.
  TStringList antiga;
  antiga.Add("320");
  antiga.Add("240");
  for (int i = 0; i < 360; ++i) antiga.Add(IntToStr(i % 33));
  LerTextoA(antiga, aneis, x, y, pupila);
  EXPECT_EQ(pupila, (TPupila{0, 0, 0, 0}));
  EXPECT_EQ(aneis[0], 0);
  EXPECT_EQ(aneis[359], 359 % 33);
}

TEST(LerTextoA, ArquivosDanificados) {
  struct Caso {
    const char* Nome;
    std::function<void(TStringList&)> Mudar;
    bool Lido;
    int Anel0;  // ring count of meridian 0 when read
  };
  const Caso casos[] = {
      {"intacto", nullptr, true, 10},
      {"contagem acima de 32", [](TStringList& l) { l.Put(7, "99"); }, true, 32},
      {"contagem negativa", [](TStringList& l) { l.Put(7, "-5"); }, true, 0},
      {"brancos em volta", [](TStringList& l) { l.Put(7, " 12 "); l.Put(2, "@ "); }, true, 12},
      {"centro com virgula", [](TStringList& l) { l.Put(0, "320,5"); }, true, 10},
      {"linhas a mais", [](TStringList& l) { l.Add("7"); l.Add("lixo"); }, true, 10},
      {"centro sem numero", [](TStringList& l) { l.Put(0, "abc"); }, false, 0},
      {"centro vazio", [](TStringList& l) { l.Put(1, ""); }, false, 0},
      {"pupila sem numero", [](TStringList& l) { l.Put(4, "x"); }, false, 0},
      {"contagem sem numero", [](TStringList& l) { l.Put(100, "3.5"); }, false, 0},
      {"contagem enorme", [](TStringList& l) { l.Put(100, "99999999999999999999"); }, false, 0},
      {"faltam linhas", [](TStringList& l) { l.Delete(366); }, false, 0},
      {"vazio", [](TStringList& l) { l.Clear(); }, false, 0},
      {"binario", [](TStringList& l) { l.SetText(std::string("\0\xFF\x01@\r\n\x80", 7)); }, false, 0},
  };
  for (const Caso& c : casos) {
    TStringList lista;
    TMatrizAng aneis{};
    aneis.fill(-1);
    double x = -1, y = -1;
    TPupila pupila{-1, -1, -1, -1};
    bool lido = true;
    try {
      LerTextoA(*TextoA(lista, c.Mudar), aneis, x, y, pupila);
    } catch (const EReadError&) {
      lido = false;
    } catch (const EConvertError&) {
      lido = false;
    }
    EXPECT_EQ(lido, c.Lido) << c.Nome;
    if (lido) {
      EXPECT_EQ(aneis[0], c.Anel0) << c.Nome;
    } else {
      EXPECT_EQ(aneis[0], -1) << c.Nome << ": outputs untouched";
      EXPECT_EQ(x, -1) << c.Nome;
    }
  }
}

TEST(MaiusculasAcentuadas, LetrasAcentuadasDoPortugues) {
  EXPECT_EQ(MaiusculasAcentuadas("ação"), "AÇÃO");
  EXPECT_EQ(MaiusculasAcentuadas("áàãâäéèêëíìîïóòõôöúùüûç"), "ÁÀÃÂÄÉÈÊËÍÌÎÏÓÒÕÔÖÚÙÜÛÇ");
  EXPECT_EQ(MaiusculasAcentuadas("José da Conceição 12"), "JOSÉ DA CONCEIÇÃO 12");
  // Other letters above "z" stay as they are.
  EXPECT_EQ(MaiusculasAcentuadas("ñýÿšœ"), "ñýÿšœ");
  EXPECT_EQ(MaiusculasAcentuadas(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(TextoSemMarcadores, MarcadoresSubstituidos) {
  struct Caso {
    std::string Texto, Resultado;
  };
  const Caso casos[] = {
      {"Raio #R-7,80# mm", "Raio 7,80 mm"},
      {"K #K1-43,25#", "K 43,25"},
      {"a#XY#b", "ab"},  // two characters or fewer: dropped
      {"a##b", "ab"},
      {"#ABC#", "ABC"},  // no "-": the whole placeholder
      {"x #A-B-C# y", "x B-C y"},
      {"sem fim #K1-4", "sem fim #K1-4"},  // never closed: plain text
      {"", ""},
      {"#", "#"},
  };
  for (const Caso& c : casos) EXPECT_EQ(TextoSemMarcadores(c.Texto), c.Resultado) << c.Texto;
}

}  // namespace
