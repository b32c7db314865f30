#include "toolkit/db/IBDatabase.h"

#include <ibase.h>

#include <algorithm>
#include <type_traits>

#include "toolkit/db/DatabasePath.h"
#include "toolkit/db/IBCustomDataSet.h"
#include "toolkit/db/IBError.h"
#include "toolkit/rtl/AnsiText.h"

static_assert(std::is_same_v<FB_API_HANDLE, detail::TFbHandle>);

namespace {

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

void AddString(std::string& dpb, char tag, const std::string& value) {
  if (value.size() > 255) throw EDatabaseError("Par\xE2metro de conex\xE3o longo demais");
  dpb += tag;
  dpb += static_cast<char>(value.size());
  dpb += value;
}

}  // namespace

// ---- TIBDatabase ----

TIBDatabase::TIBDatabase(TComponent* AOwner) : TComponent(AOwner), params_(std::make_unique<TStringList>()) {}

TIBDatabase::~TIBDatabase() {
  try {
    Close();
  } catch (...) {
    // The attachment is dropped with the object whatever the server says.
  }
  for (TIBTransaction* t : std::vector<TIBTransaction*>(transactions_)) t->SetDefaultDatabase(nullptr);
  for (TIBCustomDataSet* d : std::vector<TIBCustomDataSet*>(dataSets_)) d->SetDatabase(nullptr);
}

void TIBDatabase::SetDatabaseName(const std::string& Value) {
  if (Connected()) throw EDatabaseError("N\xE3o se pode mudar o nome do banco de dados conectado");
  databaseName_ = Value;
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction* Value) {
  defaultTransaction_ = Value;
  if (Value && !Value->DefaultDatabase()) Value->SetDefaultDatabase(this);
}

void TIBDatabase::SetConnected(bool Value) {
  if (Value)
    Open();
  else
    Close();
}

std::string TIBDatabase::ParamValue(const std::string& name) const {
  for (int i = 0; i < params_->Count(); ++i) {
    const std::string line = params_->Strings(i);
    const size_t eq = line.find('=');
    if (eq != std::string::npos && AnsiSameText(Trim(line.substr(0, eq)), name)) return line.substr(eq + 1);
  }
  return {};
}

std::string TIBDatabase::ClientFileName() const { return detail::ClientDatabaseName(databaseName_); }

void TIBDatabase::Open() {
  if (Connected()) return;
  if (databaseName_.empty()) throw EDatabaseError("Nome do banco de dados n\xE3o informado");
  std::string dpb(1, static_cast<char>(isc_dpb_version1));
  for (int i = 0; i < params_->Count(); ++i) {
    const std::string line = params_->Strings(i);
    if (Trim(line).empty()) continue;
    const size_t eq = line.find('=');
    const std::string name = AnsiLowerCase(Trim(line.substr(0, eq)));
    const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
    if (name == "user_name")
      AddString(dpb, isc_dpb_user_name, value);
    else if (name == "password")
      AddString(dpb, isc_dpb_password, value);
    else if (name == "lc_ctype")
      AddString(dpb, isc_dpb_lc_ctype, value);
    else if (name == "sql_role_name")
      AddString(dpb, isc_dpb_sql_role_name, value);
    else
      throw EDatabaseError("Par\xE2metro de conex\xE3o desconhecido: " + name);
  }
  dpb += static_cast<char>(isc_dpb_sql_dialect);
  dpb += static_cast<char>(1);
  dpb += static_cast<char>(sqlDialect_);
  const std::string file = ClientFileName();
  ISC_STATUS_ARRAY st;
  isc_attach_database(st, 0, file.c_str(), &handle_, static_cast<short>(dpb.size()), dpb.data());
  if (st[0] == 1 && st[1]) handle_ = 0;
  detail::CheckStatus(st);
}

void TIBDatabase::Close() {
  if (!Connected()) return;
  for (TIBCustomDataSet* d : std::vector<TIBCustomDataSet*>(dataSets_)) {
    d->Close();
    d->Unprepare();
  }
  for (TIBTransaction* t : std::vector<TIBTransaction*>(transactions_))
    if (t->Active()) t->Commit();
  ISC_STATUS_ARRAY st;
  isc_detach_database(st, &handle_);
  handle_ = 0;  // a broken attachment is given up either way
  detail::CheckStatus(st);
}

bool TIBDatabase::TestConnected() {
  if (!Connected()) return false;
  const char items[] = {isc_info_ods_version, isc_info_end};
  char answer[64];
  bool answered = false;
  ISC_STATUS_ARRAY st;
  answered = isc_database_info(st, &handle_, sizeof items, items, sizeof answer, answer) == 0;
  return answered;
}

void TIBDatabase::CreateDatabase(const std::string& Options) {
  if (Connected()) throw EDatabaseError("O banco de dados j\xE1 est\xE1 conectado");
  std::string file;
  for (char c : ClientFileName()) file += c == '\'' ? std::string("''") : std::string(1, c);
  const std::string sql = "CREATE DATABASE '" + file + "' " + Options;
  ISC_STATUS_ARRAY st;
  isc_tr_handle tr = 0;
  isc_db_handle db = 0;
  isc_dsql_execute_immediate(st, &db, &tr, 0, sql.c_str(), static_cast<unsigned short>(sqlDialect_), nullptr);
  detail::CheckStatus(st);
  isc_detach_database(st, &db);
  detail::CheckStatus(st);
}

// ---- TIBTransaction ----

TIBTransaction::TIBTransaction(TComponent* AOwner) : TComponent(AOwner), params_(std::make_unique<TStringList>()) {}

TIBTransaction::~TIBTransaction() {
  try {
    if (Active()) Rollback();
  } catch (...) {
    // Nothing left to end it with.
  }
  for (TIBCustomDataSet* d : std::vector<TIBCustomDataSet*>(dataSets_)) d->SetTransaction(nullptr);
  SetDefaultDatabase(nullptr);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* Value) {
  if (Value == database_) return;
  if (Active()) throw EDatabaseError("N\xE3o se pode mudar o banco de dados de uma transa\xE7\xE3o ativa");
  if (database_) {
    std::erase(database_->transactions_, this);
    if (database_->defaultTransaction_ == this) database_->defaultTransaction_ = nullptr;
  }
  database_ = Value;
  if (database_) database_->transactions_.push_back(this);
}

std::string TIBTransaction::Block() const {
  static const struct {
    const char* name;
    char tag;
  } kWords[] = {{"read_committed", isc_tpb_read_committed}, {"rec_version", isc_tpb_rec_version},
                {"no_rec_version", isc_tpb_no_rec_version}, {"nowait", isc_tpb_nowait},
                {"wait", isc_tpb_wait},                     {"concurrency", isc_tpb_concurrency},
                {"consistency", isc_tpb_consistency},       {"read", isc_tpb_read},
                {"write", isc_tpb_write}};
  std::string tpb(1, static_cast<char>(isc_tpb_version3));
  for (int i = 0; i < params_->Count(); ++i) {
    const std::string word = AnsiLowerCase(Trim(params_->Strings(i)));
    if (word.empty()) continue;
    auto it = std::find_if(std::begin(kWords), std::end(kWords), [&](const auto& w) { return word == w.name; });
    if (it == std::end(kWords)) throw EDatabaseError("Par\xE2metro de transa\xE7\xE3o desconhecido: " + word);
    tpb += it->tag;
  }
  return tpb;
}

void TIBTransaction::StartTransaction() {
  if (Active()) throw EDatabaseError("A transa\xE7\xE3o j\xE1 est\xE1 ativa");
  if (!database_) throw EDatabaseError("Transa\xE7\xE3o sem banco de dados");
  if (!database_->Connected()) throw EDatabaseError("O banco de dados n\xE3o est\xE1 conectado");
  const std::string tpb = Block();
  ISC_STATUS_ARRAY st;
  isc_start_transaction(st, &handle_, 1, database_->Handle(), static_cast<unsigned short>(tpb.size()), tpb.data());
  if (st[0] == 1 && st[1]) handle_ = 0;
  detail::CheckStatus(st);
}

void TIBTransaction::EnsureActive() {
  if (Active()) return;
  if (database_ && !database_->Connected()) database_->Open();
  StartTransaction();
}

void TIBTransaction::SetActive(bool Value) {
  if (Value == Active()) return;
  if (Value)
    StartTransaction();
  else
    Commit();
}

void TIBTransaction::CloseDataSets() {
  for (TIBCustomDataSet* d : std::vector<TIBCustomDataSet*>(dataSets_)) d->Close();
}

void TIBTransaction::Commit() {
  if (!Active()) throw EDatabaseError("A transa\xE7\xE3o n\xE3o est\xE1 ativa");
  CloseDataSets();
  ISC_STATUS_ARRAY st;
  isc_commit_transaction(st, &handle_);
  detail::CheckStatus(st);
}

void TIBTransaction::CommitRetaining() {
  if (!Active()) throw EDatabaseError("A transa\xE7\xE3o n\xE3o est\xE1 ativa");
  ISC_STATUS_ARRAY st;
  isc_commit_retaining(st, &handle_);
  detail::CheckStatus(st);
}

void TIBTransaction::Rollback() {
  if (!Active()) throw EDatabaseError("A transa\xE7\xE3o n\xE3o est\xE1 ativa");
  CloseDataSets();
  ISC_STATUS_ARRAY st;
  isc_rollback_transaction(st, &handle_);
  detail::CheckStatus(st);
}

