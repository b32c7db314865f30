#include <windows.h>

#include "toolkit/rtl/SysUtils.h"

namespace {

std::string LocaleText(LCID locale, LCTYPE type, const char* fallback) {
  char buf[256];
  const int n = GetLocaleInfoA(locale, type, buf, sizeof buf);
  return n > 1 ? std::string(buf, size_t(n - 1)) : std::string(fallback);
}

char LocaleChar(LCID locale, LCTYPE type, char fallback) {
  const std::string s = LocaleText(locale, type, "");
  return s.empty() ? fallback : s[0];
}

// Windows writes the 12-hour marker as "tt"; the runtime's formats call it "ampm".
std::string TimeFormatFromLocale(const std::string& f) {
  std::string r;
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == '\'') {
      const size_t end = f.find('\'', i + 1);
      const size_t stop = end == std::string::npos ? f.size() - 1 : end;
      r.append(f, i, stop - i + 1);
      i = stop;
    } else if (f[i] == 't') {
      while (i + 1 < f.size() && f[i + 1] == 't') ++i;
      r += "AMPM";
    } else {
      r += f[i];
    }
  }
  return r;
}

TDateTime FromSystemTime(const SYSTEMTIME& st, bool date, bool time) {
  TDateTime r = 0;
  if (date) r += EncodeDate(st.wYear, st.wMonth, st.wDay);
  if (time) r += EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return r;
}

TDateTime Clock(bool date, bool time) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st, date, time);
}

}  // namespace

TDateTime Now() { return Clock(true, true); }
TDateTime Date() { return Clock(true, false); }
TDateTime Time() { return Clock(false, true); }

TFormatSettings LocaleFormatSettings(unsigned long localeId) {
  const LCID lc = LCID(localeId);
  TFormatSettings fs;
  fs.DecimalSeparator = LocaleChar(lc, LOCALE_SDECIMAL, fs.DecimalSeparator);
  fs.ThousandSeparator = LocaleChar(lc, LOCALE_STHOUSAND, fs.ThousandSeparator);
  fs.DateSeparator = LocaleChar(lc, LOCALE_SDATE, fs.DateSeparator);
  fs.TimeSeparator = LocaleChar(lc, LOCALE_STIME, fs.TimeSeparator);
  fs.ShortDateFormat = LocaleText(lc, LOCALE_SSHORTDATE, fs.ShortDateFormat.c_str());
  fs.LongDateFormat = LocaleText(lc, LOCALE_SLONGDATE, fs.LongDateFormat.c_str());
  fs.LongTimeFormat = TimeFormatFromLocale(LocaleText(lc, LOCALE_STIMEFORMAT, fs.LongTimeFormat.c_str()));
  // The short time is the long one without its seconds.
  std::string shortTime = fs.LongTimeFormat;
  const size_t sec = shortTime.find_first_of("sS");
  if (sec != std::string::npos) {
    size_t from = sec;
    while (from > 0 && shortTime[from - 1] != 'm' && shortTime[from - 1] != 'M') --from;
    size_t to = sec;
    while (to < shortTime.size() && (shortTime[to] == 's' || shortTime[to] == 'S')) ++to;
    shortTime.erase(from, to - from);
  }
  fs.ShortTimeFormat = shortTime;
  const bool twelveHour = LocaleText(lc, LOCALE_ITIME, "1") == "0";
  fs.TimeAMString = twelveHour ? LocaleText(lc, LOCALE_S1159, "AM") : "";
  fs.TimePMString = twelveHour ? LocaleText(lc, LOCALE_S2359, "PM") : "";
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[size_t(i)] = LocaleText(lc, LOCALE_SABBREVMONTHNAME1 + LCTYPE(i), fs.ShortMonthNames[size_t(i)].c_str());
    fs.LongMonthNames[size_t(i)] = LocaleText(lc, LOCALE_SMONTHNAME1 + LCTYPE(i), fs.LongMonthNames[size_t(i)].c_str());
  }
  // Windows numbers the days from Monday; the runtime's tables start on Sunday.
  for (int i = 0; i < 7; ++i) {
    const LCTYPE day = LCTYPE((i + 6) % 7);
    fs.ShortDayNames[size_t(i)] = LocaleText(lc, LOCALE_SABBREVDAYNAME1 + day, fs.ShortDayNames[size_t(i)].c_str());
    fs.LongDayNames[size_t(i)] = LocaleText(lc, LOCALE_SDAYNAME1 + day, fs.LongDayNames[size_t(i)].c_str());
  }
  return fs;
}

void GetFormatSettings() { FormatSettings = LocaleFormatSettings(LOCALE_USER_DEFAULT); }

std::string SysErrorMessage(unsigned long errorCode) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, DWORD(errorCode), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string r = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  return TrimRight(r);
}

void RaiseLastOSError() {
  const DWORD code = GetLastError();
  std::string message = "Erro do sistema. C\xF3" "digo: " + IntToStr(code);
  const std::string text = SysErrorMessage(code);
  if (!text.empty()) message += ".\r\n" + text;
  throw EOSError(message, code);
}
