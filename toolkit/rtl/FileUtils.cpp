#include <windows.h>

#include "toolkit/rtl/FileUtils.h"

#include "toolkit/rtl/FilePaths.h"

#include <vector>

namespace {

DWORD Attributes(const std::string& name) { return GetFileAttributesA(name.c_str()); }

// A local time from a file time (UTC).
TDateTime LocalDateTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
  TDateTime d;
  if (!TryEncodeDate(st.wYear, st.wMonth, st.wDay, d)) return 0;
  return d + EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

// Splits the command line as the C runtime does: blanks separate, double quotes group.
std::vector<std::string> CommandLineParams() {
  std::vector<std::string> params;
  const char* p = GetCommandLineA();
  while (*p) {
    while (*p && static_cast<unsigned char>(*p) <= ' ') ++p;
    if (!*p) break;
    std::string param;
    bool quoted = false;
    while (*p && (quoted || static_cast<unsigned char>(*p) > ' ')) {
      if (*p == '"') {
        quoted = !quoted;
      } else {
        param += *p;
      }
      ++p;
    }
    params.push_back(param);
  }
  return params;
}

}  // namespace

struct TSearchRec::Search {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ~Search() {
    if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
  }
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;

bool FileExists(const std::string& fileName) {
  const DWORD a = Attributes(fileName);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& directory) {
  const DWORD a = Attributes(directory);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const std::string& directory) { return CreateDirectoryA(directory.c_str(), nullptr); }

bool RemoveDir(const std::string& directory) { return RemoveDirectoryA(directory.c_str()); }

bool ForceDirectories(const std::string& directory) {
  const std::string dir = ExcludeTrailingPathDelimiter(directory);
  if (dir.empty()) return false;
  if (DirectoryExists(dir) || ExtractFileDrive(dir) == dir) return DirectoryExists(dir + PathDelim);
  const std::string parent = ExtractFilePath(dir);
  if (parent != dir && !parent.empty() && !ForceDirectories(parent)) return false;
  return CreateDir(dir) || DirectoryExists(dir);
}

bool DeleteFile(const std::string& fileName) { return DeleteFileA(fileName.c_str()); }

bool RenameFile(const std::string& oldName, const std::string& newName) {
  return MoveFileA(oldName.c_str(), newName.c_str());
}

std::string ExpandFileName(const std::string& fileName) {
  char* namePart = nullptr;
  std::string buf(MAX_PATH, '\0');
  DWORD n = GetFullPathNameA(fileName.c_str(), DWORD(buf.size()), buf.data(), &namePart);
  if (n >= buf.size()) {
    buf.resize(n);
    n = GetFullPathNameA(fileName.c_str(), DWORD(buf.size()), buf.data(), &namePart);
  }
  buf.resize(n < buf.size() ? n : 0);
  return buf;
}

std::string GetCurrentDir() {
  std::string buf(GetCurrentDirectoryA(0, nullptr), '\0');
  const DWORD n = GetCurrentDirectoryA(DWORD(buf.size()), buf.data());
  buf.resize(n < buf.size() ? n : 0);
  return buf;
}

bool SetCurrentDir(const std::string& directory) { return SetCurrentDirectoryA(directory.c_str()); }

int ParamCount() { return int(CommandLineParams().size()) - 1; }

std::string ParamStr(int index) {
  if (index == 0) {
    std::string buf(MAX_PATH, '\0');
    for (;;) {
      const DWORD n = GetModuleFileNameA(nullptr, buf.data(), DWORD(buf.size()));
      if (n < buf.size()) {
        buf.resize(n);
        return buf;
      }
      buf.resize(buf.size() * 2);
    }
  }
  const std::vector<std::string> params = CommandLineParams();
  return index > 0 && size_t(index) < params.size() ? params[size_t(index)] : std::string();
}

namespace {

// Copies the entry into f when its attributes are wanted.
bool Accept(const WIN32_FIND_DATAA& data, TSearchRec& f) {
  if (data.dwFileAttributes & DWORD(f.ExcludeAttr)) return false;
  f.Size = (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  f.Attr = int(data.dwFileAttributes);
  f.Name = data.cFileName;
  f.Time = LocalDateTime(data.ftLastWriteTime);
  return true;
}

int NextAccepted(TSearchRec& f, WIN32_FIND_DATAA& data) {
  while (!Accept(data, f)) {
    if (!FindNextFileA(f.FindHandle->handle, &data)) return int(GetLastError());
  }
  return 0;
}

}  // namespace

int FindFirst(const std::string& path, int attr, TSearchRec& f) {
  FindClose(f);
  f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  WIN32_FIND_DATAA data;
  const HANDLE h = FindFirstFileA(path.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return int(GetLastError());
  f.FindHandle = std::make_unique<TSearchRec::Search>();
  f.FindHandle->handle = h;
  const int r = NextAccepted(f, data);
  if (r != 0) FindClose(f);
  return r;
}

int FindNext(TSearchRec& f) {
  if (!f.FindHandle) return ERROR_NO_MORE_FILES;
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(f.FindHandle->handle, &data)) return int(GetLastError());
  return NextAccepted(f, data);
}

void FindClose(TSearchRec& f) { f.FindHandle.reset(); }
