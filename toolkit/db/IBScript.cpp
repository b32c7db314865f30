#include "toolkit/db/IBScript.h"

#include <ibase.h>

#include "toolkit/db/IBError.h"
#include "toolkit/db/SQLText.h"
#include "toolkit/rtl/AnsiText.h"

void ExecuteScript(TIBDatabase& Database, std::string_view Script) {
  if (!Database.Connected()) Database.Open();
  TIBTransaction tr(nullptr);
  tr.SetDefaultDatabase(&Database);
  for (const std::string& stmt : detail::SplitScript(Script)) {
    if (AnsiSameText(stmt, "COMMIT")) continue;
    tr.StartTransaction();
    try {
      ISC_STATUS_ARRAY st;
      isc_dsql_execute_immediate(st, Database.Handle(), tr.Handle(), 0, stmt.c_str(),
                                 static_cast<unsigned short>(Database.SQLDialect()), nullptr);
      detail::CheckStatus(st);
    } catch (const EIBError& e) {
      tr.Rollback();
      throw EIBError(e.Message() + "\n" + stmt.substr(0, stmt.find('\n')), e.SQLCode(), e.IBErrorCode(),
                     e.SQLState());
    }
    tr.Commit();
  }
}
