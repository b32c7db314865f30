#pragma once
// The pixel loops of the alpha image list: alpha made from a key colour, and the 1-bit mask of an
// icon read from the alpha channel. Pure: no windows.h.
#include <cstdint>
#include <vector>

#include "widgets/Bitmap32_Types.h"

// True when some pixel's alpha byte is not 0.
bool HasAlpha(const TPixelView& Bmp);
// Pixels whose colour (alpha ignored) is Key get alpha 0, every other pixel alpha 255.
void SetAlphaExceptKey(const TPixelView& Bmp, TColor32 Key);
// A picture without any alpha is keyed by its bottom-left colour; one with alpha stays as it is.
void AddAlphaFromKey(const TPixelView& Bmp);
// The bits of a 1-bit mask for CreateBitmap (rows of whole 16-bit words, top row first): white
// (1) where the alpha is 0, black where it is not.
std::vector<uint8_t> AlphaMaskBits(const TPixelView& Bmp);
