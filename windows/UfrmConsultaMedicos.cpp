#include "windows/UfrmConsultaMedicos.h"

#include "core/UBArquivosExame.h"
#include "core/UfrmDataModule.h"
#include "windows/UBCamposCadastro.h"

TfrmConsultaMedicos* frmConsultaMedicos = nullptr;

TfrmConsultaMedicos::TfrmConsultaMedicos(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmConsultaMedicos");
    SetBorderStyle(bsSizeToolWin);
    SetPosition(poScreenCenter);
    SetCaption("Assistente de Consulta");
    Constraints()->SetMinWidth(415);
    Constraints()->SetMaxWidth(430);
    SetWidth(420);
    SetClientHeight(360);
    lswResultado = new TListView(this);
    lswResultado->SetName("lswResultado");
    lswResultado->SetParent(this);
    lswResultado->SetBounds(4, 4, 404, 200);
    lswResultado->SetViewStyle(vsReport);
    lswResultado->SetRowSelect(true);
    lswResultado->SetReadOnly(true);
    lswResultado->SetHideSelection(false);
    for (auto [titulo, largura] : {std::pair{"Código", 75}, std::pair{"Nome", 322}}) {
      TListColumn* c = lswResultado->AddColumn();
      c->SetCaption(titulo);
      c->SetWidth(largura);
    }
    rgrMedicos = new TRadioGroup(this);
    rgrMedicos->SetName("rgrMedicos");
    rgrMedicos->SetParent(this);
    rgrMedicos->SetBounds(4, 210, 404, 60);
    rgrMedicos->SetCaption("Consultar por:");
    for (const char* i : {"Nome", "RG", "CPF", "CRM"}) rgrMedicos->Items()->Add(i);
    rgrMedicos->SetColumns(2);
    rgrMedicos->SetItemIndex(0);
    rgrMedicos->SetHint("Escolha o tipo de pesquisa");
    rgrMedicos->SetShowHint(true);
    CriarRotulo(this, "Pesquisa:", 4, 280);
    edtPesquisa = new TEdit(this);
    edtPesquisa->SetName("edtPesquisa");
    edtPesquisa->SetParent(this);
    edtPesquisa->SetBounds(4, 296, 404, 21);
    edtPesquisa->SetHint("Digite o que deseja pesquisar");
    edtPesquisa->SetShowHint(true);
    btnLOC = CriarBotao(this, "btnLOC", "Localizar", 14, "Localizar cadastro", 180, 322, 110, 34);
    btnLOC->SetEnabled(false);
    btnFEC = CriarBotao(this, "btnFEC", "Fechar", 13, "Fechar tela de pesquisa", 298, 322, 110, 34);
    FConsulta = std::make_unique<TIBQuery>(nullptr);
    FConsulta->SetDatabase(DMPrincipal->IBDatabase);

    edtPesquisa->OnChange = [this](TObject*) { btnLOC->SetEnabled(!edtPesquisa->Text().empty()); };
    rgrMedicos->OnClick = [this](TObject*) {
      if (Showing()) edtPesquisa->SetFocus();
    };
    btnLOC->OnClick = [this](TObject*) { Consultar(); };
    btnFEC->OnClick = [this](TObject*) { Close(); };
    lswResultado->OnDblClick = [this](TObject* Sender) { lswResultadoDblClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmConsultaMedicos::~TfrmConsultaMedicos() {
  if (frmConsultaMedicos == this) frmConsultaMedicos = nullptr;
}

void TfrmConsultaMedicos::FormShow(TObject*) { edtPesquisa->SetFocus(); }

void TfrmConsultaMedicos::Consultar() {
  static const char* const colunas[] = {"nome", "rg", "cpf", "crm"};
  lswResultado->Clear();
  const int escolha = rgrMedicos->ItemIndex();
  if (escolha < 0 || escolha > 3) return;
  // The typed text is a value of the statement, never part of it: a quote is an ordinary letter.
  FConsulta->Close();
  FConsulta->SQL().Clear();
  FConsulta->SQL().Add("SELECT Codigo,Nome FROM Medicos WHERE Upper(" + std::string(colunas[escolha]) +
                       ") like :t ORDER BY Nome ASC");
  FConsulta->ParamByName("t").SetAsString("%" + MaiusculasAcentuadas(edtPesquisa->Text()) + "%");
  FConsulta->Open();
  lswResultado->BeginUpdate();
  for (; !FConsulta->Eof(); FConsulta->Next()) {
    TListItem* item = lswResultado->AddItem();
    item->SetCaption(std::to_string(FConsulta->FieldByName("Codigo")->AsInteger()));
    item->SubItems()->Add(FConsulta->FieldByName("Nome")->AsString());
  }
  lswResultado->EndUpdate();
  FConsulta->Close();
}

void TfrmConsultaMedicos::lswResultadoDblClick(TObject*) {
  TListItem* item = lswResultado->Selected();
  if (!item) return;
  DMPrincipal->IBMedicos->Locate("CODIGO", item->Caption(), 0);
  SetModalResult(mrOk);
}

void TfrmConsultaMedicos::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
