// The multi-exam map modules and the single-map modules through the program's bindings: the wizard's
// choice from the browser's candidate lines, and the maps drawn from the matrices it receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/UBEscalas.h"
#include "core/UBMapaDLL.h"
#include "core/UBMapasDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "plugins/common/BmpCodec.h"
#include "plugins/tests/PastaModulos.h"
#include "toolkit/rtl/Classes.h"

namespace fs = std::filesystem;

namespace {

void Escrever(TMemoryStream& s, const std::vector<std::string>& linhas) {
  std::string t;
  for (const std::string& l : linhas) t += l + "\r\n";
  s.WriteBuffer(t.data(), int64_t(t.size()));
  s.SetPosition(0);
}

std::vector<std::string> Linhas(TMemoryStream& s) {
  TStringList l;
  s.SetPosition(0);
  l.LoadFromStream(&s);
  std::vector<std::string> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l[i]);
  return v;
}

// Presses a button of the wizard's window, as the user would.
UINT Botao = IDCANCEL;
void CALLBACK PressionarBotao(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND h = FindWindowA("MZAssistenteMapas", nullptr)) PostMessageA(h, WM_COMMAND, Botao, 0);
}

// An exam of constant curvature: rings every 6 samples out to 192.
struct Exame {
  TMatrizAngAnel M{}, D{};
  TMatrizAng aneis{};
  TPupila pupila{};
  explicit Exame(double k) {
    for (size_t r = 0; r < 360; ++r) {
      aneis[r] = 32;
      for (size_t j = 0; j <= 32; ++j) M[r][j] = 6.0 * double(j + 1), D[r][j] = k;
    }
  }
};

int Cinza(const TCorRGB& c) { return (c.R + c.G + c.B) / 3; }

class Mapas : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta = std::make_unique<PastaModulos>(
        "mapas-test", std::initializer_list<const char*>{"MultiMapas", "Duplo", "Diferencial", "MultiOrto", "TangencialOrto", "Axial", "Tangencial"});
  }
  static void TearDownTestSuite() { pasta.reset(); }

  void SetUp() override {
    infos = {};
    infos.TipoCone = "4";
    infos.FatorCorrecao = 0.02;
    infos.Z0 = 10;
    infos.NumAneis = 32;
    infos.IncMap = 0.5;
    Configurar(false, "");
  }

  static fs::path Figura() { return pasta->Arquivo("figura.bmp"); }

  static void Configurar(bool automatico, const std::string& escolha) {
    std::ofstream(pasta->Arquivo("Mapas.ini")) << "[MAPAS]\r\nAUTOMATICO=" << (automatico ? 1 : 0) << "\r\nESCOLHA=" << escolha
                                       << "\r\nFIGURA=" << CaminhoWindows(Figura()) << "\r\n";
  }

  // The wizard of a module over candidate lines: its result, the chosen lines in `escolhidos`.
  int Assistente(const std::string& modulo, const std::vector<std::string>& candidatos,
                 std::vector<std::string>& escolhidos) {
    EXPECT_TRUE(CarregarMapasDLL(pasta->Dll(modulo)));
    TLiberarAoSair liberar(LiberarMapasDLL);
    TMemoryStream c, e, p;
    Escrever(c, candidatos);
    TStreamModulo sc(c), se(e), sp(p);
    const int r = modulo == "Diferencial" ? WizardDiferencial(nullptr, &sc, &se, &sp, true, &infos)
                                          : Wizard(nullptr, &sc, &se, &sp, &infos);
    escolhidos = Linhas(e);
    return r;
  }

  // "ProcessaMapas" of a module over exams; the picture it drew, grey.
  ImagemCinza Desenhar(const std::string& modulo, const std::vector<Exame*>& exames) {
    fs::remove(Figura());
    EXPECT_TRUE(CarregarMapasDLL(pasta->Dll(modulo)));
    TLiberarAoSair liberar(LiberarMapasDLL);
    std::vector<std::unique_ptr<TMemoryStream>> infosExame;
    TListaStreamsModulo listas;
    std::vector<TMatrizAngAnel> m, d;
    std::vector<TMatrizAng> a;
    std::vector<TPupila> p;
    for (Exame* e : exames) {
      infosExame.push_back(std::make_unique<TMemoryStream>());
      Escrever(*infosExame.back(), {"Paciente Teste", "1", "12.345.678-9", "Olho Direito", "10/12/2026",
                                    "09:00:00", "Dra. Teste", "95"});
      listas.Adicionar(*infosExame.back());
      m.push_back(e->M), d.push_back(e->D), a.push_back(e->aneis), p.push_back(e->pupila);
    }
    if (modulo == "MultiOrto") {
      std::array<double, 16> valores{};
      ProcessaMapasOrto(nullptr, listas.Dados(), m.data(), d.data(), valores.data(), &infos);
    } else {
      TMemoryStream parametros;
      TStreamModulo sp(parametros);
      ProcessaMapas(nullptr, listas.Dados(), m.data(), a.data(), d.data(), p.data(), int(exames.size()), &sp, &infos);
    }
    return LerFigura();
  }

  // The picture a module wrote instead of showing it, grey.
  static ImagemCinza LerFigura() {
    std::ifstream f(Figura(), std::ios::binary);
    const std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ImagemCinza img;
    EXPECT_TRUE(DecodificarBmp(bmp.data(), bmp.size(), img));
    return img;
  }

  // Centre of panel i of a multi-exam picture.
  static int CentroPainel(const ImagemCinza& img, int i) { return img.At(10 + i * 250 + 120, 30 + 120); }

  static inline std::unique_ptr<PastaModulos> pasta;
  TInfosMZ infos{};
};

const std::vector<std::string> kCandidatos = {
    "Olho Direito - 10/12/2026 09:00:00", "Olho Esquerdo - 10/12/2026 09:05:00",
    "Olho Direito - 03/12/2026 09:00:00", "Olho Direito - 26/11/2026 09:00:00",
    "Olho Direito - 19/11/2026 09:00:00"};

TEST_F(Mapas, EveryModuleLoadsAndDescribesItself) {
  for (const char* m : {"MultiMapas", "Duplo", "Diferencial", "MultiOrto"}) {
    ASSERT_TRUE(CarregarMapasDLL(pasta->Dll(m))) << m;
    TMemoryStream s;
    TStreamModulo ss(s);
    InfoMapas(&ss);
    LiberarMapasDLL();
    const std::vector<std::string> l = Linhas(s);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], m);  // the button's caption is the file name
    EXPECT_EQ(l[1], "2");
  }
  ASSERT_TRUE(CarregarMapaDLL(pasta->Dll("TangencialOrto")));
  EXPECT_NE(ProcessaMapaOrto, nullptr);
  TMemoryStream s;
  TStreamModulo ss(s);
  InfoMapa(&ss);
  LiberarMapaDLL();
  EXPECT_EQ(Linhas(s), (std::vector<std::string>{"TangencialOrto", "1", "1"}));
}

TEST_F(Mapas, WizardChoosesByTheModulesRule) {
  std::vector<std::string> e;
  Configurar(true, "");
  EXPECT_EQ(Assistente("MultiMapas", kCandidatos, e), 1);
  EXPECT_EQ(e, (std::vector<std::string>{kCandidatos[0], kCandidatos[2], kCandidatos[3], kCandidatos[4]}));
  EXPECT_EQ(Assistente("Duplo", kCandidatos, e), 1);
  EXPECT_EQ(e, (std::vector<std::string>{kCandidatos[0], kCandidatos[1]}));

  // The difference list carries kind markers; the chosen lines come back without them.
  const std::vector<std::string> marcados = {"OOlho Direito - 10/12/2026 09:00:00", "TOlho Esquerdo - 10/12/2026 09:05:00",
                                             "TOlho Direito - 03/12/2026 09:00:00"};
  EXPECT_EQ(Assistente("Diferencial", marcados, e), 1);
  EXPECT_EQ(e, (std::vector<std::string>{kCandidatos[0], kCandidatos[2]}));
  Configurar(true, "0,1");  // one exam of each eye: refused
  EXPECT_NE(Assistente("Diferencial", marcados, e), 1);
  Configurar(true, "0,1,2");  // three exams for a two-exam module
  EXPECT_NE(Assistente("Duplo", kCandidatos, e), 1);
}

TEST_F(Mapas, WizardWindowContinuesOrCancels) {
  std::vector<std::string> e;
  Botao = IDCANCEL;
  UINT_PTR t = SetTimer(nullptr, 0, 200, PressionarBotao);
  EXPECT_NE(Assistente("MultiMapas", kCandidatos, e), 1);
  KillTimer(nullptr, t);
  EXPECT_TRUE(e.empty());
  Botao = IDOK;  // the preselection
  t = SetTimer(nullptr, 0, 200, PressionarBotao);
  EXPECT_EQ(Assistente("Duplo", kCandidatos, e), 1);
  KillTimer(nullptr, t);
  EXPECT_EQ(e, (std::vector<std::string>{kCandidatos[0], kCandidatos[1]}));
}

TEST_F(Mapas, DifferenceOfAnExamWithItselfIsZeroAndOfTwoExamsTheirStep) {
  auto a = std::make_unique<Exame>(44.0), b = std::make_unique<Exame>(43.0);
  const TCorRGB zero = TBEscala::Paleta15[7], umDioptria = TBEscala::Paleta15[11];  // quarter-dioptre steps
  ImagemCinza img = Desenhar("Diferencial", {a.get(), a.get()});
  ASSERT_GE(img.largura, 10 + 3 * 250);
  for (int dx : {-80, 0, 60})
    for (int dy : {-70, 0, 50}) EXPECT_EQ(img.At(10 + 2 * 250 + 120 + dx, 150 + dy), Cinza(zero)) << dx << " " << dy;
  img = Desenhar("Diferencial", {a.get(), b.get()});
  EXPECT_EQ(CentroPainel(img, 2), Cinza(umDioptria));
  EXPECT_EQ(img.At(10 + 2 * 250 + 2, 32), 255);  // outside the measured zone
}

TEST_F(Mapas, ExamsSideBySideOnOneScale) {
  auto a = std::make_unique<Exame>(44.0), b = std::make_unique<Exame>(42.0);
  TBEscala escala(false, 0.5);
  escala.GerarEscala(a->D, a->aneis, 0);
  auto cor = [&](double k) {
    int i = 0;
    while (i < 14 && k >= (escala.Niveis[size_t(i)] + escala.Niveis[size_t(i) + 1]) / 2) ++i;
    return Cinza(TBEscala::Paleta15[size_t(i)]);
  };
  ImagemCinza img = Desenhar("MultiMapas", {a.get(), b.get(), a.get()});
  EXPECT_EQ(CentroPainel(img, 0), cor(44.0));
  EXPECT_EQ(CentroPainel(img, 1), cor(42.0));
  EXPECT_EQ(CentroPainel(img, 2), cor(44.0));
  EXPECT_NE(cor(44.0), cor(42.0));
  img = Desenhar("MultiOrto", {a.get(), b.get(), b.get(), a.get()});
  EXPECT_EQ(CentroPainel(img, 1), cor(42.0));
  EXPECT_EQ(CentroPainel(img, 3), cor(44.0));
}

// Unattended, a single map goes to the picture file instead of a window that waits for "Fechar".
TEST_F(Mapas, SingleMapModulesWriteTheirPictureToTheFileOfTheSettings) {
  auto a = std::make_unique<Exame>(44.0);
  for (const char* m : {"Axial", "Tangencial", "TangencialOrto"}) {
    fs::remove(Figura());
    ASSERT_TRUE(CarregarMapaDLL(pasta->Dll(m))) << m;
    TLiberarAoSair liberar(LiberarMapaDLL);
    TMemoryStream info;
    Escrever(info, {"Paciente Teste", "0001", "12.345.678-9 ", "Olho Direito", "10/12/2026", "09:00:00", "Dra. Teste",
                    "0", "95", "C:\\"});
    TStreamModulo si(info);
    TProcessaMapa chamada = ProcessaMapa ? ProcessaMapa : ProcessaMapaOrto;
    chamada(nullptr, nullptr, nullptr, 320, 240, &si, &a->M, &a->aneis, &a->D, &a->pupila, nullptr, &infos);
    const ImagemCinza img = LerFigura();
    EXPECT_EQ(img.largura, 700) << m;
    EXPECT_EQ(img.altura, 480) << m;
    // The middle of the map square: a sphere's curvature in the scale's colour.
    if (img.largura == 700) EXPECT_NE(img.At(240, 240), 255) << m;
    // The texts under the scale end inside the picture: its last rows right of the map are blank.
    if (img.largura == 700 && img.altura == 480)
      for (int y = 472; y < 480; ++y)
        for (int x = 480; x < 700; ++x) ASSERT_EQ(img.At(x, y), 255) << m << " " << x << "," << y;
  }
}

}  // namespace
