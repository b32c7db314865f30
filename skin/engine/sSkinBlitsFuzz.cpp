// The nine-slice copy, the glyph copy and the texture painters with rectangles, borders and modes from
// outside (skins and windows give them) must stay inside every picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/PixelFuzzInput.h"
#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sSkinBlits.h"
#include "skin/engine/sSkinTexture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TPixelFuzzInput In{Data, Size, 64, -20};
  TPixelFuzzPicture Src(In, 24), Dst(In, 24), Parent(In, 24);
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
