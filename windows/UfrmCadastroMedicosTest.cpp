// The doctor register and the doctor search on a test database, driven by clicks and typed keys, their messages
// answered and logged.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/UDExames.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/RegistrosTestSupport.h"
#include "windows/UfrmCadastroMedicos.h"
#include "windows/UfrmConsultaMedicos.h"
#include "windows/UfrmPrincipal.h"

namespace {

using windowstest::Clicar;
using windowstest::Digitar;
using windowstest::EsperarAte;
using windowstest::TPassoModal;

class CadastroMedicos : public windowstest::TesteCadastro {
 protected:
  TfrmCadastroMedicos* Abrir() {
    frmCadastroMedicos = new TfrmCadastroMedicos(Application);
    frmCadastroMedicos->Show();
    Application->ProcessMessages();
    return frmCadastroMedicos;
  }
  static int Medico(const std::string& Nome, const std::string& Rg = "", const std::string& Cpf = "",
                    const std::string& Crm = "") {
    TDadosMedico d;
    d.Nome = Nome;
    d.Rg = Rg;
    d.Cpf = Cpf;
    d.Crm = Crm;
    return TDMedicos::InsertMedicos(d);
  }
  std::string Atual(const char* Campo) const { return DMPrincipal->IBMedicos->FieldByName(Campo)->AsString(); }
};

// What the buttons and the code label show.
struct TBotoes {
  bool Navegacao, Adicionar, Alterar, Excluir, Atualizar, Localizar;
  std::string Legenda, Dica, Codigo;
  bool CodigoVisivel;
  bool operator==(const TBotoes&) const = default;
};

void PrintTo(const TBotoes& b, std::ostream* os) {
  *os << b.Navegacao << b.Adicionar << b.Alterar << b.Excluir << b.Atualizar << b.Localizar << " " << b.Legenda << " / "
      << b.Dica << " / " << b.Codigo << " " << b.CodigoVisivel;
}

TBotoes Botoes(TfrmCadastroMedicos* f) {
  const bool nav = f->btnPRI->Enabled() && f->btnANT->Enabled() && f->btnPRO->Enabled() && f->btnULT->Enabled();
  EXPECT_EQ(nav, f->btnPRI->Enabled() || f->btnANT->Enabled() || f->btnPRO->Enabled() || f->btnULT->Enabled());
  return {nav,
          f->btnAdd->Enabled(),
          f->btnAlt->Enabled(),
          f->btnDel->Enabled(),
          f->btnAtu->Enabled(),
          f->btnPes->Enabled(),
          f->btnDel->Caption(),
          f->btnDel->Hint(),
          f->lblCodigo->Caption(),
          f->dbtCodigo->Visible()};
}

const TBotoes kVazia{
    true, true, false, false, false, false, "Excluir", "Excluir o registro atual", "Nenhum médico cadastrado!!!",
    false};
const TBotoes kNavegando{true, true, true, true, false, true, "Excluir", "Excluir o registro atual", "Código:", true};
const TBotoes kAdicionando{false,
                           false,
                           false,
                           true,
                           true,
                           false,
                           "Cancelar",
                           "Cancelar inclusão ou alteração do registro",
                           "Adcionando um novo médico",
                           false};
const TBotoes kAlterando{
    false, false, false, true, true, false, "Cancelar", "Cancelar inclusão ou alteração do registro", "Código:", true};

TEST_F(CadastroMedicos, ButtonStatesFollowEverySituation) {
  TfrmCadastroMedicos* f = Abrir();
  EXPECT_EQ(f->Caption(), "Cadastro de Médicos");
  EXPECT_EQ(f->HelpContext(), 4);
  EXPECT_EQ(Botoes(f), kVazia);
  Clicar(f->btnAdd);
  EXPECT_EQ(Botoes(f), kAdicionando);
  EXPECT_EQ(f->btnDel->ImageIndex(), 7);
  Clicar(f->btnDel);
  EXPECT_EQ(Botoes(f), kVazia);
  EXPECT_EQ(DMPrincipal->IBMedicos->State(), dsBrowse);

  Clicar(f->btnAdd);
  Digitar(f->dbeNome, "José");
  Digitar(f->dbeCRM, "1234");
  Clicar(f->btnAtu);
  EXPECT_EQ(Botoes(f), kNavegando);
  EXPECT_EQ(f->btnDel->ImageIndex(), 2);
  EXPECT_EQ(f->dbtCodigo->Caption(), "1");
  // The stored letters of the defaults the new row got.
  EXPECT_EQ(Atual("NOME"), "José");
  EXPECT_EQ(Atual("CRM"), "1234");
  EXPECT_EQ(Atual("SEXO"), "M");
  EXPECT_EQ(Atual("ESTADOCIVIL"), "S");

  Clicar(f->btnAlt);
  EXPECT_EQ(Botoes(f), kAlterando);
  EXPECT_EQ(DMPrincipal->IBMedicos->State(), dsEdit);
  Clicar(f->drgSexo->Buttons(1));
  Clicar(f->drgEstadoCivil->Buttons(2));
  Digitar(f->dbeCidade, "Recife");
  Clicar(f->btnAtu);
  EXPECT_EQ(Botoes(f), kNavegando);
  EXPECT_EQ(TDMedicos::CountMedicos(), 1);
  EXPECT_EQ(Atual("SEXO"), "F");
  EXPECT_EQ(Atual("ESTADOCIVIL"), "D");
  EXPECT_EQ(Atual("CIDADE"), "Recife");

  // Deleting the only doctor leaves the empty table's states.
  dialogs.Answer(IDYES);
  Clicar(f->btnDel);
  EXPECT_EQ(TDMedicos::CountMedicos(), 0);
  EXPECT_EQ(Botoes(f), kVazia);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Deseja excluir o médico José ?");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_EQ(dialogs.Log()[0].Buttons, static_cast<UINT>(MB_YESNO));
}

TEST_F(CadastroMedicos, EmptyNameIsRefusedAndAHomonymShowsItsOwnCode) {
  const int ana = Medico("ANA");
  TfrmCadastroMedicos* f = Abrir();
  Clicar(f->btnAdd);
  Clicar(f->btnAtu);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Campo NOME é obrigatório!!!");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(TDMedicos::CountMedicos(), 1);
  EXPECT_EQ(Botoes(f), kAdicionando);
  // A name of blanks only is a name.
  Digitar(f->dbeNome, "ANA");
  Clicar(f->btnAtu);
  EXPECT_EQ(TDMedicos::CountMedicos(), 2);
  EXPECT_EQ(f->dbtCodigo->Caption(), std::to_string(ana + 1));
  EXPECT_EQ(DMPrincipal->IBMedicos->FieldByName("CODIGO")->AsInteger(), ana + 1);
}

TEST_F(CadastroMedicos, ADoctorWithExamsIsNeverDeleted) {
  const int comExames = Medico("Dra. Clara");
  const int semExames = Medico("Dr. Bento");
  const int paciente = TDPacientes::InsertPacientes(TDadosPaciente{"Paulo"}, EncodeDate(2026, 12, 10), 0);
  TDExames::InsertExames(paciente, comExames, EncodeDate(2026, 12, 10), EncodeTime(9, 30, 15, 0), "OD", 0.93, "T", "",
                         "", "", 24, "4");
  TfrmCadastroMedicos* f = Abrir();
  ASSERT_TRUE(DMPrincipal->IBMedicos->Locate("CODIGO", std::to_string(comExames), 0));
  Clicar(f->btnDel);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text,
            "Não é possivel excluir o Dr(a) Dra. Clara.\nPara excluir é preciso "
            "excluir todos os pacientes vinculados.");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(TDMedicos::CountMedicos(), 2);

  ASSERT_TRUE(DMPrincipal->IBMedicos->Locate("CODIGO", std::to_string(semExames), 0));
  dialogs.Answer(IDNO);
  Clicar(f->btnDel);
  EXPECT_EQ(TDMedicos::CountMedicos(), 2);
  ASSERT_TRUE(DMPrincipal->IBMedicos->Locate("CODIGO", std::to_string(semExames), 0));
  dialogs.Answer(IDYES);
  Clicar(f->btnDel);
  EXPECT_EQ(TDMedicos::CountMedicos(), 1);
  EXPECT_EQ(TDMedicos::GetNomeByCodigo(comExames), "Dra. Clara");
  EXPECT_EQ(Botoes(f), kNavegando);
}

TEST_F(CadastroMedicos, SearchFindsByPartOfAColumnAndPositionsTheRegister) {
  Medico("JOSÉ DA SILVA", "11223344", "12345678901", "CRM-555");
  Medico("ÁLVARO NUNES", "99887766", "98765432100", "CRM-777");
  Medico("Maria d'Ávila", "55443322", "11122233344", "CRM-999");
  TfrmCadastroMedicos* f = Abrir();
  struct TCaso {
    int Coluna;
    const char* Texto;
    std::vector<std::string> Nomes;
  };
  const TCaso casos[] = {
      {0, "jos", {"JOSÉ DA SILVA"}},
      // In the server's order of the names' bytes.
      {0, "á", {"Maria d'Ávila", "ÁLVARO NUNES"}},
      {0, "d'á", {"Maria d'Ávila"}},
      {0, "nune", {"ÁLVARO NUNES"}},
      {1, "9887", {"ÁLVARO NUNES"}},
      {2, "2223", {"Maria d'Ávila"}},
      {3, "crm-", {"JOSÉ DA SILVA", "Maria d'Ávila", "ÁLVARO NUNES"}},
      {3, "zz", {}},
  };
  std::vector<std::vector<std::string>> achados;
  bool localizarSemTexto = true;
  TModalResult resultado = mrNone;
  TPassoModal passo([&] {
    TfrmConsultaMedicos* c = frmConsultaMedicos;
    localizarSemTexto = c->btnLOC->Enabled();
    for (const TCaso& caso : casos) {
      c->rgrMedicos->SetItemIndex(caso.Coluna);
      c->edtPesquisa->SetText("");
      Digitar(c->edtPesquisa, caso.Texto);
      Clicar(c->btnLOC);
      std::vector<std::string> nomes;
      for (int i = 0; i < c->lswResultado->Count(); ++i)
        nomes.push_back(c->lswResultado->Items(i)->SubItems()->Strings(0));
      achados.push_back(nomes);
    }
    // Double click on Maria's line, the second of all three.
    c->rgrMedicos->SetItemIndex(3);
    c->edtPesquisa->SetText("crm");
    Clicar(c->btnLOC);
    RECT r{};
    r.left = LVIR_BOUNDS;
    const HWND w = c->lswResultado->Handle();
    SendMessageA(w, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    const LPARAM ponto = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, ponto);
    SendMessageA(w, WM_LBUTTONUP, 0, ponto);
    SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, ponto);
    SendMessageA(w, WM_LBUTTONUP, 0, ponto);
    resultado = c->ModalResult();
  });
  Clicar(f->btnPes);
  EXPECT_EQ(frmConsultaMedicos, nullptr);
  EXPECT_FALSE(localizarSemTexto);
  ASSERT_EQ(achados.size(), std::size(casos));
  for (size_t i = 0; i < achados.size(); ++i) {
    std::vector<std::string> esperados;
    for (const std::string& n : casos[i].Nomes) esperados.push_back(n);
    EXPECT_EQ(achados[i], esperados) << casos[i].Texto;
  }
  EXPECT_EQ(resultado, mrOk);
  EXPECT_EQ(Atual("NOME"), "Maria d'Ávila");
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(CadastroMedicos, ClosingWhileAddingAsksToSave) {
  struct TCaso {
    int Resposta;
    const char* Nome;
    int Medicos;
    bool Aberto;
  };
  for (const TCaso& caso :
       {TCaso{IDYES, "Dr. Novo", 1, false}, TCaso{IDNO, "Dr. Outro", 1, false}, TCaso{IDYES, "", 1, true}}) {
    SCOPED_TRACE(caso.Nome);
    dialogs.ClearLog();
    TfrmCadastroMedicos* f = frmCadastroMedicos ? frmCadastroMedicos : Abrir();
    if (!caso.Aberto) {
      Clicar(f->btnAdd);
      Digitar(f->dbeNome, caso.Nome);
    } else {
      Clicar(f->btnAdd);
    }
    dialogs.Answer(caso.Resposta);
    Clicar(f->sButton7);
    EsperarAte([] { return frmCadastroMedicos == nullptr; }, caso.Aberto ? 200 : 30000);
    EXPECT_EQ(frmCadastroMedicos != nullptr, caso.Aberto);
    EXPECT_EQ(TDMedicos::CountMedicos(), caso.Medicos);
    ASSERT_GE(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "Deseja salvar as alterações?");
    EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONQUESTION));
  }
  EXPECT_EQ(TDMedicos::GetCodigoByNome("Dr. Novo"), 1);
  EXPECT_EQ(TDMedicos::GetCodigoByNome("Dr. Outro"), 0);
  EXPECT_EQ(dialogs.Log().back().Text, "Campo NOME é obrigatório!!!");
  EXPECT_EQ(DMPrincipal->IBMedicos->State(), dsInsert);
}

TEST_F(CadastroMedicos, TheMainWindowOpensTheRegister) {
  frmPrincipal = new TfrmPrincipal(Application);
  std::string titulo;
  int imagens = 0;
  // A button without a caption draws its picture of the main window's list itself, inside its face.
  const auto comFigura = [](TsButton* b) {
    const TsButtonRects r = b->Rects();
    return b->Caption().empty() && (GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW &&
           b->CurrentGlyphIndex() == b->ImageIndex() && r.Glyph.Left >= 0 && r.Glyph.Right <= b->Width() &&
           b->Images() == frmPrincipal->img32;
  };
  std::vector<int> indices;
  TPassoModal passo([&] {
    titulo = frmCadastroMedicos->Caption();
    imagens = frmCadastroMedicos->btnAdd->Images() == frmPrincipal->img32;
    TfrmCadastroMedicos& f = *frmCadastroMedicos;
    for (TsButton* b : {f.btnPRI, f.btnANT, f.btnPRO, f.btnULT})
      if (comFigura(b)) indices.push_back(b->ImageIndex());
    Clicar(frmCadastroMedicos->sButton7);
  });
  Clicar(frmPrincipal->btnDoctor);
  EXPECT_EQ(titulo, "Cadastro de Médicos");
  EXPECT_EQ(imagens, 1);
  EXPECT_EQ(indices, (std::vector<int>{9, 10, 11, 12}));
  DMPrincipal->IBPacientes->Open();
  frmCadastroPacientes = new TfrmCadastroPacientes(Application);
  frmCadastroPacientes->Show();
  Application->ProcessMessages();
  EXPECT_TRUE(comFigura(frmCadastroPacientes->btnAJU));
  EXPECT_EQ(frmCadastroPacientes->btnAJU->ImageIndex(), 5);
  frmCadastroPacientes->Close();
  EXPECT_TRUE(EsperarAte([] { return frmCadastroPacientes == nullptr; }));
  EXPECT_EQ(frmCadastroMedicos, nullptr);
  EXPECT_FALSE(DMPrincipal->IBMedicos->Active());
  // Closing gives the user's regional values back to the prefix that later tests read.
  frmPrincipal->Close();
  EXPECT_TRUE(EsperarAte([] { return frmPrincipal == nullptr; }));
}

TEST_F(CadastroMedicos, ABirthDateThatIsNoCalendarDayIsRefused) {
  TfrmCadastroMedicos* f = Abrir();
  Clicar(f->btnAdd);
  Digitar(f->dbeNome, "Dra. Clara");
  f->dbeDataNascimento->SetText("31/02/2020");
  Clicar(f->btnAtu);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Data de nascimento inválida. Informe uma data existente no formato dd/mm/aaaa.");
  EXPECT_EQ(TDMedicos::CountMedicos(), 0);
  EXPECT_EQ(Botoes(f), kAdicionando);
  f->dbeDataNascimento->SetText("28/02/2020");
  Clicar(f->btnAtu);
  EXPECT_EQ(TDMedicos::CountMedicos(), 1);
  EXPECT_EQ(Atual("DATANASCIMENTO"), "28/02/2020");
}

}  // namespace
