// The main window in this process: its start-up on a fresh installation, a settings file it cannot
// load, the module discovery, the browser without a doctor, the About box and the calls that leave
// the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <htmlhelp.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/UBConstantes.h"
#include "core/UDMedicos.h"
#include "skin/controls/SkinControlsTestSupport.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UBShell.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmDica.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "windows/UfrmSobre.h"
#include "windows/UfrmStarting.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::EsperarAte;
using windowstest::TInstalacaoTeste;
using windowstest::TPassoModal;

class JanelaPrincipal : public testing::Test {
 protected:
  void Criar(const TInstalacaoTeste::TOpcoes& Opcoes = {}) {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    inst = std::make_unique<TInstalacaoTeste>(info->name(), Opcoes);
    DMPrincipal = new TDMPrincipal(Application);
    frmPrincipal = new TfrmPrincipal(Application);
  }
  void TearDown() override {
    if (frmPrincipal) frmPrincipal->Close();
    EsperarAte([] { return frmPrincipal == nullptr && frmIniciando == nullptr; });
    if (frmExames) frmExames->Free();
    if (DMPrincipal) DMPrincipal->Free();
    DMPrincipal = nullptr;
    inst.reset();
  }
  // The settings a test reads itself, as the start-up would have copied them.
  void SemStartUp() {
    BIniSettings = std::make_unique<TBIniSettings>();
    ASSERT_TRUE(BIniSettings->LoadAll());
    CopySettingsToRecords(*BIniSettings);
    StartedUp = true;
  }
  std::vector<TDialogScript::Entry> Mensagens() const { return dialogs.Log(); }

  TDialogScript dialogs;
  std::unique_ptr<TInstalacaoTeste> inst;
};

TEST_F(JanelaPrincipal, StartUpOnAFreshInstallationCreatesTheDatabaseAndFindsTheModules) {
  TInstalacaoTeste::TOpcoes opcoes;
  opcoes.BancoDeDados = false;
  Criar(opcoes);
  const std::filesystem::path banco = inst->Pasta("BancoDados") / "DATABASE.GDB";
  ASSERT_FALSE(std::filesystem::exists(banco));
  // The splash as it was when the start-up closed it.
  frmIniciando = new TfrmIniciando(Application);
  std::vector<bool> passos;
  int progresso = -1;
  const TCloseEvent fechar = frmIniciando->OnClose;
  frmIniciando->OnClose = [&](TObject* Sender, TCloseAction& Action) {
    for (TImage* img : {frmIniciando->ImgStep1, frmIniciando->ImgStep2, frmIniciando->ImgStep3,
                        frmIniciando->ImgStep4})
      passos.push_back(img->Visible());
    progresso = frmIniciando->PBProgress->Position();
    fechar(Sender, Action);
  };
  frmPrincipal->ApplicationEvents1Activate(nullptr);
  EXPECT_TRUE(StartedUp);
  EXPECT_TRUE(DatabaseOk);
  EXPECT_TRUE(std::filesystem::exists(banco));
  EXPECT_TRUE(DMPrincipal->IBDatabase->Connected());
  EXPECT_EQ(passos, std::vector<bool>(4, true));
  EXPECT_EQ(progresso, 100);
  EXPECT_TRUE(EsperarAte([] { return frmIniciando == nullptr; }));
  EXPECT_TRUE(Mensagens().empty());
  // The installation's three map modules, a hidden browser with their buttons, the records filled.
  ASSERT_TRUE(frmExames);
  EXPECT_FALSE(frmExames->Visible());
  EXPECT_EQ(frmExames->tlbMapas->ButtonCount(), 3);
  EXPECT_EQ(frmPrincipal->ListaModulos()->Count(), 12);
  EXPECT_EQ(InfosMZ.NumAneis, 32);
  EXPECT_EQ(std::string(PathsMZ.DirMapas), CaminhoWindows(inst->Pasta("Mapas")));
  // A later activation does not run it again.
  dialogs.ClearLog();
  std::filesystem::remove(inst->Configuracao());
  frmPrincipal->ApplicationEvents1Activate(nullptr);
  EXPECT_TRUE(Mensagens().empty());
}

TEST_F(JanelaPrincipal, SettingsWithoutTheCameraSectionEndWithTheSettingsMessage) {
  Criar();
  WritePrivateProfileStringA("CAMERA", nullptr, nullptr, CaminhoWindows(inst->Configuracao()).c_str());
  frmPrincipal->ApplicationEvents1Activate(nullptr);
  ASSERT_EQ(Mensagens().size(), 1u);
  EXPECT_EQ(Mensagens()[0].Text, "Erro ao carregar o arquivo de configuração");
  EXPECT_EQ(Mensagens()[0].Caption, "Informação");
  EXPECT_EQ(Mensagens()[0].Icon, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_FALSE(StartedUp);
  // The main window closed itself.
  EXPECT_TRUE(EsperarAte([] { return frmPrincipal == nullptr; }));
  EXPECT_EQ(frmIniciando, nullptr);
}

TEST_F(JanelaPrincipal, BrowserWithoutADoctorShowsItsBoxAndNoBrowser) {
  Criar();
  SemStartUp();
  ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst->Banco()));
  ASSERT_EQ(TDMedicos::CountMedicos(), 0);
  frmPrincipal->btnBrowser->Click();
  ASSERT_EQ(Mensagens().size(), 1u);
  EXPECT_EQ(Mensagens()[0].Text, "Será necessário cadastrar um médico antes de utilizar o navegador.");
  EXPECT_EQ(Mensagens()[0].Caption, "Informação");
  EXPECT_EQ(Mensagens()[0].Icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(frmExames, nullptr);
}

TEST_F(JanelaPrincipal, AboutBoxShowsVersionConeAndModules) {
  Criar();
  SemStartUp();
  // The icon lists are built from the program's PNG resources, one image per item, each with alpha.
  for (TsAlphaImageList* lista : {frmPrincipal->img32, frmPrincipal->img16}) {
    ASSERT_TRUE(lista->Generated);
    ASSERT_EQ(lista->Count(), lista->Items()->Count());
    for (int i = 0; i < lista->Count(); ++i) {
      EXPECT_EQ(lista->Items()->Items(i)->ImageWidth, lista->Width()) << lista->Name() << " " << i;
      std::unique_ptr<TBitmap> imagem = lista->CreateBitmap32(i, lista->Width(), lista->Height());
      ASSERT_TRUE(imagem) << lista->Name() << " " << i;
      EXPECT_EQ(imagem->PixelFormat(), pf32bit);
    }
  }
  EXPECT_EQ(frmPrincipal->img32->Count(), 16);
  EXPECT_EQ(frmPrincipal->img16->Count(), 2);
  // No orthokeratology modules are configured where the installation has none.
  AssignText(PathsMZ.DigitalizacaoOrto, CaminhoWindows(inst->Pasta("Modulos") / "NaoExiste.dll"));
  struct TCaso {
    const char* TipoCone;
    const char* Aneis;
  };
  for (const TCaso& caso : {TCaso{"4", "32 (atual)"}, TCaso{"1", "16 (cone pequeno)"}, TCaso{"7", "- - -"}}) {
    SCOPED_TRACE(caso.TipoCone);
    AssignText(InfosMZ.TipoCone, caso.TipoCone);
    std::vector<std::string> rotulos;
    TPassoModal passo([&] {
      for (TLabel* l : {frmSobre->lblversao, frmSobre->lblConeDesc1, frmSobre->lblConeVersao1, frmSobre->lblConeDesc2,
                        frmSobre->lblConeVersao2, frmSobre->lblModuloDesc[0], frmSobre->lblModuloVersao[0],
                        frmSobre->lblModuloDesc[2], frmSobre->lblModuloVersao[2]})
        rotulos.push_back(l->Caption());
      frmSobre->btnFECH->Click();
    });
    frmPrincipal->imgSobre->Click();
    EXPECT_TRUE(EsperarAte([] { return frmSobre == nullptr; }));
    ASSERT_EQ(rotulos.size(), 9u);
    // The test binary carries the program's version resource, whose build number is 0.
    EXPECT_EQ(rotulos[0], "1.0.0.0 stable");
    EXPECT_EQ(rotulos[1], "Tipo do cone");
    EXPECT_EQ(rotulos[2], caso.TipoCone);
    EXPECT_EQ(rotulos[3], "Número de anéis");
    EXPECT_EQ(rotulos[4], caso.Aneis);
    EXPECT_NE(rotulos[5], "- - -");
    EXPECT_EQ(rotulos[6], "1.0.0.0");
    EXPECT_EQ(rotulos[7], "- - -");
    EXPECT_EQ(rotulos[8], "- - -");
  }
}

TEST_F(JanelaPrincipal, AProgramVersionWithABuildNumberIsARelease) {
  Criar();
  SemStartUp();
  const std::filesystem::path modulo = inst->Raiz() / "VersaoRelease.dll";
  TInstalacaoTeste::CopiarModulo("VersaoRelease", modulo);
  BVersionInfo = std::make_unique<TBVersionInfo>();
  BVersionInfo->LoadFromFile(CaminhoWindows(modulo));
  std::string versao;
  TPassoModal passo([&] {
    versao = frmSobre->lblversao->Caption();
    frmSobre->btnFECH->Click();
  });
  frmPrincipal->imgSobre->Click();
  EXPECT_EQ(versao, "1.0.0.7 release");
  EXPECT_TRUE(EsperarAte([] { return frmSobre == nullptr; }));
}

TEST_F(JanelaPrincipal, SiteAndHelpGoThroughTheirHooks) {
  Criar();
  SemStartUp();
  std::vector<TShellCall> chamadas;
  detail::SetShellHook([&](const TShellCall& c) {
    chamadas.push_back(c);
    return c.Success;
  });
  std::vector<THtmlHelpCall> ajuda;
  detail::SetHtmlHelpHook([&](const THtmlHelpCall& c) { ajuda.push_back(c); });
  frmPrincipal->Image3->Click();
  frmPrincipal->btnHelp->Click();
  detail::SetShellHook(nullptr);
  detail::SetHtmlHelpHook(nullptr);
  ASSERT_EQ(chamadas.size(), 1u);
  EXPECT_EQ(chamadas[0].Function, "ShellExecuteA");
  EXPECT_EQ(chamadas[0].Arguments[0], "open");
  EXPECT_EQ(chamadas[0].Arguments[1].rfind("https://", 0), 0u);
  ASSERT_EQ(ajuda.size(), 1u);
  EXPECT_EQ(ajuda[0].Command, static_cast<UINT>(HH_DISPLAY_TOC));
  const std::string sufixo = "\\ajuda\\AjudaPrincipal.chm";
  ASSERT_GE(ajuda[0].File.size(), sufixo.size());
  EXPECT_EQ(ajuda[0].File.substr(ajuda[0].File.size() - sufixo.size()), sufixo);
  EXPECT_TRUE(Mensagens().empty());
}

// Records which of its handlers a map button runs.
class TfrmExamesEspiao : public TfrmExames {
 public:
  using TfrmExames::TfrmExames;
  void MapaClick(TObject* Sender) override { Cliques.push_back("MapaClick"); }
  void MapasClick(TObject* Sender) override { Cliques.push_back("MapasClick"); }
  std::vector<std::string> Cliques;
};

TEST_F(JanelaPrincipal, ModuleDiscoveryListsAndButtonsModulesInReverseSortedOrder) {
  Criar();
  StartedUp = true;
  const std::filesystem::path pasta = inst->Pasta("MapasTeste");
  std::filesystem::create_directories(pasta);
  struct TModulo {
    const char* Nome;
    const char* Info;
    bool Figura;
  };
  const TModulo modulos[] = {
      {"Axial", "Axial\r\n1\r\n1\r\n", false},       {"Tangencial", "Tangencial\r\n1\r\n1\r\n", false},
      {"MultiOrto", "Multi Orto\r\n2\r\n4\r\n", true}, {"Tres", "Tres\r\n3\r\n1\r\n", true},
      {"Zero1", "Zero um\r\n01\r\n2\r\n", true},        {"Duas", "Duas\r\n1\r\n", false},
      {"Juntos", "Juntos\r\n2\r\n3\r\n", true},
  };
  for (const TModulo& m : modulos) {
    TInstalacaoTeste::CopiarModulo("MapasCompleto", pasta / (std::string(m.Nome) + ".dll"));
    std::ofstream(pasta / (std::string(m.Nome) + ".txt"), std::ios::binary) << m.Info;
    if (!m.Figura) continue;
    // Left half red (normal), right half blue (hot), a fuchsia corner.
    TBitmap b;
    b.SetSize(48, 24);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 24, 24));
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(24, 0, 48, 24));
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    b.SaveToFile(CaminhoWindows(pasta / (std::string(m.Nome) + ".bmp")));
  }
  std::ofstream(pasta / "NaoModulo.dll", std::ios::binary) << "not a module";
  auto* browser = new TfrmExamesEspiao(Application);
  frmExames = browser;
  frmPrincipal->LoadMapModules(CaminhoWindows(pasta), false);

  // Sorted: Axial Duas Juntos MultiOrto NaoModulo Tangencial Tres Zero1, taken from the last;
  // Duas (two lines), NaoModulo and Tres (kind 3) are left out.
  const std::vector<std::string> lista{"Zero um", "Simples", "2", "1.0.0.0", "Tangencial", "Simples", "1", "1.0.0.0",
                                       "Multi Orto", "Wizard", "4", "1.0.0.0", "Juntos", "Wizard", "3", "1.0.0.0",
                                       "Axial", "Simples", "1", "1.0.0.0"};
  std::vector<std::string> obtida;
  for (int i = 0; i < frmPrincipal->ListaModulos()->Count(); ++i) obtida.push_back((*frmPrincipal->ListaModulos())[i]);
  EXPECT_EQ(obtida, lista);

  struct TBotaoEsperado {
    const char* Caption;
    const char* Hint;
    int ImageIndex;
    const char* Handler;
  };
  // Each new button takes the toolbar's first place, so the toolbar shows them in sorted order; the
  // pictures were numbered in the order of creation (Zero1 2, MultiOrto 3, Juntos 4).
  const TBotaoEsperado botoes[] = {
      {"Axial", "Axial", 1, "MapaClick"},         {"Juntos", "Juntos", 4, "MapasClick"},
      {"MultiOrto", "Multi Orto", 3, "MapasClick"}, {"Tangencial", "Tangencial", 1, "MapaClick"},
      {"Zero1", "Zero um", 2, "MapaClick"},
  };
  ASSERT_EQ(browser->tlbMapas->ButtonCount(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    TToolButton* b = browser->tlbMapas->Buttons(i);
    EXPECT_EQ(b->Caption(), botoes[i].Caption);
    EXPECT_EQ(b->Hint(), botoes[i].Hint);
    EXPECT_TRUE(b->ShowHint());
    EXPECT_EQ(b->ImageIndex(), botoes[i].ImageIndex);
    browser->Cliques.clear();
    b->Click();
    EXPECT_EQ(browser->Cliques, std::vector<std::string>{botoes[i].Handler});
  }
  // Two design pictures, then the normal (red) and hot (blue) halves of each picture in order.
  ASSERT_EQ(browser->ImageList3->Count(), 5);
  ASSERT_EQ(browser->ImageList4->Count(), 5);
  TBitmap normal, quente;
  browser->ImageList3->GetBitmap(2, &normal);
  browser->ImageList4->GetBitmap(2, &quente);
  EXPECT_EQ(normal.Canvas()->Pixels(12, 12), clRed);
  EXPECT_EQ(quente.Canvas()->Pixels(12, 12), clBlue);
  EXPECT_TRUE(Mensagens().empty());
}

}  // namespace

namespace {

TEST_F(JanelaPrincipal, ShellCallsGoToTheHookWithTheirArguments) {
  Criar();
  StartedUp = true;
  std::vector<TShellCall> chamadas;
  detail::SetShellHook([&](const TShellCall& c) {
    chamadas.push_back(c);
    return c.Success;
  });
  EXPECT_EQ(ShellWinExec("notepad.exe a.txt", SW_SHOW), 33u);
  EXPECT_EQ(ShellFormatarDrive(nullptr, 0, 0xFFFF, 1), 0u);
  EXPECT_TRUE(ShellRotularVolume("A:\\", "MZ3100 01"));
  detail::SetShellHook(nullptr);
  struct TEsperada {
    const char* Function;
    std::vector<std::string> Arguments;
  };
  const TEsperada esperadas[] = {{"WinExec", {"notepad.exe a.txt", "5"}},
                                 {"SHFormatDrive", {"0", "65535", "1"}},
                                 {"SetVolumeLabelA", {"A:\\", "MZ3100 01"}}};
  ASSERT_EQ(chamadas.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(chamadas[i].Function, esperadas[i].Function);
    EXPECT_EQ(chamadas[i].Arguments, esperadas[i].Arguments);
  }
}

TEST_F(JanelaPrincipal, F1OnTheMainWindowAsksForItsHelpContext) {
  Criar();
  StartedUp = true;
  std::vector<THtmlHelpCall> ajuda;
  detail::SetHtmlHelpHook([&](const THtmlHelpCall& c) { ajuda.push_back(c); });
  frmPrincipal->Show();
  SetForegroundWindow(frmPrincipal->Handle());
  frmPrincipal->btnExit->SetFocus();
  PressionarF1();
  EXPECT_TRUE(EsperarAte([&] { return !ajuda.empty(); }, 10000));
  detail::SetHtmlHelpHook(nullptr);
  ASSERT_FALSE(ajuda.empty());
  for (const THtmlHelpCall& c : ajuda) EXPECT_EQ(c.Data, 1u);
}

TEST_F(JanelaPrincipal, TheButtonsShowTheSkinNormalAndHotAsStored) {
  Criar();
  StartedUp = true;
  frmPrincipal->Show();
  SetForegroundWindow(frmPrincipal->Handle());
  frmPrincipal->btnExit->SetFocus();
  // The mouse over "Médicos", its fade run to its end.
  TsButton* quente = frmPrincipal->btnDoctor;
  quente->Perform(CM_MOUSEENTER, 0, 0);
  for (int i = 0; i < 100 && quente->FadeTimer(); ++i) quente->FadeTimer()->Timer();
  RedrawWindow(frmPrincipal->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  uitest::Pump();
  GdiFlush();
  EXPECT_EQ(quente->CurrentState(), 1);
  EXPECT_EQ(frmPrincipal->btnBackup->CurrentState(), 0);
  // The column of the buttons with 10 pixels around it, from the picture of the window.
  auto janelaFoto = skintest::ScreenOf(frmPrincipal->Handle());
  RECT janela, primeiro, ultimo;
  GetWindowRect(frmPrincipal->Handle(), &janela);
  GetWindowRect(frmPrincipal->btnBrowser->Handle(), &primeiro);
  GetWindowRect(frmPrincipal->btnExit->Handle(), &ultimo);
  const TPoint origem = Point(primeiro.left - janela.left - 10, primeiro.top - janela.top - 10);
  std::unique_ptr<TBitmap> foto = std::make_unique<TBitmap>();
  foto->SetPixelFormat(pf24bit);
  foto->SetSize(ultimo.right - primeiro.left + 20, ultimo.bottom - primeiro.top + 20);
  BitBlt(foto->Canvas()->Handle(), 0, 0, foto->Width(), foto->Height(), janelaFoto->Canvas()->Handle(), origem.x,
         origem.y, SRCCOPY);
  std::vector<TRect> textos;
  for (TsButton* b : {frmPrincipal->btnBrowser, frmPrincipal->btnDoctor, frmPrincipal->btnCalibration,
                      frmPrincipal->btnTools, frmPrincipal->btnBackup, frmPrincipal->btnHelp, frmPrincipal->btnExit}) {
    EXPECT_GE(b->SkinData()->SkinIndex, 0);
    RECT r;
    GetWindowRect(b->Handle(), &r);
    textos.push_back(Rect(r.left - primeiro.left + 16, r.top - primeiro.top + 16, r.right - primeiro.left + 4,
                          r.bottom - primeiro.top + 4));
  }
  const auto resultado = skintest::CompareShot(*foto, "main_window_buttons", textos);
  if (resultado.Stored) GTEST_SKIP() << "reference picture written";
  EXPECT_LT(resultado.Different, 0.02);
}

TEST(JanelasPequenas, TipFocusesItsEditAndItsButtonCloses) {
  frmDica = new TfrmDica(Application);
  EXPECT_EQ(frmDica->Caption(), "Dica de Busca");
  EXPECT_EQ(frmDica->sButton7->ImageIndex(), 15);
  bool focada = false;
  TPassoModal passo([&] {
    focada = frmDica->ActiveControl() == frmDica->sEdit1;
    frmDica->sButton7->Click();
  });
  frmDica->ShowModal();
  EXPECT_TRUE(focada);
  EXPECT_TRUE(EsperarAte([] { return frmDica == nullptr; }));
}

TEST(JanelasPequenas, WaitWindowStaysOnTopWithItsText) {
  frmAguarde = new TfrmAguarde(Application);
  EXPECT_EQ(frmAguarde->ClientWidth(), 191);
  EXPECT_EQ(frmAguarde->ClientHeight(), 62);
  EXPECT_EQ(frmAguarde->sPanel1->Caption(), "Aguarde...");
  EXPECT_EQ(frmAguarde->sPanel1->Color(), static_cast<TColor>(RGB(195, 210, 222)));
  frmAguarde->Show();
  EXPECT_TRUE(GetWindowLongA(frmAguarde->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  frmAguarde->Close();
  EXPECT_TRUE(EsperarAte([] { return frmAguarde == nullptr; }));
}

// The user's short date, which the main window replaces with its own while it lives.
std::string DataCurtaDoUsuario() {
  char buf[256] = {};
  DWORD size = sizeof buf;
  return RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\International", "sShortDate", RRF_RT_REG_SZ, nullptr, buf,
                      &size) == ERROR_SUCCESS
             ? buf
             : "(none)";
}

void GravarDataCurta(const std::string& Formato) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\International", "sShortDate", REG_SZ, Formato.c_str(),
                  DWORD(Formato.size() + 1));
}

TEST_F(JanelaPrincipal, TheUsersRegionalValuesComeBackWhenTheWindowIsDestroyedWithoutClosing) {
  const std::string original = DataCurtaDoUsuario();
  GravarDataCurta("d.M.yyyy");
  Criar();
  EXPECT_EQ(DataCurtaDoUsuario(), "dd/MM/yyyy");
  frmPrincipal->Free();
  EXPECT_EQ(frmPrincipal, nullptr);
  EXPECT_EQ(DataCurtaDoUsuario(), "d.M.yyyy");
  GravarDataCurta(original);
}

}  // namespace
