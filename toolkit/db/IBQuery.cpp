#include "toolkit/db/IBQuery.h"

#include "toolkit/db/SQLText.h"

TIBQuery::TIBQuery(TComponent* AOwner) : TIBCustomDataSet(AOwner), sql_(std::make_unique<TStringList>()) {}

TIBQuery::~TIBQuery() = default;

void TIBQuery::SyncSQL() {
  std::string text = sql_->Text();
  if (text == parsedText_) return;
  Unprepare();
  params_.Rebuild(detail::ParseParams(text).Names);
  parsedText_ = std::move(text);
}

TParams& TIBQuery::Params() {
  SyncSQL();
  return params_;
}

std::string TIBQuery::StatementText() {
  SyncSQL();
  return parsedText_;
}

void TIBQuery::ExecSQL() {
  Close();  // the rows of an earlier result are not read on from the new one
  SyncSQL();
  Execute();
}
