#include "core/UDCursor.h"

#include "core/UDOperation.h"
#include "core/UfrmDataModule.h"

TIBQuery& TDCursor::Query() const { return *(DMPrincipal->*FQuery); }

void TDCursor::Desativar() {
  FAtivo = false;
  Query().Close();
}

void TDCursor::Navegar(const std::string& Campo, const std::string& Conteudo, const std::string& Operacao) {
  if (!FAtivo) return;
  TIBQuery& q = Query();
  if (Operacao == "SELECT") {
    q.Close();
    q.SQL().Clear();
    // The column comes from the program, never from the user; it is checked all the same.
    q.SQL().Add(std::string("SELECT CODIGO, CODPACIENTE FROM ") + FTable + " WHERE " + FTable + "." +
                detail::CheckColumnName(Campo) + "=:Content");
    q.ParamByName("Content").SetAsString(Conteudo);
    q.Open();
    q.First();
  } else if (Operacao == "First") {
    q.First();
  } else if (Operacao == "Next") {
    q.Next();
  } else if (Operacao == "Prior") {
    q.Prior();
  }
}

int TDCursor::Field(const char* Name) const { return FAtivo ? Query().FieldByName(Name)->AsInteger() : 0; }

int TDCursor::GetCodigo() const { return Field("Codigo"); }

int TDCursor::GetCodPaciente() const { return Field("CodPaciente"); }
