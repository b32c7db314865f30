// The browser's exam commands on a seeded database: deleting an exam with its reports and files,
// the diagnosis and observation texts, and the report button without exams.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/RecordsTestSupport.h"
#include "core/UBConstantes.h"
#include "core/UBMapOperation.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDPacientes.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/BancoTestSupport.h"
#include "windows/SemeaduraTeste.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace fs = std::filesystem;

namespace {

using recordstest::Registros;
using windowstest::TInstalacaoTeste;

class ComandosExame : public windowstest::TesteComBanco, protected Registros {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PrepararInstalacao());
    // Ana: an OD and an OS exam, two reports on the OD exam; Caio: one exam; Dora: none.
    semente = windowstest::Semear(*inst, {"Dr. Alfa"}, {"Ana"}, 2);
    ana = semente.Pacientes[0];
    segundoLaudo = TDLaudos::InsertLaudos(ana, semente.Exames[0], -1, "", EncodeDate(2026, 12, 10), EncodeTime(16, 30, 0, 0));
    GravarArquivoLaudo(windowstest::CaminhoWindows(inst->Pasta("Laudos")), std::to_string(ana),
                       std::to_string(segundoLaudo), {"Segundo laudo", "", "", "", ""});
    caio = Registros::Paciente("Caio", 1);
    exameCaio = Registros::Exame(caio, semente.Medicos[0], "OS");
    fs::create_directories(inst->Pasta("Exames") / std::to_string(caio));
    for (const char* a : {"a.txt", "d.txt", "m.txt"}) std::ofstream(ArquivoExame(caio, exameCaio, a)) << "1\r\n";
    Registros::Paciente("Dora", 0);
    DMPrincipal->PCommitDataBase();
    dialogs.ClearLog();
  }
  void TearDown() override {
    if (frmExames) frmExames->Free();
    TesteComBanco::TearDown();
  }

  fs::path ArquivoExame(int Paciente, int Exame, const std::string& Nome) const {
    return inst->Pasta("Exames") / std::to_string(Paciente) / (std::to_string(Exame) + Nome);
  }
  fs::path ArquivoLaudo(int Laudo) const {
    return inst->Pasta("Laudos") / std::to_string(ana) / (std::to_string(Laudo) + "l.txt");
  }

  TfrmExames& Abrir(const std::string& Medico, const std::string& Paciente) {
    AssignText(InfosMZ.MedicoAtivo, Medico);
    AssignText(InfosMZ.PacienteAtivo, Paciente);
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();
    return *frmExames;
  }
  static TListItem* Item(TfrmExames& F, int Codigo) {
    for (int i = 0; i < F.lswPrincipal->Count(); ++i)
      if (static_cast<int>(reinterpret_cast<intptr_t>(F.lswPrincipal->Items(i)->Data())) == Codigo)
        return F.lswPrincipal->Items(i);
    return nullptr;
  }
  static void Selecionar(TfrmExames& F, int Codigo) {
    TListItem* item = Item(F, Codigo);
    ASSERT_NE(item, nullptr);
    item->SetSelected(true);
    Application->ProcessMessages();
  }
  static int Linhas(const std::string& Sql, int Codigo) { return std::stoi(Valor(Sql, Codigo)); }
  std::vector<std::string> Mensagens() const {
    std::vector<std::string> r;
    for (const TDialogScript::Entry& e : dialogs.Log()) r.push_back(e.Caption + ": " + e.Text);
    return r;
  }

  windowstest::TSemeadura semente;
  int ana = 0, caio = 0, exameCaio = 0, segundoLaudo = 0;
};

TEST_F(ComandosExame, DeletingAnExamWithTwoReportsAsksAndRemovesRowsAndFiles) {
  TfrmExames& f = Abrir("Dr. Alfa", "Ana");
  const int od = semente.Exames[0], os = semente.Exames[1];
  Selecionar(f, od);
  const std::string legenda = Item(f, od)->Caption();
  const std::vector<std::string> perguntas = {
      "Informação: Confirma a exclusão do exame '" + legenda + "' ?",
      "Informação: Existe(m)2  Laudo(s) vinculado(s).\rConfirma a exclusão do(s) Laudos(s)?"};

  dialogs.Answer(IDYES);
  dialogs.Answer(IDNO);
  f.tbtExcluirExameClick(f.tbtExcluirExame);
  std::vector<std::string> esperadas = perguntas;
  esperadas.push_back("Informação: Exclusão cancelada!!!");
  EXPECT_EQ(Mensagens(), esperadas);
  EXPECT_EQ(dialogs.Log().back().Icon, UINT(MB_ICONWARNING));
  EXPECT_EQ(TDExames::CountExamesByCodPaciente(ana), 2);
  EXPECT_EQ(TDLaudos::CountLaudosByExame(od, "OD"), 2);
  EXPECT_TRUE(fs::exists(ArquivoExame(ana, od, "d.txt")));

  dialogs.ClearLog();
  Selecionar(f, od);
  dialogs.Answer(IDYES);
  dialogs.Answer(IDYES);
  f.tbtExcluirExameClick(f.tbtExcluirExame);
  EXPECT_EQ(Mensagens(), perguntas);
  EXPECT_EQ(TDExames::CountExamesByCodPaciente(ana), 1);
  EXPECT_EQ(TDLaudos::CountLaudosByExame(od, "OD"), 0);
  EXPECT_EQ(Linhas("SELECT COUNT(*) FROM ARQUIVOS WHERE CODIGO_EXAMES = :C", od), 0);
  for (const char* a : {"a.txt", "d.txt", "m.txt"}) {
    EXPECT_FALSE(fs::exists(ArquivoExame(ana, od, a))) << a;
    EXPECT_TRUE(fs::exists(ArquivoExame(ana, os, a))) << a;
  }
  EXPECT_FALSE(fs::exists(ArquivoLaudo(semente.Laudos[0])));
  EXPECT_FALSE(fs::exists(ArquivoLaudo(segundoLaudo)));
  // The count is the table's; the last exam is the one left, to the minute.
  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", ana), "1");
  const std::string hora = Valor("SELECT HORA FROM EXAMES WHERE CODIGO = :C", os);
  EXPECT_EQ(Valor("SELECT ULTIMOEXAME FROM PACIENTES WHERE CODIGO = :C", ana),
            "OS " + FormatDateTime("dd/mm/yyyy", EncodeDate(2026, 12, 10)) + " " + hora.substr(0, 5));
  EXPECT_EQ(f.MedicoEscolhido(), "Dr. Alfa");
  EXPECT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(), ana);
  EXPECT_EQ(f.lswPrincipal->Count(), 1);
}

TEST_F(ComandosExame, DeletingTheOnlyExamPutsThePatientUnderPatientsWithoutExams) {
  TfrmExames& f = Abrir("Dr. Alfa", "Caio");
  ASSERT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(), caio);
  Selecionar(f, exameCaio);
  f.tbtExcluirExameClick(f.tbtExcluirExame);  // the default answer is Yes
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(TDExames::CountExamesByCodPaciente(caio), 0);
  EXPECT_FALSE(fs::exists(inst->Pasta("Exames") / std::to_string(caio)));
  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", caio), "0");
  EXPECT_EQ(Valor("SELECT ULTIMOEXAME FROM PACIENTES WHERE CODIGO = :C", caio), "  ");
  EXPECT_EQ(f.MedicoEscolhido(), "*** Sem Exames");
  EXPECT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(), caio);
  EXPECT_EQ(f.lswPrincipal->Count(), 0);

  // The report button finds no exam to report on.
  dialogs.ClearLog();
  EXPECT_FALSE(f.ExamesParaLaudo());
  EXPECT_EQ(Mensagens(), std::vector<std::string>{"Atenção: Não há exames para gerar laudo!"});
}

TEST_F(ComandosExame, TheDiagnosisIsSavedForTheExamItWasEditedFor) {
  TfrmExames& f = Abrir("Dr. Alfa", "Ana");
  const int od = semente.Exames[0], os = semente.Exames[1];
  Selecionar(f, od);
  f.MostrarInfoExame(0);
  ASSERT_TRUE(f.btnEDD->Enabled());
  windowstest::Clicar(f.btnEDD);
  EXPECT_TRUE(f.dbDiag->Enabled());
  EXPECT_TRUE(f.btnGRD->Enabled());
  EXPECT_FALSE(f.btnEDD->Enabled());
  // Something moves the exam query to the other exam meanwhile.
  ASSERT_TRUE(f.SelecionarExame(Item(f, os)->Caption()));
  f.dbDiag->SetText("Ceratocone incipiente");
  windowstest::Clicar(f.btnGRD);
  EXPECT_EQ(Valor("SELECT DIAG FROM EXAMES WHERE CODIGO = :C", od), "Ceratocone incipiente");
  EXPECT_EQ(Valor("SELECT DIAG FROM EXAMES WHERE CODIGO = :C", os), "");
  EXPECT_TRUE(f.btnEDD->Enabled());
  EXPECT_FALSE(f.btnGRD->Enabled());
  EXPECT_FALSE(f.dbDiag->Enabled());

  // Observations: another selected exam ends the editing; nothing is written.
  f.pcInfoExame->SetActivePageIndex(1);
  windowstest::Clicar(f.btnEDO);
  ASSERT_TRUE(f.btnGRO->Enabled());
  f.dbObs->SetText("Reavaliar");
  Selecionar(f, os);
  EXPECT_FALSE(f.btnGRO->Enabled());
  EXPECT_FALSE(f.dbObs->Enabled());
  EXPECT_EQ(f.TextoObs.CodigoExame, 0);
  EXPECT_EQ(Valor("SELECT OBSERVACAO FROM EXAMES WHERE CODIGO = :C", od), "");
}

}  // namespace
