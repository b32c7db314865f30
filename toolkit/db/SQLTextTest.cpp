#include "toolkit/db/SQLText.h"

#include <gtest/gtest.h>

using detail::ParseParams;
using detail::SplitScript;
using detail::StartsWithCondition;

TEST(SQLText, ParamsBecomeMarkersOutsideQuotesAndComments) {
  struct Case {
    const char* sql;
    const char* text;
    std::vector<std::string> names;
  } cases[] = {
      {"Execute Procedure X :Codigo,:Nome", "Execute Procedure X ?,?", {"Codigo", "Nome"}},
      {"SELECT * FROM T WHERE A=:a AND B = :A", "SELECT * FROM T WHERE A=? AND B = ?", {"a", "A"}},
      {"SELECT ':no' FROM T WHERE N=:Sim", "SELECT ':no' FROM T WHERE N=?", {"Sim"}},
      {"SELECT 'it''s :no' FROM \"T:x\" -- :no\nWHERE /* :no */ N=:P_1$",
       "SELECT 'it''s :no' FROM \"T:x\" -- :no\nWHERE /* :no */ N=?", {"P_1$"}},
      {"SELECT a FROM t WHERE x = : y", "SELECT a FROM t WHERE x = : y", {}},
      {"SELECT 'open", "SELECT 'open", {}},
  };
  for (const Case& c : cases) {
    const auto r = ParseParams(c.sql);
    EXPECT_EQ(r.Text, c.text) << c.sql;
    EXPECT_EQ(r.Names, c.names) << c.sql;
  }
}

TEST(SQLText, ScriptSplitsAtTheCurrentTerminator) {
  const char* script =
      "/* schema */\n"
      "SET SQL DIALECT 3;\n"
      "CREATE TABLE T (A INTEGER, B VARCHAR(10) DEFAULT ';');\n"
      "-- a comment; with a semicolon\n"
      "COMMIT;\n"
      "SET TERM ^ ;\n"
      "CREATE PROCEDURE P (X INTEGER) AS\nBEGIN\n  INSERT INTO T VALUES (:X, ';');\nEND^\n"
      "SET TERM ; ^\n"
      "CREATE INDEX I ON T (A);\n"
      "INSERT INTO T VALUES (1, 'x')";
  const std::vector<std::string> expected{
      "CREATE TABLE T (A INTEGER, B VARCHAR(10) DEFAULT ';')",
      "COMMIT",
      "CREATE PROCEDURE P (X INTEGER) AS\nBEGIN\n  INSERT INTO T VALUES (:X, ';');\nEND",
      "CREATE INDEX I ON T (A)",
      "INSERT INTO T VALUES (1, 'x')",
  };
  EXPECT_EQ(SplitScript(script), expected);
  EXPECT_TRUE(SplitScript("  ;; -- nothing\n").empty());
}

TEST(SQLText, StartsWithUsesTheIndexFormUnlessThePrefixHoldsWildcards) {
  struct Case {
    const char* prefix;
    const char* condition;
  } cases[] = {
      {"MARIA", "UPPER(NOME) STARTING WITH 'MARIA'"},
      {"D'ÁVILA", "UPPER(NOME) STARTING WITH 'D''ÁVILA'"},
      {"", "UPPER(NOME) STARTING WITH ''"},
      {"MAR%A", "UPPER(NOME) LIKE 'MAR%A%'"},
      {"JO_O", "UPPER(NOME) LIKE 'JO_O%'"},
      {"O'_", "UPPER(NOME) LIKE 'O''_%'"},
  };
  for (const Case& c : cases) EXPECT_EQ(StartsWithCondition("UPPER(NOME)", c.prefix), c.condition) << c.prefix;
}
