#pragma once
// The transparent-corner mark of a border piece, read from the pixels of its first state image.
// Pure: no windows.h.
#include "skin/engine/sMaskData.h"

// 1 when a key pixel (magenta, alpha not looked at) lies in one of the four corner areas of the
// piece's first state image (WL x WT, WR x WT, WL x WB, WR x WB), else 0. Image is the bitmap the
// piece is cut from; areas outside it are not read.
int16_t KeyCornerType(const TsMaskData& Mask, const TPixelView& Image);
