#include "core/UDOperation.h"

#include "core/UDTransacaoUnica.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"

namespace {

// Open TDTransacaoUnica scopes: while any is open, the routines do not commit.
int TransacoesUnicas = 0;

void Commit() {
  if (TransacoesUnicas == 0) DMPrincipal->PCommitDataBase();
}

}  // namespace

TDTransacaoUnica::TDTransacaoUnica() {
  Commit();
  ++TransacoesUnicas;
}

TDTransacaoUnica::~TDTransacaoUnica() {
  --TransacoesUnicas;
  if (Confirmada || TransacoesUnicas > 0) return;
  try {
    DMPrincipal->PRollbackDataBase();
  } catch (const std::exception&) {
    // The connection is gone: the server drops the uncommitted changes by itself.
  }
}

void TDTransacaoUnica::Confirmar() {
  Confirmada = true;
  if (TransacoesUnicas == 1) DMPrincipal->PCommitDataBase();
}

namespace detail {

TIBQuery& Operation(const std::string& Sql) {
  TIBQuery& query = *DMPrincipal->IBOperation;
  query.Close();
  query.SQL().Clear();
  query.SQL().Add(Sql);
  return query;
}

void ExecuteAndCommit(TIBQuery& Query) {
  Query.ExecSQL();
  Commit();
}

int InsertAndCommit(TIBQuery& Query) {
  Query.Open();
  const int codigo = Query.FieldByName("CODIGO")->AsInteger();
  Query.Close();
  Commit();
  return codigo;
}

int OpenInteger(TIBQuery& Query, const std::string& Field) {
  Query.Open();
  return Query.FieldByName(Field)->AsInteger();
}

const std::string& CheckColumnName(const std::string& Name) {
  bool valid = !Name.empty();
  for (char c : Name)
    valid = valid && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
  if (!valid) throw EDatabaseError("Nome de coluna inválido: " + Name);
  return Name;
}

}  // namespace detail
