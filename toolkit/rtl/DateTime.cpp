#include "toolkit/rtl/DateTime.h"

#include "toolkit/rtl/Exceptions.h"

#include <cmath>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2));
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

// Whole days and milliseconds of the day, rounded to the millisecond; days count back from the
// epoch for negative values whose fraction is still a time of day.
void Split(TDateTime value, int64_t& days, int64_t& msOfDay) {
  // Years 1 to 9999 only.
  if (!(value > -693594.0 && value < 2958466.0)) throw EConvertError("Data e hora fora do intervalo");
  const int64_t total = std::llround(std::fabs(value) * MSecsPerDay);
  days = total / MSecsPerDay;
  msOfDay = total % MSecsPerDay;
  if (value < 0) days = -days;
}

[[noreturn]] void BadEncode() { throw EConvertError("Argumento inv\xE1lido para codificar data ou hora"); }

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = TDateTime(DaysFromCivil(year, month, day) - kEpoch);
  return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  time = TDateTime(((hour * 60 + min) * 60 + sec) * 1000 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) BadEncode();
  return d;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) BadEncode();
  return t;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec) {
  const TDateTime d = EncodeDate(year, month, day), t = EncodeTime(hour, min, sec, msec);
  return d < 0 ? d - t : d + t;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day) {
  int64_t days, ms;
  Split(date, days, ms);
  int y, m, d;
  CivilFromDays(days + kEpoch, y, m, d);
  year = Word(y);
  month = Word(m);
  day = Word(d);
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec) {
  int64_t days, ms;
  Split(time, days, ms);
  msec = Word(ms % 1000);
  sec = Word(ms / 1000 % 60);
  min = Word(ms / 60000 % 60);
  hour = Word(ms / 3600000);
}

void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime date) {
  int64_t days, ms;
  Split(date, days, ms);
  // 1899-12-30 was a Saturday.
  return int(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) {
  int64_t days, ms;
  Split(value, days, ms);
  return TDateTime(days);
}

TDateTime TimeOf(TDateTime value) {
  int64_t days, ms;
  Split(value, days, ms);
  return TDateTime(ms) / MSecsPerDay;
}

TDateTime IncMonth(TDateTime value, int months) {
  Word y, m, d;
  DecodeDate(value, y, m, d);
  const int index = y * 12 + (m - 1) + months;
  const int year = index / 12, month = index % 12 + 1;
  const int day = d > DaysInAMonth(year, month) ? DaysInAMonth(year, month) : d;
  const TDateTime date = EncodeDate(year, month, day);
  const TDateTime time = TimeOf(value);
  return date < 0 ? date - time : date + time;
}
