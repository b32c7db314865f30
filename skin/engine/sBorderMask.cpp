#include "skin/engine/sBorderMask.h"

#include <algorithm>
#include <climits>
#include <cstdint>

void CopyMaskPiece(const TCopyMaskPiece& C) {
  if (C.DstX < 0 || C.DstY < 0 || C.DstRight < 0 || C.DstBottom < 0) return;
  if (C.Dst.Empty() || C.Dst.Width < 2 || C.Dst.Height < 2 || C.Piece.Mask == nullptr || C.Piece.Image.Empty())
    return;
  const TsMaskData& Mask = *C.Piece.Mask;
  const bool Masked = Mask.MaskType == 1;
  const int64_t Rows = Masked ? (int64_t(Mask.R.Bottom) - Mask.R.Top) / 2 : 0;
  if (Rows < 0 || Rows > C.Piece.Image.Height) return;
  const int MaskRows = int(Rows);
  TCopyArea A;
  const int64_t W = std::min(int64_t(C.DstRight) - C.DstX, int64_t(C.SrcRight) - C.SrcLeft) + 1;
  const int64_t H = std::min(int64_t(C.DstBottom) - C.DstY, int64_t(C.SrcBottom) - C.SrcTop) + 1;
  if (!ClipCopy(C.Dst, C.Piece.Image, C.DstX, C.DstY, C.SrcLeft, C.SrcTop, W, H, MaskRows, A)) return;
  for (int Y = 0; Y < A.H; ++Y) {
    const TColor32* S = C.Piece.Image.PixelPtr(A.SrcX, A.SrcY + Y);
    const TColor32* M = Masked ? C.Piece.Image.PixelPtr(A.SrcX, A.SrcY + Y + MaskRows) : nullptr;
    TColor32* D = C.Dst.PixelPtr(A.DstX, A.DstY + Y);
    for (int X = 0; X < A.W; ++X) {
      if (C.Transparent && S[X] == KeyPixel) {
        const int Start = X;
        while (X + 1 < A.W && S[X + 1] == KeyPixel) ++X;
        if (C.Rgn != nullptr) C.Rgn->push_back({A.DstX + Start, A.DstY + Y, A.DstX + X + 1, A.DstY + Y + 1});
        continue;
      }
      if (!Masked) {
        D[X] = S[X];
        continue;
      }
      TColor32 Out = D[X] & 0xFF000000;
      for (int Shift = 0; Shift < 24; Shift += 8) {
        const unsigned Mc = (M[X] >> Shift) & 0xFF, Dc = (D[X] >> Shift) & 0xFF, Sc = (S[X] >> Shift) & 0xFF;
        Out |= TColor32((Dc * Mc + Sc * (256 - Mc)) >> 8) << Shift;
      }
      D[X] = Out;
    }
  }
}

void PaintBorderMask(const TPixelView& Bmp, std::vector<TPixelRect>* Rgn, bool PaintCentre, int State,
                     const TsPieceView& Piece) {
  if (Bmp.Empty() || Bmp.Width < 2 || Bmp.Height < 2 || Piece.Mask == nullptr || Piece.Image.Empty()) return;
  const TsMaskData& Mask = *Piece.Mask;
  // A piece without a count is one image: its rectangle stays, whichever bitmap it lies in.
  TPieceLayout Layout;
  if (!PieceLayoutFor(Mask, Bmp.BoundsRect(), Bmp.BoundsRect(), State, std::max<int>(Mask.ImageCount, 1), Layout))
    return;
  Layout.Centre = Layout.Centre && PaintCentre && Layout.ImgW - Layout.L - Layout.Rt > 0 &&
                  Layout.ImgH - Layout.T - Layout.B > 0;
  for (const TPiecePart& Part : PieceParts(Layout)) {
    if (Part.Region != TPieceRegion::Corner && Layout.Stretch) {
      CopyMaskedStretched({Part.Dst.Left, Part.Dst.Top, Part.Dst.Width(), Part.Dst.Height(), Part.Src.Left,
                           Part.Src.Top, Part.Src.Width(), Part.Src.Height(), Bmp, Piece.Image,
                           Mask.MaskType == 1 ? Layout.ImgH : 0, Part.Region == TPieceRegion::Centre});
      continue;
    }
    CopyMaskPiece({Part.Dst.Left, Part.Dst.Top, Part.Dst.Right - 1, true, Piece, Rgn, Bmp, Part.Src.Bottom - 1,
                   Part.Src.Right - 1, Part.Src.Top, Part.Src.Left, Part.Dst.Bottom - 1});
  }
}

TPixelRect FrameFillDepths(const TPixelRect& R, int FillWidth, int L, int T, int Rt, int B) {
  const int64_t W = int64_t(R.Right) - R.Left, H = int64_t(R.Bottom) - R.Top;
  auto Depth = [FillWidth](int64_t Size, int64_t Far, int64_t Near) {
    return int(std::clamp<int64_t>(std::min<int64_t>(FillWidth, Size - Far) - Near, 0, INT_MAX));
  };
  return {Depth(W, Rt, L), Depth(H, B, T), Depth(W, L, Rt), Depth(H, T, B)};
}
