// The orthokeratology road through the program's bindings, as the new-exam wizard runs it: a
// series of four captures, their processing into the M and D texts and the 16 values, the texts
// parsed back as the wizard does, and the series drawn by "MultiOrto.dll".
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBCapturaOrtoDLL.h"
#include "core/UBMapasDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UBProcOrtoDLL.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"

namespace fs = std::filesystem;

namespace {

TEST(Orto, SeriesCapturedProcessedAndDrawn) {
  const PastaModulos pasta("orto-test", {"CapturaOrto", "ProcessamentoOrto", "MultiOrto"});
  std::ofstream(pasta.Arquivo("Captura.ini")) << "[CAPTURA]\r\nAUTOMATICO=1\r\nMODELO=1\r\n";
  std::ofstream(pasta.Arquivo("Mapas.ini")) << "[MAPAS]\r\nAUTOMATICO=1\r\nFIGURA=" << CaminhoWindows(pasta.Arquivo("orto.bmp")) << "\r\n";
  TInfosMZ infos{};
  infos.TipoCone = "4";
  infos.FatorCorrecao = 0.02;
  infos.Z0 = 10;
  infos.NumAneis = 16;
  infos.IncMap = 0.5;
  TPathsMZ paths{};
  paths.Calibracao = "Z:\\naoexiste\\";

  std::array<TMemoryStream, 4> centrais, laterais;
  TListaStreamsModulo c, l;
  for (int k = 0; k < 4; ++k) c.Adicionar(centrais[size_t(k)]), l.Adicionar(laterais[size_t(k)]);
  ASSERT_TRUE(CarregarCapturaOrtoDLL(pasta.Dll("CapturaOrto")));
  DigitalizarOrto(nullptr, c.Dados(), l.Dados(), 1, &infos, "Digitalizando Imagem do Olho");
  LiberarCapturaOrtoDLL();
  for (auto& s : centrais) ASSERT_GT(s.Size(), 640 * 480);
  for (auto& s : laterais) ASSERT_GT(s.Size(), 54);

  TMemoryStream m, d, v;
  TStreamModulo sm(m), sd(d), sv(v);
  std::array<double, 4> indices{};
  ASSERT_TRUE(CarregarProcOrtoDLL(pasta.Dll("ProcessamentoOrto")));
  ASSERT_EQ(ProcessaImagemOrto(nullptr, c.Dados(), &sm, &sd, &sv, indices.data(), &infos, &paths), 1);
  LiberarProcOrtoDLL();

  TStringList linhasM, linhasD, valores;
  for (auto [s, lst] : {std::pair{&m, &linhasM}, std::pair{&d, &linhasD}, std::pair{&v, &valores}}) {
    s->SetPosition(0);
    lst->LoadFromStream(s);
  }
  ASSERT_EQ(linhasM.Count(), 4 * 360);
  ASSERT_EQ(linhasD.Count(), 4 * 360);
  ASSERT_EQ(valores.Count(), 16);
  auto M = std::make_unique<std::array<TMatrizAngAnel, 4>>();
  auto D = std::make_unique<std::array<TMatrizAngAnel, 4>>();
  std::array<double, 16> v44{};
  for (int k = 0; k < 4; ++k) {
    LerMatrizTexto(linhasM, 360 * k, (*M)[size_t(k)]);
    LerMatrizTexto(linhasD, 360 * k, (*D)[size_t(k)]);
    EXPECT_GT(indices[size_t(k)], 50) << k;
    for (int i = 0; i < 4; ++i) v44[size_t(k * 4 + i)] = StrToFloatPontoVirgula(valores[k * 4 + i]);
    // Sag, zone diameter, central radius, reliability.
    EXPECT_GT(v44[size_t(k * 4)], 0.1) << k;
    EXPECT_GT(v44[size_t(k * 4 + 1)], 1.5) << k;
    EXPECT_NEAR(v44[size_t(k * 4 + 3)], indices[size_t(k)], 1e-3) << k;
  }
  // The base cornea is 7.75 mm; the treated centre is flatter, and less so later in the day.
  EXPECT_GT(v44[2], 7.95);
  EXPECT_GT(v44[2], v44[14]);
  EXPECT_GT(v44[14], 7.75);

  ASSERT_TRUE(CarregarMapasDLL(pasta.Dll("MultiOrto")));
  std::array<TMemoryStream, 4> listas;
  TListaStreamsModulo ls;
  for (auto& s : listas) ls.Adicionar(s);
  ProcessaMapasOrto(nullptr, ls.Dados(), M->data(), D->data(), v44.data(), &infos);
  LiberarMapasDLL();
  EXPECT_GT(fs::file_size(pasta.Arquivo("orto.bmp")), 100000u);
}

}  // namespace
