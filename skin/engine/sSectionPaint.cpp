#include "skin/engine/sSectionPaint.h"

#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "toolkit/graphics/GdiHandle.h"

namespace {

using TSend = std::function<LRESULT(UINT, WPARAM, LPARAM)>;

// Asks through Send; answers the record's PleaseDraw from before the call, or -1 when answered.
int Ask(TsBackgroundInfo& Info, bool Draw, const TSend& Send) {
  const bool Kept = Info.PleaseDraw;
  Info.BgType = 0;
  Info.PleaseDraw = Draw;
  Send(SM_SKINCMD, SkinCmdWParam(SkinCmdGetBgInfo), reinterpret_cast<LPARAM>(&Info));
  return Info.BgType != 0 ? -1 : Kept;
}

// A receiver that does not answer paints its own background under the child's rectangle.
void PaintItself(TsBackgroundInfo& Info, const TSend& Send) {
  const int Saved = SaveDC(Info.DrawDC);
  SetViewportOrgEx(Info.DrawDC, -Info.Offset.x, -Info.Offset.y, nullptr);
  TRect R = Info.R;
  OffsetRect(&R, Info.Offset.x, Info.Offset.y);
  IntersectClipRect(Info.DrawDC, R.left, R.top, R.right, R.bottom);
  Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Info.DrawDC), 0);
  Send(WM_PAINT, reinterpret_cast<WPARAM>(Info.DrawDC), 0);
  RestoreDC(Info.DrawDC, Saved);
}

}  // namespace

bool QueryBackgroundByHandle(TsBackgroundInfo& Info, HWND Wnd, bool Draw) {
  const TSend Send = [Wnd](UINT M, WPARAM W, LPARAM L) { return SendMessageA(Wnd, M, W, L); };
  const int Kept = Ask(Info, Draw, Send);
  if (Kept < 0) return true;
  if (Kept) {
    PaintItself(Info, Send);
  } else {
    Info.Color = DefaultManager ? DefaultManager->GetGlobalColor() : clBtnFace;
    Info.BgType = 1;
  }
  return false;
}

bool QueryBackground(TsBackgroundInfo& Info, TControl* Control, bool Draw) {
  auto* Win = dynamic_cast<TWinControl*>(Control);
  const TSend Send = [Control, Win](UINT M, WPARAM W, LPARAM L) {
    return Win && Win->HandleAllocated() ? SendMessageA(Win->WindowHandle(), M, W, L) : Control->Perform(M, W, L);
  };
  const int Kept = Ask(Info, Draw, Send);
  if (Kept < 0) return true;
  if (Kept) {
    PaintItself(Info, Send);
    return false;
  }
  Info.BgType = 1;
  const LRESULT Answer = Send(SM_SKINCMD, SkinCmdWParam(SkinCmdGetColor), 0);
  Info.Color = Answer ? TColor(Answer) : ColorToRGB(Control->Color());
  if (Draw && Info.Bmp) {
    const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Info.Color))));
    FillRect(Info.DrawDC, &Info.R, Brush.get());
  }
  return false;
}

TsCacheInfo BgInfoToCacheInfo(const TsBackgroundInfo& Info) {
  if (Info.BgType == 2) return NewCacheInfo(Info.Bmp, Info.Offset.x, Info.Offset.y);
  TsCacheInfo C;
  C.X = Info.Offset.x;
  C.Y = Info.Offset.y;
  C.FillColor = ColorToRGB(Info.Color);
  return C;
}
