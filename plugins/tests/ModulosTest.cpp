// The program's module bindings against the real stand-in modules and small test modules, and the
// road of a new exam without windows: capture of a model eye, ring processing, map picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/UBCapturaDLL.h"
#include "core/UBConeDLL.h"
#include "core/UBDadosCone.h"
#include "core/UBEscalas.h"
#include "core/UBInfoDLL.h"
#include "core/UBMapaDLL.h"
#include "core/UBMapasDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UBProcDLL.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"

namespace fs = std::filesystem;

namespace {

// Presses "Cancelar" on the capture module's window, as an operator would.
void CALLBACK CancelarCaptura(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND h = FindWindowA("MZCapturaModelo", nullptr)) PostMessageA(h, WM_COMMAND, 103, 0);
}

// The modules laid out as an installation: capture and processing, the map modules, the cone data
// and the small test modules, in one folder of this test's own.
class Modulos : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta = std::make_unique<PastaModulos>("plugins-test",
                                           std::initializer_list<const char*>{
                                               "Captura", "Processamento", "Axial", "Tangencial", "Kelvanor",
                                               "SoOrto", "SemInfo", "MapasSemWizard", "MapasCompleto"});
  }
  static void TearDownTestSuite() { pasta.reset(); }

  void SetUp() override {
    infos = {};
    infos.TipoCone = "4";
    infos.FatorCorrecao = 0.02;
    infos.Z0 = 10;
    infos.NumAneis = 32;
    infos.IncMap = 0.5;
    paths = {};
    calibracao = CaminhoWindows(pasta->Raiz() / "Calib") + "\\";
    paths.Calibracao = calibracao.c_str();
  }

  static void Capturar(int modelo, bool automatico) {
    std::ofstream(pasta->Arquivo("Captura.ini")) << "[CAPTURA]\r\nAUTOMATICO=" << (automatico ? 1 : 0)
                                                     << "\r\nMODELO=" << modelo << "\r\n";
  }

  // Capture (into the two streams) of the given model; false when the capture left no picture.
  bool Digitalizar(TMemoryStream& central, TMemoryStream& lateral, int olho, const char* titulo) {
    if (!CarregarCapturaDLL(pasta->Dll("Captura"))) return false;
    TLiberarAoSair liberar(LiberarCapturaDLL);
    TStreamModulo c(central), l(lateral);
    ::Digitalizar(nullptr, &c, &l, olho, &infos, titulo);
    return central.Size() > 0;
  }

  struct Exame {
    TMatrizAngAnel M{}, D{};
    TMatrizAng aneis{};
    TPupila pupila{};
    double cx = 0, cy = 0, indConf = 0;
  };

  int Processar(TMemoryStream& central, Exame& e) {
    if (!CarregarProcDLL(pasta->Dll("Processamento"))) return -1;
    TLiberarAoSair liberar(LiberarProcDLL);
    TStreamModulo c(central);
    return ProcessaImagem(nullptr, &c, &e.cx, &e.cy, &e.M, &e.aneis, &e.D, &e.pupila, &e.indConf, &infos, &paths);
  }

  static inline std::unique_ptr<PastaModulos> pasta;
  TInfosMZ infos{};
  TPathsMZ paths{};
  std::string calibracao;
};

TEST_F(Modulos, SingleAndMultiMapModulesNeedTheirEntryPoints) {
  EXPECT_TRUE(CarregarMapaDLL(pasta->Dll("SoOrto")));  // "ProcessaMapaOrto" alone is enough
  EXPECT_EQ(ProcessaMapa, nullptr);
  EXPECT_NE(ProcessaMapaOrto, nullptr);
  EXPECT_FALSE(CarregarMapaDLL(pasta->Dll("SemInfo")));  // no "InfoMapa"
  ASSERT_TRUE(CarregarMapaDLL(pasta->Dll("Axial")));
  EXPECT_NE(Visualizar, nullptr);
  LiberarMapaDLL();
  EXPECT_EQ(InfoMapa, nullptr);

  EXPECT_FALSE(CarregarMapasDLL(pasta->Dll("MapasSemWizard")));
  EXPECT_TRUE(CarregarMapasDLL(pasta->Dll("MapasCompleto")));
  LiberarMapasDLL();
  EXPECT_FALSE(CarregarCapturaDLL(pasta->Dll("NaoExiste")));
}

TEST_F(Modulos, DescriptionsByTipo) {
  EXPECT_FALSE(CarregarInfoDLL(pasta->Dll("Axial"), 4));
  LiberarInfoDLL();
  ASSERT_TRUE(CarregarInfoDLL(pasta->Dll("Tangencial"), 1));
  TMemoryStream saida;
  TStreamModulo s(saida);
  InfoMapaDLL(&s);
  LiberarInfoDLL();
  TStringList linhas;
  saida.SetPosition(0);
  linhas.LoadFromStream(&saida);
  ASSERT_EQ(linhas.Count(), 3);
  EXPECT_EQ(linhas[0], "Tangencial");
  EXPECT_EQ(linhas[1], "1");
  EXPECT_TRUE(CarregarInfoDLL(pasta->Dll("Processamento"), 2));
  EXPECT_FALSE(CarregarInfoDLL(pasta->Dll("Axial"), 3));  // map modules have no "Info"
  LiberarInfoDLL();
}

TEST_F(Modulos, ConeDataOfEveryConeTypeOnly) {
  ASSERT_TRUE(CarregarConeDLL(pasta->Dll("Kelvanor")));
  struct Caso {
    const char* tipo;
    size_t aneis;
  };
  for (const Caso c : {Caso{"1", 16}, Caso{"2", 16}, Caso{"3", 32}, Caso{"4", 32}}) {
    TDadosCone dados;
    CarregaDadosConePadrao()(dados, c.tipo, 10.0);
    ASSERT_EQ(dados.C1.size(), c.aneis) << c.tipo;
    ASSERT_EQ(dados.C2.size(), c.aneis) << c.tipo;
    EXPECT_GT(dados.C2.back(), dados.C2.front()) << c.tipo;  // the outer rings are the wider ones
  }
  TDadosCone dados;
  // The small cone's rings stand closer to the axis than the large one's.
  CarregaDadosConePadrao()(dados, "1", 10.0);
  const double pequeno = dados.C2.back();
  CarregaDadosConePadrao()(dados, "2", 10.0);
  EXPECT_LT(pequeno, dados.C2.back());
  for (const char* tipo : {"", "0", "5", "32"}) EXPECT_ANY_THROW(CarregaDadosConePadrao()(dados, tipo, 10.0)) << tipo;
  LiberarConeDLL();
}

TEST_F(Modulos, CaptureAndProcessingUseTheConeOfTheSettings) {
  Capturar(0, true);  // the 7.80 mm reference sphere
  struct Caso {
    const char* tipo;
    int aneis;
  };
  for (const Caso c : {Caso{"1", 16}, Caso{"2", 16}, Caso{"3", 32}, Caso{"4", 32}}) {
    infos.TipoCone = c.tipo;
    infos.NumAneis = c.aneis;
    TMemoryStream central, lateral;
    ASSERT_TRUE(Digitalizar(central, lateral, 2, "Esfera 7,80")) << c.tipo;
    central.SetPosition(0);
    auto e = std::make_unique<Exame>();
    ASSERT_EQ(Processar(central, *e), 1) << c.tipo;
    EXPECT_EQ(*std::min_element(e->aneis.begin(), e->aneis.end()), c.aneis) << c.tipo;
    EXPECT_NEAR(e->D[0][size_t(c.aneis)], 337.5 / 7.80, 0.1) << c.tipo;
  }
  // A cone type the instrument does not have: no picture, no measurement.
  infos.TipoCone = "9";
  TMemoryStream central, lateral;
  EXPECT_FALSE(Digitalizar(central, lateral, 2, "Esfera 7,80"));
  infos.TipoCone = "4";
  ASSERT_TRUE(Digitalizar(central, lateral, 2, "Esfera 7,80"));
  infos.TipoCone = "9";
  central.SetPosition(0);
  auto e = std::make_unique<Exame>();
  EXPECT_EQ(Processar(central, *e), 0);
}

TEST_F(Modulos, CancelledCaptureLeavesTheStreamsEmpty) {
  Capturar(0, false);
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, CancelarCaptura);
  TMemoryStream central, lateral;
  EXPECT_FALSE(Digitalizar(central, lateral, 1, "Digitalizando Imagem do Olho"));
  KillTimer(nullptr, timer);
  EXPECT_EQ(lateral.Size(), 0);
}

// An operator on a thread of its own: the click reaches the capture window as a sent message, with no other
// input behind it. Terminou is set when the capture returns; Acordado tells that the window needed more input.
struct TOperador {
  HANDLE Terminou = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool Acordado = false;
  std::string Modelo;

  static DWORD WINAPI Executar(void* Dados) {
    auto& o = *static_cast<TOperador*>(Dados);
    // The window is found as soon as it is made; it is answered once it is up, its list filled.
    HWND h = nullptr, lista = nullptr;
    for (int i = 0; i < 2000; ++i) {
      h = FindWindowA("MZCapturaModelo", nullptr);
      lista = h ? FindWindowExA(h, nullptr, "COMBOBOX", nullptr) : nullptr;
      if (lista && IsWindowVisible(h) && SendMessageA(lista, CB_GETCURSEL, 0, 0) != CB_ERR) break;
      lista = nullptr;
      WaitForSingleObject(o.Terminou, 10);
    }
    if (!lista) return 0;
    char texto[128] = {};
    SendMessageA(lista, CB_GETLBTEXT, SendMessageA(lista, CB_GETCURSEL, 0, 0), LPARAM(texto));
    o.Modelo = texto;
    // The window painted: nothing is left in its queue that would wake the capture's loop.
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageA(h, WM_COMMAND, 103, 0);
    if (WaitForSingleObject(o.Terminou, 20000) != WAIT_OBJECT_0) {
      o.Acordado = true;
      PostMessageA(h, WM_NULL, 0, 0);
    }
    return 0;
  }
};

TEST_F(Modulos, ASentClickEndsTheCaptureWindowAtOnceAndTheWindowNamesTheSphere) {
  Capturar(1, false);
  TOperador operador;
  HANDLE thread = CreateThread(nullptr, 0, TOperador::Executar, &operador, 0, nullptr);
  TMemoryStream central, lateral;
  EXPECT_FALSE(Digitalizar(central, lateral, 2, "Digitalizando Esfera (8,05)"));
  SetEvent(operador.Terminou);
  WaitForSingleObject(thread, INFINITE);
  for (HANDLE h : {thread, operador.Terminou}) CloseHandle(h);
  EXPECT_FALSE(operador.Acordado) << "the window stayed up after the click";
  EXPECT_EQ(operador.Modelo, "Esfera de calibração 8,05 mm");
}

TEST_F(Modulos, SphereThroughCaptureAndProcessing) {
  Capturar(0, true);  // the 7.80 mm reference sphere
  TMemoryStream central, lateral;
  ASSERT_TRUE(Digitalizar(central, lateral, 1, "Digitalizando Imagem do Olho"));
  EXPECT_GT(lateral.Size(), 54);
  auto e = std::make_unique<Exame>();
  ASSERT_EQ(Processar(central, *e), 1);
  // Each meridian's mean within 0.03 D of 337.5 / 7.80 = 43.27 D.
  for (int m = 0; m < 360; ++m) {
    ASSERT_GE(e->aneis[size_t(m)], 24) << m;
    double soma = 0;
    for (int k = 0; k <= e->aneis[size_t(m)]; ++k) soma += e->D[size_t(m)][size_t(k)];
    EXPECT_NEAR(soma / (e->aneis[size_t(m)] + 1), 337.5 / 7.80, 0.03) << "meridian " << m + 1;
  }
  EXPECT_NEAR(e->cx, 319.5, 0.05);
  EXPECT_GT(e->indConf, 80);

  // The axial map module's mini map: the centre has the scale colour of 43.27 D, the corner is blank.
  ASSERT_TRUE(CarregarMapaDLL(pasta->Dll("Axial")));
  TMemoryStream figura;
  {
    TLiberarAoSair liberar(LiberarMapaDLL);
    TStreamModulo s(figura);
    int reservado = 0;
    ASSERT_EQ(Visualizar(nullptr, &s, nullptr, 0, e->cx, e->cy, &e->M, &e->aneis, &e->D, &e->pupila, &reservado,
                         nullptr, &infos, nullptr),
              1);
  }
  std::string bytes(size_t(figura.Size()), '\0');
  figura.SetPosition(0);
  figura.ReadBuffer(bytes.data(), figura.Size());
  ImagemCinza img;  // grey is enough to tell the colours apart here
  ASSERT_TRUE(DecodificarBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), img));
  ASSERT_EQ(img.largura, 360);
  TBEscala escala(false, 0.5);
  escala.GerarEscala(e->D, e->aneis, 0);
  int nivel = 0;
  while (nivel < 14 && 337.5 / 7.80 >= (escala.Niveis[size_t(nivel)] + escala.Niveis[size_t(nivel) + 1]) / 2) ++nivel;
  const TCorRGB cor = TBEscala::Paleta15[size_t(nivel)];
  EXPECT_EQ(img.At(105, 105), (cor.R + cor.G + cor.B) / 3);
  EXPECT_EQ(img.At(2, 2), 255);
}

TEST_F(Modulos, ToricModelSteepAndFlatMeridians) {
  Capturar(2, true);  // 7.95 mm at 0 degrees, 7.70 mm at 90 degrees
  TMemoryStream central, lateral;
  ASSERT_TRUE(Digitalizar(central, lateral, 0, "Digitalizando Imagem do Olho"));
  auto e = std::make_unique<Exame>();
  ASSERT_EQ(Processar(central, *e), 1);
  int steep = 0, flat = 0;
  double maxK = 0, minK = 1e9;
  for (int a = 1; a <= 180; ++a) {
    double s = 0;
    for (int m : {a, a + 180})
      for (int k = 1; k <= 6; ++k) s += e->D[size_t((m - 1) % 360)][size_t(k)];
    if (s > maxK) maxK = s, steep = a;
    if (s < minK) minK = s, flat = a;
  }
  EXPECT_LE(std::abs(steep - 90), 1);
  EXPECT_TRUE(flat <= 1 || flat >= 179) << flat;
}

TEST_F(Modulos, CalibrationSphereResultText) {
  Capturar(0, true);
  TMemoryStream central, lateral, saida;
  ASSERT_TRUE(Digitalizar(central, lateral, 2, "Digitalizando Esfera (8.05)"));
  ASSERT_TRUE(CarregarProcDLL(pasta->Dll("Processamento")));
  TLiberarAoSair liberar(LiberarProcDLL);
  TStreamModulo c(central), s(saida);
  ASSERT_EQ(ProcessaEsfera(nullptr, &c, "8.05", &s, &infos), 1);
  TStringList linhas;
  saida.SetPosition(0);
  linhas.LoadFromStream(&saida);
  ASSERT_GE(linhas.Count(), 25);
  EXPECT_EQ(linhas[0], "41.9255");  // 337.5 / 8.05
  for (int i = 1; i < linhas.Count(); ++i) EXPECT_NEAR(std::atof(linhas[i].c_str()), 41.9255, 0.3) << i;
}

}  // namespace
