#include "toolkit/db/IBError.h"

#include <ibase.h>

#include <type_traits>

static_assert(std::is_same_v<ISC_STATUS, long>);

namespace detail {

void CheckStatus(const long* status) {
  if (!(status[0] == 1 && status[1])) return;
  std::string message;
  char line[1024];
  const ISC_STATUS* p = status;
  while (fb_interpret(line, sizeof line, &p) > 0) {
    if (!message.empty()) message += "\n";
    message += line;
  }
  char state[FB_SQLSTATE_SIZE] = {};
  fb_sqlstate(state, status);
  throw EIBError(message, isc_sqlcode(status), status[1], state);
}

}  // namespace detail
