#pragma once
// What Firebird data sets share: the connection, the transaction and the prepared statement.
// Opening runs the statement; its rows are read as the data set asks for them.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/db/DB.h"
#include "toolkit/db/IBDatabase.h"

namespace detail {
class TIBStatement;
}

class TIBCustomDataSet : public TDataSet {
 public:
  explicit TIBCustomDataSet(TComponent* AOwner);
  ~TIBCustomDataSet() override;

  TIBDatabase* Database() const { return database_; }
  // Also takes the database's default transaction when the data set has none.
  void SetDatabase(TIBDatabase* Value);
  TIBTransaction* Transaction() const { return transaction_; }
  void SetTransaction(TIBTransaction* Value);

  void Prepare();
  void Unprepare();
  bool Prepared() const { return statement_ != nullptr; }

 protected:
  // The statement with ":Name" parameters.
  virtual std::string StatementText() = 0;
  // Values of the statement's parameters; nullptr when it has none.
  virtual TParams* StatementParams() { return nullptr; }
  // Drops the prepared statement when its text has changed since.
  virtual void SyncStatement() {}

  // Connects, starts the transaction, prepares and executes the statement.
  void Execute();
  void InternalOpen(std::vector<TFieldDef>& Defs) override;
  bool InternalFetch(detail::TRecord& Row) override;
  void InternalClose() override;
  TIBTransaction& ActiveTransaction();

 private:
  TIBDatabase* database_ = nullptr;
  TIBTransaction* transaction_ = nullptr;
  std::unique_ptr<detail::TIBStatement> statement_;
  std::vector<std::string> markers_;  // parameter name of each "?" of the prepared statement
};
