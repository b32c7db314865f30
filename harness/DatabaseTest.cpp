// Harness regression: a winelib binary creates an embedded Firebird database from a Windows path
// and stores and reads back accented Portuguese text in WIN1252.
#include <windows.h>

#include <ibase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::string UnixPath(const std::string& dosPath) {
  std::u16string w(dosPath.begin(), dosPath.end());
  char* p = wine_get_unix_file_name(reinterpret_cast<const WCHAR*>(w.c_str()));
  if (!p) return {};
  std::string r(p);
  HeapFree(GetProcessHeap(), 0, p);
  return r;
}

std::string Status(const ISC_STATUS* st) {
  std::string all;
  char buf[512];
  const ISC_STATUS* p = st;
  while (fb_interpret(buf, sizeof buf, &p)) all += std::string(buf) + "; ";
  return all;
}

#define FB_OK(call) ASSERT_FALSE((call) && st[0] == 1 && st[1]) << Status(st)

TEST(HarnessDatabase, EmbeddedWin1252RoundTrip) {
  const std::string dir = std::string(std::getenv("MZ_BINARY_DIR")) + "/harness/db-test";
  std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
  std::string dos = "Z:" + dir + "/TESTE.GDB";
  for (char& c : dos)
    if (c == '/') c = '\\';
  const std::string path = UnixPath(dos);
  ASSERT_EQ(path, dir + "/TESTE.GDB");

  ISC_STATUS_ARRAY st{};
  isc_db_handle db = 0;
  isc_tr_handle tr = 0;
  const std::string create = "CREATE DATABASE '" + path + "' DEFAULT CHARACTER SET WIN1252";
  FB_OK(isc_dsql_execute_immediate(st, &db, &tr, 0, create.c_str(), SQL_DIALECT_V6, nullptr));
  ASSERT_TRUE(db);

  FB_OK(isc_start_transaction(st, &tr, 1, &db, 0, nullptr));
  FB_OK(isc_dsql_execute_immediate(st, &db, &tr, 0, "CREATE TABLE PACIENTES (CODIGO INTEGER, NOME VARCHAR(60))",
                                   SQL_DIALECT_V6, nullptr));
  FB_OK(isc_commit_transaction(st, &tr));
  FB_OK(isc_detach_database(st, &db));

  // Attach again, as the program does, with lc_ctype WIN1252.
  std::string dpb{char(isc_dpb_version1), char(isc_dpb_lc_ctype), 7};
  dpb += "WIN1252";
  FB_OK(isc_attach_database(st, 0, path.c_str(), &db, short(dpb.size()), dpb.data()));
  FB_OK(isc_start_transaction(st, &tr, 1, &db, 0, nullptr));
  FB_OK(isc_dsql_execute_immediate(st, &db, &tr, 0, "INSERT INTO PACIENTES VALUES (1, 'João Ação Conceição')",
                                   SQL_DIALECT_V6, nullptr));

  isc_stmt_handle stmt = 0;
  FB_OK(isc_dsql_allocate_statement(st, &db, &stmt));
  auto out = std::unique_ptr<XSQLDA, decltype(&std::free)>(static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(1))),
                                                           &std::free);
  out->version = SQLDA_VERSION1;
  out->sqln = 1;
  FB_OK(isc_dsql_prepare(st, &tr, &stmt, 0, "SELECT NOME FROM PACIENTES WHERE CODIGO = 1", SQL_DIALECT_V6,
                         out.get()));
  ASSERT_EQ(out->sqld, 1);
  XSQLVAR& v = out->sqlvar[0];
  ASSERT_EQ(v.sqltype & ~1, SQL_VARYING);
  std::string buf(v.sqllen + 2, '\0');
  short nullInd = 0;
  v.sqldata = buf.data();
  v.sqlind = &nullInd;
  FB_OK(isc_dsql_execute(st, &tr, &stmt, SQL_DIALECT_V6, nullptr));
  ASSERT_EQ(isc_dsql_fetch(st, &stmt, SQL_DIALECT_V6, out.get()), 0) << Status(st);
  short len;
  std::memcpy(&len, buf.data(), sizeof len);
  EXPECT_EQ(std::string(buf.data() + 2, len), "João Ação Conceição");
  EXPECT_EQ(std::string(buf.data() + 2, len).size(), 19u);  // one byte per letter: WIN1252, not UTF-8
  isc_dsql_free_statement(st, &stmt, DSQL_drop);
  FB_OK(isc_commit_transaction(st, &tr));
  FB_OK(isc_detach_database(st, &db));
}

}  // namespace
