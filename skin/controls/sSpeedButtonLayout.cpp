#include "skin/controls/sSpeedButtonLayout.h"

namespace {

bool HasGlyph(const TSpeedButtonLayoutInput& In) { return In.GlyphWidth > 0 && In.GlyphHeight > 0; }
int DropDownPart(const TSpeedButtonLayoutInput& In) { return In.DropDown ? SpeedDropDownWidth : 0; }

}  // namespace

int SpeedCaptionLimit(const TSpeedButtonLayoutInput& In) {
  if (!In.ShowsCaption) return 0;
  int W = In.Width - 2 * In.Margin - DropDownPart(In);
  if ((In.Layout == gpLeft || In.Layout == gpRight) && HasGlyph(In)) W -= In.GlyphWidth + In.Spacing;
  return W;
}

TGlyphButtonPlaces SpeedButtonLayout(const TSpeedButtonLayoutInput& In) {
  const int Dd = DropDownPart(In);
  const int W = In.Width - Dd, H = In.Height, Gw = In.GlyphWidth, Gh = In.GlyphHeight;
  const int Tw = In.TextWidth, Th = In.TextHeight;
  const int T = In.Margin < 0 ? 0 : In.Margin + 3;
  const int S = HasGlyph(In) && In.ShowsCaption ? In.Spacing : 0;
  const int Mh = (W - Gw - S - Tw) / 2 - T, Mv = (H - Gh - S - Th) / 2 - T;
  TPixelRect C;
  int Gx = 0, Gy = (H - Gh) / 2;
  switch (In.Layout) {
    case gpLeft:
      C.Top = (H - Th) / 2;
      C.Bottom = H - C.Top;
      if (In.Alignment == blockLeft) {
        C.Left = Gw + In.Margin + S;
        C.Right = W - T - 2 * Mh;
        Gx = T;
      } else if (In.Alignment == blockRight) {
        C.Left = T + 2 * Mh + Gw + S;
        C.Right = W - T;
        Gx = T + 2 * Mh;
      } else {
        C.Left = Gw + T + Mh + S;
        C.Right = W - T - Mh;
        Gx = T + Mh;
      }
      break;
    case gpRight:
      C.Top = (H - Th) / 2;
      C.Bottom = H - C.Top;
      C.Left = In.Alignment == blockLeft ? T : In.Alignment == blockRight ? T + 2 * Mh : T + Mh;
      C.Right = C.Left + Tw;
      Gx = In.Alignment == blockLeft ? C.Right + In.Spacing : In.Alignment == blockRight ? W - Gw - T : (W - Gw + S + Tw) / 2;
      break;
    case gpTop:
      C = MakeRect((W - Tw) / 2, Gh + T + Mv + S, 0, H - Mv - T);
      C.Right = In.Width - C.Left - Dd;
      Gx = (W - Gw) / 2 + 1;
      Gy = Mv + T;
      break;
    case gpBottom:
      C = MakeRect((W - Tw) / 2, T + Mv, 0, H - Mv - T - Gh - S);
      C.Right = In.Width - C.Left - Dd;
      Gx = (W - Gw) / 2 + 1;
      Gy = H - T - Mv - Gh;
      break;
  }
  C.Left += In.TextOffset - 1;
  C.Right += In.TextOffset + 2;
  const int Press = In.State == 2 ? 1 : 0;
  const int Rise = In.Reflected ? Gh / 6 : 0;
  return {MakeRect(Gx + Press, Gy + Press - Rise, Gx + Press + Gw, Gy + Press - Rise + Gh),
          MakeRect(C.Left + Press, C.Top + Press, C.Right + Press, C.Bottom + Press)};
}
