#pragma once
// Runs a script in the form of the server's interactive tool (SET TERM for procedure bodies),
// committing after every statement, as that tool does with definitions.
#include <string_view>

#include "toolkit/db/IBDatabase.h"

// Raises EIBError with the server's message and the start of the failing statement.
void ExecuteScript(TIBDatabase& Database, std::string_view Script);
