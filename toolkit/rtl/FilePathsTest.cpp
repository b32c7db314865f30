#include "toolkit/rtl/FilePaths.h"

#include <gtest/gtest.h>

namespace {

TEST(FilePaths, SplitsWindowsPaths) {
  const struct {
    const char *name, *path, *dir, *file, *ext, *drive;
  } cases[] = {
      {"C:\\MZ3100\\Exames\\foto.jpg", "C:\\MZ3100\\Exames\\", "C:\\MZ3100\\Exames", "foto.jpg", ".jpg", "C:"},
      {"C:\\foto", "C:\\", "C:\\", "foto", "", "C:"},
      {"C:foto.tar.gz", "C:", "C:", "foto.tar.gz", ".gz", "C:"},
      {"foto.", "", "", "foto.", ".", ""},
      {"dir.x\\foto", "dir.x\\", "dir.x", "foto", "", ""},
      {"\\\\srv\\share\\a.txt", "\\\\srv\\share\\", "\\\\srv\\share", "a.txt", ".txt", "\\\\srv\\share"},
      {"", "", "", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    EXPECT_EQ(ExtractFileDrive(c.name), c.drive) << c.name;
  }
}

TEST(FilePaths, ChangesExtensionsAndDelimiters) {
  EXPECT_EQ(ChangeFileExt("C:\\a\\b.txt", ".ini"), "C:\\a\\b.ini");
  EXPECT_EQ(ChangeFileExt("C:\\a.d\\b", ".ini"), "C:\\a.d\\b.ini");
  EXPECT_EQ(ChangeFileExt("b.txt", ""), "b");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a\\"), "C:\\a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a"), "C:\\a");
}

}  // namespace
