#include "widgets/Bitmap32_Transforms.h"

#include "widgets/Bitmap32_Blend.h"
#include "widgets/Bitmap32_LowLevel.h"
#include "widgets/Bitmap32_Resamplers.h"

#include <cmath>
#include <vector>

bool FullEdge = true;

TPixelCombiner::TPixelCombiner(const TCombineInfo& Info)
    : Mode(Info.Mode), Master(Info.MasterAlpha & 0xFF), CallBack(&Info.CallBack) {
  if (Mode == dmCustom && !Info.CallBack) Mode = dmOpaque;
}

void TPixelCombiner::Put(TColor32 F, TColor32& B) const {
  switch (Mode) {
    case dmOpaque: B = F; break;
    case dmBlend: BlendMemEx(F, B, Master); break;
    case dmCustom: (*CallBack)(F, B, Master); break;
  }
}

void TPixelCombiner::PutLine(const TColor32* Src, TColor32* Dst, int Count) const {
  switch (Mode) {
    case dmOpaque: MoveLongword(Src, Dst, Count); break;
    case dmBlend: Master == 255 ? BlendLine(Src, Dst, Count) : BlendLineEx(Src, Dst, Count, Master); break;
    case dmCustom:
      for (int I = 0; I < Count; ++I) (*CallBack)(Src[I], Dst[I], Master);
      break;
  }
}

namespace {

// Source position of each target position ClipLo .. ClipHi - 1 of DstLo .. DstHi.
std::vector<int> NearestMap(int DstLo, int DstHi, int ClipLo, int ClipHi, int SrcLo, int SrcHi) {
  const int SrcW = SrcHi - SrcLo, DstW = DstHi - DstLo;
  std::vector<int> Map(ClipHi - ClipLo);
  for (int X = ClipLo; X < ClipHi; ++X) {
    int S;
    if (DstW == 1) {
      S = (SrcLo + SrcHi - 1) / 2;
    } else if (FullEdge) {
      const float Scale = float(SrcW) / float(DstW);
      S = int(double(SrcLo) + double(X - DstLo) * Scale);
    } else {
      const float Scale = float(SrcW - 1) / float(DstW - 1);
      S = SrcLo + int(std::nearbyint(double(X - DstLo) * Scale));
    }
    Map[X - ClipLo] = Constrain(S, SrcLo, SrcHi - 1);
  }
  return Map;
}

void StretchNearest(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& Clip,
                    const TPixelView& Src, const TPixelRect& SrcRect, const TPixelCombiner& Put) {
  const std::vector<int> Cols = NearestMap(DstRect.Left, DstRect.Right, Clip.Left, Clip.Right, SrcRect.Left, SrcRect.Right);
  const std::vector<int> Rows = NearestMap(DstRect.Top, DstRect.Bottom, Clip.Top, Clip.Bottom, SrcRect.Top, SrcRect.Bottom);
  std::vector<TColor32> Line(Cols.size());
  for (int Y = Clip.Top; Y < Clip.Bottom; ++Y) {
    const TColor32* S = Src.ScanLine(Rows[Y - Clip.Top]);
    for (size_t I = 0; I < Cols.size(); ++I) Line[I] = S[Cols[I]];
    Put.PutLine(Line.data(), Dst.PixelPtr(Clip.Left, Y), Clip.Width());
  }
}

}  // namespace

void BlockTransfer(const TPixelView& Dst, int DstX, int DstY, const TPixelRect& DstClip,
                   const TPixelView& Src, const TPixelRect& SrcRect, const TCombineInfo& Combine) {
  const TPixelRect DstRect{DstX, DstY, DstX + SrcRect.Width(), DstY + SrcRect.Height()};
  StretchTransfer(Dst, DstRect, DstClip, Src, SrcRect, sfNearest, Combine);
}

void StretchTransfer(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelRect& DstClip,
                     const TPixelView& Src, const TPixelRect& SrcRect, TStretchFilter Filter,
                     const TCombineInfo& Combine) {
  if (Dst.Empty()) throw ETransformError("Destination bitmap is nil or empty");
  if (Src.Empty()) throw ETransformError("Source bitmap is nil or empty");
  if (IsRectEmpty(SrcRect)) return;
  if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src.Width || SrcRect.Bottom > Src.Height)
    throw ETransformError("Source rectangle is invalid");
  TPixelRect Clip;
  if (!IntersectRect(Clip, DstRect, Dst.BoundsRect()) || !IntersectRect(Clip, Clip, DstClip)) return;
  const TPixelCombiner Put(Combine);
  if (Put.DrawsNothing()) return;

  if (DstRect.Width() == SrcRect.Width() && DstRect.Height() == SrcRect.Height()) {
    const int Dx = SrcRect.Left - DstRect.Left, Dy = SrcRect.Top - DstRect.Top;
    // Within one picture, rows moving down are copied bottom-up so that none is overwritten first.
    const bool Upwards = Src.Bits == Dst.Bits && Dy < 0;
    for (int I = 0; I < Clip.Height(); ++I) {
      const int Y = Upwards ? Clip.Bottom - 1 - I : Clip.Top + I;
      Put.PutLine(Src.PixelPtr(Clip.Left + Dx, Y + Dy), Dst.PixelPtr(Clip.Left, Y), Clip.Width());
    }
    return;
  }
  switch (Filter) {
    case sfNearest: StretchNearest(Dst, DstRect, Clip, Src, SrcRect, Put); break;
    case sfLinear:
      if (DstRect.Width() > SrcRect.Width() && DstRect.Height() > SrcRect.Height())
        LinearEnlarge(Dst, DstRect, Clip, Src, SrcRect, Combine);
      else
        Resample(Dst, DstRect, Clip, Src, SrcRect, Filter, Combine);
      break;
    default: Resample(Dst, DstRect, Clip, Src, SrcRect, Filter, Combine); break;
  }
}
