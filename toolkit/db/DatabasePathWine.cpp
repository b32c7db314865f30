#include "toolkit/db/DatabasePath.h"

#include <windows.h>

#include <filesystem>

namespace detail {

std::string ClientDatabaseName(const std::string& Name) {
  if (Name.empty() || IsServerDatabaseName(Name)) return Name;
  std::u16string wide(Name.size() + 1, u'\0');
  MultiByteToWideChar(1252, 0, Name.c_str(), -1, reinterpret_cast<WCHAR*>(wide.data()), int(wide.size()));
  char* unix = wine_get_unix_file_name(reinterpret_cast<const WCHAR*>(wide.c_str()));
  if (!unix) return Name;
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  // A drive other than the root one is a link named "x:" in the prefix, and the client would read that
  // colon as a server name: the links are resolved.
  std::error_code erro;
  const std::filesystem::path real = std::filesystem::weakly_canonical(result, erro);
  return erro ? result : real.string();
}

}  // namespace detail
