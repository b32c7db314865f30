#pragma once
// The border painter's pixel work: the copier of piece parts with key transparency or the piece's mask,
// and the nine-slice of one state of a piece over a whole bitmap. Key runs are collected as
// rectangles for the caller's window region. Pure: no windows.h.
#include <vector>

#include "skin/engine/sMaskPaint.h"

// Source columns SrcLeft .. SrcRight and rows SrcTop .. SrcBottom (inclusive) to Dst from (DstX, DstY)
// up to DstRight and DstBottom (inclusive), cut to both bitmaps. With MaskType 1 mixed through the mask
// half of the piece; with Transparent key pixels are skipped and, when Rgn is given, their runs
// appended to it in target coordinates.
struct TCopyMaskPiece {
  int DstX = 0, DstY = 0, DstRight = 0;
  bool Transparent = false;
  TsPieceView Piece;
  std::vector<TPixelRect>* Rgn = nullptr;
  TPixelView Dst;
  int SrcBottom = 0, SrcRight = 0, SrcTop = 0, SrcLeft = 0;
  int DstBottom = 0;
};
void CopyMaskPiece(const TCopyMaskPiece& C);

// State State of the piece as a nine-slice over the whole of Bmp; the centre only with PaintCentre.
void PaintBorderMask(const TPixelView& Bmp, std::vector<TPixelRect>* Rgn, bool PaintCentre, int State,
                     const TsPieceView& Piece);

// The depths (left, top, right, bottom) of the frame that a fill FillWidth deep from R's edges leaves
// inside a border of widths L, T, Rt, B on R; none below 0.
TPixelRect FrameFillDepths(const TPixelRect& R, int FillWidth, int L, int T, int Rt, int B);
