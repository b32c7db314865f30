#include "skin/forms/sBorderStrips.h"

#include "skin/engine/sMaskPaint.h"

namespace {

// The background pixel under the window's point (X, Y).
TColor32 BackgroundAt(const TsCacheView& Bg, int X, int Y, TColor32 Fill) {
  const int BX = Bg.X + X, BY = Bg.Y + Y;
  if (Bg.Ready && !Bg.Bmp.Empty() && BX >= 0 && BY >= 0 && BX < Bg.Bmp.Width && BY < Bg.Bmp.Height)
    return *Bg.Bmp.PixelPtr(BX, BY);
  return Fill;
}

TColor32 ToPixel(TColor C) {
  const auto V = static_cast<std::uint32_t>(C);
  return 0xFF000000u | ((V & 0xFF) << 16) | (V & 0xFF00) | ((V >> 16) & 0xFF);
}

}  // namespace

void PaintBorderStrips(const TBorderStrips& S) {
  if (!S.Mask || S.Cache.Empty() || S.Image.Empty() || S.Cache.Width < 2 || S.Cache.Height < 2) return;
  TsMaskData Piece = *S.Mask;
  if (S.OwnImage && Piece.ImageCount == 0) {
    Piece.ImageCount = 3;
    Piece.MaskType = 0;
    Piece.R = S.Image.BoundsRect();
  }
  if (Piece.ImageCount < 1 || Piece.MaskType < 0) return;
  const int ImgW = Piece.R.Width() / Piece.ImageCount;
  const int ImgH = Piece.R.Height() / (Piece.MaskType + 1);
  if (ImgW <= 0 || ImgH <= 0) return;
  const int State = std::max(0, std::min(S.State, Piece.ImageCount - 1));
  const TPixelRect Cell{Piece.R.Left + State * ImgW, Piece.R.Top, Piece.R.Left + (State + 1) * ImgW, Piece.R.Top + ImgH};
  const int W = S.Cache.Width, H = S.Cache.Height;
  // Each strip as a window rectangle with the cell point that lands on its top-left corner.
  struct TStrip {
    TPixelRect Dst;
    int SrcX, SrcY;
  };
  const TStrip Strips[] = {
      {{0, 0, Piece.WL, H}, Cell.Left, Cell.Top},
      {{0, 0, W, Piece.WT}, Cell.Left, Cell.Top},
      {{W - Piece.WR, 0, W, H}, Cell.Right - Piece.WR, Cell.Top},
      {{0, H - Piece.WB, W, H}, Cell.Left, Cell.Bottom - Piece.WB},
  };
  TPixelRect Source;
  if (!IntersectRect(Source, Cell, S.Image.BoundsRect())) return;
  const TColor32 Fill = ToPixel(S.Background.FillColor);
  const TColor32 Key = ToPixel(S.Key) & 0xFFFFFF;
  for (const TStrip& Strip : Strips) {
    TPixelRect Dst;
    if (!IntersectRect(Dst, Strip.Dst, S.Cache.BoundsRect())) continue;
    // The part of the strip whose source lies inside the cell (and the image).
    const int Dx = Strip.SrcX - Strip.Dst.Left, Dy = Strip.SrcY - Strip.Dst.Top;
    TPixelRect Reach = Source;
    OffsetRect(Reach, -Dx, -Dy);
    if (!IntersectRect(Dst, Dst, Reach)) continue;
    if (Piece.MaskType == 0) {
      for (int Y = Dst.Top; Y < Dst.Bottom; ++Y)
        for (int X = Dst.Left; X < Dst.Right; ++X) {
          const TColor32 P = *S.Image.PixelPtr(X + Dx, Y + Dy);
          *S.Cache.PixelPtr(X, Y) = (P & 0xFFFFFF) == Key ? BackgroundAt(S.Background, X, Y, Fill) : P;
        }
    } else {
      TsCacheView Bg = S.Background;
      TCopyMaskedRect C;
      C.DstRect = Dst;
      C.SrcRect = TPixelRect{Dst.Left + Dx, Dst.Top + Dy, Dst.Right + Dx, Dst.Bottom + Dy};
      C.Bmp = S.Cache;
      C.CacheInfo = Bg;
      C.Mask = &Piece;
      C.Master = S.Image;
      CopyMaskedRect(C);
    }
  }
}
