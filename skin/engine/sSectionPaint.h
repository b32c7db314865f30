#pragma once
// Parent backgrounds: the record a parent fills for a child asking for its background, the asking
// itself (by control or by window), and its conversion into the painters' cache record.
#include <windows.h>

#include <cstdint>

#include "skin/engine/sSkinUtils.h"
#include "toolkit/graphics/Colors.h"
#include "toolkit/ui/Controls.h"

class TBitmap;

// BgType: 0 not answered, 1 plain colour, 2 the parent's cache bitmap at Offset.
struct TsBackgroundInfo {
  TBitmap* Bmp = nullptr;
  TColor Color = 0;
  TPoint Offset{0, 0};
  // The child's rectangle (in DrawDC when PleaseDraw).
  TRect R{0, 0, 0, 0};
  std::uint8_t BgType = 0;
  bool PleaseDraw = false;
  HDC DrawDC = nullptr;
};

// Asks the window for its background with SkinCmdGetBgInfo; true when it answered. A window that
// does not answer paints itself into DrawDC when the record asked for drawing before the call, else
// the answer is the default manager's global colour.
bool QueryBackgroundByHandle(TsBackgroundInfo& Info, HWND Wnd, bool Draw);
// The same for a control (by its window when it has one, else through Perform); a control that does
// not answer gives its colour.
bool QueryBackground(TsBackgroundInfo& Info, TControl* Control, bool Draw);
// The cache bitmap at its offset for BgType 2, else the plain colour as RGB.
TsCacheInfo BgInfoToCacheInfo(const TsBackgroundInfo& Info);
