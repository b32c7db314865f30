// The browser's search panel, its tip, its keys and its patient commands on a seeded database.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/UDLaudos.h"
#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sDefaultSkin.h"
#include "windows/UfrmNovoExame.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/BuscaTestSupport.h"

namespace {

using windowstest::Clicar;
using windowstest::Cp1252;
using windowstest::EsperarAte;
using windowstest::TPassoModal;

const std::string Todos = "*** Todos";
const std::string NaoEncontrado = "Paciente não encontrado! \n Deseja realizar outra busca?";

class Busca : public windowstest::TesteBusca {
 protected:
  void SetUp() override {
    TesteBusca::SetUp();
    Semear();
  }
  static void AbrirBusca(TfrmExames& F) {
    F.tbLocPacExam->SetDown(true);
    F.tbLocPacExam->OnClick(F.tbLocPacExam);
  }
  static void Procurar(TfrmExames& F, int Criterio, const std::string& Texto) {
    F.rgpPaciente->SetItemIndex(Criterio);
    F.edtFind->SetText(Texto);
    Clicar(F.btnLocPac);
  }
  static int Codigo(TListItem* Item) { return static_cast<int>(reinterpret_cast<intptr_t>(Item->Data())); }
};

TEST(NormalizarTexto, UpperCaseWithoutThePortugueseAccentsOfTheTable) {
  struct Caso {
    const char* Texto;
    const char* Normal;
  };
  for (const Caso& c : {Caso{"josé", "JOSE"}, Caso{"áàãâÁÀÃÂ", "AAAAAAAA"}, Caso{"éêÉÊ", "EEEE"},
                        Caso{"íÍóõÓÕúÚçÇ", "IIOOOOUUCC"}, Caso{"èôüÈÔÜ", "èôüÈÔÜ"}, Caso{"d'Ávila 12", "D'AVILA 12"},
                        Caso{"", ""}})
    EXPECT_EQ(TfrmExames::NormalizarTexto(c.Texto), c.Normal) << c.Texto;
}

TEST_F(Busca, EveryCriterionFindsItsPatientsWithTheTextBound) {
  TfrmExames& f = Abrir();
  AbrirBusca(f);
  EXPECT_TRUE(f.pnlFindPac->Visible());
  EXPECT_FALSE(f.tbtCadPaciente->Enabled());
  EXPECT_EQ(f.CbFind->Text(), Todos);
  struct Caso {
    int Criterio;
    std::string Texto;
    std::vector<std::string> Nomes;
  };
  const std::vector<Caso> casos = {
      {1, "d'á", {"d'Ávila"}},
      {1, "osé", {"JOSÉ CARLOS", "José"}},
      {2, std::to_string(jose), {"José"}},
      {3, "345", {"José"}},
      {4, std::to_string(s.Exames[9]), {"d'Ávila"}},
      {5, "IRREG", {"José"}},
      {5, "avanç", {"d'Ávila"}},
      {6, "MARÇO", {"Ana"}},
  };
  for (const Caso& c : casos) {
    Procurar(f, c.Criterio, c.Texto);
    EXPECT_EQ(Nomes(DMPrincipal->IBQueryBuscaPac), c.Nomes) << c.Criterio << " " << c.Texto;
    EXPECT_TRUE(f.btnLocDBGrid->Enabled()) << c.Texto;
  }
  EXPECT_TRUE(dialogs.Log().empty());

  // Texts that are no number find nothing by a code; Yes clears the edit for another search.
  for (int criterio : {2, 4}) {
    dialogs.Answer(IDYES);
    Procurar(f, criterio, "abc");
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, NaoEncontrado);
    EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
    EXPECT_EQ(dialogs.Log()[0].Buttons, UINT(MB_YESNO));
    EXPECT_EQ(f.edtFind->Text(), "");
    EXPECT_TRUE(f.pnlFindPac->Visible());
    EXPECT_FALSE(f.btnLocDBGrid->Enabled());
    dialogs.ClearLog();
  }
  // No closes the panel.
  dialogs.Answer(IDNO);
  Procurar(f, 1, "xyz");
  EXPECT_EQ(dialogs.Log().size(), 1u);
  EXPECT_FALSE(f.pnlFindPac->Visible());
  EXPECT_FALSE(f.tbLocPacExam->Down());
  EXPECT_TRUE(f.tbtCadPaciente->Enabled());
}

TEST_F(Busca, TheSearchButtonShowsTheSkinNormalAndHotAsStored) {
  // The program's skin, as the main window loads it.
  auto gerente = std::make_unique<TsSkinManager>(nullptr);
  ReadDefaultSkin(*gerente->InternalSkins().Add(), nullptr);
  gerente->SetSkinningRules(1 << srStdForms | 1 << srStdDialogs);
  gerente->SetSkinName("WEB2");
  TfrmExames& F = Abrir();
  TsBitBtn* b = F.sBitBtn1;
  ASSERT_TRUE(b->SkinData()->IsSkinActive());
  ASSERT_EQ(b->SkinData()->SkinIndex, b->SkinData()->GetSkinManager()->GetSkinIndex("BUTTON"));
  // The button with 4 pixels around it (the panel above it), normal, then hot with its fade run to its end.
  const TPixelRect texto = b->Places().Caption;
  std::unique_ptr<TBitmap> foto = std::make_unique<TBitmap>();
  foto->SetPixelFormat(pf24bit);
  foto->SetSize(2 * (b->Width() + 8), b->Height() + 8);
  std::vector<TRect> textos;
  for (int quente = 0; quente < 2; ++quente) {
    if (quente) b->Perform(CM_MOUSEENTER, 0, 0);
    for (int i = 0; i < 100 && b->FadeTimer(); ++i) b->FadeTimer()->Timer();
    RedrawWindow(F.pnlPacInfo->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    GdiFlush();
    EXPECT_EQ(b->CurrentState(), quente);
    auto painel = skintest::ScreenOf(F.pnlPacInfo->Handle());
    const int x = quente * (b->Width() + 8);
    BitBlt(foto->Canvas()->Handle(), x, 0, b->Width() + 8, b->Height() + 8, painel->Canvas()->Handle(),
           b->Left() - 4, b->Top() - 4, SRCCOPY);
    textos.push_back(Rect(x + 4 + texto.Left - 2, 4 + texto.Top - 2, x + 4 + texto.Right + 2, 4 + texto.Bottom + 2));
  }
  b->Perform(CM_MOUSELEAVE, 0, 0);
  const auto resultado = skintest::CompareShot(*foto, "browser_search_button", textos);
  if (resultado.Stored) GTEST_SKIP() << "reference picture written";
  EXPECT_LT(resultado.Different, 0.02);
}

TEST_F(Busca, AnEmptyEditCannotBeSearched) {
  TfrmExames& f = Abrir();
  AbrirBusca(f);
  f.rgpPaciente->SetItemIndex(1);
  EXPECT_FALSE(f.btnLocPac->Enabled());
  f.edtFind->SetText("a");
  EXPECT_TRUE(f.btnLocPac->Enabled());
  f.edtFind->SetText("");
  EXPECT_FALSE(f.btnLocPac->Enabled());
  f.btnLocPac->OnClick(f.btnLocPac);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Campo de busca vazio");
  EXPECT_EQ(dialogs.Log()[0].Caption, "Atenção");
}

TEST_F(Busca, AFirstNameWithoutAccentsFindsTheAccentedNamesOneByOne) {
  TfrmExames& f = Abrir();
  AbrirBusca(f);
  // The live list: upper-case names starting with the text as typed, accents and all.
  f.edtFind->SetText("jo");
  EXPECT_EQ(Nomes(DMPrincipal->IBQueryBuscaPac), (std::vector<std::string>{"JOSÉ CARLOS", "José"}));
  f.edtFind->SetText("jose");
  EXPECT_TRUE(DMPrincipal->IBQueryBuscaPac->IsEmpty());

  struct Caso {
    std::vector<int> Respostas;
    size_t Perguntas;
    std::string Cursor;
  };
  // Names in the server's order: "JOSÉ CARLOS" before "José".
  for (const Caso& c : {Caso{{IDNO}, 1, "JOSÉ CARLOS"}, Caso{{IDYES, IDNO}, 2, "José"},
                        Caso{{IDYES, IDYES}, 2, "José"}}) {
    dialogs.ClearLog();
    for (int r : c.Respostas) dialogs.Answer(r);
    Procurar(f, 0, "jose");
    ASSERT_EQ(dialogs.Log().size(), c.Perguntas);
    EXPECT_EQ(dialogs.Log()[0].Text, "O sistema localizou: JOSÉ CARLOS.\n Deseja continuar procurando?");
    EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
    EXPECT_EQ(DMPrincipal->IBQueryBuscaPac->FieldByName("NOME")->AsString(), c.Cursor);
    EXPECT_TRUE(f.btnLocDBGrid->Enabled());
  }
  // "Ver paciente" shows the patient found, by code, under the search's doctor filter.
  Clicar(f.btnLocDBGrid);
  EXPECT_FALSE(f.pnlFindPac->Visible());
  EXPECT_EQ(f.MedicoEscolhido(), Todos);
  EXPECT_EQ(CodigoDoCursor(), jose);

  // No first name matches: the walk asks nothing and offers another search.
  AbrirBusca(f);
  dialogs.ClearLog();
  dialogs.Answer(IDYES);
  Procurar(f, 0, "xis");
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, NaoEncontrado);
}

TEST_F(Busca, AnExamFoundIsSelectedAndShownOnItsPage) {
  TfrmExames& f = Abrir("Dr. Alfa");
  struct Caso {
    int Criterio;
    std::string Texto;
    int Paciente, Exame, Pagina;
  };
  for (const Caso& c : {Caso{4, std::to_string(s.Exames[9]), davila, s.Exames[9], 0},
                        Caso{5, "irreg", jose, s.Exames[5], 0}, Caso{6, "março", ana, s.Exames[3], 1}}) {
    AbrirBusca(f);
    Procurar(f, c.Criterio, c.Texto);
    Clicar(f.btnLocDBGrid);
    EXPECT_FALSE(f.pnlFindPac->Visible());
    EXPECT_EQ(f.MedicoEscolhido(), Todos);
    EXPECT_EQ(CodigoDoCursor(), c.Paciente);
    ASSERT_NE(f.lswPrincipal->Selected(), nullptr) << c.Texto;
    EXPECT_EQ(Codigo(f.lswPrincipal->Selected()), c.Exame);
    EXPECT_TRUE(f.pnlInfoExame->Visible());
    EXPECT_EQ(f.pcInfoExame->ActivePageIndex(), c.Pagina);
    EXPECT_EQ(f.lblCodigo->Caption(), FormatFloat("0000", c.Exame));
  }
  // A double click in the result grid does the same as "Ver paciente".
  AbrirBusca(f);
  Procurar(f, 2, std::to_string(anaClara));
  f.dbGridPacLoc->OnDblClick(f.dbGridPacLoc);
  EXPECT_FALSE(f.pnlFindPac->Visible());
  EXPECT_EQ(CodigoDoCursor(), anaClara);
}

TEST_F(Busca, TheTipShowsOnlyWithItsOptionAndItsBoxIsWrittenBackOnClosing) {
  BIniSettings->WriteParam("Bool", "OPCOES", "DICAS", "", true);
  TfrmExames& f = Abrir();
  bool dica = false;
  {
    TPassoModal passo([&] {
      dica = frmDica && frmDica->Visible();
      if (frmDica) frmDica->sButton7->Click();
    });
    AbrirBusca(f);
  }
  EXPECT_TRUE(dica);
  EXPECT_TRUE(f.cbDicas->Checked());
  f.cbDicas->SetChecked(false);
  f.tbLocPacExam->SetDown(false);
  f.tbLocPacExam->OnClick(f.tbLocPacExam);
  EXPECT_FALSE(f.pnlFindPac->Visible());
  EXPECT_FALSE(BIniSettings->GetDicas());
  EXPECT_TRUE(EsperarAte([] { return frmDica == nullptr; }));

  AbrirBusca(f);
  EXPECT_EQ(frmDica, nullptr);
  EXPECT_FALSE(f.cbDicas->Checked());
  f.cbDicas->SetChecked(true);
  f.tbLocPacExam->SetDown(false);
  f.tbLocPacExam->OnClick(f.tbLocPacExam);
  EXPECT_TRUE(BIniSettings->GetDicas());
}

TEST_F(Busca, KeysOfTheGridTheListAndTheSearchEdits) {
  recordstest::Registros::Paciente("Çinara");
  TfrmExames& f = Abrir();
  TDBGrid* grade = f.DBGridPacientes;
  grade->SetFocus();

  // A letter, a digit-less name and the key of "ç" move to the first name beginning with it.
  struct Caso {
    WORD Tecla;
    std::string Nome;
  };
  for (const Caso& c : {Caso{'J', "JOSÉ CARLOS"}, Caso{'S', "Sem Exame"}, Caso{186, "Çinara"}, Caso{'A', "Ana"}}) {
    Tecla(grade, c.Tecla);
    EXPECT_EQ(NomeDoCursor(), c.Nome) << c.Tecla;
  }

  // Ctrl+F: the quick search; the cursor follows its text; Esc and Enter end it.
  for (WORD fim : {WORD(VK_ESCAPE), WORD(VK_RETURN)}) {
    Tecla(grade, 'F', true);
    EXPECT_TRUE(f.edtFindGrid->Visible());
    EXPECT_TRUE(f.bbtnBuscaAv->Visible());
    EXPECT_EQ(f.ActiveControl(), f.edtFindGrid);
    windowstest::Digitar(f.edtFindGrid, "Jo");
    Tecla(f.edtFindGrid, 'O');
    EXPECT_EQ(NomeDoCursor(), "José");
    Tecla(f.edtFindGrid, fim);
    EXPECT_FALSE(f.edtFindGrid->Visible());
    EXPECT_EQ(f.edtFindGrid->Text(), "");
    EXPECT_FALSE(f.bbtnBuscaAv->Visible());
    EXPECT_EQ(f.ActiveControl(), grade);
  }

  // Ctrl+L opens the search panel; Enter goes to its edit; Esc closes it.
  Tecla(grade, 'L', true);
  EXPECT_TRUE(f.pnlFindPac->Visible());
  EXPECT_TRUE(f.tbLocPacExam->Down());
  EXPECT_EQ(f.ActiveControl(), f.edtFind);
  Tecla(f.dbGridPacLoc, VK_RETURN);
  EXPECT_EQ(f.ActiveControl(), f.edtFind);
  Tecla(f.edtFind, VK_ESCAPE);
  EXPECT_FALSE(f.pnlFindPac->Visible());
  EXPECT_FALSE(f.tbLocPacExam->Down());
  EXPECT_EQ(f.ActiveControl(), grade);

  // Delete in the grid: a patient with exams is refused, one without is asked about.
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(jose), 0));
  Tecla(grade, VK_DELETE);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, "Não é possivel excluir o paciente José! \n\nPara excluir este paciente é "
                                   "preciso excluir todos os exames.");
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(semExame), 0));
  dialogs.Answer(IDNO);
  Tecla(grade, VK_DELETE);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[1].Text, "Confirma a exclusão do paciente 'Sem Exame'?");
  EXPECT_EQ(Valor("SELECT Nome FROM Pacientes WHERE Codigo=" + std::to_string(semExame)), "Sem Exame");

  // Delete in the exam list asks about the selected exam; Ctrl+E opens the new-exam wizard.
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(jose), 0));
  ASSERT_TRUE(EsperarAte([&] { return f.lswPrincipal->Count() > 0; }));
  f.lswPrincipal->Items(0)->SetSelected(true);
  const std::string exame = f.lswPrincipal->Items(0)->Caption();
  dialogs.Answer(IDNO);
  Tecla(f.lswPrincipal, VK_DELETE);
  ASSERT_EQ(dialogs.Log().size(), 3u);
  EXPECT_EQ(dialogs.Log()[2].Text, "Confirma a exclusão do exame '" + exame + "' ?");
  bool assistente = false;
  {
    TPassoModal passo(
        [&] {
          assistente = true;
          frmNovoExame->Close();
        },
        20, [] { return frmNovoExame && frmNovoExame->Visible(); });
    Tecla(grade, 'E', true);
  }
  EXPECT_TRUE(assistente);

  // Ctrl+N opens the patient picker.
  bool picker = false;
  {
    TPassoModal passo([&] {
      picker = frmNovoPaciente && frmNovoPaciente->Visible();
      if (frmNovoPaciente) frmNovoPaciente->sButton1->Click();
    });
    Tecla(grade, 'N', true);
  }
  EXPECT_TRUE(picker);
}

TEST_F(Busca, APatientWithoutExamsIsDeletedWithItsReportsOfNoExam) {
  const int laudo = TDLaudos::InsertLaudos(semExame, -1, -1, "", EncodeDate(2026, 12, 10), EncodeTime(9, 0, 0, 0));
  std::filesystem::create_directories(inst->Pasta("Laudos") / std::to_string(semExame));
  GravarArquivoLaudo(windowstest::CaminhoWindows(inst->Pasta("Laudos")), std::to_string(semExame),
                     std::to_string(laudo), {"Laudo sem exames", "", "", "", ""});
  const auto arquivo = inst->Pasta("Laudos") / std::to_string(semExame) / (std::to_string(laudo) + "l.txt");
  ASSERT_TRUE(std::filesystem::exists(arquivo));
  dialogs.ClearLog();
  TfrmExames& f = Abrir();
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(semExame), 0));
  dialogs.Answer(IDYES);
  f.tbtExcluirPaciente->OnClick(f.tbtExcluirPaciente);
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Pacientes WHERE Codigo=" + std::to_string(semExame)), "0");
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Laudos WHERE Codigo=" + std::to_string(laudo)), "0");
  EXPECT_FALSE(std::filesystem::exists(arquivo));
  EXPECT_EQ(Nomes(DMPrincipal->IBQueryPacientes),
            (std::vector<std::string>{"Ana", "Ana Clara", "JOSÉ CARLOS", "José", "d'Ávila"}));
  // The other patients' reports stay.
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Laudos"), "5");
}

TEST_F(Busca, EditingAPatientChangesOnlyThatOneAndTheBrowserStaysOnIt) {
  TfrmExames& f = Abrir();
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(ana), 0));
  std::string nomeNoForm;
  {
    TPassoModal passo([&] {
      ASSERT_NE(frmCadastroPacientes, nullptr);
      nomeNoForm = frmCadastroPacientes->dbeNome->Text();
      SendMessageA(frmCadastroPacientes->dbeNome->Handle(), EM_SETSEL, 0, -1);
      windowstest::Digitar(frmCadastroPacientes->dbeNome, "Zélia");
      Clicar(frmCadastroPacientes->btnCON);
    });
    f.DBGridPacientes->OnDblClick(f.DBGridPacientes);
  }
  EXPECT_EQ(nomeNoForm, "Ana");
  EXPECT_EQ(Valor("SELECT Nome FROM Pacientes WHERE Codigo=" + std::to_string(ana)), "Zélia");
  EXPECT_EQ(Valor("SELECT Nome FROM Pacientes WHERE Codigo=" + std::to_string(anaClara)), "Ana Clara");
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Pacientes"), "6");
  EXPECT_EQ(CodigoDoCursor(), ana);
  EXPECT_EQ(NomeDoCursor(), "Zélia");
  EXPECT_FALSE(DMPrincipal->IBPacientes->Active());
}

class UltimoPacienteExcluido : public windowstest::TesteBusca {};

TEST_F(UltimoPacienteExcluido, TheBrowserIsLeftOnAllPatients) {
  recordstest::Registros::Medico("Dr. Alfa");
  const int unico = recordstest::Registros::Paciente("Único");
  TfrmExames& f = Abrir("*** Sem Exames");
  EXPECT_EQ(f.MedicoEscolhido(), "*** Sem Exames");
  ASSERT_EQ(CodigoDoCursor(), unico);
  dialogs.Answer(IDYES);
  f.tbtExcluirPaciente->OnClick(f.tbtExcluirPaciente);
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Pacientes"), "0");
  EXPECT_EQ(f.MedicoEscolhido(), Todos);
  EXPECT_TRUE(DMPrincipal->IBQueryPacientes->IsEmpty());
  EXPECT_FALSE(f.tbtExcluirPaciente->Enabled());
}

}  // namespace
