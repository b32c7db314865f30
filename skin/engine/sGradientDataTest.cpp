#include "skin/engine/sGradientData.h"

#include <gtest/gtest.h>

#include "toolkit/rtl/Exceptions.h"

namespace {

TEST(GradientData, ParsesStepsFromWords) {
  struct Case {
    const char* Text;
    TsGradArray Steps;
  } cases[] = {
      {"", {}},
      {" ", {}},
      {"0;255;100;0;0", {{0, 255, 100, 0, 0}}},
      {"16777215;12632256;50;0;0;12632256;8421504;50;0;0",
       {{16777215, 12632256, 50, 0, 0}, {12632256, 8421504, 50, 0, 0}}},
      {"1;2;3;4;5;6;7", {{1, 2, 3, 4, 0}}},  // an incomplete last group is ignored
      {"1;2;3;4", {}},
      {"1;;2;3;4;5", {{1, 2, 3, 4, 0}}},  // empty fields are skipped
      {";;1;2;3;4;5;;", {{1, 2, 3, 4, 0}}},
      {"1;2;150;1;9", {{1, 2, 100, 1, 0}}},
      {"-5;-1;-20;-3;x", {{0, 0, 0, -3, 0}}},  // the fifth word is never read
      {"$FF; 2 ;$64;2;0", {{255, 2, 100, 2, 0}}},
  };
  for (const Case& c : cases) {
    TsGradArray Data{{9, 9, 9, 9, 9}};
    ParseGradientData(c.Text, Data);
    EXPECT_EQ(Data, c.Steps) << c.Text;
  }
}

TEST(GradientData, AWordThatIsNoNumberRaisesAndKeepsTheStepsBefore) {
  TsGradArray Data;
  EXPECT_THROW(ParseGradientData("1;2;3;0;0;4;red;6;0;0;7;8;9;0;0", Data), EConvertError);
  ASSERT_EQ(Data.size(), 3u);
  EXPECT_EQ(Data[0], (TsGradStep{1, 2, 3, 0, 0}));
  EXPECT_EQ(Data[1].Color1, 4);
  EXPECT_EQ(Data[2], TsGradStep{});
}

}  // namespace
