#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TFormatSettings Brazil() {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  return fs;
}

struct FormatCase {
  const char* picture;
  double value;
  const char* expected;
};

TEST(FormatFloat, PicturesRoundHalfAwayFromZero) {
  const FormatCase cases[] = {
      {"0.00", 2.675, "2.68"},  // 2.67499999... in binary: 15 digits say 2.675
      {"0.00", 1.005, "1.01"},
      {"0.00", 0.125, "0.13"},  // exact tie
      {"0.00", -0.125, "-0.13"},
      {"0", 0.5, "1"},
      {"0", 1.5, "2"},
      {"0", 2.5, "3"},  // never to even
      {"0", -2.5, "-3"},
      {"0", -0.4, "0"},  // no "-0"
      {"0.0", -0.04, "0.0"},
      {"0.00", 0, "0.00"},
      {"0.00", 1e-300, "0.00"},
      {"0.0", 0.05, "0.1"},
      {"0.0", 0.95, "1.0"},
      {"0.0", 9.95, "10.0"},
      {"0.00", 1234567.891, "1234567.89"},
      {"#,##0.0", 1234567.85, "1,234,567.9"},
      {"#,##0.0", -1234.56, "-1,234.6"},
      {"#,##0.0", 999.95, "1,000.0"},
      {"#,##0.0", 0.04, "0.0"},
      {"#,##0", 123, "123"},
      {"#,##0", 1000, "1,000"},
      {"0000", 42, "0042"},
      {"0000", 12345, "12345"},
      {"0000", -7, "-0007"},
      {"00", 3.6, "04"},
      {"#.##", 0.5, ".5"},
      {"#.##", 0, ""},
      {"0.##", 1, "1"},
      {"0.##", 1.2, "1.2"},
      {"0.##", 1.235, "1.24"},
      {"0.0#", 3, "3.0"},
      {"000-000", 123456, "123-456"},
      {"0 'mm'", 12.4, "12 mm"},
      {"\"R$ \"0.00", 5, "R$ 5.00"},
      {"0.00;(0.00)", -3.456, "(3.46)"},
      {"0.00;(0.00);'zero'", 0.001, "zero"},
      {"0.00;;'zero'", -0.001, "zero"},
      {"0.00E+00", 12345.678, "1.23E+04"},
      {"0.00E+00", 0.00012345, "1.23E-04"},
      {"0.0E-0", 12345, "1.2E4"},
      {"0.0E-0", -0.5, "-5.0E-1"},
      {"0.00E+00", 9.996, "1.00E+01"},
      {"0", 1e15, "1000000000000000"},
      {"0.000", 0.0005, "0.001"},
      {"0.0000000000", 0.1 + 0.2, "0.3000000000"},
      {"00.00", 5.5, "05.50"},
      {"00.00", -1.25, "-01.25"},
      {"00.00", 123.456, "123.46"},
      {"0", 319.6, "320"},
      {"0", 240.4, "240"},
      {"#0.0000", 0.123456, "0.1235"},
      {"#0.0000", -0.00004, "0.0000"},
      {"0.00%", 87.456, "87.46%"},
      {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
      {"#,##0.00;(#,##0.00)", 43.25, "43.25"},
      {"0.000", 1.5 / 1024, "0.001"},
      {".00", 5.254, "5.25"},
      {"'nada'", 5, "nada"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected) << c.picture << " " << c.value;
}

TEST(FormatFloat, FollowsTheSeparatorsOfTheFormatSettings) {
  const TFormatSettings br = Brazil();
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, br), "1.234.567,89");
  EXPECT_EQ(FormatFloat("0.0", -0.25, br), "-0,3");
  EXPECT_EQ(FloatToStr(0.5, br), "0,5");
}

TEST(FormatFloat, SpecialValuesAndEmptyPicture) {
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(FormatFloat("0.00", std::nan("")), "NAN");
  EXPECT_EQ(FormatFloat("", 1.5), "1.5");
}

TEST(FloatToStr, FifteenSignificantDigits) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {0, "0"},
      {1, "1"},
      {-1.5, "-1.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345, "123456789012345"},
      {1e15, "1E15"},
      {1.5e20, "1.5E20"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {-1.25e-7, "-1.25E-7"},
      {100, "100"},
      {99.99999999999997, "100"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.expected) << c.value;
}

TEST(FloatToStrF, FixedNumberAndExponent) {
  EXPECT_EQ(FloatToStrF(1234.5, ffFixed, 15, 2), "1234.50");
  EXPECT_EQ(FloatToStrF(1234.565, ffNumber, 15, 2), "1,234.57");
  EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), "0.00");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1.235E+03");
  EXPECT_EQ(FloatToStrF(1234.5, ffGeneral, 3, 0), "1.23E3");
}

TEST(IntToStr, Limits) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDE, 2), "ABCDE");
}

TEST(StrToInt, AcceptsAndRejects) {
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"0", true, 0},           {"123", true, 123},      {" -45 ", true, -45},     {"+7", true, 7},
      {"$1F", true, 31},        {"0x10", true, 16},      {"-$10", true, -16},      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},            {"2147483648", false, 0}, {"", false, 0},
      {" ", false, 0},          {"12a", false, 0},       {"1.5", false, 0},        {"--1", false, 0},
      {"+-1", false, 0},        {"$", false, 0},         {"1 2", false, 0},        {"99999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    int v = -999;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(v, -999) << c.text;
      EXPECT_EQ(StrToIntDef(c.text, 5), 5);
      EXPECT_THROW(StrToInt(c.text), EConvertError) << c.text;
    }
  }
}

TEST(StrToInt, ErrorMessageNamesTheText) {
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' não é um valor inteiro válido");
  }
}

TEST(StrToFloat, AcceptsAndRejects) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"0", true, 0},         {"1.5", true, 1.5},     {" -2.25 ", true, -2.25}, {".5", true, 0.5},
      {"5.", true, 5},        {"1e3", true, 1000},    {"1.5E-2", true, 0.015},  {"+3", true, 3},
      {"0.1", true, 0.1},     {"1e-400", true, 0},    {"000123.4500", true, 123.45},
      {"0.000000000000000000000000000001e30", true, 1},
      {"1e400", false, 0},    {"", false, 0},         {".", false, 0},          {"1,5", false, 0},
      {"1.2.3", false, 0},    {"e5", false, 0},       {"1e", false, 0},         {"1e+", false, 0},
      {"abc", false, 0},      {"1 000", false, 0},    {"NaN", false, 0},        {"inf", false, 0},
      {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    double v = -999;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
    if (c.ok) EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    else EXPECT_THROW(StrToFloat(c.text), EConvertError) << c.text;
  }
  EXPECT_EQ(StrToFloat("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(StrToFloat, FollowsTheDecimalSeparator) {
  const TFormatSettings br = Brazil();
  EXPECT_DOUBLE_EQ(StrToFloat("1,5", br), 1.5);
  EXPECT_THROW(StrToFloat("1.5", br), EConvertError);
  EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7.5, br), 7.5);
}

TEST(StrToFloat, RoundTripsFloatToStr) {
  for (double v : {0.1, 1.0 / 3, 123.456, -9.87654321e-5, 6.02214076e23}) {
    EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(v))), FloatToStr(v));
  }
}

}  // namespace
