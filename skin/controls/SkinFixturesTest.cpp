// The fixture skins of the controls' tests: made the same way every time, and each loads.
#include <gtest/gtest.h>

#include "skin/controls/SkinControlsTestSupport.h"

namespace {

struct TFixture {
  const char* Name;
  Bytes (*Build)();
};

Bytes C0() { return skintest::FixtureSkinC(0); }
Bytes C1() { return skintest::FixtureSkinC(1); }

const TFixture Fixtures[] = {{"A", skintest::FixtureSkinA},
                             {"B", skintest::FixtureSkinB},
                             {"C0", C0},
                             {"C1", C1},
                             {"D", skintest::FixtureSkinD}};

TEST(FixtureSkins, BuildIdenticallyAndLoad) {
  for (const TFixture& F : Fixtures) {
    const Bytes Packed = F.Build();
    EXPECT_EQ(Packed, F.Build()) << F.Name;
    TsSkinManager Manager(nullptr);
    skintest::LoadFixtureSkin(Manager, F.Name, Packed);
    EXPECT_TRUE(Manager.SkinData().Active) << F.Name;
    EXPECT_GE(Manager.GetSkinIndex("PANEL"), 0) << F.Name;
  }
}

TEST(FixtureSkins, SparseAndExtendedDifferWhereTheySay) {
  TsSkinManager Manager(nullptr);
  skintest::LoadFixtureSkin(Manager, "B", skintest::FixtureSkinB());
  EXPECT_EQ(Manager.GetSkinIndex("COMBOBTN"), -1);
  EXPECT_EQ(Manager.FindMaskIndex("GLOBALINFO", "BICLOSEALONE"), -1);
  EXPECT_EQ(Manager.FindMaskIndex("GLOBALINFO", "SICONCLOSE"), -1);
  for (int Mode : {0, 1}) {
    skintest::LoadFixtureSkin(Manager, "C" + std::to_string(Mode), skintest::FixtureSkinC(Mode));
    EXPECT_EQ(Manager.SkinData().BorderMode, Mode);
  }
}

}  // namespace
