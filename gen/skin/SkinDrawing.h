#pragma once
// Drawing of skin pictures on 32-bit pixels: faces, frames, vertical gradients and the small glyphs
// of check boxes, radio buttons, caption buttons, arrows and grips. Pure: no windows.h.
#include <cstdint>

#include "widgets/Bitmap32_Types.h"

// An opaque pixel of red, green and blue.
constexpr TColor32 Px(uint8_t R, uint8_t G, uint8_t B) {
  return 0xFF000000u | uint32_t(R) << 16 | uint32_t(G) << 8 | B;
}
// The key of absent pixels.
inline constexpr TColor32 KeyPx = 0xFFFF00FF;

// Every routine keeps to the view.
void FillArea(const TPixelView& View, const TPixelRect& R, TColor32 Color);
// A one-pixel outline along the inside of R.
void FrameArea(const TPixelView& View, const TPixelRect& R, TColor32 Color);
// Rows from Top's colour down to Bottom's, each channel stepped evenly (ties rounded down).
void VerticalGradient(const TPixelView& View, const TPixelRect& R, TColor32 Top, TColor32 Bottom);

enum class TGlyph { None, Box, Check, Gray, Radio, RadioDot, RadioGray, Close, Maximize, Minimize, Restore, Help,
                    ArrowUp, ArrowDown, ArrowLeft, ArrowRight, Grip, Tick, Thumb };
// The glyph drawn in Ink inside the cell R (its frame and fill, for boxes and radios, in Ink too).
void DrawGlyph(const TPixelView& View, const TPixelRect& R, TGlyph Glyph, TColor32 Ink);
