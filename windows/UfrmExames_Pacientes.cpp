// The browser's patient commands: the patient picker for a new patient, the patient form on the
// patient under the cursor, and the deletion of a patient without exams.
#include <windows.h>

#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDLaudos.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "windows/UfrmCadastroPacientes.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmNovoPaciente.h"

void TfrmExames::CriarComandosPaciente() {
  tbtCadPaciente->OnClick = [this](TObject* Sender) { tbtCadPacienteClick(Sender); };
  tbtAlterarPaciente->OnClick = [this](TObject* Sender) { tbtAlterarPacienteClick(Sender); };
  tbtExcluirPaciente->OnClick = [this](TObject* Sender) { tbtExcluirPacienteClick(Sender); };
  DBGridPacientes->OnDblClick = [this](TObject* Sender) { tbtAlterarPacienteClick(Sender); };
}

void TfrmExames::tbtCadPacienteClick(TObject*) {
  CarregarMedicos();
  TfrmNovoPaciente* seletor = frmNovoPaciente = new TfrmNovoPaciente(Application);
  seletor->ShowModal();
  // The picker frees itself on close only once messages run again, so it is still alive here.
  if (seletor->ExameEmSeguida) NovoExame(false);
}

void TfrmExames::tbtAlterarPacienteClick(TObject*) {
  TIBQuery* pacientes = DMPrincipal->IBQueryPacientes;
  if (!pacientes->Active() || pacientes->IsEmpty()) return;
  const int codigo = pacientes->FieldByName("CODIGO")->AsInteger();
  TIBTable* tabela = DMPrincipal->IBPacientes;
  tabela->Open();
  if (!frmCadastroPacientes) frmCadastroPacientes = new TfrmCadastroPacientes(Application);
  frmCadastroPacientes->Modo = "Atualiza";
  frmCadastroPacientes->HabilitaEdicao();
  tabela->SetFiltered(true);
  tabela->SetFilter("Codigo=" + std::to_string(codigo));
  tabela->First();
  frmCadastroPacientes->ShowModal();
  tabela->SetFiltered(false);
  tabela->Close();
  // Back to the patient by its code: a changed name may sort it elsewhere.
  AtualizarPacientes(codigo, MedicoEscolhido());
}

void TfrmExames::tbtExcluirPacienteClick(TObject*) {
  TIBQuery* pacientes = DMPrincipal->IBQueryPacientes;
  if (!pacientes->Active() || pacientes->IsEmpty()) return;
  const int codigo = pacientes->FieldByName("CODIGO")->AsInteger();
  const std::string nome = pacientes->FieldByName("NOME")->AsString();
  TIBQuery& exames =
      Reabrir(DMPrincipal->IBQueryExames, "SELECT CodPaciente,CodResp FROM Exames WHERE Exames.CodPaciente = :idxPac");
  exames.ParamByName("idxPac").SetAsInteger(codigo);
  exames.Open();
  if (!exames.IsEmpty()) {
    Application->MessageBox("Não é possivel excluir o paciente " + nome +
                                "! \n\nPara excluir este paciente é preciso excluir todos os exames.",
                            "Informação", MB_ICONQUESTION);
    return;
  }
  if (Application->MessageBox("Confirma a exclusão do paciente '" + nome + "'?", "Informação",
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  // Reports left on a patient without exams name no exam; the foreign key keeps the patient while
  // they are there.
  TIBQuery& laudos = Reabrir(DMPrincipal->IBQueryLaudos, "SELECT Codigo FROM Laudos WHERE CodPaciente=:CodPaciente");
  laudos.ParamByName("CodPaciente").SetAsInteger(codigo);
  laudos.Open();
  std::vector<int> codigos;
  for (laudos.First(); !laudos.Eof(); laudos.Next()) codigos.push_back(laudos.FieldByName("CODIGO")->AsInteger());
  laudos.Close();
  for (int laudo : codigos) TDLaudos::DeleteLaudosByCodigo(laudo);
  TDPacientes::DeletePacientesByCodigo(codigo);
  const std::string pasta = std::string(PathsMZ.Laudos ? PathsMZ.Laudos : "") + "\\" + std::to_string(codigo);
  for (int laudo : codigos) DeleteFileA(ArquivoLaudo(PathsMZ.Laudos ? PathsMZ.Laudos : "", codigo, laudo).c_str());
  if (!codigos.empty()) RemoveDirectoryA(pasta.c_str());
  if (TDPacientes::CountPacientes() == 0) {
    CarregarMedicos();
    AtualizarPacientes(0, "*** Todos");
  }
}
