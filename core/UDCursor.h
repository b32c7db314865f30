#pragma once
// The cursor that the backup walks exams and reports with: a query of the data module over the
// code and patient of the rows that match one column. It answers only while active.
#include <string>

#include "toolkit/db/IBQuery.h"

class TDMPrincipal;

class TDCursor {
 public:
  void SetAtivo(bool Value) { FAtivo = Value; }
  void Ativar() { FAtivo = true; }
  // Also closes the query.
  void Desativar();
  bool GetAtivo() const { return FAtivo; }
  // Operacao "SELECT" opens the rows whose column Campo equals the text Conteudo and goes to the
  // first; "First", "Next" and "Prior" move; anything else does nothing. Nothing while inactive.
  void Navegar(const std::string& Campo, const std::string& Conteudo, const std::string& Operacao);
  // Of the current row; 0 while inactive.
  int GetCodigo() const;
  int GetCodPaciente() const;

 protected:
  TDCursor(TIBQuery* TDMPrincipal::*Query, const char* Table) : FQuery(Query), FTable(Table) {}

 private:
  TIBQuery& Query() const;
  int Field(const char* Name) const;

  TIBQuery* TDMPrincipal::*FQuery;
  const char* FTable;
  bool FAtivo = false;
};
