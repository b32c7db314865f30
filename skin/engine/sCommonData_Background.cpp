// The background an owner shows its children: its colour, the record it fills for a child, and
// the background of its own parent.
#include "skin/engine/sCommonData.h"

#include "skin/engine/sCommonDataRules.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/ui/Forms.h"

TColor TsCommonData::GetBgColor(int Hot, HWND Wnd) {
  TsBgColorQuery Q;
  Q.Section = IsSkinActive() ? Section() : nullptr;
  Q.CustomColor = FCustomColor;
  Q.OwnColor = OwnColor();
  Q.Hot = Hot;
  if (OwnerControl) {
    TWinControl* Parent = OwnerControl->Parent();
    Q.ParentColor = [Parent] { return GetControlColor(Parent); };
  } else if (Wnd) {
    Q.ParentColor = [Wnd] { return GetWindowColor(GetParent(Wnd)); };
  }
  return BackgroundColor(Q);
}

void TsCommonData::DrawCache(const TsBackgroundInfo& Info) const {
  const HDC Src = CacheBmp->Canvas()->Handle();
  BitBlt(Info.DrawDC, Info.R.left, Info.R.top, Info.R.right - Info.R.left, Info.R.bottom - Info.R.top, Src,
         Info.Offset.x, Info.Offset.y, SRCCOPY);
}

void TsCommonData::FillBackgroundInfo(TsBackgroundInfo& Info, bool Hot, HWND Wnd) {
  if (!IsSkinActive() || FCustomColor) {
    Info.BgType = 1;
    Info.Color = OwnColor();
    return;
  }
  const TsGeneralData& S = *Section();
  const int T = Hot ? S.HotTransparency : S.Transparency;
  const int G = Hot ? S.HotGradientPercent : S.GradientPercent;
  const int I = Hot ? S.HotImagePercent : S.ImagePercent;
  // A BgType 2 answer: the cache, drawn at once when asked (the requester's offset kept), else at (0, 0).
  auto AnswerCache = [&] {
    Info.BgType = 2;
    Info.Bmp = CacheBmp.get();
    if (Info.PleaseDraw) return DrawCache(Info);
    Info.Offset = {0, 0};
  };
  if (T == 0 && G < 1 && I < 1) {
    Info.BgType = 1;
    Info.Bmp = CacheBmp.get();
    Info.Color = GetBgColor(Hot, nullptr);
    if (Info.PleaseDraw) {
      const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Info.Color))));
      FillRect(Info.DrawDC, &Info.R, Brush.get());
    }
    return;
  }
  if (T != 100) {
    if (T == 0) Info.Color = GetSkinManager()->GetGlobalColor();
    if (CacheBmp) return AnswerCache();
    Info.Color = clFuchsia;
    Info.BgType = 1;
    return;
  }
  if (!(CtrlState & CtrlStaticBg) && CacheBmp && !BGChanged) return AnswerCache();
  TControl* Parent = OwnerControl ? OwnerControl->Parent() : nullptr;
  TControl* Shifted = OwnerControl;
  if (!OwnerControl)
    if (TsProviderLink* P = Provider(); P && P->Form()) {
      Parent = P->Form()->Parent();
      Shifted = P->Form();
    }
  if (Parent) {
    QueryBackground(Info, Parent, Info.PleaseDraw);
    if (Info.BgType == 2) {
      Info.Offset.x += Shifted->Left();
      Info.Offset.y += Shifted->Top();
    }
  } else if (!Wnd) {
    Info.BgType = 1;
    Info.Color = DefaultManager ? DefaultManager->GetGlobalColor() : clBtnFace;
  } else {
    const HWND ParentWnd = GetParent(Wnd);
    QueryBackgroundByHandle(Info, ParentWnd, Info.PleaseDraw);
    RECT R;
    GetWindowRect(Wnd, &R);
    POINT P{R.left, R.top};
    ScreenToClient(ParentWnd, &P);
    Info.Offset.x += P.x;
    Info.Offset.y += P.y;
  }
}

void TsCommonData::GetParentBgInfo(TsCacheInfo& Info) {
  TsBackgroundInfo Bg;
  auto* Win = dynamic_cast<TWinControl*>(OwnerControl);
  if (IsSkinActive() && OwnerControl && OwnerControl->Parent()) {
    QueryBackground(Bg, OwnerControl->Parent(), false);
  } else if (IsSkinActive() && Win && Win->HandleAllocated() && GetParent(Win->WindowHandle())) {
    QueryBackgroundByHandle(Bg, GetParent(Win->WindowHandle()), false);
  } else {
    Info = TsCacheInfo{};
    Info.FillColor = GetBgColor(0, nullptr);
    return;
  }
  Info = BgInfoToCacheInfo(Bg);
}

void GetWindowParentBgInfo(HWND Wnd, TsCacheInfo& Info) {
  const HWND Parent = GetParent(Wnd);
  if (!Parent) {
    Info = EmptyCacheInfo;
    return;
  }
  TsBackgroundInfo Bg;
  QueryBackgroundByHandle(Bg, Parent, false);
  Info = BgInfoToCacheInfo(Bg);
}
