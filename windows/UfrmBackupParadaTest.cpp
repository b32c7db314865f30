// The backup and the restore ended abruptly at each of their steps (a child process runs them and
// ends itself there, as a power cut would), then the program's start: the medium still holds a whole
// backup that restores, an exam is marked backed up only when the medium's copy holds it, and a
// restore leaves the installation as it was or restored whole. A damaged medium is refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/UDMedicos.h"
#include "windows/BackupTestSupport.h"
#include "windows/ParadaTestSupport.h"
#include "windows/UBCopiaConferida.h"
#include "windows/UBRestauracao.h"

namespace {

namespace fs = std::filesystem;
using backuptest::Ler;
using paradatest::TPasso;

const char kPasso[] = "MZ_PARAR_EM";

std::string Nome(const testing::TestParamInfo<TPasso>& Info) { return paradatest::NomeDoPasso(Info.param.Nome); }

// Exam codes and backup texts of a database, one "code=text" a row.
std::string Marcas(TIBQuery& Q) {
  std::string r;
  Q.SQL().Clear();
  Q.SQL().Add("SELECT CODIGO, BACKUP FROM EXAMES ORDER BY CODIGO");
  for (Q.Open(); !Q.Eof(); Q.Next()) r += Q.Fields(0)->AsString() + "=" + Q.Fields(1)->AsString() + ";";
  Q.Close();
  return r;
}

class ParadaBackupBase : public backuptest::Backup {
 protected:
  // An exam with its files, backed up to the medium in this process.
  void PrimeiroBackup() {
    TDadosMedico medico;
    medico.Nome = "Dra. Ana";
    med = TDMedicos::InsertMedicos(medico);
    pac = Paciente("Bruno");
    e1 = Exame(pac, med, true);
    DMPrincipal->PCommitDataBase();
    Iniciar();
    ASSERT_TRUE(Mostrou("Backup dos Exames e Laudos concluído com êxito"));
    dialogs.ClearLog();
    noBackup = MarcasLocais();
    conteudoE1 = Ler(ArquivoExame(e1, "a.txt"));
  }
  fs::path ArquivoExame(int Codigo, const char* Arquivo) const {
    return inst->Pasta("Exames") / std::to_string(pac) / (std::to_string(Codigo) + Arquivo);
  }
  std::string MarcasLocais() {
    probe.Close();
    probe.SetDatabase(DMPrincipal->IBDatabase);
    return Marcas(probe);
  }
  // The medium's database copy's marks; "" when it does not attach.
  std::string MarcasDaMidia() {
    std::string r, erro;
    BancoAnexa("Q:\\Banco de Dados\\DATABASE.GDB", erro, [&r](TIBQuery& q) { r = Marcas(q); });
    return r;
  }
  // The child runs Teste until its step; the database is detached meanwhile.
  void RodarAte(const char* Teste, const char* Passo) {
    probe.Close();
    probe.SetDatabase(nullptr);
    DMPrincipal->PDesconectionDataBase();
    EXPECT_EQ(paradatest::RodarFilho(Teste, {{kPasso, Passo}}), paradatest::kParou) << "not stopped at " << Passo;
  }
  void Reconectar() { ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst->Banco())); }

  int med = 0, pac = 0, e1 = 0;
  std::string noBackup, conteudoE1;  // the marks and e1's a.txt as the first backup left them
};

// The child's backup and restore, over the installation the parent left.
void AbrirJanelaNoFilho() {
  ASSERT_FALSE(paradatest::Ambiente(kPasso).empty());
  ASSERT_NO_FATAL_FAILURE(paradatest::AbrirInstalacaoDoPai());
  frmBackup = new TfrmBackup(Application);
  frmBackup->CarregarInfoBackup();
}

TEST(ParadaFilho, DISABLED_Backup) {
  TDialogScript dialogs;
  ASSERT_NO_FATAL_FAILURE(AbrirJanelaNoFilho());
  frmBackup->btnIniciarBkpClick(nullptr);
  ADD_FAILURE() << "the backup ran to its end";
}

TEST(ParadaFilho, DISABLED_Restaura) {
  TDialogScript dialogs;
  ASSERT_NO_FATAL_FAILURE(AbrirJanelaNoFilho());
  dialogs.Answer(IDOK);
  frmBackup->btnRestaurarClick(nullptr);
  ADD_FAILURE() << "the restore ran to its end";
}

class ParadaBackup : public ParadaBackupBase, public testing::WithParamInterface<TPasso> {};

TEST_P(ParadaBackup, TheEarlierBackupStillRestoresWhole) {
  ASSERT_NO_FATAL_FAILURE(PrimeiroBackup());
  const int e2 = Exame(pac, med, true);
  DMPrincipal->PCommitDataBase();
  RodarAte("ParadaFilho.DISABLED_Backup", GetParam().Nome);
  ASSERT_NO_FATAL_FAILURE(Reconectar());

  // The medium's copy attaches, holds the earlier backup, and holds every exam the installation marks.
  const std::string naMidia = MarcasDaMidia(), local = MarcasLocais();
  ASSERT_FALSE(naMidia.empty());
  EXPECT_NE(naMidia.find(noBackup), std::string::npos) << naMidia;
  const std::string e2Local = local.substr(local.find(std::to_string(e2) + "="));
  EXPECT_EQ(e2Local != std::to_string(e2) + "=;", GetParam().Feito) << local;
  if (GetParam().Feito) {
    EXPECT_NE(naMidia.find(e2Local), std::string::npos) << naMidia;
  }

  // And it restores.
  dialogs.Answer(IDOK);
  frm->btnRestaurarClick(nullptr);
  EXPECT_TRUE(Mostrou("Restauração concluída com êxito"));
  EXPECT_NE(MarcasLocais().find(std::to_string(e1) + "="), std::string::npos);
  EXPECT_EQ(Ler(ArquivoExame(e1, "a.txt")), conteudoE1);
}

INSTANTIATE_TEST_SUITE_P(Passos, ParadaBackup,
                         testing::Values(TPasso{"backup-arquivos", false}, TPasso{"backup-banco-copiado", false},
                                         TPasso{"backup-banco-conferido", false}, TPasso{"backup-banco-trocado", false},
                                         TPasso{"backup-marcado", true}),
                         Nome);

// The installation as a restore may change it: the exam and report files with their contents, the
// database folder's file names, the state file, and what lies beside the folders.
std::map<std::string, std::string> Retrato(const fs::path& Raiz) {
  std::map<std::string, std::string> r;
  for (const char* pasta : {"Exames", "Laudos", "BancoDados"})
    for (const auto& e : fs::recursive_directory_iterator(Raiz / pasta))
      if (e.is_regular_file())
        r[fs::relative(e.path(), Raiz).string()] = std::string(pasta) == "BancoDados" ? "" : Ler(e.path());
  for (const auto& e : fs::directory_iterator(Raiz))
    if (e.is_directory() || e.path().filename() == "BackUp.ini" || e.path().extension() == ".lst")
      r[e.path().filename().string()] += e.is_directory() ? "<pasta>" : Ler(e.path());
  return r;
}

class ParadaRestauracao : public ParadaBackupBase, public testing::WithParamInterface<TPasso> {};

TEST_P(ParadaRestauracao, TheInstallationIsAsBeforeOrRestoredWhole) {
  ASSERT_NO_FATAL_FAILURE(PrimeiroBackup());
  // Since the backup: another exam, and the first one's file changed.
  Exame(pac, med, true);
  std::ofstream(ArquivoExame(e1, "a.txt"), std::ios::trunc) << "alterado depois do backup";
  DMPrincipal->PCommitDataBase();
  const std::string marcasAntes = MarcasLocais();
  const auto antes = Retrato(inst->Raiz());
  RodarAte("ParadaFilho.DISABLED_Restaura", GetParam().Nome);

  // The next start.
  DesfazerRestauracaoInterrompida();
  ASSERT_NO_FATAL_FAILURE(Reconectar());
  if (GetParam().Feito) {
    EXPECT_EQ(MarcasLocais(), noBackup);
    EXPECT_EQ(Ler(ArquivoExame(e1, "a.txt")), conteudoE1);
  } else {
    EXPECT_EQ(MarcasLocais(), marcasAntes);
    EXPECT_EQ(Retrato(inst->Raiz()), antes);
  }
  for (const char* resto : {"Exames.restaurando", "Laudos.restaurando", "Exames.anterior", "Restauracao.lst"})
    EXPECT_FALSE(fs::exists(inst->Raiz() / resto)) << resto;
}

INSTANTIATE_TEST_SUITE_P(Passos, ParadaRestauracao,
                         testing::Values(TPasso{"restauracao-banco", false}, TPasso{"restauracao-arquivos", false},
                                         TPasso{"restauracao-lista", false}, TPasso{"restauracao-troca", false},
                                         TPasso{"restauracao-concluida", true}),
                         Nome);

// A medium whose database copy is cut short, or that lacks a backed-up exam's file.
class MidiaDanificada : public ParadaBackupBase, public testing::WithParamInterface<bool> {};

TEST_P(MidiaDanificada, IsRefusedWithTheProgramsMessageAndChangesNothing) {
  const bool bancoCortado = GetParam();
  ASSERT_NO_FATAL_FAILURE(PrimeiroBackup());
  if (bancoCortado) {
    fs::resize_file(midia / "Banco de Dados" / "DATABASE.GDB", 4096);
  } else {
    // The installation lost the exam's files, and the medium one of them.
    for (const char* a : {"a.txt", "d.txt", "m.txt"}) fs::remove(ArquivoExame(e1, a));
    fs::remove(midia / "Exames" / std::to_string(pac) / (std::to_string(e1) + "m.txt"));
  }
  Exame(pac, med, true);
  DMPrincipal->PCommitDataBase();
  const std::string marcasAntes = MarcasLocais();
  const auto antes = Retrato(inst->Raiz());

  dialogs.Answer(IDOK);
  frm->btnRestaurarClick(nullptr);

  const TDialogScript::Entry* erro = Caixa("Backup");
  ASSERT_NE(erro, nullptr);
  EXPECT_EQ(erro->Icon, UINT(MB_ICONERROR));
  const std::string esperado = bancoCortado
                                   ? "Não foi possível restaurar: a cópia de segurança do banco de dados está danificada."
                                   : "Não foi possível restaurar: faltam arquivos de exames na cópia de segurança.\r\n" +
                                         std::to_string(pac) + "\\" + std::to_string(e1);
  EXPECT_EQ(erro->Text.substr(0, esperado.size()), esperado) << erro->Text;
  EXPECT_FALSE(Mostrou("Restauração concluída com êxito"));
  EXPECT_EQ(MarcasLocais(), marcasAntes);
  EXPECT_EQ(Retrato(inst->Raiz()), antes);
}

INSTANTIATE_TEST_SUITE_P(Danos, MidiaDanificada, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& I) {
                           return std::string(I.param ? "BancoCortado" : "ArquivoFaltando");
                         });

}  // namespace
