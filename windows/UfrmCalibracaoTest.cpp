// Calibration on a test installation: four spheres through the capture and processing stand-ins and
// the fit they give, the fits that must fail, the round calibrator's movie and check pictures, and a
// settings file without the last calibration's date.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "core/UBConstantes.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UBShell.h"
#include "windows/UfrmCalibracao.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::ClicarComMouse;
using windowstest::EsperarAte;
using windowstest::TInstalacaoTeste;

const char kSucesso[] = "A Calibração foi realizada com sucesso.";
const char kFalha[] = "A Calibração não foi realizada com sucesso.";

class JanelaCalibracao : public testing::Test {
 protected:
  void SetUp() override {
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ShortDateFormat = "dd/MM/yyyy";
    FormatSettings.LongTimeFormat = "HH:mm:ss";
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    TInstalacaoTeste::TOpcoes opcoes;
    opcoes.BancoDeDados = false;
    inst = std::make_unique<TInstalacaoTeste>(info->name(), opcoes);
    Carregar();
    detail::SetShellHook([this](const TShellCall& c) {
      chamadas.push_back(c);
      return c.Success;
    });
  }
  void TearDown() override {
    if (frmCalib) {
      frmCalib->Close();
      EXPECT_TRUE(EsperarAte([] { return frmCalib == nullptr; }));
    }
    detail::SetShellHook(nullptr);
    BIniSettings.reset();
    inst.reset();
  }
  void Carregar() {
    BIniSettings = std::make_unique<TBIniSettings>();
    ASSERT_TRUE(BIniSettings->LoadAll());
    CopySettingsToRecords(*BIniSettings);
    InfosMZ.NumAneis = 32;
  }
  TfrmCalib* Abrir() {
    frmCalib = new TfrmCalib(Application);
    frmCalib->Show();
    return frmCalib;
  }
  std::string Pasta() const { return CaminhoWindows(inst->Raiz()) + "\\Calibração\\"; }
  std::string Config(const std::string& Secao, const std::string& Chave) const {
    char valor[256] = {};
    GetPrivateProfileStringA(Secao.c_str(), Chave.c_str(), "<nada>", valor, sizeof valor,
                             CaminhoWindows(inst->Configuracao()).c_str());
    return valor;
  }
  void EscreverEsfera(int Esfera, const std::vector<std::string>& Linhas) const {
    TStringList l;
    for (const std::string& s : Linhas) l.Add(s);
    l.SaveToFile(Pasta() + IntToStr(Esfera) + ".txt");
  }
  // The Movie calls the shell routine's log holds, as "Function Arguments...".
  std::vector<std::string> Filme() {
    std::vector<std::string> out;
    for (const TShellCall& c : chamadas) {
      std::string s = c.Function;
      for (const std::string& a : c.Arguments) s += " " + a;
      out.push_back(s);
    }
    chamadas.clear();
    return out;
  }
  std::string Arquivo(const std::string& Nome) const { return CaminhoWindows(inst->Raiz()) + "\\imgs\\" + Nome; }

  TDialogScript dialogs;
  std::unique_ptr<TInstalacaoTeste> inst;
  std::vector<TShellCall> chamadas;
};

TEST_F(JanelaCalibracao, FourSpheresThroughTheStandInsGiveTheLeastSquaresFit) {
  TfrmCalib* f = Abrir();
  EXPECT_EQ(f->Caption(), "Calibração");
  EXPECT_EQ(f->HelpContext(), 3);
  EXPECT_TRUE(f->pnlCalibQuad->Visible());
  EXPECT_EQ(f->lblUltCalib->Caption(), "01/12/2026 08:00:00");
  const char* const raios[] = {"7.73", "8.05", "8.34", "8.91", "8.91"};
  for (int esfera = 1; esfera <= 4; ++esfera) {
    SCOPED_TRACE(esfera);
    EXPECT_EQ(f->lblRaio->Caption(), raios[esfera - 1]);
    EXPECT_EQ(f->btnANT->Enabled(), esfera != 1);
    EXPECT_EQ(f->btnPRO->Enabled(), esfera != 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f->Esf[i]->Visible(), i == esfera - 1);
    f->btnPRC->Click();
    ASSERT_EQ(f->Passo, esfera + 1);
    EXPECT_TRUE(FileExists(Pasta() + IntToStr(esfera) + ".txt"));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f->imgChk[i]->Visible(), i < esfera);
  }
  EXPECT_EQ(f->btnPRC->Caption(), "Salvar Calibração");
  EXPECT_EQ(f->lblRaio->Caption(), "8.91");
  EXPECT_TRUE(dialogs.Log().empty());
  // The fit worked out here from the four files: y = a + b x per ring, by the centred sums.
  TStringList esferas[4];
  for (int i = 0; i < 4; ++i) esferas[i].LoadFromFile(Pasta() + IntToStr(i + 1) + ".txt");
  ASSERT_GE(esferas[0].Count(), 33);
  std::vector<double> esperado;
  for (int j = 1; j <= 32; ++j) {
    double x[4], y[4], mx = 0, my = 0;
    for (int i = 0; i < 4; ++i) {
      y[i] = StrToFloat(esferas[i][0]);
      x[i] = StrToFloat(esferas[i][j]);
      mx += x[i] / 4;
      my += y[i] / 4;
    }
    double sxy = 0, sxx = 0;
    for (int i = 0; i < 4; ++i) {
      sxy += (x[i] - mx) * (y[i] - my);
      sxx += (x[i] - mx) * (x[i] - mx);
    }
    esperado.push_back(my - sxy / sxx * mx);
    esperado.push_back(sxy / sxx);
  }
  const TDateTime antes = Now();
  f->btnPRC->Click();
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, kSucesso);
  EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
  EXPECT_EQ(dialogs.Log()[0].Icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(EsperarAte([] { return frmCalib == nullptr; }));
  TStringList coef;
  coef.LoadFromFile(Pasta() + "Coef.txt");
  ASSERT_EQ(coef.Count(), 64);
  for (int i = 0; i < 64; ++i) EXPECT_NEAR(StrToFloat(coef[i]), esperado[size_t(i)], 1e-9) << i;
  TDateTime data = 0;
  ASSERT_TRUE(TryStrToDateTime(Config("MODULOS", "ULTIMACALIB"), data));
  EXPECT_GE(data, antes - 2.0 / 86400);
  EXPECT_EQ(BIniSettings->GetUltimaCalib(), Config("MODULOS", "ULTIMACALIB"));
}

TEST_F(JanelaCalibracao, FitsThatCannotHoldWriteNothing) {
  const std::vector<std::string> bons[4] = {{"43.66", "40.1", "41.2", "42.3"},
                                            {"41.93", "38.9", "39.8", "40.7"},
                                            {"40.47", "37.2", "38.6", "39.1"},
                                            {"37.88", "35.0", "36.1", "36.9"}};
  struct TCaso {
    const char* Nome;
    bool Feitas[4];
    int SemArquivo;   // sphere whose file is missing, 0 for none
    int Iguais;       // line with the same value in all four files, 0 for none
    bool Sucesso;
  };
  const TCaso casos[] = {
      {"all four", {true, true, true, true}, 0, 0, true},
      {"a sphere skipped, its old file left", {true, false, true, true}, 0, 0, false},
      {"identical values", {true, true, true, true}, 0, 2, false},
      {"a file missing", {true, true, true, true}, 3, 0, false},
  };
  TfrmCalib* f = Abrir();
  for (const TCaso& c : casos) {
    SCOPED_TRACE(c.Nome);
    DeleteFile(Pasta() + "Coef.txt");
    BIniSettings->WriteParam("Str", "MODULOS", "ULTIMACALIB", "01/12/2026 08:00:00", false);
    for (int i = 0; i < 4; ++i) {
      std::vector<std::string> linhas = bons[i];
      if (c.Iguais) linhas[size_t(c.Iguais)] = "39.5";
      if (c.SemArquivo == i + 1) DeleteFile(Pasta() + IntToStr(i + 1) + ".txt");
      else EscreverEsfera(i + 1, linhas);
      f->EsferaFeita[i + 1] = c.Feitas[i];
    }
    dialogs.ClearLog();
    f->SalvarCalibracao(32);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, c.Sucesso ? kSucesso : kFalha);
    EXPECT_EQ(FileExists(Pasta() + "Coef.txt"), c.Sucesso);
    EXPECT_EQ(Config("MODULOS", "ULTIMACALIB") != "01/12/2026 08:00:00", c.Sucesso);
    if (!c.Sucesso) continue;
    // Three value lines: the pairs of the other rings are 0.
    TStringList coef;
    coef.LoadFromFile(Pasta() + "Coef.txt");
    ASSERT_EQ(coef.Count(), 64);
    EXPECT_NE(coef[0], "0");
    for (int i = 6; i < 64; ++i) EXPECT_EQ(coef[i], "0") << i;
  }
}

TEST_F(JanelaCalibracao, AModuleThatDoesNotLoadIsAFatalError) {
  struct TCaso {
    bool Captura;  // which module is missing
    const char* Codigo;
  };
  for (const TCaso& c : {TCaso{true, "300"}, TCaso{false, "301"}}) {
    SCOPED_TRACE(c.Codigo);
    Carregar();
    AssignText(c.Captura ? PathsMZ.Digitalizacao : PathsMZ.Processamento, Pasta() + "Nenhum.dll");
    TfrmCalib* f = Abrir();
    dialogs.ClearLog();
    f->btnPRC->Click();
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, std::string("Ocorreu um erro fatal no sistema.\r\nEntre em contato com o nosso "
                                                 "suporte técnico.\r\r\nCódigo do Erro: ") +
                                         c.Codigo);
    EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
    EXPECT_EQ(f->Passo, 1);
    EXPECT_FALSE(FileExists(Pasta() + "1.txt"));
    f->Close();
    EXPECT_TRUE(EsperarAte([] { return frmCalib == nullptr; }));
  }
}

TEST_F(JanelaCalibracao, TheRoundCalibratorsMovieAndCheckPicturesFollowTheSteps) {
  InfosMZ.TipoCalibrador = 1;
  TfrmCalib* f = Abrir();
  EXPECT_TRUE(f->pnlCalibRedondo->Visible());
  EXPECT_FALSE(f->pnlCalibQuad->Visible());
  EXPECT_EQ(f->flaCalibrador->Name(), "flaCalibrador");
  EXPECT_EQ(Filme(), (std::vector<std::string>{"LoadMovie 0 " + Arquivo("cbr_mov1.dat"),
                                                "Loop " + Arquivo("cbr_mov1.dat") + " False",
                                                "Stop " + Arquivo("cbr_mov1.dat")}));
  struct TPasso {
    int Maxima;
    int N;
    const char* Filme;  // nullptr: none loaded
    bool ApagaFeita;
  };
  const TPasso passos[] = {
      {0, 1, "cbr_mov1.dat", false},     {0, 2, "cbr_mov1.dat", false},     {2, 3, "cbr_mov2.dat", false},
      {3, 4, "cbr_mov3.dat", false},     {2, 1, "cbr_mov1_ant.dat", true}, {3, 2, "cbr_mov2_ant.dat", true},
      {3, 3, "cbr_mov3_ant.dat", true}, {4, 4, nullptr, true},              {4, 5, nullptr, false},
  };
  for (const TPasso& p : passos) {
    SCOPED_TRACE(p.N);
    f->EsferaMaxima = p.Maxima;
    for (bool& feita : f->EsferaFeita) feita = true;
    for (TShape* c : f->CircEsf) c->SetVisible(true);
    f->ExibirPasso(p.N);
    EXPECT_EQ(Filme(), p.Filme ? std::vector<std::string>{"LoadMovie 0 " + Arquivo(p.Filme)}
                               : std::vector<std::string>{});
    if (p.N <= 4) EXPECT_EQ(f->EsferaFeita[p.N], !p.ApagaFeita);
    if (p.N <= 3) EXPECT_EQ(f->CircEsf[p.N]->Visible(), !(p.Maxima >= p.N));
    EXPECT_FALSE(f->btnANT->Enabled());
    EXPECT_EQ(f->btnPRO->Enabled(), p.N == 1);
  }
  // The check pictures after the wheel turned, all shown before and spheres 2 alone done: step,
  // highest processed, then chkEsf1 .. chkEsf4 ("1" set shown, "0" set hidden, "-" left as it was).
  struct TMarcas {
    int Passo;
    int Maxima;
    const char* Figuras;
  };
  const TMarcas marcas[] = {
      {1, 1, "----"}, {1, 2, "-0--"}, {2, 2, "-0--"}, {2, 3, "-00-"}, {3, 3, "-10-"},
      {3, 4, "-100"}, {4, 4, "-010"}, {4, 5, "0---"}, {5, 4, "0---"}, {5, 5, "0---"},
  };
  for (const TMarcas& m : marcas) {
    SCOPED_TRACE(std::to_string(m.Passo) + "/" + std::to_string(m.Maxima));
    f->Passo = m.Passo;
    f->EsferaMaxima = m.Maxima;
    for (int i = 0; i < 5; ++i) f->EsferaFeita[i] = i == 2;
    for (TImage* c : f->chkEsf) c->SetVisible(true);
    f->TimerTimer(f->Timer);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f->chkEsf[i]->Visible(), m.Figuras[i] != '0') << "chkEsf" << i + 1;
  }
  // A move plays and the timer sets the pace: the buttons come back when it fires.
  f->EsferaMaxima = 0;
  f->ExibirPasso(1);
  Filme();
  f->btnPRO->Click();
  EXPECT_EQ(Filme(), (std::vector<std::string>{"LoadMovie 0 " + Arquivo("cbr_mov1.dat"),
                                                "Loop " + Arquivo("cbr_mov1.dat") + " False",
                                                "Play " + Arquivo("cbr_mov1.dat")}));
  EXPECT_FALSE(f->imgEsf[0]->Visible());
  EXPECT_TRUE(f->Timer->Enabled());
  EXPECT_TRUE(EsperarAte([f] { return !f->Timer->Enabled(); }));
  EXPECT_TRUE(f->imgEsf[0]->Visible());
  EXPECT_TRUE(f->btnANT->Enabled());
  EXPECT_TRUE(f->btnPRO->Enabled());
  // The other calibrator: stored, step 1 again.
  f->rgpTpCalib->SetItemIndex(0);
  EXPECT_EQ(Config("OPCOES", "TIPOCALIBRADOR"), "0");
  EXPECT_EQ(InfosMZ.TipoCalibrador, 0);
  EXPECT_EQ(f->Passo, 1);
  EXPECT_TRUE(f->pnlCalibQuad->Visible());
  EXPECT_FALSE(f->pnlCalibRedondo->Visible());
}

TEST_F(JanelaCalibracao, OpensWithoutTheLastCalibrationsDate) {
  for (const char* valor : {static_cast<const char*>(nullptr), "ontem"}) {
    SCOPED_TRACE(valor ? valor : "(missing)");
    WritePrivateProfileStringA("MODULOS", "ULTIMACALIB", valor, CaminhoWindows(inst->Configuracao()).c_str());
    Carregar();
    TfrmCalib* f = Abrir();
    EXPECT_TRUE(f->Visible());
    EXPECT_FALSE(f->Calibrado);
    EXPECT_EQ(f->lblUltCalib->Caption(), "");
    EXPECT_TRUE(dialogs.Log().empty());
    f->Close();
    EXPECT_TRUE(EsperarAte([] { return frmCalib == nullptr; }));
  }
}

// Handles the pending messages as the program's loop would, until the quit message comes (kept from the
// test's application) or Ms milliseconds have passed; whether it came.
bool EsperarSaida(DWORD Ms) {
  const DWORD fim = GetTickCount() + Ms;
  while (static_cast<LONG>(fim - GetTickCount()) > 0) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_QUIT) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return false;
}

// The whole round by the mouse: the calibration opened from the main window, each sphere through the
// capture module's window, a save that is refused, then "Sair", which must end the program at once.
TEST_F(JanelaCalibracao, AfterARefusedSaveTheFirstSairEndsTheProgram) {
  std::ofstream(inst->Raiz() / "Modulos" / "Captura.ini", std::ios::binary) << "[CAPTURA]\r\nAUTOMATICO=0\r\n";
  ASSERT_EQ(Application->MainForm(), nullptr);
  const windowstest::TPonteiroDeVolta ponteiro;
  Application->CreateForm(frmPrincipal);
  TfrmPrincipal* principal = frmPrincipal;
  StartedUp = true;  // the start-up is not this test's
  principal->Show();
  ASSERT_TRUE(EsperarAte([principal] { return IsWindowVisible(principal->Handle()); }));
  // Each click waits for what the one before it started.
  HWND capturaClicada = nullptr;
  int passoClicado = 0;
  bool salvo = false;
  TTimer* mao = new TTimer(nullptr);
  mao->SetInterval(50);
  mao->OnTimer = [&](TObject*) {
    if (HWND captura = FindWindowA("MZCapturaModelo", nullptr); captura && IsWindowVisible(captura)) {
      if (captura != capturaClicada) ClicarComMouse(GetDlgItem(captura, 102));  // "Capturar"
      capturaClicada = captura;
      return;
    }
    if (!frmCalib || !frmCalib->Visible() || frmCalib->Passo == passoClicado) return;
    passoClicado = frmCalib->Passo;
    // The last sphere's file cut short: the fit is refused.
    if (frmCalib->Passo == 5) {
      EscreverEsfera(4, {"37.88"});
      salvo = true;
    }
    ClicarComMouse(frmCalib->btnPRC->Handle());
  };
  mao->SetEnabled(true);
  ClicarComMouse(principal->btnCalibration->Handle());
  EXPECT_TRUE(EsperarAte([&] { return salvo && frmCalib == nullptr; }));
  mao->Free();
  ASSERT_EQ(dialogs.Log().size(), 1u);
  EXPECT_EQ(dialogs.Log()[0].Text, kFalha);
  EXPECT_FALSE(FileExists(Pasta() + "Coef.txt"));
  // The main window is back as it was: enabled, active, no modal level left.
  EXPECT_TRUE(IsWindowEnabled(principal->Handle()));
  EXPECT_EQ(GetActiveWindow(), principal->Handle());
  ClicarComMouse(principal->btnExit->Handle());
  EXPECT_TRUE(EsperarSaida(10000));
  EXPECT_EQ(frmPrincipal, nullptr);
  principal->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
