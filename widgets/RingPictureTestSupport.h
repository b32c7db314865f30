#pragma once
// A picture like the camera's: bright Placido rings with soft edges on a dark eye, for the JPEG and
// picture-storage tests.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "widgets/Bitmap32_StoredData.h"

namespace ringtest {

inline TPixelImage RingPicture(int Width = 640, int Height = 480) {
  TPixelImage image;
  image.Width = Width;
  image.Height = Height;
  image.Pixels.resize(size_t(Width) * Height);
  const double cx = Width / 2.0, cy = Height / 2.0;
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const double r = std::hypot(x - cx, y - cy);
      // Rings 12 pixels apart, their brightness a smooth wave, fading towards the border.
      const double wave = 0.5 + 0.5 * std::cos(r * 2 * M_PI / 12.0);
      const double fade = std::exp(-r / (Width * 0.6));
      const int v = int(20 + 215 * wave * fade);
      const int red = v, green = std::min(255, v + 10), blue = std::max(0, v - 15);
      image.Pixels[size_t(y) * Width + x] = 0xFF000000u | (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue);
    }
  return image;
}

// Largest and mean difference of one colour channel between two pictures of the same size.
struct TDifference {
  int Max = 0;
  double Mean = 0;
};

inline TDifference Compare(const TColor32* A, const TColor32* B, size_t Count) {
  TDifference d;
  int64_t total = 0;
  for (size_t i = 0; i < Count; ++i)
    for (int shift : {0, 8, 16}) {
      const int e = std::abs(int((A[i] >> shift) & 0xFF) - int((B[i] >> shift) & 0xFF));
      d.Max = std::max(d.Max, e);
      total += e;
    }
  d.Mean = Count ? double(total) / (3.0 * Count) : 0;
  return d;
}

}  // namespace ringtest
