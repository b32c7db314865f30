// Feeds arbitrary text to the number and date parsers and formatters: nothing may crash, and what
// parses must format and parse back to the same value.
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

TFormatSettings SettingsFor(uint8_t selector) {
  TFormatSettings fs;
  if (selector & 1) {
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
  }
  if (selector & 2) fs.ShortDateFormat = "MM/dd/yy";
  if (selector & 4) {
    fs.ShortDateFormat = "yyyy-MM-dd";
    fs.DateSeparator = '-';
  }
  if (selector & 8) {
    fs.LongTimeFormat = "h:mm:ss.zzz AMPM";
    fs.TimeAMString = "AM";
    fs.TimePMString = "PM";
  }
  return fs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const TFormatSettings fs = SettingsFor(data[0]);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  // "picture\0value" feeds FormatFloat and FormatDateTime; otherwise the whole text is the value.
  const size_t cut = text.find('\0');
  const std::string picture = cut == std::string::npos ? std::string("#,##0.00") : text.substr(0, cut);
  const std::string value = cut == std::string::npos ? text : text.substr(cut + 1);

  int64_t i;
  if (TryStrToInt64(value, i)) Check(StrToInt64(IntToStr(i)) == i);

  double d;
  if (TryStrToFloat(value, d, fs)) {
    // Fifteen digits of the largest doubles round past the largest double.
    if (d > -1e308 && d < 1e308) {
      double back;
      Check(TryStrToFloat(FloatToStr(d, fs), back, fs));
      Check(FloatToStr(back, fs) == FloatToStr(d, fs));
    }
    FormatFloat(picture, d, fs);
    FloatToStrF(d, ffNumber, 15, int(data[0] % 20), fs);
    FloatToStrF(d, ffExponent, int(data[0] % 16), 3, fs);
    try {
      FormatDateTime(picture, d, fs);
    } catch (const EConvertError&) {
    }
  }

  TDateTime t;
  if (TryStrToDateTime(value, t, fs)) {
    TDateTime back;
    Check(TryStrToDateTime(FormatDateTime("ddddd hh:nn:ss", t, fs), back, fs) || fs.ShortDateFormat == "MM/dd/yy");
    FormatDateTime(picture, t, fs);
  }
  TryStrToDate(value, t, fs);
  TryStrToTime(value, t, fs);
  return 0;
}
