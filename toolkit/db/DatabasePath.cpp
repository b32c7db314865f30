#include "toolkit/db/DatabasePath.h"

namespace detail {

bool IsServerDatabaseName(const std::string& Name) {
  const size_t colon = Name.find(':');
  // One letter before the colon is a drive.
  return colon != std::string::npos && colon > 1 && Name.find_first_of("\\/") > 0 && Name.find('\\') > colon;
}

}  // namespace detail
