// The new-exam save ended abruptly at each of its steps (a child process running the wizard ends
// itself there, as a power cut would), then the program's start over the same installation: the
// database holds the whole exam with its files complete, or nothing of it and no file of it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/RecordsTestSupport.h"
#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "windows/BancoTestSupport.h"
#include "windows/ParadaTestSupport.h"
#include "windows/UBGravacaoExame.h"
#include "windows/UfrmNovoExame.h"
#include "windows/WindowsTestSupport.h"

namespace fs = std::filesystem;

namespace {

using recordstest::Registros;
using windowstest::TInstalacaoTeste;

using paradatest::Ambiente;

// What the child reads from its environment.
const char kPasso[] = "MZ_PARAR_EM";
const char kOrto[] = "MZ_PARADA_ORTO";
const char kPaciente[] = "MZ_PARADA_PACIENTE";

size_t Linhas(const fs::path& P) {
  std::ifstream f(P, std::ios::binary);
  size_t n = 0;
  for (std::string l; std::getline(f, l);) ++n;
  return n;
}

struct TCaso {
  const char* Passo;
  bool Orto;
  bool Gravado;  // the stop came after the commit
};

void PrintTo(const TCaso& Caso, std::ostream* Saida) { *Saida << (Caso.Orto ? "orto " : "") << Caso.Passo; }

std::string Nome(const testing::TestParamInfo<TCaso>& Info) {
  return paradatest::NomeDoPasso(std::string(Info.param.Orto ? "Orto_" : "Normal_") + Info.param.Passo);
}

class ParadaGravacao : public windowstest::TesteComBanco, protected Registros, public testing::WithParamInterface<TCaso> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PrepararInstalacao());
    TInstalacaoTeste::CopiarModulo("MultiOrto", inst->Pasta("Mapas") / "MultiOrto.dll");
    std::ofstream(inst->Pasta("Mapas") / "Mapas.ini", std::ios::binary)
        << "[MAPAS]\r\nAUTOMATICO=1\r\nFIGURA=" << windowstest::CaminhoWindows(inst->Pasta("Mapas") / "figura.bmp")
        << "\r\n";
    const int alfa = Registros::Medico("Dr. Alfa");
    ana = Registros::Paciente("Ana", 1);
    Registros::Exame(ana, alfa);
    DMPrincipal->PCommitDataBase();
  }

  // The rows that one save changes, as text.
  std::vector<std::string> Estado() const {
    return {Valor("SELECT COUNT(*) FROM EXAMES WHERE CODPACIENTE = :C", ana),
            Valor("SELECT COUNT(*) FROM EXAMESORTO WHERE CODEXAME > :C", 0),
            Valor("SELECT COUNT(*) FROM ARQUIVOS WHERE CODIGO_EXAMES > :C", 0),
            Valor("SELECT TOTALEXAMES FROM PACIENTES WHERE CODIGO = :C", ana),
            Valor("SELECT ULTIMOEXAME FROM PACIENTES WHERE CODIGO = :C", ana)};
  }

  int ana = 0;
};

TEST_P(ParadaGravacao, TheNextStartFindsTheWholeExamOrNothingOfIt) {
  const TCaso& caso = GetParam();
  const std::vector<std::string> antes = Estado();
  const int ultimo = TDExames::GetUltimoCodigo();
  DMPrincipal->PDesconectionDataBase();
  EXPECT_EQ(paradatest::RodarFilho("ParadaFilho.DISABLED_GravaExame", {{kPasso, caso.Passo},
                                                                      {kOrto, caso.Orto ? "1" : "0"},
                                                                      {kPaciente, std::to_string(ana)}}),
            paradatest::kParou)
      << "the child did not stop at " << caso.Passo;

  // The next start.
  ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst->Banco()));
  ConcluirGravacoesInterrompidas();

  const int novos = caso.Gravado ? (caso.Orto ? 4 : 1) : 0;
  const std::vector<std::string> depois = Estado();
  EXPECT_EQ(std::stoi(depois[0]), std::stoi(antes[0]) + novos);
  EXPECT_EQ(std::stoi(depois[1]), caso.Orto ? novos : 0);
  EXPECT_EQ(std::stoi(depois[2]), caso.Orto ? 0 : novos);
  EXPECT_EQ(std::stoi(depois[3]), std::stoi(antes[3]) + novos);
  EXPECT_EQ(depois[4] != antes[4], caso.Gravado) << depois[4];
  // Every exam row of the save has its three files whole; no other file of the save is anywhere.
  for (int codigo = ultimo + 1; codigo <= TDExames::GetUltimoCodigo(); ++codigo) {
    const bool linha = TDExames::ExisteExame(codigo);
    for (const auto& [arquivo, linhas] : {std::pair{"d.txt", 360u}, {"m.txt", 360u}, {"a.txt", 367u}}) {
      const fs::path p = inst->Pasta("Exames") / std::to_string(ana) / (std::to_string(codigo) + arquivo);
      EXPECT_EQ(fs::exists(p), linha) << p;
      if (linha) {
        EXPECT_EQ(Linhas(p), linhas) << p;
      }
    }
  }
  EXPECT_FALSE(fs::exists(inst->Raiz() / "Exames.gravando"));
}

INSTANTIATE_TEST_SUITE_P(Passos, ParadaGravacao,
                         testing::Values(TCaso{"exame-inserido", false, false}, TCaso{"arquivo-gravado", false, false},
                                         TCaso{"antes-confirmar", false, false}, TCaso{"confirmado", false, true},
                                         TCaso{"publicado-um", false, true}, TCaso{"exame-inserido", true, false},
                                         TCaso{"arquivo-gravado", true, false}, TCaso{"antes-confirmar", true, false},
                                         TCaso{"confirmado", true, true}, TCaso{"publicado-um", true, true}),
                         Nome);

// The child: the wizard over the installation the parent left (its settings beside this program),
// saving the right eye of the parent's patient until the stop named in its environment.
TEST(ParadaFilho, DISABLED_GravaExame) {
  ASSERT_FALSE(Ambiente(kPasso).empty());
  TDialogScript dialogs;
  InfosMZ.NumAneis = 32;
  ASSERT_NO_FATAL_FAILURE(paradatest::AbrirInstalacaoDoPai());
  ASSERT_TRUE(DMPrincipal->IBQueryPacientes->Locate("CODIGO", Ambiente(kPaciente), 0));
  frmNovoExame = new TfrmNovoExame(Application);
  frmNovoExame->Orto = Ambiente(kOrto) == "1";
  frmNovoExame->Show();
  Application->ProcessMessages();
  frmNovoExame->ComboMedicos->SetItemIndex(frmNovoExame->ComboMedicos->Items()->IndexOf("Dr. Alfa"));
  for (int i = 0; i < 4; ++i) windowstest::Clicar(frmNovoExame->sButton2);
  ADD_FAILURE() << "the save ran to its end";
}

}  // namespace
