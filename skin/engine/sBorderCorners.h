#pragma once
// The parent's background put into the key-coloured corner pixels of a control's cache, as the
// corners of its border piece's state image show them. Pure: no windows.h.
#include "skin/engine/sMaskPaint.h"

// The corners of state State of the piece (top-left, bottom-left, bottom-right, top-right, with the
// piece's border widths) matched with those of a W x H control whose image is Cache: where the
// picture holds the key, the cache pixel takes the parent's pixel (its colour bytes) when Parent is
// ready, else Parent's fill colour as a whole pixel, which a piece without mask skips when it is the
// key. A piece without images but with a picture of its own counts as three states with their masks
// below. Every read stays inside the picture and the parent's background, every write inside Cache.
void PaintBorderCorners(const TPixelView& Cache, int W, int H, const TsPieceView& Piece, int State,
                        const TsCacheView& Parent);
