#pragma once
// A data set over all rows of one table, in the order of an index when IndexName names one. The part
// of a filter that the server can select by goes into the statement's WHERE clause, so that a
// filtered table reads only the rows it shows.
#include <string>
#include <vector>

#include "toolkit/db/DBFilter.h"
#include "toolkit/db/IBCustomDataSet.h"

class TIBTable : public TIBCustomDataSet {
 public:
  explicit TIBTable(TComponent* AOwner) : TIBCustomDataSet(AOwner) {}
  const std::string& TableName() const { return tableName_; }
  void SetTableName(const std::string& Value);
  const std::string& IndexName() const { return indexName_; }
  // An open table is read again in the new order.
  void SetIndexName(const std::string& Value);

 protected:
  std::string StatementText() override;
  void InternalOpen(std::vector<TFieldDef>& Defs) override;
  bool InternalRefilter() override;

 private:
  // The WHERE condition for the present filter; empty before the table's columns are known.
  std::string ServerCondition() const;

  std::string tableName_;
  std::string indexName_;
  std::vector<detail::TFilterColumn> columns_;  // of the last opening
  std::string condition_;                       // in the prepared statement
};
