#include "core/UBVersionInfo.h"

#include <shellapi.h>

#include <memory>
#include <vector>

#include "core/UBVersionText.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

const char* const kStringNames[] = {"CompanyName",      "FileDescription", "FileVersion",  "InternalName",
                                    "LegalCopyright",   "LegalTrademarks", "OriginalFilename",
                                    "ProductName",      "ProductVersion",  "Comments",     "SpecialBuild",
                                    "PrivateBuild"};
static_assert(std::size(kStringNames) == static_cast<size_t>(TVersionString::Count));

std::vector<char> VersionDataOf(const std::string& FileName) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(FileName.c_str(), &handle);
  std::vector<char> data(size);
  if (size == 0 || !GetFileVersionInfoA(FileName.c_str(), 0, size, data.data())) data.clear();
  return data;
}

struct TModuleFree {
  void operator()(HMODULE Module) const { FreeLibrary(Module); }
};

// A file's version resource, held while its parts are read. Wine cannot map a winelib module (an ELF
// file) as plain data, so such a module is loaded, without running its start-up, for the read.
std::vector<char> VersionData(const std::string& FileName) {
  std::vector<char> data = VersionDataOf(FileName);
  if (!data.empty()) return data;
  std::unique_ptr<HINSTANCE__, TModuleFree> module(
      LoadLibraryExA(FileName.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
  if (!module) return data;
  char loaded[MAX_PATH];
  const DWORD n = GetModuleFileNameA(module.get(), loaded, MAX_PATH);
  if (n > 0 && n < MAX_PATH) data = VersionDataOf(loaded);
  // A winelib program loaded again after it was unloaded can crash in its second load: it stays loaded.
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module.get());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(dos) + dos->e_lfanew);
  if (!(nt->FileHeader.Characteristics & IMAGE_FILE_DLL)) module.release();
  return data;
}

const VS_FIXEDFILEINFO* FixedFileInfo(std::vector<char>& Data) {
  void* p = nullptr;
  UINT len = 0;
  if (Data.empty() || !VerQueryValueA(Data.data(), "\\", &p, &len) || len < sizeof(VS_FIXEDFILEINFO)) return nullptr;
  return static_cast<const VS_FIXEDFILEINFO*>(p);
}

std::string Hex4(unsigned v) {
  static const char kHex[] = "0123456789abcdef";
  std::string s(4, '0');
  for (int i = 3; i >= 0; --i, v >>= 4) s[i] = kHex[v & 0xF];
  return s;
}

}  // namespace

void TBVersionInfo::LoadFromFile(const std::string& FileName) {
  const std::optional<VS_FIXEDFILEINFO> fixedInfo = FFixedInfo;
  *this = TBVersionInfo();
  FFixedInfo = fixedInfo;
  SHFILEINFOA shell{};
  if (SHGetFileInfoA(FileName.c_str(), 0, &shell, sizeof(shell), SHGFI_TYPENAME))
    FTypeName.assign(shell.szTypeName, strnlen(shell.szTypeName, 80));

  std::vector<char> data = VersionData(FileName);
  if (data.empty()) return;
  void* p = nullptr;
  UINT len = 0;
  if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &p, &len) && len >= 4) {
    const WORD* translation = static_cast<const WORD*>(p);
    const std::string block = "\\StringFileInfo\\" + Hex4(translation[0]) + Hex4(translation[1]) + "\\";
    for (size_t i = 0; i < FStrings.size(); ++i) {
      if (VerQueryValueA(data.data(), (block + kStringNames[i]).c_str(), &p, &len) && len > 0)
        FStrings[i].assign(static_cast<const char*>(p), strnlen(static_cast<const char*>(p), len));
    }
  }
  FVersion = SplitVersion(GetFileVersion());
  if (const VS_FIXEDFILEINFO* fixed = FixedFileInfo(data)) {
    FFlags = fixed->dwFileFlags & fixed->dwFileFlagsMask;
    FFileTypeText = ::FileTypeText(fixed->dwFileType, fixed->dwFileSubtype);
  }
}

std::string TBVersionInfo::FormatFileVersion(const std::string& FileName) {
  std::vector<char> data = VersionData(FileName);
  const VS_FIXEDFILEINFO* fixed = FixedFileInfo(data);
  if (!fixed) return "";
  FFixedInfo = *fixed;
  return FormatVersionNumbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

int TBVersionInfo::GetBuildNumber() const { return StrToInt(VersionBuild()); }
