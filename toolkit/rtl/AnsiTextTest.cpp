#include "toolkit/rtl/AnsiText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(AnsiText, MapsPortugueseAccents) {
  EXPECT_EQ(AnsiUpperCase("ação"), "AÇÃO");
  EXPECT_EQ(AnsiLowerCase("JOSÉ ÂNGELO ÜBER"), "josé ângelo über");
  EXPECT_EQ(AnsiUpperCase("œšžÿ"), "ŒŠŽŸ");
  // Signs and letters without a partner stay as they are.
  EXPECT_EQ(AnsiUpperCase("×÷ßµ"), "×÷ßµ");
  EXPECT_EQ(AnsiLowerCase("×÷"), "×÷");
}

TEST(AnsiText, SameTextIgnoresCaseOnly) {
  EXPECT_TRUE(AnsiSameText("João", "JOÃO"));
  EXPECT_FALSE(AnsiSameText("João", "Joao"));
  EXPECT_FALSE(AnsiSameText("Ana", "Anab"));
}

TEST(AnsiText, CompareSortsAccentsWithTheirBaseLetter) {
  std::vector<std::string> names{"Zélia", "bruno", "Álvaro", "alvaro", "Éder", "Carlos", "Çeres"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  const std::vector<std::string> expected{"alvaro", "Álvaro", "bruno", "Carlos", "Çeres", "Éder", "Zélia"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(AnsiCompareText("MARIA", "maria"), 0);
  EXPECT_LT(AnsiCompareText("Mari", "Maria"), 0);
}
