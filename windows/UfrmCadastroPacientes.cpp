#include "windows/UfrmCadastroPacientes.h"

#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "windows/UBCamposCadastro.h"
#include "windows/UBExportaComponentes.h"
#include "windows/UBShell.h"

TfrmCadastroPacientes* frmCadastroPacientes = nullptr;
TUltimoPaciente UltimoPaciente;

TfrmCadastroPacientes::TfrmCadastroPacientes(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmCadastroPacientes");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    SetCaption("Cadastro de Pacientes");
    SetHelpContext(6);
    SetClientWidth(463);
    SetClientHeight(465);
    TDataSource* ds = DMPrincipal->DSPacientes;
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetBounds(4, 4, 455, 408);
    tbsPessoais = new TTabSheet(this);
    tbsPessoais->SetName("tbsPessoais");
    tbsPessoais->SetPageControl(PageControl1);
    tbsPessoais->SetCaption("Informações Pessoais");
    tbsResidenciais = new TTabSheet(this);
    tbsResidenciais->SetName("tbsResidenciais");
    tbsResidenciais->SetPageControl(PageControl1);
    tbsResidenciais->SetCaption("Informações Residenciais");

    TWinControl* p = tbsPessoais;
    lblCodigo = CriarRotulo(p, "Código:", 8, 10);
    lblCodigo->SetName("lblCodigo");
    dbtCodigo = new TDBText(this);
    dbtCodigo->SetName("dbtCodigo");
    dbtCodigo->SetParent(p);
    dbtCodigo->SetBounds(200, 10, 80, 16);
    dbtCodigo->SetDataSource(ds);
    dbtCodigo->SetDataField("CODIGO");
    CriarRotulo(p, "Nome:", 8, 36);
    dbeNome = CriarDBEdit(p, ds, "dbeNome", "NOME", 50, {100, 32, 336});
    CriarRotulo(p, "RG:", 8, 62);
    dbeRG = CriarDBEdit(p, ds, "dbeRG", "RG", 15, {100, 58, 120});
    CriarRotulo(p, "CPF:", 236, 62);
    dbeCPF = CriarDBEdit(p, ds, "dbeCPF", "CPF", 11, {276, 58, 160});
    CriarRotulo(p, "Sexo:", 8, 88);
    drgSexo = CriarGrupoSexo(p, ds, "", {100, 82, 200}, 30);
    CriarRotulo(p, "Est. Civil:", 8, 120);
    drgEstadoCivil = CriarGrupoEstadoCivil(p, ds, "", {100, 114, 130}, 70,
                                           [this](TObject* Sender) { drgEstadoCivilChange(Sender); });
    CriarRotulo(p, "Conjuge:", 240, 120);
    dbeConjuge = CriarDBEdit(p, ds, "dbeConjuge", "CONJUGE", 25, {240, 136, 196});
    CriarRotulo(p, "Data Nascto.:", 8, 194);
    dbeDataNascimento = CriarDBEdit(p, ds, "dbeDataNascimento", "DATANASCIMENTO", 10, {100, 190, 100});
    CriarRotulo(p, "Naturalidade:", 8, 220);
    dbeNaturalidade = CriarDBEdit(p, ds, "dbeNaturalidade", "NATURALIDADE", 40, {100, 216, 230});
    CriarRotulo(p, "Estado:", 340, 220);
    dbcEstadoNaturalidade =
        CriarComboEstados(p, ds, "dbcEstadoNaturalidade", "NATURALIDADEESTADO", false, {386, 216, 50});
    CriarRotulo(p, "Pai:", 8, 246);
    dbePai = CriarDBEdit(p, ds, "dbePai", "PAI", 50, {100, 242, 336});
    CriarRotulo(p, "Mãe:", 8, 272);
    dbeMae = CriarDBEdit(p, ds, "dbeMae", "MAE", 50, {100, 268, 336});
    CriarRotulo(p, "Profissão:", 8, 298);
    dbeProfissao = CriarDBEdit(p, ds, "dbeProfissao", "PROFISSAO", 40, {100, 294, 336});
    CriarRotulo(p, "Convênio:", 8, 324);
    dbeConvenio = CriarDBEdit(p, ds, "dbeConvenio", "CONVENIO", 50, {100, 320, 336});
    CriarRotulo(p, "Tipo Sanguineo:", 8, 350);
    dbcTipoSang = CriarDBCombo(p, ds, "dbcTipoSang", "TIPOSANG", {"AB+", "A+", "B+", "O+", "AB-", "A-", "B-", "O-"},
                               {100, 346, 60});

    CriarPaginaEndereco(
        tbsResidenciais, ds,
        {{8, {100, 14, 336}}, {8, {100, 42, 200}}, {8, {100, 70, 250}}, {8, {100, 98, 250}}, {360, {400, 98, 46}},
         {8, {100, 126, 90}}, {8, {100, 154, 110}}, {220, {270, 154, 110}}},
        {&dbeRua, &dbeComplemento, &dbeBairro, &dbeCidade, &dbcEstado, &dbeCEP, &dbeFone, &dbeCelular}, "dbeCEP",
        false);

    FCampos = {{dbeNome, &TDadosPaciente::Nome},
               {dbeRG, &TDadosPaciente::Rg},
               {dbeCPF, &TDadosPaciente::Cpf},
               {drgSexo, &TDadosPaciente::Sexo},
               {drgEstadoCivil, &TDadosPaciente::EstadoCivil},
               {dbeConjuge, &TDadosPaciente::Conjuge},
               {dbeDataNascimento, &TDadosPaciente::DataNascimento},
               {dbeNaturalidade, &TDadosPaciente::Naturalidade},
               {dbcEstadoNaturalidade, &TDadosPaciente::NaturalidadeEstado},
               {dbePai, &TDadosPaciente::Pai},
               {dbeMae, &TDadosPaciente::Mae},
               {dbeRua, &TDadosPaciente::Rua},
               {dbeComplemento, &TDadosPaciente::Complemento},
               {dbeBairro, &TDadosPaciente::Bairro},
               {dbeCidade, &TDadosPaciente::Cidade},
               {dbcEstado, &TDadosPaciente::Estado},
               {dbeCEP, &TDadosPaciente::Cep},
               {dbeFone, &TDadosPaciente::Fone},
               {dbeCelular, &TDadosPaciente::Celular},
               {dbeConvenio, &TDadosPaciente::Convenio},
               {dbeProfissao, &TDadosPaciente::Profissao},
               {dbcTipoSang, &TDadosPaciente::TipoSang}};

    btnCON = CriarBotao(this, "btnCON", "OK", 15, "Confirmar os dados informados", 4, 420, 150, 40);
    btnCAN = CriarBotao(this, "btnCAN", "Cancelar", 7, "Cancelar alteração do registro", 158, 420, 150, 40);
    btnAJU = CriarBotao(this, "btnAJU", "", 5, "Ajuda sobre o Cadastro de Pacientes", 411, 420, 48, 40);

    btnCON->OnClick = [this](TObject* Sender) { sbtOkClick(Sender); };
    btnCAN->OnClick = [this](TObject* Sender) { sbtCancelarClick(Sender); };
    btnAJU->OnClick = [](TObject*) { PressionarF1(); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    ExportaComponentes(*this);
  });
}

TfrmCadastroPacientes::~TfrmCadastroPacientes() {
  if (frmCadastroPacientes == this) frmCadastroPacientes = nullptr;
}

void TfrmCadastroPacientes::HabilitaEdicao() { SomenteLeitura(FCampos, false); }

void TfrmCadastroPacientes::DesabilitaEdicao() { SomenteLeitura(FCampos, true); }

void TfrmCadastroPacientes::FormShow(TObject*) {
  if (!dbeNome->Text().empty())
    dbeRG->SetFocus();
  else
    dbeNome->SetFocus();
}

void TfrmCadastroPacientes::sbtOkClick(TObject*) {
  const std::string nome = dbeNome->Text();
  const bool nomeValido = !nome.empty() && nome != " ";
  TDadosPaciente dados = LerCampos(FCampos);
  if (Modo == "Add" && !nomeValido) {
    Application->MessageBox("Digite o nome do paciente ...", "Atenção", MB_ICONINFORMATION);
    return;
  }
  if ((Modo == "Add" || Modo == "Atualiza") && !ConferirDataNascimento(dbeDataNascimento, tbsPessoais)) return;
  if (Modo == "Add") {
    UltimoPaciente.Nome = nome;
    UltimoPaciente.Codigo = TDPacientes::InsertPacientes(dados, Date(), 0);
    lblCodigo->SetCaption("Código:");
    dbtCodigo->SetVisible(true);
    DMPrincipal->IBQueryPacientes->Close();
    DMPrincipal->IBQueryPacientes->Open();
  } else if (Modo == "Atualiza") {
    TIBTable* tabela = DMPrincipal->IBPacientes;
    if (!nomeValido) dados.Nome = tabela->FieldByName("NOME")->AsString();
    TDPacientes::UpdatePacientesByCodigo(tabela->FieldByName("CODIGO")->AsInteger(), dados);
  }
  DMPrincipal->IBPacientes->Close();
  DMPrincipal->IBPacientes->Open();
  DesabilitaEdicao();
  Close();
}

void TfrmCadastroPacientes::sbtCancelarClick(TObject*) {
  TIBTable* tabela = DMPrincipal->IBPacientes;
  if (Modo == "Atualiza") tabela->CancelUpdates();
  tabela->Cancel();
  Close();
}

// Sender: the group is seen before its construction ends, when its first row shows.
void TfrmCadastroPacientes::drgEstadoCivilChange(TObject* Sender) {
  auto* grupo = static_cast<TDBRadioGroup*>(Sender);
  if (grupo->ItemIndex() < 0) grupo->SetItemIndex(0);
}

void TfrmCadastroPacientes::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
