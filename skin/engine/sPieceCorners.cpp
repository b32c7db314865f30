#include "skin/engine/sPieceCorners.h"

#include <algorithm>

#include "skin/engine/sAlphaPixels.h"

namespace {

// Area and image limits are half-open; the area is cut to Limit and to the image.
bool HasKey(const TPixelView& Image, const TPixelRect& Limit, int64_t Left, int64_t Top, int64_t Right,
            int64_t Bottom) {
  Left = std::max<int64_t>({Left, Limit.Left, 0});
  Top = std::max<int64_t>({Top, Limit.Top, 0});
  Right = std::min<int64_t>({Right, Limit.Right, Image.Width});
  Bottom = std::min<int64_t>({Bottom, Limit.Bottom, Image.Height});
  for (int64_t Y = Top; Y < Bottom; ++Y) {
    const TColor32* Row = Image.ScanLine(int(Y));
    for (int64_t X = Left; X < Right; ++X)
      if ((Row[X] & 0x00FFFFFFu) == KeyPixel) return true;
  }
  return false;
}

}  // namespace

int16_t KeyCornerType(const TsMaskData& Mask, const TPixelView& Image) {
  if (Image.Empty()) return 0;
  const int64_t L = Mask.R.Left, T = Mask.R.Top;
  const int64_t R = L + MaskImageWidth(Mask), B = T + MaskImageHeight(Mask);
  if (R > INT32_MAX || B > INT32_MAX) return 0;
  const TPixelRect First{int(L), int(T), int(R), int(B)};
  const int64_t WL = std::max<int>(Mask.WL, 0), WT = std::max<int>(Mask.WT, 0);
  const int64_t WR = std::max<int>(Mask.WR, 0), WB = std::max<int>(Mask.WB, 0);
  const bool Key = HasKey(Image, First, L, T, L + WL, T + WT) || HasKey(Image, First, R - WR, T, R, T + WT) ||
                   HasKey(Image, First, L, B - WB, L + WL, B) || HasKey(Image, First, R - WR, B - WB, R, B);
  return Key ? 1 : 0;
}
