// The copy of an owner's cache to a DC around its children, which paint themselves.
#include "skin/engine/sCommonData.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"

namespace {

// Clips DC to Dest, lets Exclude clip more, copies the cache part at Src to Dest and restores the DC.
template <class TExclude>
void CopyAround(const TsCacheCopy& C, TExclude Exclude) {
  if (C.SkinData == nullptr || !C.SkinData->CacheBmp) return;
  const int Saved = SaveDC(C.DC);
  IntersectClipRect(C.DC, C.Dest.left, C.Dest.top, C.Dest.right, C.Dest.bottom);
  Exclude();
  BitBlt(C.DC, C.Dest.left, C.Dest.top, C.Dest.right - C.Dest.left, C.Dest.bottom - C.Dest.top,
         C.SkinData->CacheBmp->Canvas()->Handle(), C.Src.x, C.Src.y, SRCCOPY);
  RestoreDC(C.DC, Saved);
}

void Exclude(HDC DC, TRect R, int OffsetX, int OffsetY) {
  OffsetRect(&R, OffsetX, OffsetY);
  ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
}

bool IsGroupBox(HWND Wnd) {
  char Name[16] = {};
  GetClassNameA(Wnd, Name, sizeof Name);
  return lstrcmpiA(Name, "Button") == 0 && (GetWindowLongA(Wnd, GWL_STYLE) & 0xF) == BS_GROUPBOX &&
         !(GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

// The frame of a group box at R: the band above as high as it tells, and the border widths of the
// border piece of the default manager's "GROUPBOX" section; nothing without them.
void ExcludeGroupBoxFrame(HDC DC, HWND Box, const TRect& R, int OffsetX, int OffsetY) {
  if (DefaultManager == nullptr) return;
  const int Section = DefaultManager->GetSkinIndex("GROUPBOX");
  if (!DefaultManager->IsValidSkinIndex(Section)) return;
  const int Mask = DefaultManager->Tables().Sections[size_t(Section)].BorderIndex;
  if (!DefaultManager->IsValidMaskIndex(Mask)) return;
  const TsMaskData& M = DefaultManager->Tables().Masks[size_t(Mask)];
  const int Band = int(SendSkinCmd(Box, SkinCmdGetTopBand, 0));
  Exclude(DC, Rect(R.left, R.top, R.right, R.top + Band), OffsetX, OffsetY);
  Exclude(DC, Rect(R.left, R.top + Band, R.left + M.WL, R.bottom), OffsetX, OffsetY);
  Exclude(DC, Rect(R.right - M.WR, R.top + Band, R.right, R.bottom), OffsetX, OffsetY);
  Exclude(DC, Rect(R.left + M.WL, R.bottom - M.WB, R.right - M.WR, R.bottom), OffsetX, OffsetY);
}

}  // namespace

void PaintCacheExcludingChildren(TWinControl* Control, const TsCacheCopy& C) {
  CopyAround(C, [&] {
    if (Control == nullptr) return;
    for (int I = 0; I < Control->ControlCount(); ++I) {
      TControl* Child = Control->Controls(I);
      if (Child == nullptr || !Child->Visible()) continue;
      TRect R = Child->BoundsRect(), Shifted = R, Cut;
      OffsetRect(&Shifted, C.OffsetX, C.OffsetY);
      if (!IntersectRect(&Cut, &Shifted, &C.Dest)) continue;
      if (dynamic_cast<TWinControl*>(Child) == nullptr || (Child->ControlStyle() & csOpaque))
        Exclude(C.DC, R, C.OffsetX, C.OffsetY);
    }
  });
}

void PaintCacheExcludingChildWindows(HWND Wnd, const TsCacheCopy& C) {
  CopyAround(C, [&] {
    for (HWND Child = GetWindow(Wnd, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(Child)) continue;
      RECT W;
      GetWindowRect(Child, &W);
      MapWindowPoints(nullptr, Wnd, reinterpret_cast<POINT*>(&W), 2);
      const TRect R = Rect(W.left, W.top, W.right, W.bottom);
      if (IsGroupBox(Child))
        ExcludeGroupBoxFrame(C.DC, Child, R, C.OffsetX, C.OffsetY);
      else
        Exclude(C.DC, R, C.OffsetX, C.OffsetY);
    }
  });
}
