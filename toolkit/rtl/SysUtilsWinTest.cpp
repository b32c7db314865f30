#include <windows.h>

#include "toolkit/rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

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
  const char* path = "Software\\MZ3100RuntimeTest\\International";
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
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MZ3100RuntimeTest");
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
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MZ3100RuntimeTest");
  EXPECT_EQ(twelve.LongTimeFormat, "h:mm:ss AMPM");
  EXPECT_EQ(TimeToStr(EncodeTime(15, 4, 5, 0), twelve), "3:04:05 PM");
}

TEST(Clock, NowIsDatePlusTime) {
  const TDateTime d = Date(), t = Time(), n = Now();
  EXPECT_EQ(d, DateOf(n));
  EXPECT_NEAR(n - d, t, 1.0 / SecsPerDay);
  EXPECT_GT(d, EncodeDate(2020, 1, 1));
}

}  // namespace
