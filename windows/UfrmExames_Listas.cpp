// The browser's lists: doctors, patients, the chosen patient's exams or the examples, the selected
// exam and its panel, the tabs, the toolbars and the layout.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmDica.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"

namespace {

const char* const Todos = "*** Todos";
const char* const SemExames = "*** Sem Exames";

void* CodigoComoDado(int Codigo) { return reinterpret_cast<void*>(static_cast<intptr_t>(Codigo)); }
int DadoComoCodigo(void* Dado) { return static_cast<int>(reinterpret_cast<intptr_t>(Dado)); }

}  // namespace

std::string Legenda(TDataSet& Exame) {
  return Exame.FieldByName("OLHO")->AsString() + " - " +
         FormatDateTime("dd/mm/yyyy", Exame.FieldByName("DATA")->AsDateTime()) + " " +
         FormatDateTime("hh:nn:ss", Exame.FieldByName("HORA")->AsDateTime());
}

TIBQuery& Reabrir(TIBQuery* Query, const std::string& Sql) {
  Query->Close();
  Query->SQL().Clear();
  Query->SQL().Add(Sql);
  return *Query;
}

TProporcoesLayout ProporcoesLayout(int LarguraTela, int AlturaTela) {
  const double razao = double(LarguraTela) / double(AlturaTela);
  if (razao < 1.3) return {0.79, 0.855};
  if (razao < 1.4) return {0.63, 0.75};
  return {0.7, 0.8};
}

std::string TfrmExames::MedicoEscolhido() const {
  const int i = CBMedicos->ItemIndex();
  return i < 0 ? std::string() : CBMedicos->Items()->Strings(i);
}

bool TfrmExames::OrdemAlfabetica() const { return tbOrdemAlfa->Down(); }

void TfrmExames::FormShow(TObject*) {
  if (!frmAguarde) frmAguarde = new TfrmAguarde(Application);
  frmAguarde->Hide();
  pscrollMapas->SetWidth(LarguraMapas());
  AjustarLayout();
  // Room for a whole caption, date and time, on one line under its icon.
  ListView_SetIconSpacing(lswPrincipal->Handle(), 170, 72);
  ExameSelecionado = false;
  ModoExemplo = false;
  tbLocPacExam->SetDown(false);
  CarregarMedicos();
  AbrirPacientes("Asc");
  MostrarPainelPacientes();
  pcExames->SetActivePageIndex(0);
  if (frmDica) frmDica->Close();
}

void TfrmExames::FormActivate(TObject*) { cBoxMiniMapa->SetChecked(InfosMZ.AutoMiniMapa); }

void TfrmExames::FormResize(TObject*) { AjustarLayout(); }

void TfrmExames::FormClose(TObject*, TCloseAction& Action) {
  const std::string medico = CBMedicos->Text();
  BIniSettings->WriteParam("Str", "CLINICA", "MEDICOATIVO", medico, false);
  AssignText(InfosMZ.MedicoAtivo, medico);
  TIBQuery* pacientes = DMPrincipal->IBQueryPacientes;
  const std::string paciente =
      pacientes->Active() && !pacientes->IsEmpty() ? pacientes->FieldByName("NOME")->AsString() : std::string();
  AssignText(InfosMZ.PacienteAtivo, paciente);
  BIniSettings->WriteParam("Str", "CLINICA", "PACIENTEATIVO", paciente, false);
  BIniSettings->WriteParam("Bool", "OPCOES", "AUTOMINIMAPA", "", cBoxMiniMapa->Checked());
  InfosMZ.AutoMiniMapa = cBoxMiniMapa->Checked();
  if (frmAguarde) frmAguarde->Close();
  ExameSelecionado = false;
  ModoExemplo = false;
  Action = caFree;
}

void TfrmExames::CarregarMedicos() {
  const std::string ativo = InfosMZ.MedicoAtivo ? InfosMZ.MedicoAtivo : "";
  CBMedicos->Clear();
  TIBQuery& q = Reabrir(DMPrincipal->IBQueryMedicos, "SELECT Nome FROM Medicos ORDER BY Nome ASC");
  q.Open();
  for (q.First(); !q.Eof(); q.Next()) {
    const int i = CBMedicos->Items()->Add(q.FieldByName("NOME")->AsString());
    if (CBMedicos->Items()->Strings(i) == ativo) CBMedicos->SetItemIndex(i);
  }
  q.Close();
  if (TDPacientes::CountPacientesSemExames() > 0) {
    const int i = CBMedicos->Items()->Add(SemExames);
    if (ativo == SemExames) CBMedicos->SetItemIndex(i);
  }
  if (CBMedicos->Items()->Count() > 0) {
    const int i = CBMedicos->Items()->Add(Todos);
    if (ativo.empty() || ativo == Todos) CBMedicos->SetItemIndex(i);
  }
}

void TfrmExames::AbrirPacientes(const std::string& Ordem) {
  if (frmAguarde) frmAguarde->Show();
  const std::string medico = MedicoEscolhido();
  const bool porNome = Ordem == "Asc";
  TIBQuery* q = DMPrincipal->IBQueryPacientes;
  if (medico == Todos) {
    Reabrir(q, porNome ? "Select * FROM Pacientes Order by Nome Asc" : "Select * FROM Pacientes Order by Codigo Asc");
  } else if (medico == SemExames) {
    Reabrir(q, std::string("Select * FROM Pacientes WHERE Pacientes.TotalExames=:TotalExames Order by ") +
                   (porNome ? "Nome Asc" : "Codigo Asc"));
    q->ParamByName("TotalExames").SetAsInteger(0);
  } else {
    Reabrir(q, std::string("Select DISTINCT(Pacientes.Nome), Pacientes.Codigo, Pacientes.RG, Pacientes.Convenio, "
                           "Pacientes.DtCadastro, Pacientes.UltimoExame, Pacientes.TotalExames FROM Exames JOIN "
                           "Pacientes ON Exames.CodPaciente = Pacientes.Codigo WHERE ") +
                   (porNome ? "CodResp=:CodigoMedico Order by Pacientes.Nome Asc"
                            : "Exames.CodResp=:CodigoMedico Order by Pacientes.Codigo Asc"));
    q->ParamByName("CodigoMedico").SetAsInteger(TDMedicos::GetCodigoByNome(medico));
  }
  q->Open();
  if (q->IsEmpty()) AtualizarListaExames();
  if (InfosMZ.MedicoAtivo && medico == InfosMZ.MedicoAtivo && InfosMZ.PacienteAtivo)
    q->Locate("NOME", InfosMZ.PacienteAtivo, loCaseInsensitive);
  AjustarLayout();
  if (frmAguarde) frmAguarde->Hide();
  tlbPaciente->Repaint();
}

void TfrmExames::AtualizarPacientes(int CodPaciente, const std::string& Medico) {
  CBMedicos->SetItemIndex(CBMedicos->Items()->IndexOf(Medico));
  AbrirPacientes(OrdemAlfabetica() ? "Asc" : "Desc");
  DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(CodPaciente), 0);
}

void TfrmExames::OrdemClick(TObject*) {
  AtualizarPacientes(CodPacienteAtual, MedicoEscolhido());
  if (DBGridPacientes->CanFocus()) DBGridPacientes->SetFocus();
}

void TfrmExames::CBMedicosChange(TObject*) { AtualizarPacientes(CodPacienteAtual, MedicoEscolhido()); }

void TfrmExames::DBEditControleChange(TObject*) {
  TIBQuery* q = DMPrincipal->IBQueryPacientes;
  if (!q->Active() || q->IsEmpty()) return;
  CodPacienteAtual = q->FieldByName("CODIGO")->AsInteger();
  lblID->SetCaption(FormatFloat("0000", CodPacienteAtual));
  DBTextNome->SetHint("Data de criação: " + FormatDateTime("dd/mm/yyyy", q->FieldByName("DTCADASTRO")->AsDateTime()));
  AtualizarListaExames();
  NomePacienteAtual = q->FieldByName("NOME")->AsString();
}

void TfrmExames::HabilitarEdicaoPacientes(bool Habilitar) {
  tbtAlterarPaciente->SetEnabled(Habilitar);
  tbtExcluirPaciente->SetEnabled(Habilitar);
}

void TfrmExames::AtualizarListaExames() {
  MostrarPainelPacientes();
  TIBQuery* q = DMPrincipal->IBQueryPacientes;
  if (!q->Active() || q->IsEmpty()) {
    lswPrincipal->Clear();
    HabilitarEdicaoPacientes(false);
    return;
  }
  CarregarExames(q->FieldByName("CODIGO")->AsInteger());
  HabilitarEdicaoPacientes(true);
  tbLocPacExam->SetEnabled(true);
  tbtCadPaciente->SetEnabled(true);
}

void TfrmExames::CarregarExames(int CodPaciente) {
  const std::string medico = MedicoEscolhido();
  const int codMedico = TDMedicos::GetCodigoByNome(medico);
  TIBQuery* q = DMPrincipal->IBQueryExames;
  if (medico == Todos || CBoxExames->Checked()) {
    Reabrir(q, "SELECT * FROM Exames WHERE Exames.CodPaciente = :codigoPaciente");
  } else {
    Reabrir(q, "SELECT * FROM Exames WHERE Exames.CodPaciente = :codigoPaciente AND Exames.CodResp = :codigoMedico");
    q->ParamByName("codigoMedico").SetAsInteger(codMedico);
  }
  q->ParamByName("codigoPaciente").SetAsInteger(CodPaciente);
  q->Open();
  // The selected exam stays selected when the list is filled again with it.
  TListItem* anterior = ModoExemplo ? nullptr : lswPrincipal->Selected();
  void* selecionado = anterior ? anterior->Data() : nullptr;
  lswPrincipal->BeginUpdate();
  lswPrincipal->Clear();
  for (q->First(); !q->Eof(); q->Next()) {
    TListItem* item = lswPrincipal->AddItem();
    item->SetCaption(Legenda(*q));
    item->SetImageIndex(q->FieldByName("TIPOEXAME")->AsString() == "O" ? 3 : 1);
    item->SetData(CodigoComoDado(q->FieldByName("CODIGO")->AsInteger()));
  }
  lswPrincipal->EndUpdate();
  if (TListItem* item = selecionado ? lswPrincipal->FindData(0, selecionado, true, false) : nullptr)
    item->SetSelected(true);
  const int total = TDPacientes::GetTotalExamesByCodigo(CodPaciente);
  const int itens = lswPrincipal->Count();
  if (total > itens && itens > 0 && medico != Todos)
    CBoxExames->SetVisible(true);
  else if (CBoxExames->Checked())
    CBoxExames->SetVisible(total != TDExames::CountExamesByCodRespCodPaciente(codMedico, CodPaciente));
  else
    CBoxExames->SetVisible(false);
}

void TfrmExames::CBoxExamesClick(TObject*) {
  TIBQuery* q = DMPrincipal->IBQueryPacientes;
  if (q->Active() && !q->IsEmpty()) CarregarExames(q->FieldByName("CODIGO")->AsInteger());
}

void TfrmExames::PreencherValoresOrto() {
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  if (exame->IsEmpty() || exame->FieldByName("TIPOEXAME")->AsString() != "O") return;
  TIBQuery& orto = Reabrir(DMPrincipal->IBQueryExamesOrto, "SELECT * FROM ExamesOrto WHERE ExamesOrto.CodExame=:CodExame");
  orto.ParamByName("CodExame").SetAsInteger(exame->FieldByName("CODIGO")->AsInteger());
  orto.Open();
  if (!orto.IsEmpty())
    ValoresOrto = {orto.FieldByName("SAG")->AsFloat(), orto.FieldByName("DIV")->AsFloat(),
                   orto.FieldByName("RAIO")->AsFloat()};
}

bool TfrmExames::SelecionarExame(const std::string& Caption) {
  if (Caption.size() < 24) return false;
  const auto numero = [&](size_t Pos, size_t Len) { return std::atoi(Caption.substr(Pos, Len).c_str()); };
  TDateTime data, hora;
  if (!TryEncodeDate(numero(11, 4), numero(8, 2), numero(5, 2), data) ||
      !TryEncodeTime(numero(16, 2), numero(19, 2), numero(22, 2), 0, hora))
    return false;
  TIBQuery& q = Reabrir(DMPrincipal->IBQueryExames,
                        "SELECT * FROM Exames WHERE Exames.CodPaciente=:CodPac AND Exames.Data=:Data AND "
                        "Exames.Hora=:Hora AND Exames.Olho=:Ol");
  q.ParamByName("CodPac").SetAsInteger(CodPacienteAtual);
  q.ParamByName("Data").SetAsDate(data);
  q.ParamByName("Hora").SetAsTime(hora);
  q.ParamByName("Ol").SetAsString(Caption.substr(0, 2));
  q.Open();
  PreencherValoresOrto();
  return !q.IsEmpty();
}

bool TfrmExames::SelecionarExameAtual() {
  TListItem* item = lswPrincipal->Selected();
  if (ModoExemplo || !item) return false;
  TIBQuery& q = Reabrir(DMPrincipal->IBQueryExames, "SELECT * FROM Exames WHERE Exames.Codigo=:Codigo");
  q.ParamByName("Codigo").SetAsInteger(DadoComoCodigo(item->Data()));
  q.Open();
  PreencherValoresOrto();
  return !q.IsEmpty();
}

void TfrmExames::lswPrincipalSelectItem(TObject*, TListItem* Item, bool Selected) {
  SairEdicao(TextoDiag);
  SairEdicao(TextoObs);
  if (Selected) {
    NomeExemplo = Item->Caption();
    if (!ModoExemplo) {
      if (!SelecionarExameAtual()) {
        Application->MessageBox("Erro ao selecionar o exame.", "Erro", MB_ICONERROR);
        pnlInfoExame->SetVisible(false);
        return;
      }
      TIBQuery& medico = Reabrir(DMPrincipal->IBQueryMedicos, "SELECT * FROM Medicos WHERE Medicos.Codigo=:CodResp");
      medico.ParamByName("CodResp").SetAsInteger(DMPrincipal->IBQueryExames->FieldByName("CODRESP")->AsInteger());
      medico.Open();
    }
    ExameSelecionado = true;
    MostrarPainelExames();
    if (!ModoExemplo && pnlInfoExame->Visible()) MostrarInfoExame(0);
  } else {
    ExameSelecionado = false;
  }
  if (ModoExemplo) {
    for (TToolButton* b : {tbNovoExame1, tbNovoExame2, tbtExcluirExame, tbtCadPaciente, tbLocPacExam}) b->SetEnabled(false);
    HabilitarEdicaoPacientes(false);
    return;
  }
  tbtExcluirExame->SetEnabled(Selected);
  tbLaudo->SetEnabled(Selected && TDMedicos::GetNomeByCodigo(
                                      DMPrincipal->IBQueryExames->FieldByName("CODRESP")->AsInteger()) ==
                                      MedicoEscolhido());
}

void TfrmExames::lswPrincipalDblClick(TObject*) {
  if (lswPrincipal->Count() == 0) return;
  if (pnlInfoExame->Visible() || ModoExemplo)
    pnlInfoExame->SetVisible(false);
  else if (ExameSelecionado)
    MostrarInfoExame(0);
}

void TfrmExames::MostrarInfoExame(int Pagina) {
  pcInfoExame->SetActivePageIndex(Pagina);
  btnGRD->SetEnabled(false);
  btnGRO->SetEnabled(false);
  // The list's selection names the exam: the exam query may have been moved or closed meanwhile.
  if (!SelecionarExameAtual()) {
    pnlInfoExame->SetVisible(false);
    return;
  }
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  const std::string medico = TDMedicos::GetNomeByCodigo(exame->FieldByName("CODRESP")->AsInteger());
  const bool doFiltro = medico == MedicoEscolhido();
  btnEDD->SetEnabled(doFiltro);
  btnEDO->SetEnabled(doFiltro);
  lblNomeMedico->Font()->SetColor(doFiltro ? clNavy : clRed);
  lblOlho->SetCaption(exame->FieldByName("OLHO")->AsString() == "OD" ? "Olho Direito" : "Olho Esquerdo");
  lblCodigo->SetCaption(FormatFloat("0000", exame->FieldByName("CODIGO")->AsInteger()));
  lblData->SetCaption(FormatDateTime("dd/mm/yyyy", exame->FieldByName("DATA")->AsDateTime()));
  lblHora->SetCaption(FormatDateTime("hh:nn:ss", exame->FieldByName("HORA")->AsDateTime()));
  lblNomeMedico->SetCaption(medico);
  lblIndConf->SetCaption(FormatFloat("0.00", exame->FieldByName("INDCONF")->AsFloat()) + "%");
  dbDiag->SetText(exame->FieldByName("DIAG")->AsString());
  dbObs->SetText(exame->FieldByName("OBSERVACAO")->AsString());
  const bool orto = exame->FieldByName("TIPOEXAME")->AsString() == "O";
  if (orto) {
    lblVDiv->SetCaption(FormatFloat("0.00", ValoresOrto[1]));
    lblVR0->SetCaption(FormatFloat("0.00", ValoresOrto[2]));
    lblVSag->SetCaption(FormatFloat("0.00", ValoresOrto[0]));
  }
  pnlOrto->SetVisible(orto);
  pnlInfoExame->SetVisible(true);
  pnlInfoExame->Repaint();
  if (cBoxMiniMapa->Checked()) {
    MostrarMiniMapa();
  } else {
    imgVisualizar->Picture()->SetGraphic(nullptr);
    CodigoMiniMapa = 0;
  }
  dbDiag->SetEnabled(false);
  dbObs->SetEnabled(false);
}

void TfrmExames::MostrarPainelExames() {
  if (tlbExame->Visible()) return;
  tlbPaciente->SetVisible(false);
  pnlInfoExame->SetVisible(false);
  tlbExame->SetVisible(true);
  AjustarLayout();
  lblPRI->SetCaption("Painel de Conteúdo: Exames");
}

void TfrmExames::MostrarPainelPacientes() {
  if (tlbPaciente->Visible()) return;
  tlbExame->SetVisible(false);
  tlbPaciente->SetVisible(true);
  lblPRI->SetCaption("Painel de Conteúdo: Pacientes");
  tbtCadPaciente->SetEnabled(true);
  HabilitarEdicaoPacientes(true);
  CBoxExames->SetChecked(false);
  tlbExame->Repaint();
  tlbMapas->Repaint();
}

// The buttons that the examples page disables and the patients page enables again.
void TfrmExames::HabilitarBotoesDeExame(bool Habilitar) {
  for (TToolButton* b : {tbNovoExame2, tbtExcluirExame, tbExportador, tbLaudo, tbOrdemAlfa, tbOrdemCriacao, tbExameOrto1,
                         tbExameOrto2})
    b->SetEnabled(Habilitar);
}

void TfrmExames::AbrirAbaPacientes() {
  HabilitarBotoesDeExame(true);
  // An example's selection also took the patient toolbar's commands away.
  for (TToolButton* b : {tbNovoExame1, tbtCadPaciente, tbLocPacExam}) b->SetEnabled(true);
  tbOrdemAlfa->SetDown(true);
  ExameSelecionado = true;
  ModoExemplo = false;
  AtualizarListaExames();
  if (DBGridPacientes->CanFocus()) DBGridPacientes->SetFocus();
}

void TfrmExames::AbrirAbaExemplos() {
  ExameSelecionado = false;
  ModoExemplo = true;
  pnlInfoExame->SetVisible(false);
  MostrarPainelExames();
  HabilitarBotoesDeExame(false);
  const char* const categorias[] = {"Ceratocone - Central", "Ceratocone - Periférico", "Astigmatismo - Regular",
                                    "Astigmatismo - Iregular", "Normal", "Ortoceratologia"};
  for (int i = 0; i < 6; ++i) GridExemplos->SetCells(1, i + 1, categorias[i]);
  GridExemplos->SetRowCount(7);
  GridExemplos->SetRowHeights(0, 0);  // the title row holds nothing
  GridExemplos->SetRow(1);
  ExemplosDaLinha(1);
}

void TfrmExames::GridExemplosSelectCell(TObject*, int, int ARow, bool&) { ExemplosDaLinha(ARow); }

void TfrmExames::ExemplosDaLinha(int Linha) {
  lswPrincipal->BeginUpdate();
  lswPrincipal->Clear();
  const char* const radicais[] = {"Central0", "Periférico0", "Regular0", "Irregular0", "Normal0"};
  if (Linha >= 1 && Linha <= 5) {
    for (int n = 1; n <= 6; ++n) {
      TListItem* item = lswPrincipal->AddItem();
      item->SetCaption(std::string(n <= 4 ? "OD - " : "OS - ") + radicais[Linha - 1] + std::to_string(n));
      item->SetImageIndex(1);
    }
  } else if (Linha == 6) {
    for (int n = 1; n <= 4; ++n) {
      TListItem* item = lswPrincipal->AddItem();
      item->SetCaption("Orto0" + std::to_string(n));
      item->SetImageIndex(3);
    }
  }
  lswPrincipal->EndUpdate();
}

void TfrmExames::AjustarLayout() {
  const TProporcoesLayout p = ProporcoesLayout(Screen->Width(), Screen->Height());
  const int altura = tsAtivos->Height();
  // The proportions place the patient panel and the grid, but the panel never leaves the page and the grid
  // with the check box under it stays above the panel.
  const int topo = std::max(0, std::min(int(std::lround(p.TopoPainel * altura)), altura - pnlPacInfo->Height()));
  pnlPacInfo->SetTop(topo);
  const int grade = std::max(0, std::min(int(std::lround(p.AlturaGrade * altura)), topo - CBoxExames->Height() - 4));
  DBGridPacientes->SetHeight(grade);
  CBoxExames->SetTop(grade + 2);
  // The map buttons take the room the exam commands leave in their toolbar.
  int comandos = 0;
  for (int i = 0; i < tlbExame->ButtonCount(); ++i)
    if (tlbExame->Buttons(i)->Visible()) comandos += tlbExame->Buttons(i)->Width();
  pscrollMapas->SetWidth(std::max(0, std::min(LarguraMapas(), tlbExame->ClientWidth() - comandos - 8)));
}

int TfrmExames::LarguraMapas() { return Screen->Width() <= 800 ? 300 : 830; }
