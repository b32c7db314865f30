#include "skin/engine/sBorderCorners.h"

#include <algorithm>

void PaintBorderCorners(const TPixelView& Cache, int W, int H, const TsPieceView& Piece, int State,
                        const TsCacheView& Parent) {
  if (Piece.Mask == nullptr || Piece.Image.Empty() || Cache.Empty()) return;
  const TsMaskData& Mask = *Piece.Mask;
  int Count = Mask.ImageCount, Type = Mask.MaskType;
  TPixelRect PR = Mask.R;
  if (Count == 0 && Piece.OwnImage) {
    Count = 3;
    Type = 1;
    PR = Piece.Image.BoundsRect();
  }
  if (Count < 1 || Type < 0) return;
  const int64_t Iw = (int64_t(PR.Right) - PR.Left) / Count, Ih = (int64_t(PR.Bottom) - PR.Top) / (Type + 1);
  if (Iw <= 0 || Ih <= 0) return;
  const int64_t Sx = PR.Left + Iw * std::clamp(State, 0, Count - 1), Sy = PR.Top;
  const int64_t L = Mask.WL, T = Mask.WT, Rt = Mask.WR, B = Mask.WB;
  struct TCorner {
    int64_t SrcX, SrcY, DstX, DstY, W, H;
  } const Corners[4] = {{Sx, Sy, 0, 0, L, T},
                        {Sx, Sy + Ih - B, 0, H - B, L, B},
                        {Sx + Iw - Rt, Sy + Ih - B, W - Rt, H - B, Rt, B},
                        {Sx + Iw - Rt, Sy, W - Rt, 0, Rt, T}};
  const TColor32 Fill = SwapRB32(uint32_t(Parent.FillColor));
  // Without a mask a fill colour of the key means no colour; a masked piece writes it as it is.
  const bool PutFill = Type >= 1 || Parent.FillColor != clFuchsia;
  for (const TCorner& C : Corners) {
    TCopyArea A;
    if (!ClipCopy(Cache, Piece.Image, C.DstX, C.DstY, C.SrcX, C.SrcY, C.W, C.H, 0, A)) continue;
    for (int R = 0; R < A.H; ++R)
      for (int Col = 0; Col < A.W; ++Col) {
        if (*Piece.Image.PixelPtr(A.SrcX + Col, A.SrcY + R) != KeyPixel) continue;
        TColor32& D = *Cache.PixelPtr(A.DstX + Col, A.DstY + R);
        if (Parent.Ready) {
          const int64_t Px = int64_t(Parent.X) + A.DstX + Col, Py = int64_t(Parent.Y) + A.DstY + R;
          if (Px >= 0 && Py >= 0 && Px < Parent.Bmp.Width && Py < Parent.Bmp.Height)
            D = (D & 0xFF000000u) | (*Parent.Bmp.PixelPtr(int(Px), int(Py)) & 0x00FFFFFFu);
        } else if (PutFill) {
          D = Fill;
        }
      }
  }
}
