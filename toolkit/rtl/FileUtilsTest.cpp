#include <windows.h>

#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A fresh folder under the prefix's temp folder, removed with its files afterwards.
class TempFolder {
 public:
  TempFolder() {
    char buf[MAX_PATH];
    GetTempPathA(MAX_PATH, buf);
    path_ = IncludeTrailingPathDelimiter(buf) + "rtl-test-" + IntToStr(GetCurrentProcessId()) + "\\";
    EXPECT_TRUE(ForceDirectories(path_));
  }
  ~TempFolder() { Remove(path_); }
  std::string operator/(const std::string& name) const { return path_ + name; }
  const std::string& Path() const { return path_; }

 private:
  static void Remove(const std::string& dir) {
    TSearchRec f;
    for (int r = FindFirst(dir + "*", faAnyFile, f); r == 0; r = FindNext(f)) {
      if (f.Name == "." || f.Name == "..") continue;
      if (f.Attr & faDirectory) Remove(dir + f.Name + "\\");
      else DeleteFile(dir + f.Name);
    }
    FindClose(f);
    RemoveDir(dir);
  }
  std::string path_;
};

void WriteText(const std::string& name, const std::string& text) {
  TFileStream f(name, fmCreate);
  f.WriteBuffer(text.data(), int64_t(text.size()));
}

TEST(Files, CreateFindRenameDelete) {
  TempFolder tmp;
  EXPECT_TRUE(DirectoryExists(tmp.Path()));
  EXPECT_FALSE(FileExists(tmp.Path()));
  const std::string deep = tmp / "a\\b\\c";
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + "\\"));  // already there

  WriteText(tmp / "um.txt", "1");
  WriteText(tmp / "dois.dat", "22");
  WriteText(tmp / "oculto.txt", "333");
  SetFileAttributesA((tmp / "oculto.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(FileExists(tmp / "um.txt"));
  EXPECT_FALSE(DirectoryExists(tmp / "um.txt"));

  std::set<std::string> found;
  TSearchRec f;
  for (int r = FindFirst(tmp / "*.*", faAnyFile & ~faDirectory & ~faHidden, f); r == 0; r = FindNext(f))
    found.insert(f.Name);
  FindClose(f);
  EXPECT_EQ(found, (std::set<std::string>{"dois.dat", "um.txt"}));

  ASSERT_EQ(FindFirst(tmp / "dois.dat", faAnyFile, f), 0);
  EXPECT_EQ(f.Size, 2);
  EXPECT_NEAR(f.Time, Now(), 1.0 / 24);  // written just now, local time
  FindClose(f);
  EXPECT_EQ(FindFirst(tmp / "*.xyz", faAnyFile, f), ERROR_FILE_NOT_FOUND);

  found.clear();
  for (int r = FindFirst(tmp / "*", faDirectory, f); r == 0; r = FindNext(f))
    if (f.Attr & faDirectory) found.insert(f.Name);
  EXPECT_EQ(found, (std::set<std::string>{".", "..", "a"}));

  EXPECT_TRUE(RenameFile(tmp / "um.txt", tmp / "novo.txt"));
  EXPECT_FALSE(FileExists(tmp / "um.txt"));
  EXPECT_TRUE(DeleteFile(tmp / "novo.txt"));
  EXPECT_FALSE(DeleteFile(tmp / "novo.txt"));
}

TEST(Files, CurrentDirAndExpandFileName) {
  TempFolder tmp;
  const std::string old = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(tmp.Path()));
  EXPECT_EQ(IncludeTrailingPathDelimiter(GetCurrentDir()), tmp.Path());
  EXPECT_EQ(ExpandFileName("x\\..\\y.txt"), tmp / "y.txt");
  SetCurrentDir(old);
}

TEST(Files, ProgramNameAndParameters) {
  const std::string self = ParamStr(0);
  EXPECT_TRUE(FileExists(self)) << self;
  EXPECT_EQ(ExtractFileDrive(self).size(), 2u);
  EXPECT_GE(ParamCount(), 0);
  EXPECT_EQ(ParamStr(ParamCount() + 1), "");
}

TEST(FileStream, OpenModesAndErrors) {
  TempFolder tmp;
  const std::string name = tmp / "dados.bin";
  EXPECT_THROW(TFileStream(name, fmOpenRead), EFOpenError);
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("abcdef", 6);
    EXPECT_EQ(f.Size(), 6);
    f.SetSize(4);
    EXPECT_EQ(f.Size(), 4);
  }
  {
    TFileStream f(name, fmOpenReadWrite | fmShareDenyWrite);
    f.Seek(0, soEnd);
    f.WriteBuffer("Z", 1);
    // Another writer is refused while the file is shared for reading only.
    EXPECT_THROW(TFileStream(name, fmOpenWrite), EFOpenError);
    TFileStream reader(name, fmOpenRead | fmShareDenyNone);
    char buf[8] = {};
    EXPECT_EQ(reader.Read(buf, 8), 5);
    EXPECT_STREQ(buf, "abcdZ");
  }
  {
    TFileStream exclusive(name, fmOpenRead);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  try {
    TFileStream f(tmp / "nao\\existe\\x.bin", fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("x.bin"), std::string::npos) << e.Message();
  }
}

TEST(FileStream, ListsAndMemoryStreamsGoThroughFiles) {
  TempFolder tmp;
  TStringList l;
  l.SetText("ação\nfim");
  l.SaveToFile(tmp / "l.txt");
  TMemoryStream m;
  m.LoadFromFile(tmp / "l.txt");
  EXPECT_EQ(std::string(static_cast<const char*>(m.Memory()), size_t(m.Size())), "ação\r\nfim\r\n");
  m.SaveToFile(tmp / "copia.txt");
  TStringList back;
  back.LoadFromFile(tmp / "copia.txt");
  EXPECT_EQ(back.Text(), l.Text());
}

TEST(Files, DiskFreeOfTheSystemDrive) {
  EXPECT_GT(DiskFree(3), 0);  // C:
  EXPECT_GT(DiskFree(0), 0);
  EXPECT_EQ(DiskFree(27), -1);  // past Z:
}

TEST(Files, DiskSizeOfTheSystemDrive) {
  EXPECT_GE(DiskSize(3), DiskFree(3));
  EXPECT_GT(DiskSize(0), 0);
  EXPECT_EQ(DiskSize(27), -1);
}

}  // namespace
