#include "skin/engine/sSkinTables.h"

#include <vector>

namespace {

// Walks from the section up its ParentClass chain; Find answers the index of a matching row of the
// section it is given, or -1.
template <typename TFind>
int FindInherited(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection, TFind Find) {
  std::vector<bool> Passed(Tables.Sections.size());
  while (SkinIndex >= 0 && !SkinSection.empty()) {
    const int Found = Find(SkinSection);
    if (Found >= 0) return Found;
    if (SkinIndex >= int(Tables.Sections.size()) || Passed[SkinIndex]) return -1;
    Passed[SkinIndex] = true;
    const std::string& Parent = Tables.Sections[SkinIndex].ParentClass;
    if (Parent.empty() || Parent == SkinSection) return -1;
    SkinIndex = GetSkinIndex(Tables, Parent);
    SkinSection = Parent;
  }
  return -1;
}

template <typename TRows, typename TAccept>
int FindRow(const TRows& Rows, std::string_view SkinSection, std::string_view Name, TAccept Accept) {
  for (int i = 0; i < int(Rows.size()); ++i)
    if (Rows[i].ClassName == SkinSection && Rows[i].PropertyName == Name && Accept(Rows[i])) return i;
  return -1;
}

const TsMaskData* MaskAt(const TsSkinTables& Tables, int Index) {
  return IsValidMaskIndex(Tables, Index) ? &Tables.Masks[Index] : nullptr;
}

// Side width of the rule shared by the four sides; Whole is the image width or height.
int BorderOf(const TsMaskData& Mask, int Own, int Whole) {
  if (Own > 0) return Own;
  if (Mask.BorderWidth >= 1) return Mask.BorderWidth;
  return Whole;
}

// The image width with a piece of 0 images counted as one image.
int WholeImageWidth(const TsMaskData& Mask) {
  if (Mask.ImageCount != 0) return MaskImageWidth(Mask);
  TsMaskData One = Mask;
  One.ImageCount = 1;
  return MaskImageWidth(One);
}

}  // namespace

int GetSkinIndex(const TsSkinTables& Tables, std::string_view Name) {
  for (int i = 0; i < int(Tables.Sections.size()); ++i)
    if (Tables.Sections[i].ClassName == Name) return i;
  return -1;
}

int GetMaskIndex(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection, std::string_view Mask) {
  return FindInherited(Tables, SkinIndex, SkinSection, [&](std::string_view Section) {
    return FindRow(Tables.Masks, Section, Mask, [](const TsMaskData&) { return true; });
  });
}

int GetTextureIndex(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection, std::string_view Mask) {
  return FindInherited(Tables, SkinIndex, SkinSection, [&](std::string_view Section) {
    return FindRow(Tables.Masks, Section, Mask, [](const TsMaskData& m) { return m.ImgType == 1; });
  });
}

int GetPatternIndex(const TsSkinTables& Tables, int SkinIndex, std::string_view SkinSection,
                    std::string_view Pattern) {
  return FindInherited(Tables, SkinIndex, SkinSection, [&](std::string_view Section) {
    return FindRow(Tables.Patterns, Section, Pattern, [](const TsPatternData&) { return true; });
  });
}

int FindMaskIndex(const TsSkinTables& Tables, std::string_view SkinSection, std::string_view Mask) {
  if (SkinSection.empty()) return -1;
  return FindRow(Tables.Masks, SkinSection, Mask, [](const TsMaskData&) { return true; });
}

bool IsValidSkinIndex(const TsSkinTables& Tables, int Index) {
  return Index >= 0 && Index < int(Tables.Sections.size());
}

bool IsValidMaskIndex(const TsSkinTables& Tables, int Index) { return Index >= 0 && Index < int(Tables.Masks.size()); }

int MaskBorderLeft(const TsSkinTables& Tables, int MaskIndex) {
  const TsMaskData* m = MaskAt(Tables, MaskIndex);
  return m ? BorderOf(*m, m->WL, WholeImageWidth(*m)) : 0;
}

int MaskBorderTop(const TsSkinTables& Tables, int MaskIndex) {
  const TsMaskData* m = MaskAt(Tables, MaskIndex);
  return m ? BorderOf(*m, m->WT, MaskImageHeight(*m)) : 0;
}

int MaskBorderRight(const TsSkinTables& Tables, int MaskIndex) {
  const TsMaskData* m = MaskAt(Tables, MaskIndex);
  return m ? BorderOf(*m, m->WR, WholeImageWidth(*m)) : 0;
}

int MaskBorderBottom(const TsSkinTables& Tables, int MaskIndex) {
  const TsMaskData* m = MaskAt(Tables, MaskIndex);
  return m ? BorderOf(*m, m->WB, MaskImageHeight(*m)) : 0;
}

void ResolveSectionPieces(TsSkinTables& Tables) {
  for (int i = 0; i < int(Tables.Sections.size()); ++i) {
    TsGeneralData& s = Tables.Sections[i];
    if (s.ClassName == "GLOBALINFO") continue;
    s.BorderIndex = GetMaskIndex(Tables, i, s.ClassName, "BORDERSMASK");
    s.ImgTL = GetMaskIndex(Tables, i, s.ClassName, "IMGTOPLEFT");
    s.ImgTR = GetMaskIndex(Tables, i, s.ClassName, "IMGTOPRIGHT");
    s.ImgBL = GetMaskIndex(Tables, i, s.ClassName, "IMGBTMLEFT");
    s.ImgBR = GetMaskIndex(Tables, i, s.ClassName, "IMGBTMRIGHT");
    s.TextureIndex = GetTextureIndex(Tables, i, s.ClassName, "PATTERN");
  }
}

TsCommonIndexes ResolveCommonIndexes(const TsSkinTables& Tables) {
  TsCommonIndexes c;
  auto Section = [&](const char* Name) { return GetSkinIndex(Tables, Name); };
  auto Piece = [&](int Index, const char* Name, const char* Mask) { return GetMaskIndex(Tables, Index, Name, Mask); };
  auto Texture = [&](int Index, const char* Name, const char* Mask) {
    return GetTextureIndex(Tables, Index, Name, Mask);
  };

  c.GlobalInfo = Section("GLOBALINFO");
  auto Global = [&](const char* Mask) { return Piece(c.GlobalInfo, "GLOBALINFO", Mask); };
  c.ExBorder = Global("EXBORDER");

  static const char* const Tabs[4] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (int i = 0; i < 4; ++i) c.TabSections[i] = Section(Tabs[i]);
  for (int i = 0; i < 4; ++i) c.TabBorders[i] = Piece(c.TabSections[i], Tabs[i], "BORDERSMASK");

  static const char* const Buttons[4] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
  for (int i = 0; i < 4; ++i) c.ScrollBtnSections[i] = Section(Buttons[i]);
  for (int i = 0; i < 4; ++i) c.ScrollBtnBorders[i] = Piece(c.ScrollBtnSections[i], Buttons[i], "BORDERSMASK");
  for (int i = 0; i < 4; ++i) c.ScrollBtnPatterns[i] = Piece(c.ScrollBtnSections[i], Buttons[i], "PATTERN");
  for (int i = 0; i < 4; ++i) c.ScrollBtnHotPatterns[i] = Piece(c.ScrollBtnSections[i], Buttons[i], "HOTPATTERN");
  for (int i = 0; i < 4; ++i) c.ScrollBtnGlyphs[i] = Piece(c.ScrollBtnSections[i], Buttons[i], "GLYPHMASK");

  c.ScrollSliderV = Section("SCROLLSLIDERV");
  c.ScrollSliderH = Section("SCROLLSLIDERH");
  c.SliderBorderV = Piece(c.ScrollSliderV, "SCROLLSLIDERV", "BORDERSMASK");
  c.SliderBorderH = Piece(c.ScrollSliderH, "SCROLLSLIDERH", "BORDERSMASK");
  c.SliderGlyphV = Piece(c.ScrollSliderV, "SCROLLSLIDERV", "GLYPHMASK");
  c.SliderGlyphH = Piece(c.ScrollSliderH, "SCROLLSLIDERH", "GLYPHMASK");
  c.SliderPatternH = Piece(c.ScrollSliderH, "SCROLLSLIDERH", "PATTERN");
  c.SliderHotPatternH = Piece(c.ScrollSliderH, "SCROLLSLIDERH", "HOTPATTERN");
  c.SliderPatternV = Piece(c.ScrollSliderV, "SCROLLSLIDERV", "PATTERN");
  c.SliderHotPatternV = Piece(c.ScrollSliderV, "SCROLLSLIDERV", "HOTPATTERN");

  static const char* const Bars[4] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (int i = 0; i < 4; ++i) c.ScrollBarSections[i] = Section(Bars[i]);
  for (int i = 0; i < 4; ++i) c.ScrollBarBorders[i] = Piece(c.ScrollBarSections[i], Bars[i], "BORDERSMASK");
  for (int i = 0; i < 4; ++i) c.ScrollBarPatterns[i] = Piece(c.ScrollBarSections[i], Bars[i], "PATTERN");
  for (int i = 0; i < 4; ++i) c.ScrollBarHotPatterns[i] = Piece(c.ScrollBarSections[i], Bars[i], "HOTPATTERN");

  c.BoxChecked = Global("BOXCHECKED");
  c.BoxUnchecked = Global("BOXUNCHECKED");
  c.BoxGrayed = Global("BOXGRAYED");
  c.RadioChecked = Global("RADIOCHECKED");
  c.RadioUnchecked = Global("RADIOUNCHECKED");
  c.RadioGrayed = Global("RADIOGRAYED");
  c.SmallChecked = Global("SMALLCHECKED");
  c.SmallUnchecked = Global("SMALLUNCHECKED");
  c.SmallGrayed = Global("SMALLGRAYED");

  c.ComboBtn = Section("COMBOBTN");
  c.ComboBtnBorder = FindMaskIndex(Tables, "COMBOBTN", "BORDERSMASK");
  c.ComboBtnPattern = Texture(c.ComboBtn, "COMBOBTN", "PATTERN");
  c.ComboBtnHotPattern = Texture(c.ComboBtn, "COMBOBTN", "HOTPATTERN");
  c.ComboGlyph = FindMaskIndex(Tables, "COMBOBOX", "GLYPHMASK");

  c.GripImage = Global("GRIPIMAGE");
  c.GripHorz = Global("GRIPHORZ");
  c.GripVert = Global("GRIPVERT");
  c.WebButton = Section("WEBBUTTON");
  c.BIconNorm = Global("BICONNORM");
  return c;
}
