#include "core/UBFuncoesMapas.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <random>

#include "core/SuperficiesTeste.h"
#include "core/UBErroMapa.h"
#include "core/UBNumerosMapa.h"
#include "toolkit/rtl/NumberText.h"

namespace {

using superficies::ExameSintetico;

// A map object over one synthetic exam, with the model cone as its cone data.
struct Mapa {
  explicit Mapa(ExameSintetico exame, double f = superficies::F, int numAneis = superficies::Aneis)
      : e(std::move(exame)), F(f), NumAneis(numAneis), escala(false, 1),
        mapa(e.D, e.M, e.AneisPorMeridiano, &escala, nullptr, e.CentroX, e.CentroY, F, Z0, "4", NumAneis) {
    mapa.CarregaDadosCone = [](TDadosCone& dados, const std::string&, double) { dados = superficies::TabelaCone(); };
  }
  ExameSintetico e;
  double F, Z0 = 0;
  int NumAneis;
  TBEscala escala;
  TBFuncoesMapas mapa;
};

TCeratometria Ceratometria(TBFuncoesMapas& mapa, double raio = 1.5) {
  TCeratometria k{};
  mapa.GetCeratometria(k, raio);
  return k;
}

TEST(TBFuncoesMapas, EsferaAxialUniforme) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(tmAxial);
  EXPECT_EQ(m.mapa.NomeMapa, "Axial");
  const int ultimo = int(std::nearbyint(m.e.M[0][superficies::Aneis]));
  for (int mer = 0; mer < NumMeridianos; ++mer)
    for (int s = 0; s < ultimo; ++s) {
      ASSERT_EQ(m.mapa.Celula(mer, s).Valor, 43.27) << mer << " " << s;
      ASSERT_EQ(m.mapa.Celula(mer, s).Raio, 7.80);
    }
  // Past the last ring nothing is written.
  EXPECT_EQ(m.mapa.Celula(0, ultimo + 2).Valor, 0);
  EXPECT_EQ(m.mapa.GetValorMaximo(), 43.27);
  EXPECT_EQ(m.mapa.MinimoGrade, 43.27);
  EXPECT_EQ(m.mapa.CentroGrade, 43.27);
  EXPECT_DOUBLE_EQ(m.mapa.ExtensaoRadial, m.e.M[0][superficies::Aneis]);

  const TCeratometria k = Ceratometria(m.mapa);
  EXPECT_DOUBLE_EQ(k.K1, 43.27);
  EXPECT_DOUBLE_EQ(k.K2, 43.27);
  EXPECT_NEAR(k.R1, 7.80, 0.001);
  EXPECT_EQ(k.DeltaK, 0);
  EXPECT_EQ(k.Raio, 1.5);
  // Every pair ties: the last one, meridian 180, gives the axis.
  EXPECT_EQ(k.Eixo, 0);
  EXPECT_EQ(k.Eixo2, 90);
}

TEST(TBFuncoesMapas, ToricaRegraDeDesempate) {
  Mapa m(superficies::Torica(42.00, 44.00, 180));
  m.mapa.CalcularMapa(tmAxial);
  const TCeratometria k = Ceratometria(m.mapa);
  EXPECT_EQ(k.K1, 44.00);
  EXPECT_EQ(k.K2, 42.00);
  EXPECT_DOUBLE_EQ(k.DeltaK, 2.00);
  EXPECT_NEAR(k.R1, 337.5 / 44, 1e-12);
  EXPECT_NEAR(k.DeltaR, 337.5 / 44 - 337.5 / 42, 1e-12);
  // Cells hold hundredths, so meridians 88 to 92 all read 44.00 and the last of them wins.
  EXPECT_EQ(k.Eixo, 88);
  EXPECT_EQ(k.Eixo2, 178);
  EXPECT_EQ(m.mapa.GetValorMaximo(), 44.00);
  EXPECT_EQ(m.mapa.MinimoGrade, 42.00);
}

TEST(TBFuncoesMapas, EixosDoParMaisCurvo) {
  struct Caso {
    int Par;  // the steepest pair: meridians Par and Par + 180
    uint16_t Eixo, Eixo2;
    double K2;
  };
  const Caso casos[] = {{90, 90, 180, 42}, {91, 89, 179, 41}, {1, 179, 89, 42}, {180, 0, 90, 41}, {45, 135, 45, 42}};
  for (const Caso& c : casos) {
    ExameSintetico e = superficies::Esfera(7.80);
    for (int mer = 0; mer < NumMeridianos; ++mer) {
      const int grau = mer + 1;
      const double k = grau == c.Par || grau == c.Par + 180 ? 45 : (grau % 180 <= 90 && grau % 180 > 0 ? 41 : 42);
      e.D[size_t(mer)].fill(k);
    }
    Mapa m(e);
    m.mapa.CalcularMapa(tmAxial);
    const TCeratometria k = Ceratometria(m.mapa);
    EXPECT_EQ(k.K1, 45) << c.Par;
    EXPECT_EQ(k.Eixo, c.Eixo) << c.Par;
    EXPECT_EQ(k.Eixo2, c.Eixo2) << c.Par;
    EXPECT_EQ(k.K2, c.K2) << c.Par;
  }
  // Of a toric's several steepest pairs (hundredths tie) the last gives the axis.
  struct Torico {
    double EixoPlano;
    uint16_t Eixo, Eixo2;
  };
  for (const Torico t : {Torico{0, 89, 179}, Torico{45, 44, 134}, Torico{135, 134, 44}}) {
    Mapa m(superficies::Torica(40.00, 48.00, t.EixoPlano));
    m.mapa.CalcularMapa(tmAxial);
    const TCeratometria k = Ceratometria(m.mapa);
    EXPECT_EQ(k.Eixo, t.Eixo) << t.EixoPlano;
    EXPECT_EQ(k.Eixo2, t.Eixo2) << t.EixoPlano;
  }
}

TEST(TBFuncoesMapas, MatrizesDoChamadorIntactas) {
  Mapa m(superficies::Esfera(7.80));
  const ExameSintetico antes = m.e;
  for (uint8_t tipo : {tmTangencial, tmRefrativo, tmElevacao, tmOrtoAxial, tmOrtoTangencial, tmOrtoRefrativo}) {
    m.e.AneisPorMeridiano[10] = 5;
    const TMatrizAng aneis = m.e.AneisPorMeridiano;
    m.mapa.CalcularMapa(tipo);
    EXPECT_EQ(m.e.D, antes.D) << int(tipo);
    EXPECT_EQ(m.e.M, antes.M) << int(tipo);
    EXPECT_EQ(m.e.AneisPorMeridiano, aneis) << int(tipo);
  }
  // The orthokeratology types work on all rings in the object's own copy.
  EXPECT_EQ(m.mapa.Aneis[10], superficies::Aneis);
}

TEST(TBFuncoesMapas, TangencialEhAxialEscalada) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(tmTangencial);
  EXPECT_EQ(m.mapa.NomeMapa, "Tangencial");
  const double esperado = ArredondarCentesimos(337.5 / 7.80 * (1 - superficies::F));
  EXPECT_EQ(m.mapa.Celula(100, 50).Valor, esperado);
  for (int k = 0; k <= superficies::Aneis; ++k) EXPECT_NEAR(m.mapa.D[100][k], 337.5 / 7.80 * (1 - superficies::F), 1e-9);
  EXPECT_EQ(m.mapa.D[100][superficies::Aneis + 1], 0);
}

// Spread of the final difference map over the grid, in micrometres.
double Espalhamento(const TBFuncoesMapas& mapa) {
  double lo = 1e9, hi = -1e9;
  for (int mer = 0; mer < NumMeridianos; ++mer)
    for (int s = 1; s < NumAmostrasRaio; ++s) {
      if (s > mapa.MatrizM[size_t(mer)][superficies::Aneis]) break;
      const double v = mapa.CelulaElevacao(mer, s).Diferenca;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  return hi - lo;
}

TEST(TBFuncoesMapas, ElevacaoDaEsferaContraSuaEsfera) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(tmElevacao);
  EXPECT_EQ(m.mapa.NomeMapa, "Elevação");
  EXPECT_NEAR(m.mapa.CurvaturaMedia, 337.5 / 7.80, 1e-9);
  EXPECT_LE(Espalhamento(m.mapa), 1.0);
  // The cornea's own elevation follows the sphere's sag.
  const double p = m.mapa.PosicaoRadial[0][superficies::Aneis];
  EXPECT_NEAR(m.mapa.ElevCornea[0][superficies::Aneis], 1000 * superficies::Sag(7.80, p), 1.0);
  EXPECT_NEAR(m.mapa.ElevBFS[0][superficies::Aneis], 1000 * superficies::Sag(7.80, p), 1e-9);
  // The curvature grid is the axial one.
  EXPECT_EQ(m.mapa.GetValorMaximo(), 43.27);
}

TEST(TBFuncoesMapas, ElevacaoDeOutrasEsferas) {
  for (double r : {7.5, 7.65, 7.95, 8.2}) {
    Mapa m(superficies::Esfera(r));
    m.mapa.CalcularMapa(tmElevacao);
    EXPECT_LE(Espalhamento(m.mapa), 5.0) << r;
  }
}

TEST(TBFuncoesMapas, ElevacaoMaiorDiferencaTerminaEmZero) {
  // A steeper band on some meridians: the cornea leaves its reference sphere there.
  ExameSintetico e = superficies::Esfera(7.80);
  for (int mer = 260; mer < 280; ++mer)
    for (int k = 12; k <= superficies::Aneis; ++k) e.M[size_t(mer)][size_t(k)] *= 1.0 + 0.004 * (k - 11);
  Mapa m(e);
  m.mapa.CalcularMapa(tmElevacao);
  double minimo = 1e9;
  int onde = -1;
  for (int mer = 0; mer < NumMeridianos; ++mer)
    for (int k = 0; k <= superficies::Aneis; ++k)
      if (m.mapa.ElevDiff[size_t(mer)][size_t(k)] < minimo) {
        minimo = m.mapa.ElevDiff[size_t(mer)][size_t(k)];
        onde = mer;
      }
  EXPECT_EQ(minimo, 0);
  EXPECT_GE(onde, 260);
  EXPECT_LT(onde, 280);
}

TEST(TBFuncoesMapas, ExtremosSeguemADeformacao) {
  // A local steepening on meridians 265-275 (inferior) beyond ring 10.
  ExameSintetico e = superficies::Esfera(7.80);
  for (int mer = 264; mer < 275; ++mer)
    for (int k = 10; k <= superficies::Aneis; ++k) e.D[size_t(mer)][size_t(k)] = 43.27 + 0.25 * (k - 9);
  Mapa m(e);
  m.mapa.CalcularMapa(tmAxial);
  double maximo = 0;
  int onde = -1;
  for (int mer = 0; mer < NumMeridianos; ++mer)
    for (int s = 0; s < NumAmostrasRaio; ++s)
      if (m.mapa.Celula(mer, s).Valor > maximo) {
        maximo = m.mapa.Celula(mer, s).Valor;
        onde = mer;
      }
  EXPECT_EQ(m.mapa.GetValorMaximo(), maximo);
  // The last sample lies just inside the last ring.
  EXPECT_NEAR(maximo, 43.27 + 0.25 * (superficies::Aneis - 9), 0.05);
  EXPECT_GE(onde, 264);
  EXPECT_LT(onde, 275);
  // The spline undershoots a little where the steepening starts, and only there.
  EXPECT_GT(m.mapa.MinimoGrade, 43.2);
}

TEST(TBFuncoesMapas, RefrativoComRaioDoAnelInterno) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(tmRefrativo);
  EXPECT_EQ(m.mapa.NomeMapa, "Refrativo");
  // Ring 1's angle comes from the centre value's radius.
  const double r = 337.5 / m.e.D[0][0];
  EXPECT_DOUBLE_EQ(m.mapa.RefA[0][1], std::numbers::pi - std::asin(m.mapa.PosicaoRadial[0][1] / r));
  double soma = 0;
  for (int mer = 0; mer < NumMeridianos; ++mer) soma += m.mapa.D[size_t(mer)][1];
  for (int mer = 0; mer < NumMeridianos; ++mer) EXPECT_DOUBLE_EQ(m.mapa.D[size_t(mer)][0], soma / 360);
  EXPECT_GT(m.mapa.GetValorMaximo(), 0);
}

TEST(TBFuncoesMapas, ValorDe25SemRaio) {
  ExameSintetico e = superficies::Esfera(7.80);
  for (auto& linha : e.D) linha.fill(25);
  Mapa m(e);
  m.mapa.CalcularMapa(tmAxial);
  EXPECT_EQ(m.mapa.Celula(3, 20).Valor, 25);
  EXPECT_EQ(m.mapa.Celula(3, 20).Raio, 0);
}

TEST(TBFuncoesMapas, AmostrasAntesDoPrimeiroAnelEDepoisDoUltimo) {
  ExameSintetico e = superficies::Esfera(7.80);
  for (auto& linha : e.M) linha[0] = 5.4;  // the centre sample sits at 5.4: columns 0-4 stay empty
  Mapa m(e);
  m.mapa.CalcularMapa(tmAxial);
  for (int s = 0; s < 5; ++s) EXPECT_EQ(m.mapa.Celula(7, s).Valor, 0) << s;
  EXPECT_EQ(m.mapa.Celula(7, 5).Valor, 43.27);
  EXPECT_EQ(m.mapa.CentroGrade, 0);
  EXPECT_EQ(m.mapa.MinimoGrade, 43.27);  // empty cells are no extremes
}

TEST(TBFuncoesMapas, IndiceDaAmostraArredondadoPorPar) {
  // Positions x.5 go to the even column: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
  ExameSintetico e = superficies::Esfera(7.80);
  for (int mer = 0; mer < NumMeridianos; ++mer) {
    e.M[size_t(mer)][0] = 0.5;
    for (int k = 0; k <= superficies::Aneis; ++k) e.D[size_t(mer)][size_t(k)] = 40 + k;
  }
  Mapa m(e);
  m.mapa.CalcularMapa(tmAxial);
  // Column 1 is never written (T = 0.5 lands on 0, T = 1.5 on 2).
  EXPECT_EQ(m.mapa.Celula(0, 1).Valor, 0);
  EXPECT_GT(m.mapa.Celula(0, 0).Valor, 0);
  EXPECT_GT(m.mapa.Celula(0, 2).Valor, 0);
}

TEST(TBFuncoesMapas, ErrosClarosEmVezDeNaN) {
  struct Caso {
    const char* Nome;
    std::function<void(ExameSintetico&)> Estragar;
    uint8_t Tipo;
  };
  const Caso casos[] = {
      {"D sem valores positivos", [](ExameSintetico& e) { for (auto& l : e.D) l.fill(-1); }, tmElevacao},
      {"anel alem do raio da esfera",
       [](ExameSintetico& e) { for (auto& l : e.M) l[superficies::Aneis] = 9.0 / superficies::F; }, tmElevacao},
      {"curvatura zero", [](ExameSintetico& e) { e.D[3][0] = 0; }, tmRefrativo},
      {"aneis na mesma posicao", [](ExameSintetico& e) { e.M[8][5] = e.M[8][4]; }, tmAxial},
      {"anel 1 no centro", [](ExameSintetico& e) { for (auto& l : e.M) l[1] = 0; }, tmTangencial},
      {"valor infinito", [](ExameSintetico& e) { e.D[2][3] = INFINITY; }, tmAxial},
      {"valor NaN", [](ExameSintetico& e) { e.D[2][3] = NAN; }, tmAxial},
  };
  for (const Caso& c : casos) {
    ExameSintetico e = superficies::Esfera(7.80);
    c.Estragar(e);
    Mapa m(e);
    EXPECT_THROW(m.mapa.CalcularMapa(c.Tipo), EErroMapa) << c.Nome;
  }
}

TEST(TBFuncoesMapas, ConeAusenteOuCurto) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CarregaDadosCone = nullptr;
  EXPECT_THROW(m.mapa.CalcularMapa(tmElevacao), EErroMapa);
  m.mapa.CarregaDadosCone = [](TDadosCone& d, const std::string&, double) {
    d = superficies::TabelaCone();
    d.C1.resize(10);
  };
  EXPECT_THROW(m.mapa.CalcularMapa(tmElevacao), EErroMapa);
  // The default source is the program's.
  DefinirCarregaDadosCone([](TDadosCone& d, const std::string& tipo, double) {
    if (tipo != "4") throw EErroMapa("tipo");
    d = superficies::TabelaCone();
  });
  Mapa n(superficies::Esfera(7.80));
  TBFuncoesMapas outro(n.e.D, n.e.M, n.e.AneisPorMeridiano, nullptr, nullptr, n.e.CentroX, n.e.CentroY, n.F, n.Z0,
                       "4", n.NumAneis);
  EXPECT_NO_THROW(outro.CalcularMapa(tmElevacao));
  DefinirCarregaDadosCone(nullptr);
}

TEST(TBFuncoesMapas, MeridianosComPoucosAneisEContagensForaDoIntervalo) {
  ExameSintetico e = superficies::Esfera(7.80);
  e.AneisPorMeridiano[0] = 0;    // skipped
  e.AneisPorMeridiano[1] = 1;    // two points: still resampled
  e.AneisPorMeridiano[2] = -40;  // as 0
  Mapa m(e);
  m.mapa.CalcularMapa(tmAxial);
  EXPECT_EQ(m.mapa.Celula(0, 5).Valor, 0);
  EXPECT_EQ(m.mapa.Celula(1, 5).Valor, 43.27);
  EXPECT_EQ(m.mapa.Celula(2, 5).Valor, 0);
  m.mapa.CalcularMapa(tmElevacao);
  EXPECT_EQ(m.mapa.CelulaElevacao(1, 3).Cornea, 0);
  // A meridian's zone without values makes the keratometry fail.
  EXPECT_THROW(Ceratometria(m.mapa), EErroMapa);

  ExameSintetico todos = superficies::Esfera(7.80, MaxNumAneis);
  todos.AneisPorMeridiano[3] = 500;  // as 32
  Mapa n(todos);
  n.mapa.CalcularMapa(tmAxial);
  for (int s = 0; s < NumAmostrasRaio; ++s) ASSERT_EQ(n.mapa.Celula(3, s).Valor, n.mapa.Celula(4, s).Valor);
}

TEST(TBFuncoesMapas, PosicoesForaDaGradeNaoEscrevem) {
  ExameSintetico e = superficies::Esfera(7.80);
  for (int k = 0; k <= superficies::Aneis; ++k) e.M[5][size_t(k)] = -400 + 40.0 * k;  // -400 .. 560
  Mapa m(e);
  m.mapa.CalcularMapa(tmAxial);
  EXPECT_EQ(m.mapa.Celula(5, 0).Valor, 43.27);
  EXPECT_EQ(m.mapa.Celula(5, 300).Valor, 43.27);
  EXPECT_EQ(m.mapa.ExtensaoRadial, 560);
}

TEST(TBFuncoesMapas, SegundoMapaComecaDoZero) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(tmElevacao);
  m.mapa.CalcularMapa(tmAxial);
  EXPECT_EQ(m.mapa.CelulaElevacao(0, 10).Cornea, 0);
  EXPECT_EQ(m.mapa.MaximoElevacao, 0);
  EXPECT_EQ(m.mapa.Celula(0, 10).Valor, 43.27);
}

// A map that reaches less far than the one before: the columns past its reach are empty again, and
// the grids and extremes are those of a new object.
TEST(TBFuncoesMapas, MapaMaisCurtoQueOAnterior) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(tmElevacao);
  const int alcance = int(m.mapa.ExtensaoRadial);
  ASSERT_NE(m.mapa.Celula(0, alcance - 1).Valor, 0);
  ASSERT_NE(m.mapa.CelulaElevacao(0, alcance - 1).Cornea, 0);
  for (auto& linha : m.e.M)
    for (double& x : linha) x /= 2;
  m.mapa.CalcularMapa(tmAxial);
  Mapa novo(m.e);
  novo.mapa.CalcularMapa(tmAxial);
  EXPECT_LT(m.mapa.ExtensaoRadial, alcance / 2 + 1);
  for (int meridiano = 0; meridiano < NumMeridianos; ++meridiano)
    for (int s = 0; s < NumAmostrasRaio; ++s) {
      ASSERT_EQ(m.mapa.Celula(meridiano, s).Valor, novo.mapa.Celula(meridiano, s).Valor) << meridiano << " " << s;
      ASSERT_EQ(m.mapa.CelulaElevacao(meridiano, s).Cornea, 0) << meridiano << " " << s;
    }
  EXPECT_EQ(m.mapa.MaximoGrade, novo.mapa.MaximoGrade);
  EXPECT_EQ(m.mapa.MinimoGrade, novo.mapa.MinimoGrade);
}

TEST(TBFuncoesMapas, TiposAcimaDeSeisSoReamostram) {
  Mapa m(superficies::Esfera(7.80));
  m.mapa.CalcularMapa(0x80 | tmTangencial);  // the low seven bits select
  EXPECT_EQ(m.mapa.NomeMapa, "Tangencial");
  EXPECT_EQ(m.mapa.TipoMapa, 0x81);
  m.mapa.CalcularMapa(9);
  EXPECT_EQ(m.mapa.NomeMapa, "");
  EXPECT_EQ(m.mapa.GetValorMaximo(), 43.27);
}

TEST(ArredondarCentesimos, IgualAoTextoDeIdaEVolta) {
  const auto texto = [](double v) {
    const double r = StrToFloat(FormatFloat("0.00", v, FormatoPonto()), FormatoPonto());
    return r == 0 ? 0.0 : r;
  };
  for (double v : {0.0, 0.005, 0.015, 2.675, 1.005, -1.005, 43.265, 43.2692307692, -0.004, 25.0, 99999.995, 1e14,
                   123456789.125, 0.125, -0.125})
    EXPECT_EQ(ArredondarCentesimos(v), texto(v)) << v;
  std::mt19937_64 g(7);
  std::uniform_real_distribution<double> u(-200, 200);
  for (int i = 0; i < 20000; ++i) {
    const double v = i % 2 ? u(g) : std::nearbyint(u(g) * 1000) / 1000 + 0.005 * (i % 3 - 1);
    ASSERT_EQ(ArredondarCentesimos(v), texto(v)) << v;
  }
  // Values of every size, whose text keeps 15 significant digits and then zeros.
  for (int i = 0; i < 20000; ++i) {
    const double v = std::ldexp(u(g), int(g() % 2000) - 1000);
    ASSERT_EQ(ArredondarCentesimos(v), texto(v)) << v;
  }
}

// The largest doubles round to 15 digits past the last double: an error of the map, as an infinite
// value is.
TEST(ArredondarCentesimos, AlemDoMaiorDoubleEhErroDoMapa) {
  EXPECT_THROW(ArredondarCentesimos(DBL_MAX), EErroMapa);
  EXPECT_THROW(ArredondarCentesimos(-DBL_MAX), EErroMapa);
  EXPECT_THROW(ArredondarCentesimos(INFINITY), EErroMapa);
  EXPECT_EQ(ArredondarCentesimos(1.79769313486231e308), 1.79769313486231e308);
}

}  // namespace
