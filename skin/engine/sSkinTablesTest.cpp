#include "skin/engine/sSkinTables.h"

#include <gtest/gtest.h>

namespace {

TsGeneralData Section(const char* Name, const char* Parent = "") {
  TsGeneralData s;
  s.ClassName = Name;
  s.ParentClass = Parent;
  return s;
}

TsMaskData Piece(const char* Section, const char* Name, uint8_t ImgType = 0) {
  TsMaskData m;
  m.ClassName = Section;
  m.PropertyName = Name;
  m.ImgType = ImgType;
  return m;
}

TEST(MaskData, ImageSizes) {
  struct Case {
    TPixelRect R;
    int ImageCount, MaskType, Width, Height;
  } cases[] = {
      {{0, 0, 90, 41}, 0, 0, 0, 41},  {{0, 0, 90, 41}, 1, 1, 90, 20},  {{10, 5, 100, 46}, 3, 0, 30, 41},
      {{0, 0, 91, 40}, 2, -1, 45, 0}, {{0, 0, 90, 40}, 2, 3, 45, 10},  {{0, 0, 90, 40}, -2, -2, 0, 0},
      {{0, 0, 7, 9}, 2, 2, 3, 3},     {{-2147483647 - 1, 0, 2147483647, 1}, 1, 0, 2147483647, 1},
  };
  for (const Case& c : cases) {
    TsMaskData m;
    m.R = c.R;
    m.ImageCount = int16_t(c.ImageCount);
    m.MaskType = int16_t(c.MaskType);
    EXPECT_EQ(MaskImageWidth(m), c.Width) << c.ImageCount << " " << c.MaskType;
    EXPECT_EQ(MaskImageHeight(m), c.Height) << c.ImageCount << " " << c.MaskType;
  }
}

TEST(SkinTables, BorderWidthsOfPieceSides) {
  TsSkinTables t;
  auto Add = [&](int WL, int WT, int WR, int WB, int BorderWidth, int ImageCount) {
    TsMaskData m = Piece("S", "BORDERSMASK");
    m.R = {0, 0, 90, 40};
    m.ImageCount = int16_t(ImageCount);
    m.MaskType = 1;
    m.WL = int16_t(WL), m.WT = int16_t(WT), m.WR = int16_t(WR), m.WB = int16_t(WB);
    m.BorderWidth = int16_t(BorderWidth);
    t.Masks.push_back(m);
  };
  Add(6, 7, 8, 9, 2, 3);
  Add(0, 7, 0, 0, 2, 3);
  Add(0, 0, 0, 0, 0, 3);  // whole image
  Add(0, 0, 0, 0, 0, 0);  // no images counted as one
  struct Case {
    int Index, Left, Top, Right, Bottom;
  } cases[] = {{0, 6, 7, 8, 9},     {1, 2, 7, 2, 2}, {2, 30, 20, 30, 20},
               {3, 90, 20, 90, 20}, {4, 0, 0, 0, 0}, {-1, 0, 0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(MaskBorderLeft(t, c.Index), c.Left) << c.Index;
    EXPECT_EQ(MaskBorderTop(t, c.Index), c.Top) << c.Index;
    EXPECT_EQ(MaskBorderRight(t, c.Index), c.Right) << c.Index;
    EXPECT_EQ(MaskBorderBottom(t, c.Index), c.Bottom) << c.Index;
  }
  EXPECT_EQ(t.Masks[3].ImageCount, 0);
}

TEST(SkinTables, LookupsFollowParentClass) {
  TsSkinTables t;
  t.Sections = {Section("BUTTON"),         Section("BUTTON_HUGE", "BUTTON"), Section("EDIT", "NOWHERE"),
                Section("A", "B"),          Section("B", "A"),                Section("SELF", "SELF"),
                Section("BUTTON", "EDIT"),  Section("C", "D"),                Section("D", "E"),
                Section("E", "C"),          Section("TEX", "BUTTON")};
  t.Masks = {Piece("BUTTON", "BORDERSMASK"), Piece("BUTTON_HUGE", "GLYPHMASK"), Piece("BUTTON", "GLYPHMASK"),
             Piece("BUTTON", "PATTERN", 2),  Piece("BUTTON", "PATTERN", 1),    Piece("EDIT", "BORDERSMASK"),
             Piece("BUTTON", "BORDERSMASK")};
  t.Patterns = {{"BACK.JPG", "BUTTON", "PATTERN", nullptr}};
  struct Case {
    int Index;
    const char* Section;
    const char* Piece;
    int Mask, Texture, Pattern;
  } cases[] = {
      {1, "BUTTON_HUGE", "BORDERSMASK", 0, -1, -1},  // inherited from the parent
      {1, "BUTTON_HUGE", "GLYPHMASK", 1, -1, -1},    // its own comes first
      {1, "BUTTON_HUGE", "PATTERN", 3, 4, 0},
      {10, "TEX", "PATTERN", 3, 4, 0},
      {2, "EDIT", "GLYPHMASK", -1, -1, -1},  // parent that does not exist
      {2, "EDIT", "BORDERSMASK", 5, -1, -1},
      {3, "A", "BORDERSMASK", -1, -1, -1},  // A -> B -> A
      {5, "SELF", "BORDERSMASK", -1, -1, -1},
      {7, "C", "GLYPHMASK", -1, -1, -1},  // C -> D -> E -> C
      {-1, "BUTTON", "BORDERSMASK", -1, -1, -1},
      {0, "", "BORDERSMASK", -1, -1, -1},
      {99, "BUTTON_HUGE", "BORDERSMASK", -1, -1, -1},
      {0, "button", "BORDERSMASK", -1, -1, -1},  // names compare exactly
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetMaskIndex(t, c.Index, c.Section, c.Piece), c.Mask) << c.Section << " " << c.Piece;
    EXPECT_EQ(GetTextureIndex(t, c.Index, c.Section, c.Piece), c.Texture) << c.Section << " " << c.Piece;
    EXPECT_EQ(GetPatternIndex(t, c.Index, c.Section, c.Piece), c.Pattern) << c.Section << " " << c.Piece;
  }
  EXPECT_EQ(GetSkinIndex(t, "BUTTON"), 0);  // the first of two rows
  EXPECT_EQ(GetSkinIndex(t, "Button"), -1);
  EXPECT_EQ(GetSkinIndex(TsSkinTables{}, "BUTTON"), -1);
  EXPECT_EQ(FindMaskIndex(t, "BUTTON_HUGE", "BORDERSMASK"), -1);
  EXPECT_EQ(FindMaskIndex(t, "BUTTON", "BORDERSMASK"), 0);
  EXPECT_EQ(FindMaskIndex(t, "", "BORDERSMASK"), -1);
  EXPECT_TRUE(IsValidSkinIndex(t, 10));
  EXPECT_FALSE(IsValidSkinIndex(t, 11));
  EXPECT_FALSE(IsValidSkinIndex(t, -1));
  EXPECT_TRUE(IsValidMaskIndex(t, 6));
  EXPECT_FALSE(IsValidMaskIndex(t, 7));

  ResolveSectionPieces(t);
  EXPECT_EQ(t.Sections[1].BorderIndex, 0);
  EXPECT_EQ(t.Sections[1].TextureIndex, 4);
  EXPECT_EQ(t.Sections[3].BorderIndex, -1);
  EXPECT_EQ(t.Sections[1].ImgTL, -1);
}

}  // namespace
