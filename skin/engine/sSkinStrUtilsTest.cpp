#include "skin/engine/sSkinNumbers.h"
#include "skin/engine/sSkinStrUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinNumbers, EdgeCases) {
  EXPECT_TRUE(IsBetween(5, 10, 1));
  EXPECT_FALSE(IsBetween(11, 10, 1));
  EXPECT_TRUE(IsBetween(10, 10, 1));
  EXPECT_TRUE(IsBetween(1, 1, 10));
  EXPECT_FALSE(IsBetween(0, 1, 10));
  struct Case {
    int Value, Byte;
  } cases[] = {{-1, 0}, {0, 0}, {128, 128}, {255, 255}, {256, 255}, {-100000, 0}, {100000, 255}};
  for (const Case& c : cases) EXPECT_EQ(IntToByte(c.Value), c.Byte) << c.Value;
  int a = 1, b = 2;
  SwapInt(a, b);
  EXPECT_EQ(a * 10 + b, 21);
  EXPECT_EQ(MaxOf(-3, 2) * 10 + MinOf(-3, 2), 17);
  EXPECT_EQ(IfThenStr(false, "a", "b") + std::to_string(IfThenInt(true, 1, 2)), "b1");
}

TEST(SkinWords, CountPositionAndWord) {
  struct Case {
    const char* Text;
    const char* Delims;
    int N;
    int Count, Pos;
    const char* Word;
  } cases[] = {
      {";;a;;b;", ";", 2, 2, 6, "b"},
      {";;a;;b;", ";", 3, 2, 0, ""},
      {";;a;;b;", ";", 1, 2, 3, "a"},
      {";;a;;b;", ";", 0, 2, 0, ""},
      {"", ";", 1, 0, 0, ""},
      {";;;", ";", 1, 0, 0, ""},
      {"abc", ";", 1, 1, 1, "abc"},
      {"x- y ,z", " ,-", 3, 3, 7, "z"},
      {"Item - Caption - Tail", "-", 2, 3, 7, " Caption "},
  };
  for (const Case& c : cases) {
    const TCharSet d = CharSetOf(c.Delims);
    EXPECT_EQ(WordCountOf(c.Text, d), c.Count) << c.Text;
    EXPECT_EQ(WordStartPos(c.N, c.Text, d), c.Pos) << c.Text << " " << c.N;
    EXPECT_EQ(NthWord(c.N, c.Text, d), c.Word) << c.Text << " " << c.N;
  }
  EXPECT_TRUE(CharInSet('\xE7', CharSetOf("\xE7")));
  EXPECT_FALSE(CharInSet('a', CharSetOf("\xE7")));
}

TEST(SkinStrings, ReplaceDeleteAndSlash) {
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("a.b.c", ".", ".."), "a..b..c");  // replaced text is not scanned again
  EXPECT_EQ(ReplaceAll("xx", "x", ""), "");
  EXPECT_EQ(DeleteChars("a-b--c-", '-'), "abc");
  struct Case {
    const char* Path;
    const char* Result;
  } cases[] = {{"C", "C:\\"}, {"a/", "a\\"}, {"a/b", "a/b\\"}, {"", ""}, {"C:\\", "C:\\"}, {"/", "\\"},
               {"dir", "dir\\"}};
  for (const Case& c : cases) EXPECT_EQ(IncludeTrailingSlash(c.Path), c.Result) << c.Path;
}

TEST(SkinStrings, HexToColor) {
  struct Case {
    const char* Text;
    TColor Color;
  } cases[] = {{"FF", 255},         {"FFH", 255},       {"FG", 0},          {"", 0},
               {"H", 0},            {"ffh", 255},       {"FFHH", 0},        {"ff00FF", 0xFF00FF},
               {"FFFFFFFF", -1},    {"1FFFFFFFF", -1},  {"123456789", 0x23456789},
               {" FF", 0},          {"0x10", 0}};
  for (const Case& c : cases) EXPECT_EQ(HexToColor(c.Text), c.Color) << c.Text;
}

}  // namespace
