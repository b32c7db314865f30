// Piece painting with geometry from outside (skins give it): random pieces, states, borders, offsets and
// targets on small pictures must stay inside every view, the corners and glyph effects of controls too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/PixelFuzzInput.h"
#include "skin/engine/sBorderCorners.h"
#include "skin/engine/sBorderMask.h"
#include "skin/engine/sGlyphEffects.h"
#include "skin/engine/sMaskPaint.h"
#include "skin/engine/sPieceCorners.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TPixelFuzzInput In{Data, Size, 48, -16};
  TPixelFuzzPicture Image(In, 24), Target(In, 24), Parent(In, 24);
  TsMaskData Mask;
  Mask.R = {In.Wide(), In.Wide(), In.Wide(), In.Wide()};
  Mask.ImageCount = int16_t(In.Byte() % 6 - 1);
  Mask.MaskType = int16_t(In.Byte() % 4 - 1);
  Mask.DrawMode = int16_t(In.Byte() % 8);
  Mask.WL = int16_t(In.Coord());
  Mask.WT = int16_t(In.Coord());
  Mask.WR = int16_t(In.Coord());
  Mask.WB = int16_t(In.Coord());
  Mask.CornerType = int16_t(In.Byte() % 2);
  const TsPieceView Piece{&Mask, Image.View, bool(In.Byte() & 1)};
  const TsCacheView Bg{Parent.View, In.Coord(), In.Coord(), In.Byte() & 1 ? clFuchsia : 0x123456, bool(In.Byte() & 1)};
  const int State = In.Byte() % 9 - 1;
  const TPixelRect R{In.Wide(), In.Wide(), In.Wide(), In.Wide()};
  std::vector<TPixelRect> Rects;
  KeyCornerType(Mask, Image.View);
  switch (In.Byte() % 8) {
    case 0: PaintMaskRect({Target.View, R, Bg, Piece, State, bool(In.Byte() & 1)}); break;
    case 1: PaintMaskState({Target.View, {R.Left, R.Top}, State, Bg, Piece, In.Byte() % 3}); break;
    case 2: CollectTransparentPixels(Rects, R.Right, Piece, R.Top, bool(In.Byte() & 1)); break;
    case 3: PaintBorderMask(Target.View, &Rects, bool(In.Byte() & 1), State, Piece); break;
    case 4:
      CopyMaskedStretched({R.Left, R.Top, R.Right, R.Bottom, In.Wide(), In.Wide(), In.Wide(), In.Wide(), Target.View,
                           Image.View, In.Wide(), bool(In.Byte() & 1)});
      break;
    case 6:
      PaintBorderCorners(Target.View, R.Right, R.Bottom, Piece, State, Bg);
      (void)FrameFillDepths(R, In.Wide(), Mask.WL, Mask.WT, Mask.WR, Mask.WB);
      break;
    case 7:
      ApplyGlyphEffects(Target.View, In.Byte() % 4, Bg, {R.Left, R.Top}, [] { return TColor(0x102030); });
      break;
    default:
      CopyMaskPiece({R.Left, R.Top, R.Right, bool(In.Byte() & 1), Piece, &Rects, Target.View, In.Wide(), In.Wide(),
                     In.Wide(), In.Wide(), R.Bottom});
      CopyMasked({R, {In.Wide(), In.Wide(), In.Wide(), In.Wide()}, Target.View, &Mask, In.Byte() % 3, clFuchsia,
                  Image.View});
  }
  return 0;
}
