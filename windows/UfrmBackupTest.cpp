// The backup window in this process: a backup to a medium on a drive letter of the test's own, the
// flags by code, missing files logged and kept, failed copies reported as failures, the restore, the
// disc labels and the automatic-backup options.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/BackupTestSupport.h"
#include "windows/UBShell.h"
#include "windows/UfrmBackup.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace {

namespace fs = std::filesystem;
using backuptest::Backup;
using backuptest::Ler;
using windowstest::CaminhoWindows;
using windowstest::TPassoModal;

TEST_F(Backup, MissingFilesAreLoggedAndKeptAndEachResultFlagsItsOwnRow) {
  const int med = TDMedicos::InsertMedicos(TDadosMedico{"Dra. Ana"});
  const int p1 = Paciente("Bruno"), p2 = Paciente("Carla");
  // The missing exam and report come first: a flag by position would land on the wrong rows.
  const int semArquivos = Exame(p1, med, false);
  const int e1 = Exame(p1, med, true), e2 = Exame(p2, med, true);
  const int laudoSem = Laudo(p2, false), l1 = Laudo(p1, true);
  DMPrincipal->PCommitDataBase();

  Iniciar();

  EXPECT_EQ(frm->Drive, "Q:\\");
  EXPECT_TRUE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  EXPECT_EQ(BackupDe("EXAMES", semArquivos), "");
  EXPECT_EQ(BackupDe("LAUDOS", laudoSem), "");
  for (int e : {e1, e2}) EXPECT_EQ(BackupDe("EXAMES", e).size(), 10u) << e;
  EXPECT_EQ(BackupDe("LAUDOS", l1).size(), 10u);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM EXAMES"), 3);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM LAUDOS"), 2);
  EXPECT_EQ(Ler(inst->Raiz() / "LogBackupExame.txt"),
            "Exame não encontrado: " + std::to_string(p1) + "\\" + std::to_string(semArquivos) + "\r\n");
  EXPECT_EQ(Ler(inst->Raiz() / "LogBackupLaudo.txt"),
            "Laudo não encontrado: " + std::to_string(p2) + "\\" + std::to_string(laudoSem) + "l.txt\r\n");
  EXPECT_TRUE(frm->lblAvisoBackup->Visible());
  EXPECT_EQ(frm->lblAvisoBackup->Caption(),
            "Alguns exames/laudos não foram encontrados no HD e não foram incluídos no backup.");
  EXPECT_EQ(Ler(midia / "Exames" / std::to_string(p2) / (std::to_string(e2) + "d.txt")),
            "exame " + std::to_string(e2) + " d.txt");
  EXPECT_EQ(frm->Label2->Caption(), "1");
  EXPECT_EQ(frm->Label4->Caption(), "1");

  // The copied database attaches and holds the same rows.
  ASSERT_TRUE(fs::exists(midia / "Banco de Dados" / "DATABASE.GDB"));
  TIBDatabase copia(nullptr);
  copia.SetDatabaseName(CaminhoWindows(midia / "Banco de Dados" / "DATABASE.GDB"));
  copia.Params().Assign(&DMPrincipal->IBDatabase->Params());
  copia.Open();
  TIBTransaction t(nullptr);
  t.SetDefaultDatabase(&copia);
  TIBQuery q(nullptr);
  q.SetDatabase(&copia);
  q.SetTransaction(&t);
  q.SQL().Add("SELECT COUNT(*) FROM EXAMES WHERE BACKUP <> ''");
  q.Open();
  EXPECT_EQ(q.Fields(0)->AsInteger(), 2);
  q.Close();
  t.Commit();
  copia.Close();
  // The live database is attached again.
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PACIENTES"), 2);
}

TEST_F(Backup, NothingPendingStillCopiesTheDatabase) {
  Iniciar();
  EXPECT_TRUE(fs::exists(midia / "Backup.txt"));  // the module was called
  EXPECT_TRUE(fs::exists(midia / "Banco de Dados" / "DATABASE.GDB"));
  EXPECT_TRUE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  EXPECT_FALSE(frm->lblAvisoBackup->Visible());
}

TEST_F(Backup, AMediumThatCannotBeWrittenSetsNoFlagAndReportsNoSuccess) {
  const int med = TDMedicos::InsertMedicos(TDadosMedico{"Dra. Ana"});
  const int e = Exame(Paciente("Bruno"), med, true);
  DMPrincipal->PCommitDataBase();
  // A file where the medium's folder belongs.
  std::ofstream(inst->Pasta("MidiaArquivo")) << "x";
  Mapear(inst->Pasta("MidiaArquivo"));
  Iniciar();
  EXPECT_EQ(BackupDe("EXAMES", e), "");
  EXPECT_FALSE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
}

TEST_F(Backup, ADatabaseCopyThatFailsShowsTheSystemsErrorAndNoSuccess) {
  // A file where the database folder of the medium belongs.
  std::ofstream(midia / "Banco de Dados") << "x";
  Iniciar();
  EXPECT_FALSE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  const TDialogScript::Entry* erro = Caixa("Backup");
  ASSERT_NE(erro, nullptr);
  EXPECT_EQ(erro->Icon, UINT(MB_ICONERROR));
  EXPECT_FALSE(erro->Text.empty());
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PACIENTES"), 0);  // attached again
}

TEST_F(Backup, RestoreIntoAnEmptyInstallationBringsBackRowsAndFiles) {
  const int med = TDMedicos::InsertMedicos(TDadosMedico{"Dra. Ana"});
  const int p = Paciente("Bruno");
  const int e = Exame(p, med, true);
  const int l = Laudo(p, true);
  DMPrincipal->PCommitDataBase();
  Iniciar();
  ASSERT_TRUE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  const fs::path arquivoExame = inst->Pasta("Exames") / std::to_string(p) / (std::to_string(e) + "a.txt");
  const std::string conteudo = Ler(arquivoExame);
  // An empty installation: no exam or report files, a database without rows.
  DMPrincipal->PDesconectionDataBase();
  fs::remove_all(inst->Pasta("Exames"));
  fs::remove_all(inst->Pasta("Laudos"));
  fs::create_directories(inst->Pasta("Exames"));
  fs::create_directories(inst->Pasta("Laudos"));
  fs::remove(inst->Pasta("BancoDados") / "DATABASE.GDB");
  ASSERT_TRUE(TDMPrincipal::PCreateDataBase(inst->Banco()));
  DMPrincipal->PConnectDataBase();
  ASSERT_EQ(Scalar("SELECT COUNT(*) FROM EXAMES"), 0);

  dialogs.Answer(IDOK);
  frm->btnRestaurarClick(nullptr);

  EXPECT_TRUE(Mostrou("Restauração concluída com êxito"));
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM EXAMES"), 1);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM LAUDOS"), 1);
  EXPECT_EQ(BackupDe("EXAMES", e).size(), 10u);
  EXPECT_EQ(Ler(arquivoExame), conteudo);
  EXPECT_TRUE(fs::exists(inst->Pasta("Laudos") / std::to_string(p) / (std::to_string(l) + "l.txt")));
  EXPECT_TRUE(fs::exists(inst->Pasta("BancoDados") / "DATABASE.GDB.bak"));
}

TEST_F(Backup, ARestoredCopyThatDoesNotAttachLeavesTheLiveDatabase) {
  const int med = TDMedicos::InsertMedicos(TDadosMedico{"Dra. Ana"});
  Exame(Paciente("Bruno"), med, true);
  DMPrincipal->PCommitDataBase();
  Iniciar();
  ASSERT_TRUE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  std::ofstream(midia / "Banco de Dados" / "DATABASE.GDB", std::ios::trunc) << "no database";
  const std::string vivo = Ler(inst->Pasta("BancoDados") / "DATABASE.GDB");
  dialogs.ClearLog();
  dialogs.Answer(IDOK);
  frm->btnRestaurarClick(nullptr);
  EXPECT_FALSE(Mostrou("Restauração concluída com êxito"));
  const TDialogScript::Entry* erro = Caixa("Backup");
  ASSERT_NE(erro, nullptr);
  EXPECT_EQ(erro->Icon, UINT(MB_ICONERROR));
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM EXAMES"), 1);
  EXPECT_FALSE(fs::exists(inst->Pasta("BancoDados") / "DATABASE.GDB.novo"));
  EXPECT_FALSE(fs::exists(inst->Pasta("BancoDados") / "DATABASE.GDB.bak"));
}

TEST_F(Backup, DiscLabels) {
  for (const auto& [numero, rotulo] : std::vector<std::pair<int, std::string>>{
           {0, "MZ4K0000"}, {9999, "MZ4K9999"}, {12345, "MZ4K9999"}, {-3, "MZ4K0000"}, {42, "MZ4K0042"}}) {
    ASSERT_TRUE(TfrmBackup::GravarRotuloDisco("Q:\\", numero));
    EXPECT_EQ(Ler(midia / "zip.dat"), rotulo + "\r\n") << numero;
  }
  // A folder where the label file belongs.
  fs::remove(midia / "zip.dat");
  fs::create_directories(midia / "zip.dat");
  EXPECT_FALSE(TfrmBackup::GravarRotuloDisco("Q:\\", 1));
}

TEST_F(Backup, DriveReadiness) {
  EXPECT_TRUE(TfrmBackup::DrivePronto('Q'));
  EXPECT_TRUE(TfrmBackup::DrivePronto('q'));
  EXPECT_FALSE(TfrmBackup::DrivePronto('1'));
}

// A medium too small for the database: a sparse file larger than the drive's free space.
class NovoDisco : public Backup {
 protected:
  void SetUp() override {
    Backup::SetUp();
    ULARGE_INTEGER livre{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("Q:\\", &livre, nullptr, nullptr));
    fs::resize_file((std::ofstream(inst->Pasta("BancoDados") / "grande.dat"), inst->Pasta("BancoDados") / "grande.dat"),
                    livre.QuadPart + (1ull << 30));
    // The backup then stops at the database copy, before copying the large file.
    std::ofstream(midia / "Banco de Dados") << "x";
    detail::SetShellHook([this](const TShellCall& c) {
      std::string linha = c.Function;
      for (const std::string& a : c.Arguments) linha += " " + a;
      shell.push_back(linha);
      return c.Success;
    });
  }
  void TearDown() override {
    detail::SetShellHook(nullptr);
    Backup::TearDown();
  }
  void Estado(const std::string& Tipo) {
    std::ofstream(inst->Raiz() / "BackUp.ini", std::ios::binary)
        << "[BACKUP]\r\nTipoBkp=" << Tipo << "\r\nDirectCD=cmd /c exit 0\r\nDiscoAtual=6\r\n";
  }
  std::string Chave(const char* Nome) {
    char v[64] = {};
    GetPrivateProfileStringA("BACKUP", Nome, "", v, sizeof v, CaminhoWindows(inst->Raiz() / "BackUp.ini").c_str());
    return v;
  }
  void ContadoresDoDisco7() {
    EXPECT_EQ(Chave("DiscoAtual"), "7");
    EXPECT_EQ(Chave("ArquivoAtual"), "1");
    for (const char* k : {"NumArquivos", "NumArquivosLau", "NumExamDisco", "NumLauDisco"}) EXPECT_EQ(Chave(k), "0") << k;
  }
  std::vector<std::string> shell;
};

TEST_F(NovoDisco, ZipFormatsAndLabelsTheDisc) {
  Estado("zip");
  dialogs.Answer(IDOK);   // new disc inserted
  dialogs.Answer(IDYES);  // format it
  Iniciar();
  EXPECT_TRUE(Mostrou("Insira um NOVO disco no drive e pressione OK."));
  EXPECT_TRUE(Mostrou("Será necessário um disco formatado, ou seja, que não contenha nenhum arquivo.\r\n"
                      "Com a formatação todos os dados serão apagados! Deseja formatar o disco atual agora? "));
  EXPECT_EQ(shell, (std::vector<std::string>{"SHFormatDrive 16 65535 0", "SetVolumeLabelA Q:\\ MZ4K0007"}));
  ContadoresDoDisco7();
  EXPECT_FALSE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
}

TEST_F(NovoDisco, CdRwRunsTheFormattingCommandAndWritesTheLabelFile) {
  Estado("CDR");
  dialogs.Answer(IDOK);
  dialogs.Answer(IDYES);  // format the CD-RW
  dialogs.Answer(IDYES);  // go on
  Iniciar();
  EXPECT_TRUE(Mostrou("Será necessário um CD-RW formatado, ou seja, que não contenha nenhum arquivo e que tenha sido "
                      "gerado a partir do software apropriado.\r\nDeseja formatar o CD-RW agora?\r\nEscolha \"Sim\" "
                      "para formatar o CD-RW ou escolha \"Não\" se este já for um CD-RW formatado"));
  EXPECT_TRUE(Mostrou("Deseja continuar o BackUp?"));
  EXPECT_EQ(shell, (std::vector<std::string>{"WinExec cmd /c exit 0 1"}));
  EXPECT_EQ(Ler(midia / "zip.dat"), "MZ4K0007\r\n");
  ContadoresDoDisco7();
}

TEST_F(NovoDisco, CancellingTheNewDiscStillCopiesTheDatabase) {
  Estado("ZIP");
  dialogs.Answer(IDCANCEL);
  Iniciar();
  EXPECT_TRUE(shell.empty());
  EXPECT_EQ(Chave("DiscoAtual"), "6");
  // The copy was tried: its failure is reported.
  ASSERT_FALSE(dialogs.Log().empty());
  EXPECT_EQ(dialogs.Log().back().Caption, "Backup");
  EXPECT_EQ(dialogs.Log().back().Icon, UINT(MB_ICONERROR));
}

TEST_F(Backup, TheAutomaticOfferBacksUpAtOnceOnYes) {
  dialogs.Answer(IDNO);
  frm->PerguntarBackupAutomatico();
  EXPECT_FALSE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  dialogs.Answer(IDYES);
  TPassoModal fechar([] { frmBackup->Close(); });
  frm->PerguntarBackupAutomatico();
  EXPECT_TRUE(Mostrou("Backup automático inicializado... deseja continuar?"));
  EXPECT_TRUE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
  if (frmBackup) EXPECT_FALSE(frmBackup->autoStart);
}

TEST_F(Backup, CloseWritesTheFourOptions) {
  frm->CarregarInfoBackup();
  frm->rbtExames->SetChecked(true);
  frm->UpDown1->SetPosition(12);
  frm->cbxPeriodo->SetItemIndex(1);
  frm->UpDown2->SetPosition(350);
  frm->sbtFecharClick(nullptr);
  const std::string ini = CaminhoWindows(inst->Configuracao());
  char v[32];
  for (const auto& [chave, valor] : std::vector<std::pair<const char*, const char*>>{
           {"AUTO", "2"}, {"AUTO_OP1_1", "12"}, {"AUTO_OP1_2", "1"}, {"AUTO_OP2", "350"}}) {
    GetPrivateProfileStringA("BACKUP", chave, "", v, sizeof v, ini.c_str());
    EXPECT_STREQ(v, valor) << chave;
  }
  EXPECT_EQ(InfosMZ.BackupAuto, 2);
  EXPECT_EQ(InfosMZ.BackupAutoOp2, 350);
}

}  // namespace
