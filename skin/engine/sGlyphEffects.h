#pragma once
// The disabled look of a control's image. Pure: no windows.h.
#include <functional>

#include "skin/engine/sSkinPixels.h"

// Effects bits.
constexpr int GlyphBlended = 1;
constexpr int GlyphGrayed = 2;

// GlyphGrayed turns Bmp gray first. GlyphBlended then mixes it: with a ready Blend, 0.4 of Bmp over
// Blend's picture at its offset moved by Offset (key pixels of the picture skipped); else halfway
// toward Blend's fill colour, or, when that is the key, toward ControlColor's answer (plain colours).
void ApplyGlyphEffects(const TPixelView& Bmp, int Effects, const TsCacheView& Blend, TPixelPoint Offset,
                       const std::function<TColor()>& ControlColor);
