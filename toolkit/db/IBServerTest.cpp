// The same classes against a Firebird server that the test starts on 127.0.0.1.
#include <gtest/gtest.h>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/DatabasePath.h"
#include "toolkit/db/IBError.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"

namespace {

TEST(IBServer, NamesInTheServerFormAreNotTurnedIntoLocalPaths) {
  struct Case {
    const char* name;
    bool server;
  } cases[] = {{"localhost:/var/db/x.gdb", true},   {"servidor/3051:C:\\Dados\\DATABASE.GDB", true},
               {"192.168.0.2:D:\\MZ\\DATABASE.GDB", true}, {"C:\\MZ3100\\DATABASE.GDB", false},
               {"Z:\\tmp\\x.gdb", false},                 {"DATABASE.GDB", false},
               {"\\\\servidor\\dados\\x.gdb", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(detail::IsServerDatabaseName(c.name), c.server) << c.name;
    if (c.server) {
      EXPECT_EQ(detail::ClientDatabaseName(c.name), c.name);
    }
  }
}

TEST(IBServer, AttachesWithTheRightPasswordOnly) {
  dbtest::TTestServer server("IBServer", "segredo");
  TIBDatabase db{nullptr};
  TIBTransaction tr{nullptr};
  tr.SetDefaultDatabase(&db);
  db.SetDefaultTransaction(&tr);
  db.SetDatabaseName(server.DatabaseName("SERVIDOR.GDB"));
  db.CreateDatabase("USER 'SYSDBA' PASSWORD 'segredo' DEFAULT CHARACTER SET WIN1252");

  db.Params().SetText("user_name=sysdba\npassword=errada\nlc_ctype=WIN1252\n");
  try {
    db.Open();
    FAIL() << "a wrong password was accepted";
  } catch (const EIBError& e) {
    EXPECT_EQ(e.SQLState(), "28000") << e.Message();
  }
  EXPECT_FALSE(db.Connected());

  db.Params().SetValues("password", "segredo");
  db.Open();
  EXPECT_TRUE(db.TestConnected());
  ExecuteScript(db, "CREATE TABLE T (NOME VARCHAR(20));");
  TIBQuery q{nullptr};
  q.SetDatabase(&db);
  q.SQL().Add("INSERT INTO T VALUES (:NOME)");
  q.ParamByName("NOME").SetAsString("Açaí");
  q.ExecSQL();
  tr.Commit();
  q.SQL().SetText("SELECT NOME, UPPER(NOME) AS M FROM T");
  q.Open();
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "Açaí");
  EXPECT_EQ(q.FieldByName("M")->AsString(), "AÇAÍ");
  db.Close();
}

}  // namespace
