// Painting controls with their children into bitmaps.
#include "skin/engine/sCtrlUtils.h"

#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinSeam.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/ui/ComCtrls.h"

namespace {

void FillColor(HDC DC, const TRect& R, TColor Color) {
  const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
  FillRect(DC, &R, Brush.get());
}

// The DC state is saved around the painting of one control at Origin.
void PaintTree(HDC DC, TControl* Control, TPoint Origin, TsProviderLink* Provider) {
  const int Saved = SaveDC(DC);
  SetViewportOrgEx(DC, Origin.x, Origin.y, nullptr);
  if (!Provider || !Provider->BorderForm()) IntersectClipRect(DC, 0, 0, Control->Width(), Control->Height());
  const LPARAM Flags = PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND;
  if (auto* Win = dynamic_cast<TWinControl*>(Control)) {
    const HWND Wnd = Win->Handle();
    if (QuerySkinCmd(Wnd, SkinCmdIsSkinned)) {
      SendSkinCmd(Wnd, SkinCmdSetPaintInfo, reinterpret_cast<LPARAM>(DC));
      SendMessageA(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(DC), Flags);
      SendSkinCmd(Wnd, SkinCmdSetPaintInfo, 0);
    } else {
      Win->PaintTo(DC, Origin.x, Origin.y);  // it sets the origin itself
    }
    for (int I = 0; I < Win->ControlCount(); ++I) {
      auto* Child = dynamic_cast<TWinControl*>(Win->Controls(I));
      if (!Child || !Child->Visible() || (dynamic_cast<TCustomForm*>(Child) && !Child->Parent())) continue;
      PaintTree(DC, Child, {Origin.x + Child->Left(), Origin.y + Child->Top()}, nullptr);
    }
  } else {
    Control->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdSetPaintInfo), reinterpret_cast<LPARAM>(DC));
    Control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(DC), Flags);
    Control->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdSetPaintInfo), 0);
  }
  RestoreDC(DC, Saved);
}

bool Qualifies(HDC DC, TControl* C) {
  if (dynamic_cast<TWinControl*>(C) || !C->Visible() || C->Width() < 1 || C->Height() < 1 ||
      (C->ComponentState() & csDestroying))
    return false;
  if (auto* Tool = dynamic_cast<TToolButton*>(C); Tool && int(Tool->Style()) < 3) return false;
  const TRect R = C->BoundsRect();
  return RectVisible(DC, &R);
}

bool PaintingChildren = false;

}  // namespace

void PaintControlToBitmap(TBitmap* Bmp, TControl* Control, int X, int Y, TsProviderLink* Provider) {
  TWinControl* Parent = Control->Parent();
  if (!Provider && Parent && !Control->Visible()) {
    TsBackgroundInfo Info;
    QueryBackground(Info, Parent, false);
    const HDC DC = Bmp->Canvas()->Handle();
    const TRect R = Bounds(X, Y, Control->Width(), Control->Height());
    if (Info.BgType == 2 && Info.Bmp)
      BitBlt(DC, X, Y, Control->Width(), Control->Height(), Info.Bmp->Canvas()->Handle(),
             Info.Offset.x + Control->Left(), Info.Offset.y + Control->Top(), SRCCOPY);
    else
      FillColor(DC, R, Info.Color);
    return;
  }
  PaintTree(Bmp->Canvas()->Handle(), Control, {X, Y}, Provider);
}

void PaintGraphicChildren(HDC DC, TWinControl* Control, bool CheckVisible, const TPoint& Offset) {
  if (PaintingChildren) return;
  if (CheckVisible && !Control->Visible()) return;
  if (Control->ControlCount() == 0) return;
  RECT Box;
  if (GetClipBox(DC, &Box) == NULLREGION || Box.right <= Box.left || Box.bottom <= Box.top) {
    if (Control->HandleAllocated()) SendSkinCmd(Control->WindowHandle(), SkinCmdSetClipped, 0);
    return;
  }
  PaintingChildren = true;
  struct TClear {
    ~TClear() { PaintingChildren = false; }
  } Clear;
  TsBackgroundInfo Bg;
  QueryBackground(Bg, Control, false);
  std::vector<TControl*> Children;
  for (int I = 0; I < Control->ControlCount(); ++I)
    if (Qualifies(DC, Control->Controls(I))) Children.push_back(Control->Controls(I));
  if (Children.empty()) return;
  auto Work = NewBitmap32(Control->Width(), Control->Height());
  const HDC Mem = Work->Canvas()->Handle();
  for (TControl* C : Children) {
    const TRect R = C->BoundsRect();
    if (C->ControlStyle() & csOpaque)
      FillColor(Mem, R, GetControlColor(C));
    else if (Bg.BgType == 2 && Bg.Bmp)
      BitBlt(Mem, R.left, R.top, C->Width(), C->Height(), Bg.Bmp->Canvas()->Handle(), Bg.Offset.x + R.left,
             Bg.Offset.y + R.top, SRCCOPY);
    else
      FillColor(Mem, R, Bg.Color);
  }
  for (TControl* C : Children) {
    const int Saved = SaveDC(Mem);
    const TRect R = C->BoundsRect();
    if (!RectVisible(DC, &R)) SendSkinCmdToControl(C, SkinCmdSetClipped, 0);
    SetViewportOrgEx(Mem, C->Left(), C->Top(), nullptr);
    IntersectClipRect(Mem, 0, 0, C->Width(), C->Height());
    const TControlState State = C->ControlState();
    if (Control->ControlState() & csPaintCopy) C->SetControlState(State | csPaintCopy);
    C->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Mem), 0);
    C->SetControlState(State);
    RestoreDC(Mem, Saved);
  }
  const TPixelView View = BitmapView(Work.get());
  for (TControl* C : Children) {
    if (C->Left() < 0 || C->Top() < 0 || C->Left() >= View.Width || C->Top() >= View.Height) continue;
    if ((uint32_t(*View.PixelPtr(C->Left(), C->Top())) & 0xFFFFFF) == 0xFF00FF) continue;
    BitBlt(DC, C->Left() + Offset.x, C->Top() + Offset.y, C->Width(), C->Height(), Mem, C->Left(), C->Top(), SRCCOPY);
  }
}
