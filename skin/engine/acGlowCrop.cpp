#include "skin/engine/acGlowCrop.h"

TGlowCrop GlowCrop(const TPixelRect& R, const TPixelRect& Clip, int L, int T, int Rw, int B, int Margin) {
  TGlowCrop C;
  const int RW = R.Right - R.Left, RH = R.Bottom - R.Top;
  const int CW = Clip.Right - Clip.Left, CH = Clip.Bottom - Clip.Top;
  // Wholly clipped away: no glow at all.
  if (CW <= 0 || CH <= 0) return C;
  C.ImageWidth = C.Width = RW + L + Rw - 2 * Margin;
  C.ImageHeight = C.Height = RH + T + B - 2 * Margin;
  if (CW != RW || CH != RH) {
    C.XL = Clip.Left != 0 ? L + Clip.Left - Margin : 0;
    C.XT = Clip.Top != 0 ? T + Clip.Top - Margin : 0;
    C.XR = RW == Clip.Right ? 0 : C.XL != 0 ? C.ImageWidth - C.XL - CW : RW - CW + Rw - Margin;
    C.XB = RH == Clip.Bottom ? 0 : C.XT != 0 ? C.ImageHeight - C.XT - CH : RH - CH + B - Margin;
    C.Width -= C.XL + C.XR;
    C.Height -= C.XT + C.XB;
  }
  C.X = R.Left - L + Margin + C.XL;
  C.Y = R.Top - T + Margin + C.XT;
  return C;
}
