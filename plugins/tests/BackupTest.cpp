// The backup module through the program's binding: a backup of listed exams and reports onto the
// folder medium, its result lines, and a restore into empty folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/UBBackupDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"

namespace fs = std::filesystem;

namespace {

std::string Conteudo(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void Gravar(const fs::path& p, const std::string& texto) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << texto;
}

std::vector<std::string> Linhas(TMemoryStream& s) {
  TStringList l;
  s.SetPosition(0);
  l.LoadFromStream(&s);
  std::vector<std::string> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l[i]);
  return v;
}

void Escrever(TMemoryStream& s, const std::string& texto) {
  s.WriteBuffer(texto.data(), int64_t(texto.size()));
  s.SetPosition(0);
}

class Backup : public testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(pasta.Arquivo("MidiaBackup.ini"))
        << "[MIDIA]\r\nPASTA=" << CaminhoWindows(raiz / "Pendrive") << "\r\nAUTOMATICO=1\r\n";
    ASSERT_TRUE(CarregarBackupDLL(pasta.Dll("Backup")));
  }
  void TearDown() override { LiberarBackupDLL(); }

  const PastaModulos pasta{"backup-test", {"Backup"}, "Modulos"};
  const fs::path raiz = pasta.Raiz();
};

TEST_F(Backup, BackupThenRestoreGivesIdenticalFilesAndReportsMissingOnes) {
  // Exam 5 complete, exam 6 with its d.txt only; report 3 present, report 9 missing.
  for (const char* n : {"0001/0005a.txt", "0001/0005d.txt", "0001/0005m.txt", "0001/0006d.txt"})
    Gravar(raiz / "Exames" / n, std::string("dados de ") + n + "\r\n1 2 3\r\n\xE9");
  Gravar(raiz / "Laudos" / "0001/0003l.txt", "laudo\r\n");
  TMemoryStream exames, resExames, laudos, resLaudos;
  Escrever(exames,
           "0001\\0005a.txt\r\n0001\\0005d.txt\r\n0001\\0005m.txt\r\n0001\\0006a.txt\r\n0001\\0006d.txt\r\n"
           "0001\\0006m.txt\r\n");
  Escrever(laudos, "0001\\0003l.txt\r\n0001\\0009l.txt\r\n");
  TStreamModulo e(exames), re(resExames), l(laudos), rl(resLaudos);
  EXPECT_EQ(CriarBackup(nullptr, &e, &re, &l, &rl, 3, CaminhoWindows(raiz / "Exames").c_str(),
                        CaminhoWindows(raiz / "Laudos").c_str()),
            5);

  TMemoryStream info;
  TStreamModulo i(info);
  EXPECT_EQ(InfoBackup(nullptr, &i, 3), 'Z');
  const std::vector<std::string> detalhes = Linhas(info);
  ASSERT_GE(int(detalhes.size()), 6);
  const std::string data = detalhes[5].substr(25, 10);  // where the program reads the last date
  EXPECT_EQ(data.size(), 10u);
  EXPECT_EQ(data[2], '/');

  const std::vector<std::string> r = Linhas(resExames);
  ASSERT_EQ(int(r.size()), 2);  // one line per exam
  EXPECT_EQ(r[0], data);
  EXPECT_EQ(r[1], "INCOMPLETO");
  const std::vector<std::string> rl2 = Linhas(resLaudos);
  ASSERT_EQ(int(rl2.size()), 2);
  EXPECT_EQ(rl2[0], data);
  EXPECT_EQ(rl2[1], "INCOMPLETO");

  // Restore into empty folders.
  const fs::path exames2 = raiz / "Restaurado" / "Exames", laudos2 = raiz / "Restaurado" / "Laudos";
  EXPECT_EQ(RestaurarBackup(nullptr, CaminhoWindows(exames2).c_str(), CaminhoWindows(laudos2).c_str()), 5);
  for (const char* n : {"0001/0005a.txt", "0001/0005d.txt", "0001/0005m.txt", "0001/0006d.txt"})
    EXPECT_EQ(Conteudo(exames2 / n), Conteudo(raiz / "Exames" / n)) << n;
  EXPECT_FALSE(fs::exists(exames2 / "0001/0006a.txt"));
  EXPECT_EQ(Conteudo(laudos2 / "0001/0003l.txt"), "laudo\r\n");
  // Nothing of the program's folders went away.
  EXPECT_TRUE(fs::exists(raiz / "Exames" / "0001/0005a.txt"));
}

TEST_F(Backup, EmptyListsAndAnEmptyMedium) {
  EXPECT_EQ(RestaurarBackup(nullptr, "Z:\\naoexiste", "Z:\\naoexiste"), -1);  // no backup yet
  TMemoryStream info;
  TStreamModulo i(info);
  InfoBackup(nullptr, &i, 3);
  EXPECT_EQ(Linhas(info)[5].substr(25), "01/01/2000");
  TMemoryStream exames, resExames, laudos, resLaudos;
  TStreamModulo e(exames), re(resExames), l(laudos), rl(resLaudos);
  EXPECT_EQ(CriarBackup(nullptr, &e, &re, &l, &rl, 3, "Z:\\x", "Z:\\y"), 0);
  EXPECT_EQ(resExames.Size(), 0);
  EXPECT_EQ(resLaudos.Size(), 0);
}

}  // namespace
