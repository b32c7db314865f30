// The colour panel: a skinned panel with a grid of colour swatches, one of them selected.
#include "skin/controls/sPanel.h"

#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/graphics/GdiHandle.h"

namespace {

TRect ToRect(const TPixelRect& R) { return Rect(R.Left, R.Top, R.Right, R.Bottom); }

void FrameIn(HDC DC, TRect R, int Grow, TColor Color) {
  InflateRect(&R, Grow, Grow);
  const detail::GdiObject<HBRUSH> Brush(CreateSolidBrush(COLORREF(ColorToRGB(Color))));
  FrameRect(DC, &R, Brush.get());
}

}  // namespace

TsColorsPanel::TsColorsPanel(TComponent* AOwner) : TsPanel(AOwner) {
  SetCaption(" ");
  SetBounds(Left(), Top(), 140, 60);
  GenerateColors();
}

void TsColorsPanel::Loaded() {
  TsPanel::Loaded();
  GenerateColors();
}

void TsColorsPanel::GenerateColors() { FItems = BuildColorSwatches(*FColors, FGrid, FItemIndex); }

void TsColorsPanel::GridChanged(int TColorSwatchGrid::*Field, int Value) {
  FGrid.*Field = Value;
  GenerateColors();
  SkinData()->Invalidate();
}

void TsColorsPanel::SetColors(const TStrings* Value) {
  FColors->Assign(Value);
  GenerateColors();
  SkinData()->Invalidate();
}
void TsColorsPanel::SetColCount(int Value) { GridChanged(&TColorSwatchGrid::ColCount, Value); }
void TsColorsPanel::SetRowCount(int Value) { GridChanged(&TColorSwatchGrid::RowCount, Value); }
void TsColorsPanel::SetItemWidth(int Value) { GridChanged(&TColorSwatchGrid::ItemWidth, Value); }
void TsColorsPanel::SetItemHeight(int Value) { GridChanged(&TColorSwatchGrid::ItemHeight, Value); }
void TsColorsPanel::SetItemMargin(int Value) { GridChanged(&TColorSwatchGrid::ItemMargin, Value); }

int TsColorsPanel::GetItemByCoord(int X, int Y) const {
  return SwatchAt(FItems, FColors->Count(), FGrid.ItemMargin, X, Y);
}

void TsColorsPanel::SetItemIndex(int Value) {
  if (FItemIndex > FColors->Count() - 1) FItemIndex = -1;
  // Only an item of the grid can be flagged.
  Value = ValidSwatchIndex(Value, int(FItems.size()));
  if (Value == FItemIndex) return;
  if (FItemIndex >= 0 && FItemIndex < int(FItems.size())) FItems[FItemIndex].Selected = false;
  FItemIndex = Value;
  if (Value >= 0) FItems[Value].Selected = true;
  if (OnChange) OnChange(this);
  Repaint();
}

void TsColorsPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TsPanel::MouseDown(Button, Shift, X, Y);
  if (CanFocus()) SetFocus();
  SetItemIndex(GetItemByCoord(X, Y));
}

void TsColorsPanel::WndProc(TMessage& Message) {
  TsPanel::WndProc(Message);
  if ((Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) && FItemIndex >= 0) Repaint();
}

void TsColorsPanel::PaintSwatches(HDC DC) {
  for (const TColorSwatch& S : FItems) FillDC(DC, ToRect(S.R), S.Color);
}

void TsColorsPanel::PaintSelection(HDC DC) {
  if (FItemIndex < 0 || FItemIndex >= int(FItems.size()) || OnPaint) return;
  const TRect R = ToRect(FItems[FItemIndex].R);
  FrameIn(DC, R, 1, clWhite);
  FrameIn(DC, R, 2, clBlack);
  if (Focused()) {
    TRect F = R;
    InflateRect(&F, 4, 4);
    DrawFocusRect(DC, &F);
  }
}

void TsColorsPanel::PaintToDC(HDC DC, bool TellChildren) {
  if ((ComponentState() & csDestroying) || (Parent() && (Parent()->ControlState() & csCreating))) return;
  TsCtrlSkinData& D = *SkinData();
  const TTargetDC Target(this, DC);
  DC = Target.Get();
  if (D.IsSkinActive()) {
    D.Updating = D.IsUpdating();
    if (D.Updating) return;
    D.InitCacheBitmap();
    const TRect Client = Parent() ? Parent()->ClientRect() : Rect(0, 0, 0, 0);
    const POINT TopLeft{Left(), Top()}, BottomRight{Left() + Width(), Top() + Height()};
    D.Clipped = !PtInRect(&Client, TopLeft) || !PtInRect(&Client, BottomRight);
    TsItemPaint P;
    P.SkinData = &D;
    D.GetParentBgInfo(P.CacheInfo);
    P.Bmp = D.CacheBmp.get();
    P.Offset = Point(Left(), Top());
    P.R = Rect(0, 0, Width(), Height());
    PaintSkinnedItem(P);
    D.BGChanged = false;
    if (OnPaint)
      OnPaint(this, D.CacheBmp->Canvas());
    else
      PaintSwatches(D.CacheBmp->Canvas()->Handle());
    TsCacheCopy Copy;
    Copy.SkinData = &D;
    Copy.DC = DC;
    Copy.Dest = Rect(0, 0, Width(), Height());
    PaintCacheExcludingChildren(this, Copy);
    PaintGraphicChildren(DC, this, true, Point(0, 0));
    if (TellChildren) NotifyChildrenUpdateFinished(this);
  } else {
    {
      detail::CanvasOnDC OnDC(*Canvas(), DC);
      TPanel::Paint();
    }
    if (HandleAllocated()) SendMessageA(WindowHandle(), WM_NCPAINT, 1, 0);
    if (!OnPaint) PaintSwatches(DC);
  }
  PaintSelection(DC);
}

void TsColorsPanel::GetPublishedProperties(TPropList& List) const {
  TsPanel::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      OrdProperty<TsColorsPanel>("ColCount", &TsColorsPanel::ColCount, &TsColorsPanel::SetColCount),
      OrdProperty<TsColorsPanel>("RowCount", &TsColorsPanel::RowCount, &TsColorsPanel::SetRowCount),
      OrdProperty<TsColorsPanel>("ItemWidth", &TsColorsPanel::ItemWidth, &TsColorsPanel::SetItemWidth),
      OrdProperty<TsColorsPanel>("ItemHeight", &TsColorsPanel::ItemHeight, &TsColorsPanel::SetItemHeight),
      OrdProperty<TsColorsPanel>("ItemMargin", &TsColorsPanel::ItemMargin, &TsColorsPanel::SetItemMargin),
      OrdProperty<TsColorsPanel>("ItemIndex", &TsColorsPanel::ItemIndex, &TsColorsPanel::SetItemIndex),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}
