#pragma once
// Colour arithmetic of skin recolouring (hue and saturation in the HSV model), gray conversion of
// glyphs, the red-blue exchange of colour values and the pixels of the small drop-down arrow.
// Pure: no windows.h.
#include <cstdint>
#include <functional>

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
