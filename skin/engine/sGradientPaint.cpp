#include "skin/engine/sGradientPaint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "widgets/Bitmap32_LowLevel.h"

namespace {

int Channel(TColor C, int I) { return int((uint32_t(C) >> (8 * I)) & 0xFF); }

// Channels stepped from Color1 to Color2 over Len positions: 64-bit increments, values kept as 32-bit
// floats, rounded to nearest with ties to even.
class TColorStepper {
 public:
  TColorStepper(TColor Color1, TColor Color2, int Len) {
    for (int I = 0; I < 3; ++I) {
      Value[I] = float(Channel(Color1, I));
      Step[I] = double(Channel(Color2, I) - Channel(Color1, I)) / Len;
    }
  }
  TColor32 Pixel() const {
    return 0xFF000000u | (Round(Value[0]) << 16) | (Round(Value[1]) << 8) | Round(Value[2]);
  }
  void Advance() {
    for (int I = 0; I < 3; ++I) Value[I] = float(double(Value[I]) + Step[I]);
  }

 private:
  static uint32_t Round(float V) { return uint32_t(std::clamp(std::nearbyint(double(V)), 0.0, 255.0)); }
  float Value[3];
  double Step[3];
};

TColor32 OpaquePixel(TColor C) {
  return 0xFF000000u | uint32_t(Channel(C, 0)) << 16 | uint32_t(Channel(C, 1)) << 8 | uint32_t(Channel(C, 2));
}

// Rows (vertical) or columns (horizontal) of each step: Paint(Start, End, Step) runs for the bands
// that have positions, End inclusive; the last step reaches Last.
template <class Next, class Paint>
void ForEachBand(const TsGradArray& Data, int Pos, int Last, Next NextPos, Paint PaintBand) {
  const size_t N = Data.size() - 1;
  for (size_t I = 0; I <= N; ++I) {
    const int Start = Pos;
    Pos = I == N ? Last : std::min(NextPos(Start, Data[I]), Last);
    if (Pos - Start > 0) PaintBand(Start, Pos, Data[I]);
  }
}

// Row R.Top's span of R copied into the rows below, repeating the first Period rows.
void RepeatRows(const TPixelView& Bmp, const TPixelRect& R, int Period) {
  for (int Y = R.Top + Period; Y < R.Bottom; ++Y)
    MoveLongword(Bmp.PixelPtr(R.Left, R.Top + (Y - R.Top) % Period), Bmp.PixelPtr(R.Left, Y), R.Width());
}

// The horizontal kind's colours along row R.Top.
void PaintHorizontalRow(const TPixelView& Bmp, const TPixelRect& R, const TsGradArray& Data) {
  const double Unit = R.Width() / 100.0;
  TColor32* Row = Bmp.ScanLine(R.Top);
  ForEachBand(
      Data, R.Left, R.Right - 1,
      [Unit](int Start, const TsGradStep& S) { return int(std::nearbyint(S.Percent * Unit + Start)); },
      [Row](int Start, int End, const TsGradStep& S) {
        TColorStepper C(S.Color1, S.Color2, End - Start);
        for (int X = Start; X <= End; ++X, C.Advance()) Row[X] = C.Pixel();
      });
}

// The vertical kind's rows: Row(Y, Pixel) for each row of R from Top on.
template <class RowOut>
void VerticalBands(const TPixelRect& R, const TsGradArray& Data, int OffsetY, bool SameColorShortcut, RowOut Row) {
  const int Height = R.Height();
  ForEachBand(
      Data, R.Top + OffsetY, R.Bottom - 1,
      [Height, OffsetY](int Start, const TsGradStep& S) {
        return int(std::clamp<int64_t>(Start + (int64_t(Height) + OffsetY) * S.Percent / 100, INT32_MIN, INT32_MAX));
      },
      [&](int Start, int End, const TsGradStep& S) {
        const int First = std::max(Start, R.Top);
        if (SameColorShortcut && S.Color1 == S.Color2) {
          for (int Y = First; Y <= End; ++Y) Row(Y, OpaquePixel(S.Color1));
          return;
        }
        TColorStepper C(S.Color1, S.Color2, End - Start);
        for (int Y = Start; Y <= End; ++Y, C.Advance())
          if (Y >= First) Row(Y, C.Pixel());
      });
}

// (G * 256 + (B - G) * T) shr 8 per colour channel, alpha 255.
TColor32 Mix(TColor32 G, TColor32 B, int T) {
  TColor32 Out = 0xFF000000u;
  for (int Shift = 0; Shift < 24; Shift += 8) {
    const int Gc = int((G >> Shift) & 0xFF), Bc = int((B >> Shift) & 0xFF);
    Out |= uint32_t((Gc * 256 + (Bc - Gc) * T) >> 8) << Shift;
  }
  return Out;
}

}  // namespace

bool GradientArea(const TPixelView& Bmp, TPixelRect& R) {
  if (IsRectEmpty(R) || Bmp.Empty()) return false;
  R.Right = std::min(R.Right, Bmp.Width);
  R.Bottom = std::min(R.Bottom, Bmp.Height);
  R.Left = std::max(R.Left, 0);
  R.Top = std::max(R.Top, 0);
  // A rectangle wholly beside the bitmap is left empty by the cuts.
  return !IsRectEmpty(R);
}

void PaintGradient(const TPixelView& Bmp, TPixelRect R, const TsGradArray& Data, int /*OffsetX*/, int OffsetY) {
  if (!GradientArea(Bmp, R) || Data.empty()) return;
  switch (Data[0].Mode) {
    case 0:
      VerticalBands(R, Data, OffsetY, true,
                    [&](int Y, TColor32 P) { FillLongword(Bmp.PixelPtr(R.Left, Y), R.Width(), P); });
      break;
    case 1:
      PaintHorizontalRow(Bmp, R, Data);
      RepeatRows(Bmp, R, 1);
      break;
    default: break;
  }
}

void PaintGradientBlended(const TPixelView& Bmp, TPixelRect R, const TsGradArray& Data, const TPixelView& Bg,
                          TPixelRect BgRect, int Transparency) {
  if (!GradientArea(Bmp, R) || Data.empty() || Bg.Empty()) return;
  if (IsRectEmpty(BgRect)) BgRect = Bg.BoundsRect();
  // A tile reaching left of or above the background starts at its edge.
  BgRect.Left = std::max(BgRect.Left, 0);
  BgRect.Top = std::max(BgRect.Top, 0);
  int Tw = std::max(BgRect.Width(), 0), Th = std::max(BgRect.Height(), 0);
  if (Bg.Height - 1 < BgRect.Top + Th) Th = Bg.Height - 1 - BgRect.Top;
  if (Bg.Width - 1 < BgRect.Left + Tw) Tw = Bg.Width - 1 - BgRect.Left;
  // Positions are taken modulo the tile's size: an empty tile paints nothing.
  if (Th <= 0 || Tw <= 0) return;
  const int T = Transparency & 0xFF;
  auto BgPixel = [&](int X, int Y) { return *Bg.PixelPtr(BgRect.Left + X % Tw, BgRect.Top + Y % Th); };
  auto MixRow = [&](int Y, const TColor32* G) {
    TColor32* Out = Bmp.ScanLine(Y);
    for (int X = R.Left; X < R.Right; ++X) Out[X] = Mix(G[X], BgPixel(X, Y), T);
  };
  switch (Data[0].Mode) {
    case 0:
      VerticalBands(R, Data, 0, false, [&](int Y, TColor32 P) {
        TColor32* Out = Bmp.ScanLine(Y);
        for (int X = R.Left; X < R.Right; ++X) Out[X] = Mix(P, BgPixel(X, Y), T);
      });
      break;
    case 1: {
      PaintHorizontalRow(Bmp, R, Data);
      const int K = std::min(Th, R.Height()) - 1;
      const TColor32* Plain = Bmp.ScanLine(R.Top);
      for (int Y = R.Top + 1; Y <= R.Top + K; ++Y) MixRow(Y, Plain);
      MixRow(R.Top, Plain);
      // The mixed block repeats downward; with K = 0 row by row. The last row is filled too.
      if (R.Bottom - 1 > R.Top + K) RepeatRows(Bmp, R, std::max(K, 1));
      break;
    }
    default: break;
  }
}

std::array<TGradientVertex, 5> GradientTriangleVertices(const TPixelRect& R, const TsGradArray& Data) {
  const int Xs[5] = {R.Left, R.Left + R.Width() / 2, R.Right, R.Right, R.Left};
  const int Ys[5] = {R.Top, R.Top + R.Height() / 2, R.Top, R.Bottom, R.Bottom};
  std::array<TGradientVertex, 5> V;
  TColor Color = Data.empty() ? TColor(0) : Data[0].Color1;
  for (size_t I = 0; I < 5; ++I) {
    if (I < Data.size()) Color = Data[I].Color1;
    V[I] = {Xs[I], Ys[I], Color};
  }
  return V;
}
