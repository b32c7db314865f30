#include "core/UDOperation.h"

#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"

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
  DMPrincipal->PCommitDataBase();
}

int InsertAndCommit(TIBQuery& Query) {
  Query.Open();
  const int codigo = Query.FieldByName("CODIGO")->AsInteger();
  Query.Close();
  DMPrincipal->PCommitDataBase();
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
