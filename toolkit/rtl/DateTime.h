#pragma once
// Dates and times as days since 1899-12-30; the fraction is the time of day.
#include "toolkit/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;
using Word = uint16_t;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);

// Raise EConvertError on values out of range (years 1..9999, hours 0..23 and so on).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);

// Decoding rounds to the nearest millisecond.
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime date);
// Whole days and time of day of a value, rounded to the millisecond.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Moves by months, keeping the day where the target month has it (else its last day) and the time.
TDateTime IncMonth(TDateTime value, int months = 1);

// The clock (Win32: local time).
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Format letters (case does not matter): d dd ddd dddd ddddd (short date) dddddd (long date), m mm mmm mmmm
// (minutes after h), yy yyyy, h hh, n nn, s ss, z zzz, t (short time) tt (long time), c, am/pm, a/p,
// ampm, / and : (the separators), 'text' and "text".
std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs = FormatSettings);
std::string DateToStr(TDateTime value, const TFormatSettings& fs = FormatSettings);
std::string TimeToStr(TDateTime value, const TFormatSettings& fs = FormatSettings);
// Date, then the time when the value has one (whole seconds count; milliseconds alone do not).
std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs = FormatSettings);

// Dates follow the order of ShortDateFormat with the DateSeparator; a missing year is the current one and
// two-digit years follow TwoDigitYearCenturyWindow. Times are h:m[:s[.zzz]] with an optional AM/PM suffix.
// The Str... forms raise EConvertError on invalid text.
TDateTime StrToDate(std::string_view s, const TFormatSettings& fs = FormatSettings);
TDateTime StrToTime(std::string_view s, const TFormatSettings& fs = FormatSettings);
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs = FormatSettings);
TDateTime StrToDateDef(std::string_view s, TDateTime defaultValue, const TFormatSettings& fs = FormatSettings);
bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs = FormatSettings);
bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs = FormatSettings);
bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs = FormatSettings);
