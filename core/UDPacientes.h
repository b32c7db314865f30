#pragma once
// The patient routines: the only way the windows change the PACIENTES table, and its look-ups.
#include <string>

#include "toolkit/rtl/DateTime.h"

// The texts of a patient's register, in the order of the procedures' parameters.
struct TDadosPaciente {
  std::string Nome, Rg, Cpf, Sexo, EstadoCivil, Conjuge, DataNascimento, Naturalidade, NaturalidadeEstado, Pai,
      Mae, Rua, Complemento, Bairro, Cidade, Estado, Cep, Fone, Celular, Convenio, Profissao, TipoSang;
};

class TDPacientes {
 public:
  // Returns the new patient's code.
  static int InsertPacientes(const TDadosPaciente& Dados, TDateTime DtCadastro, int TotalExames);
  // Rewrites the texts; the register date, last exam and exam count stay.
  static void UpdatePacientesByCodigo(int Codigo, const TDadosPaciente& Dados);
  static void DeletePacientesByCodigo(int Codigo);
  static void UpdateExamesPacientesByCodigo(int Codigo, const std::string& UltimoExame, int TotalExames);
  // Nome becomes "" for an unknown code.
  static void GetNomeByCodigo(int Codigo, std::string& Nome);
  // The first patient of that name the server delivers; 0 for an unknown name.
  static int GetCodigoByNome(const std::string& Nome);
  static int CountPacientes();
  // The last patient code issued (0 before the first).
  static int GetUltimoCodigo();
  static int CountPacientesSemExames();
  static int GetTotalExamesByCodigo(int Codigo);
};
