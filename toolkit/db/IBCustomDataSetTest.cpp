// Data sets over more rows than one read from the server: the cursor, counts, searches, bookmarks
// and filters give what they gave when every row was read at once, and only the rows they need
// are read.
#include "toolkit/db/IBCustomDataSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/db/IBTable.h"

namespace {

constexpr int kRows = 2000;

class IBCustomDataSetTest : public testing::Test {
 protected:
  // One database for the suite: no test writes to it.
  static void SetUpTestSuite() {
    db = new TIBDatabase(nullptr);
    tr = new TIBTransaction(nullptr);
    db->SetDatabaseName(dbtest::WinPath(dbtest::FreshDir("IBCustomDataSetTest") + "/NUMEROS.GDB"));
    db->Params().Add("user_name=sysdba");
    db->Params().Add("lc_ctype=WIN1252");
    tr->SetDefaultDatabase(db);
    tr->Params().SetText("read_committed\nrec_version\nnowait\n");
    db->SetDefaultTransaction(tr);
    db->CreateDatabase("DEFAULT CHARACTER SET WIN1252");
    ExecuteScript(*db,
                  "CREATE TABLE NUMEROS (CODIGO INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(20), PAR INTEGER);\n"
                  "CREATE INDEX IDX_NUMEROS_NOME ON NUMEROS (NOME);\n"
                  "SET TERM ^ ;\n"
                  "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (:I <= " + std::to_string(kRows) +
                      ") DO BEGIN INSERT INTO NUMEROS VALUES (:I, 'N' || LPAD(:I, 5, '0'), MOD(:I + 1, 2));"
                      " I = :I + 1; END END^\n"
                  "SET TERM ; ^\n");
  }
  static void TearDownTestSuite() {
    delete tr;
    delete db;
  }

  void SetUp() override {
    q.SetDatabase(db);
    q.SQL().Add("SELECT * FROM NUMEROS ORDER BY CODIGO");
    q.Open();
  }

  int Codigo() { return q.FieldByName("CODIGO")->AsInteger(); }
  // Statements of this connection with a result open on the server, seen from a transaction of its own.
  int OpenResults() {
    TIBTransaction mon(nullptr);
    mon.SetDefaultDatabase(db);
    TIBQuery m(nullptr);
    m.SetDatabase(db);
    m.SetTransaction(&mon);
    m.SQL().Add("SELECT COUNT(*) FROM MON$STATEMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION AND MON$STATE <> 0");
    m.Open();
    const int n = m.Fields(0)->AsInteger() - 1;  // less the count itself
    m.Close();
    mon.Commit();
    return n;
  }

  static TIBDatabase* db;
  static TIBTransaction* tr;
  TIBQuery q{nullptr};
};

TIBDatabase* IBCustomDataSetTest::db = nullptr;
TIBTransaction* IBCustomDataSetTest::tr = nullptr;

TEST_F(IBCustomDataSetTest, OpeningReadsOneBatchAndTheCursorReadsOnAsItMoves) {
  EXPECT_GT(q.RecordsFetched(), 0);
  EXPECT_LT(q.RecordsFetched(), 100);
  std::vector<int> forward;
  for (q.First(); !q.Eof(); q.Next()) forward.push_back(Codigo());
  ASSERT_EQ(forward.size(), size_t(kRows));
  for (int i = 0; i < kRows; ++i) ASSERT_EQ(forward[i], i + 1);
  EXPECT_EQ(q.RecordsFetched(), kRows);
  EXPECT_EQ(q.RecNo(), kRows);

  int back = kRows;
  for (; !q.Bof(); q.Prior()) ASSERT_EQ(Codigo(), back--);
  EXPECT_EQ(back, 0);
  EXPECT_EQ(q.RecNo(), 1);
}

TEST_F(IBCustomDataSetTest, LastReadsToTheEndAndFirstComesBack) {
  q.Last();
  EXPECT_EQ(Codigo(), kRows);
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecordsFetched(), kRows);
  q.First();
  EXPECT_EQ(Codigo(), 1);
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.MoveBy(kRows + 5), kRows - 1);
  EXPECT_EQ(Codigo(), kRows);
}

TEST_F(IBCustomDataSetTest, LocateAndMoveByReadOnlyAsFarAsTheRowTheyReach) {
  ASSERT_TRUE(q.Locate("CODIGO", "700", 0));
  EXPECT_EQ(Codigo(), 700);
  EXPECT_EQ(q.RecNo(), 700);
  EXPECT_LT(q.RecordsFetched(), 800);
  ASSERT_TRUE(q.Locate("NOME", "n01234", loCaseInsensitive));
  EXPECT_EQ(Codigo(), 1234);
  EXPECT_EQ(q.MoveBy(-1000), -1000);
  EXPECT_EQ(Codigo(), 234);
  q.SetRecNo(1500);
  EXPECT_EQ(Codigo(), 1500);
  EXPECT_LT(q.RecordsFetched(), 1600);
  EXPECT_FALSE(q.Locate("NOME", "N99999", 0));
  EXPECT_EQ(Codigo(), 1500);
}

TEST_F(IBCustomDataSetTest, BookmarkTakenLateLeadsBackToItsRow) {
  q.MoveBy(1299);
  ASSERT_EQ(Codigo(), 1300);
  const TBookmark mark = q.GetBookmark();
  q.First();
  q.Last();
  q.First();
  ASSERT_TRUE(q.BookmarkValid(mark));
  q.GotoBookmark(mark);
  EXPECT_EQ(Codigo(), 1300);
  EXPECT_EQ(q.RecNo(), 1300);
}

TEST_F(IBCustomDataSetTest, RecordCountAndIsEmptyReadOnlyWhatTheyNeed) {
  EXPECT_FALSE(q.IsEmpty());
  EXPECT_LT(q.RecordsFetched(), 100);
  EXPECT_GE(q.ReadAhead(90), 90);
  EXPECT_LT(q.RecordsFetched(), 200);
  EXPECT_EQ(q.RecordCount(), kRows);
  EXPECT_EQ(q.RecordsFetched(), kRows);
  EXPECT_EQ(Codigo(), 1);
  EXPECT_EQ(q.RecordText(kRows, q.FieldByName("NOME")->Index()), "N02000");

  q.Close();
  q.SQL().Clear();
  q.SQL().Add("SELECT * FROM NUMEROS WHERE CODIGO > :Limite");
  q.ParamByName("Limite").SetAsInteger(kRows);
  q.Open();
  EXPECT_TRUE(q.IsEmpty());
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecordCount(), 0);
}

TEST_F(IBCustomDataSetTest, FilterKeepsItsRowsAcrossBatchesBeforeAndAfterOpening) {
  const auto evens = [&] {
    std::vector<int> codes;
    for (q.First(); !q.Eof(); q.Next()) codes.push_back(Codigo());
    return codes;
  };
  q.SetFilter("PAR = 1");
  q.SetFiltered(true);
  EXPECT_EQ(Codigo(), 2);
  std::vector<int> got = evens();
  ASSERT_EQ(got.size(), size_t(kRows / 2));
  for (int i = 0; i < kRows / 2; ++i) ASSERT_EQ(got[i], 2 * (i + 1));
  EXPECT_EQ(q.RecordCount(), kRows / 2);

  q.Close();
  q.Open();
  EXPECT_EQ(Codigo(), 2);
  ASSERT_TRUE(q.Locate("CODIGO", "1800", 0));
  EXPECT_EQ(q.RecNo(), 900);
  EXPECT_FALSE(q.Locate("CODIGO", "1801", 0));
  q.SetFiltered(false);
  EXPECT_EQ(q.RecordCount(), kRows);
  q.SetFilter("CODIGO > 1990");
  q.SetFiltered(true);
  EXPECT_EQ(Codigo(), 1991);
  EXPECT_EQ(q.RecordCount(), 10);
}

TEST_F(IBCustomDataSetTest, ClosingInTheMiddleFreesTheResultAtOnce) {
  const int before = OpenResults();
  q.MoveBy(500);
  EXPECT_EQ(OpenResults(), before);  // the query's result is still open
  q.Close();
  EXPECT_EQ(OpenResults(), before - 1);
  EXPECT_EQ(q.RecordsFetched(), 0);
  q.Open();
  EXPECT_EQ(Codigo(), 1);
  q.MoveBy(500);
  tr->Commit();  // closes the data set
  EXPECT_FALSE(q.Active());
  q.Open();
  EXPECT_EQ(q.RecordCount(), kRows);
}

TEST_F(IBCustomDataSetTest, TableInIndexOrderReadsOnlyItsFirstRows) {
  TIBTable t(nullptr);
  t.SetDatabase(db);
  t.SetTableName("NUMEROS");
  t.SetIndexName("IDX_NUMEROS_NOME");
  t.Open();
  EXPECT_EQ(t.FieldByName("NOME")->AsString(), "N00001");
  EXPECT_LT(t.RecordsFetched(), 100);
  t.Last();
  EXPECT_EQ(t.FieldByName("NOME")->AsString(), "N02000");
}

}  // namespace

TEST_F(IBCustomDataSetTest, TableFilterGoesToTheServerAndBookmarksOutliveIt) {
  TIBTable t(nullptr);
  t.SetDatabase(db);
  t.SetTableName("NUMEROS");
  t.SetIndexName("IDX_NUMEROS_NOME");
  t.Open();
  t.MoveBy(1299);
  const TBookmark mark = t.GetBookmark();
  ASSERT_EQ(t.FieldByName("CODIGO")->AsInteger(), 1300);

  t.SetFiltered(true);
  t.SetFilter("Codigo=1700");
  EXPECT_EQ(t.FieldByName("CODIGO")->AsInteger(), 1700);
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.RecordsFetched(), 1);
  EXPECT_THROW(t.GotoBookmark(mark), EDatabaseError);

  // The server selects by the code, the data set by the rest of the filter.
  t.SetFilter("CODIGO > 1900 AND NOT PAR = 0");
  EXPECT_EQ(t.FieldByName("NOME")->AsString(), "N01902");
  EXPECT_EQ(t.RecordCount(), 50);
  EXPECT_EQ(t.RecordsFetched(), 100);
  EXPECT_THROW(t.SetFilter("CODIGO > 10 AND DESCONHECIDO = 1"), EDatabaseError);
  EXPECT_EQ(t.Filter(), "CODIGO > 1900 AND NOT PAR = 0");
  EXPECT_EQ(t.RecordCount(), 50);

  t.SetFiltered(false);
  EXPECT_EQ(t.FieldByName("CODIGO")->AsInteger(), 1);
  EXPECT_LT(t.RecordsFetched(), 100);
  t.GotoBookmark(mark);
  EXPECT_EQ(t.FieldByName("CODIGO")->AsInteger(), 1300);
  EXPECT_EQ(t.RecNo(), 1300);

  // Filtered before it is first opened: the server selects from the first opening on.
  TIBTable u(nullptr);
  u.SetDatabase(db);
  u.SetTableName("NUMEROS");
  u.SetFilter("CODIGO <= 3");
  u.SetFiltered(true);
  u.Open();
  EXPECT_EQ(u.RecordCount(), 3);
  EXPECT_EQ(u.RecordsFetched(), 3);
}
