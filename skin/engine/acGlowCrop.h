#pragma once
// Where a glow window goes and which part of its image shows, for a control of which only a part
// is visible. Pure: no windows.h.
#include "widgets/Bitmap32_Types.h"

struct TGlowCrop {
  // The whole glow image.
  int ImageWidth = 0, ImageHeight = 0;
  // Cut from each side.
  int XL = 0, XT = 0, XR = 0, XB = 0;
  // The window: its size and screen position.
  int Width = 0, Height = 0, X = 0, Y = 0;
  // Nothing of the glow is left to show.
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

// R: the control in screen coordinates; Clip: its visible part in its own coordinates; L, T, Rw, B:
// the glow piece's border widths; Margin: how far the image reaches inside R.
TGlowCrop GlowCrop(const TPixelRect& R, const TPixelRect& Clip, int L, int T, int Rw, int B, int Margin);
