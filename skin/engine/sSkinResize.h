#pragma once
// Filtered resizing of skin pictures: a two-pass separable resize with 16.16 weights, mirrored edges
// and seven filters, on 3 or 4 bytes a pixel. Pure: no windows.h.
#include <cstddef>
#include <cstdint>

#include "toolkit/rtl/Exceptions.h"
#include "widgets/Bitmap32_Types.h"

// Rows of pixels of BytesPerPixel bytes (1, 3 or 4); Stride is in bytes and may be negative.
struct TByteView {
  uint8_t* Bits = nullptr;
  int Width = 0, Height = 0;
  ptrdiff_t Stride = 0;
  int BytesPerPixel = 4;

  bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  uint8_t* ScanLine(int Y) const { return Bits + ptrdiff_t(Y) * Stride; }
};
inline TByteView ByteView(const TPixelView& V) {
  return {reinterpret_cast<uint8_t*>(V.Bits), V.Width, V.Height, ptrdiff_t(V.Stride) * 4, 4};
}

// The filters by number: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 cubic B-spline, 5 Lanczos (3 lobes),
// 6 Mitchell-Netravali (B = C = 1/3).
inline constexpr int ResizeFilterCount = 7;
float HermiteFilter(float X);
float BellFilter(float X);

// Src resized into the whole of Dst (both of one pixel size) by Filter; a plain copy at the same size.
// A source narrower or lower than 2 pixels raises "Source bitmap is too small"; an empty target, an
// unknown filter or views of different pixel sizes do nothing.
void StretchBitmap(const TByteView& Src, const TByteView& Dst, int Filter);
inline void StretchBitmap(const TPixelView& Src, const TPixelView& Dst, int Filter) {
  StretchBitmap(ByteView(Src), ByteView(Dst), Filter);
}

// Part of Src (inside it) resized into the whole of Out by StretchBitmap; a part one pixel wide or high
// has its column or row doubled first, so that parts of any size can be resized. Nothing for an empty
// part.
void StretchPart(const TPixelView& Src, const TPixelRect& Part, const TPixelView& Out, int Filter);
