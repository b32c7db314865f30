// Queries, tables, fields, cursor, filters, bookmarks and data links on a real database file.
#include "toolkit/db/IBQuery.h"

#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/db/DbTestSupport.h"
#include "toolkit/db/IBScript.h"
#include "toolkit/db/IBTable.h"

namespace {

class IBQueryTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string dir = dbtest::FreshDir(testing::UnitTest::GetInstance()->current_test_info()->name());
    db.SetDatabaseName(dbtest::WinPath(dir + "/TESTE.GDB"));
    db.Params().Add("user_name=sysdba");
    db.Params().Add("lc_ctype=WIN1252");
    tr.SetDefaultDatabase(&db);
    db.SetDefaultTransaction(&tr);
    tr.Params().SetText("read_committed\nrec_version\nnowait\n");
    db.CreateDatabase("DEFAULT CHARACTER SET WIN1252");
    ExecuteScript(db,
                  "CREATE TABLE PESSOA (CODIGO INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(50), LOCAL VARCHAR(2),"
                  " POSCAIXA INTEGER, DATA DATE, HORA TIME, MOMENTO TIMESTAMP, PESO DOUBLE PRECISION,"
                  " FOTO BLOB SUB_TYPE 0, NOTA BLOB SUB_TYPE 1, VALOR NUMERIC(9,2));\n"
                  "CREATE DESCENDING INDEX IDX_PESSOA_NOME ON PESSOA (NOME);\n");
    q.SetDatabase(&db);
  }

  void Insert(int codigo, const std::string& nome, const std::string& local, int pos) {
    q.Close();
    q.SQL().Clear();
    q.SQL().Add("INSERT INTO PESSOA (CODIGO, NOME, LOCAL, POSCAIXA) VALUES (:CODIGO, :NOME, :LOCAL, :POSCAIXA)");
    q.ParamByName("Codigo").SetAsInteger(codigo);
    q.ParamByName("Nome").SetAsString(nome);
    q.ParamByName("Local").SetAsString(local);
    q.ParamByName("PosCaixa").SetAsInteger(pos);
    q.ExecSQL();
  }

  void Select(const std::string& sql) {
    q.Close();
    q.SQL().Clear();
    q.SQL().Add(sql);
    q.Open();
  }

  // Five people: codes 1..5.
  void Fill() {
    Insert(1, "João da Silva", "CE", 1);
    Insert(2, "Ana Conceição", "CE", 2);
    Insert(3, "ÁLVARO NUNES", "OD", 1);
    Insert(4, "Beatriz", "CE", 1);
    Insert(5, "anabela", "OS", 3);
  }

  std::vector<int> Codes() {
    std::vector<int> r;
    for (q.First(); !q.Eof(); q.Next()) r.push_back(q.FieldByName("CODIGO")->AsInteger());
    return r;
  }

  TIBDatabase db{nullptr};
  TIBTransaction tr{nullptr};
  TIBQuery q{nullptr};
};

TEST_F(IBQueryTest, ValuesRoundTripThroughBoundParameters) {
  std::string picture(3 * 1024 * 1024 + 17, '\0');
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<char>((i * 7919) >> 3);
  TMemoryStream pictureStream;
  pictureStream.Write(picture.data(), static_cast<int64_t>(picture.size()));
  const TDateTime moment = EncodeDateTime(2024, 2, 29, 13, 45, 30, 600);  // bound at whole seconds

  q.SQL().Add(
      "INSERT INTO PESSOA (CODIGO, NOME, LOCAL, DATA, HORA, MOMENTO, PESO, FOTO, NOTA, VALOR) "
      "VALUES (:codigo, :Nome, :LOCAL, :Data, :Hora, :Momento, :Peso, :Foto, :Nota, :Valor)");
  q.ParamByName("CODIGO").SetAsInteger(7);
  q.ParamByName("nome").SetAsString("Conceição Ação");
  q.ParamByName("Local").SetAsString("");
  q.ParamByName("Data").SetAsDate(moment);
  q.ParamByName("Hora").SetAsTime(moment);
  q.ParamByName("Momento").SetAsDateTime(moment);
  q.ParamByName("Peso").SetAsFloat(-0.1234567890123);
  q.ParamByName("Foto").LoadFromStream(pictureStream);
  q.ParamByName("Nota").SetAsString("observação");
  q.ParamByName("Valor").SetAsString("12");
  q.ExecSQL();

  Select("SELECT P.*, UPPER(NOME) AS MAIUSCULO, CHAR_LENGTH(NOME) AS LETRAS FROM PESSOA P WHERE CODIGO = :C");
  ASSERT_EQ(q.RecordCount(), 0) << "no value bound: NULL matches nothing";
  q.Close();
  q.ParamByName("c").SetAsInteger(7);
  q.Open();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "Conceição Ação");
  EXPECT_EQ(q.FieldByName("NOME")->Size(), 50);
  EXPECT_EQ(q.FieldByName("MAIUSCULO")->AsString(), "CONCEIÇÃO AÇÃO");
  EXPECT_EQ(q.FieldByName("LETRAS")->AsInteger(), 14);
  EXPECT_FALSE(q.FieldByName("LOCAL")->IsNull()) << "an empty text is stored as '', not NULL";
  EXPECT_EQ(q.FieldByName("LOCAL")->AsString(), "");
  EXPECT_TRUE(q.FieldByName("POSCAIXA")->IsNull());
  EXPECT_EQ(q.FieldByName("POSCAIXA")->AsInteger(), 0);
  EXPECT_EQ(q.FieldByName("POSCAIXA")->AsString(), "");
  EXPECT_EQ(q.FieldByName("DATA")->DataType(), ftDate);
  EXPECT_EQ(q.FieldByName("DATA")->AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(q.FieldByName("HORA")->DataType(), ftTime);
  EXPECT_NEAR(q.FieldByName("HORA")->AsDateTime(), EncodeTime(13, 45, 31, 0), 1e-9);
  EXPECT_NEAR(q.FieldByName("MOMENTO")->AsDateTime(), EncodeDateTime(2024, 2, 29, 13, 45, 31, 0), 1e-9);
  EXPECT_DOUBLE_EQ(q.FieldByName("PESO")->AsFloat(), -0.1234567890123);
  EXPECT_DOUBLE_EQ(q.FieldByName("VALOR")->AsFloat(), 12.0);
  EXPECT_EQ(q.FieldByName("NOTA")->AsString(), "observação");

  auto* foto = dynamic_cast<TBlobField*>(q.FieldByName("FOTO"));
  ASSERT_NE(foto, nullptr);
  TMemoryStream back;
  foto->SaveToStream(back);
  ASSERT_EQ(back.Size(), static_cast<int64_t>(picture.size()));
  EXPECT_EQ(std::memcmp(back.Memory(), picture.data(), picture.size()), 0);

  // An empty blob stays an empty blob.
  TMemoryStream empty;
  Select("UPDATE PESSOA SET FOTO = :F WHERE CODIGO = 7 RETURNING OCTET_LENGTH(FOTO)");
  q.Close();
  q.ParamByName("F").LoadFromStream(empty);
  q.Open();
  EXPECT_EQ(q.Fields(0)->AsInteger(), 0);
  EXPECT_FALSE(q.Fields(0)->IsNull());
}

TEST_F(IBQueryTest, ParametersMatchWithoutCaseAndKeepTheirValues) {
  Fill();
  q.SQL().Clear();
  q.SQL().Add("SELECT CODIGO FROM PESSOA WHERE LOCAL = :Loc AND (POSCAIXA = :Pos OR CODIGO = :POS)");
  EXPECT_EQ(q.ParamCount(), 2);
  q.ParamByName("LOC").SetAsString("CE");
  q.ParamByName("pos").SetAsInteger(2);
  q.Open();
  EXPECT_EQ(Codes(), std::vector<int>{2});
  EXPECT_THROW(q.ParamByName("Outro"), EDatabaseError);
  q.Close();
  q.SQL().Clear();
  q.SQL().Add("SELECT CODIGO FROM PESSOA WHERE LOCAL = :LOC ORDER BY CODIGO");
  EXPECT_EQ(q.ParamCount(), 1);
  q.Open();  // LOC keeps 'CE'
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 4}));
  // Text with quotes is bound, never pasted.
  Select("SELECT CODIGO FROM PESSOA WHERE NOME = :NOME");
  q.Close();
  q.ParamByName("NOME").SetAsString("x' OR '1'='1");
  q.Open();
  EXPECT_TRUE(q.IsEmpty());
}

TEST_F(IBQueryTest, CursorMovesBothWays) {
  Select("SELECT * FROM PESSOA");
  EXPECT_TRUE(q.IsEmpty());
  EXPECT_TRUE(q.Bof() && q.Eof());
  EXPECT_EQ(q.RecNo(), 0);
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 0) << "an empty result reads 0 and ''";
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "");

  Fill();
  Select("SELECT * FROM PESSOA ORDER BY CODIGO");
  EXPECT_EQ(q.RecordCount(), 5);
  EXPECT_TRUE(q.Bof());
  EXPECT_FALSE(q.Eof());
  EXPECT_EQ(q.RecNo(), 1);
  q.Next();
  EXPECT_FALSE(q.Bof());
  EXPECT_EQ(q.FieldByName("codigo")->AsInteger(), 2);
  q.Last();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecNo(), 5);
  q.Next();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 5);
  q.Prior();
  EXPECT_FALSE(q.Eof());
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 4);
  EXPECT_EQ(q.MoveBy(-10), -3);
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 1);
  q.SetRecNo(3);
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 3);
  EXPECT_THROW(q.FieldByName("NADA"), EDatabaseError);
  EXPECT_EQ(q.FindField("NADA"), nullptr);
  q.Close();
  EXPECT_THROW(q.Next(), EDatabaseError);
}

TEST_F(IBQueryTest, LocateFindsByWholeOrPartialKey) {
  Fill();
  Select("SELECT * FROM PESSOA ORDER BY CODIGO");
  struct Case {
    const char* fields;
    std::vector<std::string> values;
    TLocateOptions options;
    int found;  // 0: not found
  } cases[] = {
      {"Nome", {"Beatriz"}, 0, 4},
      {"Nome", {"beatriz"}, 0, 0},
      {"Nome", {"beatriz"}, loCaseInsensitive, 4},
      {"Nome", {"Ana"}, loPartialKey, 2},
      {"Nome", {"ana"}, loPartialKey, 5},
      {"Nome", {"ana"}, loPartialKey | loCaseInsensitive, 2},
      {"Nome", {"álvaro"}, loPartialKey | loCaseInsensitive, 3},
      {"Nome", {"Ana"}, 0, 0},
      {"Local;PosCaixa", {"CE", "1"}, 0, 1},
      {"LOCAL; POSCAIXA", {"OS", "3"}, 0, 5},
      {"Codigo", {"3"}, 0, 3},
  };
  for (const Case& c : cases) {
    q.SetRecNo(4);
    EXPECT_EQ(q.Locate(c.fields, c.values, c.options), c.found != 0) << c.fields << " " << c.values[0];
    EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), c.found ? c.found : 4) << c.fields << " " << c.values[0];
  }
  EXPECT_THROW(q.Locate("Nome;Local", std::vector<std::string>{"x"}, 0), EDatabaseError);
}

TEST_F(IBQueryTest, FilterHidesRowsAndBookmarksSurviveIt) {
  Fill();
  TIBTable t{nullptr};
  t.SetDatabase(&db);
  t.SetTableName("PESSOA");
  t.Open();
  EXPECT_EQ(t.RecordCount(), 5);
  ASSERT_TRUE(t.Locate("CODIGO", "3", 0));
  const TBookmark three = t.GetBookmark();
  ASSERT_TRUE(t.Locate("CODIGO", "2", 0));
  const TBookmark two = t.GetBookmark();

  t.SetFilter("Codigo=2");
  EXPECT_EQ(t.RecordCount(), 5) << "no effect until Filtered";
  t.SetFiltered(true);
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.FieldByName("NOME")->AsString(), "Ana Conceição");
  EXPECT_THROW(t.GotoBookmark(three), EDatabaseError);
  t.SetFilter("Local ='CE' AND PosCaixa = 1");
  std::vector<int> codes;
  for (t.First(); !t.Eof(); t.Next()) codes.push_back(t.FieldByName("CODIGO")->AsInteger());
  EXPECT_EQ(codes, (std::vector<int>{1, 4}));
  EXPECT_THROW(t.SetFilter("CodPaciente=1"), EDatabaseError) << "an unknown field";
  EXPECT_THROW(t.SetFilter("Codigo="), EDatabaseError);
  EXPECT_EQ(t.Filter(), "Local ='CE' AND PosCaixa = 1");
  EXPECT_EQ(t.RecordCount(), 2);
  t.SetFiltered(false);
  t.SetFilter("CodPaciente=1");
  EXPECT_THROW(t.SetFiltered(true), EDatabaseError);
  EXPECT_FALSE(t.Filtered());
  EXPECT_EQ(t.RecordCount(), 5);
  t.SetFilter("Codigo=5");
  t.SetFiltered(true);
  EXPECT_EQ(t.FieldByName("CODIGO")->AsInteger(), 5);
  t.SetFiltered(false);
  EXPECT_EQ(t.RecordCount(), 5);
  t.GotoBookmark(three);
  EXPECT_EQ(t.FieldByName("CODIGO")->AsInteger(), 3);
  t.GotoBookmark(two);
  EXPECT_EQ(t.FieldByName("CODIGO")->AsInteger(), 2);
  // Filter set while closed applies at opening.
  t.Close();
  t.SetFilter("PosCaixa > 1");
  t.SetFiltered(true);
  t.Open();
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_FALSE(t.BookmarkValid(TBookmark{}));
}

TEST_F(IBQueryTest, TableFollowsItsIndexOrder) {
  Fill();
  TIBTable t{nullptr};
  t.SetDatabase(&db);
  t.SetTableName("PESSOA");
  t.SetIndexName("IDX_PESSOA_NOME");
  t.Open();
  std::vector<std::string> names;
  for (t.First(); !t.Eof(); t.Next()) names.push_back(t.FieldByName("NOME")->AsString());
  EXPECT_EQ(names, (std::vector<std::string>{"ÁLVARO NUNES", "anabela", "João da Silva", "Beatriz", "Ana Conceição"}));
  t.SetIndexName("");
  EXPECT_TRUE(t.Active());
  EXPECT_EQ(t.RecordCount(), 5);
  EXPECT_THROW(t.SetIndexName("NADA"), EDatabaseError);
}

// Records what a data-bound control would hear.
class TRecordingLink : public TDataLink {
 public:
  std::vector<std::string> log;

 protected:
  void ActiveChanged() override { log.push_back(Active() ? "active" : "inactive"); }
  void EditingChanged() override { log.push_back(Editing() ? "editing" : "browsing"); }
  void DataSetChanged() override { log.push_back("changed"); }
  void DataSetScrolled(int) override { log.push_back("scrolled"); }
  void RecordChanged(TField* f) override { log.push_back("field " + (f ? f->FieldName() : std::string("-"))); }
  // Writes its own field, as a control does, and hears nothing of that write.
  void UpdateData() override {
    log.push_back("update");
    DataSet()->FieldByName("NOME")->SetAsString("Escrito");
  }
};

TEST_F(IBQueryTest, EditBuffersAndDataLinksFollowTheState) {
  Fill();
  TDataSource ds{nullptr};
  ds.SetDataSet(&q);
  TRecordingLink link;
  link.SetDataSource(&ds);
  int dataChanges = 0, stateChanges = 0;
  ds.OnDataChange = [&](TObject* sender, TField*) {
    EXPECT_EQ(sender, &ds);
    ++dataChanges;
  };
  ds.OnStateChange = [&](TObject*) { ++stateChanges; };
  EXPECT_EQ(ds.State(), dsInactive);

  q.Close();
  q.SQL().Clear();
  q.SQL().Add("SELECT * FROM PESSOA ORDER BY CODIGO");
  q.SetCachedUpdates(true);
  q.Open();
  q.Next();
  EXPECT_EQ(link.log, (std::vector<std::string>{"active", "changed", "scrolled"}));
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(dataChanges, 2);
  EXPECT_EQ(stateChanges, 1);
  link.log.clear();

  EXPECT_THROW(q.FieldByName("NOME")->SetAsString("x"), EDatabaseError) << "browse state";
  EXPECT_TRUE(link.Edit());
  EXPECT_EQ(q.State(), dsEdit);
  q.FieldByName("NOME")->SetAsString("Outra");
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "Outra");
  EXPECT_TRUE(q.Modified());
  q.CancelUpdates();
  EXPECT_EQ(q.State(), dsBrowse);
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "Ana Conceição");
  EXPECT_EQ(link.log, (std::vector<std::string>{"editing", "field NOME", "browsing", "changed"}));
  link.log.clear();

  q.Append();
  EXPECT_EQ(q.State(), dsInsert);
  EXPECT_TRUE(q.FieldByName("CODIGO")->IsNull());
  q.FieldByName("CODIGO")->SetAsString("9");
  q.FieldByName("DATA")->SetAsDateTime(EncodeDate(2020, 1, 2));
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 9);
  EXPECT_FALSE(q.IsEmpty());
  q.Close();  // drops the appended row
  EXPECT_EQ(ds.State(), dsInactive);
  q.Open();
  EXPECT_EQ(q.RecordCount(), 5);

  // Disabled controls hear one change at the end.
  link.log.clear();
  q.DisableControls();
  for (q.First(); !q.Eof(); q.Next()) {
  }
  EXPECT_TRUE(link.log.empty());
  q.EnableControls();
  EXPECT_EQ(link.log, std::vector<std::string>{"changed"});

  ds.SetEnabled(false);
  EXPECT_FALSE(link.Active());
  ds.SetEnabled(true);
  EXPECT_TRUE(link.Active());
  ds.SetDataSet(nullptr);
  EXPECT_FALSE(link.Active());
}

TEST_F(IBQueryTest, FilteringIsADataSetChangeAndUpdateRecordGathersTheControls) {
  Fill();
  TDataSource ds{nullptr};
  ds.SetDataSet(&q);
  TRecordingLink link, other;
  link.SetDataSource(&ds);
  Select("SELECT * FROM PESSOA ORDER BY CODIGO");
  q.Last();
  std::vector<int> afterScroll;
  q.AfterScroll = [&](TDataSet*) { afterScroll.push_back(q.RecNo()); };
  link.log.clear();

  // Other rows, not a move: the links read everything anew, and the cursor is on the first row.
  q.SetFilter("LOCAL = 'CE'");
  q.SetFiltered(true);
  q.SetFilter("POSCAIXA = 1");
  EXPECT_EQ(link.log, (std::vector<std::string>{"changed", "changed"}));
  EXPECT_EQ(q.RecordCount(), 3);
  EXPECT_EQ(q.FieldByName("CODIGO")->AsInteger(), 1);
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(afterScroll, (std::vector<int>{1, 1}));
  link.log.clear();
  // An edited row is dropped before the rows change.
  q.Edit();
  q.FieldByName("NOME")->SetAsString("Outro");
  q.SetFiltered(false);
  EXPECT_EQ(link.log, (std::vector<std::string>{"editing", "field NOME", "browsing", "changed", "changed"}));
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "João da Silva");
  EXPECT_EQ(q.RecordCount(), 5);

  EXPECT_THROW(q.UpdateRecord(), EDatabaseError) << "browse state";
  other.SetDataSource(&ds);
  q.Edit();
  link.log.clear();
  other.log.clear();
  q.UpdateRecord();
  // Each hears the other's write, never its own.
  EXPECT_EQ(link.log, (std::vector<std::string>{"update", "field NOME"}));
  EXPECT_EQ(other.log, (std::vector<std::string>{"field NOME", "update"}));
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "Escrito");
  q.Cancel();
  EXPECT_EQ(q.FieldByName("NOME")->AsString(), "João da Silva");
}

}  // namespace
