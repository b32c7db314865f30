#include "toolkit/rtl/StringUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(StringUtils, TrimFamily) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("ção"), "ção");  // bytes above 0x7F are not blanks
}

TEST(StringUtils, AsciiCaseOnly) {
  EXPECT_EQ(UpperCase("ação x"), "AçãO X");
  EXPECT_EQ(LowerCase("AÇÃO X"), "aÇÃo x");
  EXPECT_TRUE(SameText("Abc", "aBC"));
  EXPECT_FALSE(SameText("ação", "AÇÃO"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareStr("b", "a"), 0);
}

TEST(StringUtils, CopyAndPosCountFromOne) {
  const struct {
    int index, count;
    const char* expected;
  } cases[] = {{1, 3, "abc"}, {2, 2, "bc"}, {5, 10, "e"}, {6, 1, ""}, {0, 2, "ab"}, {3, -1, ""}, {-5, 100, "abcde"}};
  for (const auto& c : cases) EXPECT_EQ(Copy("abcde", c.index, c.count), c.expected) << c.index << "," << c.count;
  EXPECT_EQ(Pos("cd", "abcdcd"), 3);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(PosEx("cd", "abcdcd", 4), 5);
  EXPECT_EQ(PosEx("cd", "abcdcd", 99), 0);
  std::string s = "abcdef";
  Delete(s, 2, 3);
  EXPECT_EQ(s, "aef");
  Delete(s, 3, 99);
  EXPECT_EQ(s, "ae");
  Delete(s, 9, 1);
  EXPECT_EQ(s, "ae");
  Insert("XY", s, 2);
  EXPECT_EQ(s, "aXYe");
  Insert("!", s, 99);
  EXPECT_EQ(s, "aXYe!");
  EXPECT_EQ(LeftStr("abc", 2), "ab");
  EXPECT_EQ(RightStr("abc", 5), "abc");
  EXPECT_EQ(StringOfChar('-', 3), "---");
}

TEST(StringUtils, ReplaceAndQuote) {
  EXPECT_EQ(StringReplace("a.b.c", ".", ",", 0), "a,b.c");
  EXPECT_EQ(StringReplace("a.b.c", ".", ",", rfReplaceAll), "a,b,c");
  EXPECT_EQ(StringReplace("Ação ação", "AÇÃO", "x", rfReplaceAll | rfIgnoreCase), "x x");
  EXPECT_EQ(StringReplace("aaa", "a", "aa", rfReplaceAll), "aaaaaa");
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
  EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
  EXPECT_EQ(AnsiDequotedStr("'O''Brien'", '\''), "O'Brien");
  EXPECT_EQ(AnsiDequotedStr("abc", '\''), "abc");
  EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
}

}  // namespace
