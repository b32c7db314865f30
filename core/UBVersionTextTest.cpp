#include "core/UBVersionText.h"

#include <gtest/gtest.h>

TEST(SplitVersion, PartsAtTheDots) {
  struct Case {
    const char* text;
    std::array<std::string, 4> parts;
  } cases[] = {
      {"4.2.14.0", {"4", "2", "14", "0"}},
      {"1.0.0.123", {"1", "0", "0", "123"}},
      {"1.2", {"1", "", "", "2"}},
      {"1.2.3", {"1", "2", "", "3"}},
      {"7", {"", "", "", "7"}},
      {"", {"", "", "", ""}},
      {"1.2.3.4.5", {"1", "2", "3", "4.5"}},
      {"3.1 beta", {"3", "", "", "1 beta"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitVersion(c.text), c.parts) << c.text;
}

TEST(FileTypeText, TypesAndSubtypes) {
  struct Case {
    uint32_t type, subtype;
    const char* text;
  } cases[] = {
      {0, 5, "Unknown"},
      {1, 0, "Application"},
      {2, 0, "DLL"},
      {3, 0, "Unknown Driver"},
      {3, 1, "Printer Driver"},
      {3, 8, "InstallableDriver"},
      {3, 10, "Communications Driver"},
      {3, 11, ""},
      {4, 3, "Truetype Font"},
      {4, 4, ""},
      {5, 0x1A2B, "Virtual Defice Identifier = 00001A2B"},
      {6, 0, ""},
      {7, 0, "Static-link Library"},
      {8, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FileTypeText(c.type, c.subtype), c.text) << c.type << "/" << c.subtype;
}

TEST(FormatVersionNumbers, HighAndLowWords) {
  EXPECT_EQ(FormatVersionNumbers(0x00040002, 0x000E0000), "4.2.14.0");
  EXPECT_EQ(FormatVersionNumbers(0xFFFF0000, 0x0001FFFF), "65535.0.1.65535");
}
