#include <windows.h>

#include "toolkit/rtl/SysUtils.h"

#include <optional>

namespace {

// The locale's own values: the user's choices are read from the registry on top of them.
std::string LocaleText(LCID locale, LCTYPE type, const char* fallback) {
  char buf[256];
  const int n = GetLocaleInfoA(locale, type | LOCALE_NOUSEROVERRIDE, buf, sizeof buf);
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

// The long time format from a Windows pattern; the short one is the same without its seconds.
void SetLongTimeFormat(TFormatSettings& fs, const std::string& windowsPattern) {
  fs.LongTimeFormat = TimeFormatFromLocale(windowsPattern);
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
}

// A text value of an open key, if it has one.
std::optional<std::string> RegistryText(HKEY key, const char* name) {
  char buf[256];
  DWORD type = 0, size = sizeof buf - 1;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  buf[size] = '\0';
  return std::string(buf);
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
  SetLongTimeFormat(fs, LocaleText(lc, LOCALE_STIMEFORMAT, fs.LongTimeFormat.c_str()));
  fs.TimeAMString = LocaleText(lc, LOCALE_S1159, "");
  fs.TimePMString = LocaleText(lc, LOCALE_S2359, "");
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

namespace detail {

void ApplyRegionalOverrides(TFormatSettings& fs, const std::string& keyPath) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  auto setChar = [&](const char* name, char& field) {
    if (const auto v = RegistryText(key, name); v && !v->empty()) field = (*v)[0];
  };
  auto setText = [&](const char* name, std::string& field) {
    if (const auto v = RegistryText(key, name)) field = *v;
  };
  setChar("sDecimal", fs.DecimalSeparator);
  setChar("sThousand", fs.ThousandSeparator);
  setChar("sDate", fs.DateSeparator);
  setChar("sTime", fs.TimeSeparator);
  setText("sShortDate", fs.ShortDateFormat);
  setText("sLongDate", fs.LongDateFormat);
  setText("s1159", fs.TimeAMString);
  setText("s2359", fs.TimePMString);
  if (const auto v = RegistryText(key, "sTimeFormat")) SetLongTimeFormat(fs, *v);
  RegCloseKey(key);
}

}  // namespace detail

// The user's own choices live in the Control Panel key; reading them there (and not only through the
// locale functions, which may cache) lets a change made by this process show at once.
void GetFormatSettings() {
  TFormatSettings fs = LocaleFormatSettings(LOCALE_USER_DEFAULT);
  detail::ApplyRegionalOverrides(fs, "Control Panel\\International");
  FormatSettings = fs;
}

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

namespace {

// Free bytes for the caller and total bytes of a drive; false when they cannot be read.
bool DriveSpace(uint8_t drive, ULARGE_INTEGER& available, ULARGE_INTEGER& total) {
  if (drive > 26) return false;
  const std::string root = drive == 0 ? std::string() : std::string(1, char('A' + drive - 1)) + ":\\";
  return GetDiskFreeSpaceExA(root.empty() ? nullptr : root.c_str(), &available, &total, nullptr);
}

}  // namespace

int64_t DiskFree(uint8_t drive) {
  ULARGE_INTEGER available, total;
  return DriveSpace(drive, available, total) ? int64_t(available.QuadPart) : -1;
}

int64_t DiskSize(uint8_t drive) {
  ULARGE_INTEGER available, total;
  return DriveSpace(drive, available, total) ? int64_t(total.QuadPart) : -1;
}
