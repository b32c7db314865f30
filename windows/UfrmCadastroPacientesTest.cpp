// The patient form on a test database, opened as the patient picker and the exam browser open it,
// driven by clicks and typed keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/UDPacientes.h"
#include "windows/RegistrosTestSupport.h"
#include "windows/UBCamposCadastro.h"
#include "windows/UBExportaComponentes.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/DBGrids.h"
#include "toolkit/ui/Timer.h"
#include "widgets/LabelX.h"

namespace {

using windowstest::Clicar;
using windowstest::Digitar;
using windowstest::EsperarAte;

class CadastroPacientes : public windowstest::TesteCadastro {
 protected:
  // As the picker opens it for a new name.
  TfrmCadastroPacientes* AbrirNovo(const std::string& Nome) {
    DMPrincipal->IBPacientes->Open();
    TfrmCadastroPacientes* f = frmCadastroPacientes = new TfrmCadastroPacientes(Application);
    f->Modo = "Add";
    f->HabilitaEdicao();
    f->lblCodigo->SetCaption("Adcionando um novo paciente");
    f->dbtCodigo->SetVisible(false);
    DMPrincipal->IBPacientes->Append();
    f->drgSexo->SetItemIndex(0);
    f->drgEstadoCivil->SetItemIndex(1);
    f->dbeNome->SetText(Nome);
    f->Show();
    Application->ProcessMessages();
    return f;
  }
  // As the browser opens it for the patient of code Codigo.
  TfrmCadastroPacientes* AbrirAlteracao(int Codigo) {
    TIBTable* tabela = DMPrincipal->IBPacientes;
    tabela->Open();
    tabela->SetFilter("CODIGO=" + std::to_string(Codigo));
    tabela->SetFiltered(true);
    tabela->Edit();
    TfrmCadastroPacientes* f = frmCadastroPacientes = new TfrmCadastroPacientes(Application);
    f->Modo = "Atualiza";
    f->HabilitaEdicao();
    f->Show();
    Application->ProcessMessages();
    return f;
  }
  static bool Fechado() {
    return EsperarAte([] { return frmCadastroPacientes == nullptr; });
  }
  static int Paciente(const std::string& Nome, const std::string& EstadoCivil = "S") {
    TDadosPaciente d;
    d.Nome = Nome;
    d.Sexo = "M";
    d.EstadoCivil = EstadoCivil;
    return TDPacientes::InsertPacientes(d, EncodeDate(2026, 12, 10), 0);
  }
  // A column of the patient Codigo as stored.
  std::string Coluna(int Codigo, const std::string& Nome) {
    TIBQuery q(nullptr);
    q.SetDatabase(DMPrincipal->IBDatabase);
    q.SQL().Add("SELECT " + Nome + " FROM PACIENTES WHERE CODIGO=:c");
    q.ParamByName("c").SetAsInteger(Codigo);
    q.Open();
    return q.Fields(0)->AsString();
  }
};

TEST_F(CadastroPacientes, ANameOfOneBlankIsRefusedAndTwoBlanksAreAccepted) {
  TfrmCadastroPacientes* f = AbrirNovo(" ");
  EXPECT_EQ(f->Caption(), "Cadastro de Pacientes");
  EXPECT_EQ(f->HelpContext(), 6);
  EXPECT_EQ(f->ClientWidth(), 463);
  EXPECT_EQ(f->ClientHeight(), 465);
  EXPECT_EQ(f->dbcEstado->Items()->Count(), 27);
  EXPECT_EQ(f->dbcEstado->Items()->Strings(18), "RD");
  EXPECT_EQ(f->dbcEstado->Items()->IndexOf("RR"), -1);
  Clicar(f->btnCON);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Digite o nome do paciente ...");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Atenção");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(TDPacientes::CountPacientes(), 0);
  ASSERT_EQ(frmCadastroPacientes, f);

  Digitar(f->dbeNome, " ");
  Clicar(f->drgSexo->Buttons(1));
  Clicar(f->drgEstadoCivil->Buttons(2));
  Digitar(f->dbeProfissao, "Professora");
  f->dbcTipoSang->SetItemIndex(4);
  Digitar(f->dbeCEP, "50000-000");
  Clicar(f->btnCON);
  EXPECT_TRUE(Fechado());
  ASSERT_EQ(TDPacientes::CountPacientes(), 1);
  const int codigo = TDPacientes::GetUltimoCodigo();
  EXPECT_EQ(UltimoPaciente.Codigo, codigo);
  EXPECT_EQ(UltimoPaciente.Nome, "  ");
  EXPECT_EQ(Coluna(codigo, "NOME"), "  ");
  EXPECT_EQ(Coluna(codigo, "SEXO"), "F");
  EXPECT_EQ(Coluna(codigo, "ESTADOCIVIL"), "D");
  EXPECT_EQ(Coluna(codigo, "PROFISSAO"), "Professora");
  EXPECT_EQ(Coluna(codigo, "TIPOSANG"), "AB-");
  EXPECT_EQ(Coluna(codigo, "CEP"), "50000-000");
  EXPECT_EQ(Coluna(codigo, "TOTALEXAMES"), "0");
  EXPECT_EQ(DMPrincipal->IBPacientes->State(), dsBrowse);
}

TEST_F(CadastroPacientes, CancelAddsNoRow) {
  TfrmCadastroPacientes* f = AbrirNovo("Paula");
  Clicar(f->btnCAN);
  EXPECT_TRUE(Fechado());
  EXPECT_EQ(TDPacientes::CountPacientes(), 0);
  EXPECT_EQ(DMPrincipal->IBPacientes->State(), dsBrowse);
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(CadastroPacientes, ChangingTouchesOnlyTheFilteredPatient) {
  Paciente("Ana");
  const int bia = Paciente("Bia");
  const int caio = Paciente("Caio");
  TfrmCadastroPacientes* f = AbrirAlteracao(bia);
  EXPECT_EQ(f->dbeNome->Text(), "Bia");
  SendMessageA(f->dbeNome->Handle(), EM_SETSEL, 3, 3);
  Digitar(f->dbeNome, " Souza");
  Digitar(f->dbeCidade, "Olinda");
  Clicar(f->btnCON);
  EXPECT_TRUE(Fechado());
  EXPECT_EQ(TDPacientes::CountPacientes(), 3);
  EXPECT_EQ(Coluna(bia, "NOME"), "Bia Souza");
  EXPECT_EQ(Coluna(bia, "CIDADE"), "Olinda");
  EXPECT_EQ(Coluna(bia - 1, "CIDADE"), "");
  EXPECT_EQ(Coluna(caio, "NOME"), "Caio");
  EXPECT_EQ(Coluna(caio, "CIDADE"), "");

  // A name of one blank keeps the stored name; Cancelar keeps everything.
  f = AbrirAlteracao(caio);
  f->dbeNome->SetText("");
  Digitar(f->dbeNome, " ");
  Digitar(f->dbeFone, "8133");
  Clicar(f->btnCON);
  EXPECT_TRUE(Fechado());
  EXPECT_EQ(Coluna(caio, "NOME"), "Caio");
  EXPECT_EQ(Coluna(caio, "FONE"), "8133");
  f = AbrirAlteracao(caio);
  Digitar(f->dbeFone, "99");
  Clicar(f->btnCAN);
  EXPECT_TRUE(Fechado());
  EXPECT_EQ(Coluna(caio, "FONE"), "8133");
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(CadastroPacientes, ARowWithoutCivilStateShowsMarried) {
  Paciente("Ana", "S");
  DMPrincipal->IBPacientes->Open();
  TfrmCadastroPacientes* f = frmCadastroPacientes = new TfrmCadastroPacientes(Application);
  f->Modo = "Add";
  f->HabilitaEdicao();
  f->Show();
  EXPECT_EQ(f->drgEstadoCivil->ItemIndex(), 1);
  DMPrincipal->IBPacientes->Append();
  EXPECT_EQ(f->drgEstadoCivil->ItemIndex(), 0);
  Digitar(f->dbeNome, "Davi");
  Clicar(f->btnCON);
  EXPECT_TRUE(Fechado());
  EXPECT_EQ(Coluna(UltimoPaciente.Codigo, "NOME"), "Davi");
  EXPECT_EQ(Coluna(UltimoPaciente.Codigo, "ESTADOCIVIL"), "C");
}

TEST_F(CadastroPacientes, ABirthDateThatIsNoCalendarDayIsRefusedBeforeTheRowIsWritten) {
  for (const char* d : {"", "29/02/2024", "31/12/1999", "01/01/1900"}) EXPECT_TRUE(DataCadastroValida(d)) << d;
  for (const char* d : {"31/02/2020", "99/99/9999", "29/02/2023", "00/01/2020", "1/2/2020", "2020-01-01", "ab/cd/efgh",
                        "31/04/2020", "01/13/2020"})
    EXPECT_FALSE(DataCadastroValida(d)) << d;

  TfrmCadastroPacientes* f = AbrirNovo("Paula");
  f->PageControl1->SetActivePage(f->tbsResidenciais);
  f->dbeDataNascimento->SetText("31/02/2020");
  Clicar(f->btnCON);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Data de nascimento inválida. Informe uma data existente no formato dd/mm/aaaa.");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Atenção");
  EXPECT_EQ(TDPacientes::CountPacientes(), 0);
  ASSERT_EQ(frmCadastroPacientes, f);
  EXPECT_EQ(f->PageControl1->ActivePage(), f->tbsPessoais);
  f->dbeDataNascimento->SetText("29/02/2024");
  Clicar(f->btnCON);
  EXPECT_TRUE(Fechado());
  ASSERT_EQ(TDPacientes::CountPacientes(), 1);
  const int codigo = TDPacientes::GetUltimoCodigo();
  EXPECT_EQ(Coluna(codigo, "DATANASCIMENTO"), "29/02/2024");

  // A change to an impossible date keeps the stored one; an empty date is allowed.
  f = AbrirAlteracao(codigo);
  f->dbeDataNascimento->SetText("99/99/9999");
  Clicar(f->btnCON);
  EXPECT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(Coluna(codigo, "DATANASCIMENTO"), "29/02/2024");
  f->dbeDataNascimento->SetText("");
  Clicar(f->btnCON);
  EXPECT_TRUE(Fechado());
  EXPECT_EQ(Coluna(codigo, "DATANASCIMENTO"), "");
}

// A small form of a few listed classes, one of them listed twice, and one that is not listed.
TEST(ListaComponentes, OneLinePerListedClassOfEachComponentInComponentOrder) {
  TForm form(nullptr);
  form.SetName("frmPequeno");
  const auto criar = [&](auto* c, const char* Nome) {
    c->SetName(Nome);
    c->SetParent(&form);
    return c;
  };
  criar(new TLabel(&form), "lblNome")->SetCaption("Nome:");
  criar(new TLabelX(&form), "lblPasso")->SetCaption("Gravar Exame");
  TListView* lista = criar(new TListView(&form), "lswSemColunas");
  lista->AddItem()->SetCaption("OD - 01");
  lista->AddItem()->SetCaption("OS - 02");
  TToolBar* barra = criar(new TToolBar(&form), "tlbComandos");
  TToolButton* botao = criar(new TToolButton(&form), "tbExame");
  botao->SetParent(barra);
  botao->SetCaption("Exame");
  botao->SetHint("Novo Exame");
  TDBGrid* grade = criar(new TDBGrid(&form), "DBGrid1");
  grade->Columns()->Add()->Title()->SetCaption("ID");
  grade->Columns()->Add()->Title()->SetCaption("NOME");
  criar(new TEdit(&form), "edtNome");
  (new TTimer(&form))->SetName("tmrNaoListado");
  const std::vector<std::string> esperadas = {
      "TLabel\tlblNome\t\tNome:",
      "TLabelX\tlblPasso\t\tGravar Exame",
      "TLabelX\tlblPasso\t\tGravar Exame",
      "TListView\tlswSemColunas\t\tOD - 01;OS - 02;",
      "TToolBar\ttlbComandos\t\tExame;",
      "TToolButton\ttbExame\t\tExameHint: Novo Exame",
      "TDBGrid\tDBGrid1\t\tID;NOME;",
      "TEdit\tedtNome",
  };
  EXPECT_EQ(LinhasComponentes(form), esperadas);
  // The lister leaves the form as it was.
  const int componentes = form.ComponentCount();
  ExportaComponentes(form);
  EXPECT_EQ(form.ComponentCount(), componentes);
  EXPECT_EQ(LinhasComponentes(form), esperadas);
}

}  // namespace
