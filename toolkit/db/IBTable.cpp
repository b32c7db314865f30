#include "toolkit/db/IBTable.h"

#include "toolkit/db/IBStatement.h"
#include "toolkit/rtl/AnsiText.h"

void TIBTable::SetTableName(const std::string& Value) {
  if (Value == tableName_) return;
  Close();
  Unprepare();
  tableName_ = Value;
}

void TIBTable::SetIndexName(const std::string& Value) {
  if (Value == indexName_) return;
  const bool wasActive = Active();
  Close();
  Unprepare();
  indexName_ = Value;
  if (wasActive) Open();
}

std::string TIBTable::StatementText() {
  std::string sql = "SELECT * FROM " + tableName_;
  if (indexName_.empty()) return sql;
  detail::TIBStatement segments(*Database(), ActiveTransaction(),
                                "SELECT S.RDB$FIELD_NAME, I.RDB$INDEX_TYPE FROM RDB$INDEX_SEGMENTS S "
                                "JOIN RDB$INDICES I ON I.RDB$INDEX_NAME = S.RDB$INDEX_NAME "
                                "WHERE S.RDB$INDEX_NAME = ? ORDER BY S.RDB$FIELD_POSITION");
  TParam name("INDEX");
  name.SetAsString(AnsiUpperCase(indexName_));
  segments.Execute(*Transaction(), {&name});
  std::string order;
  for (const detail::TRecord& row : segments.FetchAll(*Transaction())) {
    std::string field = std::get<std::string>(row[0]);
    field.erase(field.find_last_not_of(' ') + 1);
    const bool descending = std::holds_alternative<int64_t>(row[1]) && std::get<int64_t>(row[1]) == 1;
    order += (order.empty() ? " ORDER BY " : ", ") + field + (descending ? " DESC" : "");
  }
  if (order.empty()) throw EDatabaseError("\xCDndice '" + indexName_ + "' n\xE3o encontrado na tabela " + tableName_);
  return sql + order;
}
