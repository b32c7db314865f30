// The seeded test database that the windows' tests share.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "core/UBMapOperation.h"
#include "core/UDExames.h"
#include "core/UDPacientes.h"
#include "windows/RegistrosTestSupport.h"
#include "windows/SemeaduraTeste.h"

namespace {

using Semeadura = windowstest::TesteCadastro;

TEST_F(Semeadura, ExamsHaveDistinctCaptionsAndTheirMapFilesLoadBack) {
  const windowstest::TSemeadura s = windowstest::Semear(*inst, {"Dr. Ari", "Dra. Bel"}, {"Ana", "Caio"}, 3);
  ASSERT_EQ(s.Exames.size(), 6u);
  EXPECT_EQ(TDPacientes::CountPacientes(), 2);
  EXPECT_EQ(TDExames::CountExamesByCodResp(s.Medicos[0]), 3);
  EXPECT_EQ(TDExames::CountExamesByCodResp(s.Medicos[1]), 3);
  TIBQuery q(nullptr);
  q.SetDatabase(DMPrincipal->IBDatabase);
  q.SQL().Add("SELECT OLHO, DATA, HORA FROM EXAMES ORDER BY CODIGO");
  q.Open();
  std::set<std::string> legendas;
  for (; !q.Eof(); q.Next())
    legendas.insert(q.Fields(0)->AsString() + " " + q.Fields(1)->AsString() + " " + q.Fields(2)->AsString());
  q.Close();
  EXPECT_EQ(legendas.size(), 6u);
  for (size_t i = 0; i < s.Exames.size(); ++i) {
    const int paciente = s.Pacientes[i / 3];
    TBMapOperation mapa;
    ASSERT_TRUE(mapa.CarregarArquivosMapa(
        PrefixoArquivosExame(windowstest::CaminhoWindows(inst->Pasta("Exames")), paciente, s.Exames[i])));
    TMatrizAngAnel d;
    mapa.GetMatrizD(d);
    EXPECT_NEAR(d[0][1], 337.5 / s.Raios[i], 0.01);
  }
  for (size_t i = 0; i < s.Laudos.size(); ++i)
    EXPECT_TRUE(std::filesystem::exists(inst->Pasta("Laudos") / std::to_string(s.Pacientes[i]) /
                                        (std::to_string(s.Laudos[i]) + "l.txt")));
}

}  // namespace
