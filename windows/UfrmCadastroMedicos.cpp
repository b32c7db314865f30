#include "windows/UfrmCadastroMedicos.h"

#include <memory>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UfrmDataModule.h"
#include "windows/UBCamposCadastro.h"
#include "windows/UfrmConsultaMedicos.h"

TfrmCadastroMedicos* frmCadastroMedicos = nullptr;

namespace {

const char kNenhumMedico[] = "Nenhum médico cadastrado!!!";
const char kCodigo[] = "Código:";

}  // namespace

TfrmCadastroMedicos::TfrmCadastroMedicos(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmCadastroMedicos");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Cadastro de Médicos");
    SetHelpContext(4);
    SetClientWidth(620);
    SetClientHeight(400);
    TDataSource* ds = DMPrincipal->DSMedicos;
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetBounds(8, 8, 604, 300);
    tbsPessoais = new TTabSheet(this);
    tbsPessoais->SetName("tbsPessoais");
    tbsPessoais->SetPageControl(PageControl1);
    tbsPessoais->SetCaption("Informações Pessoais");
    tbsResidenciais = new TTabSheet(this);
    tbsResidenciais->SetName("tbsResidenciais");
    tbsResidenciais->SetPageControl(PageControl1);
    tbsResidenciais->SetCaption("Informações Residenciais");

    TWinControl* p = tbsPessoais;
    lblCodigo = CriarRotulo(p, kCodigo, 8, 10);
    lblCodigo->SetName("lblCodigo");
    dbtCodigo = new TDBText(this);
    dbtCodigo->SetName("dbtCodigo");
    dbtCodigo->SetParent(p);
    dbtCodigo->SetBounds(200, 10, 80, 16);
    dbtCodigo->SetDataSource(ds);
    dbtCodigo->SetDataField("CODIGO");
    CriarRotulo(p, "Nome:", 8, 38);
    dbeNome = CriarDBEdit(p, ds, "dbeNome", "NOME", 50, {110, 34, 470});
    CriarRotulo(p, "RG:", 8, 66);
    dbeRG = CriarDBEdit(p, ds, "dbeRG", "RG", 15, {110, 62, 120});
    CriarRotulo(p, "CPF:", 240, 66);
    dbeCPF = CriarDBEdit(p, ds, "dbeCPF", "CPF", 11, {280, 62, 110});
    CriarRotulo(p, "CRM:", 400, 66);
    dbeCRM = CriarDBEdit(p, ds, "dbeCRM", "CRM", 15, {440, 62, 140});
    drgSexo = CriarGrupoSexo(p, ds, "Sexo:", {8, 90, 220}, 44);
    drgEstadoCivil = CriarGrupoEstadoCivil(p, ds, "Est. Civil:", {240, 90, 150}, 80);
    CriarRotulo(p, "Data Nascimento:", 8, 146);
    dbeDataNascimento = CriarDBEdit(p, ds, "dbeDataNascimento", "DATANASCIMENTO", 10, {110, 142, 110});
    CriarRotulo(p, "Conjuge:", 400, 98);
    dbeConjuge = CriarDBEdit(p, ds, "dbeConjuge", "CONJUGE", 25, {400, 114, 180});
    CriarRotulo(p, "Naturalidade:", 8, 182);
    dbeNaturalidade = CriarDBEdit(p, ds, "dbeNaturalidade", "NATURALIDADE", 40, {110, 178, 300});
    CriarRotulo(p, "Estado:", 420, 182);
    dbcEstadoNaturalidade =
        CriarComboEstados(p, ds, "dbcEstadoNaturalidade", "NATURALIDADEESTADO", false, {470, 178, 60});
    CriarRotulo(p, "Pai:", 8, 214);
    dbePai = CriarDBEdit(p, ds, "dbePai", "PAI", 50, {110, 210, 470});
    CriarRotulo(p, "Mãe:", 8, 242);
    dbeMae = CriarDBEdit(p, ds, "dbeMae", "MAE", 50, {110, 238, 470});

    CriarPaginaEndereco(
        tbsResidenciais, ds,
        {{8, {110, 14, 400}}, {8, {110, 46, 250}}, {8, {110, 78, 300}}, {8, {110, 110, 300}}, {420, {470, 110, 60}},
         {8, {110, 142, 100}}, {8, {110, 174, 120}}, {240, {300, 174, 120}}},
        {&dbeRua, &dbeComplemento, &dbeBairro, &dbeCidade, &dbcEstado, &dbeCep, &dbeFone, &dbeCelular}, "dbeCep",
        true);

    FCampos = {{dbeNome, &TDadosMedico::Nome},
               {dbeRG, &TDadosMedico::Rg},
               {dbeCPF, &TDadosMedico::Cpf},
               {dbeCRM, &TDadosMedico::Crm},
               {drgSexo, &TDadosMedico::Sexo},
               {drgEstadoCivil, &TDadosMedico::EstadoCivil},
               {dbeConjuge, &TDadosMedico::Conjuge},
               {dbeDataNascimento, &TDadosMedico::DataNascimento},
               {dbeNaturalidade, &TDadosMedico::Naturalidade},
               {dbcEstadoNaturalidade, &TDadosMedico::NaturalidadeEstado},
               {dbePai, &TDadosMedico::Pai},
               {dbeMae, &TDadosMedico::Mae},
               {dbeRua, &TDadosMedico::Rua},
               {dbeComplemento, &TDadosMedico::Complemento},
               {dbeBairro, &TDadosMedico::Bairro},
               {dbeCidade, &TDadosMedico::Cidade},
               {dbcEstado, &TDadosMedico::Estado},
               {dbeCep, &TDadosMedico::Cep},
               {dbeFone, &TDadosMedico::Fone},
               {dbeCelular, &TDadosMedico::Celular}};

    btnAdd = CriarBotao(this, "btnAdd", "Adicionar", 0, "Novo registro", 8, 316, 116, 36);
    btnAlt = CriarBotao(this, "btnAlt", "Alterar", 1, "Alterar dados do registro atual", 128, 316, 116, 36);
    btnDel = CriarBotao(this, "btnDel", "Excluir", 2, "Excluir o registro atual", 248, 316, 116, 36);
    btnAtu = CriarBotao(this, "btnAtu", "Atuallizar", 3, "Gravar os dados informados", 368, 316, 116, 36);
    btnPes = CriarBotao(this, "btnPes", "Localizar", 4, "Pesquisar e localizar registro", 488, 316, 124, 36);
    btnPRI = CriarBotao(this, "btnPRI", "", 9, "Primeiro registro", 8, 358, 44, 36);
    btnANT = CriarBotao(this, "btnANT", "", 10, "Registro anterior", 56, 358, 44, 36);
    btnPRO = CriarBotao(this, "btnPRO", "", 11, "Próximo registro", 104, 358, 44, 36);
    btnULT = CriarBotao(this, "btnULT", "", 12, "Último registro", 152, 358, 44, 36);
    sButton7 = CriarBotao(this, "sButton7", "Fechar", 13, "Fechar o cadastro de médicos", 488, 358, 124, 36);
    // The buttons above move the table through it; it is never shown.
    DBNavigator1 = new TDBNavigator(this);
    DBNavigator1->SetName("DBNavigator1");
    DBNavigator1->SetParent(this);
    DBNavigator1->SetVisible(false);
    DBNavigator1->SetDataSource(ds);

    btnAdd->OnClick = [this](TObject* Sender) { sbtAddClick(Sender); };
    btnAlt->OnClick = [this](TObject* Sender) { sbtAlterarClick(Sender); };
    btnDel->OnClick = [this](TObject* Sender) { sbtDelClick(Sender); };
    btnAtu->OnClick = [this](TObject* Sender) { sbtAtualizarClick(Sender); };
    btnPes->OnClick = [this](TObject* Sender) { sbtFindClick(Sender); };
    btnPRI->OnClick = [this](TObject*) { DBNavigator1->BtnClick(nbFirst); };
    btnANT->OnClick = [this](TObject*) { DBNavigator1->BtnClick(nbPrior); };
    btnPRO->OnClick = [this](TObject*) { DBNavigator1->BtnClick(nbNext); };
    btnULT->OnClick = [this](TObject*) { DBNavigator1->BtnClick(nbLast); };
    sButton7->OnClick = [this](TObject*) { Close(); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmCadastroMedicos::~TfrmCadastroMedicos() {
  if (frmCadastroMedicos == this) frmCadastroMedicos = nullptr;
}

void TfrmCadastroMedicos::HabilitaEdicao() { SomenteLeitura(FCampos, false); }

void TfrmCadastroMedicos::DesabilitaEdicao() { SomenteLeitura(FCampos, true); }

void TfrmCadastroMedicos::Situacao(TSituacao Valor) {
  const bool navegando = Valor == sNavegando;
  const bool medicos = navegando && TDMedicos::CountMedicos() > 0;
  for (TsButton* b : {btnPRI, btnANT, btnPRO, btnULT, btnAdd}) b->SetEnabled(navegando);
  btnAlt->SetEnabled(medicos);
  btnPes->SetEnabled(medicos);
  btnDel->SetEnabled(medicos || !navegando);
  btnAtu->SetEnabled(!navegando);
  if (navegando) {
    btnDel->SetCaption("Excluir");
    btnDel->SetImageIndex(2);
    btnDel->SetHint("Excluir o registro atual");
    lblCodigo->SetCaption(medicos ? kCodigo : kNenhumMedico);
    dbtCodigo->SetVisible(medicos);
  } else {
    btnDel->SetCaption("Cancelar");
    btnDel->SetImageIndex(7);
    btnDel->SetHint("Cancelar inclusão ou alteração do registro");
  }
}

void TfrmCadastroMedicos::FormShow(TObject*) {
  TDMedicos::SetActive(true);
  Situacao(sNavegando);
  const std::string ativo = InfosMZ.MedicoAtivo ? InfosMZ.MedicoAtivo : "";
  if (!ativo.empty()) DMPrincipal->IBMedicos->Locate("NOME", ativo, loCaseInsensitive);
}

void TfrmCadastroMedicos::sbtAddClick(TObject*) {
  Modo = "Add";
  Situacao(sAlterando);
  dbtCodigo->SetVisible(false);
  lblCodigo->SetCaption("Adcionando um novo médico");
  HabilitaEdicao();
  LimparCampos();
}

void TfrmCadastroMedicos::LimparCampos() {
  DMPrincipal->IBMedicos->Append();
  drgSexo->SetValue("M");
  drgEstadoCivil->SetValue("S");
  PageControl1->SetActivePage(tbsPessoais);
  if (Showing()) dbeNome->SetFocus();
}

void TfrmCadastroMedicos::sbtAlterarClick(TObject*) {
  Modo = "Atualiza";
  Situacao(sAlterando);
  HabilitaEdicao();
  DMPrincipal->IBMedicos->Edit();
}

int TfrmCadastroMedicos::CodigoAtual() const { return DMPrincipal->IBMedicos->FieldByName("CODIGO")->AsInteger(); }

bool TfrmCadastroMedicos::Salvar() {
  const TDadosMedico dados = LerCampos(FCampos);
  if (dados.Nome.empty()) {
    Application->MessageBox("Campo NOME é obrigatório!!!", "Informação", MB_ICONINFORMATION);
    PageControl1->SetActivePage(tbsPessoais);
    if (Showing()) dbeNome->SetFocus();
    return false;
  }
  if (!ConferirDataNascimento(dbeDataNascimento, tbsPessoais)) return false;
  // The routines commit, which reopens the table: the edited row goes and the table is positioned by code, so a homonym
  // is never taken for the doctor just stored.
  int codigo;
  if (Modo == "Add") {
    codigo = TDMedicos::InsertMedicos(dados);
  } else {
    codigo = CodigoAtual();
    TDMedicos::UpdateMedicosByCodigo(codigo, dados);
  }
  DMPrincipal->IBMedicos->Locate("CODIGO", std::to_string(codigo), 0);
  PageControl1->SetActivePage(tbsPessoais);
  Situacao(sNavegando);
  DesabilitaEdicao();
  return true;
}

void TfrmCadastroMedicos::sbtAtualizarClick(TObject*) { Salvar(); }

void TfrmCadastroMedicos::sbtDelClick(TObject*) {
  TIBTable* tabela = DMPrincipal->IBMedicos;
  if (btnDel->Caption() == "Cancelar") {
    tabela->Cancel();
    tabela->CancelUpdates();
    Situacao(sNavegando);
    DesabilitaEdicao();
    return;
  }
  const int codigo = CodigoAtual();
  const std::string nome = dbeNome->Text();
  if (TDExames::CountExamesByCodResp(codigo) > 0) {
    Application->MessageBox("Não é possivel excluir o Dr(a) " + nome + "." + "\n" +
                                "Para excluir é preciso excluir todos os pacientes vinculados.",
                            "Informação", MB_ICONQUESTION);
    return;
  }
  if (Application->MessageBox("Deseja excluir o médico " + nome + " " + "?", "Informação", MB_YESNO | MB_ICONSTOP) ==
      IDYES)
    TDMedicos::DeleteMedicosByCodigo(codigo);
  DesabilitaEdicao();
  tabela->Close();
  tabela->Open();
  Situacao(sNavegando);
}

void TfrmCadastroMedicos::sbtFindClick(TObject*) {
  frmConsultaMedicos = new TfrmConsultaMedicos(this);
  frmConsultaMedicos->ShowModal();
}

void TfrmCadastroMedicos::FormClose(TObject*, TCloseAction& Action) {
  const TDataSetState estado = DMPrincipal->IBMedicos->State();
  if ((estado == dsEdit || estado == dsInsert) &&
      Application->MessageBox("Deseja salvar as alterações?", "Informação", MB_YESNO | MB_ICONQUESTION) == IDYES &&
      !Salvar()) {
    // A refused save keeps the typed doctor on screen.
    Action = caNone;
    return;
  }
  TDMedicos::SetActive(false);
  Action = caFree;
}
