#pragma once
// How numbers and dates are written and read. The global FormatSettings starts with the values the
// program runs with and is refilled from the Windows locale by GetFormatSettings() (FormatSettingsWin.cpp).
#include <array>
#include <string>

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "dd/MM/yyyy";
  std::string LongDateFormat = "dddd, d' de 'mmmm' de 'yyyy";
  std::string ShortTimeFormat = "HH:mm";
  std::string LongTimeFormat = "HH:mm:ss";
  std::string TimeAMString;  // suffixes of the 12-hour clock ("AM", "PM"); empty on a 24-hour clock
  std::string TimePMString;
  std::array<std::string, 12> ShortMonthNames{"jan", "fev", "mar", "abr", "mai", "jun",
                                              "jul", "ago", "set", "out", "nov", "dez"};
  std::array<std::string, 12> LongMonthNames{"janeiro", "fevereiro", "mar\xE7o",    "abril",   "maio",     "junho",
                                             "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  // Sunday first.
  std::array<std::string, 7> ShortDayNames{"dom", "seg", "ter", "qua", "qui", "sex", "s\xE1" "b"};
  std::array<std::string, 7> LongDayNames{"domingo",      "segunda-feira", "ter\xE7" "a-feira", "quarta-feira",
                                          "quinta-feira", "sexta-feira",   "s\xE1" "bado"};
  // Two-digit years are placed within this many years before the current one (0: current century).
  int TwoDigitYearCenturyWindow = 50;
};

extern TFormatSettings FormatSettings;
