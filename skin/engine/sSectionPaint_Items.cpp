// A control's section painted from its skin data.
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSectionPaint.h"

namespace {

TSectionPaint SectionOf(const TsCommonData& D, const TsCacheInfo& CacheInfo, int State, TBitmap* Bmp, TPoint Offset,
                        const TRect& R) {
  TSectionPaint P;
  P.SkinIndex = D.SkinIndex;
  P.SectionName = D.SkinSection();
  P.CacheInfo = CacheInfo;
  P.State = State;
  P.R = R;
  P.Offset = Offset;
  P.Bmp = Bmp;
  P.Manager = D.GetSkinManager();
  P.TextureIndex = D.Texture;
  P.HotTextureIndex = D.HotTexture;
  P.FillColor = D.CustomColor() ? ColorToRGB(D.OwnColor()) : clFuchsia;
  return P;
}

}  // namespace

void PaintControlBackground(const TsItemPaint& I) {
  if (I.SkinData) PaintSkinSection(SectionOf(*I.SkinData, I.CacheInfo, I.State, I.Bmp, I.Offset, I.R));
}

void PaintSkinnedItem(const TsItemPaint& I) {
  if (I.SkinData == nullptr) return;
  PaintSectionItem(SectionOf(*I.SkinData, I.CacheInfo, I.State, I.Bmp, I.Offset, I.R),
                   {false, true, I.SkinData->HUEOffset(), I.SkinData->Saturation()});
}

void PaintItemWithParentBg(const TsParentItemPaint& I) {
  if (I.SkinData == nullptr || I.Bmp == nullptr) return;
  TsCacheInfo Parent;
  if (I.Parent) {
    TsBackgroundInfo Bg;
    QueryBackground(Bg, I.Parent, false);
    Parent = BgInfoToCacheInfo(Bg);
  }
  PaintSectionItem(SectionOf(*I.SkinData, Parent, I.State, I.Bmp, I.Offset, I.R), {true, I.UseParentBg, 0, 0});
}
