#pragma once
// A data set over all rows of one table, in the order of an index when IndexName names one.
#include <string>

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

 private:
  std::string tableName_;
  std::string indexName_;
};
