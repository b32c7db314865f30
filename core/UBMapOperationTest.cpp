// The exam files on disk under Wine: writers, the map-data object and the report file.
#include <windows.h>

#include "core/UBMapOperation.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/MapaTesteUtil.h"
#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBSettingsTestSupport.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/NumberText.h"

namespace {

struct ExameEmDisco {
  TMatrizAngAnel D, M;
  TMatrizAng Aneis{};
  double CentroX = 318.7, CentroY = 241.2;
  TPupila Pupila{150, 160, 40, 42};
};

ExameEmDisco Exame(unsigned semente, int n) {
  ExameEmDisco e{MatrizConhecida(semente, n, 30, 60), MatrizConhecida(semente + 1, n, 0, 280)};
  for (int i = 0; i < 360; ++i) e.Aneis[size_t(i)] = n - i % 3;
  return e;
}

class ArquivosDoExame : public testing::Test {
 protected:
  ArquivosDoExame() { std::filesystem::create_directories(pasta.Caminho / "12"); }

  std::string Prefixo(int exame = 34) const { return PrefixoArquivosExame(pasta.Windows(), 12, exame); }
  void Gravar(const ExameEmDisco& e, int numAneis, int exame = 34) {
    GravarArquivoD(pasta.Windows(), 12, exame, e.D, numAneis);
    GravarArquivoM(pasta.Windows(), 12, exame, e.M, numAneis);
    GravarArquivoA(pasta.Windows(), 12, exame, e.Aneis, e.CentroX, e.CentroY, e.Pupila);
  }
  std::string Arquivo(const char* sufixo, int exame = 34) const { return "12/" + std::to_string(exame) + sufixo; }

  static void ExpectVazio(const TBMapOperation& mapa) {
    TMatrizAngAnel d, m;
    TMatrizAng aneis;
    TPupila pupila;
    mapa.GetMatrizD(d);
    mapa.GetMatrizM(m);
    mapa.GetAneisPorMeridiano(aneis);
    mapa.GetPupila(pupila);
    EXPECT_EQ(d, TMatrizAngAnel{});
    EXPECT_EQ(m, TMatrizAngAnel{});
    EXPECT_EQ(aneis, TMatrizAng{});
    EXPECT_EQ(pupila, TPupila{});
    EXPECT_EQ(mapa.GetCentroX(), 0);
  }

  PastaTemporaria pasta;
  TMessageLog mensagens;
  TBMapOperation mapa;
};

TEST_F(ArquivosDoExame, GravarELerDeVolta) {
  const ExameEmDisco e = Exame(11, 32);
  Gravar(e, 32);
  ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo()));
  EXPECT_TRUE(mensagens.Messages().empty());
  TMatrizAngAnel d, m;
  TMatrizAng aneis;
  TPupila pupila;
  mapa.GetMatrizD(d);
  mapa.GetMatrizM(m);
  mapa.GetAneisPorMeridiano(aneis);
  mapa.GetPupila(pupila);
  EXPECT_EQ(d, e.D);  // the values have two decimals: exact
  EXPECT_EQ(m, e.M);
  EXPECT_EQ(aneis, e.Aneis);
  EXPECT_EQ(pupila, e.Pupila);
  EXPECT_EQ(mapa.GetCentroX(), 319);
  EXPECT_EQ(mapa.GetCentroY(), 241);
  EXPECT_EQ(*mapa.PtrMatrizD(), e.D);
  EXPECT_EQ(*mapa.PtrMatrizM(), e.M);
  EXPECT_EQ(*mapa.PtrAneisPorMeridiano(), e.Aneis);
  EXPECT_EQ(*mapa.PtrCentroX(), 319);
  EXPECT_EQ(*mapa.PtrCentroY(), 241);
  EXPECT_EQ(TBMapOperation::StrToFloatPontoVirgula("7,80"), 7.8);
  EXPECT_EQ(mapa.GetArquivoD(), Prefixo() + "d.txt");
  EXPECT_EQ(mapa.GetArquivoM(), Prefixo() + "m.txt");
  EXPECT_EQ(mapa.GetArquivoA(), Prefixo() + "a.txt");
  // Each line: NumAneis + 1 values, a blank after each, CR LF.
  const std::string texto = pasta.Ler(Arquivo("d.txt"));
  const std::string primeira = texto.substr(0, texto.find("\r\n"));
  EXPECT_EQ(primeira.size(), 33u * 6);  // "dd.dd " for values from 30 to 60
  EXPECT_EQ(primeira.back(), ' ');
}

TEST_F(ArquivosDoExame, ValoresComPrecisaoDeCentesimos) {
  ExameEmDisco e = Exame(12, 16);
  for (auto& linha : e.D)
    for (int k = 0; k <= 16; ++k) linha[size_t(k)] += 0.001234;  // more digits than the file keeps
  Gravar(e, 16);
  ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo()));
  for (int r = 0; r < 360; ++r)
    for (int k = 0; k <= 16; ++k) ASSERT_NEAR((*mapa.PtrMatrizD())[size_t(r)][size_t(k)], e.D[size_t(r)][size_t(k)], 0.005);
  EXPECT_EQ((*mapa.PtrMatrizD())[0][17], 0);
}

TEST_F(ArquivosDoExame, ExameMenorDepoisDeMaiorNaoMostraValoresDoPrimeiro) {
  const ExameEmDisco a = Exame(21, 32), b = Exame(22, 16);
  Gravar(a, 32, 1);
  Gravar(b, 16, 2);
  ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo(1)));
  ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo(2)));
  for (int r = 0; r < 360; ++r)
    for (int k = 17; k < 33; ++k) {
      ASSERT_EQ((*mapa.PtrMatrizD())[size_t(r)][size_t(k)], 0);
      ASSERT_EQ((*mapa.PtrMatrizM())[size_t(r)][size_t(k)], 0);
    }
  EXPECT_EQ(*mapa.PtrMatrizD(), b.D);
}

TEST_F(ArquivosDoExame, ArquivoMAusenteSoEleEhReportado) {
  Gravar(Exame(31, 20), 20);
  std::filesystem::remove(pasta.Caminho / Arquivo("m.txt"));
  pasta.Escrever(Arquivo("d.txt"), "lixo");  // would be a second message if it were read
  EXPECT_FALSE(mapa.CarregarArquivosMapa(Prefixo()));
  ASSERT_EQ(mensagens.Messages().size(), 1u);
  EXPECT_EQ(mensagens.Messages()[0].Text, "Arquivo m.txt não encontrado!");
  EXPECT_EQ(mensagens.Messages()[0].Caption, "Erro");
  EXPECT_EQ(mensagens.Messages()[0].Flags, unsigned(MB_ICONERROR));
  ExpectVazio(mapa);
}

TEST_F(ArquivosDoExame, ArquivosDAusentes) {
  for (const char* arquivo : {"d.txt", "a.txt"}) {
    Gravar(Exame(32, 20), 20);
    ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo()));
    std::filesystem::remove(pasta.Caminho / Arquivo(arquivo));
    mensagens.Clear();
    EXPECT_FALSE(mapa.CarregarArquivosMapa(Prefixo()));
    ASSERT_EQ(mensagens.Messages().size(), 1u);
    EXPECT_EQ(mensagens.Messages()[0].Text, std::string("Arquivo ") + arquivo + " não encontrado!");
    ExpectVazio(mapa);  // never half an exam
  }
}

TEST_F(ArquivosDoExame, VirgulaOuPontoQualquerQueSejaOSeparador) {
  const ExameEmDisco e = Exame(41, 24);
  Gravar(e, 24);
  std::string comVirgula = pasta.Ler(Arquivo("d.txt"));
  std::replace(comVirgula.begin(), comVirgula.end(), '.', ',');
  pasta.Escrever(Arquivo("d.txt"), comVirgula);
  for (char separador : {'.', ','}) {
    const char anterior = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = separador;
    const bool lido = mapa.CarregarArquivosMapa(Prefixo());
    FormatSettings.DecimalSeparator = anterior;
    ASSERT_TRUE(lido) << separador;
    EXPECT_EQ(*mapa.PtrMatrizD(), e.D) << separador;
    EXPECT_EQ(*mapa.PtrMatrizM(), e.M) << separador;
  }
}

TEST_F(ArquivosDoExame, ArquivosDanificados) {
  struct Caso {
    const char* Nome;
    const char* Arquivo;
    std::function<std::string(const std::string&)> Mudar;
    bool Lido;
  };
  const auto linhas = [](const std::string& t, int n) {
    size_t p = 0;
    for (int i = 0; i < n; ++i) p = t.find("\r\n", p) + 2;
    return t.substr(0, p);
  };
  const Caso casos[] = {
      {"359 linhas", "d.txt", [&](const std::string& t) { return linhas(t, 359); }, false},
      {"vazio", "m.txt", [](const std::string&) { return std::string(); }, false},
      {"valor com letra", "d.txt", [](std::string t) { return t.replace(t.find("\r\n") - 3, 1, "x"); }, false},
      {"binario", "d.txt", [](const std::string&) { return std::string("\x00\xFF\x10\r\n\x7F", 6); }, false},
      {"grande demais", "m.txt",
       [](const std::string& t) { return t + std::string(TBMapOperation::TamanhoMaximoArquivo, '1'); }, false},
      {"so LF", "d.txt",
       [](std::string t) {
         std::erase(t, '\r');
         return t;
       },
       true},
      {"40 valores numa linha", "d.txt", [](std::string t) { return t.insert(t.find("\r\n"), " 1 2 3 4 5 6 7 8"); }, true},
      {"centro sem numero", "a.txt", [](std::string t) { return t.replace(0, 3, "x"); }, false},
  };
  const ExameEmDisco e = Exame(51, 32);
  for (const Caso& c : casos) {
    Gravar(e, 32);
    pasta.Escrever(Arquivo(c.Arquivo), c.Mudar(pasta.Ler(Arquivo(c.Arquivo))));
    mensagens.Clear();
    EXPECT_EQ(mapa.CarregarArquivosMapa(Prefixo()), c.Lido) << c.Nome;
    if (c.Lido) {
      EXPECT_TRUE(mensagens.Messages().empty()) << c.Nome;
      EXPECT_EQ(*mapa.PtrMatrizD(), e.D) << c.Nome;  // extra values past 33 are dropped
    } else {
      ASSERT_EQ(mensagens.Messages().size(), 1u) << c.Nome;
      EXPECT_EQ(mensagens.Messages()[0].Text.rfind(std::string("Arquivo ") + c.Arquivo + " inválido", 0), 0u)
          << mensagens.Messages()[0].Text;
      EXPECT_EQ(mensagens.Messages()[0].Caption, "Erro");
      ExpectVazio(mapa);
    }
  }
}

TEST_F(ArquivosDoExame, ExemploComPrefixoProprio) {
  std::filesystem::create_directories(pasta.Caminho / "Exemplos");
  const ExameEmDisco e = Exame(61, 16);
  const std::string prefixo = pasta.Windows() + "\\Exemplos\\Central01";
  pasta.Escrever("Exemplos/Central01d.txt", TextoArquivoMatriz(e.D, 16));
  pasta.Escrever("Exemplos/Central01m.txt", TextoArquivoMatriz(e.M, 16));
  pasta.Escrever("Exemplos/Central01a.txt", TextoArquivoA(e.Aneis, 320, 240, {}));
  ASSERT_TRUE(mapa.CarregarArquivosMapa(prefixo));
  EXPECT_EQ(*mapa.PtrMatrizM(), e.M);
}

TEST_F(ArquivosDoExame, ExamesDeOrtoceratologia) {
  // The module's text: four blocks of 360 lines, each line the ring values of one meridian.
  TStringList d, m;
  for (int bloco = 0; bloco < 4; ++bloco)
    for (int r = 0; r < 360; ++r) {
      d.Add(IntToStr(40 + bloco) + ".5 43,25 44.125");
      m.Add("0 " + IntToStr(r) + " " + IntToStr(bloco));
    }
  GravarArquivosOrto(pasta.Windows(), 12, 50, d, m, 2, 16);
  EXPECT_EQ(pasta.Ler(Arquivo("d.txt", 50)).substr(0, 23), "42.5 43,25 44.125\r\n42.5");
  ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo(50)));
  EXPECT_EQ((*mapa.PtrMatrizD())[7][0], 42.5);
  EXPECT_EQ((*mapa.PtrMatrizD())[7][1], 43.25);
  EXPECT_EQ((*mapa.PtrMatrizD())[7][2], 44.125);  // as the module wrote it
  EXPECT_EQ((*mapa.PtrMatrizM())[359][1], 359);
  EXPECT_EQ((*mapa.PtrMatrizM())[359][2], 2);
  EXPECT_EQ(mapa.GetCentroX(), 320);
  EXPECT_EQ(mapa.GetCentroY(), 240);
  TPupila pupila{1, 1, 1, 1};
  mapa.GetPupila(pupila);
  EXPECT_EQ(pupila, TPupila{});
  EXPECT_EQ((*mapa.PtrAneisPorMeridiano())[200], 16);
  EXPECT_THROW(GravarArquivosOrto(pasta.Windows(), 12, 51, d, m, 4, 16), EReadError);
  EXPECT_FALSE(std::filesystem::exists(pasta.Caminho / Arquivo("d.txt", 51)));
}

TEST_F(ArquivosDoExame, GravacaoSemPastaLevantaErro) {
  const ExameEmDisco e = Exame(71, 8);
  EXPECT_THROW(GravarArquivoD(pasta.Windows(), 99, 1, e.D, 8), EStreamError);
  EXPECT_THROW(GravarArquivoA(pasta.Windows(), 99, 1, e.Aneis, 0, 0, {}), EStreamError);
}

TEST_F(ArquivosDoExame, Laudo) {
  std::filesystem::create_directories(pasta.Caminho / "Laudos" / "12");
  EXPECT_TRUE(
      GravarArquivoLaudo(pasta.Windows() + "\\Laudos", "12", "7", {"Córnea #K1-43,25#", "b", "", "d\r\ne", "fim #XY#"}));
  EXPECT_EQ(pasta.Ler("Laudos/12/7l.txt"), "Córnea 43,25\r\n@\r\nb\r\n@\r\n\r\n@\r\nd\r\ne\r\n@\r\nfim \r\n@");
  ASSERT_EQ(mensagens.Messages().size(), 1u);
  EXPECT_EQ(mensagens.Messages()[0].Text, "Laudo gravado com sucesso.");
  EXPECT_EQ(mensagens.Messages()[0].Caption, "Informação");
  EXPECT_EQ(mensagens.Messages()[0].Flags, unsigned(MB_ICONINFORMATION));

  EXPECT_FALSE(GravarArquivoLaudo(pasta.Windows() + "\\Laudos", "13", "7", {}));
  ASSERT_EQ(mensagens.Messages().size(), 2u);
  EXPECT_EQ(mensagens.Messages()[1].Text, "Não foi possível gravar o arquivo de laudo.");
  EXPECT_EQ(mensagens.Messages()[1].Caption, "Informação");

  // The file of an earlier save is there, but this write fails: not a success.
  {
    TFileStream aberto(pasta.Windows() + "\\Laudos\\12\\7l.txt", fmOpenRead | fmShareExclusive);
    EXPECT_FALSE(GravarArquivoLaudo(pasta.Windows() + "\\Laudos", "12", "7", {"novo"}));
  }
  ASSERT_EQ(mensagens.Messages().size(), 3u);
  EXPECT_EQ(mensagens.Messages()[2].Text, "Não foi possível gravar o arquivo de laudo.");
  EXPECT_EQ(pasta.Ler("Laudos/12/7l.txt").substr(0, 6), "Córnea");
}

TEST_F(ArquivosDoExame, PastasEAneisDoPrograma) {
  const char* exames = PathsMZ.Exames;
  const char* laudos = PathsMZ.Laudos;
  const int32_t numAneis = InfosMZ.NumAneis;
  AssignText(PathsMZ.Exames, pasta.Windows());
  AssignText(PathsMZ.Laudos, pasta.Windows());
  InfosMZ.NumAneis = 20;
  const ExameEmDisco e = Exame(81, 20);
  GravarArquivoD(12, 90, e.D);
  GravarArquivoM(12, 90, e.M);
  GravarArquivoA(12, 90, e.Aneis, e.CentroX, e.CentroY, e.Pupila);
  EXPECT_TRUE(GravarArquivoLaudo("12", "3", {"a", "b", "c", "d", "e"}));
  PathsMZ.Exames = exames;
  PathsMZ.Laudos = laudos;
  InfosMZ.NumAneis = numAneis;
  ASSERT_TRUE(mapa.CarregarArquivosMapa(Prefixo(90)));
  EXPECT_EQ(*mapa.PtrMatrizD(), e.D);
  const std::string m = pasta.Ler(Arquivo("m.txt", 90));
  EXPECT_EQ(ValoresLinha(m.substr(0, m.find("\r\n"))).size(), 21u);
  EXPECT_EQ(pasta.Ler("12/3l.txt"), "a\r\n@\r\nb\r\n@\r\nc\r\n@\r\nd\r\n@\r\ne\r\n@");
}

}  // namespace
