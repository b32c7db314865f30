#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTime, EncodeDateCountsDaysFrom1899_12_30) {
  const struct {
    int y, m, d;
    double serial;
  } cases[] = {
      {1899, 12, 30, 0}, {1899, 12, 31, 1},   {1900, 1, 1, 2},     {1900, 3, 1, 61},   {2000, 1, 1, 36526},
      {2000, 2, 29, 36585}, {2024, 2, 29, 45351}, {1899, 12, 29, -1}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    Word y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
  }
}

TEST(DateTime, InvalidDatesRaise) {
  const int cases[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, 13, 1}, {2024, 0, 1}, {0, 1, 1}, {10000, 1, 1}};
  for (const auto& c : cases) {
    TDateTime d;
    EXPECT_FALSE(TryEncodeDate(c[0], c[1], c[2], d));
    EXPECT_THROW(EncodeDate(c[0], c[1], c[2]), EConvertError);
  }
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
}

TEST(DateTime, TimesDecodeToTheNearestMillisecond) {
  Word h, n, s, ms;
  DecodeTime(EncodeTime(13, 45, 30, 250), h, n, s, ms);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(n, 45);
  EXPECT_EQ(s, 30);
  EXPECT_EQ(ms, 250);
  // A hair before midnight rounds into the next day.
  const TDateTime late = EncodeDate(2024, 12, 31) + 0.99999999999;
  Word y, m, d;
  DecodeDateTime(late, y, m, d, h, n, s, ms);
  EXPECT_EQ(y, 2025);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(h, 0);
  // Before the epoch the fraction is still the time of day.
  DecodeDateTime(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), y, m, d, h, n, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
}

TEST(DateTime, DayOfWeekAndIncMonth) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 10)), 1);  // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 15), -3), EncodeDate(2023, 12, 15));
  EXPECT_EQ(IncMonth(EncodeDateTime(2024, 1, 1, 12, 0, 0, 0), 12), EncodeDateTime(2025, 1, 1, 12, 0, 0, 0));
}

TFormatSettings Program() { return TFormatSettings(); }

TEST(FormatDateTime, Specifiers) {
  const TFormatSettings fs = Program();
  const TDateTime v = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"dd/mm/yyyy", "05/03/2024"},
      {"d/m/yy", "5/3/24"},
      {"dd/MM/yyyy hh:nn:ss", "05/03/2024 14:07:09"},
      {"hh:mm", "14:07"},
      {"hh'h'mm", "14h07"},
      {"h:mm am/pm", "2:07 pm"},
      {"h:mm A/P", "2:07 P"},
      {"yyyymmdd_hhnnss.zzz", "20240305_140709.045"},
      {"ddd, d 'de' mmmm", "ter, 5 de março"},
      {"dddd", "terça-feira"},
      {"mmm", "mar"},
      {"c", "05/03/2024 14:07:09"},
      {"ddddd", "05/03/2024"},
      {"tt", "14:07:09"},
      {"t", "14:07"},
      {"\"ano\" yyyy", "ano 2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, v, fs), c.expected) << c.format;
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5), fs), "05/03/2024");
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5) + EncodeTime(0, 0, 0, 400), fs), "05/03/2024");
  EXPECT_EQ(DateToStr(v, fs), "05/03/2024");
  EXPECT_EQ(TimeToStr(v, fs), "14:07:09");
  EXPECT_EQ(DateTimeToStr(v, fs), "05/03/2024 14:07:09");
  EXPECT_EQ(FormatDateTime("hh:nn ampm", EncodeTime(0, 5, 0, 0), fs), "12:05 ");  // ampm asks for the 12-hour clock
}

TEST(FormatDateTime, TwelveHourClockAndSeparators) {
  TFormatSettings us;
  us.ShortDateFormat = "M/d/yyyy";
  us.LongTimeFormat = "h:mm:ss AMPM";
  us.TimeAMString = "AM";
  us.TimePMString = "PM";
  us.DateSeparator = '-';
  const TDateTime v = EncodeDateTime(2024, 12, 25, 0, 30, 0, 0);
  EXPECT_EQ(DateTimeToStr(v, us), "12-25-2024 12:30:00 AM");
  EXPECT_EQ(TimeToStr(EncodeTime(12, 0, 0, 0), us), "12:00:00 PM");
}

TEST(StrToDate, FollowsTheShortDateOrder) {
  const TFormatSettings fs = Program();
  const struct {
    const char* text;
    bool ok;
    int y, m, d;
  } cases[] = {
      {"05/03/2024", true, 2024, 3, 5},   {" 5/3/2024 ", true, 2024, 3, 5}, {"29/02/2024", true, 2024, 2, 29},
      {"29/02/2023", false, 0, 0, 0},     {"31/04/2024", false, 0, 0, 0},   {"5-3-2024", false, 0, 0, 0},
      {"", false, 0, 0, 0},               {"05/03/2024x", false, 0, 0, 0},  {"05/03/", false, 0, 0, 0},
      {"0/1/2024", false, 0, 0, 0},       {"05/03/20245", false, 0, 0, 0},  {"a/b/c", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    TDateTime v = -1;
    EXPECT_EQ(TryStrToDate(c.text, v, fs), c.ok) << c.text;
    if (c.ok) EXPECT_EQ(v, EncodeDate(c.y, c.m, c.d)) << c.text;
    else EXPECT_THROW(StrToDate(c.text, fs), EConvertError) << c.text;
  }
  TFormatSettings us = fs;
  us.ShortDateFormat = "MM/dd/yyyy";
  EXPECT_EQ(StrToDate("03/05/2024", us), EncodeDate(2024, 3, 5));
  TFormatSettings iso = fs;
  iso.ShortDateFormat = "yyyy-MM-dd";
  iso.DateSeparator = '-';
  EXPECT_EQ(StrToDate("2024-03-05", iso), EncodeDate(2024, 3, 5));
}

TEST(StrToDate, TwoDigitYearsFallInTheWindow) {
  TFormatSettings fs = Program();
  fs.TwoDigitYearCenturyWindow = 0;
  Word y, m, d;
  DecodeDate(StrToDate("01/01/05", fs), y, m, d);
  EXPECT_EQ(y % 100, 5);
  EXPECT_GE(y, 2000);
  // A four-digit year is taken as written, even when small.
  DecodeDate(StrToDate("01/01/0005", fs), y, m, d);
  EXPECT_EQ(y, 5);
}

TEST(StrToTime, HoursMinutesSecondsAndSuffixes) {
  const TFormatSettings fs = Program();
  EXPECT_EQ(StrToTime("14:07", fs), EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToTime("14:07:09", fs), EncodeTime(14, 7, 9, 0));
  EXPECT_EQ(StrToTime("14:07:09.5", fs), EncodeTime(14, 7, 9, 500));
  EXPECT_EQ(StrToTime("2:07 PM", fs), EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToTime("12:00 am", fs), EncodeTime(0, 0, 0, 0));
  for (const char* bad : {"24:00", "14", "14:60", "13:00 PM", "1:2:3:4", "x"}) {
    TDateTime v;
    EXPECT_FALSE(TryStrToTime(bad, v, fs)) << bad;
  }
  EXPECT_THROW(StrToTime("99:99", fs), EConvertError);
  EXPECT_EQ(StrToDateTime("05/03/2024 14:07:09", fs), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
  EXPECT_EQ(StrToDateTime("05/03/2024", fs), EncodeDate(2024, 3, 5));
}

TEST(DateText, RoundTripsTheProgramFormats) {
  const TFormatSettings fs = Program();
  for (TDateTime v = EncodeDate(1999, 12, 25); v < EncodeDate(2001, 3, 5); v += 7.31) {
    const TDateTime whole = StrToDateTime(DateTimeToStr(v, fs), fs);
    EXPECT_EQ(DateTimeToStr(whole, fs), DateTimeToStr(v, fs));
  }
}

}  // namespace
