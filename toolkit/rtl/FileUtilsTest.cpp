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

TEST(FormatSettings, ReadsTheWindowsLocale) {
  const TFormatSettings saved = FormatSettings;
  const TFormatSettings us = LocaleFormatSettings(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  EXPECT_EQ(us.DecimalSeparator, '.');
  EXPECT_EQ(us.ThousandSeparator, ',');
  EXPECT_EQ(us.TimeAMString, "AM");
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 3, 5), us), "3/5/2024");
  EXPECT_EQ(us.LongMonthNames[0], "January");
  EXPECT_EQ(us.LongDayNames[0], "Sunday");
  const TFormatSettings br = LocaleFormatSettings(MAKELCID(MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), SORT_DEFAULT));
  EXPECT_EQ(br.DecimalSeparator, ',');
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 3, 5), br), "05/03/2024");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, br), "1.234,50");
  GetFormatSettings();
  FormatSettings = saved;
}

TEST(FormatSettings, UserChoicesInTheRegistryWin) {
  const char* path = "Software\\MZ3100Test\\International";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  auto set = [&](const char* name, const std::string& value) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
  };
  set("sDecimal", ".");
  set("sThousand", ",");
  set("sShortDate", "dd/MM/yyyy");
  set("sTimeFormat", "HH:mm:ss");
  set("s1159", "");
  set("s2359", "");
  RegCloseKey(key);
  TFormatSettings fs = LocaleFormatSettings(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  detail::ApplyRegionalOverrides(fs, path);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MZ3100Test");
  EXPECT_EQ(fs.DecimalSeparator, '.');
  EXPECT_EQ(fs.ShortDateFormat, "dd/MM/yyyy");
  EXPECT_EQ(fs.LongTimeFormat, "HH:mm:ss");
  EXPECT_EQ(fs.ShortTimeFormat, "HH:mm");
  EXPECT_EQ(fs.TimeAMString, "");
  EXPECT_EQ(DateTimeToStr(EncodeDateTime(2008, 3, 5, 14, 22, 10, 0), fs), "05/03/2008 14:22:10");
  // Windows' "tt" marker becomes the runtime's AMPM.
  TFormatSettings twelve;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  set("sTimeFormat", "h:mm:ss tt");
  set("s2359", "PM");
  RegCloseKey(key);
  detail::ApplyRegionalOverrides(twelve, path);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MZ3100Test");
  EXPECT_EQ(twelve.LongTimeFormat, "h:mm:ss AMPM");
  EXPECT_EQ(TimeToStr(EncodeTime(15, 4, 5, 0), twelve), "3:04:05 PM");
}

TEST(Files, DiskFreeOfTheSystemDrive) {
  EXPECT_GT(DiskFree(3), 0);  // C:
  EXPECT_GT(DiskFree(0), 0);
  EXPECT_EQ(DiskFree(27), -1);  // past Z:
}

TEST(Clock, NowIsDatePlusTime) {
  const TDateTime d = Date(), t = Time(), n = Now();
  EXPECT_EQ(d, DateOf(n));
  EXPECT_NEAR(n - d, t, 1.0 / SecsPerDay);
  EXPECT_GT(d, EncodeDate(2020, 1, 1));
}

}  // namespace
