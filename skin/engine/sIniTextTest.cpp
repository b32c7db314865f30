#include "skin/engine/sIniText.h"

#include <gtest/gtest.h>

namespace {

TStringList& Parse(TStringList& Sections, const char* Text) {
  TStringList Lines;
  Lines.SetText(Text);
  ParseIniSections(Lines, Sections);
  return Sections;
}

TEST(IniText, SectionsAndSkippedLines) {
  TStringList Sections;
  Parse(Sections,
        "orphan=1\n"
        "[GLOBALINFO]\n"
        "  ; a comment\n"
        "\n"
        "VERSION=7.45\n"
        "x\n"
        "[]\n"
        "  [BUTTON] \n"
        "COLOR=0x1F\n"
        "COLOR=2\n"
        "[ not a section\n");
  ASSERT_EQ(Sections.Count(), 3);
  EXPECT_EQ(Sections[0], "GLOBALINFO");
  EXPECT_EQ(Sections[1], "");
  EXPECT_EQ(Sections[2], "BUTTON");
  const auto* Global = dynamic_cast<const TStringList*>(Sections.Objects(0));
  ASSERT_NE(Global, nullptr);
  EXPECT_EQ(Global->Text(), "VERSION=7.45\r\nx\r\n");
  const auto* Button = dynamic_cast<const TStringList*>(Sections.Objects(2));
  EXPECT_EQ(Button->Text(), "COLOR=0x1F\r\nCOLOR=2\r\n[ not a section\r\n");

  // Parsing again replaces (and frees) the old sections.
  Parse(Sections, "[A]\nk=v\n");
  ASSERT_EQ(Sections.Count(), 1);
  EXPECT_EQ(ReadIniString(Sections, "a", "K", "-"), "v");
}

TEST(IniText, ReadStringsAndIntegers) {
  TStringList Sections;
  Parse(Sections,
        "[S]\n"
        "A=0x1F\nB=0Xff\nC=0x\nD=12\nE=twelve\nF=\n G = 7 \nH=a=b\nA=99\nI=$10\nJ=-5\n");
  struct Case {
    const char* Key;
    const char* Text;
    int Number;
  } cases[] = {{"A", "0x1F", 31}, {"b", "0Xff", 255}, {"C", "0x", -1}, {"D", "12", 12}, {"E", "twelve", -1},
               {"F", "", -1},     {"g", "7", 7},     {"H", "a=b", -1}, {"I", "$10", 16}, {"J", "-5", -5},
               {"missing", "def", -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(ReadIniString(Sections, "S", c.Key, "def"), c.Text) << c.Key;
    EXPECT_EQ(ReadIniInteger(Sections, "s", c.Key, -1), c.Number) << c.Key;
  }
  EXPECT_EQ(ReadIniString(Sections, "T", "A", "def"), "def");
  EXPECT_EQ(ReadIniInteger(Sections, "T", "A", 3), 3);
}

TEST(IniText, SortedListWithoutDuplicatesKeepsOneSection) {
  TStringList Sections;
  Sections.SetSorted(true);
  Parse(Sections, "[B]\nx=1\n[A]\ny=2\n[b]\nz=3\n");
  ASSERT_EQ(Sections.Count(), 2);
  EXPECT_EQ(ReadIniString(Sections, "B", "z", ""), "3");
  EXPECT_EQ(ReadIniString(Sections, "A", "y", ""), "2");
}

}  // namespace
