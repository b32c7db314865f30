#include "toolkit/rtl/FilePaths.h"

namespace {

// Index just after the last folder or drive delimiter.
size_t NameStart(std::string_view f) {
  const size_t at = f.find_last_of("\\:");
  return at == std::string_view::npos ? 0 : at + 1;
}

// Index of the extension's dot, or npos.
size_t ExtStart(std::string_view f) {
  const size_t at = f.find_last_of(".\\:");
  return at != std::string_view::npos && f[at] == '.' ? at : std::string_view::npos;
}

}  // namespace

std::string ExtractFilePath(std::string_view f) { return std::string(f.substr(0, NameStart(f))); }

std::string ExtractFileDir(std::string_view f) {
  size_t n = NameStart(f);
  if (n > 1 && f[n - 1] == PathDelim && f[n - 2] != DriveDelim && f[n - 2] != PathDelim) --n;
  return std::string(f.substr(0, n));
}

std::string ExtractFileName(std::string_view f) { return std::string(f.substr(NameStart(f))); }

std::string ExtractFileExt(std::string_view f) {
  const size_t at = ExtStart(f);
  return at == std::string_view::npos ? std::string() : std::string(f.substr(at));
}

std::string ExtractFileDrive(std::string_view f) {
  if (f.size() >= 2 && f[1] == DriveDelim) return std::string(f.substr(0, 2));
  if (f.size() >= 2 && f[0] == PathDelim && f[1] == PathDelim) {
    // \\server\share
    size_t at = f.find(PathDelim, 2);
    if (at == std::string_view::npos) return std::string(f);
    at = f.find(PathDelim, at + 1);
    return std::string(f.substr(0, at == std::string_view::npos ? f.size() : at));
  }
  return {};
}

std::string ChangeFileExt(std::string_view f, std::string_view extension) {
  const size_t at = ExtStart(f);
  std::string r(f.substr(0, at == std::string_view::npos ? f.size() : at));
  return r.append(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (r.empty() || r.back() != PathDelim) r += PathDelim;
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (!r.empty() && r.back() == PathDelim) r.pop_back();
  return r;
}
