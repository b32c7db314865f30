#include "skin/engine/sSkinBlits.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "skin/engine/sMaskPaint.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

bool FitsInt(int64_t V) { return V > INT_MIN / 2 && V < INT_MAX / 2; }

// A block copy of W x H pixels, cut to both views.
void Copy(const TPixelView& Dst, int64_t X, int64_t Y, int64_t W, int64_t H, const TPixelView& Src, int64_t Sx,
          int64_t Sy) {
  TCopyArea A;
  if (W <= 0 || H <= 0 || !ClipCopy(Dst, Src, X, Y, Sx, Sy, W, H, 0, A)) return;
  BlockTransfer(Dst, A.DstX, A.DstY, Dst.BoundsRect(), Src, {A.SrcX, A.SrcY, A.SrcX + A.W, A.SrcY + A.H}, {});
}

// The first tile start at or after From - Size + 1 of the run Start, Start + Size, ...
int64_t FirstTile(int64_t Start, int64_t Size, int64_t From) {
  return From - Size < Start ? Start : Start + (From - Start) / Size * Size;
}

}  // namespace

void StretchBlt32(const TPixelView& Dst, int64_t X, int64_t Y, int64_t W, int64_t H, const TPixelView& Src, int64_t Sx,
             int64_t Sy, int64_t Sw, int64_t Sh) {
  if (W <= 0 || H <= 0 || Sw <= 0 || Sh <= 0 || Dst.Empty() || Src.Empty()) return;
  if (Sx < 0 || Sy < 0 || Sx + Sw > Src.Width || Sy + Sh > Src.Height) return;
  if (!FitsInt(X) || !FitsInt(Y) || !FitsInt(X + W) || !FitsInt(Y + H)) return;
  StretchTransfer(Dst, {int(X), int(Y), int(X + W), int(Y + H)}, Dst.BoundsRect(), Src,
                  {int(Sx), int(Sy), int(Sx + Sw), int(Sy + Sh)}, sfNearest, {});
}

void TileBlt(const TPixelView& Dst, int64_t X0, int64_t Y0, int64_t X1, int64_t Y1, const TPixelView& Src, int64_t Sx,
          int64_t Sy, int64_t Sw, int64_t Sh) {
  if (Sw <= 0 || Sh <= 0) return;
  const int64_t Xe = std::min<int64_t>(X1, Dst.Width), Ye = std::min<int64_t>(Y1, Dst.Height);
  for (int64_t Y = FirstTile(Y0, Sh, 0); Y < Ye; Y += Sh)
    for (int64_t X = FirstTile(X0, Sw, 0); X < Xe; X += Sw)
      Copy(Dst, X, Y, std::min(Sw, X1 - X), std::min(Sh, Y1 - Y), Src, Sx, Sy);
}

void StretchOrTileBlt(const TPixelView& Dst, const TPixelView& Src, const TNineSlice& B) {
  if (Dst.Empty() || Src.Empty()) return;
  const int64_t DL = B.DstRect.Left, DT = B.DstRect.Top, DR = B.DstRect.Right, DB = B.DstRect.Bottom;
  const int64_t SL = B.SrcRect.Left, ST = B.SrcRect.Top, SR = B.SrcRect.Right, SB = B.SrcRect.Bottom;
  const int64_t BL = B.Borders.Left, BT = B.Borders.Top, BR = B.Borders.Right, BB = B.Borders.Bottom;
  const int64_t Lm = std::min<int64_t>(BL, B.MaxWidths.Left), Tm = std::min<int64_t>(BT, B.MaxWidths.Top);
  const int64_t Rm = std::min<int64_t>(BR, B.MaxWidths.Right), Bm = std::min<int64_t>(BB, B.MaxWidths.Bottom);
  // Corners: full border width at the cut-down thickness, the rest of their rows at the cut-down width.
  Copy(Dst, DL, DT, BL, Tm, Src, SL, ST);
  Copy(Dst, DL, DT + Tm, Lm, BT - Tm, Src, SL, ST + Tm);
  Copy(Dst, DL, DB - Bm, BL, Bm, Src, SL, SB - Bm);
  Copy(Dst, DL, DB - BB, Lm, BB - Bm, Src, SL, SB - BB);
  Copy(Dst, DR - BR, DT, BR, Tm, Src, SR - BR, ST);
  Copy(Dst, DR - Rm, DT + Tm, Rm, BT - Tm, Src, SR - Rm, ST + Tm);
  Copy(Dst, DR - BR, DB - Bm, BR, Bm, Src, SR - BR, SB - Bm);
  Copy(Dst, DR - Rm, DB - BB, Rm, BB - Bm, Src, SR - Rm, SB - BB);
  const int64_t Sw = std::max<int64_t>(0, SR - SL), Sh = std::max<int64_t>(0, SB - ST);
  const int64_t Cw = std::max<int64_t>(0, Sw - BL - BR), Ch = std::max<int64_t>(0, Sh - BT - BB);
  const int64_t MidW = (DR - DL) - BL - BR, MidH = (DB - DT) - BT - BB;
  const int64_t SrcMidW = (SR - SL) - BL - BR, SrcMidH = (SB - ST) - BT - BB;
  // Sides: left, top, right, bottom.
  if (Ch > 0) {
    if (B.SideModes[0] == 0) TileBlt(Dst, DL, DT + BT, DL + Lm, DB - BB, Src, SL, ST + BT, Lm, Ch);
    if (B.SideModes[0] == 1) StretchBlt32(Dst, DL, DT + BT, Lm, MidH, Src, SL, ST + BT, Lm, SrcMidH);
  }
  if (Cw > 0) {
    if (B.SideModes[1] == 0) TileBlt(Dst, DL + BL, DT, DR - BR, DT + Tm, Src, SL + BL, ST, Cw, Tm);
    if (B.SideModes[1] == 1) StretchBlt32(Dst, DL + BL, DT, MidW, Tm, Src, SL + BL, ST, SrcMidW, Tm);
  }
  if (Ch > 0) {
    if (B.SideModes[2] == 0) TileBlt(Dst, DR - Rm, DT + BT, DR, DB - BB, Src, SR - Rm, ST + BT, Rm, Ch);
    if (B.SideModes[2] == 1) StretchBlt32(Dst, DR - Rm, DT + BT, Rm, MidH, Src, SR - Rm, ST + BT, Rm, SrcMidH);
  }
  if (Cw > 0) {
    if (B.SideModes[3] == 0) TileBlt(Dst, DL + BL, DB - Bm, DR - BR, DB, Src, SL + BL, SB - Bm, Cw, Bm);
    if (B.SideModes[3] == 1) StretchBlt32(Dst, DL + BL, DB - Bm, MidW, Bm, Src, SL + BL, SB - Bm, SrcMidW, Bm);
  }
  if (!B.DrawCentre) return;
  if (B.CentreMode == 1) StretchBlt32(Dst, DL + BL, DT + BT, MidW, MidH, Src, SL + BL, ST + BT, SrcMidW, SrcMidH);
  if (B.CentreMode == 0 && Cw > 0 && Ch > 0) TileBlt(Dst, DL + BL, DT + BT, DR - BR, DB - BB, Src, SL + BL, ST + BT, Cw, Ch);
}

int GlyphIndex(int NumGlyphs, bool Enabled, int State, uint8_t GlyphShift, bool Glyph16Colours) {
  if (!Enabled || State == 0) return 0;
  if (State == 1) return Glyph16Colours ? 0 : 1;
  if (State == 2) {
    if (NumGlyphs > GlyphShift + 2) return GlyphShift + 2;
    return Glyph16Colours ? 0 : std::min(1, NumGlyphs - 1);
  }
  return -1;
}

void CopyGlyphBlended(const TPixelView& Img, bool Glyph16Colours, const TPixelView& Dst, const TGlyphDraw& G) {
  // A glyph placed that far lies off every picture (and its edges would not fit an int).
  constexpr int Far = 1 << 28;
  if (Img.Empty() || Dst.Empty() || std::abs(G.R.Left) > Far || std::abs(G.R.Top) > Far) return;
  const int Bottom = Img.Height - 1;
  if (G.NumGlyphs < 2) {
    // A copy that may be grayed.
    std::vector<TColor32> Pixels(size_t(Img.Width) * Img.Height);
    const TPixelView G2{Pixels.data(), Img.Width, Img.Height, Img.Width};
    BlockTransfer(G2, 0, 0, G2.BoundsRect(), Img, Img.BoundsRect(), {});
    // R's size, no more than the glyph has.
    const TPixelRect Part{0, 0, int(std::clamp<int64_t>(int64_t(G.R.Right) - G.R.Left, 0, Img.Width)),
                          int(std::clamp<int64_t>(int64_t(G.R.Bottom) - G.R.Top, 0, Img.Height))};
    auto KeyOf = [&] { return TColor(SwapRB32(*G2.PixelPtr(0, Bottom))); };
    TColor Key = KeyOf();
    if (!G.Enabled) {
      if (G.Effects & 2) {
        GrayscaleBitmap(G2);
        Key = KeyOf();
      }
      if (G.Effects & 1)
        BlendBitmaps(Dst, G.R.Left, G.R.Top, G2, Part, 0.5, Key);
      else
        CopyBitmapTransparent(Dst, G2, G.R.Left, G.R.Top, Key);
    } else if (G.State == 0 && G.BlendPercent > 0) {
      BlendBitmaps(Dst, G.R.Left, G.R.Top, G2, Part, G.BlendPercent / 100.0, clFuchsia);
    } else {
      CopyBitmapTransparent(Dst, G2, G.R.Left, G.R.Top, Key);
    }
    return;
  }
  const int Gw = Img.Width / G.NumGlyphs;
  const int K = GlyphIndex(G.NumGlyphs, G.Enabled, G.State, G.GlyphShift, Glyph16Colours);
  if (K < 0 || Gw < 1) return;
  const TPixelRect Cell{K * Gw, 0, (K + 1) * Gw, Img.Height};
  if (!G.Enabled && G.State == 0 && G.BlendPercent > 0)
    BlendBitmaps(Dst, G.R.Left, G.R.Top, Img, Cell, G.BlendPercent / 100.0, clFuchsia);
  else
    CopyRectKeyed(Dst, Img, G.R.Left, G.R.Top, Cell, TColor(*Img.PixelPtr(K * Gw, Bottom)));
}

void CopyChannel(const TPixelView& Bmp32, const TByteView& Bmp8, int Channel, bool Extract) {
  if (Bmp32.Empty() || Bmp8.Empty() || Bmp8.BytesPerPixel != 1 || Channel < 0 || Channel > 3) return;
  const int W = std::min(Bmp32.Width, Bmp8.Width), H = std::min(Bmp32.Height, Bmp8.Height);
  for (int Y = 0; Y < H; ++Y) {
    uint8_t* P = reinterpret_cast<uint8_t*>(Bmp32.ScanLine(Y)) + Channel;
    uint8_t* B = Bmp8.ScanLine(Y);
    for (int X = 0; X < W; ++X, P += 4) {
      if (Extract)
        B[X] = *P;
      else
        *P = B[X];
    }
  }
}
