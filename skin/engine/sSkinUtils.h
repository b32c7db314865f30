#pragma once
// General routines of the skin library: rectangles, the record of a parent's background, files, icons,
// dialogs, system settings and the process facts. The pure ones live in sSkinNumbers, sSkinStrUtils,
// sIniText and sSkinProperties; this header gathers them.
#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/sIniText.h"
#include "skin/engine/sSkinNumbers.h"
#include "skin/engine/sSkinProperties.h"
#include "skin/engine/sSkinStrUtils.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Icon.h"
#include "toolkit/rtl/FileUtils.h"

// With Clamp a negative width (height) gives 0. A rectangle is made with the toolkit's Rect.
inline int RectWidth(const TRect& R, bool Clamp = false) {
  const int W = R.right - R.left;
  return Clamp && W < 0 ? 0 : W;
}
inline int RectHeight(const TRect& R, bool Clamp = false) {
  const int H = R.bottom - R.top;
  return Clamp && H < 0 ? 0 : H;
}
// False for rectangles that only touch and for an empty R2.
bool RectIntersects(const TRect& R1, const TRect& R2);
// Both corners of Inner in Outer, Outer's right and bottom edges counted as inside.
bool RectInsideRect(const TRect& Outer, const TRect& Inner);

// A parent's background handed to a painter: Bmp at offset (X, Y), or FillColor (clFuchsia: none).
struct TsCacheInfo {
  TBitmap* Bmp = nullptr;
  int X = 0, Y = 0;
  TColor FillColor = clFuchsia;
  bool Ready = false;
};
TsCacheInfo NewCacheInfo(TBitmap* Bmp, int X, int Y);

// The program file's folder with its final "\".
std::string AppPath();

inline int FindFirstEntry(const std::string& Path, int Attr, TSearchRec& F) { return FindFirst(Path, Attr, F); }
inline int FindNextEntry(TSearchRec& F) { return FindNext(F); }
inline void FindCloseEntry(TSearchRec& F) { FindClose(F); }
// The shell's icon of an existing file (Flags beside SHGFI_ICON); nullptr when there is none.
std::unique_ptr<TIcon> GetFileIcon(const std::string& FileName, UINT Flags);
// A modal error message with an OK button.
void ShowError(const std::string& Message);
// Returns once the engine's clock has advanced by Milliseconds, handling the application's messages
// at least once and again on every pass.
void DelayWithMessages(DWORD Milliseconds);

// lfHeight of the system caption font; 0 when it cannot be read.
int CaptionFontHeight();
// A new font of the system caption font (the caller owns it); 0 when it cannot be read.
HFONT CreateCaptionFont();
bool GetMinimizeAnimation();
// Not written to the user profile; the call's result.
bool SetMinimizeAnimation(bool On);
bool IsWinXPOrLater();
// True when IsDebuggerPresent is missing, else its answer.
bool DebuggerPresent();
// False when IsWow64Process is missing or fails.
bool IsWow64();
