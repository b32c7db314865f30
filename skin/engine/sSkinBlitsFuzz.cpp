// The nine-slice copy, the glyph copy and the texture painters with rectangles, borders and modes from
// outside (skins and windows give them) must stay inside every picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sSkinBlits.h"
#include "skin/engine/sSkinTexture.h"

namespace {

struct TInput {
  const uint8_t* Data;
  size_t Size;
  int Byte() { return Size ? (--Size, *Data++) : 0; }
  int Coord() { return Byte() % 64 - 20; }
  // Now and then a value far out.
  int Wide() { return Byte() % 16 == 0 ? (Byte() & 1 ? 0x7FFFFFF0 : -0x7FFFFFF0) : Coord(); }
  TPixelRect Rect() { return {Wide(), Wide(), Wide(), Wide()}; }
};

struct TPicture {
  std::vector<TColor32> Pixels;
  TPixelView View;
  explicit TPicture(TInput& In) {
    const int W = In.Byte() % 24, H = In.Byte() % 24;
    Pixels.assign(size_t(W) * H, KeyPixel);
    for (TColor32& P : Pixels) P ^= TColor32(In.Byte() % 3) * 0x00FF00FF;
    View = {Pixels.empty() ? nullptr : Pixels.data(), W, H, W};
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TInput In{Data, Size};
  TPicture Src(In), Dst(In), Parent(In);
  TNineSlice B{In.Rect(), In.Rect(), In.Rect(), In.Rect()};
  for (int& M : B.SideModes) M = In.Byte() % 3;
  B.CentreMode = uint8_t(In.Byte() % 3);
  B.DrawCentre = In.Byte() & 1;
  StretchOrTileBlt(Dst.View, Src.View, B);

  const bool Colours16 = In.Byte() & 1;
  CopyGlyphBlended(Src.View, Colours16, Dst.View,
                   {In.Rect(), In.Byte() % 6 - 1, bool(In.Byte() & 1), uint8_t(In.Byte() % 4), In.Byte() % 5 - 1,
                    In.Byte() % 120, uint8_t(In.Byte() % 4)});

  TsMaskData Mask;
  Mask.R = In.Rect();
  Mask.ImageCount = int16_t(In.Byte() % 5 - 1);
  const TsCacheView Bg{Parent.View, In.Wide(), In.Wide(), In.Byte() & 1 ? clFuchsia : TColor(0x00123456),
                       bool(In.Byte() & 1)};
  CopyMaskedRect({In.Rect(), In.Rect(), Dst.View, Bg, &Mask, Src.View});
  PaintMaskedTexture({Dst.View, In.Rect(), Bg, &Mask, Src.View, In.Byte() & 1 ? 0 : 10});
  PaintTexture(Dst.View, In.Rect(), Src.View, In.Rect(), In.Byte() % 12);
  return 0;
}
