#pragma once
// The text routines of skinned painting: measuring and drawing strings, the "..." shortening, texts in
// a section's colours with their one-pixel contours, and the blurred glow round a text. Rectangles are
// taken by reference and never changed.
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "skin/engine/sMaskData.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Canvas.h"

class TsCommonData;
class TsSkinManager;

// The contour sides in their drawing order (left, top, right, bottom), each drawn one pixel toward
// its side; a colour of -1 has no pass.
struct TsContourSide {
  TColor TsGenState::*Color;
  int Dx, Dy;
};
inline constexpr std::array<TsContourSide, 4> ContourSides{{{&TsGenState::TCLeft, -1, 0},
                                                            {&TsGenState::TCTop, 0, -1},
                                                            {&TsGenState::TCRight, 1, 0},
                                                            {&TsGenState::TCBottom, 0, 1}}};
// The valid state record for a state: 0 normal, any higher state the hot one.
const TsGenState& StateProps(const TsGeneralData& Section, int State);

// The text, or its longest prefix with "..." that fits Width on the canvas (empty when none does).
void EllipsisText(TCanvas* Canvas, const std::string& Text, int Width, std::string& Result);
// DrawTextA over the whole string into a copy of R; its answer.
int DrawTextStr(HDC DC, const std::string& Text, const TRect& R, UINT Flags);
// The text written with the canvas's font in Color over what is there (the DC's state is kept).
void DrawTextInColor(TCanvas* Canvas, const std::string& Text, const TRect& R, UINT Flags, TColor Color);
TSize TextExtentOf(TCanvas* Canvas, const std::string& Text);
void TextExtentTo(TCanvas* Canvas, const std::string& Text, TSize& Size);
// The canvas's text output at (X, Y) clipped to R.
void TextRectOf(TCanvas* Canvas, const TRect& R, int X, int Y, const std::string& Text);
// GetTextExtentPoint32A over the whole string; its answer.
bool TextExtentDC(HDC DC, const std::string& Text, TSize& Size);
// Measured on the screen's DC with the font; (0, 0) when it cannot be measured.
void TextSizeOfFont(HFONT Font, const std::string& Text, TSize& Size);
// The font's text-metric height plus 6.
int FontItemHeight(HFONT Font);

// The glow mask a caller keeps between calls of DrawGlowText: an 8-bit gray bitmap (white background,
// black ink, blurred) with what it was made of, so that it is rebuilt whenever any of that differs.
struct TsGlowMask {
  std::unique_ptr<TBitmap> Bmp;
  std::string Text;
  LOGFONTA Font{};
  UINT Flags = 0;
  int Sides = 0;
  int Size = 0;
};
// Side bits of a glow.
enum : int { gsLeft = 1, gsTop = 2, gsRight = 4, gsBottom = 8, gsAll = 15 };
// Blends a halo of GlowColor round the text (in the bitmap canvas's font, placed in R as DrawText
// places it) into a 32-bit bitmap: the text drawn once per side of Sides one pixel toward it and once
// in place, blurred with a deviation of GlowSize. The text itself is not drawn.
void DrawGlowText(TBitmap* Bmp, const std::string& Text, const TRect& R, TsGlowMask& Mask, TColor GlowColor,
                  int GlowSize, int Sides, UINT Flags);

// Writes the text in the colours of a section (SkinManager null: the default manager): enabled, the
// contour passes of the state and then its font colour; disabled, once in 40 % of the normal font
// colour over the section's colour. Nothing without text, manager or valid section. Answers 0.
int WriteTextBySection(TCanvas* Canvas, const std::string& Text, bool Enabled, TsSkinManager* SkinManager, int State,
                       int SkinIndex, UINT Flags, const TRect& R);

// Writes a control's caption in its section's colours for the state (0 normal, above 0 hot): a hot
// "WEBBUTTON" caption underlined; clipped to R with a clear brush; with an active skin and no own font
// colour, the glow into the control's cache, then the contour passes and the font colour (disabled:
// 40 % of the normal font colour over the skin's global colour), all turned by the skin data's hue and
// saturation, a transparent check or radio box, group box or window-less control taking the section
// that shows through it; without a skin the canvas font's colour, or the embossed look when disabled.
// Answers 0.
int WriteTextForControl(TCanvas* Canvas, const std::string& Text, bool Enabled, int State, TsCommonData* SkinData,
                        UINT Flags, const TRect& R);
