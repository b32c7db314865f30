#include "skin/engine/sMaskPaint.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "skin/engine/sSkinResize.h"
#include "widgets/Bitmap32_Transforms.h"

namespace {

constexpr TColor32 AlphaMask = 0xFF000000;
constexpr int64_t Far = int64_t(1) << 28;
// The largest target the filtered stretch resizes whole (two pictures of it are held).
constexpr int64_t MaxFilteredTarget = int64_t(1) << 22;

uint8_t Channel(TColor32 P, int Shift) { return uint8_t(P >> Shift); }

// The weight of the target in a masked copy.
unsigned MaskWeight(unsigned M, int Mode) { return Mode == 1 ? M : std::min(M + 100u, 255u); }

// Positions far from any bitmap are refused before their sums could overflow.
bool Near(int64_t V) { return V > -Far && V < Far; }

}  // namespace

bool ClipCopy(const TPixelView& Dst, const TPixelView& Src, int64_t DstX, int64_t DstY, int64_t SrcX,
              int64_t SrcY, int64_t W, int64_t H, int SrcRowsBelow, TCopyArea& A) {
  if (Dst.Empty() || Src.Empty()) return false;
  auto Axis = [](int64_t& D, int64_t& S, int64_t& N, int64_t DSize, int64_t SSize) {
    const int64_t Lead = std::max<int64_t>({0, -D, -S});
    D += Lead;
    S += Lead;
    N = std::min({N - Lead, DSize - D, SSize - S});
    return N > 0;
  };
  if (!Axis(DstX, SrcX, W, Dst.Width, Src.Width)) return false;
  if (!Axis(DstY, SrcY, H, Dst.Height, int64_t(Src.Height) - SrcRowsBelow)) return false;
  A = {int(DstX), int(DstY), int(SrcX), int(SrcY), int(W), int(H)};
  return true;
}

namespace {

// The key pixels of SrcRect put at Pt take, at alpha 255, Bg's fill colour or, when it is ready, its pixel.
void PutBackgroundUnderKey(const TPixelView& Dst, const TPixelView& Src, const TPixelRect& SrcRect, TPixelPoint Pt,
                           const TsCacheView& Bg) {
  TCopyArea A;
  if (!ClipCopy(Dst, Src, Pt.X, Pt.Y, SrcRect.Left, SrcRect.Top, int64_t(SrcRect.Right) - SrcRect.Left,
                int64_t(SrcRect.Bottom) - SrcRect.Top, 0, A))
    return;
  const bool Fill = Bg.FillColor != clFuchsia;
  if (!Fill && (!Bg.Ready || Bg.Bmp.Empty())) return;
  const TColor32 FillPix = SwapRB32(uint32_t(Bg.FillColor)) | AlphaMask;
  for (int Y = 0; Y < A.H; ++Y) {
    const TColor32* S = Src.PixelPtr(A.SrcX, A.SrcY + Y);
    TColor32* D = Dst.PixelPtr(A.DstX, A.DstY + Y);
    const int64_t By = int64_t(A.DstY) + Y + Bg.Y;
    for (int X = 0; X < A.W; ++X) {
      if (S[X] != KeyPixel) continue;
      const int64_t Bx = int64_t(A.DstX) + X + Bg.X;
      if (Fill)
        D[X] = FillPix;
      else if (Bx >= 0 && Bx < Bg.Bmp.Width && By >= 0 && By < Bg.Bmp.Height)
        D[X] = *Bg.Bmp.PixelPtr(int(Bx), int(By)) | AlphaMask;
    }
  }
}

// A stretch only from a part that lies wholly inside its image.
void StretchInside(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelView& Src, const TPixelRect& SrcRect) {
  TPixelRect Inside;
  if (Dst.Empty() || !IntersectRect(Inside, SrcRect, Src.BoundsRect()) || !(Inside == SrcRect)) return;
  StretchTransfer(Dst, DstRect, Dst.BoundsRect(), Src, SrcRect, sfNearest, {});
}

void CopyInside(const TPixelView& Dst, TPixelPoint Pt, const TPixelView& Src, const TPixelRect& SrcRect) {
  TCopyArea A;
  if (ClipCopy(Dst, Src, Pt.X, Pt.Y, SrcRect.Left, SrcRect.Top, SrcRect.Width(), SrcRect.Height(), 0, A))
    BlockTransfer(Dst, A.DstX, A.DstY, Dst.BoundsRect(), Src, {A.SrcX, A.SrcY, A.SrcX + A.W, A.SrcY + A.H}, {});
}

}  // namespace

void CopyMasked(const TCopyMasked& C) {
  if (C.Mask == nullptr || !Near(C.SrcRect.Left) || !Near(C.SrcRect.Top) || !Near(C.SrcRect.Right) ||
      !Near(C.SrcRect.Bottom) || !Near(C.DstRect.Left) || !Near(C.DstRect.Top))
    return;
  const TPixelRect Src{C.SrcRect.Left, C.SrcRect.Top, C.SrcRect.Right + 1, C.SrcRect.Bottom + 1};
  if (C.Mask->MaskType == 0) {
    CopyTransparentRect(C.Bmp, C.Source, Src, C.Key, {C.DstRect.Left, C.DstRect.Top}, {});
    return;
  }
  const int Ih = MaskImageHeight(*C.Mask);
  TCopyArea A;
  const int64_t W = std::min(int64_t(C.SrcRect.Right) - C.SrcRect.Left, int64_t(C.DstRect.Right) - C.DstRect.Left) + 1;
  const int64_t H = std::min(int64_t(C.SrcRect.Bottom) - C.SrcRect.Top, int64_t(C.DstRect.Bottom) - C.DstRect.Top) + 1;
  if (Ih <= 0 || !ClipCopy(C.Bmp, C.Source, C.DstRect.Left, C.DstRect.Top, Src.Left, Src.Top, W, H, Ih, A)) return;
  for (int Y = 0; Y < A.H; ++Y) {
    const TColor32* S = C.Source.PixelPtr(A.SrcX, A.SrcY + Y);
    const TColor32* M = C.Source.PixelPtr(A.SrcX, A.SrcY + Y + Ih);
    TColor32* D = C.Bmp.PixelPtr(A.DstX, A.DstY + Y);
    for (int X = 0; X < A.W; ++X) {
      const unsigned MRed = Channel(M[X], 16);
      if (S[X] == KeyPixel || MRed == 255) continue;
      TColor32 Out = 0;
      for (int Shift = 0; Shift < 24; Shift += 8) {
        const unsigned K = MaskWeight(Channel(M[X], Shift), C.Mode), Dc = Channel(D[X], Shift);
        const unsigned Sc = Channel(S[X], Shift);
        Out |= TColor32(std::min((Dc * K + Sc * (256 - K)) >> 8, 255u)) << Shift;
      }
      const unsigned Da = Channel(D[X], 24);
      Out |= TColor32(uint8_t(Da + (255 - MRed) * (255 - Da) / 255)) << 24;
      D[X] = Out;
    }
  }
}

void CopyMaskedStretched(const TCopyMaskedStretched& C) {
  if (C.DstX < 0 || C.DstY < 0 || C.DstW < 1 || C.DstH < 1 || C.Dst.Empty() || C.Dst.Width < 2 || C.Dst.Height < 2)
    return;
  if (int64_t(C.DstX) + C.DstW > INT_MAX || int64_t(C.DstY) + C.DstH > INT_MAX) return;
  if (C.Src.Empty() || C.SrcX < 0 || C.SrcY < 0 || C.SrcW < 1 || C.SrcH < 1 || C.MaskOffset < 0) return;
  // The picture and, below it, its mask must lie inside Src.
  if (int64_t(C.SrcX) + C.SrcW > C.Src.Width || int64_t(C.SrcY) + C.MaskOffset + C.SrcH > C.Src.Height) return;
  const TPixelRect Target{C.DstX, C.DstY, int(std::min<int64_t>(int64_t(C.DstX) + C.DstW, C.Dst.Width)),
                          int(std::min<int64_t>(int64_t(C.DstY) + C.DstH, C.Dst.Height))};
  if (IsRectEmpty(Target)) return;
  const TPixelRect Picture{C.SrcX, C.SrcY, C.SrcX + C.SrcW, C.SrcY + C.SrcH};
  const TPixelRect Whole{C.DstX, C.DstY, int(int64_t(C.DstX) + C.DstW), int(int64_t(C.DstY) + C.DstH)};
  if (C.MaskOffset == 0) {
    StretchTransfer(C.Dst, Whole, Target, C.Src, Picture, sfNearest, {});  // Picture lies inside Src
    return;
  }
  if (C.Smooth && C.SrcW == 1 && C.SrcH == 1) {
    const TColor32 P = *C.Src.PixelPtr(C.SrcX, C.SrcY);
    const unsigned M = Channel(*C.Src.PixelPtr(C.SrcX, C.SrcY + C.MaskOffset), 16);
    if (M == 0) {
      FillRect32(C.Dst, Target, TColor(SwapRB32(P & ~AlphaMask)));
      return;
    }
    if (M == 255) return;
    for (int Y = Target.Top; Y < Target.Bottom; ++Y)
      for (TColor32* D = C.Dst.PixelPtr(Target.Left, Y); D != C.Dst.PixelPtr(Target.Right, Y); ++D) {
        TColor32 Out = *D & AlphaMask;
        for (int Shift = 0; Shift < 24; Shift += 8)
          Out |= TColor32((Channel(*D, Shift) * M + Channel(P, Shift) * (256 - M)) >> 8) << Shift;
        *D = Out;
      }
    return;
  }
  // The stretched picture and mask: filtered over the whole target (smooth, or only narrowed or only
  // lowered), else by the nearest pixel where the target meets Dst. A target too large to hold twice is
  // stretched by the nearest pixel too.
  const bool Filtered = (C.Smooth || (C.SrcW > C.DstW && C.SrcH == C.DstH) || (C.SrcW == C.DstW && C.SrcH > C.DstH)) &&
                        C.DstW >= 2 && C.DstH >= 2 && int64_t(C.DstW) * C.DstH <= MaxFilteredTarget;
  const TPixelRect Covered = Filtered ? Whole : Target;
  const int Tw = Covered.Width(), Th = Covered.Height();
  std::vector<TColor32> Pic(size_t(Tw) * Th), Msk(Pic.size());
  const TPixelView PicView{Pic.data(), Tw, Th, Tw}, MskView{Msk.data(), Tw, Th, Tw};
  TPixelRect MaskRect = Picture;
  OffsetRect(MaskRect, 0, C.MaskOffset);
  if (Filtered) {
    StretchPart(C.Src, Picture, PicView, 6);
    StretchPart(C.Src, MaskRect, MskView, 2);
  } else {
    TPixelRect Placed = Whole;
    OffsetRect(Placed, -Target.Left, -Target.Top);
    StretchTransfer(PicView, Placed, PicView.BoundsRect(), C.Src, Picture, sfNearest, {});
    StretchTransfer(MskView, Placed, MskView.BoundsRect(), C.Src, MaskRect, sfNearest, {});
  }
  for (int Y = Target.Top; Y < Target.Bottom; ++Y) {
    const TColor32* P = PicView.PixelPtr(Target.Left - Covered.Left, Y - Covered.Top);
    const TColor32* M = MskView.PixelPtr(Target.Left - Covered.Left, Y - Covered.Top);
    TColor32* D = C.Dst.PixelPtr(Target.Left, Y);
    for (int X = 0; X < Target.Width(); ++X) {
      TColor32 Out = D[X] & AlphaMask;
      for (int Shift = 0; Shift < 24; Shift += 8) {
        const unsigned Mc = Channel(M[X], Shift);
        Out |= TColor32((Channel(D[X], Shift) * Mc + Channel(P[X], Shift) * (256 - Mc)) >> 8) << Shift;
      }
      D[X] = Out;
    }
  }
}

void CopyMaskedRect(const TCopyMaskedRect& C) {
  if (C.Mask == nullptr || C.Bmp.Empty() || C.Master.Empty()) return;
  TacFast32 Parent;
  if (C.CacheInfo.Ready && !Parent.Attach(C.CacheInfo.Bmp)) return;
  const int64_t MaskOffset = (int64_t(C.Mask->R.Bottom) - C.Mask->R.Top) / 2;
  int64_t Sx = C.SrcRect.Left, Sy = C.SrcRect.Top, Dx = C.DstRect.Left, Dy = C.DstRect.Top;
  int64_t W = std::min({int64_t(C.SrcRect.Right) - Sx, int64_t(C.DstRect.Right) - Dx, C.Bmp.Width - Dx,
                        C.Master.Width - Sx});
  int64_t H = std::min({int64_t(C.SrcRect.Bottom) - Sy, int64_t(C.DstRect.Bottom) - Dy, C.Bmp.Height - Dy,
                        C.Master.Height - Sy});
  if (W < 1 || H < 1 || MaskOffset < 0) return;
  auto Lead = [](int64_t& S, int64_t& D, int64_t& N) {
    const int64_t Least = std::min(S, D);
    if (Least >= 0) return;
    S -= Least;
    D -= Least;
    N += Least;
  };
  Lead(Sx, Dx, W);
  Lead(Sy, Dy, H);
  // The mask rows too must lie inside the master.
  H = std::min(H, C.Master.Height - MaskOffset - Sy);
  if (W < 1 || H < 1) return;
  const uint32_t Fill = SwapRB32(uint32_t(C.CacheInfo.FillColor));
  const bool HasFill = C.CacheInfo.FillColor != clFuchsia;
  for (int64_t Y = 0; Y < H; ++Y) {
    const TColor32* S = C.Master.PixelPtr(int(Sx), int(Sy + Y));
    const TColor32* M = C.Master.PixelPtr(int(Sx), int(Sy + Y + MaskOffset));
    TColor32* D = C.Bmp.PixelPtr(int(Dx), int(Dy + Y));
    const int64_t Py = Dy + Y + C.CacheInfo.Y;
    for (int64_t X = 0; X < W; ++X) {
      if (S[X] != KeyPixel) {
        TColor32 Out = D[X] & AlphaMask;
        for (int Shift = 0; Shift < 24; Shift += 8) {
          const unsigned Mc = Channel(M[X], Shift);
          Out |= TColor32((Channel(D[X], Shift) * Mc + Channel(S[X], Shift) * (256 - Mc)) >> 8) << Shift;
        }
        D[X] = Out;
      } else if (HasFill) {
        D[X] = C.CacheInfo.Ready ? (D[X] & AlphaMask) | (Fill & ~AlphaMask) : Fill;
      } else if (C.CacheInfo.Ready) {
        const int64_t Px = Dx + X + C.CacheInfo.X;
        if (Py >= Parent.Height) continue;
        if (Px >= Parent.Width) break;
        if (Px >= 0 && Py >= 0) D[X] = *Parent.View.PixelPtr(int(Px), int(Py));
      }
    }
  }
}

void FitBorders(int Size, int& Near, int& Far) {
  if (Size < Near + Far) {
    const int E = (Near + Far - Size) / 2;
    Near -= E;
    Far -= E;
    if (Size % 2 != 0) --Far;
    Near = std::max(Near, 0);
    Far = std::max(Far, 0);
  }
}

std::vector<TPiecePart> PieceParts(const TPieceLayout& P) {
  std::vector<TPiecePart> Parts;
  const TPixelRect& R = P.R;
  const int Cw = P.ImgW - P.L - P.Rt, Ch = P.ImgH - P.T - P.B;
  const int SL = P.SrcX, SR = P.SrcX + P.ImgW, ST = P.SrcY, SB = P.SrcY + P.ImgH;
  auto Corner = [&](int X, int Y, int W, int H, int Sx, int Sy) {
    Parts.push_back({TPieceRegion::Corner, {X, Y, X + W, Y + H}, {Sx, Sy, Sx + W, Sy + H}});
  };
  // Dst filled with Src, tiled from Dst's top-left (the last tile of each row and column cut) or
  // stretched.
  auto Fill = [&](TPieceRegion Region, const TPixelRect& Dst, const TPixelRect& Src) {
    if (IsRectEmpty(Dst) || IsRectEmpty(Src)) return;
    if (P.Stretch) {
      Parts.push_back({Region, Dst, Src});
      return;
    }
    // Tiles wholly outside the clip are left out.
    auto First = [](int From, int ClipFrom, int Step) { return From + std::max(0, (ClipFrom - From) / Step) * Step; };
    const int Bottom = std::min(Dst.Bottom, P.Clip.Bottom), Right = std::min(Dst.Right, P.Clip.Right);
    for (int Y = First(Dst.Top, P.Clip.Top, Src.Height()); Y < Bottom; Y += Src.Height())
      for (int X = First(Dst.Left, P.Clip.Left, Src.Width()); X < Right; X += Src.Width()) {
        const int W = std::min(Src.Width(), Dst.Right - X), H = std::min(Src.Height(), Dst.Bottom - Y);
        Parts.push_back({Region, {X, Y, X + W, Y + H}, {Src.Left, Src.Top, Src.Left + W, Src.Top + H}});
      }
  };
  const int InL = R.Left + P.L, InR = R.Right - P.Rt, InT = R.Top + P.T, InB = R.Bottom - P.B;
  Corner(R.Left, R.Top, P.L, P.T, SL, ST);
  Fill(TPieceRegion::Side, {R.Left, InT, InL, InB}, {SL, ST + P.T, SL + P.L, ST + P.T + Ch});
  Fill(TPieceRegion::Side, {InL, R.Top, InR, InT}, {SL + P.L, ST, SL + P.L + Cw, ST + P.T});
  Corner(R.Left, InB, P.L, P.B, SL, SB - P.B);
  Fill(TPieceRegion::Side, {InL, InB, InR, R.Bottom}, {SL + P.L, SB - P.B, SL + P.L + Cw, SB});
  Corner(InR, InB, P.Rt, P.B, SR - P.Rt, SB - P.B);
  Corner(InR, R.Top, P.Rt, P.T, SR - P.Rt, ST);
  Fill(TPieceRegion::Side, {InR, InT, R.Right, InB}, {SR - P.Rt, ST + P.T, SR, ST + P.T + Ch});
  if (P.Centre) Fill(TPieceRegion::Centre, {InL, InT, InR, InB}, {SL + P.L, ST + P.T, SL + P.L + Cw, ST + P.T + Ch});
  return Parts;
}

bool PieceLayoutFor(const TsMaskData& Mask, const TPixelRect& R, const TPixelRect& Clip, int State, int ImageCount,
                    TPieceLayout& Out) {
  if (ImageCount < 1 || Mask.MaskType < 0) return false;
  const int64_t Iw = (int64_t(Mask.R.Right) - Mask.R.Left) / ImageCount;
  const int64_t Ih = (int64_t(Mask.R.Bottom) - Mask.R.Top) / (Mask.MaskType + 1);
  const int64_t Sx = Mask.R.Left + Iw * std::clamp(State, 0, ImageCount - 1);
  if (!Near(Iw) || !Near(Ih) || !Near(Sx) || !Near(Mask.R.Top) || !Near(R.Left) || !Near(R.Top) ||
      !Near(R.Right) || !Near(R.Bottom))
    return false;
  Out.R = R;
  Out.Clip = Clip;
  Out.L = Mask.WL;
  Out.Rt = Mask.WR;
  Out.T = Mask.WT;
  Out.B = Mask.WB;
  FitBorders(R.Width(), Out.L, Out.Rt);
  FitBorders(R.Height(), Out.T, Out.B);
  Out.SrcX = int(Sx);
  Out.SrcY = Mask.R.Top;
  Out.ImgW = int(Iw);
  Out.ImgH = int(Ih);
  Out.Stretch = (Mask.DrawMode & 1) != 0;
  Out.Centre = (Mask.DrawMode & 4) != 0;
  return true;
}

void PaintMaskRect(const TPaintMaskRect& P) {
  if (P.Piece.Mask == nullptr || P.Piece.Image.Empty()) return;
  const TsMaskData& Mask = *P.Piece.Mask;
  if ((P.State == 0 && (Mask.DrawMode & 2) != 0) || int64_t(P.R.Right) - P.R.Left < 2 ||
      int64_t(P.R.Bottom) - P.R.Top < 2)
    return;
  TPieceLayout Layout;
  if (!PieceLayoutFor(Mask, P.R, P.Bmp.BoundsRect(), P.State, Mask.ImageCount, Layout)) return;
  if (Layout.ImgW - Layout.L - Layout.Rt < 0 || Layout.ImgH - Layout.T - Layout.B < 0) return;
  const TPixelView& Img = P.Piece.Image;
  const TsCacheView Bg = P.UseParentBg && Mask.CornerType > 0 ? P.CacheInfo : TsCacheView{};
  for (const TPiecePart& Part : PieceParts(Layout)) {
    const bool Corner = Part.Region == TPieceRegion::Corner;
    if (Mask.MaskType == 0) {
      if (Corner)
        CopyTransparentRect(P.Bmp, Img, Part.Src, clFuchsia, {Part.Dst.Left, Part.Dst.Top}, Bg);
      else if (Layout.Stretch)
        StretchInside(P.Bmp, Part.Dst, Img, Part.Src);
      else
        CopyInside(P.Bmp, {Part.Dst.Left, Part.Dst.Top}, Img, Part.Src);
    } else if (Corner || !Layout.Stretch) {
      CopyMasked({{Part.Dst.Left, Part.Dst.Top, Part.Dst.Right - 1, Part.Dst.Bottom - 1},
                  {Part.Src.Left, Part.Src.Top, Part.Src.Right - 1, Part.Src.Bottom - 1}, P.Bmp, &Mask, 1,
                  clFuchsia, Img});
      if (Corner) PutBackgroundUnderKey(P.Bmp, Img, Part.Src, {Part.Dst.Left, Part.Dst.Top}, Bg);
    } else {
      CopyMaskedStretched({Part.Dst.Left, Part.Dst.Top, Part.Dst.Width(), Part.Dst.Height(), Part.Src.Left,
                           Part.Src.Top, Part.Src.Width(), Part.Src.Height(), P.Bmp, Img, Layout.ImgH,
                           Part.Region == TPieceRegion::Centre});
    }
  }
}

void PaintMaskState(const TPaintMaskState& P) {
  if (P.Piece.Mask == nullptr || P.Piece.Image.Empty()) return;
  const TsMaskData& Mask = *P.Piece.Mask;
  const int64_t Iw = MaskImageWidth(Mask), Ih = MaskImageHeight(Mask);
  const int64_t Dx = P.Pt.X < 0 ? -int64_t(P.Pt.X) : 0, Dy = P.Pt.Y < 0 ? -int64_t(P.Pt.Y) : 0;
  const int64_t Sx = Mask.R.Left + std::max(std::min(P.State, Mask.ImageCount - 1), 0) * Iw + Dx;
  const int64_t Sy = Mask.R.Top + Dy;
  if (!Near(Sx) || !Near(Sy) || !Near(Iw) || !Near(Ih) || !Near(P.Pt.X) || !Near(P.Pt.Y) || Iw - Dx < 1 ||
      Ih - Dy < 1)
    return;
  const TPixelRect Src{int(Sx), int(Sy), int(Sx + Iw - Dx), int(Sy + Ih - Dy)};
  const TPixelPoint To{int(P.Pt.X + Dx), int(P.Pt.Y + Dy)};
  const TCopyMasked Masked{{To.X, To.Y, To.X + Src.Width() - 1, To.Y + Src.Height() - 1},
                           {Src.Left, Src.Top, Src.Right - 1, Src.Bottom - 1}, P.Bmp, &Mask, P.Mode, clFuchsia,
                           P.Piece.Image};
  if (P.Piece.OwnImage) {
    if (P.Piece.Image.Width >= Mask.R.Right && P.Piece.Image.Height >= Mask.R.Bottom) CopyMasked(Masked);
  } else if (Mask.ImageCount != 0) {
    if (Mask.MaskType >= 1)
      CopyMasked(Masked);
    else if (P.Mode == 1)
      CopyTransparentRect(P.Bmp, P.Piece.Image, Src, clFuchsia, To, P.CacheInfo);
    else
      BlendBitmaps(P.Bmp, To.X, To.Y, P.Piece.Image, Src, 0.5, clFuchsia);
  }
}

void CollectTransparentPixels(std::vector<TPixelRect>& Rects, int TargetWidth, const TsPieceView& Piece,
                              int TargetY, bool Bottom) {
  if (Piece.Mask == nullptr || Piece.Image.Empty()) return;
  const TsMaskData& Mask = *Piece.Mask;
  const int64_t Iw = MaskImageWidth(Mask), Ih = MaskImageHeight(Mask);
  const int Rows = Bottom ? Mask.WB : Mask.WT;
  const int64_t Top = Mask.R.Top + (Bottom ? Ih - Mask.WB : 0);
  if (Rows <= 0 || Top < 0 || Top + Rows > Piece.Image.Height || Mask.R.Left < 0 || !Near(TargetY) ||
      !Near(TargetWidth))
    return;
  auto Corner = [&](int64_t First, int64_t Last, int64_t PlaceX) {
    First = std::max<int64_t>(First, 0);
    Last = std::min<int64_t>(Last, Piece.Image.Width - 1 - Mask.R.Left);
    for (int Row = 0; Row < Rows; ++Row) {
      const TColor32* Line = Piece.Image.PixelPtr(Mask.R.Left, int(Top) + Row);
      for (int64_t C = First; C <= Last; ++C) {
        // A key pixel is known by its colour whatever alpha the loaded image gave it.
        auto IsKey = [](TColor32 P) { return (P & 0x00FFFFFFu) == KeyPixel; };
        if (!IsKey(Line[C])) continue;
        const int64_t Start = C;
        while (C + 1 <= Last && IsKey(Line[C + 1])) ++C;
        Rects.push_back({int(PlaceX + Start), TargetY + Row, int(PlaceX + C + 1), TargetY + Row + 1});
      }
    }
  };
  Corner(0, Mask.WL - 1, 0);
  Corner(Iw - Mask.WR, Iw - 1, int64_t(TargetWidth) - Iw);
}
