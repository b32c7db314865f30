// The new-exam wizard with the stand-in modules unattended (the maps go to a picture file): both
// eyes saved to the patient it opened for, an orthokeratology series from the browser, saves that
// fail leaving nothing, the steps, the labels, the doctor and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/RecordsTestSupport.h"
#include "core/UBConstantes.h"
#include "core/UBMapOperation.h"
#include "core/UDArquivos.h"
#include "core/UDExames.h"
#include "core/UDPacientes.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmNovoExame.h"
#include "windows/UfrmPrincipal.h"
#include "windows/BancoTestSupport.h"
#include "windows/WindowsTestSupport.h"

namespace fs = std::filesystem;

namespace {

using recordstest::Registros;
using windowstest::TInstalacaoTeste;

class Assistente : public windowstest::TesteComBanco, protected Registros {
 protected:
  void SetUp() override {
    InfosMZ.NumAneis = 32;  // as the start-up sets it
    ASSERT_NO_FATAL_FAILURE(PrepararInstalacao());
    TInstalacaoTeste::CopiarModulo("MultiOrto", inst->Pasta("Mapas") / "MultiOrto.dll");
    std::ofstream(inst->Pasta("Mapas") / "Mapas.ini", std::ios::binary)
        << "[MAPAS]\r\nAUTOMATICO=1\r\nFIGURA=" << windowstest::CaminhoWindows(Figura()) << "\r\n";
    AssignText(InfosMZ.MapaPadraoNovoExame, "Axial");
    // "Ana Clara" comes before "Ana" in code order; each has one exam by Dr. Alfa.
    alfa = Registros::Medico("Dr. Alfa");
    Registros::Medico("Dr. Beta");
    anaClara = Registros::Paciente("Ana Clara", 1);
    TDadosPaciente dados;
    dados.Nome = "Ana";
    dados.Rg = "12.345.678-9";
    ana = TDPacientes::InsertPacientes(dados, EncodeDate(2026, 12, 10), 1);
    Registros::Exame(anaClara, alfa);
    Registros::Exame(ana, alfa, "OS");
    DMPrincipal->PCommitDataBase();
  }
  void TearDown() override {
    if (frmNovoExame) frmNovoExame->Free();
    if (frmExames) frmExames->Free();
    TesteComBanco::TearDown();
  }

  fs::path Figura() const { return inst->Pasta("Mapas") / "figura.bmp"; }
  fs::path ArquivoExame(int Exame, const std::string& Nome) const {
    return inst->Pasta("Exames") / std::to_string(ana) / (std::to_string(Exame) + Nome);
  }
  // The processing module of fixed values, with the pupil and reliability index of the next picture.
  void ProcessamentoFixo() const {
    TInstalacaoTeste::CopiarModulo("ProcessamentoFixo", inst->Pasta("Modulos") / "Processamento.dll");
  }
  void Pupila(const std::string& Valores) const {
    std::ofstream(inst->Pasta("Modulos") / "Processamento.txt") << Valores;
  }

  TfrmExames& AbrirNavegador() {
    AssignText(InfosMZ.MedicoAtivo, "Dr. Alfa");
    AssignText(InfosMZ.PacienteAtivo, "Ana");
    frmExames = new TfrmExames(Application);
    frmExames->Show();
    Application->ProcessMessages();
    EXPECT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(), ana);
    return *frmExames;
  }
  static TfrmNovoExame& AbrirAssistente(bool Orto) {
    frmNovoExame = new TfrmNovoExame(Application);
    frmNovoExame->Orto = Orto;
    frmNovoExame->Show();
    Application->ProcessMessages();
    return *frmNovoExame;
  }
  static void Executar(TfrmNovoExame& W, int Olho) { windowstest::Clicar(Olho == 1 ? W.sButton2 : W.sButton3); }
  static void Fechar(TfrmNovoExame& W) {
    W.Close();
    windowstest::EsperarAte([] { return frmNovoExame == nullptr; });
  }

  static std::vector<std::string> LinhasArquivo(const fs::path& P) {
    std::ifstream f(P, std::ios::binary);
    std::vector<std::string> r;
    for (std::string l; std::getline(f, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      r.push_back(l);
    }
    return r;
  }
  std::vector<std::string> Mensagens() const {
    std::vector<std::string> r;
    for (const TDialogScript::Entry& e : dialogs.Log()) r.push_back(e.Caption + ": " + e.Text);
    return r;
  }

  int alfa = 0, anaClara = 0, ana = 0;
};

// A line of a map data file: NumAneis + 1 values "00.00" each followed by a blank.
std::string LinhaMatriz(double (*Valor)(int), int NumAneis) {
  std::string l;
  for (int k = 0; k <= NumAneis; ++k) {
    char v[32];
    std::snprintf(v, sizeof v, "%05.2f ", Valor(k));
    l += v;
  }
  return l;
}

TEST_F(Assistente, BothEyesAreSavedToThePatientTheWizardOpenedFor) {
  ProcessamentoFixo();
  TfrmExames& nav = AbrirNavegador();
  const int antes = TDExames::GetUltimoCodigo();
  TfrmNovoExame& w = AbrirAssistente(false);
  EXPECT_EQ(w.Height(), 350);
  EXPECT_EQ(w.btnFEC->Caption(), "Fechar");
  EXPECT_EQ(w.btnFEC->Hint(), "Fechar tela do assistente de exame");
  EXPECT_EQ(w.ComboMedicos->Text(), "Dr. Alfa");
  EXPECT_EQ(w.DBlblPaciente->Caption(), "Ana");
  EXPECT_TRUE(w.rbtAxial->Checked());
  // The browser's cursor moves to "Ana Clara" meanwhile.
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", std::to_string(anaClara), 0));

  Executar(w, 1);
  EXPECT_EQ(w.Direito.Passo, 2);
  EXPECT_EQ(w.btnFEC->Caption(), "Cancelar");
  EXPECT_EQ(w.sbtFechar->Caption(), "Cancelar");
  EXPECT_EQ(w.btnFEC->Hint(), "Cancelar exame");
  EXPECT_EQ(w.btnFEC->ImageIndex(), 7);
  EXPECT_FALSE(w.ComboMedicos->Enabled());
  Executar(w, 0);
  Pupila("11 12 13 14 91.5");
  Executar(w, 1);
  Pupila("21 22 23 24 88.25");
  Executar(w, 0);
  Executar(w, 1);
  EXPECT_EQ(w.Direito.Passo, 4);
  EXPECT_EQ(w.Height(), 623);
  EXPECT_TRUE(w.pnlDireito->Visible());
  EXPECT_TRUE(fs::exists(Figura()));
  InfosMZ.SImagemCentral = true;
  InfosMZ.SImagemLateral = true;
  w.Memo3->SetText("Córnea regular");
  Executar(w, 1);
  EXPECT_EQ(w.Direito.Passo, 5);
  EXPECT_FALSE(w.sButton2->Enabled());
  EXPECT_TRUE(w.sButton3->Enabled());
  EXPECT_EQ(w.Height(), 623);  // the left eye is still at its map
  Executar(w, 0);
  InfosMZ.SImagemCentral = false;
  InfosMZ.SImagemLateral = false;
  Executar(w, 0);
  EXPECT_EQ(w.Esquerdo.Passo, 5);
  EXPECT_EQ(w.Height(), 350);
  EXPECT_EQ(w.btnFEC->Caption(), "Fechar");
  EXPECT_EQ(w.btnFEC->ImageIndex(), 13);
  EXPECT_EQ(Mensagens(), (std::vector<std::string>{"Informação: Exame gravado com sucesso",
                                                   "Informação: Exame gravado com sucesso"}));

  const int od = antes + 1, os = antes + 2;
  EXPECT_EQ(TDExames::GetUltimoCodigo(), os);
  struct Olho {
    int Codigo;
    const char* Texto;
    const char* IndConf;
    std::vector<std::string> Pupila;
    const char* Diag;
  };
  for (const Olho& o : {Olho{od, "OD", "91.5", {"11", "12", "13", "14"}, "Córnea regular"},
                        Olho{os, "OS", "88.25", {"21", "22", "23", "24"}, ""}}) {
    SCOPED_TRACE(o.Texto);
    EXPECT_EQ(Valor("SELECT CODPACIENTE FROM EXAMES WHERE CODIGO = :C", o.Codigo), std::to_string(ana));
    EXPECT_EQ(Valor("SELECT CODRESP FROM EXAMES WHERE CODIGO = :C", o.Codigo), std::to_string(alfa));
    EXPECT_EQ(Valor("SELECT OLHO FROM EXAMES WHERE CODIGO = :C", o.Codigo), o.Texto);
    EXPECT_EQ(Valor("SELECT TIPOEXAME FROM EXAMES WHERE CODIGO = :C", o.Codigo), "T");
    EXPECT_EQ(Valor("SELECT BACKUP FROM EXAMES WHERE CODIGO = :C", o.Codigo), "");
    EXPECT_EQ(Valor("SELECT NUMANEIS FROM EXAMES WHERE CODIGO = :C", o.Codigo), std::to_string(InfosMZ.NumAneis));
    EXPECT_EQ(Valor("SELECT TIPOCONE FROM EXAMES WHERE CODIGO = :C", o.Codigo), InfosMZ.TipoCone);
    EXPECT_DOUBLE_EQ(std::stod(Valor("SELECT INDCONF FROM EXAMES WHERE CODIGO = :C", o.Codigo)), std::stod(o.IndConf));
    EXPECT_EQ(Valor("SELECT DIAG FROM EXAMES WHERE CODIGO = :C", o.Codigo), o.Diag);
    const std::vector<std::string> d = LinhasArquivo(ArquivoExame(o.Codigo, "d.txt"));
    const std::vector<std::string> m = LinhasArquivo(ArquivoExame(o.Codigo, "m.txt"));
    ASSERT_EQ(d.size(), 360u);
    ASSERT_EQ(m.size(), 360u);
    EXPECT_EQ(d[0], LinhaMatriz([](int) { return 43.5; }, InfosMZ.NumAneis));
    EXPECT_EQ(m[359], LinhaMatriz([](int k) { return 10.0 * k; }, InfosMZ.NumAneis));
    const std::vector<std::string> a = LinhasArquivo(ArquivoExame(o.Codigo, "a.txt"));
    ASSERT_EQ(a.size(), 367u);
    EXPECT_EQ(std::vector<std::string>(a.begin(), a.begin() + 3), (std::vector<std::string>{"320", "240", "@"}));
    EXPECT_EQ(std::vector<std::string>(a.begin() + 3, a.begin() + 7), o.Pupila);
  }
  TMemoryStream central, lateral;
  TDArquivos::GetImagensByCodExame(od, &central, &lateral);
  ASSERT_GT(central.Size(), 2);
  ASSERT_GT(lateral.Size(), 2);
  EXPECT_EQ(static_cast<const uint8_t*>(central.Memory())[0], 0xFF);
  EXPECT_EQ(static_cast<const uint8_t*>(central.Memory())[1], 0xD8);
  TDArquivos::GetImagensByCodExame(os, &central, &lateral);
  EXPECT_EQ(central.Size(), 0);
  EXPECT_EQ(lateral.Size(), 0);
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM ARQUIVOS WHERE CODIGO_EXAMES = :C", os), "1");

  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", ana), "3");
  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", anaClara), "1");
  const std::string ultimo = Valor("SELECT ULTIMOEXAME FROM PACIENTES WHERE CODIGO = :C", ana);
  EXPECT_EQ(ultimo.substr(0, 3), "OS ");
  EXPECT_EQ(ultimo.size(), 3u + 10 + 1 + 8);
  // The browser is back on the patient and the exam's doctor.
  EXPECT_EQ(DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger(), ana);
  EXPECT_EQ(nav.MedicoEscolhido(), "Dr. Alfa");
  EXPECT_EQ(nav.lswPrincipal->Count(), 3);
  Fechar(w);
}

TEST_F(Assistente, StepsLabelsDoctorAndClosing) {
  for (const auto& [padrao, tangencial] : {std::pair{"Axial", false}, {"Tangencial", true}, {"Outro", true}}) {
    AssignText(InfosMZ.MapaPadraoNovoExame, padrao);
    TfrmNovoExame& w = AbrirAssistente(false);
    EXPECT_EQ(w.rbtTangencial->Checked(), tangencial) << padrao;
    EXPECT_EQ(w.rbtAxial->Checked(), !tangencial) << padrao;
    Fechar(w);
  }
  TfrmNovoExame& w = AbrirAssistente(false);
  EXPECT_EQ(w.ComboMedicos->Text(), "");  // no browser, no doctor
  EXPECT_EQ(w.ComboMedicos->Items()->Count(), 3);
  Executar(w, 1);
  EXPECT_EQ(Mensagens(), std::vector<std::string>{"Erro: Selecione um médico responsável pelo exame."});
  EXPECT_EQ(dialogs.Log().back().Icon, UINT(MB_ICONERROR));
  EXPECT_TRUE(w.sButton2->Enabled());
  EXPECT_EQ(w.Direito.Passo, 1);

  // A label not reached yet (red) does nothing.
  dialogs.ClearLog();
  EXPECT_EQ(w.Direito.Rotulos[2]->FocusFont()->Color(), TColor(255));
  w.lblDigitClick(w.Direito.Rotulos[2]);
  EXPECT_EQ(w.Direito.Passo, 1);
  EXPECT_TRUE(dialogs.Log().empty());

  w.ComboMedicos->SetItemIndex(w.ComboMedicos->Items()->IndexOf("Dr. Beta"));
  Executar(w, 1);
  EXPECT_EQ(w.Direito.Passo, 2);
  EXPECT_FALSE(w.ComboMedicos->Enabled());
  EXPECT_TRUE(w.Direito.Feitos[0]->Visible());
  EXPECT_EQ(w.Direito.Seta->Top(), w.Direito.Feitos[1]->Top());
  EXPECT_EQ(w.Esquerdo.Passo, 1);

  // A reached label (blue) runs its step again.
  EXPECT_EQ(w.Direito.Rotulos[0]->FocusFont()->Color(), TColor(0xFF0000));
  w.Direito.Central.reset();
  w.lblDigitClick(w.Direito.Rotulos[0]);
  EXPECT_EQ(w.Direito.Passo, 2);
  ASSERT_TRUE(w.Direito.Central);
  EXPECT_GT(w.Direito.Central->Size(), 0);
  EXPECT_EQ(w.ComboMedicos->Text(), "Dr. Beta");

  // Cancelling asks; "Não" keeps the exam.
  dialogs.Answer(IDNO);
  windowstest::Clicar(w.btnFEC);
  EXPECT_EQ(Mensagens(), std::vector<std::string>{"Informação: Tem ceteza que deseja cancelar o exame?"});
  EXPECT_TRUE(w.Visible());
  // Esc closes at once, without a question.
  dialogs.ClearLog();
  SendMessageA(w.sButton2->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(windowstest::EsperarAte([] { return frmNovoExame == nullptr; }));
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(Assistente, AnExamsFolderThatCannotBeMadeGivesTheDiskMessageAndKeepsNothing) {
  ProcessamentoFixo();
  AbrirNavegador();
  std::ofstream(inst->Pasta("Exames") / std::to_string(ana)) << "não é uma pasta";
  const int exames = TDExames::CountExames();
  TfrmNovoExame& w = AbrirAssistente(false);
  for (int i = 0; i < 4; ++i) Executar(w, 1);
  EXPECT_EQ(Mensagens(), std::vector<std::string>{"Informação: Não foi possivel salvar o exame, verifique se o disco "
                                                  "rigido\restá cheio ou entre em contato com a nossa assistência "
                                                  "técnica."});
  EXPECT_EQ(dialogs.Log().back().Icon, UINT(MB_ICONEXCLAMATION));
  EXPECT_EQ(TDExames::CountExames(), exames);
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM ARQUIVOS WHERE CODIGO_EXAMES > :C", 0), "0");
  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", ana), "1");
  EXPECT_EQ(w.Direito.Passo, 4);
  EXPECT_TRUE(w.sButton2->Enabled());
  Fechar(w);
}

TEST_F(Assistente, AnOrthokeratologySeriesFromTheBrowserSavesFourExams) {
  TfrmExames& nav = AbrirNavegador();
  const int antes = TDExames::GetUltimoCodigo();
  std::vector<std::string> valores, textoD;
  windowstest::TPassoModal passo([&] {
    TfrmNovoExame& w = *frmNovoExame;
    EXPECT_EQ(w.Caption(), "Assistente para criação do exame - Ortoceratologia");
    EXPECT_TRUE(w.rbtMultiOrto->Visible());
    EXPECT_TRUE(w.rbtMultiOrto->Checked());
    EXPECT_FALSE(w.rbtAxial->Visible());
    for (int i = 0; i < 4; ++i) Executar(w, 0);
    EXPECT_EQ(w.Esquerdo.Passo, 5);
    TStringList l;
    w.Esquerdo.SaidaValores->SetPosition(0);
    l.LoadFromStream(w.Esquerdo.SaidaValores.get());
    for (int i = 0; i < l.Count(); ++i) valores.push_back(l[i]);
    w.Esquerdo.SaidaD->SetPosition(0);
    l.LoadFromStream(w.Esquerdo.SaidaD.get());
    for (int i = 0; i < l.Count(); ++i) textoD.push_back(l[i]);
    w.Close();
  });
  nav.tbExameOrto1->OnClick(nav.tbExameOrto1);
  EXPECT_TRUE(windowstest::EsperarAte([] { return frmNovoExame == nullptr; }));
  ASSERT_EQ(valores.size(), 16u);
  ASSERT_EQ(textoD.size(), 4u * 360);
  EXPECT_EQ(TDExames::GetUltimoCodigo(), antes + 4);
  std::set<std::string> horas;
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const int codigo = antes + 1 + k;
    EXPECT_EQ(Valor("SELECT TIPOEXAME FROM EXAMES WHERE CODIGO = :C", codigo), "O");
    EXPECT_EQ(Valor("SELECT OLHO FROM EXAMES WHERE CODIGO = :C", codigo), "OS");
    EXPECT_EQ(Valor("SELECT CODPACIENTE FROM EXAMES WHERE CODIGO = :C", codigo), std::to_string(ana));
    horas.insert(Valor("SELECT HORA FROM EXAMES WHERE CODIGO = :C", codigo));
    const auto quatro = [](const std::string& t) { return std::round(std::stod(t) * 10000) / 10000; };
    EXPECT_DOUBLE_EQ(std::stod(Valor("SELECT SAG FROM EXAMESORTO WHERE CODEXAME = :C", codigo)), quatro(valores[4 * k]));
    EXPECT_DOUBLE_EQ(std::stod(Valor("SELECT DIV FROM EXAMESORTO WHERE CODEXAME = :C", codigo)), quatro(valores[4 * k + 1]));
    EXPECT_DOUBLE_EQ(std::stod(Valor("SELECT RAIO FROM EXAMESORTO WHERE CODEXAME = :C", codigo)), quatro(valores[4 * k + 2]));
    EXPECT_DOUBLE_EQ(std::stod(Valor("SELECT EXC FROM EXAMESORTO WHERE CODEXAME = :C", codigo)), 0.0);
    const std::vector<std::string> a = LinhasArquivo(ArquivoExame(codigo, "a.txt"));
    ASSERT_EQ(a.size(), 367u);
    EXPECT_EQ(std::vector<std::string>(a.begin(), a.begin() + 7),
              (std::vector<std::string>{"320", "240", "@", "0", "0", "0", "0"}));
    EXPECT_EQ(a[366], std::to_string(InfosMZ.NumAneis));
    const std::vector<std::string> d = LinhasArquivo(ArquivoExame(codigo, "d.txt"));
    ASSERT_EQ(d.size(), 360u);
    EXPECT_EQ(d[0], textoD[size_t(360 * k)]);
    EXPECT_EQ(d[359], textoD[size_t(360 * k + 359)]);
  }
  EXPECT_EQ(horas.size(), 4u);  // four distinct seconds
  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", ana), "5");
  EXPECT_EQ(nav.lswPrincipal->Count(), 5);
}

TEST_F(Assistente, AFailureAtTheThirdOrthokeratologyExamLeavesNothing) {
  AbrirNavegador();
  const int antes = TDExames::GetUltimoCodigo(), exames = TDExames::CountExames();
  // The third exam's a.txt cannot be written: a folder stands where it belongs.
  fs::create_directories(ArquivoExame(antes + 3, "a.txt"));
  TfrmNovoExame& w = AbrirAssistente(true);
  for (int i = 0; i < 3; ++i) Executar(w, 1);
  dialogs.ClearLog();
  Executar(w, 1);
  ASSERT_EQ(dialogs.Log().size(), 1u);  // the default error box
  EXPECT_EQ(dialogs.Log()[0].Icon, UINT(MB_ICONSTOP));
  EXPECT_EQ(w.Direito.Passo, 4);
  EXPECT_TRUE(w.sButton2->Enabled());
  EXPECT_EQ(TDExames::CountExames(), exames);
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM EXAMESORTO WHERE CODEXAME > :C", antes), "0");
  for (int codigo = antes + 1; codigo <= antes + 3; ++codigo)
    for (const char* a : {"d.txt", "m.txt"}) EXPECT_FALSE(fs::exists(ArquivoExame(codigo, a))) << codigo << a;
  EXPECT_FALSE(fs::exists(ArquivoExame(antes + 1, "a.txt")));
  EXPECT_EQ(Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", ana), "1");
  Fechar(w);
}

TEST_F(Assistente, ANewExamFromTheBrowserRunsThroughTheStandIns) {
  TfrmExames& nav = AbrirNavegador();
  // Without a patient the wizard does not open.
  DMPrincipal->IBQueryPacientes->Close();
  nav.tbNovoExame1->OnClick(nav.tbNovoExame1);
  EXPECT_EQ(Mensagens(), std::vector<std::string>{"Informação: Selecione um Paciente para efetuar o exame!"});
  EXPECT_EQ(frmNovoExame, nullptr);
  nav.AtualizarPacientes(ana, "Dr. Alfa");
  dialogs.ClearLog();
  const int antes = TDExames::GetUltimoCodigo();
  windowstest::TPassoModal passo([&] {
    TfrmNovoExame& w = *frmNovoExame;
    EXPECT_EQ(w.Caption(), "Assistente para criação do exame");
    EXPECT_FALSE(w.Orto);
    for (int i = 0; i < 4; ++i) Executar(w, 1);
    EXPECT_EQ(w.Direito.Passo, 5);
    w.Close();
  });
  nav.tbNovoExame1->OnClick(nav.tbNovoExame1);
  EXPECT_TRUE(windowstest::EsperarAte([] { return frmNovoExame == nullptr; }));
  EXPECT_EQ(Mensagens(), std::vector<std::string>{"Informação: Exame gravado com sucesso"});
  EXPECT_EQ(TDExames::GetUltimoCodigo(), antes + 1);
  EXPECT_EQ(Valor("SELECT OLHO FROM EXAMES WHERE CODIGO = :C", antes + 1), "OD");
  EXPECT_EQ(LinhasArquivo(ArquivoExame(antes + 1, "m.txt")).size(), 360u);
  EXPECT_EQ(nav.lswPrincipal->Count(), 2);
}

// What the operator sees while a map window is up: the map window, then the wait window gone; the map is
// closed then, or after a long deadline.
struct TVistaMapa {
  bool MapaVisto = false, AguardeEscondido = false;
  DWORD Inicio = 0;
  RECT Mapa{};
};
TVistaMapa vistaMapa;

void CALLBACK OlharMapa(HWND, UINT, UINT_PTR, DWORD) {
  HWND mapa = FindWindowA("MZFiguraModulo", nullptr);
  if (!mapa || !IsWindowVisible(mapa)) return;
  vistaMapa.MapaVisto = true;
  GetWindowRect(mapa, &vistaMapa.Mapa);
  vistaMapa.AguardeEscondido = frmAguarde && !IsWindowVisible(frmAguarde->Handle());
  if (vistaMapa.AguardeEscondido || GetTickCount() - vistaMapa.Inicio > 20000) PostMessageA(mapa, WM_CLOSE, 0, 0);
}

TEST_F(Assistente, TheThumbnailIsSmoothedAndTheMapWindowOpensCentredWithTheWaitWindowGone) {
  ProcessamentoFixo();
  AbrirNavegador();  // it makes the wait window, hidden
  ASSERT_NE(frmAguarde, nullptr);
  std::ofstream(inst->Pasta("Mapas") / "Mapas.ini", std::ios::binary) << "[MAPAS]\r\n";
  TfrmNovoExame& w = AbrirAssistente(false);
  Executar(w, 1);
  // The captured rings are reduced to the thumbnail through a smoothing filter, without moiré.
  EXPECT_EQ(w.Direito.Previa->Bitmap()->StretchFilter(), sfSpline);
  Executar(w, 1);
  ASSERT_EQ(w.Direito.Passo, 3);
  vistaMapa = {};
  vistaMapa.Inicio = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, OlharMapa);
  Executar(w, 1);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(vistaMapa.MapaVisto);
  EXPECT_TRUE(vistaMapa.AguardeEscondido) << "the wait window stayed up behind the map";
  EXPECT_FALSE(IsWindowVisible(frmAguarde->Handle()));
  // The map window opens centred on the wizard that called it.
  RECT assistente;
  GetWindowRect(w.Handle(), &assistente);
  EXPECT_NEAR(vistaMapa.Mapa.left + vistaMapa.Mapa.right, assistente.left + assistente.right, 2);
  EXPECT_NEAR(vistaMapa.Mapa.top + vistaMapa.Mapa.bottom, assistente.top + assistente.bottom, 2);
  frmAguarde->Free();
}

}  // namespace
