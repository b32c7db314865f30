#pragma once
// Database names as the client library wants them.
#include <string>

namespace detail {
// True for "host:path" and "host/port:path" (a server); false for local paths ("C:\...", "x.gdb").
bool IsServerDatabaseName(const std::string& Name);
// Local paths become the host's own paths (the client library is a native one); server names stay.
std::string ClientDatabaseName(const std::string& Name);
}  // namespace detail
