#include "gen/skin/SkinDrawing.h"

#include <algorithm>
#include <cstdlib>

#include "widgets/Bitmap32_LowLevel.h"

namespace {

void Put(const TPixelView& View, int X, int Y, TColor32 Color) {
  if (X >= 0 && Y >= 0 && X < View.Width && Y < View.Height) *View.PixelPtr(X, Y) = Color;
}

uint8_t Channel(TColor32 C, int Shift) { return uint8_t(C >> Shift); }

// A line of Thickness pixels from (X1, Y1) to (X2, Y2), stepped along its longer side.
void Line(const TPixelView& View, int X1, int Y1, int X2, int Y2, TColor32 Ink, int Thickness = 1) {
  const int Steps = std::max(std::abs(X2 - X1), std::abs(Y2 - Y1));
  for (int i = 0; i <= Steps; ++i) {
    const int X = Steps ? X1 + (X2 - X1) * i / Steps : X1, Y = Steps ? Y1 + (Y2 - Y1) * i / Steps : Y1;
    for (int t = 0; t < Thickness; ++t) Put(View, X, Y + t, Ink);
  }
}

void Disc(const TPixelView& View, int Cx2, int Cy2, int R2, TColor32 Ink, bool Ring) {
  // Centre and radius in half pixels: a pixel belongs when its centre lies inside.
  for (int Y = (Cy2 - R2) / 2 - 1; Y <= (Cy2 + R2) / 2 + 1; ++Y)
    for (int X = (Cx2 - R2) / 2 - 1; X <= (Cx2 + R2) / 2 + 1; ++X) {
      const int Dx = 2 * X + 1 - Cx2, Dy = 2 * Y + 1 - Cy2, D = Dx * Dx + Dy * Dy;
      const bool Inside = D <= R2 * R2, InRing = D > (R2 - 3) * (R2 - 3);
      if (Inside && (!Ring || InRing)) Put(View, X, Y, Ink);
    }
}

// Triangle pointing along (Dx, Dy) centred in R.
void Arrow(const TPixelView& View, const TPixelRect& R, int Dx, int Dy, TColor32 Ink) {
  const int Cx = (R.Left + R.Right) / 2, Cy = (R.Top + R.Bottom) / 2;
  const int Size = std::max(2, std::min(R.Right - R.Left, R.Bottom - R.Top) / 4);
  for (int i = 0; i < Size; ++i) {
    const int Along = i - Size / 2, Half = Size - 1 - i;
    for (int j = -Half; j <= Half; ++j)
      Put(View, Cx + (Dx ? Along * Dx : j), Cy + (Dy ? Along * Dy : j), Ink);
  }
}

}  // namespace

void FillArea(const TPixelView& View, const TPixelRect& R, TColor32 Color) {
  FillRect(View, R.Left, R.Top, R.Right, R.Bottom, Color);
}

void FrameArea(const TPixelView& View, const TPixelRect& R, TColor32 Color) {
  FillArea(View, {R.Left, R.Top, R.Right, R.Top + 1}, Color);
  FillArea(View, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, Color);
  FillArea(View, {R.Left, R.Top, R.Left + 1, R.Bottom}, Color);
  FillArea(View, {R.Right - 1, R.Top, R.Right, R.Bottom}, Color);
}

void VerticalGradient(const TPixelView& View, const TPixelRect& R, TColor32 Top, TColor32 Bottom) {
  const int H = R.Bottom - R.Top;
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    const int i = Y - R.Top, n = std::max(1, H - 1);
    auto Mix = [&](int Shift) {
      return uint32_t((Channel(Top, Shift) * (n - i) + Channel(Bottom, Shift) * i) / n) << Shift;
    };
    FillArea(View, {R.Left, Y, R.Right, Y + 1}, 0xFF000000u | Mix(16) | Mix(8) | Mix(0));
  }
}

void DrawGlyph(const TPixelView& View, const TPixelRect& R, TGlyph Glyph, TColor32 Ink) {
  const int W = R.Right - R.Left, H = R.Bottom - R.Top;
  const int L = R.Left + W / 4, T = R.Top + H / 4, Rt = R.Right - W / 4 - 1, B = R.Bottom - H / 4 - 1;
  const TPixelRect Box{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  switch (Glyph) {
    case TGlyph::None: break;
    case TGlyph::Box: FrameArea(View, Box, Ink); break;
    case TGlyph::Check:
      FrameArea(View, Box, Ink);
      Line(View, L, (T + B) / 2, (L + Rt) / 2 - 1, B - 1, Ink, 2);
      Line(View, (L + Rt) / 2 - 1, B - 1, Rt, T, Ink, 2);
      break;
    case TGlyph::Gray:
      FrameArea(View, Box, Ink);
      FillArea(View, {L, T, Rt + 1, B + 1}, Ink);
      break;
    case TGlyph::Radio:
    case TGlyph::RadioDot:
    case TGlyph::RadioGray: {
      const int Cx2 = R.Left + R.Right, Cy2 = R.Top + R.Bottom, R2 = std::min(W, H) - 2;
      Disc(View, Cx2, Cy2, R2, Ink, true);
      if (Glyph != TGlyph::Radio) Disc(View, Cx2, Cy2, R2 / 2, Ink, false);
      break;
    }
    case TGlyph::Close:
      Line(View, L, T, Rt, B, Ink, 2);
      Line(View, L, B, Rt, T, Ink, 2);
      break;
    case TGlyph::Maximize:
      FrameArea(View, {L, T, Rt + 1, B + 1}, Ink);
      FillArea(View, {L, T, Rt + 1, T + 2}, Ink);
      break;
    case TGlyph::Minimize: FillArea(View, {L, B - 1, Rt + 1, B + 1}, Ink); break;
    case TGlyph::Restore: {
      // The front window, and of the one behind only what shows above and right of it.
      const int d = std::max(2, W / 8);
      FrameArea(View, {L, T + d, Rt + 1 - d, B + 1}, Ink);
      FillArea(View, {L + d, T, Rt + 1, T + 1}, Ink);
      FillArea(View, {Rt, T, Rt + 1, B + 1 - d}, Ink);
      FillArea(View, {L + d, T, L + d + 1, T + d}, Ink);
      FillArea(View, {Rt + 1 - d, B - d, Rt + 1, B + 1 - d}, Ink);
      break;
    }
    case TGlyph::Help:
      Line(View, L, T + 1, (L + Rt) / 2, T, Ink, 2);
      Line(View, (L + Rt) / 2, T, Rt, T + 2, Ink, 2);
      Line(View, Rt, T + 2, (L + Rt) / 2, (T + B) / 2 + 1, Ink, 2);
      FillArea(View, {(L + Rt) / 2, B - 1, (L + Rt) / 2 + 2, B + 1}, Ink);
      break;
    case TGlyph::ArrowUp: Arrow(View, R, 0, -1, Ink); break;
    case TGlyph::ArrowDown: Arrow(View, R, 0, 1, Ink); break;
    case TGlyph::ArrowLeft: Arrow(View, R, -1, 0, Ink); break;
    case TGlyph::ArrowRight: Arrow(View, R, 1, 0, Ink); break;
    case TGlyph::Grip:
      for (int Y = T; Y <= B; Y += 3)
        for (int X = L; X <= Rt; X += 3) FillArea(View, {X, Y, X + 2, Y + 2}, Ink);
      break;
    case TGlyph::Tick: FillArea(View, {(R.Left + R.Right) / 2, R.Top, (R.Left + R.Right) / 2 + 1, R.Bottom}, Ink); break;
    case TGlyph::Thumb:
      FillArea(View, Box, Ink);
      FrameArea(View, Box, Px(60, 75, 100));
      break;
  }
}
