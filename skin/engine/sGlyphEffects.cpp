#include "skin/engine/sGlyphEffects.h"

#include <cstdint>

void ApplyGlyphEffects(const TPixelView& Bmp, int Effects, const TsCacheView& Blend, TPixelPoint Offset,
                       const std::function<TColor()>& ControlColor) {
  if (Bmp.Empty()) return;
  if (Effects & GlyphGrayed) GrayscaleBitmap(Bmp);
  if (!(Effects & GlyphBlended)) return;
  if (Blend.Ready) {
    const int64_t Dx = int64_t(Blend.X) + Offset.X, Dy = int64_t(Blend.Y) + Offset.Y;
    // Only a place that meets the picture has anything to mix.
    if (Dx + Bmp.Width <= 0 || Dy + Bmp.Height <= 0 || Dx >= Blend.Bmp.Width || Dy >= Blend.Bmp.Height) return;
    BlendBitmaps(Bmp, 0, 0, Blend.Bmp, {int(Dx), int(Dy), int(Dx + Bmp.Width), int(Dy + Bmp.Height)}, 0.4, clFuchsia);
    return;
  }
  TColor C = Blend.FillColor;
  if (C == clFuchsia) C = ControlColor ? ControlColor() : clFuchsia;
  BlendRectWithColor(Bmp, Bmp.BoundsRect(), 50, C);
}
