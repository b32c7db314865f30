// Astigmatism axes through the whole road of an exam: a toric model eye photographed as the capture
// module does, the processing module's rings, the program's keratometry, the axial module's mini map
// and the aberrometry module's Zernike terms all give the axis a doctor sees on the ring picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/UBAberrometriaDLL.h"
#include "core/UBEscalas.h"
#include "core/UBFuncoesMapas.h"
#include "core/UBMapaDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UBProcDLL.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/common/ModelosOlho.h"
#include "plugins/common/Zernike.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"

namespace {

constexpr double kFator = 0.02, kZ0 = 10.0;
constexpr double kK1 = 44.0, kK2 = 42.0;

// A right-eye cornea of kK2 D with kK1 D on its steep meridian at `eixo` degrees (usual notation),
// placed in the given eye as the capture module places its models.
ModelEye Torica(double eixo, bool direito) {
  ModelEye o;
  o.raio = 337.5 / kK2;
  o.raio2 = 337.5 / kK1;
  o.eixo = eixo + 90.0;  // the model names its flat meridian
  return NoOlho(o, direito);
}

// The model's steep axis in the usual notation, 0 .. 180.
double EixoCurvo(const ModelEye& o) { return std::fmod(o.eixo + 90.0, 180.0); }

// Angle between two axes, 0 and 180 being one.
double DistanciaEixos(double a, double b) {
  const double d = std::fabs(std::fmod(a - b, 180.0));
  return std::fmin(d, 180.0 - d);
}

struct Exame {
  TMatrizAngAnel M{}, D{};
  TMatrizAng aneis{};
  TPupila pupila{};
  double cx = 0, cy = 0, indConf = 0;
};

std::vector<uint8_t> Bytes(TMemoryStream& s) {
  std::vector<uint8_t> b(size_t(s.Size()));
  s.SetPosition(0);
  s.ReadBuffer(b.data(), s.Size());
  return b;
}

// Colour of a pixel of a 24-bit bottom-up BMP, as the map modules write them.
TCorRGB Pixel(const std::vector<uint8_t>& bmp, int x, int y) {
  auto le32 = [&](size_t i) { return int(bmp[i] | bmp[i + 1] << 8 | bmp[i + 2] << 16 | unsigned(bmp[i + 3]) << 24); };
  const int largura = le32(18), altura = le32(22), linha = (largura * 3 + 3) / 4 * 4;
  const uint8_t* p = &bmp[size_t(le32(10)) + size_t(altura - 1 - y) * size_t(linha) + size_t(x) * 3];
  return {p[2], p[1], p[0]};
}

class Eixos : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta = std::make_unique<PastaModulos>("axes-test", std::initializer_list<const char*>{"Processamento", "Axial",
                                                                                           "Aberrometria"});
  }
  static void TearDownTestSuite() { pasta.reset(); }

  void SetUp() override {
    infos.TipoCone = "4";
    infos.FatorCorrecao = kFator;
    infos.Z0 = kZ0;
    infos.NumAneis = 32;
    infos.IncMap = 0.5;
  }

  // The capture module's picture of the eye, through the processing module.
  std::unique_ptr<Exame> Examinar(const ModelEye& olho) {
    ConeModel cone;
    EXPECT_TRUE(MakeCone(infos.TipoCone, kZ0, cone));
    const std::vector<uint8_t> bmp = CodificarBmp(RenderizarAneis(olho, cone, kFator));
    TMemoryStream central;
    central.WriteBuffer(bmp.data(), int64_t(bmp.size()));
    auto e = std::make_unique<Exame>();
    EXPECT_TRUE(CarregarProcDLL(pasta->Dll("Processamento")));
    TLiberarAoSair liberar(LiberarProcDLL);
    TStreamModulo c(central);
    EXPECT_EQ(ProcessaImagem(nullptr, &c, &e->cx, &e->cy, &e->M, &e->aneis, &e->D, &e->pupila, &e->indConf, &infos,
                             &paths),
              1);
    return e;
  }

  static TCeratometria SimK(const Exame& e) {
    const double f = kFator, z0 = kZ0;
    const int numAneis = 32;
    TBFuncoesMapas mapa(e.D, e.M, e.aneis, nullptr, nullptr, e.cx, e.cy, f, z0, "4", numAneis);
    mapa.CalcularMapa(tmAxial);
    TCeratometria k{};
    mapa.GetCeratometria(k, 1.5);
    return k;
  }

  static inline std::unique_ptr<PastaModulos> pasta;
  TInfosMZ infos{};
  TPathsMZ paths{};
};

TEST_F(Eixos, SimKAxisIsTheModelsAxisInBothEyes) {
  for (const double eixo : {0, 30, 45, 60, 90, 120, 135, 150})
    for (const bool direito : {true, false}) {
      const ModelEye olho = Torica(eixo, direito);
      const TCeratometria k = SimK(*Examinar(olho));
      const std::string caso = std::to_string(int(eixo)) + (direito ? " OD" : " OE");
      EXPECT_LE(DistanciaEixos(k.Eixo, EixoCurvo(olho)), 2.0) << caso << ": " << k.Eixo;
      EXPECT_EQ(DistanciaEixos(k.Eixo2, k.Eixo), 90.0) << caso;
      EXPECT_NEAR(k.K1, kK1, 0.15) << caso;
      EXPECT_NEAR(k.K2, kK2, 0.15) << caso;
    }
}

// The axial module's mini map of the 30-degree toric, read back through its colour scale: the
// steepest line through the centre is the displayed 30-degree one, the flattest the 120-degree one.
TEST_F(Eixos, MiniMapShowsTheSteepBandWhereTheRingPictureDoes) {
  const auto e = Examinar(Torica(30, true));
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
  const std::vector<uint8_t> bmp = Bytes(figura);
  ASSERT_GT(bmp.size(), 54u);
  // The 360 x 260 mini map draws the map in a square of 190 pixels at (10, 10).
  const double cx = 10 + 95, cy = 10 + 95;
  auto nivel = [&](double graus, int r) {
    const double a = graus * std::numbers::pi / 180.0;
    const TCorRGB c = Pixel(bmp, int(std::lround(cx + r * std::cos(a))), int(std::lround(cy - r * std::sin(a))));
    for (int i = 0; i < 15; ++i)
      if (TBEscala::Paleta15[size_t(i)] == c) return i;
    return -1;  // the pupil's outline
  };
  // Mean scale level of the line at `graus` (both halves), 10 to 60 pixels from the centre.
  auto linha = [&](double graus) {
    double soma = 0;
    int n = 0;
    for (const double g : {graus, graus + 180})
      for (int r = 10; r <= 60; ++r)
        if (const int v = nivel(g, r); v >= 0) soma += v, ++n;
    EXPECT_GT(n, 80) << graus;
    return soma / n;
  };
  const double curva = linha(30), plana = linha(120);
  EXPECT_GE(curva - plana, 2.0);
  for (int g = 0; g < 180; g += 5) {
    EXPECT_LE(linha(g), curva) << g;
    EXPECT_GE(linha(g), plana) << g;
  }
}

TEST_F(Eixos, AberrometryAstigmatismAxisAgreesWithSimK) {
  const std::filesystem::path resultado = pasta->Arquivo("zernike.txt");
  std::ofstream(pasta->Arquivo("Aberrometria.ini"))
      << "[ABERROMETRIA]\r\nAUTOMATICO=1\r\nRESULTADO=" << CaminhoWindows(resultado) << "\r\n";
  for (const bool direito : {true, false}) {
    const auto e = Examinar(Torica(30, direito));
    const TCeratometria k = SimK(*e);
    ASSERT_TRUE(CarregarAberrometriaDLL(pasta->Dll("Aberrometria")));
    {
      TLiberarAoSair liberar(LiberarAberrometriaDLL);
      TMemoryStream info, clinica;
      TStreamModulo si(info), sc(clinica);
      ProcessaAberrometria(nullptr, &e->M, &e->D, &e->aneis, "4", 32, 1, 3.0, kFator, kZ0, 350, 350, 1, &si, &sc);
    }
    std::ifstream f(resultado);
    std::array<double, kTermosZernike> c{};
    for (double& v : c) ASSERT_TRUE(f >> v);
    EXPECT_LE(DistanciaEixos(EixoAstigmatismo(c), k.Eixo), 2.0) << direito << ": " << EixoAstigmatismo(c);
  }
}

}  // namespace
