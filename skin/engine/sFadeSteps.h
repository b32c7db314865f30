#pragma once
// The arithmetic of a fade: the weight of the old image at a step, and the mix of the new image into
// the old one. Pure: no windows.h.
#include <cstdint>

#include "widgets/Bitmap32_Types.h"

// 255 - (Step * 256) div Iterations, kept to 0..255; Iterations must not be 0.
std::uint8_t FadeAlpha(int Step, int Iterations);
// Work = (Work * Alpha + Fresh * (255 - Alpha) + 127) >> 8 for every byte; nothing when the two
// differ in size or are less than 2 pixels wide or high.
void MixFadeFrame(const TPixelView& Work, const TPixelView& Fresh, std::uint8_t Alpha);
