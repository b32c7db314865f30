#pragma once
// The size of a picture fitted into a maximum size with its aspect kept: the limiting side takes the
// maximum, the other is rounded. Pure.
struct TFitSize {
  int Width = 0, Height = 0;
};
TFitSize FitThumbnail(int Width, int Height, int MaxWidth, int MaxHeight);
