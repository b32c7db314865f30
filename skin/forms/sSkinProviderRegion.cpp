#include "skin/forms/sSkinProviderRegion.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinProviderUtils.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"

namespace {

// The width of the form's picture: its painted frame when there is one, else its window.
int PictureWidth(TsProviderLink& Provider) {
  if (TBitmap* Cache = Provider.CacheBitmap(); Cache && Cache->Width() > 0) return Cache->Width();
  return WindowWidth(Provider.Form()->Handle());
}

}  // namespace

bool IsBordered(TsProviderLink& Provider) {
  TCustomForm* Form = Provider.Form();
  return Form->BorderStyle() != bsNone || (GetWindowLongW(Form->Handle(), GWL_STYLE) & WS_CHILD) ||
         (Form->FormStyle() == fsMDIChild);
}

bool IsStdBorderStyle(TsProviderLink& Provider) {
  const TFormBorderStyle Style = Provider.Form()->BorderStyle();
  return Style == bsSingle || Style == bsSizeable;
}

bool HasMenuBar(TsProviderLink& Provider) {
  TCustomForm* Form = Provider.Form();
  return Form->Menu() && Form->Menu()->Items()->Count() > 0 && Form->FormStyle() != fsMDIChild &&
         Form->BorderStyle() != bsDialog;
}

void CollectRegionData(TsProviderLink& Provider, TProviderRegion& Region) {
  Region.Corners.clear();
  TsCommonData* Data = Provider.SkinData();
  TsSkinManager* Manager = Data ? Data->GetSkinManager() : nullptr;
  if (!Manager) return;
  const int Width = PictureWidth(Provider);
  const int Height = WindowHeight(Provider.Form()->Handle());
  if (Manager->IsValidMaskIndex(Data->BorderIndex)) {
    const TsPieceView Piece = PieceView(Manager->Tables().Masks[Data->BorderIndex]);
    CollectTransparentPixels(Region.Corners, Width, Piece, 0, false);
    CollectTransparentPixels(Region.Corners, Width, Piece, Height - Manager->MaskBorderBottom(Data->BorderIndex), true);
  }
  if (Manager->IsValidSkinIndex(Region.TitleIndex)) {
    const std::string& Title = Manager->Tables().Sections[Region.TitleIndex].ClassName;
    const int Mask = Manager->GetMaskIndex(Region.TitleIndex, Title, "BORDERSMASK");
    if (Manager->IsValidMaskIndex(Mask))
      CollectTransparentPixels(Region.Corners, Width, PieceView(Manager->Tables().Masks[Mask]), 0, false);
  }
}

HRGN CombineCornerRegions(TsProviderLink& Provider, const TProviderRegion& Region, int X, int Y) {
  HRGN Result = CreateRectRgn(X, Y, X + PictureWidth(Provider), Y + WindowHeight(Provider.Form()->Handle()));
  for (const TPixelRect& R : Region.Corners) {
    HRGN Corner = CreateRectRgn(X + R.Left, Y + R.Top, X + R.Right, Y + R.Bottom);
    CombineRgn(Result, Result, Corner, RGN_DIFF);
    DeleteObject(Corner);
  }
  return Result;
}

void UpdateRegion(TsProviderLink& Provider, TProviderRegion& Region, bool Repaint) {
  TCustomForm* Form = Provider.Form();
  if (!Provider.DrawFrame() || !Form->HandleAllocated() || Region.InUpdate) return;
  HWND Wnd = Form->Handle();
  if (!IsBordered(Provider) && !IsIconic(Wnd) && !HasThickFrame(Wnd)) return;
  if (!Region.QueryRegion && SendMessageW(Wnd, KeepOwnRegionQuery, KeepOwnRegionAnswer, 0) == LRESULT(KeepOwnRegionAnswer))
    return;
  Region.InUpdate = true;
  HRGN Rgn;
  const int W = WindowWidth(Wnd), H = WindowHeight(Wnd);
  if (TsBorderFormLink* Border = Provider.BorderForm()) {
    const int B = SysBorderWidth(Wnd, Border, false);
    Rgn = CreateRectRgn(B, B + SysCaptionHeight(Form), W - B, H - B);
  } else if (IsZoomed(Wnd) && Form->Constraints()->MaxWidth() == 0 && Form->Constraints()->MaxHeight() == 0 &&
             !(Form->FormStyle() == fsMDIChild)) {
    const int BX = SysBorderWidth(Wnd, nullptr, true), BY = SysBorderWidthNoExt(Wnd, nullptr, true);
    Rgn = CreateRectRgn(BX, BY, W - BX, H - BY);
  } else {
    Rgn = CombineCornerRegions(Provider, Region, 0, 0);
  }
  // The window owns the region from here on.
  SetWindowRgn(Wnd, Rgn, Repaint);
  Region.InUpdate = false;
}
