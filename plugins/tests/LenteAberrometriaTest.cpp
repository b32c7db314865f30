// The contact-lens and aberrometry modules through the program's bindings, with the arguments the
// exam browser hands over, on exams of known shape.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/UBAberrometriaDLL.h"
#include "core/UBLCDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"

namespace fs = std::filesystem;

namespace {

// Rings every 7.8 samples (0.156 mm) out to 5 mm; curvature k0 + ka cos 2(theta - 90) on each meridian.
struct Exame {
  TMatrizAngAnel M{}, D{};
  TMatrizAng aneis{};
  Exame(double k0, double ka) {
    for (size_t r = 0; r < 360; ++r) {
      aneis[r] = 32;
      const double t = (double(r) + 1.0 - 90.0) * 3.14159265358979323846 / 180.0;
      for (size_t j = 0; j <= 32; ++j) M[r][j] = 7.8 * double(j), D[r][j] = k0 + ka * std::cos(2 * t);
    }
  }
};

class Lente : public testing::Test {
 protected:
  void SetUp() override {
    infos.TipoCone = "4";
    infos.FatorCorrecao = 0.02;
    infos.Z0 = 10;
    infos.NumAneis = 32;
  }
  const PastaModulos pasta{"lente-test", {"LC", "Aberrometria"}};
  TInfosMZ infos{};
  TPathsMZ paths{};
};

TEST_F(Lente, FluoresceinPatternOfASteepLensPoolsInTheCentre) {
  std::ofstream(pasta.Arquivo("Lente.ini")) << "[LENTE]\r\nAUTOMATICO=1\r\nCURVA=7.40\r\nFIGURA=" << CaminhoWindows(pasta.Arquivo("lc.bmp"))
                                     << "\r\n";
  auto e = std::make_unique<Exame>(337.5 / 7.80, 0.0);
  ASSERT_TRUE(CarregarLCDLL(pasta.Dll("LC")));
  TLiberarAoSair liberar(LiberarLCDLL);
  TMemoryStream info;
  TStreamModulo si(info);
  ProcessaLente(nullptr, nullptr, &si, 320, 240, &e->M, &e->aneis, &e->D, &infos, &paths);
  std::ifstream f(pasta.Arquivo("lc.bmp"), std::ios::binary);
  const std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  ImagemCinza img;
  ASSERT_TRUE(DecodificarBmp(bmp.data(), bmp.size(), img));
  ASSERT_EQ(img.largura, 320);
  // Bright green (grey ~ (0 + 255 + 40) / 3) under the centre, dark where the lens edge bears.
  EXPECT_GT(img.At(160, 160), 90);
  EXPECT_LT(img.At(160, 2), 40);
}

TEST_F(Lente, SphereHasNoAstigmatismOrComaAndATorusHasAstigmatism) {
  const fs::path resultado = pasta.Arquivo("zernike.txt");
  std::ofstream(pasta.Arquivo("Aberrometria.ini")) << "[ABERROMETRIA]\r\nAUTOMATICO=1\r\nRESULTADO=" << CaminhoWindows(resultado)
                                            << "\r\n";
  auto coeficientes = [&](Exame& e) {
    EXPECT_TRUE(CarregarAberrometriaDLL(pasta.Dll("Aberrometria")));
    TLiberarAoSair liberar(LiberarAberrometriaDLL);
    TMemoryStream info, clinica;
    TStreamModulo si(info), sc(clinica);
    ProcessaAberrometria(nullptr, &e.M, &e.D, &e.aneis, "4", 32, 1, 3.0, 0.02, 10.0, 350, 350, 1, &si, &sc);
    std::ifstream f(resultado);
    std::vector<double> c;
    for (double v; f >> v;) c.push_back(v);
    return c;
  };
  auto esfera = std::make_unique<Exame>(337.5 / 7.80, 0.0);
  std::vector<double> c = coeficientes(*esfera);
  ASSERT_EQ(c.size(), 15u);
  for (int j : {1, 2, 3, 5, 6, 7, 8, 9}) EXPECT_NEAR(c[size_t(j)], 0.0, 0.01) << j;  // micrometres
  EXPECT_GT(std::fabs(c[4]), 10.0);  // defocus of a 7.80 mm cornea over a 6 mm pupil
  EXPECT_GT(std::fabs(c[12]), 0.05);  // a sphere has spherical aberration

  auto toro = std::make_unique<Exame>(337.5 / 7.80, 1.0);  // 2 D of with-the-rule astigmatism
  c = coeficientes(*toro);
  EXPECT_GT(std::fabs(c[5]), 0.5);
  EXPECT_NEAR(c[3], 0.0, 0.05);
}

}  // namespace
