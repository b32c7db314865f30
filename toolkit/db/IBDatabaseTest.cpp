// Connections, transactions and scripts against real database files made by the test.
#include "toolkit/db/IBDatabase.h"

#include <gtest/gtest.h>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/IBError.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"

namespace {

class IBDatabaseTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = dbtest::FreshDir(testing::UnitTest::GetInstance()->current_test_info()->name());
    db.SetDatabaseName(dbtest::WinPath(dir + "/TESTE.GDB"));
    db.Params().Add("user_name=sysdba");
    db.Params().Add("password=masterkey");
    db.Params().Add("lc_ctype=WIN1252");
    db.SetLoginPrompt(false);
    tr.SetDefaultDatabase(&db);
    db.SetDefaultTransaction(&tr);
    tr.Params().Add("read_committed");
    tr.Params().Add("rec_version");
    tr.Params().Add("nowait");
  }

  void Create() {
    db.CreateDatabase("DEFAULT CHARACTER SET WIN1252");
    db.Open();
    ExecuteScript(db, "CREATE TABLE T (A INTEGER NOT NULL PRIMARY KEY, B VARCHAR(20));");
  }

  std::string dir;
  TIBDatabase db{nullptr};
  TIBTransaction tr{nullptr};
};

TEST_F(IBDatabaseTest, CreatesAndAttachesAFileGivenByItsWindowsPath) {
  EXPECT_EQ(db.ClientFileName(), dir + "/TESTE.GDB");
  db.CreateDatabase("PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252");
  EXPECT_FALSE(db.Connected());
  db.SetConnected(true);
  EXPECT_TRUE(db.Connected());
  EXPECT_TRUE(db.TestConnected());
  EXPECT_THROW(db.SetDatabaseName("outro.gdb"), EDatabaseError);
  db.Close();
  EXPECT_FALSE(db.Connected());
  EXPECT_FALSE(db.TestConnected());
}

TEST_F(IBDatabaseTest, FailuresCarryTheServersMessage) {
  try {
    db.Open();
    FAIL() << "a missing file was attached";
  } catch (const EIBError& e) {
    EXPECT_NE(e.Message().find("TESTE.GDB"), std::string::npos) << e.Message();
    EXPECT_NE(e.IBErrorCode(), 0);
  }
  EXPECT_FALSE(db.Connected());

  Create();
  TIBQuery q{nullptr};
  q.SetDatabase(&db);
  q.SQL().Add("SELECT NADA FROM T");
  try {
    q.Open();
    FAIL() << "an unknown column was accepted";
  } catch (const EIBError& e) {
    EXPECT_NE(e.Message().find("NADA"), std::string::npos) << e.Message();
    EXPECT_EQ(e.SQLState(), "42S22");
  }
  EXPECT_FALSE(q.Active());

  db.Close();
  db.Params().Add("lc_cype=WIN1252");
  EXPECT_THROW(db.Open(), EDatabaseError);
}

TEST_F(IBDatabaseTest, CommitClosesTheDataSetsOfItsTransaction) {
  Create();
  TIBQuery a{nullptr}, b{nullptr};
  for (TIBQuery* q : {&a, &b}) {
    q->SetDatabase(&db);  // takes the default transaction
    EXPECT_EQ(q->Transaction(), &tr);
    q->SQL().Add("SELECT * FROM T");
  }
  EXPECT_FALSE(tr.Active());
  a.Open();  // opening starts the transaction
  EXPECT_TRUE(tr.Active());
  b.Open();
  tr.CommitRetaining();
  EXPECT_TRUE(a.Active() && b.Active() && tr.Active());
  tr.Commit();
  EXPECT_FALSE(a.Active() || b.Active() || tr.Active());

  a.Open();
  tr.Rollback();
  EXPECT_FALSE(a.Active());

  a.Open();
  db.Close();  // closes the data sets and ends the transaction
  EXPECT_FALSE(a.Active() || tr.Active());
  a.Open();  // connects again
  EXPECT_TRUE(db.Connected() && a.Active());
}

TEST_F(IBDatabaseTest, TransactionSeesItsOwnWorkAndCommitKeepsIt) {
  Create();
  TIBQuery ins{nullptr};
  ins.SetDatabase(&db);
  ins.SQL().Add("INSERT INTO T (A, B) VALUES (:A, :B)");
  ins.ParamByName("A").SetAsInteger(1);
  ins.ParamByName("B").SetAsString("um");
  ins.ExecSQL();
  tr.Rollback();
  ins.ExecSQL();
  tr.SetActive(false);  // commits

  TIBTransaction other{nullptr};
  other.SetDefaultDatabase(&db);
  TIBQuery sel{nullptr};
  sel.SetDatabase(&db);
  sel.SetTransaction(&other);
  sel.SQL().Add("SELECT COUNT(*) FROM T");
  sel.Open();
  EXPECT_EQ(sel.FieldByName("COUNT")->AsInteger(), 1);
  tr.Params().Add("nonsense");
  EXPECT_THROW(tr.StartTransaction(), EDatabaseError);
}

TEST_F(IBDatabaseTest, ScriptDefinesProceduresBetweenTerminators) {
  Create();
  ExecuteScript(db,
                "CREATE GENERATOR G;\n"
                "SET TERM ^ ;\n"
                "CREATE PROCEDURE P (B VARCHAR(20)) RETURNS (A INTEGER) AS\n"
                "BEGIN\n  A = GEN_ID(G, 1);\n  INSERT INTO T (A, B) VALUES (:A, :B);\nEND^\n"
                "SET TERM ; ^\n"
                "COMMIT;\n");
  TIBQuery q{nullptr};
  q.SetDatabase(&db);
  q.SQL().Add("EXECUTE PROCEDURE P :B");
  q.ParamByName("b").SetAsString("x");
  q.Open();  // the procedure's output row
  EXPECT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("A")->AsInteger(), 1);
  q.Close();
  q.ExecSQL();
  q.SQL().Clear();
  q.SQL().Add("SELECT GEN_ID(G, 0) FROM RDB$DATABASE");
  q.Open();
  EXPECT_EQ(q.FieldByName("GEN_ID")->AsInteger(), 2);

  try {
    ExecuteScript(db, "CREATE TABLE T (X INTEGER);");
    FAIL();
  } catch (const EIBError& e) {
    EXPECT_NE(e.Message().find("CREATE TABLE T (X INTEGER)"), std::string::npos) << e.Message();
  }
}

}  // namespace
