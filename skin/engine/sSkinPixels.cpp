#include "skin/engine/sSkinPixels.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skin/engine/sAlphaPixels.h"
#include "skin/engine/sSkinResize.h"

namespace {

uint8_t Byte(uint32_t Value, int I) { return uint8_t(Value >> (8 * I)); }
// Rounded to nearest (ties to even) and limited to 0..255.
uint32_t RoundByte(double V) { return uint32_t(std::clamp(std::nearbyint(V), 0.0, 255.0)); }

}  // namespace

uint32_t ChangeColorSaturation(int Delta, uint32_t Pixel) {
  if (Delta == 0) return Pixel;
  const double Avg = (Byte(Pixel, 0) + Byte(Pixel, 1) + Byte(Pixel, 2)) / 3.0;
  uint32_t Out = Pixel & 0xFF000000u;
  for (int I = 0; I < 3; ++I) {
    const double C = Byte(Pixel, I);
    Out |= RoundByte(C - (Avg - C) * Delta / 100) << (8 * I);
  }
  return Out;
}

TColor ChangeSaturation(TColor Color, int Delta) {
  return Delta == 0 ? Color : TColor(ChangeColorSaturation(Delta, uint32_t(Color)));
}

uint32_t ChangePixelHue(int Delta, uint32_t Pixel) {
  const double R = Byte(Pixel, 2), G = Byte(Pixel, 1), B = Byte(Pixel, 0);
  const double V = std::max({R, G, B}), D = V - std::min({R, G, B});
  const double S = V == 0 ? 0 : D / V;
  if (S == 0) return Pixel;
  const double K = 60 / D;
  double H = V == R ? (G - B) * K : V == G ? 120 + (B - R) * K : 240 + (R - G) * K;
  if (H < 0) H += 360;
  // A negative sum wraps too, so a turn of -120 is a turn of 240.
  const int H2 = ((int(std::nearbyint(Delta + H)) % 360) + 360) % 360;
  const double Hs = H2 / 60.0;
  const int Sector = int(Hs);
  const double F = Hs - Sector;
  const double P = std::clamp((1 - S) * V, 0.0, 255.0), Q = std::clamp((1 - S * F) * V, 0.0, 255.0),
               T = std::clamp((1 - (1 - F) * S) * V, 0.0, 255.0);
  double Rgb[3];
  switch (Sector) {
    case 0: Rgb[0] = V, Rgb[1] = T, Rgb[2] = P; break;
    case 1: Rgb[0] = Q, Rgb[1] = V, Rgb[2] = P; break;
    case 2: Rgb[0] = P, Rgb[1] = V, Rgb[2] = T; break;
    case 3: Rgb[0] = P, Rgb[1] = Q, Rgb[2] = V; break;
    case 4: Rgb[0] = T, Rgb[1] = P, Rgb[2] = V; break;
    default: Rgb[0] = V, Rgb[1] = P, Rgb[2] = Q; break;
  }
  return (Pixel & 0xFF000000u) | (RoundByte(Rgb[0]) << 16) | (RoundByte(Rgb[1]) << 8) | RoundByte(Rgb[2]);
}

TColor ChangeColorHue(int Delta, TColor Color) {
  if (Delta == 0) return Color;
  return TColor(SwapRB32(ChangePixelHue(Delta, SwapRB32(uint32_t(Color)))));
}

TColor SwapRedBlue(TColor C) {
  const uint32_t U = uint32_t(C);
  return TColor((U >> 16) + uint32_t(C % 256) * 65536u + (((U >> 8) & 255u) << 8));
}

namespace {

template <class Keep>
void Grayscale(const TPixelView& Bmp, Keep Skip) {
  if (Bmp.Empty()) return;
  for (int Y = 0; Y < Bmp.Height; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = 0; X < Bmp.Width; ++X) {
      if (Skip(P[X])) continue;
      const uint32_t Gray = (Byte(P[X], 0) + Byte(P[X], 1) + Byte(P[X], 2)) / 3;
      P[X] = (P[X] & 0xFF000000u) | Gray * 0x010101u;
    }
  }
}

}  // namespace

void GrayscaleBitmap(const TPixelView& Bmp) {
  Grayscale(Bmp, [](TColor32) { return false; });
}

void GrayscaleBitmapExcept(const TPixelView& Bmp, TColor Key) {
  const TColor32 KeyPixel = SwapRB32(uint32_t(Key));
  Grayscale(Bmp, [KeyPixel](TColor32 P) { return P == KeyPixel; });
}

void ArrowPixels(const TPixelRect& R, int Direction, const std::function<void(int X, int Y)>& Plot) {
  const int W = R.Width(), H = R.Height();
  if (Direction == 4) {
    const int X0 = R.Left + (W - 3) / 2, Y0 = R.Top + (H - 6) / 2;
    for (int I = 0; I <= 3; ++I) {
      for (int Y = Y0 + I; Y <= Y0 + 6 - I; ++Y) Plot(X0 + I, Y);
    }
  } else if (Direction == 8) {
    const int X0 = R.Left + (W - 6) / 2 - 1, Y0 = R.Top + (H - 3) / 2 - 1;
    for (int I = 0; I <= 3; ++I) {
      for (int X = X0 + I; X <= X0 + 7 - I; ++X) Plot(X, Y0 + I);
    }
  }
}

// ---- Blending, fading and keyed copies.

namespace {

constexpr uint32_t ColorBytes = 0x00FFFFFFu;

template <class F>
void ForEachPixel(const TPixelView& Bmp, F Change) {
  if (Bmp.Empty()) return;
  for (int Y = 0; Y < Bmp.Height; ++Y) {
    TColor32* P = Bmp.ScanLine(Y);
    for (int X = 0; X < Bmp.Width; ++X) Change(P[X]);
  }
}

bool IsGray(TColor32 P) { return Byte(P, 0) == Byte(P, 1) && Byte(P, 1) == Byte(P, 2); }

bool SameSize(const TPixelView& A, const TPixelView& B) {
  return !A.Empty() && !B.Empty() && A.Width == B.Width && A.Height == B.Height;
}

// Source and target rectangles of one size inside both views: sizes cut to the smaller, coordinates
// left of or above a view cut from both rectangles. False when nothing is left.
bool CutCommon(const TPixelView& Dst, TPixelRect& DstRect, const TPixelView& Src, TPixelRect& SrcRect) {
  if (Dst.Empty() || Src.Empty()) return false;
  const int Dx = std::max({0, -DstRect.Left, -SrcRect.Left}), Dy = std::max({0, -DstRect.Top, -SrcRect.Top});
  DstRect.Left += Dx, SrcRect.Left += Dx, DstRect.Top += Dy, SrcRect.Top += Dy;
  const int W = std::min({DstRect.Width(), SrcRect.Width(), Dst.Width - DstRect.Left, Src.Width - SrcRect.Left});
  const int H = std::min({DstRect.Height(), SrcRect.Height(), Dst.Height - DstRect.Top, Src.Height - SrcRect.Top});
  if (W <= 0 || H <= 0) return false;
  DstRect = {DstRect.Left, DstRect.Top, DstRect.Left + W, DstRect.Top + H};
  SrcRect = {SrcRect.Left, SrcRect.Top, SrcRect.Left + W, SrcRect.Top + H};
  return true;
}

// The rectangle a source rectangle covers at (X, Y).
TPixelRect At(int X, int Y, const TPixelRect& SrcRect) {
  return {X, Y, X + SrcRect.Width(), Y + SrcRect.Height()};
}

// Calls Each(Dst pixel, Src pixel, target X, target Y) over two cut rectangles of one size.
template <class F>
void ForEachPair(const TPixelView& Dst, const TPixelRect& DstRect, const TPixelView& Src, const TPixelRect& SrcRect,
                 F Each) {
  for (int Y = 0; Y < DstRect.Height(); ++Y) {
    TColor32* D = Dst.PixelPtr(DstRect.Left, DstRect.Top + Y);
    const TColor32* S = Src.PixelPtr(SrcRect.Left, SrcRect.Top + Y);
    for (int X = 0; X < DstRect.Width(); ++X) Each(D[X], S[X], DstRect.Left + X, DstRect.Top + Y);
  }
}

// The background's pixel behind target (X, Y); false when it lies outside its bitmap.
bool BackgroundPixel(const TsCacheView& Bg, int X, int Y, TColor32& Out) {
  if (Bg.Bmp.Empty()) return false;
  const int64_t Bx = int64_t(Bg.X) + X, By = int64_t(Bg.Y) + Y;
  if (Bx < 0 || By < 0 || Bx >= Bg.Bmp.Width || By >= Bg.Bmp.Height) return false;
  Out = *Bg.Bmp.PixelPtr(int(Bx), int(By)) | 0xFF000000u;
  return true;
}

// A key pixel of a copy: the fill colour, else the ready background, else left as it is.
void KeyFromBackground(TColor32& D, const TsCacheView& Bg, int X, int Y) {
  if (Bg.FillColor != clFuchsia)
    D = SwapRB32(uint32_t(Bg.FillColor)) | 0xFF000000u;
  else if (Bg.Ready)
    BackgroundPixel(Bg, X, Y, D);
}

// One source pixel S drawn by its alpha A onto D.
void AlphaPixel(TColor32& D, TColor32 S, uint32_t A) {
  TColor32 Out = 0;
  for (int I = 0; I < 3; ++I) {
    const int Dc = Byte(D, I), Sc = Byte(S, I);
    Out |= uint32_t((Dc * 256 + (Sc - Dc) * int(A)) >> 8) << (8 * I);
  }
  uint32_t Da = Byte(D, 3);
  if (A != 0) Da += (255 - Da) * A / 255;
  D = Out | Da << 24;
}

// How a source pixel becomes the one drawn: tint and alpha scale.
struct TAlphaStyle {
  int Percent = 0;
  TColor Tint = TintNone;
  uint32_t Factor = 255;  // a further alpha scale, / 255
};

TColor32 Styled(TColor32 S, const TAlphaStyle& St) {
  if (St.Tint != TintNone) {
    const uint32_t Gray = (Byte(S, 0) + Byte(S, 1) + Byte(S, 2)) / 3, T = SwapRB32(uint32_t(St.Tint));
    S = (S & 0xFF000000u) | (Gray * Byte(T, 2) / 255) << 16 | (Gray * Byte(T, 1) / 255) << 8 | Gray * Byte(T, 0) / 255;
  }
  uint32_t A = Byte(S, 3) * uint32_t(100 - St.Percent) / 100;
  A = A * St.Factor / 255;
  return (S & ColorBytes) | A << 24;
}

// The alpha drawing of two cut rectangles of one size; Mirror draws the source's rows bottom up.
void AlphaDraw(const TPieceDraw& D, const TPixelRect& DstRect, const TPixelRect& SrcRect, const TAlphaStyle& St) {
  const TsCacheView& Bg = D.Background;
  ForEachPair(D.Dst, DstRect, D.Src, SrcRect, [&](TColor32& Dp, TColor32 S, int X, int Y) {
    if (!Bg.Ready || S != KeyPixel) {
      const TColor32 P = Styled(S, St);
      AlphaPixel(Dp, P, P >> 24);
    } else if (D.FillFromBackground) {
      BackgroundPixel(Bg, X, Y, Dp);
    }
  });
}

}  // namespace

void ChangeBitmapHue(const TPixelView& Bmp, int Delta) {
  ForEachPixel(Bmp, [Delta](TColor32& P) {
    if ((P & ColorBytes) != KeyPixel && !IsGray(P)) P = ChangePixelHue(Delta, P);
  });
}

void ChangeBitmapSaturation(const TPixelView& Bmp, int Delta) {
  ForEachPixel(Bmp, [Delta](TColor32& P) {
    if ((P & ColorBytes) != KeyPixel && !IsGray(P)) P = ChangeColorSaturation(Delta, P);
  });
}

void BlendBitmaps(const TPixelView& Dst, int X, int Y, const TPixelView& Src, TPixelRect SrcRect, double F,
                  TColor Key) {
  TPixelRect DstRect = At(X, Y, SrcRect);
  if (!CutCommon(Dst, DstRect, Src, SrcRect)) return;
  const TColor32 KeyP = SwapRB32(uint32_t(Key));
  ForEachPair(Dst, DstRect, Src, SrcRect, [&](TColor32& D, TColor32 S, int, int) {
    if (S == KeyP) return;
    TColor32 Out = D & 0xFF000000u;
    for (int I = 0; I < 3; ++I) Out |= RoundByte(Byte(S, I) * (1 - F) + Byte(D, I) * F) << (8 * I);
    D = Out;
  });
}

void FadeBitmapToColor(const TPixelView& Bmp, TColor Color, double F) {
  const TColor32 C = SwapRB32(uint32_t(Color));
  ForEachPixel(Bmp, [&](TColor32& P) {
    if (P == KeyPixel) return;
    TColor32 Out = P & 0xFF000000u;
    for (int I = 0; I < 3; ++I) Out |= RoundByte((Byte(P, I) - Byte(C, I)) * F + Byte(C, I)) << (8 * I);
    P = Out;
  });
}

void SumBitmaps(const TPixelView& Dst, const TPixelView& Src, uint8_t Weight) {
  if (!SameSize(Dst, Src)) return;
  SumBitmapsRect(Dst, Src, Weight, {0, 0}, Src.BoundsRect());
}

void SumBitmapsRect(const TPixelView& Dst, const TPixelView& Src, uint8_t Weight, TPixelPoint Pt, TPixelRect SrcRect) {
  TPixelRect DstRect = At(Pt.X, Pt.Y, SrcRect);
  TacFastSum32 Sum;
  if (!CutCommon(Dst, DstRect, Src, SrcRect) || !Sum.Attach(Src, Dst)) return;
  Sum.Alpha = Weight;
  Sum.DstRect = DstRect;
  Sum.SrcRect = SrcRect;
  Sum.BlendBytes();
}

void MultiplyBitmaps(const TPixelView& Dst, const TPixelView& Src, TColor C) {
  if (!SameSize(Dst, Src)) return;
  const TColor32 Cp = SwapRB32(uint32_t(C));
  ForEachPair(Dst, Dst.BoundsRect(), Src, Src.BoundsRect(), [Cp](TColor32& D, TColor32 S, int, int) {
    TColor32 Out = D & 0xFF000000u;
    for (int I = 0; I < 3; ++I) {
      const int Dc = Byte(D, I), Cc = Byte(Cp, I);
      Out |= uint32_t(((Dc - Cc) * Byte(S, I) + Cc * 256) / 256) << (8 * I);
    }
    D = Out;
  });
}

void MixBitmaps(const TPixelView& Out, const TPixelView& A, const TPixelView& B, int W, const TPixelView& Mask) {
  if (!SameSize(Out, A) || !SameSize(Out, B) || (!Mask.Empty() && !SameSize(Out, Mask))) return;
  W = std::clamp(W, 0, 256);
  for (int Y = 0; Y < Out.Height; ++Y) {
    TColor32* O = Out.ScanLine(Y);
    const TColor32 *Pa = A.ScanLine(Y), *Pb = B.ScanLine(Y), *M = Mask.Empty() ? nullptr : Mask.ScanLine(Y);
    for (int X = 0; X < Out.Width; ++X) {
      TColor32 R = 0;
      for (int I = 0; I < 4; ++I) {
        const int Wi = M ? Byte(M[X], I) : W, Ab = Byte(Pa[X], I), Bb = Byte(Pb[X], I);
        R |= uint32_t(((Ab - Bb) * Wi + Bb * 256) / 256) << (8 * I);
      }
      O[X] = R;
    }
  }
}

TColor BlendColors(TColor C1, TColor C2, double F) {
  uint32_t Out = uint32_t(C1) & 0xFF000000u;
  for (int I = 0; I < 3; ++I)
    Out |= RoundByte(Byte(uint32_t(C1), I) * F + Byte(uint32_t(C2), I) * (1 - F)) << (8 * I);
  return TColor(Out);
}

void DrawAlphaGlyph(const TPieceDraw& D) {
  TPixelRect DstRect = D.DstRect, SrcRect = D.SrcRect;
  if (CutCommon(D.Dst, DstRect, D.Src, SrcRect)) AlphaDraw(D, DstRect, SrcRect, {});
}

void StretchDrawAlpha(const TStretchDrawAlpha& D) {
  if (D.Dst.Empty() || D.Src.Empty() || IsRectEmpty(D.DstRect) || IsRectEmpty(D.SrcRect)) return;
  TPieceDraw Draw = D;
  // A source of another size is resized to the target's first.
  std::vector<TColor32> Resized;
  if (D.SrcRect.Width() != D.DstRect.Width() || D.SrcRect.Height() != D.DstRect.Height()) {
    TPixelRect Inside;
    if (!IntersectRect(Inside, D.SrcRect, D.Src.BoundsRect()) || Inside != D.SrcRect) return;
    Resized.assign(size_t(D.DstRect.Width()) * D.DstRect.Height(), 0);
    Draw.Src = {Resized.data(), D.DstRect.Width(), D.DstRect.Height(), D.DstRect.Width()};
    Draw.SrcRect = Draw.Src.BoundsRect();
    StretchPart(D.Src, D.SrcRect, Draw.Src, 6);
  }
  const TAlphaStyle Style{std::clamp(D.BlendPercent, 0, 100), D.Tint, 255};
  TPixelRect DstRect = Draw.DstRect, SrcRect = Draw.SrcRect;
  if (CutCommon(Draw.Dst, DstRect, Draw.Src, SrcRect)) AlphaDraw(Draw, DstRect, SrcRect, Style);
  if (!D.Reflected) return;
  // Below the target, the source's rows upside down, fading from half strength to nothing.
  const int Rows = Draw.DstRect.Height() / 2;
  for (int K = 0; K < Rows; ++K) {
    TPixelRect Row{Draw.DstRect.Left, Draw.DstRect.Bottom + K, Draw.DstRect.Right, Draw.DstRect.Bottom + K + 1};
    TPixelRect From{Draw.SrcRect.Left, Draw.SrcRect.Bottom - 1 - K, Draw.SrcRect.Right, Draw.SrcRect.Bottom - K};
    if (CutCommon(Draw.Dst, Row, Draw.Src, From))
      AlphaDraw(Draw, Row, From, {Style.Percent, Style.Tint, uint32_t(128 * (Rows - K) / Rows)});
  }
}

void CopyBitmapTransparent(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TColor Key) {
  TPixelRect SrcRect = Src.BoundsRect(), DstRect = At(X, Y, SrcRect);
  if (!CutCommon(Dst, DstRect, Src, SrcRect)) return;
  const TColor32 KeyP = SwapRB32(uint32_t(Key)) & ColorBytes;
  ForEachPair(Dst, DstRect, Src, SrcRect, [KeyP](TColor32& D, TColor32 S, int, int) {
    if ((S & ColorBytes) != KeyP) D = S | 0xFF000000u;
  });
}

namespace {

void CopyKeyed(const TPixelView& Dst, TPixelRect DstRect, const TPixelView& Src, TPixelRect SrcRect, TColor Key,
               const TsCacheView* Bg) {
  if (!CutCommon(Dst, DstRect, Src, SrcRect)) return;
  const TColor32 KeyP = SwapRB32(uint32_t(Key)) & ColorBytes;
  ForEachPair(Dst, DstRect, Src, SrcRect, [&](TColor32& D, TColor32 S, int X, int Y) {
    if ((S & ColorBytes) != KeyP)
      D = S | 0xFF000000u;
    else if (Bg)
      KeyFromBackground(D, *Bg, X, Y);
  });
}

}  // namespace

void CopyTransparentRect(const TPixelView& Dst, const TPixelView& Src, TPixelRect SrcRect, TColor Key,
                         TPixelPoint Pt, const TsCacheView& Bg) {
  CopyKeyed(Dst, At(Pt.X, Pt.Y, SrcRect), Src, SrcRect, Key, &Bg);
}

void CopyPieceRect(const TPieceDraw& D) {
  CopyKeyed(D.Dst, D.DstRect, D.Src, D.SrcRect, clFuchsia, D.FillFromBackground ? &D.Background : nullptr);
}

void CopyRectKeyed(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TPixelRect SrcRect, TColor Key) {
  TPixelRect DstRect = At(X, Y, SrcRect);
  if (!CutCommon(Dst, DstRect, Src, SrcRect)) return;
  const TColor32 KeyP = uint32_t(Key) & ColorBytes;
  ForEachPair(Dst, DstRect, Src, SrcRect, [KeyP](TColor32& D, TColor32 S, int, int) {
    if ((S & ColorBytes) != KeyP) D = S;
  });
}
