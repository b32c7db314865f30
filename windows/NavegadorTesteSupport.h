#pragma once
// The exam browser's command tests: a test installation without map modules, its database seeded
// with two doctors and the patients "Ana" and "Caio" of three exams each, the settings and map data
// objects of the program, message boxes and file dialogs answered and logged.
#include <cstdint>
#include <memory>
#include <string>

#include "core/UBConstantes.h"
#include "core/UBMapOperation.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/BancoTestSupport.h"
#include "windows/SemeaduraTeste.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace windowstest {

class TesteNavegador : public TesteComBanco {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PrepararInstalacao({.BancoDeDados = true, .Mapas = {}}));
    FormatSettings.ShortDateFormat = "dd/MM/yyyy";
    semeadura = Semear(*inst, {"Dr. Ari", "Dra. Bel"}, {"Ana", "Caio"}, 3);
    ana = semeadura.Pacientes[0];
    dialogs.ClearLog();
  }
  void TearDown() override {
    if (frmExames) frmExames->Free();
    if (frmAguarde) frmAguarde->Free();
    TesteComBanco::TearDown();
  }

  std::string Exames() const { return CaminhoWindows(inst->Pasta("Exames")); }

  // The browser shown on all doctors' patients, the cursor on this one.
  TfrmExames& Abrir(const std::string& PacienteAtivo) {
    AssignText(InfosMZ.MedicoAtivo, "*** Todos");
    AssignText(InfosMZ.PacienteAtivo, PacienteAtivo);
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();
    EXPECT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("NOME")->AsString(), PacienteAtivo);
    return *frmExames;
  }

  // The list item of an exam code.
  int Item(TfrmExames& F, int Codigo) {
    for (int i = 0; i < F.lswPrincipal->Count(); ++i)
      if (reinterpret_cast<intptr_t>(F.lswPrincipal->Items(i)->Data()) == Codigo) return i;
    ADD_FAILURE() << "no item of exam " << Codigo;
    return 0;
  }

  TSemeadura semeadura;
  int ana = 0;
};

}  // namespace windowstest
