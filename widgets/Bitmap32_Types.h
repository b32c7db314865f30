#pragma once
// Plain pixel types shared by the pixel routines: no windows.h, so they also build natively.
#include <algorithm>
#include <cstddef>
#include <cstdint>

// One pixel: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7 (bytes B, G, R, A in memory).
using TColor32 = uint32_t;

inline constexpr TColor32 clBlack32 = 0xFF000000;
inline constexpr TColor32 clWhite32 = 0xFFFFFFFF;

// A rectangle of pixel positions: Left and Top inside, Right and Bottom just outside.
struct TPixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

inline TPixelRect MakeRect(int L, int T, int R, int B) { return {L, T, R, B}; }
inline bool IsRectEmpty(const TPixelRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
inline void OffsetRect(TPixelRect& R, int Dx, int Dy) {
  R.Left += Dx; R.Right += Dx; R.Top += Dy; R.Bottom += Dy;
}
// The overlap of A and B; when they do not overlap Dst is the zero rectangle and the answer false.
inline bool IntersectRect(TPixelRect& Dst, const TPixelRect& A, const TPixelRect& B) {
  const TPixelRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                     std::min(A.Bottom, B.Bottom)};
  Dst = IsRectEmpty(R) ? TPixelRect{} : R;
  return !IsRectEmpty(R);
}

// Pixels owned elsewhere: Stride is the distance between rows, in pixels.
struct TPixelView {
  TColor32* Bits = nullptr;
  int Width = 0, Height = 0, Stride = 0;

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  TPixelRect BoundsRect() const { return {0, 0, Width, Height}; }
  TColor32* ScanLine(int Y) const { return Bits + ptrdiff_t(Y) * Stride; }
  TColor32* PixelPtr(int X, int Y) const { return ScanLine(Y) + X; }
};
