// The exam export file: what it holds once unscrambled, its line ends, its name, and the ways out
// that write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "toolkit/rtl/FileUtils.h"
#include "windows/NavegadorTesteSupport.h"

namespace {

using windowstest::CaminhoWindows;

class Exportacao : public windowstest::TesteNavegador {
 protected:
  void SetUp() override {
    windowstest::TesteNavegador::SetUp();
    for (int n = 1; n <= 4; ++n) {
      TStringList esfera;
      esfera.Add("esfera " + std::to_string(n));
      esfera.Add("\t7." + std::to_string(n) + "\t0.5");
      // A line longer than a line of the file may be.
      if (n == 4) esfera.Add(std::string(300, 'x'));
      esfera.SaveToFile(std::string(PathsMZ.Calibracao) + std::to_string(n) + ".txt");
    }
    TStringList coef;
    coef.Add("1.0");
    coef.Add("-0.25");
    coef.SaveToFile(Coef());
  }
  static std::string Coef() { return std::string(PathsMZ.Calibracao) + "Coef.txt"; }
  std::filesystem::path Saida(const std::string& Nome) const { return inst->Raiz() / Nome; }

  // The file's lines as stored, split at CR LF only.
  static std::vector<std::string> LinhasGravadas(const std::filesystem::path& Arquivo) {
    std::ifstream f(Arquivo, std::ios::binary);
    std::stringstream t;
    t << f.rdbuf();
    const std::string texto = t.str();
    std::vector<std::string> r;
    for (size_t i = 0; i < texto.size();) {
      const size_t fim = texto.find("\r\n", i);
      if (fim == std::string::npos) {
        r.push_back(texto.substr(i));
        break;
      }
      r.push_back(texto.substr(i, fim - i));
      i = fim + 2;
    }
    return r;
  }
  TfrmExames& AbrirComExame() {
    TfrmExames& f = Abrir("Ana");
    f.lswPrincipal->Items(Item(f, semeadura.Exames[1]))->SetSelected(true);
    dialogs.ClearLog();
    return f;
  }
};

TEST_F(Exportacao, UnscrambledLinesAreTheHeaderAndTheEightFiles) {
  TfrmExames& f = AbrirComExame();
  dialogs.AnswerFile(CaminhoWindows(Saida("exame")));
  f.tbExportador->Click();
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[0].Kind, "SaveDialog");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Exportação de Exame");
  EXPECT_EQ(dialogs.Log()[0].Text, "Arquivo Exportação (*.exp)|*.exp");
  EXPECT_EQ(dialogs.Log()[1].Text, "Arquivo exportado com sucesso.");
  EXPECT_EQ(dialogs.Log()[1].Caption, "Exportação");
  EXPECT_EQ(dialogs.Log()[1].Icon, UINT(MB_ICONINFORMATION));

  const std::vector<std::string> gravadas = LinhasGravadas(Saida("exame.exp"));
  TStringList lidas;
  for (const std::string& l : gravadas) {
    EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos);
    EXPECT_LE(l.size(), 255u);
    lidas.Add(l);
  }
  TfrmExames::EmbaralharExportacao(lidas);

  const int exame = semeadura.Exames[1];
  const std::string legenda = f.lswPrincipal->Items(Item(f, exame))->Caption();
  std::vector<std::string> esperadas = {"Ana", std::to_string(ana), "", "Olho Esquerdo", legenda.substr(5, 10),
                                        legenda.substr(16), "Dra. Bel"};
  const std::string prefixo = PrefixoArquivosExame(Exames(), ana, exame);
  for (const std::string& arquivo : {prefixo + "d.txt", prefixo + "m.txt", prefixo + "a.txt",
                                     std::string(PathsMZ.Calibracao) + "1.txt", std::string(PathsMZ.Calibracao) + "2.txt",
                                     std::string(PathsMZ.Calibracao) + "3.txt", std::string(PathsMZ.Calibracao) + "4.txt",
                                     Coef()}) {
    esperadas.push_back("#");
    TStringList linhas;
    linhas.LoadFromFile(arquivo);
    for (int i = 0; i < linhas.Count(); ++i) esperadas.push_back(linhas[i].substr(0, 255));
  }
  ASSERT_EQ(lidas.Count(), int(esperadas.size()));
  for (int i = 0; i < lidas.Count(); ++i) EXPECT_EQ(lidas[i], esperadas[size_t(i)]) << "line " << i;
  EXPECT_EQ(std::count(esperadas.begin(), esperadas.end(), "#"), 8);
  EXPECT_EQ(lidas[lidas.Count() - 4], std::string(255, 'x'));
}

TEST_F(Exportacao, TheExtensionIsAddedOnlyWhenMissing) {
  TfrmExames& f = AbrirComExame();
  for (const char* nome : {"exame", "exame.exp"}) {
    SCOPED_TRACE(nome);
    std::filesystem::remove(Saida("exame.exp"));
    dialogs.AnswerFile(CaminhoWindows(Saida(nome)));
    f.tbExportador->Click();
    EXPECT_TRUE(std::filesystem::exists(Saida("exame.exp")));
    EXPECT_FALSE(std::filesystem::exists(Saida("exame.exp.exp")));
    EXPECT_EQ(dialogs.Log().back().Text, "Arquivo exportado com sucesso.");
  }
}

TEST_F(Exportacao, NothingIsWrittenWithoutAnExamOrCoefficientsOrWhenCancelled) {
  TfrmExames& f = Abrir("Ana");
  f.tbExportador->Click();
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Por favor, selecione o exame que deseja exportar.");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[0].Icon, UINT(MB_ICONINFORMATION));
  f.lswPrincipal->Items(0)->SetSelected(true);
  dialogs.ClearLog();

  dialogs.AnswerFile("");
  f.tbExportador->Click();
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Kind, "SaveDialog");

  // Not calibrated: the missing file ends the command before the dialog, with the program's message.
  dialogs.ClearLog();
  DeleteFileA(Coef().c_str());
  EXPECT_NO_THROW(f.tbExportadorClick(f.tbExportador));
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Kind, "MessageBox");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Exportação");
  EXPECT_EQ(dialogs.Log()[0].Icon, UINT(MB_ICONERROR));
  EXPECT_EQ(dialogs.Log()[0].Text, "Erro ao exportar o exame: a calibração do aparelho não foi encontrada. Calibre o "
                                   "aparelho e exporte o exame novamente.\r\n\r\n" + Coef());
  for (const auto& e : std::filesystem::directory_iterator(inst->Raiz()))
    EXPECT_NE(e.path().extension(), ".exp") << e.path();
}

}  // namespace
