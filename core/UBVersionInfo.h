#pragma once
// Version information of a file, read from its version resource.
#include <array>
#include <optional>
#include <string>

#include <windows.h>

// The standard string values of a version resource, in their usual order.
enum class TVersionString {
  CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, LegalTrademarks,
  OriginalFilename, ProductName, ProductVersion, Comments, SpecialBuild, PrivateBuild,
  Count
};

class TBVersionInfo {
 public:
  TBVersionInfo() = default;

  // Empties everything, then reads the file's shell type name and, when it has a version resource,
  // the string values of its first translation, the fixed flags and the file type.
  void LoadFromFile(const std::string& FileName);
  // "major.minor.release.build" of the file's fixed version numbers; empty when it has none.
  std::string FormatFileVersion(const std::string& FileName);

  std::string GetFileVersion() const { return Value(TVersionString::FileVersion); }
  // The build part of the file version; EConvertError when it is no number.
  int GetBuildNumber() const;

  const std::string& TypeName() const { return FTypeName; }
  const std::string& Value(TVersionString Name) const { return FStrings[static_cast<size_t>(Name)]; }
  const std::string& FileTypeText() const { return FFileTypeText; }
  bool Debug() const { return FFlags & VS_FF_DEBUG; }
  bool PreRelease() const { return FFlags & VS_FF_PRERELEASE; }
  bool Patched() const { return FFlags & VS_FF_PATCHED; }
  bool Private() const { return FFlags & VS_FF_PRIVATEBUILD; }
  bool Inferred() const { return FFlags & VS_FF_INFOINFERRED; }
  bool Special() const { return FFlags & VS_FF_SPECIALBUILD; }
  const std::string& VersionMajor() const { return FVersion[0]; }
  const std::string& VersionMinor() const { return FVersion[1]; }
  const std::string& VersionRelease() const { return FVersion[2]; }
  const std::string& VersionBuild() const { return FVersion[3]; }
  // The fixed file information of the last file FormatFileVersion read (a copy: the data it was
  // read from is gone by then).
  const std::optional<VS_FIXEDFILEINFO>& FixedInfo() const { return FFixedInfo; }

 private:
  std::string FTypeName;
  std::array<std::string, static_cast<size_t>(TVersionString::Count)> FStrings;
  std::string FFileTypeText;
  DWORD FFlags = 0;  // the fixed flags that are set in the flag mask too
  std::array<std::string, 4> FVersion;
  std::optional<VS_FIXEDFILEINFO> FFixedInfo;
};
