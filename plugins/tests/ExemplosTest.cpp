// The example exams: every exam the browser's "Exemplos" tab lists is made by the generator and
// loads back through the map data object, with the shape its category promises. The installation's
// calibration is made on the four spheres.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/UBConeDLL.h"
#include "core/UBFuncoesMapas.h"
#include "core/UBMapOperation.h"
#include "core/UBSettingsTestSupport.h"
#include "plugins/Exemplos/Exemplos.h"
#include "plugins/common/ModelosOlho.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/rtl/SysUtils.h"

namespace fs = std::filesystem;

namespace {

// The browser's list, row by row, and the file prefix it loads for each item.
std::vector<std::string> ItensDoNavegador() {
  std::vector<std::string> itens;
  for (const char* radical : {"Central0", "Periférico0", "Regular0", "Irregular0", "Normal0"})
    for (int n = 1; n <= 6; ++n) itens.push_back((n <= 4 ? "OD - " : "OS - ") + std::string(radical) + std::to_string(n));
  for (int n = 1; n <= 4; ++n) itens.push_back("Orto0" + std::to_string(n));
  return itens;
}

std::string PrefixoDoItem(const std::string& pasta, const std::string& item) {
  return pasta + "\\" + (item.find("Orto") != std::string::npos ? item : item.substr(5));
}

class Exemplos : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta = std::make_unique<PastaModulos>(
        "exemplos-test", std::initializer_list<const char*>{"Captura", "CapturaOrto", "Processamento", "ProcessamentoOrto", "Kelvanor"},
        "Modulos");
    fs::create_directories(pasta->Raiz() / "Exemplos");
    prefixos = GerarExemplos(Config());
  }
  // The stand-in modules and the examples folder.
  static ConfigExemplos Config() {
    ConfigExemplos c;
    c.Captura = pasta->Dll("Captura");
    c.CapturaOrto = pasta->Dll("CapturaOrto");
    c.Processamento = pasta->Dll("Processamento");
    c.ProcessamentoOrto = pasta->Dll("ProcessamentoOrto");
    c.Pasta = Pasta();
    return c;
  }
  static void TearDownTestSuite() { pasta.reset(); }

  static std::string Pasta() { return CaminhoWindows(pasta->Raiz() / "Exemplos"); }

  // The exam of a list item, loaded as the browser loads it.
  std::unique_ptr<TBMapOperation> Carregar(const std::string& item) {
    auto mapa = std::make_unique<TBMapOperation>();
    EXPECT_TRUE(mapa->CarregarArquivosMapa(PrefixoDoItem(Pasta(), item))) << item;
    return mapa;
  }

  // Mean axial curvature of rings de..ate over the meridians from m0 to m1 degrees (the rows' own
  // angles, clockwise as displayed: 90 is straight down).
  static double Media(TBMapOperation& e, int de, int ate, int m0 = 0, int m1 = 359) {
    double s = 0;
    int n = 0;
    for (int m = m0; m <= m1; ++m)
      for (int k = de; k <= std::min(ate, (*e.PtrAneisPorMeridiano())[size_t(m % 360)]); ++k)
        s += (*e.PtrMatrizD())[size_t(m % 360)][size_t(k)], ++n;
    return n ? s / n : 0;
  }

  static inline std::unique_ptr<PastaModulos> pasta;
  static inline std::vector<std::string> prefixos;
  TMessageLog mensagens;  // a file that does not load shows its message here instead of waiting
};

TEST_F(Exemplos, EveryListedExampleIsMadeAndLoads) {
  std::vector<std::string> esperados;
  for (const std::string& item : ItensDoNavegador()) {
    esperados.push_back(PrefixoDoItem(Pasta(), item));
    for (const char* f : {"d.txt", "m.txt", "a.txt"})
      EXPECT_TRUE(FileExists(esperados.back() + f)) << esperados.back() << f;
    auto e = Carregar(item);
    if (item.find("Orto") == std::string::npos) {
      // Every meridian followed to the rings the browser shows.
      const TMatrizAng& aneis = *e->PtrAneisPorMeridiano();
      EXPECT_EQ(*std::min_element(aneis.begin(), aneis.end()), NumAneisExemplos) << item;
      EXPECT_NEAR(e->GetCentroX(), 319.5, 5) << item;
    }
  }
  EXPECT_EQ(prefixos, esperados);
  EXPECT_TRUE(mensagens.Messages().empty());
  // The names are the browser's, accents included.
  EXPECT_TRUE(fs::exists(pasta->Raiz() / "Exemplos" / "Perif\xC3\xA9rico01d.txt"));
}

TEST_F(Exemplos, KeratoconusSteepensTheCentreOrBelowIt) {
  auto normal = Carregar("OD - Normal01"), central = Carregar("OD - Central01"), avancado = Carregar("OD - Central03");
  auto periferico = Carregar("OD - Periférico01");
  EXPECT_GT(Media(*central, 1, 3), Media(*normal, 1, 3) + 2.0);
  EXPECT_GT(Media(*avancado, 1, 3), Media(*central, 1, 3) + 1.0);
  // Below the centre (meridians around 90 degrees) against above it, on the outer rings.
  EXPECT_GT(Media(*periferico, 10, 16, 60, 120), Media(*periferico, 10, 16, 240, 300) + 1.0);
  EXPECT_LT(Media(*periferico, 1, 3), Media(*central, 1, 3) - 2.0);
  // The normal eye is even all round.
  EXPECT_NEAR(Media(*normal, 10, 16, 240, 300), Media(*normal, 10, 16, 60, 120), 0.3);
}

TEST_F(Exemplos, AstigmatismRegularIsSymmetricIrregularIsNot) {
  auto regular = Carregar("OD - Regular01"), irregular = Carregar("OD - Irregular01");
  // With the rule: steep vertical meridian, flat horizontal one, both halves alike.
  const double acima = Media(*regular, 4, 12, 80, 100), abaixo = Media(*regular, 4, 12, 260, 280);
  EXPECT_GT(acima, Media(*regular, 4, 12, 350, 370) + 1.0);
  EXPECT_NEAR(acima, abaixo, 0.3);
  // Irregular: the two halves of the steep meridian differ; its lobe at 110 degrees in the usual
  // notation is the row at 250.
  EXPECT_GT(Media(*irregular, 6, 14, 240, 260), Media(*irregular, 6, 14, 60, 80) + 0.8);
  // The oblique model's Sim-K axis is its own, 45 degrees, and 135 in the left eye (within a few
  // degrees: with 16 rings and two decimals in the files the top of the pairs' curve is flat).
  for (const auto& [item, eixo] : {std::pair{"OD - Regular03", 45}, std::pair{"OS - Regular06", 135}}) {
    auto e = Carregar(item);
    const double f = 0.02, z0 = 10.0;
    const int numAneis = NumAneisExemplos;
    TBFuncoesMapas mapa(*e->PtrMatrizD(), *e->PtrMatrizM(), *e->PtrAneisPorMeridiano(), nullptr, nullptr,
                        e->GetCentroX(), e->GetCentroY(), f, z0, TipoConeExemplos, numAneis);
    mapa.CalcularMapa(tmAxial);
    TCeratometria k{};
    mapa.GetCeratometria(k, 1.5);
    EXPECT_NEAR(k.Eixo, eixo, 6) << item;
  }
}

TEST_F(Exemplos, LeftEyeMirrorsTheRightOne) {
  auto direito = Carregar("OD - Irregular01"), esquerdo = Carregar("OS - Irregular05");
  // The steep lobe at 110 degrees (usual notation) in the right eye sits at 70 in the left: rows
  // at 250 and 290.
  EXPECT_NEAR(Media(*esquerdo, 6, 14, 280, 300), Media(*direito, 6, 14, 240, 260), 0.3);
  EXPECT_GT(Media(*esquerdo, 6, 14, 280, 300), Media(*esquerdo, 6, 14, 100, 120) + 0.8);
}

TEST_F(Exemplos, OrthokeratologySeriesHasItsFourStages) {
  std::vector<double> centro;
  for (int n = 1; n <= 4; ++n) {
    auto e = Carregar("Orto0" + std::to_string(n));
    EXPECT_EQ(e->GetCentroX(), 320);
    EXPECT_EQ(e->GetCentroY(), 240);
    EXPECT_EQ((*e->PtrAneisPorMeridiano())[0], NumAneisExemplos);
    centro.push_back(Media(*e, 1, 3));
  }
  // Flattest after the night of lens wear, steeper at each later picture as the cornea returns.
  for (size_t k = 1; k < 4; ++k) EXPECT_GT(centro[k], centro[k - 1] + 0.2) << k;
  auto normal = Carregar("OD - Normal01");
  EXPECT_LT(centro[0], Media(*normal, 1, 3) - 2.0);
}

// The browser's map modules take an example with the examples' cone type and ring count: with the
// cone-data library's table for that cone, the normal eye's elevation is the model's own surface.
TEST_F(Exemplos, NormalExampleElevationWithTheExamplesCone) {
  ASSERT_TRUE(CarregarConeDLL(pasta->Dll("Kelvanor")));
  auto e = Carregar("OD - Normal01");
  const double f = 0.02, z0 = 10.0;
  const int numAneis = NumAneisExemplos;
  TBFuncoesMapas mapa(*e->PtrMatrizD(), *e->PtrMatrizM(), *e->PtrAneisPorMeridiano(), nullptr, nullptr,
                      e->GetCentroX(), e->GetCentroY(), f, z0, TipoConeExemplos, numAneis);
  ASSERT_NO_THROW(mapa.CalcularMapa(tmElevacao));
  LiberarConeDLL();
  const ModelEye olho = NoOlho(ModelosOlho()[kCorneaNormal].olho, true);
  double pior = 0, alcance = 0;
  int celulas = 0;
  for (int m = 0; m < NumMeridianos; ++m) {
    const auto [dx, dy] = DirecaoMeridiano(GrausDaLinha(m));
    for (int s = 1; s < NumAmostrasRaio && s <= mapa.MatrizM[size_t(m)][size_t(numAneis)]; ++s) {
      double z = 0;
      ASSERT_TRUE(Sag(olho, s * f * dx, -s * f * dy, z));  // the model's y is up
      pior = std::max(pior, std::fabs(mapa.CelulaElevacao(m, s).Cornea - 1000 * z));
      alcance = std::max(alcance, s * f);
      ++celulas;
    }
  }
  // Micrometres against the model's surface, over the 16 rings' zone (about 4 mm off the apex).
  EXPECT_GT(celulas, 360 * 150);
  EXPECT_GT(alcance, 3.8);
  EXPECT_LT(pior, 3.0);
}

TEST_F(Exemplos, TheCalibrationOfTheFourSpheresFitsEveryRing) {
  fs::create_directories(pasta->Raiz() / "Calibracao");
  GerarCalibracao(Config(), CaminhoWindows(pasta->Raiz() / "Calibracao") + "\\", 32);
  for (const char* f : {"1.txt", "2.txt", "3.txt", "4.txt"})
    EXPECT_GT(fs::file_size(pasta->Raiz() / "Calibracao" / f), 0u) << f;
  TStringList coef;
  coef.LoadFromFile(CaminhoWindows(pasta->Raiz() / "Calibracao" / "Coef.txt"));
  ASSERT_EQ(coef.Count(), 64);  // a and b of each of the 32 rings
  // The curvature rises with the ring's mean on the spheres: b of the first ring is not zero.
  EXPECT_NE(StrToFloat(coef[1]), 0.0);
}

}  // namespace
