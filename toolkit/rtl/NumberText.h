#pragma once
// Integers and floating-point numbers to text and back. Nothing here goes through the C locale or
// printf: digits come from the shortest decimal form of the double, are taken to 15 significant
// digits and then rounded half away from zero, so FormatFloat("0.00", 2.675) is "2.68" and ties never
// go to even.
#include "toolkit/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);

// Leading and trailing blanks are allowed, as are a sign and hex written "$1F" or "0x1F".
// Raises EConvertError on anything else or on overflow.
int StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int defaultValue);
int64_t StrToInt64Def(std::string_view s, int64_t defaultValue);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, int64_t& value);

// Up to 15 significant digits, the exponent form ("1,5E-7") only for very large or small values.
std::string FloatToStr(double value, const TFormatSettings& fs = FormatSettings);

// Picture formats: '0' digit, '#' optional digit, '.' decimal separator, ',' thousands grouping,
// "E+00"/"E-00" exponent, 'text' or "text" literal, up to three sections "positive;negative;zero".
// An empty picture formats like FloatToStr.
std::string FormatFloat(std::string_view picture, double value, const TFormatSettings& fs = FormatSettings);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };
// ffFixed/ffNumber: 'digits' decimals (ffNumber groups thousands); ffGeneral: shortest of plain and
// exponent form at 'precision' significant digits; ffExponent: d.dddE+dddd with 'digits' exponent digits.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs = FormatSettings);

// Blanks around, a sign, digits with the format's decimal separator, an optional exponent.
// No thousands separators. Raises EConvertError on anything else.
double StrToFloat(std::string_view s, const TFormatSettings& fs = FormatSettings);
double StrToFloatDef(std::string_view s, double defaultValue, const TFormatSettings& fs = FormatSettings);
bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs = FormatSettings);
