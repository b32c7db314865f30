#pragma once
// Skinned text on 32-bit bitmaps whose alpha must stay valid: the platform draws the text black on
// white into a bitmap of its own, which is mixed into the target as a coverage mask.
#include <windows.h>

#include <string>

#include "toolkit/graphics/Bitmap.h"

class TsSkinManager;

// The text in a section's colours (SkinManager null: the default manager): with Contours the contour
// passes of the state (hot with Hot when the section has states) and then its font colour; with an
// invalid section once in the colour of the bitmap canvas's font. PlainChars hands the text over up
// to its first NUL. Nothing for an empty text or rectangle or without a manager.
void DrawSkinText(TBitmap* Bmp, const std::string& Text, bool Contours, const TRect& R, UINT Flags, int SkinIndex,
                  bool Hot, TsSkinManager* SkinManager, bool PlainChars);
// One copy of the text in Color, drawn with the bitmap canvas's font into R as DrawText places it;
// only the pixels of R inside the bitmap are touched, each at alpha 255 where the text covers it.
void DrawTextMixed(TBitmap* Bmp, const std::string& Text, TColor Color, UINT Flags, const TRect& R);
