#include "toolkit/db/IBTable.h"

#include "toolkit/db/IBStatement.h"
#include "toolkit/rtl/AnsiText.h"

void TIBTable::SetTableName(const std::string& Value) {
  if (Value == tableName_) return;
  Close();
  Unprepare();
  tableName_ = Value;
  columns_.clear();
}

void TIBTable::SetIndexName(const std::string& Value) {
  if (Value == indexName_) return;
  const bool wasActive = Active();
  Close();
  Unprepare();
  indexName_ = Value;
  if (wasActive) Open();
}

std::string TIBTable::ServerCondition() const {
  if (!Filtered() || columns_.empty()) return {};
  try {
    return detail::TFilterExpr(Filter()).ServerCondition([&](const std::string& field) -> std::optional<detail::TFilterColumn> {
      for (const detail::TFilterColumn& c : columns_)
        if (AnsiSameText(c.Name, field)) return c;
      return std::nullopt;
    });
  } catch (const detail::TFilterSyntaxError&) {
    return {};  // no filter at all; setting it has said so
  }
}

void TIBTable::InternalOpen(std::vector<TFieldDef>& Defs) {
  if (ServerCondition() != condition_) Unprepare();
  TIBCustomDataSet::InternalOpen(Defs);
  columns_.clear();
  for (const TFieldDef& d : Defs) {
    detail::TFilterColumn c{d.Name};
    if (d.DataType == ftSmallint || d.DataType == ftInteger || d.DataType == ftLargeint)
      c.Kind = detail::TFilterColumn::Integer;
    else if (d.DataType == ftString)
      c.Kind = detail::TFilterColumn::Text;
    columns_.push_back(std::move(c));
  }
  // Filtered from the first opening on: now that the columns are known, the server selects.
  if (ServerCondition() != condition_) {
    InternalClose();
    Unprepare();
    Defs.clear();
    TIBCustomDataSet::InternalOpen(Defs);
  }
}

bool TIBTable::InternalRefilter() {
  if (ServerCondition() == condition_) return false;
  InternalClose();
  std::vector<TFieldDef> defs;
  InternalOpen(defs);
  return true;
}

std::string TIBTable::StatementText() {
  condition_ = ServerCondition();
  std::string sql = "SELECT * FROM " + tableName_;
  if (!condition_.empty()) sql += " WHERE " + condition_;
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
