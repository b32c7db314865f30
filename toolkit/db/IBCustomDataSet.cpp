#include "toolkit/db/IBCustomDataSet.h"

#include <algorithm>

#include "toolkit/db/IBStatement.h"
#include "toolkit/db/SQLText.h"
#include "toolkit/rtl/Exceptions.h"

TIBCustomDataSet::TIBCustomDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TIBCustomDataSet::~TIBCustomDataSet() {
  Close();
  Unprepare();
  SetTransaction(nullptr);
  SetDatabase(nullptr);
}

void TIBCustomDataSet::SetDatabase(TIBDatabase* Value) {
  if (Value == database_) return;
  Close();
  Unprepare();
  if (database_) std::erase(database_->dataSets_, this);
  database_ = Value;
  if (database_) {
    database_->dataSets_.push_back(this);
    if (!transaction_) SetTransaction(database_->DefaultTransaction());
  }
}

void TIBCustomDataSet::SetTransaction(TIBTransaction* Value) {
  if (Value == transaction_) return;
  Close();
  if (transaction_) std::erase(transaction_->dataSets_, this);
  transaction_ = Value;
  if (transaction_) transaction_->dataSets_.push_back(this);
}

TIBTransaction& TIBCustomDataSet::ActiveTransaction() {
  if (!database_) throw EDatabaseError("Conjunto de dados sem banco de dados");
  if (!transaction_) throw EDatabaseError("Conjunto de dados sem transa\xE7\xE3o");
  if (!database_->Connected()) database_->Open();
  if (transaction_->DefaultDatabase() != database_)
    throw EDatabaseError("A transa\xE7\xE3o pertence a outro banco de dados");
  transaction_->EnsureActive();
  return *transaction_;
}

void TIBCustomDataSet::Prepare() {
  SyncStatement();
  if (statement_) return;
  TIBTransaction& tr = ActiveTransaction();
  detail::TParsedSQL parsed = detail::ParseParams(StatementText());
  statement_ = std::make_unique<detail::TIBStatement>(*database_, tr, parsed.Text);
  markers_ = std::move(parsed.Names);
}

void TIBCustomDataSet::Unprepare() {
  statement_.reset();
  markers_.clear();
}

void TIBCustomDataSet::Execute() {
  TIBTransaction& tr = ActiveTransaction();
  Prepare();
  std::vector<const TParam*> values;
  TParams* params = StatementParams();
  for (const std::string& name : markers_) values.push_back(params ? &params->ParamByName(name) : nullptr);
  statement_->Execute(tr, values);
}

void TIBCustomDataSet::InternalOpen(std::vector<TFieldDef>& Defs) {
  Execute();
  if (!statement_->ReturnsRows()) throw EDatabaseError("A instru\xE7\xE3o n\xE3o devolve linhas");
  for (const detail::TColumn& c : statement_->Columns()) Defs.push_back({c.Name, c.DataType, c.Size});
}

bool TIBCustomDataSet::InternalFetch(detail::TRecord& Row) {
  return statement_ && statement_->Fetch(*transaction_, Row);
}

void TIBCustomDataSet::InternalClose() {
  if (statement_) statement_->CloseCursor();
}
