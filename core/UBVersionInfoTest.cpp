#include "core/UBVersionInfo.h"

#include <gtest/gtest.h>

#include "core/UBSettingsTestSupport.h"
#include "toolkit/rtl/Exceptions.h"

namespace {

// A build-tree file as the program sees it.
std::string WinPath(const char* UnixPath) { return std::string("Z:") + UnixPath; }

std::string TempPath(const char* Name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + Name;
}

// A built module installed under a module's usual name.
std::string Install(const char* Built, const char* Name) {
  const std::string path = TempPath(Name);
  // A copy left by an earlier run must not stand in for a module that is missing now.
  DeleteFileA(path.c_str());
  EXPECT_TRUE(CopyFileA(WinPath(Built).c_str(), path.c_str(), FALSE)) << Built;
  return path;
}

std::string Probe() {
  static const std::string path = Install(MZ_VERSION_PROBE, "Prova.dll");
  return path;
}

TEST(VersionInfo, ModuleResource) {
  TBVersionInfo info;
  info.LoadFromFile(Probe());
  EXPECT_FALSE(info.TypeName().empty());
  EXPECT_EQ(info.Value(TVersionString::CompanyName), "Oficina de Testes");
  EXPECT_EQ(info.Value(TVersionString::FileDescription), "Modulo de prova");
  EXPECT_EQ(info.Value(TVersionString::OriginalFilename), "Prova.dll");
  EXPECT_EQ(info.Value(TVersionString::SpecialBuild), "Especial");
  EXPECT_EQ(info.Value(TVersionString::LegalCopyright), "");
  EXPECT_EQ(info.GetFileVersion(), "4.2.14.0");
  EXPECT_EQ(info.VersionMajor(), "4");
  EXPECT_EQ(info.VersionMinor(), "2");
  EXPECT_EQ(info.VersionRelease(), "14");
  EXPECT_EQ(info.VersionBuild(), "0");
  EXPECT_EQ(info.GetBuildNumber(), 0);
  EXPECT_EQ(info.FileTypeText(), "DLL");
  EXPECT_TRUE(info.PreRelease());
  EXPECT_TRUE(info.Special());
  EXPECT_FALSE(info.Debug());
  EXPECT_FALSE(info.Patched());
  EXPECT_FALSE(info.Private());
  EXPECT_FALSE(info.Inferred());
}

TEST(VersionInfo, FormatUsesTheFixedNumbers) {
  TBVersionInfo info;
  EXPECT_EQ(info.FormatFileVersion(Probe()), "4.2.14.7");
  ASSERT_TRUE(info.FixedInfo().has_value());
  EXPECT_EQ(info.FixedInfo()->dwFileVersionLS, 0x000E0007u);
  info.LoadFromFile(Probe());
  EXPECT_TRUE(info.FixedInfo().has_value());
}

TEST(VersionInfo, EveryModuleCarriesTheProgramVersion) {
  const std::string module = Install(MZ_VERSION_DEFAULT, "core_version_default.dll");
  TBVersionInfo info;
  EXPECT_EQ(info.FormatFileVersion(module), MZ_VERSION);
  info.LoadFromFile(module);
  EXPECT_EQ(info.GetFileVersion(), MZ_VERSION);
  EXPECT_EQ(info.Value(TVersionString::OriginalFilename), "core_version_default.dll");
  EXPECT_EQ(info.FileTypeText(), "DLL");
}

TEST(VersionInfo, ProgramResource) {
  TBVersionInfo info;
  info.LoadFromFile(WinPath(MZ_PROGRAM ".so"));
  EXPECT_EQ(info.Value(TVersionString::ProductName), "MZ3100");
  // The program and its modules share one version.
  EXPECT_EQ(info.GetFileVersion(), MZ_VERSION);
  EXPECT_EQ(info.FileTypeText(), "Application");
  EXPECT_EQ(info.FormatFileVersion(WinPath(MZ_PROGRAM ".so")), MZ_VERSION);
}

TEST(VersionInfo, FileWithoutVersion) {
  const std::string path = TempPath("mz-sem-versao.txt");
  WriteIni(path, {{"A", "B", "C"}});
  TBVersionInfo info;
  info.LoadFromFile(Probe());
  info.LoadFromFile(path);
  EXPECT_FALSE(info.TypeName().empty());
  EXPECT_EQ(info.GetFileVersion(), "");
  EXPECT_EQ(info.FileTypeText(), "");
  EXPECT_FALSE(info.Special());
  EXPECT_EQ(info.VersionMajor(), "");
  EXPECT_THROW(info.GetBuildNumber(), EConvertError);
  EXPECT_EQ(info.FormatFileVersion(path), "");
  EXPECT_EQ(info.FormatFileVersion(path + ".inexistente"), "");
  DeleteFileA(path.c_str());
}

}  // namespace
