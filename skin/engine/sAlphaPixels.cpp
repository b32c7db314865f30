#include "skin/engine/sAlphaPixels.h"

#include <algorithm>
#include <cmath>

#include "widgets/Bitmap32_LowLevel.h"

namespace {

constexpr TColor32 AlphaMask = 0xFF000000;

TPixelRect Clipped(const TPixelView& View, const TPixelRect& R) {
  TPixelRect C;
  IntersectRect(C, R, View.BoundsRect());
  return C;
}

// Offsets 0..Last (inclusive) such that From + offset stays inside 0..Size - 1.
void Limit(int& First, int& Last, int From, int Size) {
  First = std::max(First, -From);
  Last = std::min(Last, Size - 1 - From);
}

}  // namespace

bool TacFast32::Attach(const TPixelView& Bmp) {
  if (Bmp.Bits == nullptr || Bmp.Height <= 1 || Bmp.Width <= 0) {
    Width = 0;
    return false;
  }
  View = Bmp;
  Width = Bmp.Width;
  Height = Bmp.Height;
  return true;
}

void TacFast32::FillRect(const TPixelRect& R, TColor32 Pixel) {
  ::FillRect(View, R.Left, R.Top, R.Right, R.Bottom, Pixel | AlphaMask);
}

bool TacFastSum32::Attach(const TPixelView& ASrc, const TPixelView& ADst) {
  if (ASrc.Empty() || ADst.Empty() || ASrc.Width < 2 || ASrc.Height < 2 || ADst.Width < 2 || ADst.Height < 2)
    return false;
  Src = ASrc;
  Dst = ADst;
  Width = std::min(Src.Width, Dst.Width);
  Height = std::min(Src.Height, Dst.Height);
  return true;
}

void TacFastSum32::BlendBytes() {
  if (Src.Empty() || Dst.Empty()) return;
  const int Dy = DstRect.Bottom - SrcRect.Bottom, Dx = DstRect.Left - SrcRect.Left;
  // Destination pixels whose source pixel lies inside Src too.
  TPixelRect R;
  if (!IntersectRect(R, Clipped(Dst, DstRect), {Dx, Dy, Src.Width + Dx, Src.Height + Dy})) return;
  const unsigned Keep = Alpha, Take = 255u - Alpha;
  const ptrdiff_t Shift = ptrdiff_t(Dx) * 4;
  // Backwards, as the source may be the destination itself.
  for (int Y = R.Bottom - 1; Y >= R.Top; --Y) {
    auto* D = reinterpret_cast<uint8_t*>(Dst.ScanLine(Y));
    const auto* S = reinterpret_cast<const uint8_t*>(Src.ScanLine(Y - Dy));
    for (ptrdiff_t I = ptrdiff_t(R.Right) * 4 - 1; I >= ptrdiff_t(R.Left) * 4; --I)
      D[I] = uint8_t((D[I] * Keep + S[I - Shift] * Take + 127) >> 8);
  }
}

void FillRect32(const TPixelView& Bmp, const TPixelRect& R, TColor Color) {
  FillRect(Bmp, R.Left, R.Top, R.Right, R.Bottom, SwapRB32(uint32_t(Color)) | AlphaMask);
}

void FillRect32Frame(const TPixelView& Bmp, const TPixelRect& R, int Left, int Top, int Right, int Bottom,
                     TColor Color) {
  FillRect32(Bmp, {R.Left, R.Top, R.Right, R.Top + Top}, Color);
  FillRect32(Bmp, {R.Left, R.Top + Top, R.Left + Left, R.Bottom}, Color);
  FillRect32(Bmp, {R.Left + Left, R.Bottom - Bottom, R.Right, R.Bottom}, Color);
  FillRect32(Bmp, {R.Right - Right, R.Top + Top, R.Right, R.Bottom - Bottom}, Color);
}

void FillAlphaRect(const TPixelView& Bmp, const TPixelRect& R, uint8_t Alpha, bool SkipKey) {
  if (Bmp.Empty()) return;
  const TPixelRect C = Clipped(Bmp, R);
  const TColor32 A = TColor32(Alpha) << 24;
  for (int Y = C.Top; Y < C.Bottom; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = C.Left; X < C.Right; ++X) {
      if (!(SkipKey && P[X] == KeyPixel)) P[X] = (P[X] & ~AlphaMask) | A;
    }
  }
}

void BlendRectWithColor(const TPixelView& Bmp, const TPixelRect& R, uint8_t Percent, TColor Rgb) {
  if (Bmp.Empty()) return;
  const TPixelRect C = Clipped(Bmp, R);
  const double K = Percent / 100.0, M = 1.0 - K;
  const TColor32 Color = SwapRB32(uint32_t(Rgb));
  double Mixed[3];
  for (int I = 0; I < 3; ++I) Mixed[I] = double((Color >> (8 * I)) & 0xFF) * M;
  for (int Y = C.Top; Y < C.Bottom; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = C.Left; X < C.Right; ++X) {
      TColor32 Out = P[X] & AlphaMask;
      for (int I = 0; I < 3; ++I) {
        const double V = std::nearbyint(double((P[X] >> (8 * I)) & 0xFF) * K + Mixed[I]);
        Out |= TColor32(std::clamp(V, 0.0, 255.0)) << (8 * I);
      }
      P[X] = Out;
    }
  }
}

void FillCornerTransparency(const TPixelView& Dst, const TPixelView& Src, const TPixelRect& R, TPixelPoint SrcPt,
                            const TsMaskData* Mask, const TPixelView& Image, int Corner) {
  if (Dst.Empty() || Src.Empty() || (Mask && Image.Empty())) return;
  int C0 = 0, C1 = std::min(std::max(R.Width(), 0) - 1, Src.Width - SrcPt.X - 1);
  int R0 = 0, R1 = std::min(std::max(R.Height(), 0) - 1, Src.Height - SrcPt.Y - 1);
  Limit(C0, C1, R.Left, Dst.Width);
  Limit(R0, R1, R.Top, Dst.Height);
  Limit(C0, C1, SrcPt.X, Src.Width);
  Limit(R0, R1, SrcPt.Y, Src.Height);
  TPixelPoint M;
  if (Mask) {
    const bool Right = Corner == 14 || Corner == 17, Bottom = Corner == 16 || Corner == 17;
    M = {Mask->R.Left + (Right ? MaskImageWidth(*Mask) - Mask->WR : 0),
         Mask->R.Top + (Bottom ? MaskImageHeight(*Mask) - Mask->WB : 0)};
    Limit(C0, C1, M.X, Image.Width);
    Limit(R0, R1, M.Y, Image.Height);
  }
  for (int Row = R0; Row <= R1; ++Row) {
    TColor32* D = Dst.ScanLine(R.Top + Row);
    const TColor32* S = Src.ScanLine(SrcPt.Y + Row);
    for (int Col = C0; Col <= C1; ++Col) {
      const TColor32 Test = Mask ? Image.ScanLine(M.Y + Row)[M.X + Col] : D[R.Left + Col];
      if ((Test & ~AlphaMask) == KeyPixel) D[R.Left + Col] = S[SrcPt.X + Col];
    }
  }
}
