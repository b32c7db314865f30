#include "core/UDPacientes.h"

#include "core/UDOperation.h"

using detail::Operation;

namespace {

const struct {
  const char* Param;
  std::string TDadosPaciente::*Field;
} kTextos[] = {
    {"Nome", &TDadosPaciente::Nome},
    {"Rg", &TDadosPaciente::Rg},
    {"Cpf", &TDadosPaciente::Cpf},
    {"Sexo", &TDadosPaciente::Sexo},
    {"EstadoCivil", &TDadosPaciente::EstadoCivil},
    {"Conjuge", &TDadosPaciente::Conjuge},
    {"DataNascimento", &TDadosPaciente::DataNascimento},
    {"Naturalidade", &TDadosPaciente::Naturalidade},
    {"NaturalidadeEstado", &TDadosPaciente::NaturalidadeEstado},
    {"Pai", &TDadosPaciente::Pai},
    {"Mae", &TDadosPaciente::Mae},
    {"Rua", &TDadosPaciente::Rua},
    {"Complemento", &TDadosPaciente::Complemento},
    {"Bairro", &TDadosPaciente::Bairro},
    {"Cidade", &TDadosPaciente::Cidade},
    {"Estado", &TDadosPaciente::Estado},
    {"Cep", &TDadosPaciente::Cep},
    {"Fone", &TDadosPaciente::Fone},
    {"Celular", &TDadosPaciente::Celular},
    {"Convenio", &TDadosPaciente::Convenio},
    {"Profissao", &TDadosPaciente::Profissao},
    {"TipoSang", &TDadosPaciente::TipoSang},
};

void BindTextos(TIBQuery& query, const TDadosPaciente& dados) {
  for (const auto& t : kTextos) query.ParamByName(t.Param).SetAsString(dados.*t.Field);
}

}  // namespace

int TDPacientes::InsertPacientes(const TDadosPaciente& Dados, TDateTime DtCadastro, int TotalExames) {
  TIBQuery& q = Operation(
      "Execute Procedure InsertPacientes :Nome,:Rg,:CPF,:Sexo,:EstadoCivil,:Conjuge,:DataNascimento,:Naturalidade,"
      ":NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,:Fone,:Celular,:Convenio,"
      ":Profissao,:TipoSang,:DtCadastro,:TotalExames");
  BindTextos(q, Dados);
  q.ParamByName("DtCadastro").SetAsDate(DtCadastro);
  q.ParamByName("TotalExames").SetAsInteger(TotalExames);
  return detail::InsertAndCommit(q);
}

void TDPacientes::UpdatePacientesByCodigo(int Codigo, const TDadosPaciente& Dados) {
  TIBQuery& q = Operation(
      "Execute Procedure UpdatePacientesByCodigo :Codigo,:Nome,:Rg,:CPF,:Sexo,:EstadoCivil,:Conjuge,"
      ":DataNascimento,:Naturalidade,:NaturalidadeEstado,:Pai,:Mae,:Rua,:Complemento,:Bairro,:Cidade,:Estado,:Cep,"
      ":Fone,:Celular,:Convenio,:Profissao,:TipoSang");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  BindTextos(q, Dados);
  detail::ExecuteAndCommit(q);
}

void TDPacientes::DeletePacientesByCodigo(int Codigo) {
  TIBQuery& q = Operation("Execute Procedure DeletePacientesByCodigo :Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  detail::ExecuteAndCommit(q);
}

void TDPacientes::UpdateExamesPacientesByCodigo(int Codigo, const std::string& UltimoExame, int TotalExames) {
  TIBQuery& q = Operation("Execute Procedure UpdateExamesPacientesByCodigo :Codigo,:UltimoExame,:TotalExames");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  q.ParamByName("UltimoExame").SetAsString(UltimoExame);
  q.ParamByName("TotalExames").SetAsInteger(TotalExames);
  detail::ExecuteAndCommit(q);
}

void TDPacientes::GetNomeByCodigo(int Codigo, std::string& Nome) {
  TIBQuery& q = Operation("SELECT Nome FROM Pacientes WHERE Pacientes.Codigo = :Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  q.Open();
  Nome = q.FieldByName("Nome")->AsString();
}

int TDPacientes::GetCodigoByNome(const std::string& Nome) {
  TIBQuery& q = Operation("SELECT * FROM Pacientes WHERE Pacientes.Nome = :NomePac");
  q.ParamByName("NomePac").SetAsString(Nome);
  const int codigo = detail::OpenInteger(q, "Codigo");
  q.Close();
  return codigo;
}

int TDPacientes::CountPacientes() { return detail::OpenInteger(Operation("SELECT COUNT(*) FROM Pacientes"), "COUNT"); }

int TDPacientes::GetUltimoCodigo() {
  return detail::OpenInteger(Operation("SELECT GEN_ID(Codigo_Pacientes, 0) FROM RDB$DATABASE"), "GEN_ID");
}

int TDPacientes::CountPacientesSemExames() {
  TIBQuery& q = Operation("SELECT COUNT(*) FROM Pacientes WHERE Pacientes.TotalExames=:TotalExames");
  q.ParamByName("TotalExames").SetAsInteger(0);
  const int count = detail::OpenInteger(q, "COUNT");
  q.Close();
  return count;
}

int TDPacientes::GetTotalExamesByCodigo(int Codigo) {
  TIBQuery& q = Operation("SELECT * FROM Pacientes WHERE Pacientes.Codigo = :Codigo");
  q.ParamByName("Codigo").SetAsInteger(Codigo);
  return detail::OpenInteger(q, "TotalExames");
}
