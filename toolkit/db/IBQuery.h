#pragma once
// A data set over a statement text with named parameters (":Name", matched without regard to case).
#include <memory>
#include <string>

#include "toolkit/db/IBCustomDataSet.h"

class TIBQuery : public TIBCustomDataSet {
 public:
  explicit TIBQuery(TComponent* AOwner);
  ~TIBQuery() override;

  // Changing the text drops the prepared statement; parameters whose names stay keep their values.
  TStringList& SQL() { return *sql_; }
  TParams& Params();
  TParam& ParamByName(const std::string& Name) { return Params().ParamByName(Name); }
  int ParamCount() { return Params().Count(); }

  // Runs a statement that returns no rows (a procedure call, an insert, DDL).
  void ExecSQL();

 protected:
  std::string StatementText() override;
  TParams* StatementParams() override { return &Params(); }
  void SyncStatement() override { SyncSQL(); }

 private:
  void SyncSQL();

  std::unique_ptr<TStringList> sql_;
  std::string parsedText_;
  TParams params_;
};
