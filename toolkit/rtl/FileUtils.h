#pragma once
// Files and folders through Win32. Paths are Windows paths in the program's code page.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/rtl/DateTime.h"

// windows.h maps DeleteFile to DeleteFileA; the runtime's own name takes a std::string. Include
// windows.h before this header.
#ifdef DeleteFile
#undef DeleteFile
#endif

bool FileExists(const std::string& fileName);       // an existing file, not a folder
bool DirectoryExists(const std::string& directory);
bool CreateDir(const std::string& directory);
bool RemoveDir(const std::string& directory);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& directory);
bool DeleteFile(const std::string& fileName);
bool RenameFile(const std::string& oldName, const std::string& newName);
std::string ExpandFileName(const std::string& fileName);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& directory);

// Command line: ParamStr(0) is the program's own file name (full path).
int ParamCount();
std::string ParamStr(int index);

// File attributes as the search record reports them.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

// One found file. FindFirst fills it and returns 0, or a system error code (ERROR_FILE_NOT_FOUND, ...);
// FindNext likewise; FindClose ends the search (the record's destructor does it too). Entries with
// hidden, system or directory attributes are found only when 'attr' asks for them.
struct TSearchRec {
  TSearchRec();
  ~TSearchRec();
  TSearchRec(const TSearchRec&) = delete;
  TSearchRec& operator=(const TSearchRec&) = delete;

  TDateTime Time = 0;  // last write, local time
  int64_t Size = 0;
  int Attr = 0;
  std::string Name;
  int ExcludeAttr = 0;
  struct Search;
  std::unique_ptr<Search> FindHandle;
};

int FindFirst(const std::string& path, int attr, TSearchRec& f);
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);
