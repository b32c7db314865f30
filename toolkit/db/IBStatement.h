#pragma once
// One prepared statement of the client library: binds parameters, executes and reads result rows.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/db/DB.h"
#include "toolkit/db/IBDatabase.h"

namespace detail {

struct TColumn {
  std::string Name;
  TFieldType DataType;
  int Size;
};

class TIBStatement {
 public:
  TIBStatement(TIBDatabase& Database, TIBTransaction& Transaction, const std::string& Sql);
  ~TIBStatement();
  TIBStatement(const TIBStatement&) = delete;
  TIBStatement& operator=(const TIBStatement&) = delete;

  int ParamCount() const;
  const std::vector<TColumn>& Columns() const { return columns_; }
  // A select or a procedure that returns a row.
  bool ReturnsRows() const { return !columns_.empty(); }

  // Binds Params (one per "?" of the statement, in order) and executes in Transaction.
  void Execute(TIBTransaction& Transaction, const std::vector<const TParam*>& Params);
  // The next row of the last execution, read in Transaction; false at the end, where the cursor
  // is closed.
  bool Fetch(TIBTransaction& Transaction, TRecord& Row);
  // Every row left of the last execution.
  std::vector<TRecord> FetchAll(TIBTransaction& Transaction);
  // Frees the result of the last execution on the server; the statement stays prepared.
  void CloseCursor();

 private:
  struct TSqlda;
  void Prepare(TIBTransaction& tr, const std::string& sql);
  TRecord ReadRow(TIBTransaction& tr);
  void Bind(TIBTransaction& tr, const TParam* p, int index);

  TIBDatabase& database_;
  TFbHandle handle_ = 0;
  bool isSelect_ = false;
  bool hasSingleton_ = false;
  bool cursorOpen_ = false;
  bool singletonPending_ = false;  // the output row of a procedure not read yet
  std::unique_ptr<TSqlda> in_, out_;
  std::vector<TColumn> columns_;
};

}  // namespace detail
