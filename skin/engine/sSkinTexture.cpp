#include "skin/engine/sSkinTexture.h"

#include <algorithm>
#include <climits>

#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sSkinBlits.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

// Edges from outside values kept to int.
int Saturated(int64_t V) { return int(std::clamp<int64_t>(V, INT_MIN, INT_MAX)); }

}  // namespace

TPixelRect PaintTexture(const TPixelView& Dst, const TPixelRect& R, const TPixelView& Img, const TPixelRect& ImgR,
                        int Mode) {
  const int64_t Sx = ImgR.Left, Sy = ImgR.Top, W = int64_t(ImgR.Right) - Sx, H = int64_t(ImgR.Bottom) - Sy;
  const int64_t L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  TPixelRect Left = R;
  switch (Mode) {
    case 0:
    case 10:
      TileBlt(Dst, L, T, Rt, B, Img, Sx, Sy, W, H);
      return TextureCovered;
    case 1:
      StretchBlt32(Dst, L, T, Rt - L, B - T, Img, Sx, Sy, W, H);
      return TextureCovered;
    // The strips copy no more than the image holds.
    case 2:
      TileBlt(Dst, L, T, Rt, T + std::min(B - T, H), Img, Sx, Sy, W, H);
      Left.Top = Saturated(T + H);
      return Left;
    case 3:
      TileBlt(Dst, L, T, L + std::min(Rt - L, W), B, Img, Sx, Sy, W, H);
      Left.Left = Saturated(L + W);
      return Left;
    case 4:
      StretchBlt32(Dst, L, T, Rt - L, H, Img, Sx, Sy, W, H);
      Left.Top = Saturated(T + H);
      return Left;
    case 5:
      StretchBlt32(Dst, L, T, W, B - T, Img, Sx, Sy, W, H);
      Left.Left = Saturated(L + W);
      return Left;
    case 6:
      TileBlt(Dst, L, B - H, Rt, B, Img, Sx, Sy, W, H);
      Left.Bottom = Saturated(B - H);
      return Left;
    case 7:
      TileBlt(Dst, Rt - W, T, Rt, B, Img, Sx, Sy, W, H);
      Left.Right = Saturated(Rt - W);
      return Left;
    default:
      TileBlt(Dst, Rt - W, T, Rt, B, Img, Sx, Sy, W, H);
      Left.Left = Saturated(Rt - W);
      return Left;
  }
}

void PaintMaskedTexture(const TPaintMaskedTexture& P) {
  if (P.Mask == nullptr || P.Dst.Empty() || (P.Mode != 0 && P.Mode != 10)) return;
  const TsMaskData& M = *P.Mask;
  const int64_t Iw = (int64_t(M.R.Right) - M.R.Left) / std::max<int16_t>(M.ImageCount, 1);
  const int64_t Ih = (int64_t(M.R.Bottom) - M.R.Top) / 2;
  const TPixelRect R = P.R;
  if (Iw < 1 || Ih < 1 || IsRectEmpty(R)) return;
  const TPixelRect Src{M.R.Left, M.R.Top, int(M.R.Left + Iw), int(M.R.Top + Ih)};
  // Whole tiles end at (Xe, Ye); with Mode 0 the cut ones follow up to R's edges.
  const int64_t Xe = R.Left + ((int64_t(R.Right) - R.Left) / Iw) * Iw, Ye = R.Top + ((int64_t(R.Bottom) - R.Top) / Ih) * Ih;
  const int64_t ToX = P.Mode == 0 ? R.Right : Xe, ToY = P.Mode == 0 ? R.Bottom : Ye;
  const int64_t LastX = std::min<int64_t>(ToX, P.Dst.Width), LastY = std::min<int64_t>(ToY, P.Dst.Height);
  const int64_t FromX = R.Left >= 0 ? R.Left : R.Left + (-int64_t(R.Left)) / Iw * Iw;
  const int64_t FromY = R.Top >= 0 ? R.Top : R.Top + (-int64_t(R.Top)) / Ih * Ih;
  for (int64_t Y = FromY; Y < LastY; Y += Ih)
    for (int64_t X = FromX; X < LastX; X += Iw)
      CopyMaskedRect({{int(X), int(Y), int(std::min<int64_t>(X + Iw, ToX)), int(std::min<int64_t>(Y + Ih, ToY))}, Src,
                      P.Dst, P.CacheInfo, P.Mask, P.Master});
  if (P.Mode == 0) return;
  const TPixelRect Strips[2] = {{int(Xe), R.Top, R.Right, R.Bottom}, {R.Left, int(Ye), int(Xe), R.Bottom}};
  for (const TPixelRect& S : Strips) {
    if (!P.CacheInfo.Ready) {
      FillRect32(P.Dst, S, P.CacheInfo.FillColor);
      continue;
    }
    TCopyArea A;
    if (ClipCopy(P.Dst, P.CacheInfo.Bmp, S.Left, S.Top, int64_t(S.Left) + P.CacheInfo.X,
                 int64_t(S.Top) + P.CacheInfo.Y, int64_t(S.Right) - S.Left, int64_t(S.Bottom) - S.Top, 0, A))
      BlockTransfer(P.Dst, A.DstX, A.DstY, P.Dst.BoundsRect(), P.CacheInfo.Bmp,
                    {A.SrcX, A.SrcY, A.SrcX + A.W, A.SrcY + A.H}, {});
  }
}

TButtonPlaces CalcButtonLayout(const TButtonLayoutInput& L) {
  int Layout = L.Layout;
  if (L.RightToLeft && (Layout == 0 || Layout == 1)) Layout = 1 - Layout;
  const bool Across = Layout == 0 || Layout == 1;  // glyph and caption side by side
  const int Client = Across ? L.Client.Width() : L.Client.Height();
  const int Other = Across ? L.Client.Height() : L.Client.Width();
  const int Glyph = Across ? L.GlyphSize.X : L.GlyphSize.Y, Caption = Across ? L.CaptionSize.X : L.CaptionSize.Y;
  const int GlyphOther = Across ? L.GlyphSize.Y : L.GlyphSize.X;
  const int CaptionOther = Across ? L.CaptionSize.Y : L.CaptionSize.X;
  const bool NoGlyph = L.GlyphSize.X == 0 || L.GlyphSize.Y == 0;
  const bool NoCaption = L.CaptionSize.X == 0 || L.CaptionSize.Y == 0;
  int Spacing = NoGlyph || NoCaption ? 0 : L.Spacing, Margin = L.Margin;
  if (Margin == -1) {
    if (Spacing == -1)
      Margin = Spacing = (Client - Glyph - Caption) / 3;
    else
      Margin = L.Alignment == 2 ? (Client - Glyph - Spacing - Caption + 1) / 2 : 2;
  } else if (Spacing == -1) {
    Spacing = (Client - Margin - Glyph - Caption) / 2;
  }
  // Along the layout: from the glyph's side; across it: centred.
  int GlyphAt, CaptionAt;
  if (Layout == 0 || Layout == 2) {
    GlyphAt = Margin;
    CaptionAt = GlyphAt + Glyph + Spacing;
  } else {
    GlyphAt = Client - Margin - Glyph;
    CaptionAt = GlyphAt - Spacing - Caption;
  }
  const int GlyphMid = (Other - GlyphOther + 1) / 2, CaptionMid = (Other - CaptionOther + 1) / 2;
  TButtonPlaces P;
  if (Across) {
    P.Glyph = {L.Client.Left + GlyphAt, L.Client.Top + GlyphMid};
    P.Caption = {L.Client.Left + CaptionAt, L.Client.Top + CaptionMid, 0, 0};
  } else {
    P.Glyph = {L.Client.Left + GlyphMid, L.Client.Top + GlyphAt};
    P.Caption = {L.Client.Left + CaptionMid, L.Client.Top + CaptionAt, 0, 0};
  }
  P.Caption.Right = P.Caption.Left + L.CaptionSize.X;
  P.Caption.Bottom = P.Caption.Top + L.CaptionSize.Y;
  return P;
}
