#pragma once
// The doctor routines: the only way the windows change the MEDICOS table.
#include <string>

// The texts of a doctor's register, in the order of the procedures' parameters.
struct TDadosMedico {
  std::string Nome, Rg, Cpf, Crm, Sexo, EstadoCivil, Conjuge, DataNascimento, Naturalidade, NaturalidadeEstado,
      Pai, Mae, Rua, Complemento, Bairro, Cidade, Estado, Cep, Fone, Celular;
};

class TDMedicos {
 public:
  // Returns the new doctor's code.
  static int InsertMedicos(const TDadosMedico& Dados);
  static void UpdateMedicosByCodigo(int Codigo, const TDadosMedico& Dados);
  static void DeleteMedicosByCodigo(int Codigo);
  // "" for an unknown code.
  static std::string GetNomeByCodigo(int Codigo);
  // 0 for an unknown name.
  static int GetCodigoByNome(const std::string& Nome);
  static int CountMedicos();
  // The last doctor code issued (0 before the first).
  static int GetUltimoCodigo();
  // Opens or closes the data module's doctors table.
  static void SetActive(bool Active);
};
