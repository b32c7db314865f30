#pragma once
// The four border strips (left, top, right, bottom) of one state image of a border piece laid over a
// window's picture, so that a frame drawn by other means gets the skin's border. Pure: no windows.h.
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinPixels.h"

struct TBorderStrips {
  // The window's picture (the adapter's cache), as large as the window.
  TPixelView Cache;
  // The piece and the image it is cut from.
  const TsMaskData* Mask = nullptr;
  TPixelView Image;
  // Whether the piece has its own image: with an image count of 0 it counts as three images covering it.
  bool OwnImage = false;
  int State = 0;
  // The parent's background under the window: a picture at its offset, or a colour.
  TsCacheView Background;
  TColor Key = clFuchsia;
};
void PaintBorderStrips(const TBorderStrips& S);
