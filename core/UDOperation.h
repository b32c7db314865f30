#pragma once
// The steps every record routine takes on the data module's scratch query: close it, put in the one
// statement, bind by name, then run it and commit, or open it and read the first row.
#include <string>

#include "toolkit/db/IBQuery.h"

namespace detail {

// The data module's IBOperation, closed, holding Sql alone.
TIBQuery& Operation(const std::string& Sql);
// Runs a procedure that returns nothing, then commits through the data module (not while a
// TDTransacaoUnica is open).
void ExecuteAndCommit(TIBQuery& Query);
// Runs an insert procedure, reads the new row's code (its output CODIGO), closes, commits (as above).
int InsertAndCommit(TIBQuery& Query);
// Opens the query and reads Field of its first row as an integer (0 when there is no row).
int OpenInteger(TIBQuery& Query, const std::string& Field);
// A column name put into a statement: letters, digits and "_" only, or EDatabaseError.
const std::string& CheckColumnName(const std::string& Name);

}  // namespace detail
