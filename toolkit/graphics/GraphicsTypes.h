#pragma once
// Rectangles, points and sizes are the Win32 records, so they go to GDI calls as they are.
#include <windows.h>

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) {
  return TRect{Left, Top, Left + Width, Top + Height};
}
inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }
