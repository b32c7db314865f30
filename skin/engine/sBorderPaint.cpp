#include "skin/engine/sBorderPaint.h"

#include <algorithm>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sBorderMask.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinManager.h"

void PaintBorderMask(TBitmap* Bmp, HRGN Rgn, bool PaintCentre, int State, const TsPieceView& Piece) {
  std::vector<TPixelRect> Runs;
  PaintBorderMask(BitmapView(Bmp), Rgn ? &Runs : nullptr, PaintCentre, State, Piece);
  for (const TPixelRect& R : Runs) {
    HRGN Run = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    // Taken out, never toggled: a run outside the region must not be added to it.
    CombineRgn(Rgn, Rgn, Run, RGN_DIFF);
    DeleteObject(Run);
  }
}

void PaintControlFrame(const TsControlFrame& F, TRect& Content) {
  TsCommonData* D = F.SkinData;
  if (D == nullptr) return;
  const TColor C = ColorToRGB(D->GetBgColor(F.State, nullptr));
  const TsGeneralData* S = D->Section();
  const TsSkinManager* M = D->GetSkinManager();
  if (S == nullptr || !M->IsValidMaskIndex(D->BorderIndex)) {
    const int W = F.FillWidth;
    if (W > 0) FillDCBorder(F.DC, F.R, Rect(W, W, W, W), C);
    return;
  }
  TControl* Owner = D->OwnerControl;
  TsBackgroundInfo Bg;
  TsCacheView Parent;
  TPixelPoint At;
  if (Owner && Owner->Parent()) {
    QueryBackground(Bg, Owner->Parent(), false);
    At = {Owner->Left(), Owner->Top()};
  }
  D->InitCacheBitmap();
  const TPixelView Cache = BitmapView(D->CacheBmp.get());
  const TsMaskData& Mask = M->Tables().Masks[size_t(D->BorderIndex)];
  const TPixelRect R = PixelRect(F.R);
  TsCacheInfo Info = BgInfoToCacheInfo(Bg);
  if (Bg.BgType == 0) Info.FillColor = clFuchsia;
  const TsCacheView Behind = CacheView(Info);
  if (Mask.MaskType == 1) {
    if (Bg.BgType == 2)
      CopyParent(Cache, R, Behind, At);
    else
      FillRect32Frame(Cache, R, Mask.WL, Mask.WT, Mask.WR, Mask.WB, C);
  }
  TsCacheView Moved = Behind;
  Moved.X += At.X;
  Moved.Y += At.Y;
  const int State = std::max(0, std::min(F.State, S->States - 1));
  PaintMaskRect({Cache, R, Moved, PieceView(Mask), State, true});
  Content = Rect(F.R.left + Mask.WL, F.R.top + Mask.WT, F.R.right - Mask.WR, F.R.bottom - Mask.WB);
  if (F.FillWidth <= 0) return;
  const TPixelRect Depth = FrameFillDepths(R, F.FillWidth, Mask.WL, Mask.WT, Mask.WR, Mask.WB);
  FillRect32Frame(Cache, PixelRect(Content), Depth.Left, Depth.Top, Depth.Right, Depth.Bottom, C);
  const int W = F.FillWidth;
  Content = Rect(F.R.left + W, F.R.top + W, F.R.right - W, F.R.bottom - W);
  Content.right = std::max(Content.right, Content.left);
  Content.bottom = std::max(Content.bottom, Content.top);
  const HDC CacheDC = D->CacheBmp->Canvas()->Handle();
  if (F.DC == CacheDC) return;
  // A band deeper than half the frame would reach past R.
  const int Saved = SaveDC(F.DC);
  IntersectClipRect(F.DC, F.R.left, F.R.top, F.R.right, F.R.bottom);
  BitBltBorder({F.DC, F.R.left, F.R.top, F.R.right - F.R.left, F.R.bottom - F.R.top, CacheDC, F.R.left, F.R.top, W});
  RestoreDC(F.DC, Saved);
}
