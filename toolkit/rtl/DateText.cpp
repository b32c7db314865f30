#include "toolkit/rtl/DateTime.h"

#include "toolkit/rtl/AnsiText.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"

#include <ctime>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

std::string Pad(int value, int width) {
  std::string s = IntToStr(value);
  if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), '0');
  return s;
}

bool StartsWithNoCase(std::string_view s, size_t at, std::string_view prefix) {
  if (s.size() - at < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(s[at + i]) != prefix[i]) return false;
  return true;
}

struct Parts {
  Word year, month, day, hour, min, sec, msec;
  int dayOfWeek;  // 1 = Sunday
};

class Formatter {
 public:
  Formatter(const Parts& p, const TFormatSettings& fs, bool hasTime) : p_(p), fs_(fs), hasTime_(hasTime) {}

  void Append(std::string_view f, int depth) {
    bool lastWasHour = false;
    for (size_t i = 0; i < f.size();) {
      const char c = f[i];
      const char lc = Lower(c);
      size_t n = 1;
      while (i + n < f.size() && Lower(f[i + n]) == lc && lc != '\'' && lc != '"') ++n;
      bool isHour = false;
      switch (lc) {
        case '\'':
        case '"': {
          const size_t end = f.find(c, i + 1);
          const size_t stop = end == std::string_view::npos ? f.size() : end;
          out_.append(f.substr(i + 1, stop - i - 1));
          n = stop + 1 - i;
          if (n > f.size() - i) n = f.size() - i;
          break;
        }
        case 'c':
          n = 1;
          if (depth < 2) {
            Append(fs_.ShortDateFormat, depth + 1);
            if (hasTime_) {
              out_ += ' ';
              Append(fs_.LongTimeFormat, depth + 1);
            }
          }
          break;
        case 'd':
          if (n > 6) n = 6;
          if (n <= 2) out_ += Pad(p_.day, int(n));
          else if (n == 3) out_ += fs_.ShortDayNames[size_t(p_.dayOfWeek - 1)];
          else if (n == 4) out_ += fs_.LongDayNames[size_t(p_.dayOfWeek - 1)];
          else if (depth < 2) Append(n == 5 ? fs_.ShortDateFormat : fs_.LongDateFormat, depth + 1);
          break;
        case 'm':
          if (n > 4) n = 4;
          if (lastWasHour && n <= 2) out_ += Pad(p_.min, int(n));
          else if (n <= 2) out_ += Pad(p_.month, int(n));
          else out_ += (n == 3 ? fs_.ShortMonthNames : fs_.LongMonthNames)[size_t(p_.month - 1)];
          break;
        case 'y':
          out_ += n <= 2 ? Pad(p_.year % 100, 2) : Pad(p_.year, 4);
          break;
        case 'h': {
          if (n > 2) n = 2;
          isHour = true;
          int hour = p_.hour;
          if (TwelveHour(f.substr(i + n))) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          out_ += Pad(hour, int(n));
          break;
        }
        case 'n':
          if (n > 2) n = 2;
          out_ += Pad(p_.min, int(n));
          break;
        case 's':
          if (n > 2) n = 2;
          out_ += Pad(p_.sec, int(n));
          break;
        case 'z':
          n = n >= 3 ? 3 : 1;
          out_ += Pad(p_.msec, int(n));
          break;
        case 't':
          if (n > 2) n = 2;
          if (depth < 2) Append(n == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
          break;
        case 'a':
          n = AmPm(f, i);
          if (n == 0) {
            n = 1;
            out_ += c;
          }
          break;
        case '/':
          n = 1;
          out_ += fs_.DateSeparator;
          break;
        case ':':
          n = 1;
          out_ += fs_.TimeSeparator;
          break;
        default:
          out_.append(f.substr(i, n));
          break;
      }
      // Minutes follow hours even across separators ("hh:mm").
      if (isHour) lastWasHour = true;
      else if (lc >= 'a' && lc <= 'z' && lc != 'm') lastWasHour = false;
      i += n;
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  static bool TwelveHour(std::string_view rest) {
    for (size_t i = 0; i < rest.size(); ++i)
      if (StartsWithNoCase(rest, i, "am/pm") || StartsWithNoCase(rest, i, "a/p") || StartsWithNoCase(rest, i, "ampm"))
        return true;
    return false;
  }

  // Writes an am/pm marker at f[i]; returns its length, 0 when there is none.
  size_t AmPm(std::string_view f, size_t i) {
    const bool pm = p_.hour >= 12;
    if (StartsWithNoCase(f, i, "am/pm")) {
      const std::string_view marker = f.substr(pm ? i + 3 : i, 2);
      out_.append(marker);
      return 5;
    }
    if (StartsWithNoCase(f, i, "a/p")) {
      out_ += f[pm ? i + 2 : i];
      return 3;
    }
    if (StartsWithNoCase(f, i, "ampm")) {
      out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
      return 4;
    }
    return 0;
  }

  const Parts& p_;
  const TFormatSettings& fs_;
  bool hasTime_;
  std::string out_;
};

// ---- parsing

class Scanner {
 public:
  explicit Scanner(std::string_view s) : s_(s) {}
  void SkipBlanks() {
    while (i_ < s_.size() && static_cast<unsigned char>(s_[i_]) <= ' ') ++i_;
  }
  bool Char(char c) {
    SkipBlanks();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  // Up to 4 digits (at least one); digits tells how many were read.
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = digits = 0;
    while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9' && digits < 4) {
      value = value * 10 + (s_[i_++] - '0');
      ++digits;
    }
    return digits > 0 && !(i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9');
  }
  bool Text(std::string_view w) {
    SkipBlanks();
    if (w.empty() || s_.size() - i_ < w.size() || !AnsiSameText(s_.substr(i_, w.size()), w)) return false;
    i_ += w.size();
    return true;
  }
  bool AtEnd() {
    SkipBlanks();
    return i_ == s_.size();
  }
  size_t Mark() const { return i_; }
  void Reset(size_t at) { i_ = at; }

 private:
  std::string_view s_;
  size_t i_ = 0;
};

int CurrentYear() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return local.tm_year + 1900;
}

bool ScanDate(Scanner& sc, const TFormatSettings& fs, TDateTime& value) {
  // Order of day, month and year from the short date format.
  char order[3] = {'d', 'm', 'y'};
  int found = 0;
  for (char c : fs.ShortDateFormat) {
    const char lc = Lower(c);
    if ((lc == 'd' || lc == 'm' || lc == 'y') && found < 3) {
      bool seen = false;
      for (int k = 0; k < found; ++k) seen |= order[k] == lc;
      if (!seen) order[found++] = lc;
    }
  }
  if (found != 3) order[0] = 'd', order[1] = 'm', order[2] = 'y';

  int n[3], digits[3];
  if (!sc.Number(n[0], digits[0]) || !sc.Char(fs.DateSeparator) || !sc.Number(n[1], digits[1])) return false;
  int count = 2;
  if (sc.Char(fs.DateSeparator)) {
    if (!sc.Number(n[2], digits[2])) return false;
    count = 3;
  }
  int year = 0, month = 0, day = 0, yearDigits = 4;
  if (count == 3) {
    for (int k = 0; k < 3; ++k) {
      if (order[k] == 'd') day = n[k];
      else if (order[k] == 'm') month = n[k];
      else year = n[k], yearDigits = digits[k];
    }
  } else {
    // Day and month in the order they have in the format; the year is the current one.
    year = CurrentYear();
    const bool monthFirst = order[0] == 'm' || (order[0] == 'y' && order[1] == 'm');
    month = monthFirst ? n[0] : n[1];
    day = monthFirst ? n[1] : n[0];
  }
  if (yearDigits <= 2) {
    int pivot = CurrentYear() - fs.TwoDigitYearCenturyWindow;
    year += pivot / 100 * 100;
    if (fs.TwoDigitYearCenturyWindow > 0 && year < pivot) year += 100;
  }
  return TryEncodeDate(year, month, day, value);
}

bool ScanAmPm(Scanner& sc, const TFormatSettings& fs, int& ampm) {
  if (sc.Text(fs.TimeAMString) || sc.Text("AM")) ampm = 1;
  else if (sc.Text(fs.TimePMString) || sc.Text("PM")) ampm = 2;
  return ampm != 0;
}

bool ScanTime(Scanner& sc, const TFormatSettings& fs, TDateTime& value) {
  int ampm = 0, digits;
  ScanAmPm(sc, fs, ampm);
  int hour, min = 0, sec = 0, msec = 0;
  if (!sc.Number(hour, digits) || !sc.Char(fs.TimeSeparator) || !sc.Number(min, digits)) return false;
  if (sc.Char(fs.TimeSeparator)) {
    if (!sc.Number(sec, digits)) return false;
    if (sc.Char(fs.DecimalSeparator)) {
      if (!sc.Number(msec, digits) || digits > 3) return false;
      for (int k = digits; k < 3; ++k) msec *= 10;
    }
  }
  if (ampm == 0) ScanAmPm(sc, fs, ampm);
  if (ampm != 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (ampm == 2 ? 12 : 0);
  }
  return TryEncodeTime(hour, min, sec, msec, value);
}

[[noreturn]] void Invalid(std::string_view s, const char* what) {
  throw EConvertError("'" + std::string(s) + "' n\xE3o \xE9 " + what + " v\xE1lida");
}

Parts PartsOf(TDateTime value) {
  Parts p;
  DecodeDateTime(value, p.year, p.month, p.day, p.hour, p.min, p.sec, p.msec);
  p.dayOfWeek = DayOfWeek(value);
  return p;
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs) {
  const Parts p = PartsOf(value);
  Formatter f(p, fs, p.hour || p.min || p.sec);
  f.Append(format.empty() ? std::string_view("c") : format, 0);
  return f.Take();
}

std::string DateToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime("ddddd", value, fs); }
std::string TimeToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime("tt", value, fs); }
std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs) { return FormatDateTime("c", value, fs); }

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  Scanner sc(s);
  TDateTime d;
  if (!ScanDate(sc, fs, d) || !sc.AtEnd()) return false;
  value = d;
  return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  Scanner sc(s);
  TDateTime t;
  if (!ScanTime(sc, fs, t) || !sc.AtEnd()) return false;
  value = t;
  return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  Scanner sc(s);
  TDateTime d = 0, t = 0;
  if (ScanDate(sc, fs, d)) {
    if (!sc.AtEnd() && !ScanTime(sc, fs, t)) return false;
  } else {
    sc.Reset(0);
    if (!ScanTime(sc, fs, t)) return false;
  }
  if (!sc.AtEnd()) return false;
  value = d < 0 ? d - t : d + t;
  return true;
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& fs) {
  TDateTime v;
  if (!TryStrToDate(s, v, fs)) Invalid(s, "uma data");
  return v;
}

TDateTime StrToTime(std::string_view s, const TFormatSettings& fs) {
  TDateTime v;
  if (!TryStrToTime(s, v, fs)) Invalid(s, "uma hora");
  return v;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs) {
  TDateTime v;
  if (!TryStrToDateTime(s, v, fs)) Invalid(s, "uma data e hora");
  return v;
}

TDateTime StrToDateDef(std::string_view s, TDateTime defaultValue, const TFormatSettings& fs) {
  TDateTime v;
  return TryStrToDate(s, v, fs) ? v : defaultValue;
}
