// Section composition with values from outside (skins give them): random section values, percentages,
// gradients, textures, background records and rectangles must stay inside every picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/PixelFuzzInput.h"
#include "skin/engine/sSectionFill.h"

namespace {

// A percentage of a section, now and then out of its range.
int Percent(TPixelFuzzInput& In) { return In.Byte() % 8 == 0 ? In.Byte() * 3 - 300 : In.Byte() % 101; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TPixelFuzzInput In{Data, Size, 48, -16};
  TPixelFuzzPicture Master(In, 20), Target(In, 20), Parent(In, 20), Pattern(In, 20);
  TsSkinTables Tables;
  for (int I = In.Byte() % 3; I > 0; --I) {
    TsMaskData M;
    M.ClassName = "S";
    M.PropertyName = In.Byte() & 1 ? "PATTERN" : "HOTPATTERN";
    M.R = In.Rect();
    M.ImageCount = int16_t(In.Byte() % 4 - 1);
    M.MaskType = int16_t(In.Byte() % 3 - 1);
    M.DrawMode = int16_t(In.Byte() % 12);
    Tables.Masks.push_back(M);
  }
  TsGeneralData S;
  S.ClassName = "S";
  S.States = In.Byte() % 4;
  S.TextureIndex = In.Byte() % 4 - 1;
  S.Color = TColor(In.Byte() * 0x010203);
  S.HotColor = TColor(In.Byte() * 0x030201);
  S.Transparency = Percent(In);
  S.HotTransparency = Percent(In);
  S.ImagePercent = Percent(In);
  S.HotImagePercent = Percent(In);
  S.GradientPercent = Percent(In);
  S.HotGradientPercent = Percent(In);
  for (int I = In.Byte() % 3; I > 0; --I)
    S.GradientArray.push_back({TColor(In.Byte()), TColor(In.Byte() << 8), uint8_t(In.Byte() % 120), In.Byte() % 4, 0});
  S.HotGradientArray = S.GradientArray;
  Tables.Sections.push_back(S);
  Tables.Patterns.push_back({"", "S", "HOTPATTERN"});
  const TsSkinPictures Skin{&Tables, Master.View, {Pattern.View}, {Pattern.View}};
  TPaintSkinSection P;
  P.SkinIndex = In.Byte() % 2;
  P.SectionName = "S";
  P.CacheInfo = {Parent.View, In.Wide(), In.Wide(), In.Byte() & 1 ? clFuchsia : TColor(0x00123456), bool(In.Byte() & 1)};
  P.State = In.Byte() % 5 - 1;
  P.R = In.Rect();
  P.Offset = {In.Wide(), In.Wide()};
  P.Bmp = Target.View;
  P.TextureIndex = In.Byte() % 4 - 1;
  P.HotTextureIndex = In.Byte() % 4 - 1;
  P.FillColor = In.Byte() % 4 == 0 ? TColor(0x00654321) : clFuchsia;
  PaintSkinSection(Skin, P);
  PaintSkinSectionByIndex(Skin, P);
  return 0;
}
