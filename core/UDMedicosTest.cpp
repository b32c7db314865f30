#include "core/UDMedicos.h"

#include "core/RecordsTestSupport.h"

namespace {

using recordstest::RecordsTest;
using MedicosTest = RecordsTest;

// One distinct character per column (it fits the shortest), and an accented name with a quote.
TDadosMedico Completo(char base) {
  TDadosMedico d;
  int i = 0;
  for (std::string* t : {&d.Nome, &d.Rg, &d.Cpf, &d.Crm, &d.Sexo, &d.EstadoCivil, &d.Conjuge, &d.DataNascimento,
                         &d.Naturalidade, &d.NaturalidadeEstado, &d.Pai, &d.Mae, &d.Rua, &d.Complemento, &d.Bairro,
                         &d.Cidade, &d.Estado, &d.Cep, &d.Fone, &d.Celular})
    *t = std::string(1, char(base + i++));
  d.Nome = std::string(1, base) + " Conceição D'Ávila";
  return d;
}

TEST_F(MedicosTest, EmptyTable) {
  EXPECT_EQ(TDMedicos::CountMedicos(), 0);
  EXPECT_EQ(TDMedicos::GetUltimoCodigo(), 0);
  EXPECT_EQ(TDMedicos::GetNomeByCodigo(1), "");
  EXPECT_EQ(TDMedicos::GetCodigoByNome("Ninguém"), 0);
}

TEST_F(MedicosTest, InsertUpdateDelete) {
  const TDadosMedico primeiro = Completo('a');
  const int a = TDMedicos::InsertMedicos(primeiro);
  const int b = Medico("Dra. Inês");
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(TDMedicos::GetUltimoCodigo(), b);
  EXPECT_EQ(TDMedicos::CountMedicos(), 2);
  EXPECT_EQ(TDMedicos::GetNomeByCodigo(a), primeiro.Nome);
  EXPECT_EQ(TDMedicos::GetCodigoByNome("Dra. Inês"), b);
  EXPECT_FALSE(DMPrincipal->IBOperation->Active());  // GetCodigoByNome closes the query

  // Every column of the update lands in its own place; the table shows it after the commit.
  const TDadosMedico novo = Completo('A');
  TDMedicos::UpdateMedicosByCodigo(a, novo);
  TIBTable& medicos = *DMPrincipal->IBMedicos;
  ASSERT_TRUE(medicos.Active());
  ASSERT_TRUE(medicos.Locate("CODIGO", std::to_string(a), 0));
  const std::pair<const char*, const std::string*> colunas[] = {
      {"NOME", &novo.Nome}, {"RG", &novo.Rg}, {"CPF", &novo.Cpf}, {"CRM", &novo.Crm}, {"SEXO", &novo.Sexo},
      {"ESTADOCIVIL", &novo.EstadoCivil}, {"CONJUGE", &novo.Conjuge}, {"DATANASCIMENTO", &novo.DataNascimento},
      {"NATURALIDADE", &novo.Naturalidade}, {"NATURALIDADEESTADO", &novo.NaturalidadeEstado}, {"PAI", &novo.Pai},
      {"MAE", &novo.Mae}, {"RUA", &novo.Rua}, {"COMPLEMENTO", &novo.Complemento}, {"BAIRRO", &novo.Bairro},
      {"CIDADE", &novo.Cidade}, {"ESTADO", &novo.Estado}, {"CEP", &novo.Cep}, {"FONE", &novo.Fone},
      {"CELULAR", &novo.Celular}};
  for (const auto& [coluna, valor] : colunas) EXPECT_EQ(medicos.FieldByName(coluna)->AsString(), *valor) << coluna;

  TDMedicos::DeleteMedicosByCodigo(a);
  EXPECT_EQ(TDMedicos::CountMedicos(), 1);
  EXPECT_EQ(TDMedicos::GetNomeByCodigo(a), "");
  EXPECT_EQ(TDMedicos::GetUltimoCodigo(), b);  // the generator does not go back
}

TEST_F(MedicosTest, SetActiveOpensAndClosesTheTable) {
  TDMedicos::SetActive(false);
  EXPECT_FALSE(DMPrincipal->IBMedicos->Active());
  TDMedicos::SetActive(true);
  EXPECT_TRUE(DMPrincipal->IBMedicos->Active());
}

}  // namespace
