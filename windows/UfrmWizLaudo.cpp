#include "windows/UfrmWizLaudo.h"

#include <cstdlib>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDMedicos.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/FileUtils.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmLaudo.h"

TfrmWizLaudo* frmWizLaudo = nullptr;
std::string ExameOD, ExameOS;
int MedidaOD = -1, MedidaOS = -1;
bool ExamesPresentes = true;

namespace {
const char kNenhum[] = "Nenhum";
}  // namespace

std::string EntradaLaudo(int Codigo, TDateTime Data, TDateTime Hora) {
  return "Laudo " + std::to_string(Codigo) + " - " + FormatDateTime("dd/mm/yyyy", Data) + " " +
         FormatDateTime("hh:nn:ss", Hora);
}

int CodigoDaEntrada(const std::string& Entrada) {
  const size_t traco = Entrada.find('-');
  if (Entrada.size() < 7 || traco == std::string::npos || traco < 7) return 0;
  return std::atoi(Entrada.substr(6, traco - 7).c_str());
}

TfrmWizLaudo::TfrmWizLaudo(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmWizLaudo");
    SetCaption("Assistente de Laudo");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(420);
    SetClientHeight(380);
    pnlTitulo = new TPanel(this);
    pnlTitulo->SetParent(this);
    pnlTitulo->SetBounds(0, 0, 420, 44);
    lblTitulo = new TLabel(this);
    lblTitulo->SetParent(pnlTitulo);
    lblTitulo->SetBounds(12, 12, 380, 20);
    lblTitulo->SetCaption("Seleção de Exames e Laudos");
    lblTitulo->Font()->SetStyle({fsBold});
    lblTitulo->Font()->SetSize(11);
    auto radio = [this](const char* Nome, const std::string& Caption, int Top) {
      auto* r = new TRadioButton(this);
      r->SetName(Nome);
      r->SetParent(this);
      r->SetBounds(12, Top, 300, 18);
      r->SetCaption(Caption);
      return r;
    };
    auto combo = [this](const char* Nome, int Left, int Top, int Width) {
      auto* c = new TComboBox(this);
      c->SetName(Nome);
      c->SetParent(this);
      c->SetStyle(csDropDownList);
      c->SetBounds(Left, Top, Width, 21);
      return c;
    };
    auto rotulo = [this](const char* Nome, const std::string& Caption, int Left, int Top) {
      auto* l = new TLabel(this);
      l->SetName(Nome);
      l->SetParent(this);
      l->SetBounds(Left, Top, 180, 16);
      l->SetCaption(Caption);
      return l;
    };
    rgNovoLau = radio("rgNovoLau", "Gerar novo laudo", 56);
    Label2 = rotulo("Label2", "Olho Direito", 30, 80);
    cmbOD = combo("cmbOD", 30, 96, 180);
    Label1 = rotulo("Label1", "Olho Esquerdo", 220, 80);
    cmbOS = combo("cmbOS", 220, 96, 180);
    rgTipoMapa = new TRadioGroup(this);
    rgTipoMapa->SetName("rgTipoMapa");
    rgTipoMapa->SetParent(this);
    rgTipoMapa->SetBounds(30, 126, 370, 44);
    rgTipoMapa->SetCaption("Tipo Mapa");
    rgTipoMapa->SetColumns(2);
    rgTipoMapa->Items()->Add("Axial");
    rgTipoMapa->Items()->Add("Tangencial");
    rgTipoMapa->SetItemIndex(0);
    rbLauExist = radio("rbLauExist", "Abrir laudo existente", 184);
    cmbEscLaudo = combo("cmbEscLaudo", 30, 206, 370);
    rbExcLaudo = radio("rbExcLaudo", "Excluir laudo", 242);
    cmbExcLaudo = combo("cmbExcLaudo", 30, 264, 370);
    auto botao = [this](const char* Nome, const std::string& Caption, int Left) {
      auto* b = new TsButton(this);
      b->SetName(Nome);
      b->SetParent(this);
      b->SetBounds(Left, 320, 110, 34);
      b->SetCaption(Caption);
      return b;
    };
    btnOK = botao("btnOK", "&OK", 170);
    btnCancelar = botao("btnCancelar", "&Cancelar", 290);
    Escolher(rgNovoLau);
    rgNovoLau->OnClick = [this](TObject* Sender) { rgNovoLauClick(Sender); };
    rbLauExist->OnClick = [this](TObject* Sender) { rbLauExistClick(Sender); };
    rbExcLaudo->OnClick = [this](TObject* Sender) { rbExcLaudoClick(Sender); };
    btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
    btnCancelar->OnClick = [this](TObject* Sender) { btnCancelarClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmWizLaudo::~TfrmWizLaudo() {
  if (frmWizLaudo == this) frmWizLaudo = nullptr;
}

void TfrmWizLaudo::Escolher(TRadioButton* Botao) {
  for (TRadioButton* r : {rgNovoLau, rbLauExist, rbExcLaudo}) r->SetChecked(r == Botao);
  for (TControl* c : std::initializer_list<TControl*>{cmbOD, cmbOS, Label1, Label2}) c->SetEnabled(Botao == rgNovoLau);
  cmbEscLaudo->SetEnabled(Botao == rbLauExist);
  cmbExcLaudo->SetEnabled(Botao == rbExcLaudo);
}

void TfrmWizLaudo::rgNovoLauClick(TObject*) { Escolher(rgNovoLau); }
void TfrmWizLaudo::rbLauExistClick(TObject*) { Escolher(rbLauExist); }
void TfrmWizLaudo::rbExcLaudoClick(TObject*) { Escolher(rbExcLaudo); }

void TfrmWizLaudo::FormShow(TObject*) {
  DMPrincipal->IBLaudosTexto->Open();
  TIBTable* laudos = DMPrincipal->IBLaudos;
  laudos->Open();
  DMPrincipal->IBExames->Open();
  cmbOD->Items()->Clear();
  cmbOS->Items()->Clear();
  if (frmExames)
    for (int i = 0; i < frmExames->lswPrincipal->Count(); ++i) {
      const std::string legenda = frmExames->lswPrincipal->Items(i)->Caption();
      (legenda.compare(0, 2, "OD") == 0 ? cmbOD : cmbOS)->Items()->Add(legenda);
    }
  cmbOD->Items()->Add(kNenhum);
  cmbOS->Items()->Add(kNenhum);
  ExamesPresentes = true;
  laudos->SetFiltered(false);
  laudos->SetFilter("CodPaciente=" + DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsString());
  laudos->SetFiltered(true);
  const int medico = frmExames ? TDMedicos::GetCodigoByNome(frmExames->CBMedicos->Text()) : 0;
  cmbEscLaudo->Items()->Clear();
  cmbExcLaudo->Items()->Clear();
  for (laudos->First(); !laudos->Eof(); laudos->Next()) {
    const int od = laudos->FieldByName("MEDIDAOD")->AsInteger();
    const int os = laudos->FieldByName("MEDIDAOS")->AsInteger();
    if ((od != -1 && TDExames::GetCodRespByCodigo(od) == medico) ||
        (os != -1 && TDExames::GetCodRespByCodigo(os) == medico)) {
      const std::string entrada = EntradaLaudo(laudos->FieldByName("CODIGO")->AsInteger(),
                                               laudos->FieldByName("DATA")->AsDateTime(),
                                               laudos->FieldByName("HORA")->AsDateTime());
      cmbEscLaudo->Items()->Add(entrada);
      cmbExcLaudo->Items()->Add(entrada);
    }
  }
  if (cmbEscLaudo->Items()->Count() == 0) {
    rbLauExist->SetEnabled(false);
    rbExcLaudo->SetEnabled(false);
    laudos->SetFiltered(false);
  }
}

void TfrmWizLaudo::PrepararEditor() {
  if (!frmLaudo) frmLaudo = new TfrmLaudo(Application);
  TIBQuery* pacientes = DMPrincipal->IBQueryPacientes;
  frmLaudo->CodPaciente = pacientes->FieldByName("CODIGO")->AsInteger();
  frmLaudo->lblNome->SetCaption(pacientes->FieldByName("NOME")->AsString());
  frmLaudo->TipoMapa = rgTipoMapa->ItemIndex() == 1 ? 1 : 0;
  frmLaudo->trwLaudo->Items()->Clear();
}

void TfrmWizLaudo::btnOKClick(TObject*) {
  MostrarEditor = true;
  {
    const TAguardeChamada aguarde(frmExames ? frmExames->TimerAguarde : nullptr);
    if (frmAguarde) frmAguarde->Repaint();
    if (rgNovoLau->Checked()) {
      PrepararEditor();
      frmLaudo->GerarLaudoAutomatico();
    } else if (rbLauExist->Checked()) {
      if (cmbEscLaudo->ItemIndex() < 0) {
        Application->MessageBox("Por favor, selecione um laudo para ser aberto.", "Informação", MB_ICONINFORMATION);
        MostrarEditor = false;
      } else {
        PrepararEditor();
        frmLaudo->Bloquear();
        frmLaudo->AbrirLaudo();
      }
    } else if (rbExcLaudo->Checked()) {
      ExcluirLaudo();
    }
  }
  if (MostrarEditor) {
    frmLaudo->ShowModal();
  } else if (frmLaudo) {
    // An editor that was not shown keeps nothing for the next choice.
    frmLaudo->Free();
  }
}

void TfrmWizLaudo::ExcluirLaudo() {
  const int indice = cmbExcLaudo->ItemIndex();
  if (indice < 0) {
    Application->MessageBox("Por favor, selecione um laudo para ser excluído.", "Informação", MB_ICONINFORMATION);
    MostrarEditor = false;
    return;
  }
  const std::string entrada = cmbExcLaudo->Items()->Strings(indice);
  if (Application->MessageBox("Confirma exclusão do " + entrada + "?", "Informação", MB_YESNO | MB_ICONQUESTION) ==
      IDYES) {
    const int codigo = CodigoDaEntrada(entrada);
    const std::string arquivo = ArquivoLaudo(PathsMZ.Laudos ? PathsMZ.Laudos : "",
                                             DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(), codigo);
    TDLaudos::DeleteLaudosByCodigo(codigo);
    if (FileExists(arquivo)) {
      DeleteFile(arquivo);
      cmbExcLaudo->Items()->Delete(indice);
      cmbEscLaudo->Items()->Delete(indice);
      Application->MessageBox(entrada + " excluído com sucesso.", "Informação", MB_ICONINFORMATION);
    } else {
      Application->MessageBox(entrada + " não encontrado.", "Informação", MB_ICONINFORMATION);
    }
  }
  MostrarEditor = false;
  Close();
}

void TfrmWizLaudo::btnCancelarClick(TObject*) {
  DMPrincipal->IBLaudos->Close();
  Close();
}

void TfrmWizLaudo::FormClose(TObject*, TCloseAction& Action) {
  DMPrincipal->IBLaudosTexto->Close();
  DMPrincipal->IBLaudos->Close();
  DMPrincipal->IBExames->Close();
  if (frmWizLaudo == this) frmWizLaudo = nullptr;
  Action = caFree;
}
