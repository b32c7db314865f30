#pragma once
// A picture owned by a test, with a view on it.
#include "widgets/Bitmap32_Types.h"

#include <random>
#include <vector>

struct TTestImage {
  std::vector<TColor32> Pixels;
  TPixelView View;

  TTestImage(int Width, int Height, TColor32 Fill = 0)
      : Pixels(size_t(Width) * Height, Fill), View{Pixels.data(), Width, Height, Width} {}
  TTestImage(const TTestImage& Other) : Pixels(Other.Pixels), View(Other.View) { View.Bits = Pixels.data(); }
  TTestImage& operator=(const TTestImage&) = delete;

  TColor32& operator()(int X, int Y) { return Pixels[size_t(Y) * View.Width + X]; }
  TColor32 operator()(int X, int Y) const { return Pixels[size_t(Y) * View.Width + X]; }

  static TTestImage Random(int Width, int Height, uint32_t Seed) {
    TTestImage Image(Width, Height);
    std::mt19937 Rng(Seed);
    for (TColor32& P : Image.Pixels) P = Rng();
    return Image;
  }
};

inline uint8_t Channel(TColor32 C, int I) { return uint8_t(C >> (8 * I)); }
