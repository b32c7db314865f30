#pragma once
// The backup window's tests: a fresh test installation with the backup module, its medium on a drive
// letter of the test's own, the data module on the installation's database, and the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDPacientes.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmBackup.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace backuptest {

namespace fs = std::filesystem;
using windowstest::CaminhoWindows;
using windowstest::TInstalacaoTeste;
using windowstest::TPassoModal;

// The medium's drive letter: no other test maps it.
const char kLetra = 'q';

inline std::string Ler(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

class Backup : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    inst = std::make_unique<TInstalacaoTeste>(info->name());
    midia = inst->Pasta("MidiaTeste");
    fs::create_directories(midia);
    Mapear(midia);
    std::ofstream(inst->Pasta("Modulos") / "MidiaBackup.ini", std::ios::binary)
        << "[MIDIA]\r\nAUTOMATICO=1\r\nPASTA=" << char(kLetra - 'a' + 'A') << ":\\\r\n";
    BIniSettings = std::make_unique<TBIniSettings>();
    ASSERT_TRUE(BIniSettings->LoadAll());
    CopySettingsToRecords(*BIniSettings);
    DMPrincipal = new TDMPrincipal(Application);
    ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst->Banco()));
    frm = frmBackup = new TfrmBackup(Application);
  }
  void TearDown() override {
    if (frmBackup) frmBackup->Free();
    probe.Close();
    probe.SetDatabase(nullptr);
    if (DMPrincipal) DMPrincipal->Free();
    DMPrincipal = nullptr;
    BIniSettings.reset();
    std::error_code e;
    fs::remove(Unidade(), e);
    inst.reset();
  }
  // The drive letter in the test prefix, pointing at Alvo.
  static fs::path Unidade() { return fs::path(std::getenv("WINEPREFIX")) / "dosdevices" / (std::string(1, kLetra) + ":"); }
  static void Mapear(const fs::path& Alvo) {
    std::error_code e;
    fs::remove(Unidade(), e);
    fs::create_symlink(Alvo, Unidade());
  }

  int Scalar(const std::string& sql) {
    probe.Close();
    probe.SetDatabase(DMPrincipal->IBDatabase);
    probe.SQL().Clear();
    probe.SQL().Add(sql);
    probe.Open();
    const int v = probe.Fields(0)->AsInteger();
    probe.Close();
    return v;
  }
  std::string BackupDe(const std::string& Tabela, int Codigo) {
    probe.Close();
    probe.SetDatabase(DMPrincipal->IBDatabase);
    probe.SQL().Clear();
    probe.SQL().Add("SELECT BACKUP FROM " + Tabela + " WHERE CODIGO=" + std::to_string(Codigo));
    probe.Open();
    const std::string v = probe.Fields(0)->AsString();
    probe.Close();
    return v;
  }

  int Paciente(const std::string& Nome) {
    TDadosPaciente d;
    d.Nome = Nome;
    return TDPacientes::InsertPacientes(d, EncodeDate(2026, 12, 10), 0);
  }
  // An exam with its three files, or none when Arquivos is false.
  int Exame(int Pac, int Med, bool Arquivos) {
    const int c = TDExames::InsertExames(Pac, Med, EncodeDate(2026, 12, 10), EncodeTime(9, 30, 0, 0), "OD", 0.9, "T",
                                         "", "", "", 32, "4");
    if (Arquivos) {
      fs::create_directories(inst->Pasta("Exames") / std::to_string(Pac));
      for (const char* f : {"a.txt", "d.txt", "m.txt"})
        std::ofstream(inst->Pasta("Exames") / std::to_string(Pac) / (std::to_string(c) + f))
            << "exame " << c << " " << f;
    }
    return c;
  }
  int Laudo(int Pac, bool Arquivo) {
    const int c = TDLaudos::InsertLaudos(Pac, -1, -1, "", EncodeDate(2026, 12, 10), EncodeTime(10, 0, 0, 0));
    if (Arquivo) {
      fs::create_directories(inst->Pasta("Laudos") / std::to_string(Pac));
      std::ofstream(inst->Pasta("Laudos") / std::to_string(Pac) / (std::to_string(c) + "l.txt")) << "laudo " << c;
    }
    return c;
  }
  testing::AssertionResult Mostrou(const std::string& Texto) const {
    std::string vistos;
    for (const auto& e : dialogs.Log()) {
      if (e.Text == Texto) return testing::AssertionSuccess() << "shown: " << Texto;
      vistos += "\n  " + e.Caption + ": " + e.Text;
    }
    return testing::AssertionFailure() << "not shown: " << Texto << "; the boxes were:" << vistos;
  }
  const TDialogScript::Entry* Caixa(const std::string& Caption) const {
    for (const auto& e : dialogs.Log())
      if (e.Caption == Caption) return &e;
    return nullptr;
  }
  void Iniciar() {
    frm->CarregarInfoBackup();
    frm->btnIniciarBkpClick(nullptr);
  }

  std::unique_ptr<TInstalacaoTeste> inst;
  fs::path midia;
  TfrmBackup* frm = nullptr;
  TIBQuery probe{nullptr};
  TDialogScript dialogs;
};

}  // namespace backuptest
