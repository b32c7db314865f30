// The kind tables, the background colour mixes and the volatility rule on plain values.
#include "skin/engine/sCommonDataRules.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinDataRules, KindTables) {
  const struct {
    int Kind;
    const char* Section;
  } Sections[] = {{3, "EDIT"},        {227, "EDIT"},     {11, "COMBOBOX"},    {82, "COMBOBOX"}, {19, "BAR"},
                  {20, "BARTITLE"},   {152, "CHECKBOX"}, {33, "RADIOBUTTON"}, {51, "PANEL"},    {58, "PANEL_LOW"},
                  {60, "TOOLBAR"},    {56, "DRAGBAR"},   {57, "TABSHEET"},    {226, "GROUPBOX"}, {75, "SPLITTER"},
                  {92, "SPEEDBUTTON"}, {94, "BUTTON"},   {98, "TOOLBUTTON"},  {143, "PAGECONTROL"},
                  {151, "STATUSBAR"}, {161, "GAUGE"},    {165, "TRACKBAR"},   {224, ""},        {0, ""}};
  for (const auto& C : Sections) EXPECT_EQ(KindDefaultSection(C.Kind), C.Section) << C.Kind;

  for (int K : {2, 18, 41, 76, 84, 96, 131, 140}) EXPECT_TRUE(IsColorManagedKind(K)) << K;
  for (int K : {1, 19, 40, 75, 85, 95, 130, 141}) EXPECT_FALSE(IsColorManagedKind(K)) << K;
  for (int K : {19, 51, 74, 110, 141, 161}) EXPECT_TRUE(KindHasNoHoverState(K)) << K;
  for (int K : {18, 20, 50, 75, 109, 140, 162}) EXPECT_FALSE(KindHasNoHoverState(K)) << K;
  for (int K : {51, 52, 54, 56, 60, 68, 73, 74, 92, 93, 94, 110, 141, 143, 151, 161, 226})
    EXPECT_TRUE(KindHasNoHoverGlow(K)) << K;
  for (int K : {53, 55, 61, 95, 142, 152, 227}) EXPECT_FALSE(KindHasNoHoverGlow(K)) << K;
}

TEST(SkinDataRules, ColourMixesRoundAndAgree) {
  const TColor White = 0xFFFFFF, Black = 0;
  EXPECT_EQ(MixByTransparency(White, Black, 0), Black);
  EXPECT_EQ(MixByTransparency(White, Black, 50), 0x808080);  // 127.5 ties to even
  EXPECT_EQ(MixByTransparency(White, Black, 100), White);
  EXPECT_EQ(MixByTransparency(0x0000FF, 0x00FF00, 25), 0x00BF40);  // 63.75 and 191.25
}

TsGeneralData Section(int Transparency, TColor Color, int States = 1) {
  TsGeneralData S;
  S.States = States;
  S.Transparency = Transparency;
  S.Color = Color;
  S.Props[0].Transparency = Transparency;
  S.Props[0].Color = Color;
  return S;
}

TEST(SkinDataRules, BackgroundColour) {
  const TColor White = 0xFFFFFF, Own = 0x123456;
  auto Parent = [] { return TColor(0xFFFFFF); };
  TsGeneralData T0 = Section(0, 0x0000FF), T50 = Section(50, 0), T100 = Section(100, 0);
  struct Case {
    const TsGeneralData* S;
    bool Custom;
    bool HasParent;
    int Hot;
    TColor Expected;
  } Cases[] = {
      {nullptr, false, true, 0, Own},  // no active skin: the owner's colour
      {&T0, false, true, 0, 0x0000FF}, {&T0, true, true, 0, Own},
      {&T50, false, true, 0, 0x808080}, {&T100, false, true, 0, White},
      {&T50, false, false, 0, clBtnFace}, {&T100, false, false, 0, clBtnFace},
  };
  for (const Case& C : Cases) {
    TsBgColorQuery Q;
    Q.Section = C.S;
    Q.CustomColor = C.Custom;
    Q.OwnColor = Own;
    Q.Hot = C.Hot;
    if (C.HasParent) Q.ParentColor = Parent;
    EXPECT_EQ(BackgroundColor(Q), C.Expected);
  }
  // The hot state counts only with two states.
  TsGeneralData Hot = Section(0, 0x000001, 2);
  Hot.Props[1].Color = 0x000002;
  TsBgColorQuery Q;
  Q.Section = &Hot;
  Q.Hot = 1;
  EXPECT_EQ(BackgroundColor(Q), 0x000002);
  Hot.States = 1;
  EXPECT_EQ(BackgroundColor(Q), 0x000001);
}

TEST(SkinDataRules, VolatileBackgrounds) {
  TsMaskData Border, Tiled, Texture10;
  Tiled.DrawMode = 0x4;
  Texture10.DrawMode = 10;
  TsGeneralData Plain = Section(0, 0), Image = Section(0, 0), Half = Section(50, 0), Clear = Section(100, 0),
                ClearGradient = Section(100, 0);
  Image.ImagePercent = 30;
  ClearGradient.GradientPercent = 50;
  auto Static = [] { return 0x1; };
  auto Moving = [] { return 0x0; };
  struct Case {
    const TsGeneralData* S;
    const TsMaskData* B;
    int L, T, R, Bt;
    const TsMaskData* Tex;
    std::function<int()> Parent;
    bool Expected;
  } Cases[] = {
      {nullptr, nullptr, 0, 0, 0, 0, nullptr, Static, false},
      {&Plain, nullptr, 0, 0, 0, 0, nullptr, Static, false},
      {&Plain, &Border, 10, 10, 10, 10, nullptr, Static, false},  // 20 wide: not yet
      {&Plain, &Border, 11, 0, 10, 0, nullptr, Static, true},     // 21
      {&Plain, &Border, 0, 11, 0, 10, nullptr, Static, true},
      {&Plain, &Tiled, 0, 0, 0, 0, nullptr, Static, true},
      {&Image, nullptr, 0, 0, 0, 0, nullptr, Static, true},
      {&Half, nullptr, 0, 0, 0, 0, nullptr, Static, true},
      {&Clear, nullptr, 0, 0, 0, 0, nullptr, Static, false},  // over a static panel
      {&ClearGradient, nullptr, 0, 0, 0, 0, nullptr, Static, true},
      {&Clear, nullptr, 0, 0, 0, 0, nullptr, Moving, true},
      {&Clear, nullptr, 0, 0, 0, 0, nullptr, nullptr, true},  // no parent
      {&Clear, nullptr, 0, 0, 0, 0, &Texture10, Static, true},
  };
  int I = 0;
  for (const Case& C : Cases) {
    TsBgVolatilityQuery Q;
    Q.Section = C.S;
    Q.Border = C.B;
    Q.BorderLeft = C.L;
    Q.BorderTop = C.T;
    Q.BorderRight = C.R;
    Q.BorderBottom = C.Bt;
    Q.Texture = C.Tex;
    Q.ParentBgState = C.Parent;
    EXPECT_EQ(BackgroundIsVolatile(Q), C.Expected) << "case " << I;
    ++I;
  }
}

}  // namespace
