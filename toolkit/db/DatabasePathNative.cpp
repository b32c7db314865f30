#include "toolkit/db/DatabasePath.h"

namespace detail {

// Outside Wine a local path is already the host's.
std::string ClientDatabaseName(const std::string& Name) { return Name; }

}  // namespace detail
