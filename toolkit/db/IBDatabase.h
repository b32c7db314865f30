#pragma once
// The connection to a Firebird database and its transactions. A database name that is a local
// Windows path ("C:\...\DATABASE.GDB") opens the file through the embedded engine; "host:path" and
// "host/port:path" reach a server.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Component.h"

class TIBTransaction;
class TIBCustomDataSet;

namespace detail {
using TFbHandle = unsigned int;  // the client's handle type on 64-bit systems
}

class TIBDatabase : public TComponent {
 public:
  explicit TIBDatabase(TComponent* AOwner);
  virtual ~TIBDatabase();
  TIBDatabase(const TIBDatabase&) = delete;
  TIBDatabase& operator=(const TIBDatabase&) = delete;

  const std::string& DatabaseName() const { return databaseName_; }
  // Raises EDatabaseError while connected.
  void SetDatabaseName(const std::string& Value);
  // "user_name=...", "password=...", "lc_ctype=...", "sql_role_name=..." lines.
  TStringList& Params() { return *params_; }
  int SQLDialect() const { return sqlDialect_; }
  void SetSQLDialect(int Value) { sqlDialect_ = Value; }
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool Value) { loginPrompt_ = Value; }
  int IdleTimer() const { return idleTimer_; }
  void SetIdleTimer(int Value) { idleTimer_ = Value; }
  TIBTransaction* DefaultTransaction() const { return defaultTransaction_; }
  void SetDefaultTransaction(TIBTransaction* Value);

  bool Connected() const { return handle_ != 0; }
  void SetConnected(bool Value);
  // Raises EIBError with the server's message when the attachment fails.
  void Open();
  // Closes the data sets, ends the transactions (committing them) and detaches.
  void Close();
  // Asks the server whether the attachment still answers.
  bool TestConnected();

  // Creates the database file named by DatabaseName ("CREATE DATABASE '<file>' " + Options, for example
  // "PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252"); the database stays disconnected.
  void CreateDatabase(const std::string& Options);

  // The name handed to the client library: local paths turned into the host's own paths.
  std::string ClientFileName() const;

  detail::TFbHandle* Handle() { return &handle_; }

 private:
  friend class TIBTransaction;
  friend class TIBCustomDataSet;
  std::string ParamValue(const std::string& name) const;

  std::string databaseName_;
  std::unique_ptr<TStringList> params_;
  int sqlDialect_ = 3;
  bool loginPrompt_ = true;
  int idleTimer_ = 0;
  TIBTransaction* defaultTransaction_ = nullptr;
  detail::TFbHandle handle_ = 0;
  std::vector<TIBTransaction*> transactions_;
  std::vector<TIBCustomDataSet*> dataSets_;
};

class TIBTransaction : public TComponent {
 public:
  explicit TIBTransaction(TComponent* AOwner);
  virtual ~TIBTransaction();
  TIBTransaction(const TIBTransaction&) = delete;
  TIBTransaction& operator=(const TIBTransaction&) = delete;

  TIBDatabase* DefaultDatabase() const { return database_; }
  void SetDefaultDatabase(TIBDatabase* Value);
  // "read_committed", "rec_version", "nowait", "concurrency", "consistency", "wait", "read", "write".
  TStringList& Params() { return *params_; }

  bool Active() const { return handle_ != 0; }
  bool InTransaction() const { return handle_ != 0; }
  // Inactive: commits.
  void SetActive(bool Value);
  void StartTransaction();
  // Commit and Rollback close every data set that uses this transaction; CommitRetaining keeps them open.
  void Commit();
  void CommitRetaining();
  void Rollback();

  detail::TFbHandle* Handle() { return &handle_; }
  // Starts the transaction when it is not active (connecting the database when needed).
  void EnsureActive();

 private:
  friend class TIBDatabase;
  friend class TIBCustomDataSet;
  void CloseDataSets();
  std::string Block() const;

  TIBDatabase* database_ = nullptr;
  std::unique_ptr<TStringList> params_;
  detail::TFbHandle handle_ = 0;
  std::vector<TIBCustomDataSet*> dataSets_;
};
