// The exam browser on a database of two doctors and their patients: the doctor filter, the patient
// and exam lists, the selection and its panel, the examples, the layout and the settings on closing.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/MapaTesteUtil.h"
#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "widgets/hhcomponent.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "core/UBMapOperation.h"
#include "windows/BancoTestSupport.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::TInstalacaoTeste;

const std::string Todos = "*** Todos";
const std::string SemExames = "*** Sem Exames";

class Navegador : public windowstest::TesteComBanco {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PrepararInstalacao());
    Semear();
  }
  void TearDown() override {
    if (frmExames) frmExames->Free();
    TesteComBanco::TearDown();
  }

  int Paciente(const std::string& Nome, int TotalExames) {
    TDadosPaciente dados;
    dados.Nome = Nome;
    return TDPacientes::InsertPacientes(dados, EncodeDate(2026, 12, 1), TotalExames);
  }
  int Exame(int Pac, int Med, int Dia, int Hora, const std::string& Olho, const std::string& Tipo = "T") {
    return TDExames::InsertExames(Pac, Med, EncodeDate(2008, 3, Dia), EncodeTime(Hora, 22, 10, 0), Olho, 97.5, Tipo,
                                  "", "", "", 24, "4");
  }
  // Two doctors; "Ana Clara" before "Ana" in code order; a patient with exams by both doctors, one
  // without exams and an orthokeratology exam.
  void Semear() {
    TDadosMedico m;
    m.Nome = "Dr. Alfa";
    alfa = TDMedicos::InsertMedicos(m);
    m.Nome = "Dr. Beta";
    beta = TDMedicos::InsertMedicos(m);
    anaClara = Paciente("Ana Clara", 1);
    ana = Paciente("Ana", 1);
    jose = Paciente("José", 2);
    joseCarlos = Paciente("JOSÉ CARLOS", 1);
    davila = Paciente("d'Ávila", 1);
    semExame = Paciente("Sem Exame", 0);
    Exame(anaClara, alfa, 1, 8, "OS");
    exameOrto = Exame(ana, alfa, 2, 9, "OD", "O");
    TDExames::InsertExamesOrto(exameOrto, 2.25, 0.5, 7.75, 1.5);
    joseAlfa = Exame(jose, alfa, 5, 14, "OD");
    joseBeta = Exame(jose, beta, 6, 15, "OS");
    Exame(joseCarlos, beta, 7, 10, "OD");
    Exame(davila, alfa, 8, 11, "OS");
    DMPrincipal->PCommitDataBase();
  }

  TfrmExames& Abrir(const std::string& MedicoAtivo, const std::string& PacienteAtivo = "") {
    AssignText(InfosMZ.MedicoAtivo, MedicoAtivo);
    AssignText(InfosMZ.PacienteAtivo, PacienteAtivo);
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();  // its activation
    return *frmExames;
  }
  static std::vector<std::string> Entradas(TfrmExames& F) {
    std::vector<std::string> r;
    for (int i = 0; i < F.CBMedicos->Items()->Count(); ++i) r.push_back(F.CBMedicos->Items()->Strings(i));
    return r;
  }
  static std::vector<std::string> Pacientes() {
    std::vector<std::string> r;
    TIBQuery* q = DMPrincipal->IBQueryPacientes;
    for (q->First(); !q->Eof(); q->Next()) r.push_back(q->FieldByName("NOME")->AsString());
    return r;
  }
  static std::string PacienteDoCursor() { return DMPrincipal->IBQueryPacientes->FieldByName("NOME")->AsString(); }
  static std::vector<std::string> Legendas(TfrmExames& F) {
    std::vector<std::string> r;
    for (int i = 0; i < F.lswPrincipal->Count(); ++i) r.push_back(F.lswPrincipal->Items(i)->Caption());
    return r;
  }
  static int Codigo(TListItem* Item) { return static_cast<int>(reinterpret_cast<intptr_t>(Item->Data())); }
  static void Filtrar(TfrmExames& F, const std::string& Medico, const std::string& Paciente) {
    F.CBMedicos->SetItemIndex(F.CBMedicos->Items()->IndexOf(Medico));
    F.CBMedicos->OnChange(F.CBMedicos);
    ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("NOME", Paciente, 0));
  }

  int alfa = 0, beta = 0, anaClara = 0, ana = 0, jose = 0, joseCarlos = 0, davila = 0, semExame = 0;
  int exameOrto = 0, joseAlfa = 0, joseBeta = 0;
};

TEST_F(Navegador, DoctorFilterFollowsTheActiveDoctorAndOffersPatientsWithoutExamsOnlyWhileThereAreSome) {
  const std::vector<std::string> entradas = {"Dr. Alfa", "Dr. Beta", SemExames, Todos};
  struct Caso {
    std::string Ativo, Escolhido;
  };
  for (const Caso& c : {Caso{"Dr. Beta", "Dr. Beta"}, Caso{SemExames, SemExames}, Caso{Todos, Todos}, Caso{"", Todos}}) {
    TfrmExames& f = Abrir(c.Ativo);
    EXPECT_EQ(Entradas(f), entradas);
    EXPECT_EQ(f.MedicoEscolhido(), c.Escolhido) << c.Ativo;
    if (c.Escolhido == SemExames) EXPECT_EQ(Pacientes(), std::vector<std::string>{"Sem Exame"});
    f.Free();
  }
  TDPacientes::DeletePacientesByCodigo(semExame);
  DMPrincipal->PCommitDataBase();
  TfrmExames& f = Abrir(Todos);
  EXPECT_EQ(Entradas(f), (std::vector<std::string>{"Dr. Alfa", "Dr. Beta", Todos}));
}

TEST_F(Navegador, OneDoctorsFilterListsItsExamsAndOffersTheOthers) {
  TfrmExames& f = Abrir("Dr. Alfa");
  EXPECT_EQ(Pacientes(), (std::vector<std::string>{"Ana", "Ana Clara", "José", "d'Ávila"}));
  Filtrar(f, "Dr. Alfa", "José");
  EXPECT_EQ(Legendas(f), std::vector<std::string>{"OD - 05/03/2008 14:22:10"});
  EXPECT_TRUE(f.CBoxExames->Visible());
  f.CBoxExames->SetChecked(true);
  f.CBoxExames->OnClick(f.CBoxExames);
  EXPECT_EQ(Legendas(f), (std::vector<std::string>{"OD - 05/03/2008 14:22:10", "OS - 06/03/2008 15:22:10"}));
  EXPECT_TRUE(f.CBoxExames->Visible());
  Filtrar(f, Todos, "José");
  EXPECT_EQ(Legendas(f).size(), 2u);
}

TEST_F(Navegador, EveryCaptionFindsItsRowAndThePanelKeepsTheSelectedExam) {
  TfrmExames& f = Abrir(Todos);
  int vistos = 0;
  for (const char* nome : {"Ana Clara", "Ana", "José", "JOSÉ CARLOS", "d'Ávila"}) {
    ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("NOME", nome, 0));
    for (int i = 0; i < f.lswPrincipal->Count(); ++i, ++vistos) {
      TListItem* item = f.lswPrincipal->Items(i);
      f.CodPacienteAtual = DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger();
      ASSERT_TRUE(f.SelecionarExame(item->Caption())) << item->Caption();
      EXPECT_EQ(DMPrincipal->IBQueryExames->FieldByName("CODIGO")->AsInteger(), Codigo(item));
      EXPECT_EQ(item->ImageIndex(), Codigo(item) == exameOrto ? 3 : 1);
    }
  }
  EXPECT_EQ(vistos, 6);

  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("NOME", "Ana", 0));
  f.lswPrincipal->Items(0)->SetSelected(true);
  EXPECT_TRUE(f.ExameSelecionado);
  EXPECT_EQ(f.ValoresOrto, (std::array<double, 3>{1.5, 2.25, 7.75}));
  f.MostrarInfoExame(0);
  EXPECT_TRUE(f.pnlOrto->Visible());
  EXPECT_EQ(f.lblVSag->Caption(), "1.50");
  EXPECT_EQ(f.lblIndConf->Caption(), "97.50%");
  EXPECT_EQ(f.lblOlho->Caption(), "Olho Direito");

  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("NOME", "José", 0));
  f.lswPrincipal->Items(1)->SetSelected(true);
  f.MostrarInfoExame(0);
  EXPECT_EQ(f.lblCodigo->Caption(), FormatFloat("0000", joseBeta));
  EXPECT_EQ(f.lblOlho->Caption(), "Olho Esquerdo");
  EXPECT_FALSE(f.pnlOrto->Visible());

  // The exam query moved to another exam, then closed by a commit that brings the cursor back to
  // the first patient: the panel still shows the selected exam.
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("NOME", "Ana", 0));
  f.lswPrincipal->Items(0)->SetSelected(true);
  f.CodPacienteAtual = jose;
  ASSERT_TRUE(f.SelecionarExame("OS - 06/03/2008 15:22:10"));
  f.MostrarInfoExame(0);
  EXPECT_EQ(f.lblCodigo->Caption(), FormatFloat("0000", exameOrto));
  ASSERT_TRUE(f.SelecionarExame("OS - 06/03/2008 15:22:10"));
  DMPrincipal->PCommitDataBase();
  f.MostrarInfoExame(1);
  EXPECT_EQ(f.lblCodigo->Caption(), FormatFloat("0000", exameOrto));
  EXPECT_TRUE(f.pnlInfoExame->Visible());
  EXPECT_TRUE(f.pnlOrto->Visible());
}

TEST_F(Navegador, ReportAndEditButtonsOnlyForAnExamOfTheFilteredDoctor) {
  TfrmExames& f = Abrir("Dr. Alfa");
  Filtrar(f, "Dr. Alfa", "José");
  f.CBoxExames->SetChecked(true);
  f.CBoxExames->OnClick(f.CBoxExames);
  struct Caso {
    std::string Medico;
    int Item;
    bool Habilitado;
  };
  for (const Caso& c : {Caso{"Dr. Alfa", 0, true}, Caso{"Dr. Alfa", 1, false}, Caso{Todos, 0, false},
                        Caso{Todos, 1, false}}) {
    if (f.MedicoEscolhido() != c.Medico) Filtrar(f, c.Medico, "José");
    f.lswPrincipal->Items(c.Item)->SetSelected(true);
    f.MostrarInfoExame(0);
    EXPECT_EQ(f.tbLaudo->Enabled(), c.Habilitado) << c.Medico << " " << c.Item;
    EXPECT_EQ(f.btnEDD->Enabled(), c.Habilitado);
    EXPECT_EQ(f.btnEDO->Enabled(), c.Habilitado);
    EXPECT_EQ(f.lblNomeMedico->Font()->Color(), c.Habilitado ? clNavy : clRed);
  }
}

TEST_F(Navegador, PositioningByCodeInCreationOrderLandsOnThatPatient) {
  TfrmExames& f = Abrir(Todos, "Ana");
  EXPECT_EQ(PacienteDoCursor(), "Ana");
  f.tbOrdemCriacao->SetDown(true);
  f.AtualizarPacientes(ana, Todos);
  EXPECT_EQ(Pacientes().front(), "Ana Clara");
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(ana), 0));
  f.AtualizarPacientes(ana, Todos);
  EXPECT_EQ(PacienteDoCursor(), "Ana");
  EXPECT_EQ(f.lblID->Caption(), FormatFloat("0000", ana));
}

TEST_F(Navegador, ExamplesListTheirCategoriesAndDisableTheExamButtons) {
  TfrmExames& f = Abrir(Todos);
  f.pcExames->SetActivePageIndex(1);
  f.pcExames->OnChange(f.pcExames);
  EXPECT_TRUE(f.ModoExemplo);
  EXPECT_EQ(f.GridExemplos->RowCount(), 7);
  const char* const categorias[] = {"Ceratocone - Central", "Ceratocone - Periférico", "Astigmatismo - Regular",
                                    "Astigmatismo - Iregular", "Normal", "Ortoceratologia"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(f.GridExemplos->Cells(1, i + 1), categorias[i]);
  EXPECT_EQ(Legendas(f), (std::vector<std::string>{"OD - Central01", "OD - Central02", "OD - Central03",
                                                   "OD - Central04", "OS - Central05", "OS - Central06"}));
  bool pode = true;
  f.GridExemplos->OnSelectCell(f.GridExemplos, 1, 6, pode);
  EXPECT_EQ(Legendas(f), (std::vector<std::string>{"Orto01", "Orto02", "Orto03", "Orto04"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.lswPrincipal->Items(i)->ImageIndex(), 3);
  for (TToolButton* b : {f.tbNovoExame2, f.tbtExcluirExame, f.tbExportador, f.tbLaudo, f.tbOrdemAlfa,
                         f.tbOrdemCriacao, f.tbExameOrto1, f.tbExameOrto2})
    EXPECT_FALSE(b->Enabled()) << b->Name();
  // An example is never looked up as an exam row.
  f.lswPrincipal->Items(0)->SetSelected(true);
  EXPECT_TRUE(dialogs.Log().empty());
  EXPECT_EQ(f.NomeExemplo, "Orto01");
  EXPECT_EQ(f.lblPRI->Caption(), "Painel de Conteúdo: Exames");
}

TEST_F(Navegador, MiniMapIsDrawnByTheAxialModuleOncePerExam) {
  const std::filesystem::path pasta = inst->Pasta("Exames") / std::to_string(jose);
  std::filesystem::create_directories(pasta);
  TMatrizAng aneis{};
  aneis.fill(16);
  GravarArquivosMapa(windowstest::CaminhoWindows(pasta / std::to_string(joseAlfa)), MatrizConhecida(1, 16, 0.2, 4.0),
                     MatrizConhecida(2, 16, 7.2, 8.2), aneis, 320, 240, TPupila{}, 16);
  TfrmExames& f = Abrir(Todos, "José");
  InfosMZ.AutoMiniMapa = false;
  f.cBoxMiniMapa->SetChecked(true);
  ASSERT_EQ(PacienteDoCursor(), "José");
  f.lswPrincipal->Items(0)->SetSelected(true);
  f.MostrarInfoExame(0);
  EXPECT_TRUE(dialogs.Log().empty());
  TBitmap* figura = f.imgVisualizar->Picture()->Bitmap();
  ASSERT_GT(figura->Width(), 0);
  EXPECT_NE(figura->Canvas()->Pixels(figura->Width() / 2, figura->Height() / 2), clBlack);
  EXPECT_EQ(f.CodigoMiniMapa, joseAlfa);
  EXPECT_TRUE(InfosMZ.AutoMiniMapa);
  char texto[16];
  GetPrivateProfileStringA("OPCOES", "AUTOMINIMAPA", "", texto, sizeof texto,
                           windowstest::CaminhoWindows(inst->Configuracao()).c_str());
  EXPECT_STREQ(texto, "1");
  // The exam already shown is not drawn again: its files are no longer read.
  std::filesystem::remove_all(pasta);
  f.MostrarMiniMapa();
  EXPECT_TRUE(dialogs.Log().empty());
  EXPECT_EQ(f.imgVisualizar->Picture()->Bitmap(), figura);
  // Another exam without files: the map data's own message, then the browser's.
  f.lswPrincipal->Items(1)->SetSelected(true);
  ASSERT_EQ(dialogs.Log().size(), 2u);
  EXPECT_EQ(dialogs.Log()[1].Text, "Não foi possível processar o mapa selecionado. 1");
  EXPECT_EQ(dialogs.Log()[1].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[1].Icon, UINT(MB_ICONERROR));
  EXPECT_EQ(f.imgVisualizar->Picture()->Bitmap(), figura);
  EXPECT_EQ(f.CodigoMiniMapa, joseAlfa);
}

TEST_F(Navegador, HelpAsksForTheBrowsersContextAndFecharCloses) {
  std::vector<THtmlHelpCall> ajuda;
  detail::SetHtmlHelpHook([&](const THtmlHelpCall& c) { ajuda.push_back(c); });
  // The main window's help component answers the application's help requests.
  THtmlHelp* htmlHelp = new THtmlHelp(Application);
  htmlHelp->SetChmFile("AjudaPrincipal.chm");
  TfrmExames& f = Abrir(Todos);
  SetForegroundWindow(f.Handle());
  f.sButton1->SetFocus();
  f.sButton1->Click();
  EXPECT_TRUE(windowstest::EsperarAte([&] { return !ajuda.empty(); }, 10000));
  detail::SetHtmlHelpHook(nullptr);
  htmlHelp->Free();
  ASSERT_FALSE(ajuda.empty());
  for (const THtmlHelpCall& c : ajuda) EXPECT_EQ(c.Data, 5u);
  f.pcExames->SetActivePageIndex(1);
  f.pcExames->OnChange(f.pcExames);
  f.sButton2->Click();
  EXPECT_TRUE(windowstest::EsperarAte([] { return frmExames == nullptr; }));
}

TEST(NavegadorLayout, ProportionsByTheScreensShape) {
  struct Caso {
    int Largura, Altura;
    double Grade, Painel;
  };
  for (const Caso& c : {Caso{1280, 1024, 0.79, 0.855}, Caso{1024, 768, 0.63, 0.75}, Caso{1280, 960, 0.63, 0.75},
                        Caso{1280, 800, 0.7, 0.8}, Caso{1920, 1080, 0.7, 0.8}, Caso{1400, 1050, 0.63, 0.75}}) {
    const TProporcoesLayout p = ProporcoesLayout(c.Largura, c.Altura);
    EXPECT_EQ(p.AlturaGrade, c.Grade) << c.Largura << "x" << c.Altura;
    EXPECT_EQ(p.TopoPainel, c.Painel) << c.Largura << "x" << c.Altura;
  }
}

TEST_F(Navegador, FormAtTheTestScreenAndClosingWritesTheThreeSettings) {
  TfrmExames& f = Abrir("Dr. Alfa", "José");
  ASSERT_EQ(Screen->Width(), 1280);
  ASSERT_EQ(Screen->Height(), 1024);
  f.AjustarLayout();
  // The proportions of a 1280 x 1024 screen, as far as the patient panel stays whole on the page.
  const int altura = f.tsAtivos->Height();
  const long topo = std::min(std::lround(0.855 * altura), long(altura - f.pnlPacInfo->Height()));
  EXPECT_EQ(f.pnlPacInfo->Top(), topo);
  EXPECT_EQ(f.DBGridPacientes->Height(), std::min(std::lround(0.79 * altura), topo - f.CBoxExames->Height() - 4));
  EXPECT_EQ(f.Caption(), "Navegador do MZ3100");
  EXPECT_EQ(f.HelpContext(), 5);
  EXPECT_EQ(PacienteDoCursor(), "José");
  Filtrar(f, "Dr. Beta", "JOSÉ CARLOS");
  f.cBoxMiniMapa->SetChecked(!InfosMZ.AutoMiniMapa);
  const bool mini = f.cBoxMiniMapa->Checked();
  f.Close();
  windowstest::EsperarAte([] { return frmExames == nullptr; });
  ASSERT_EQ(frmExames, nullptr);
  const std::string ini = windowstest::CaminhoWindows(inst->Configuracao());
  char texto[256];
  GetPrivateProfileStringA("CLINICA", "MEDICOATIVO", "", texto, sizeof texto, ini.c_str());
  EXPECT_STREQ(texto, "Dr. Beta");
  GetPrivateProfileStringA("CLINICA", "PACIENTEATIVO", "", texto, sizeof texto, ini.c_str());
  EXPECT_STREQ(texto, "JOSÉ CARLOS");
  GetPrivateProfileStringA("OPCOES", "AUTOMINIMAPA", "", texto, sizeof texto, ini.c_str());
  EXPECT_STREQ(texto, mini ? "1" : "0");
  EXPECT_EQ(std::string(InfosMZ.MedicoAtivo), "Dr. Beta");
  EXPECT_EQ(InfosMZ.AutoMiniMapa, mini);
}

TEST_F(Navegador, BackFromTheExamplesEveryCommandTheyTookAwayReturns) {
  TfrmExames& f = Abrir(Todos, "José");
  f.pcExames->SetActivePageIndex(1);
  f.pcExames->OnChange(f.pcExames);
  f.lswPrincipal->Items(0)->SetSelected(true);
  ASSERT_FALSE(f.tbNovoExame1->Enabled());
  f.pcExames->SetActivePageIndex(0);
  f.pcExames->OnChange(f.pcExames);
  for (TToolButton* b : {f.tbNovoExame1, f.tbNovoExame2, f.tbtCadPaciente, f.tbLocPacExam, f.tbtAlterarPaciente,
                         f.tbtExcluirPaciente, f.tbtExcluirExame, f.tbExportador, f.tbOrdemAlfa, f.tbOrdemCriacao,
                         f.tbExameOrto1, f.tbExameOrto2})
    EXPECT_TRUE(b->Enabled()) << b->Name();
  EXPECT_FALSE(f.ModoExemplo);
}

// A control's rectangle on the screen.
RECT NaTela(TControl* C) {
  const TPoint a = C->ClientToScreen(TPoint{0, 0});
  return RECT{a.x, a.y, a.x + C->Width(), a.y + C->Height()};
}
bool Dentro(const RECT& R, const RECT& Em) {
  return R.left >= Em.left && R.top >= Em.top && R.right <= Em.right && R.bottom <= Em.bottom;
}
bool Cruzam(const RECT& A, const RECT& B) {
  RECT r;
  return IntersectRect(&r, &A, &B) != 0;
}

TEST_F(Navegador, EveryControlIsWholeAndReachableAndTheListShowsDateAndTime) {
  TfrmExames& f = Abrir(Todos, "José");
  Application->ProcessMessages();
  const RECT tela{0, 0, Screen->Width(), Screen->Height()};
  const auto painelNaPagina = [&] {
    EXPECT_TRUE(Dentro(NaTela(f.pnlPacInfo), NaTela(f.tsAtivos))) << f.tsAtivos->Height();
    EXPECT_LE(f.DBGridPacientes->Top() + f.DBGridPacientes->Height(), f.CBoxExames->Top());
    EXPECT_LE(f.CBoxExames->Top() + f.CBoxExames->Height(), f.pnlPacInfo->Top());
    for (TControl* c : {static_cast<TControl*>(f.DBTextTotalExames), static_cast<TControl*>(f.lblID)})
      EXPECT_TRUE(Dentro(NaTela(c), NaTela(f.pnlPacInfo))) << c->Name();
  };
  painelNaPagina();
  // The exam panel open under the list leaves the navigation its height.
  f.lswPrincipal->Items(0)->SetSelected(true);
  f.MostrarInfoExame(0);
  Application->ProcessMessages();
  ASSERT_TRUE(f.pnlInfoExame->Visible());
  painelNaPagina();
  EXPECT_FALSE(Cruzam(NaTela(f.pnlInfoExame), NaTela(f.pnlNAV)));
  for (TButton* b : {f.btnEDD, f.btnGRD, f.btnEDO, f.btnGRO}) {
    EXPECT_TRUE(Dentro(NaTela(b), NaTela(f.pcInfoExame))) << b->Name();
    HDC dc = GetDC(b->Handle());
    HGDIOBJ antes = SelectObject(dc, HGDIOBJ(SendMessageA(b->Handle(), WM_GETFONT, 0, 0)));
    SIZE texto{};
    GetTextExtentPoint32A(dc, b->Caption().c_str(), int(b->Caption().size()), &texto);
    SelectObject(dc, antes);
    ReleaseDC(b->Handle(), dc);
    EXPECT_LE(texto.cx + 8, b->Width()) << b->Name();
  }
  EXPECT_TRUE(Dentro(NaTela(f.pnlInfoExame), tela));
  // Both toolbars' commands are whole and clear of the Fechar and Ajuda buttons.
  for (TToolBar* barra : {f.tlbExame, f.tlbPaciente}) {
    if (barra == f.tlbPaciente) f.MostrarPainelPacientes();
    Application->ProcessMessages();
    for (int i = 0; i < barra->ButtonCount(); ++i) {
      TToolButton* b = barra->Buttons(i);
      if (!b->Visible()) continue;
      EXPECT_TRUE(Dentro(NaTela(b), NaTela(barra))) << b->Name();
      for (TControl* fechar : {static_cast<TControl*>(f.sButton1), static_cast<TControl*>(f.sButton2)})
        EXPECT_FALSE(Cruzam(NaTela(b), NaTela(fechar))) << b->Name();
      EXPECT_TRUE(Dentro(NaTela(b), tela)) << b->Name();
    }
  }
  // A caption is whole on one line under an icon of the list's pictures.
  ASSERT_GE(f.ImageList1->Count(), 4);
  for (int i = 0; i < f.lswPrincipal->Count(); ++i) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(f.lswPrincipal->Handle(), LVM_GETITEMRECT, i, LPARAM(&r)));
    HDC dc = GetDC(f.lswPrincipal->Handle());
    HGDIOBJ antes = SelectObject(dc, HGDIOBJ(SendMessageA(f.lswPrincipal->Handle(), WM_GETFONT, 0, 0)));
    const std::string legenda = f.lswPrincipal->Items(i)->Caption();
    SIZE texto{};
    GetTextExtentPoint32A(dc, legenda.c_str(), int(legenda.size()), &texto);
    SelectObject(dc, antes);
    ReleaseDC(f.lswPrincipal->Handle(), dc);
    EXPECT_GE(r.right - r.left, texto.cx) << legenda;
    EXPECT_LT(r.bottom - r.top, 2 * texto.cy) << legenda;
  }
  // The examples' grid has no empty first row.
  f.pcExames->SetActivePageIndex(1);
  f.pcExames->OnChange(f.pcExames);
  EXPECT_EQ(f.GridExemplos->RowHeights(0), 0);
}

}  // namespace
