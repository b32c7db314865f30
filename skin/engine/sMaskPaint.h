#pragma once
// Painting of image pieces onto 32-bit pixels: nine-slice layout with tiled or stretched sides, state
// images, the mixing of a picture through its mask image and the key-coloured runs of corners.
// Pure: no windows.h; the piece's image (its own or the skin's master image) comes as a view.
#include <cstdint>
#include <vector>

#include "skin/engine/sAlphaPixels.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sSkinPixels.h"

// A piece with the image it is cut from; an empty Image stands for a piece without manager or bitmap.
struct TsPieceView {
  const TsMaskData* Mask = nullptr;
  TPixelView Image;
  bool OwnImage = false;
};

// Rectangles are inclusive. With MaskType 0 the transparent copy with Key; else the picture mixed
// through the mask image lying MaskImageHeight rows lower: Mode 1 weighs the target by the mask byte,
// other modes by the mask byte + 100.
struct TCopyMasked {
  TPixelRect DstRect, SrcRect;
  TPixelView Bmp;
  const TsMaskData* Mask = nullptr;
  int Mode = 1;
  TColor Key = clFuchsia;
  TPixelView Source;
};
void CopyMasked(const TCopyMasked& C);

// Src's rectangle and its mask MaskOffset rows lower stretched onto Dst's rectangle and mixed there;
// MaskOffset 0 is a plain stretched copy.
struct TCopyMaskedStretched {
  int DstX = 0, DstY = 0, DstW = 0, DstH = 0;
  int SrcX = 0, SrcY = 0, SrcW = 0, SrcH = 0;
  TPixelView Dst, Src;
  int MaskOffset = 0;
  bool Smooth = false;
};
void CopyMaskedStretched(const TCopyMaskedStretched& C);

// The picture at SrcRect's top-left corner of the skin's master picture mixed into DstRect of Bmp through
// the mask lying half the piece's height lower; key pixels take the fill colour, else the ready
// background's pixel. Rectangles are exclusive; nothing is read or written outside the three pictures,
// and a ready background of one row (which cannot be read) paints nothing.
struct TCopyMaskedRect {
  TPixelRect DstRect, SrcRect;
  TPixelView Bmp;
  TsCacheView CacheInfo;
  const TsMaskData* Mask = nullptr;
  TPixelView Master;
};
void CopyMaskedRect(const TCopyMaskedRect& C);

// One state image of a piece as a nine-slice over R.
struct TPaintMaskRect {
  TPixelView Bmp;
  TPixelRect R;
  TsCacheView CacheInfo;
  TsPieceView Piece;
  int State = 0;
  bool UseParentBg = false;
};
void PaintMaskRect(const TPaintMaskRect& P);

// One state image unscaled with its top-left corner at Pt.
struct TPaintMaskState {
  TPixelView Bmp;
  TPixelPoint Pt;
  int State = 0;
  TsCacheView CacheInfo;
  TsPieceView Piece;
  int Mode = 1;
};
void PaintMaskState(const TPaintMaskState& P);

// Appends one rectangle per run of key pixels in a row of the top (or, with Bottom, the bottom) corners
// of the first state image, placed for a target TargetWidth wide from row TargetY: left corner rows
// first, then the right corner's.
void CollectTransparentPixels(std::vector<TPixelRect>& Rects, int TargetWidth, const TsPieceView& Piece,
                              int TargetY, bool Bottom);

// The border widths of a piece fitted to a target of Size pixels: when they do not fit both lose half
// the excess, the far one one more when Size is odd, neither below 0.
void FitBorders(int Size, int& Near, int& Far);

// The nine parts of a state image laid over R in painting order: the top-left corner, left side, top
// side, bottom-left corner, bottom side, bottom-right corner, top-right corner, right side, centre.
// Sides and centre are tiled (each tile a part of its own) unless Stretch; parts are exclusive.
enum class TPieceRegion { Corner, Side, Centre };
struct TPiecePart {
  TPieceRegion Region;
  TPixelRect Dst, Src;
};
struct TPieceLayout {
  TPixelRect R, Clip;
  int L = 0, T = 0, Rt = 0, B = 0;
  int SrcX = 0, SrcY = 0, ImgW = 0, ImgH = 0;
  bool Stretch = false, Centre = false;
};
std::vector<TPiecePart> PieceParts(const TPieceLayout& Layout);
// The layout of state State (limited to 0 .. ImageCount - 1) of a piece over R, borders fitted, tiles
// limited to Clip; false for a piece without images or too far out to be painted.
bool PieceLayoutFor(const TsMaskData& Mask, const TPixelRect& R, const TPixelRect& Clip, int State, int ImageCount,
                    TPieceLayout& Out);

// A copy of W x H pixels from (SrcX, SrcY) of Src to (DstX, DstY) of Dst cut to both views, leaving
// SrcRowsBelow rows under the source area inside Src; false when nothing is left.
struct TCopyArea {
  int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, W = 0, H = 0;
};
bool ClipCopy(const TPixelView& Dst, const TPixelView& Src, int64_t DstX, int64_t DstY, int64_t SrcX, int64_t SrcY,
              int64_t W, int64_t H, int SrcRowsBelow, TCopyArea& A);
