// The browser's search panel (patients by first name, part of the name, code, RG, or by an exam's
// code, diagnosis or observation), its tip, and the one keyboard handler of the lists and edits.
#include <windows.h>

#include <string>
#include <utility>

#include "core/UBArquivosExame.h"
#include "core/UDMedicos.h"
#include "core/UfrmDataModule.h"
#include "windows/UfrmDica.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"

namespace {

const char* const Todos = "*** Todos";
const char* const SemExames = "*** Sem Exames";

enum TCriterio { cPrimeiroNome, cParteNome, cCodigoPaciente, cRG, cCodigoExame, cDiagnostico, cObservacao };

// The patients of the search, the exam joined in for the exam criteria.
const char* const PacientesDosExames =
    "SELECT DISTINCT Pacientes.Nome, Pacientes.Rg, Pacientes.Codigo FROM Exames JOIN Pacientes ON "
    "Exames.CodPaciente = Pacientes.Codigo WHERE ";

bool TemResultado() {
  TIBQuery* q = DMPrincipal->IBQueryBuscaPac;
  return q->Active() && !q->IsEmpty();
}

// The commands the open search panel disables.
void HabilitarComandos(TfrmExames& F, bool Habilitar) {
  for (TToolButton* b : {F.tbNovoExame1, F.tbNovoExame2, F.tbtAlterarPaciente, F.tbtExcluirPaciente, F.tbtCadPaciente,
                         F.tbExameOrto1, F.tbExameOrto2})
    b->SetEnabled(Habilitar);
}

bool MedicoDeFato(const std::string& Medico) { return !Medico.empty() && Medico != Todos && Medico != SemExames; }

}  // namespace

std::string TfrmExames::NormalizarTexto(const std::string& Texto) {
  std::string r = Texto;
  for (char& c : r) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    switch (static_cast<unsigned char>(c)) {
      case 0xE1: case 0xE0: case 0xE3: case 0xE2: case 0xC1: case 0xC0: case 0xC3: case 0xC2: c = 'A'; break;
      case 0xE9: case 0xEA: case 0xC9: case 0xCA: c = 'E'; break;
      case 0xED: case 0xCD: c = 'I'; break;
      case 0xF3: case 0xF5: case 0xD3: case 0xD5: c = 'O'; break;
      case 0xFA: case 0xDA: c = 'U'; break;
      case 0xE7: case 0xC7: c = 'C'; break;
      default: break;
    }
  }
  return r;
}

void TfrmExames::CriarBusca() {
  pnlFindPac = new TPanel(this);
  pnlFindPac->SetName("pnlFindPac");
  pnlFindPac->SetParent(this);
  pnlFindPac->SetAlign(alTop);
  pnlFindPac->SetHeight(250);
  pnlFindPac->SetVisible(false);
  edtFind = new TEdit(this);
  edtFind->SetName("edtFind");
  edtFind->SetParent(pnlFindPac);
  edtFind->SetBounds(8, 10, 300, 21);
  edtFind->OnChange = [this](TObject* Sender) { edtFindChange(Sender); };
  const auto botao = [this](const char* Nome, const char* Caption, int Left) {
    TButton* b = new TButton(this);
    b->SetName(Nome);
    b->SetParent(pnlFindPac);
    b->SetCaption(Caption);
    b->SetBounds(Left, 8, 100, 25);
    return b;
  };
  btnLocPac = botao("btnLocPac", "&Localizar", 316);
  btnLocPac->OnClick = [this](TObject* Sender) { btnLocPacClick(Sender); };
  btnLocDBGrid = botao("btnLocDBGrid", "&Ver paciente", 420);
  btnLocDBGrid->OnClick = [this](TObject* Sender) { btnLocDBGridClick(Sender); };
  CbFind = new TComboBox(this);
  CbFind->SetName("CbFind");
  CbFind->SetParent(pnlFindPac);
  CbFind->SetStyle(csDropDownList);
  CbFind->SetBounds(530, 10, 160, 21);
  CbFind->SetVisible(false);
  CbFind->OnChange = [this](TObject*) { FiltrarBuscaPorMedico(); };
  rgpPaciente = new TRadioGroup(this);
  rgpPaciente->SetName("rgpPaciente");
  rgpPaciente->SetParent(pnlFindPac);
  rgpPaciente->SetCaption("Consultar por");
  rgpPaciente->SetBounds(8, 38, 700, 72);
  rgpPaciente->SetColumns(4);
  for (const char* item : {"&Primeiro Nome do Pac.", "Parte do &Nome do Pac.", "&Código do Paciente", "&RG do Paciente",
                           "Códi&go do Exame", "&Diagnóstico do Exame", "&Observação do Exame"})
    rgpPaciente->Items()->Add(item);
  rgpPaciente->OnClick = [this](TObject* Sender) { rgpPacienteClick(Sender); };
  cbDicas = new TCheckBox(this);
  cbDicas->SetName("cbDicas");
  cbDicas->SetParent(pnlFindPac);
  cbDicas->SetCaption("&Mostrar aviso ao carregar busca de pacientes/exames");
  cbDicas->SetBounds(8, 114, 400, 18);
  dbGridPacLoc = new TDBGrid(this);
  dbGridPacLoc->SetName("dbGridPacLoc");
  dbGridPacLoc->SetParent(pnlFindPac);
  dbGridPacLoc->SetBounds(8, 136, 600, 108);
  dbGridPacLoc->SetDataSource(DMPrincipal->DSQueryBuscaPac);
  dbGridPacLoc->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect);
  const std::pair<const char*, int> colunas[] = {{"CODIGO", 63}, {"NOME", 386}, {"RG", 110}};
  for (const auto& [campo, largura] : colunas) {
    TColumn* c = dbGridPacLoc->Columns()->Add();
    c->SetFieldName(campo);
    c->SetWidth(largura);
  }
  dbGridPacLoc->OnCellClick = [this](TColumn*) { ConferirResultado(TemResultado()); };
  dbGridPacLoc->OnDblClick = [this](TObject* Sender) { btnLocDBGridClick(Sender); };

  // The advanced search: the skinned button beside the patient data, the plain one with the
  // quick-search edit.
  sBitBtn1 = new TsBitBtn(this);
  sBitBtn1->SetName("sBitBtn1");
  sBitBtn1->SetParent(pnlPacInfo);
  sBitBtn1->SetBounds(162, 4, 52, 24);
  sBitBtn1->SetCaption("Busca");
  sBitBtn1->SetHint("Busca avançada");
  sBitBtn1->SetShowHint(true);
  sBitBtn1->OnClick = [this](TObject* Sender) { bbtnBuscaAvClick(Sender); };
  bbtnBuscaAv = new TButton(this);
  bbtnBuscaAv->SetName("bbtnBuscaAv");
  bbtnBuscaAv->SetParent(pnlPacInfo);
  bbtnBuscaAv->SetBounds(162, 92, 52, 24);
  bbtnBuscaAv->SetCaption("Busca");
  bbtnBuscaAv->SetVisible(false);
  bbtnBuscaAv->OnClick = [this](TObject* Sender) { bbtnBuscaAvClick(Sender); };

  tbLocPacExam->OnClick = [this](TObject* Sender) { tbLocPacExamClick(Sender); };
  for (TWinControl* c : std::initializer_list<TWinControl*>{DBGridPacientes, dbGridPacLoc, lswPrincipal, edtFind,
                                                           edtFindGrid}) {
    c->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { Teclado(Sender, Key, Shift, false); };
    c->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { Teclado(Sender, Key, Shift, true); };
  }
}

bool TfrmExames::LerDicas() const { return BIniSettings && BIniSettings->GetDicas(); }

void TfrmExames::GravarDicas() {
  if (BIniSettings) BIniSettings->WriteParam("Bool", "OPCOES", "DICAS", "", cbDicas->Checked());
}

void TfrmExames::tbLocPacExamClick(TObject*) {
  if (tbLocPacExam->Down())
    AbrirBusca();
  else
    FecharBusca();
}

void TfrmExames::bbtnBuscaAvClick(TObject*) {
  if (pnlFindPac->Visible()) return;
  tbLocPacExam->SetDown(true);
  AbrirBusca();
}

void TfrmExames::AbrirBusca() {
  cbDicas->SetChecked(false);
  btnLocPac->SetEnabled(false);
  btnLocDBGrid->SetEnabled(false);
  if (LerDicas()) {
    cbDicas->SetChecked(true);
    if (!frmDica) frmDica = new TfrmDica(Application);
    frmDica->ShowModal();
  }
  HabilitarComandos(*this, false);
  pnlFindPac->SetVisible(true);
  btnLocPac->SetVisible(true);
  CbFind->SetEnabled(true);
  CbFind->Items()->Assign(CBMedicos->Items());
  CbFind->SetItemIndex(CbFind->Items()->IndexOf(Todos));
  edtFind->Clear();
  if (edtFind->CanFocus()) edtFind->SetFocus();
  rgpPaciente->SetItemIndex(cPrimeiroNome);
  sgPacLoc->SetVisible(false);
  dbGridPacLoc->SetVisible(true);
  FiltrarBuscaPorMedico();
}

void TfrmExames::FecharBusca() {
  GravarDicas();
  pnlFindPac->SetVisible(false);
  tbLocPacExam->SetDown(false);
  DMPrincipal->IBPacientes->SetIndexName("");
  HabilitarComandos(*this, true);
}

void TfrmExames::FiltrarBuscaPorMedico() {
  const int i = CbFind->ItemIndex();
  const std::string medico = i < 0 ? std::string() : CbFind->Items()->Strings(i);
  TIBQuery* q = DMPrincipal->IBQueryBuscaPac;
  if (MedicoDeFato(medico)) {
    Reabrir(q, "Select DISTINCT(Pacientes.Nome), Pacientes.Codigo, Pacientes.RG, Pacientes.DtCadastro, "
               "Pacientes.UltimoExame, Pacientes.TotalExames FROM Exames JOIN Pacientes ON Exames.CodPaciente = "
               "Pacientes.Codigo WHERE CodResp=:CodigoMedico Order by Pacientes.Nome Asc");
    q->ParamByName("CodigoMedico").SetAsInteger(TDMedicos::GetCodigoByNome(medico));
  } else {
    Reabrir(q, "SELECT * FROM Pacientes ORDER BY Nome ASC");
  }
  q->Open();
}

void TfrmExames::rgpPacienteClick(TObject*) {
  TIBQuery* q = DMPrincipal->IBQueryBuscaPac;
  if (rgpPaciente->ItemIndex() <= cParteNome) {
    CbFind->SetEnabled(true);
    Reabrir(q, "SELECT * FROM Pacientes ORDER BY Nome ASC").Open();
  } else {
    CbFind->SetEnabled(false);
    CbFind->SetItemIndex(CbFind->Items()->IndexOf(Todos));
    q->Close();
  }
  edtFind->Clear();
  if (edtFind->CanFocus()) edtFind->SetFocus();
}

void TfrmExames::edtFindChange(TObject*) {
  btnLocDBGrid->SetEnabled(false);
  const std::string texto = edtFind->Text();
  // "&Localizar" also for the first name: it runs the walk that compares names without accents.
  btnLocPac->SetEnabled(!texto.empty());
  if (texto.empty() || rgpPaciente->ItemIndex() != cPrimeiroNome) return;
  const std::string medico = CbFind->Text();
  TIBQuery* q = DMPrincipal->IBQueryBuscaPac;
  if (MedicoDeFato(medico)) {
    Reabrir(q, "Select DISTINCT(Pacientes.Nome), Pacientes.Codigo, Pacientes.RG FROM Exames JOIN Pacientes ON "
               "Exames.CodPaciente = Pacientes.Codigo WHERE Upper(Pacientes.Nome) STARTING WITH :Texto AND "
               "CodResp=:CodigoMedico Order by Pacientes.Nome Asc");
    q->ParamByName("CodigoMedico").SetAsInteger(TDMedicos::GetCodigoByNome(medico));
  } else {
    Reabrir(q, "SELECT * FROM Pacientes WHERE Upper(Nome) STARTING WITH :Texto ORDER BY Nome ASC");
  }
  q->ParamByName("Texto").SetAsString(MaiusculasAcentuadas(texto));
  q->Open();
}

bool TfrmExames::PercorrerPrimeiroNome(const std::string& Texto) {
  TIBQuery& q = Reabrir(DMPrincipal->IBQueryBuscaPac, "SELECT Codigo,Nome,Rg FROM Pacientes ORDER BY Nome ASC");
  q.Open();
  const std::string procurado = NormalizarTexto(Texto);
  int ultimo = 0;
  for (q.First(); !q.Eof(); q.Next()) {
    const std::string nome = q.FieldByName("NOME")->AsString();
    if (NormalizarTexto(nome.substr(0, Texto.size())) != procurado) continue;
    ultimo = q.FieldByName("CODIGO")->AsInteger();
    if (Application->MessageBox("O sistema localizou: " + nome + ".\n Deseja continuar procurando?", "Informação",
                                MB_YESNO | MB_ICONQUESTION) == IDNO)
      return true;
  }
  // Every match passed on: the cursor goes back to the last one, not past the end of the list.
  if (ultimo) q.Locate("CODIGO", std::to_string(ultimo), 0);
  return ultimo != 0;
}

void TfrmExames::btnLocPacClick(TObject*) {
  const std::string t = edtFind->Text();
  if (t.empty()) {
    Application->MessageBox("Campo de busca vazio", "Atenção", MB_ICONINFORMATION);
    return;
  }
  const int criterio = rgpPaciente->ItemIndex();
  if (criterio == cPrimeiroNome) {
    ConferirResultado(PercorrerPrimeiroNome(t));
    return;
  }
  const std::string contido = "%" + MaiusculasAcentuadas(t) + "%";
  struct Busca {
    const char* Sql;
    std::string Padrao;
  };
  const Busca buscas[] = {
      {},
      {"SELECT Codigo,Nome,Rg FROM Pacientes WHERE Upper(nome) like :t ORDER BY Nome ASC", contido},
      // The code as text, so that a text which is no number finds nothing.
      {"SELECT Codigo,Nome,Rg FROM Pacientes WHERE CAST(Codigo AS VARCHAR(12)) LIKE :t ORDER BY Nome ASC", t},
      {"SELECT Codigo,Nome,Rg FROM Pacientes WHERE Rg LIKE :t ORDER BY Nome ASC", "%" + t + "%"},
      {"CAST(Exames.Codigo AS VARCHAR(12)) like :t ORDER BY Nome ASC", t},
      {"Upper(diag) like :t ORDER BY Nome ASC", contido},
      {"Upper(Observacao) like :t ORDER BY Nome ASC", contido}};
  const Busca& b = buscas[criterio];
  TIBQuery& q = Reabrir(DMPrincipal->IBQueryBuscaPac,
                        criterio >= cCodigoExame ? PacientesDosExames + std::string(b.Sql) : std::string(b.Sql));
  q.ParamByName("t").SetAsString(b.Padrao);
  q.Open();
  ConferirResultado(TemResultado());
}

void TfrmExames::ConferirResultado(bool Achou) {
  if (Achou) {
    btnLocDBGrid->SetEnabled(true);
    return;
  }
  if (Application->MessageBox("Paciente não encontrado! \n Deseja realizar outra busca?", "Informação",
                              MB_YESNO | MB_ICONQUESTION) == IDNO) {
    FecharBusca();
    if (DBGridPacientes->CanFocus()) DBGridPacientes->SetFocus();
    return;
  }
  edtFind->Clear();
  if (edtFind->CanFocus()) edtFind->SetFocus();
}

void TfrmExames::btnLocDBGridClick(TObject*) {
  TIBQuery* achado = DMPrincipal->IBQueryBuscaPac;
  if (!achado->Active() || achado->IsEmpty()) return;
  const int criterio = rgpPaciente->ItemIndex();
  const int paciente = achado->FieldByName("CODIGO")->AsInteger();
  AtualizarPacientes(paciente, criterio == cPrimeiroNome ? CbFind->Text() : std::string(Todos));
  if (criterio >= cCodigoExame) {
    const std::string t = edtFind->Text();
    const char* const condicoes[] = {"CAST(Exames.Codigo AS VARCHAR(12)) LIKE :t", "Upper(Exames.Diag) like :t",
                                     "Upper(Exames.Observacao) like :t"};
    TIBQuery& exame = Reabrir(DMPrincipal->IBOperation,
                              std::string("SELECT * FROM Exames WHERE Exames.CodPaciente =:CodigoPaciente and ") +
                                  condicoes[criterio - cCodigoExame]);
    exame.ParamByName("CodigoPaciente").SetAsInteger(paciente);
    exame.ParamByName("t").SetAsString(criterio == cCodigoExame ? t : "%" + MaiusculasAcentuadas(t) + "%");
    exame.Open();
    const std::string legenda = exame.IsEmpty() ? std::string() : Legenda(exame);
    exame.Close();
    if (!legenda.empty()) SelecionarItemLista(legenda, criterio == cObservacao ? 1 : 0);
  }
  FecharBusca();
}

void TfrmExames::SelecionarItemLista(const std::string& Caption, int Pagina) {
  for (int i = 0; i < lswPrincipal->Count(); ++i) {
    TListItem* item = lswPrincipal->Items(i);
    if (item->Caption().compare(0, Caption.size(), Caption) != 0) continue;
    item->SetSelected(true);
    if (lswPrincipal->CanFocus()) lswPrincipal->SetFocus();
    MostrarInfoExame(Pagina);
    return;
  }
}

void TfrmExames::Teclado(TObject* Sender, WORD& Key, TShiftState Shift, bool Soltura) {
  TIBQuery* pacientes = DMPrincipal->IBQueryPacientes;
  if (Soltura) {
    // The quick search follows the edit's text once the key has changed it.
    if (Sender == edtFindGrid && edtFindGrid->Visible() && !edtFindGrid->Text().empty() && pacientes->Active())
      pacientes->Locate("NOME", edtFindGrid->Text(), loPartialKey);
    return;
  }
  const bool ctrl = (Shift & ssCtrl) != 0;
  if (ctrl && Key == 'F') {
    if (!edtFindGrid->Visible()) {
      edtFindGrid->SetVisible(true);
      bbtnBuscaAv->SetVisible(true);
      if (edtFindGrid->CanFocus()) edtFindGrid->SetFocus();
    }
  } else if (Key == VK_ESCAPE || Key == VK_RETURN) {
    if (edtFindGrid->Visible()) {
      edtFindGrid->Clear();
      edtFindGrid->SetVisible(false);
      bbtnBuscaAv->SetVisible(false);
      if (DBGridPacientes->CanFocus()) DBGridPacientes->SetFocus();
    } else if (pnlFindPac->Visible() && Key == VK_ESCAPE) {
      FecharBusca();
      if (DBGridPacientes->CanFocus()) DBGridPacientes->SetFocus();
    } else if (pnlFindPac->Visible()) {
      if (edtFind->CanFocus()) edtFind->SetFocus();
    }
  } else if (Key == VK_DELETE) {
    if (ModoExemplo) return;
    if (Sender == lswPrincipal)
      tbtExcluirExameClick(Sender);
    else if (Sender == DBGridPacientes && pacientes->Active() && !pacientes->IsEmpty())
      tbtExcluirPacienteClick(Sender);
  } else if (ctrl && Key == 'N') {
    if (tbtCadPaciente->Enabled()) tbtCadPacienteClick(Sender);
  } else if (ctrl && Key == 'E') {
    if (tbNovoExame1->Enabled()) NovoExame(false);
  } else if (ctrl && Key == 'L') {
    if (tbLocPacExam->Enabled()) bbtnBuscaAvClick(Sender);
    edtFindGrid->Clear();
    edtFindGrid->SetVisible(false);
    bbtnBuscaAv->SetVisible(false);
  } else if (!ctrl && !pnlFindPac->Visible() && !edtFindGrid->Visible() && pacientes->Active()) {
    char letra = 0;
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
      letra = char(Key);
    else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9)
      letra = char('0' + (Key - VK_NUMPAD0));
    else if (Key == 186)
      letra = '\xC7';  // the key of "ç"
    if (letra) pacientes->Locate("NOME", std::string(1, letra), loPartialKey);
  }
}
