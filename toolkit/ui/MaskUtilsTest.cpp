// Edit masks: parsing, the shown and stored texts, accepted keys and completeness.
#include <gtest/gtest.h>

#include "toolkit/ui/MaskUtils.h"

namespace {

constexpr const char* kDate = "!99/99/0000;1;_";
constexpr const char* kPhone = "(99) 9999-9999;0;_";

TEST(MaskUtilsTest, FieldsAndPlaces) {
  const TEditMask date(kDate);
  EXPECT_EQ(date.Length(), 10);
  EXPECT_TRUE(date.SaveLiterals());
  EXPECT_EQ(date.BlankChar(), '_');
  EXPECT_EQ(date.BlankText(), "__/__/____");
  EXPECT_TRUE(date.IsLiteral(2));
  EXPECT_FALSE(date.IsRequired(0));
  EXPECT_TRUE(date.IsRequired(6));

  const TEditMask phone(kPhone);
  EXPECT_FALSE(phone.SaveLiterals());
  EXPECT_EQ(phone.BlankText(), "(__) ____-____");

  struct Case {
    const char* mask;
    int length;
    bool save;
    char blank;
    const char* blankText;
  };
  const Case cases[] = {
      {"000", 3, true, '_', "___"},
      {"00;0", 2, false, '_', "__"},
      {"00;1;*", 2, true, '*', "**"},
      {"00;1; ", 2, true, ' ', "  "},
      {">LL<ll<>aa", 6, true, '_', "______"},
      {"\\0\\;0", 3, true, '_', "0;_"},
      {"0_0", 3, true, '_', "_ _"},
      {"", 0, true, '_', ""},
  };
  for (const Case& c : cases) {
    const TEditMask m(c.mask);
    EXPECT_EQ(m.Length(), c.length) << c.mask;
    EXPECT_EQ(m.SaveLiterals(), c.save) << c.mask;
    EXPECT_EQ(m.BlankChar(), c.blank) << c.mask;
    EXPECT_EQ(m.BlankText(), c.blankText) << c.mask;
  }
}

TEST(MaskUtilsTest, AcceptedKeys) {
  struct Case {
    const char* mask;
    int pos;
    char key;
    char stored;  // 0: refused
  };
  const Case cases[] = {
      {kDate, 0, '3', '3'},   {kDate, 0, 'a', 0},      {kDate, 2, '/', 0},  {kDate, 0, ' ', '_'},
      {kDate, 6, ' ', 0},     {kDate, 6, '_', 0},      {"#", 0, '-', '-'},  {"#", 0, '+', '+'},
      {"0", 0, '-', 0},       {"L", 0, 'x', 'x'},      {"L", 0, '\xE7', '\xE7'}, {"L", 0, '1', 0},
      {">L", 0, 'x', 'X'},    {">L", 0, '\xE7', '\xC7'}, {"<L", 0, 'Q', 'q'}, {"A", 0, '7', '7'},
      {"A", 0, '-', 0},       {"C", 0, '-', '-'},      {"C", 0, '\t', 0},   {"c", 0, ' ', '_'},
      {"0", 5, '1', 0},       {"0", -1, '1', 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TEditMask(c.mask).Accept(c.pos, c.key), c.stored) << c.mask << " at " << c.pos << " key " << c.key;
  }
}

TEST(MaskUtilsTest, MovesOverLiterals) {
  const TEditMask phone(kPhone);
  EXPECT_EQ(phone.NextInput(0), 1);
  EXPECT_EQ(phone.NextInput(3), 5);
  EXPECT_EQ(phone.NextInput(14), 14);
  EXPECT_EQ(phone.PrevInput(5), 2);
  EXPECT_EQ(phone.PrevInput(1), -1);
  EXPECT_EQ(phone.PrevInput(99), 13);
}

TEST(MaskUtilsTest, TextAndEditText) {
  struct Case {
    const char* mask;
    const char* text;      // stored text given to the edit
    const char* editText;  // what the edit shows
    const char* readBack;  // Text read back
  };
  const Case cases[] = {
      {kDate, "12/05/2020", "12/05/2020", "12/05/2020"},
      {kDate, "", "__/__/____", "  /  /    "},
      {kDate, "1x/05/20", "1_/05/20__", "1 /05/20  "},
      {kDate, "12-05-2020", "12/05/2020", "12/05/2020"},
      {kPhone, "1133445566", "(11) 3344-5566", "1133445566"},
      {kPhone, "113344", "(11) 3344-____", "113344"},
      {kPhone, "", "(__) ____-____", ""},
      {"!999;0;_", "7", "__7", "7"},
      {"!999;0;_", "12345", "345", "345"},
      {">LLL;0;*", "abc", "ABC", "ABC"},
      {"000;1; ", "1 3", "1 3", "1 3"},
  };
  for (const Case& c : cases) {
    const TEditMask m(c.mask);
    const std::string edit = m.FromText(c.text);
    EXPECT_EQ(edit, c.editText) << c.mask << " / " << c.text;
    EXPECT_EQ(m.ToText(edit), c.readBack) << c.mask << " / " << c.text;
  }
  EXPECT_EQ(TEditMask(kPhone).FormatEditText("(11) 3344-5566"), "(11) 3344-5566");
  EXPECT_EQ(FormatMaskText("(99) 9999-9999;0;_", "1133"), "(11) 33  -    ");
  EXPECT_EQ(FormatMaskText("000.000.000-00;0;_", "12345678901"), "123.456.789-01");
}

TEST(MaskUtilsTest, Completeness) {
  struct Case {
    const char* mask;
    const char* editText;
    int firstInvalid;
  };
  const Case cases[] = {
      {kDate, "12/05/2020", -1}, {kDate, "12/05/20__", 8},  {kDate, "__/__/____", 6},
      {kDate, " 1/ 5/2020", -1}, {kDate, "12/05/2x20", 7},  {kPhone, "(__) ____-____", -1},
      {"0000", "12", 2},         {"", "", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TEditMask(c.mask).FirstInvalid(c.editText), c.firstInvalid) << c.mask << " / " << c.editText;
  }
}

}  // namespace
