#include "core/UDPacientes.h"

#include "core/RecordsTestSupport.h"

namespace {

using recordstest::RecordsTest;
using PacientesTest = RecordsTest;

TEST_F(PacientesTest, EmptyTable) {
  EXPECT_EQ(TDPacientes::CountPacientes(), 0);
  EXPECT_EQ(TDPacientes::GetUltimoCodigo(), 0);
  EXPECT_EQ(TDPacientes::CountPacientesSemExames(), 0);
  EXPECT_EQ(TDPacientes::GetCodigoByNome("Ninguém"), 0);
  EXPECT_EQ(TDPacientes::GetTotalExamesByCodigo(7), 0);
  std::string nome = "antes";
  TDPacientes::GetNomeByCodigo(7, nome);
  EXPECT_EQ(nome, "");
}

TEST_F(PacientesTest, InsertKeepsEveryValueAndAnswersTheCode) {
  TDadosPaciente dados;
  dados.Nome = "Maria da Conceição Araújo";
  dados.Sexo = "F";
  dados.EstadoCivil = "C";
  dados.Cidade = "São João d'El-Rei";
  dados.Convenio = "Unimed";
  dados.Profissao = "Tecelã";
  dados.TipoSang = "AB+";
  const int codigo = TDPacientes::InsertPacientes(dados, EncodeDate(2026, 3, 4), 5);
  EXPECT_EQ(codigo, 1);
  EXPECT_EQ(TDPacientes::GetUltimoCodigo(), codigo);
  EXPECT_EQ(TDPacientes::CountPacientes(), 1);
  std::string nome;
  TDPacientes::GetNomeByCodigo(codigo, nome);
  EXPECT_EQ(nome, dados.Nome);
  EXPECT_EQ(TDPacientes::GetTotalExamesByCodigo(codigo), 5);

  TIBQuery& q = Sql("SELECT * FROM PACIENTES WHERE CODIGO = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(codigo); });
  q.Open();
  EXPECT_EQ(q.FieldByName("CIDADE")->AsString(), dados.Cidade);
  EXPECT_EQ(q.FieldByName("PROFISSAO")->AsString(), dados.Profissao);
  EXPECT_EQ(q.FieldByName("TIPOSANG")->AsString(), "AB+");
  EXPECT_EQ(q.FieldByName("DTCADASTRO")->AsDateTime(), EncodeDate(2026, 3, 4));
  // Texts the caller left empty are stored empty, never NULL.
  EXPECT_FALSE(q.FieldByName("RG")->IsNull());
  EXPECT_EQ(q.FieldByName("RG")->AsString(), "");
}

TEST_F(PacientesTest, UpdateKeepsRegisterDateAndExams) {
  const int codigo = Paciente("José", 0);
  TDPacientes::UpdateExamesPacientesByCodigo(codigo, "OD 10/12/2026 09:30:15", 3);
  TDadosPaciente novos;
  novos.Nome = "José Simões";
  novos.Fone = "3133334444";
  TDPacientes::UpdatePacientesByCodigo(codigo, novos);

  TIBQuery& q = Sql("SELECT * FROM PACIENTES WHERE CODIGO = :C", [&](TIBQuery& q) { q.ParamByName("C").SetAsInteger(codigo); });
  q.Open();
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "José Simões");
  EXPECT_EQ(q.FieldByName("FONE")->AsString(), "3133334444");
  EXPECT_EQ(q.FieldByName("ULTIMOEXAME")->AsString(), "OD 10/12/2026 09:30:15");
  EXPECT_EQ(q.FieldByName("TOTALEXAMES")->AsInteger(), 3);
  EXPECT_EQ(q.FieldByName("DTCADASTRO")->AsDateTime(), EncodeDate(2026, 12, 10));
  EXPECT_EQ(TDPacientes::GetTotalExamesByCodigo(codigo), 3);
}

TEST_F(PacientesTest, CountsAndNamesAndDelete) {
  const int semExames = Paciente("Ana");
  Paciente("Luís", 2);
  const int gemeo1 = Paciente("Cecília");
  const int gemeo2 = Paciente("Cecília", 1);
  EXPECT_EQ(TDPacientes::CountPacientes(), 4);
  EXPECT_EQ(TDPacientes::CountPacientesSemExames(), 2);
  EXPECT_FALSE(DMPrincipal->IBOperation->Active());

  const int achado = TDPacientes::GetCodigoByNome("Cecília");
  EXPECT_TRUE(achado == gemeo1 || achado == gemeo2) << achado;
  EXPECT_EQ(TDPacientes::GetCodigoByNome("cecília"), 0);  // the exact name only
  EXPECT_EQ(TDPacientes::GetCodigoByNome("Ana' OR ''='"), 0);

  TDPacientes::DeletePacientesByCodigo(semExames);
  EXPECT_EQ(TDPacientes::CountPacientes(), 3);
  EXPECT_EQ(TDPacientes::CountPacientesSemExames(), 1);
}

// The windows look patients up without regard to case: accents count as letters there too.
TEST_F(PacientesTest, AccentedNamesFoundWithoutRegardToCase) {
  const int conceicao = Paciente("Conceição Gonçalves");
  Paciente("Antônio Brandão");
  Paciente("Álvaro Ribeiro");

  TIBQuery& pacientes = *DMPrincipal->IBQueryPacientes;
  ASSERT_TRUE(pacientes.Active());  // reopened by the insert's commit
  ASSERT_TRUE(pacientes.Locate("Nome", "CONCEIÇÃO GONÇALVES", loCaseInsensitive));
  EXPECT_EQ(pacientes.FieldByName("CODIGO")->AsInteger(), conceicao);
  ASSERT_TRUE(pacientes.Locate("Nome", "álvaro", loCaseInsensitive | loPartialKey));
  EXPECT_EQ(pacientes.FieldByName("NOME")->AsString(), "Álvaro Ribeiro");

  // The same on the server, with the pattern bound.
  const struct {
    const char* Padrao;
    int Linhas;
  } buscas[] = {{"CONCEIÇÃO%", 1}, {"conceição gonçalves", 1}, {"%BRANDÃO", 1}, {"ÁLVARO%", 1}, {"ALVARO%", 0}};
  for (const auto& b : buscas)
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PACIENTES WHERE UPPER(NOME) LIKE UPPER(:Padrao)",
                     [&](TIBQuery& q) { q.ParamByName("Padrao").SetAsString(b.Padrao); }),
              b.Linhas)
        << b.Padrao;
}

}  // namespace
