#pragma once
// Colour arithmetic of skin recolouring (hue and saturation in the HSV model), gray conversion of
// glyphs, the red-blue exchange of colour values, the pixels of the small drop-down arrow, and the
// blending, fading and keyed copies under skinned painting. Pure: no windows.h.
#include <cstdint>
#include <functional>

#include "skin/engine/sAlphaPixels.h"

#include "toolkit/graphics/Colors.h"
#include "widgets/Bitmap32_Types.h"

// Each colour byte c becomes clamp(round(c + (c - avg) * Delta / 100)), avg the mean of the three;
// byte 3 kept. Works the same on both byte orders.
uint32_t ChangeColorSaturation(int Delta, uint32_t Pixel);
TColor ChangeSaturation(TColor Color, int Delta);
// Hue of a pixel (pixel order) turned by Delta degrees; grays stay; byte 3 kept.
uint32_t ChangePixelHue(int Delta, uint32_t Pixel);
// The same for a colour value (colour order).
TColor ChangeColorHue(int Delta, TColor Color);
// (C shr 16) + ((C mod 256) shl 16) + (((C shr 8) and 255) shl 8): red and blue exchanged.
TColor SwapRedBlue(TColor C);

// Every pixel's colour bytes become (red + green + blue) div 3; alpha kept.
void GrayscaleBitmap(const TPixelView& Bmp);
// The same, leaving the pixels equal to Key put into pixel order.
void GrayscaleBitmapExcept(const TPixelView& Bmp, TColor Key);

// The pixels of a small triangle centred in R: Direction 4 points right (4 x 7), 8 points down (8 x 4);
// other directions have none.
void ArrowPixels(const TPixelRect& R, int Direction, const std::function<void(int X, int Y)>& Plot);

// ---- Blending, fading and keyed copies of 32-bit pixels. Every routine clips to all its views.

// A parent's background as pixels: Bmp read at offset (X, Y) plus the target position when Ready, or
// FillColor (colour order; clFuchsia for none).
struct TsCacheView {
  TPixelView Bmp;
  int X = 0, Y = 0;
  TColor FillColor = clFuchsia;
  bool Ready = false;
};

// The tint that leaves colours as they are.
inline constexpr TColor TintNone = TColor(0x1FFFFFFF);

// Every pixel that is neither the key (by its colour bytes, whatever its alpha) nor gray turned by Delta degrees.
void ChangeBitmapHue(const TPixelView& Bmp, int Delta);
void ChangeBitmapSaturation(const TPixelView& Bmp, int Delta);
// SrcRect of Src onto Dst at (X, Y): each colour byte of a pixel that is not Key becomes
// round(src * (1 - F) + dst * F); the alpha stays.
void BlendBitmaps(const TPixelView& Dst, int X, int Y, const TPixelView& Src, TPixelRect SrcRect, double F,
                  TColor Key);
// Colour bytes of pixels other than the key become round((c - Color's) * F + Color's).
void FadeBitmapToColor(const TPixelView& Bmp, TColor Color, double F);
// TacFastSum32 over the whole of two views of one size, Weight being the destination's.
void SumBitmaps(const TPixelView& Dst, const TPixelView& Src, uint8_t Weight);
// SrcRect of Src summed onto Dst at Pt; parts left of or above either view are cut from both.
void SumBitmapsRect(const TPixelView& Dst, const TPixelView& Src, uint8_t Weight, TPixelPoint Pt, TPixelRect SrcRect);
// Views of one size: colour bytes become ((dst - c) * src + c * 256) div 256, c from C (colour order).
void MultiplyBitmaps(const TPixelView& Dst, const TPixelView& Src, TColor C);
// Views of one size: every byte becomes ((a - b) * W + b * 256) div 256, W in 0..256; with a Mask
// (not empty) the weight of each byte is the mask's byte.
void MixBitmaps(const TPixelView& Out, const TPixelView& A, const TPixelView& B, int W, const TPixelView& Mask);
// Per colour byte round(c1 * F + c2 * (1 - F)); byte 3 of C1 kept.
TColor BlendColors(TColor C1, TColor C2, double F);

// A source rectangle drawn into a target rectangle over a parent's background.
struct TPieceDraw {
  TPixelRect DstRect, SrcRect;
  TPixelView Dst;
  // Key pixels of the source take the background (when Ready) instead of leaving the target alone.
  bool FillFromBackground = false;
  TsCacheView Background;
  TPixelView Src;
};
// Per-pixel alpha: each colour byte d becomes (d * 256 + (s - d) * A) div 256 and the alpha grows by
// (255 - alpha) * A div 255. With a ready background key pixels are not drawn but, with
// FillFromBackground, take the background's pixel at alpha 255. The rectangles are cut to their
// common size and to both views.
void DrawAlphaGlyph(const TPieceDraw& D);
// DrawAlphaGlyph with each source alpha taken * (100 - BlendPercent) div 100, with the sources first
// made gray ((r + g + b) div 3) and scaled by the Tint's bytes / 255 unless Tint is TintNone, and,
// when Reflected, the source mirrored below DstRect over half its height, its alpha falling from
// half to nothing. A source rectangle of another size is resized to the target's first.
struct TStretchDrawAlpha : TPieceDraw {
  int BlendPercent = 0;
  TColor Tint = TintNone;
  bool Reflected = false;
};
void StretchDrawAlpha(const TStretchDrawAlpha& D);

// Src at (X, Y) of Dst, pixels whose colour is Key (colour order) skipped, the others at alpha 255.
void CopyBitmapTransparent(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TColor Key);
// SrcRect of Src at Pt of Dst at alpha 255; key-coloured pixels take the background's fill colour,
// else its pixel when Ready, else stay.
void CopyTransparentRect(const TPixelView& Dst, const TPixelView& Src, TPixelRect SrcRect, TColor Key,
                         TPixelPoint Pt, const TsCacheView& Bg);
// The same copy for a part of an image piece: rectangles cut to their common size and both views;
// key pixels take the background only with FillFromBackground.
void CopyPieceRect(const TPieceDraw& D);
// SrcRect of Src at (X, Y) of Dst as it is, skipping pixels whose colour bytes equal Key's bytes
// (compared without turning Key into pixel order).
void CopyRectKeyed(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TPixelRect SrcRect, TColor Key);
