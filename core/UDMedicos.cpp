#include "core/UDMedicos.h"

#include "core/UDOperation.h"
#include "core/UfrmDataModule.h"

using detail::Operation;

namespace {

const struct {
  const char* Param;
  std::string TDadosMedico::*Field;
} kTextos[] = {
    {"Nome", &TDadosMedico::Nome},
    {"Rg", &TDadosMedico::Rg},
    {"Cpf", &TDadosMedico::Cpf},
    {"Crm", &TDadosMedico::Crm},
    {"Sexo", &TDadosMedico::Sexo},
    {"EstadoCivil", &TDadosMedico::EstadoCivil},
    {"Conjuge", &TDadosMedico::Conjuge},
    {"DataNascimento", &TDadosMedico::DataNascimento},
    {"Naturalidade", &TDadosMedico::Naturalidade},
    {"NaturalidadeEstado", &TDadosMedico::NaturalidadeEstado},
    {"Pai", &TDadosMedico::Pai},
    {"Mae", &TDadosMedico::Mae},
    {"Rua", &TDadosMedico::Rua},
    {"Complemento", &TDadosMedico::Complemento},
    {"Bairro", &TDadosMedico::Bairro},
    {"Cidade", &TDadosMedico::Cidade},
    {"Estado", &TDadosMedico::Estado},
    {"Cep", &TDadosMedico::Cep},
    {"Fone", &TDadosMedico::Fone},
    {"Celular", &TDadosMedico::Celular},
};

void BindTextos(TIBQuery& query, const TDadosMedico& dados) {
  for (const auto& t : kTextos) query.ParamByName(t.Param).SetAsString(dados.*t.Field);
}

}  // namespace

int TDMedicos::InsertMedicos(const TDadosMedico& Dados) {
  TIBQuery& q = Operation(
      "Execute Procedure InsertMedicos :Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,:Conjuge,:DataNascimento,"
      ":Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular");
  BindTextos(q, Dados);
  return detail::InsertAndCommit(q);
}

void TDMedicos::UpdateMedicosByCodigo(int Codigo, const TDadosMedico& Dados) {
  TIBQuery& q = Operation(
      "Execute Procedure UpdateMedicosByCodigo :Codigo,:Nome,:Rg,:CPF,:Crm,:Sexo,:EstadoCivil,:Conjuge,"
      ":DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,"
      ":Fone,:Celular");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  BindTextos(q, Dados);
  detail::ExecuteAndCommit(q);
}

void TDMedicos::DeleteMedicosByCodigo(int Codigo) {
  TIBQuery& q = Operation("Execute Procedure DeleteMedicosByCodigo :Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  detail::ExecuteAndCommit(q);
}

std::string TDMedicos::GetNomeByCodigo(int Codigo) {
  TIBQuery& q = Operation("SELECT Nome FROM Medicos WHERE Medicos.Codigo=:Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  q.Open();
  return q.FieldByName("Nome")->AsString();
}

int TDMedicos::GetCodigoByNome(const std::string& Nome) {
  TIBQuery& q = Operation("SELECT Codigo FROM Medicos WHERE Medicos.Nome=:NomeMedico");
  q.ParamByName("NomeMedico").SetAsString(Nome);
  const int codigo = detail::OpenInteger(q, "Codigo");
  q.Close();
  return codigo;
}

int TDMedicos::CountMedicos() { return detail::OpenInteger(Operation("SELECT COUNT(*) FROM Medicos"), "COUNT"); }

int TDMedicos::GetUltimoCodigo() {
  return detail::OpenInteger(Operation("SELECT GEN_ID(Codigo_Medicos, 0) FROM RDB$DATABASE"), "GEN_ID");
}

void TDMedicos::SetActive(bool Active) { DMPrincipal->IBMedicos->SetActive(Active); }
