// The corner and glyph routines for controls: their records and colours asked of the windows.
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sBorderCorners.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sGlyphEffects.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"

void PaintBorderCorners(TsCommonData* SkinData, int State) {
  if (SkinData == nullptr || !SkinData->CacheBmp || SkinData->OwnerControl == nullptr) return;
  const TsSkinManager* M = SkinData->GetSkinManager();
  if (M == nullptr || !M->IsValidMaskIndex(SkinData->BorderIndex)) return;
  const TsMaskData& Mask = M->Tables().Masks[size_t(SkinData->BorderIndex)];
  if (Mask.Manager == nullptr) return;
  TControl* C = SkinData->OwnerControl;
  TsBackgroundInfo Bg;
  auto* Win = dynamic_cast<TWinControl*>(C);
  if (C->Parent())
    QueryBackground(Bg, C->Parent(), false);
  else if (Win && Win->HandleAllocated() && GetParent(Win->WindowHandle()))
    QueryBackgroundByHandle(Bg, GetParent(Win->WindowHandle()), false);
  else
    return;
  TsCacheInfo Parent = BgInfoToCacheInfo(Bg);
  if (Bg.BgType == 2) {
    Parent.X += C->Left();
    Parent.Y += C->Top();
  }
  PaintBorderCorners(BitmapView(SkinData->CacheBmp.get()), C->Width(), C->Height(), PieceView(Mask), State,
                     CacheView(Parent));
}

void ApplyGlyphEffects(TBitmap* Bmp, int Effects, TControl* Control, const TsCacheInfo& Blend, TPoint Offset) {
  TsCacheView B = CacheView(Blend);
  if (B.FillColor != clFuchsia) B.FillColor = ColorToRGB(B.FillColor);
  ApplyGlyphEffects(BitmapView(Bmp), Effects, B, {int(Offset.x), int(Offset.y)},
                    [Control] { return GetControlColor(Control); });
}
