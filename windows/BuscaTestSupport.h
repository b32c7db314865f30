#pragma once
// The browser's search and patient tests: a test installation with the seeded database (two doctors,
// five patients with two exams and a report each, one patient without exams), the browser opened
// on a doctor filter, keys sent with the real Ctrl state, and every window closed when the test ends.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/UBConstantes.h"
#include "core/UBIniSettings.h"
#include "core/UBMapOperation.h"
#include "core/UfrmDataModule.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/BancoTestSupport.h"
#include "windows/SemeaduraTeste.h"
#include "windows/UfrmCadastroPacientes.h"
#include "windows/UfrmDica.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmNovoExame.h"
#include "windows/UfrmNovoPaciente.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace windowstest {

class TesteBusca : public TesteComBanco {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(
        PrepararInstalacao({}, [](TBIniSettings& Settings) { Settings.WriteParam("Bool", "OPCOES", "DICAS", "", false); }));
    InfosMZ.AutoMiniMapa = false;
    // A patient chosen in the picker opens the new-exam wizard only in the tests that ask for it.
    InfosMZ.AutoExame = false;
  }
  void TearDown() override {
    for (TForm* f : std::initializer_list<TForm*>{frmCadastroPacientes, frmNovoPaciente, frmDica, frmNovoExame})
      if (f) f->Close();
    EsperarAte([] { return !frmCadastroPacientes && !frmNovoPaciente && !frmDica && !frmNovoExame; });
    if (frmExames) frmExames->Free();
    TesteComBanco::TearDown();
  }

  // "Ana Clara" has a lower code than "Ana"; José has an RG and a diagnosis on his second exam,
  // Ana an observation, d'Ávila a diagnosis with an accent.
  void Semear() {
    s = windowstest::Semear(*inst, {"Dr. Alfa", "Dr. Beta"}, {"Ana Clara", "Ana", "José", "JOSÉ CARLOS", "d'Ávila"},
                            2);
    anaClara = s.Pacientes[0];
    ana = s.Pacientes[1];
    jose = s.Pacientes[2];
    joseCarlos = s.Pacientes[3];
    davila = s.Pacientes[4];
    semExame = recordstest::Registros::Paciente("Sem Exame");
    TDadosPaciente dados;
    dados.Nome = "José";
    dados.Rg = "12.345.678-9";
    TDPacientes::UpdatePacientesByCodigo(jose, dados);
    TDExames::UpdateDiagExameByCodigo(s.Exames[5], "Astigmatismo irregular");
    TDExames::UpdateObsExameByCodigo(s.Exames[3], "Retorno em março");
    TDExames::UpdateDiagExameByCodigo(s.Exames[9], "Ceratocone avançado");
    dialogs.ClearLog();
  }

  TfrmExames& Abrir(const std::string& Medico = "*** Todos") {
    AssignText(InfosMZ.MedicoAtivo, Medico);
    AssignText(InfosMZ.PacienteAtivo, "");
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();
    return *frmExames;
  }

  // A key pressed and let go on Control, with Ctrl held or not.
  static void Tecla(TWinControl* Control, WORD Key, bool Ctrl = false) {
    BYTE estado[256];
    GetKeyboardState(estado);
    estado[VK_CONTROL] = Ctrl ? 0x80 : 0;
    SetKeyboardState(estado);
    SendMessageA(Control->Handle(), WM_KEYDOWN, Key, 1);
    SendMessageA(Control->Handle(), WM_KEYUP, Key, LPARAM(0xC0000001));
    estado[VK_CONTROL] = 0;
    SetKeyboardState(estado);
    Application->ProcessMessages();
  }

  static std::vector<std::string> Nomes(TDataSet* Dados) {
    std::vector<std::string> r;
    for (Dados->First(); !Dados->Eof(); Dados->Next()) r.push_back(Dados->FieldByName("NOME")->AsString());
    return r;
  }
  static std::string NomeDoCursor() { return DMPrincipal->IBQueryPacientes->FieldByName("NOME")->AsString(); }
  static int CodigoDoCursor() { return DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(); }
  // A value of the database, read apart from the windows' data sets.
  static std::string Valor(const std::string& Sql) {
    TIBQuery q(nullptr);
    q.SetDatabase(DMPrincipal->IBDatabase);
    q.SQL().Add(Sql);
    q.Open();
    return q.IsEmpty() ? std::string() : q.Fields(0)->AsString();
  }

  TSemeadura s;
  int anaClara = 0, ana = 0, jose = 0, joseCarlos = 0, davila = 0, semExame = 0;
};

}  // namespace windowstest
