#pragma once
// The pixel loops of the engine's 32-bit painting: pixel accessors, rectangle fills, alpha and colour
// mixing and the copy of a parent's background into key-coloured pixels. Every loop clips to its views.
// Pure: no windows.h.
#include <cstdint>

#include "skin/engine/sMaskData.h"
#include "toolkit/graphics/Colors.h"
#include "widgets/Bitmap32_Types.h"

// The key of absent pixels in skin images: magenta, the same value in colour and pixel order.
inline constexpr TColor32 KeyPixel = 0x00FF00FF;

// Bytes 0 and 2 exchanged, byte 3 kept: turns colour order (red in byte 0) into pixel order and back.
constexpr uint32_t SwapRB32(uint32_t Value) {
  return (Value & 0xFF00FF00u) | ((Value & 0xFFu) << 16) | ((Value >> 16) & 0xFFu);
}
constexpr uint32_t ColorToBGRA(uint32_t Value) { return SwapRB32(Value); }

struct TPixelPoint {
  int X = 0, Y = 0;
};

// Reads and writes pixels of one view in colour order (byte 3 is the alpha).
class TacFast32 {
 public:
  TPixelView View;
  int Width = 0, Height = 0;

  // Refuses views less than 2 rows high or without columns (Width then 0).
  bool Attach(const TPixelView& Bmp);
  TColor GetPixel(int X, int Y) const { return TColor(SwapRB32(*View.PixelPtr(X, Y))); }
  void SetPixel(int X, int Y, TColor Color) { *View.PixelPtr(X, Y) = SwapRB32(uint32_t(Color)); }
  // Fills R with Pixel (pixel order) at alpha 255.
  void FillRect(const TPixelRect& R, TColor32 Pixel);
};

// Mixes a source view into a destination view by a constant weight, byte by byte.
class TacFastSum32 {
 public:
  TPixelView Src, Dst;
  int Width = 0, Height = 0;
  // Weight of the destination's own bytes.
  uint8_t Alpha = 0;
  // The area of Dst to mix; SrcRect's Left and Bottom place the source under it.
  TPixelRect DstRect, SrcRect;

  // Refuses views less than 2 pixels wide or high.
  bool Attach(const TPixelView& ASrc, const TPixelView& ADst);
  // dst = (dst * Alpha + src * (255 - Alpha) + 127) >> 8 for all four bytes of every pixel.
  void BlendBytes();
};

// R filled with Color (colour order) at alpha 255.
void FillRect32(const TPixelView& Bmp, const TPixelRect& R, TColor Color);
// The four strips of R of the given depths: top, left, bottom, right.
void FillRect32Frame(const TPixelView& Bmp, const TPixelRect& R, int Left, int Top, int Right, int Bottom,
                     TColor Color);
// The alpha byte of R's pixels set to Alpha; with SkipKey, pixels equal to KeyPixel stay.
void FillAlphaRect(const TPixelView& Bmp, const TPixelRect& R, uint8_t Alpha, bool SkipKey);
// Each colour byte of R's pixels becomes round(pixel * Percent / 100 + colour * (1 - Percent / 100)),
// ties to even; Rgb is a plain colour (colour order).
void BlendRectWithColor(const TPixelView& Bmp, const TPixelRect& R, uint8_t Percent, TColor Rgb);

// Dst's pixels at R.TopLeft + (c, r) take Src's at SrcPt + (c, r) where the test pixel (alpha ignored)
// is the key; c and r run while inside R, Src and every view. Without a piece (Mask null) the test
// pixel is Dst's own; else it is read from Image (the piece's own image or the skin's master image)
// at the corner's origin in the piece: 14 top right, 16 bottom left, 17 bottom right, any other
// code top left.
void FillCornerTransparency(const TPixelView& Dst, const TPixelView& Src, const TPixelRect& R, TPixelPoint SrcPt,
                            const TsMaskData* Mask, const TPixelView& Image, int Corner);
