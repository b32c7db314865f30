#include "plugins/common/TextosModulo.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<std::string> Linhas(std::string_view t) {
  return DividirLinhas(reinterpret_cast<const uint8_t*>(t.data()), t.size());
}

TEST(TextosModulo, LinesEndedAnyWay) {
  EXPECT_EQ(Linhas("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Linhas("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(Linhas("").empty());
}

TEST(TextosModulo, NumbersWithPointOrComma) {
  struct Caso {
    const char* texto;
    bool lido;
    double valor;
  };
  for (const Caso c : {Caso{"7.73", true, 7.73}, Caso{" 7,73\r", true, 7.73}, Caso{"-1.5e-3", true, -0.0015},
                       Caso{"+2", true, 2}, Caso{"", false, 0}, Caso{"nan", false, 0}, Caso{"inf", false, 0},
                       Caso{"1e999", false, 0}, Caso{"0x10", false, 0}, Caso{"7.7 mm", false, 0},
                       Caso{"-", false, 0}, Caso{"1-2", false, 0}}) {
    double v = -99;
    EXPECT_EQ(LerNumero(c.texto, v), c.lido) << c.texto;
    if (c.lido) EXPECT_DOUBLE_EQ(v, c.valor) << c.texto;
  }
}

TEST(TextosModulo, CalibrationFileReadsWholeOrNotAtAll) {
  CorrecaoAneis c;
  ASSERT_TRUE(LerCorrecao("0.5\r\n0.99\r\n-0,25\r\n1.01\r\n", c));
  EXPECT_EQ(c.a, (std::vector<double>{0.5, -0.25}));
  EXPECT_EQ(c.b, (std::vector<double>{0.99, 1.01}));
  for (const char* ruim : {"", "0.5\r\n", "0.5\r\nnan\r\n", "0.5\r\n1\r\nx\r\n1\r\n", "\r\n\r\n1\r\n1\r\n"}) {
    CorrecaoAneis r;
    r.a = {7};
    EXPECT_FALSE(LerCorrecao(ruim, r)) << ruim;
    EXPECT_EQ(r.a, std::vector<double>{7}) << ruim;  // left as it was
  }
}

TEST(TextosModulo, SphereRadiusFromTheTitle) {
  EXPECT_DOUBLE_EQ(RaioDoTitulo("Digitalizando Esfera (7.73)"), 7.73);
  EXPECT_DOUBLE_EQ(RaioDoTitulo("Digitalizando Esfera (8,05)"), 8.05);
  EXPECT_EQ(RaioDoTitulo("Digitalizando Imagem do Olho"), 0);
  EXPECT_EQ(RaioDoTitulo("Esfera (abc)"), 0);
}

TEST(TextosModulo, CandidateLinesAndMarkers) {
  const std::vector<Candidato> c =
      LerCandidatos({"OOlho Direito - 10/12/2026", "TOlho Esquerdo - 03/12/2026", "Olho Direito - x", ""}, true);
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].texto, "Olho Direito - 10/12/2026");
  EXPECT_TRUE(c[0].orto && c[0].direito);
  EXPECT_FALSE(c[1].orto || c[1].direito);
  EXPECT_EQ(c[2].texto, "Olho Direito - x");  // no marker to take off
  EXPECT_EQ(LerCandidatos({"OOlho Direito"}, false)[0].texto, "OOlho Direito");
}

TEST(TextosModulo, ChoiceSwitchKeepsOnlyValidIndexes) {
  EXPECT_EQ(LerEscolha("0,2, 3", 4), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(LerEscolha("4,-1,x,99999999999999999999,1", 4), (std::vector<int>{1}));
  EXPECT_TRUE(LerEscolha("", 4).empty());
}

TEST(TextosModulo, ExamFilesGroupedByStem) {
  const auto itens = ItensExames({"12\\50a.txt", "12\\50d.txt", "12\\50m.txt", "", "12\\51a.txt", "x"});
  ASSERT_EQ(itens.size(), 3u);
  EXPECT_EQ(itens[0].size(), 3u);
  EXPECT_EQ(itens[1], std::vector<std::string>{"12\\51a.txt"});
  EXPECT_EQ(itens[2], std::vector<std::string>{"x"});
}

}  // namespace
