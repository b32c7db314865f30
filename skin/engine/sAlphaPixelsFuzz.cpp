// Pixel routines with sizes and rectangles from outside (skins give them): every routine on small
// pictures with any rectangle, weights and offsets must stay inside its views.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/engine/sAlphaPixels.h"
#include "skin/engine/sSkinPixels.h"

namespace {

// Reads the fuzzer's bytes in turn; zeros once they run out.
struct TInput {
  const uint8_t* Data;
  size_t Size;
  int Byte() { return Size ? (--Size, *Data++) : 0; }
  int Coord() { return Byte() % 48 - 20; }
  TPixelRect Rect() { return {Coord(), Coord(), Coord(), Coord()}; }
};

struct TPicture {
  std::vector<TColor32> Pixels;
  TPixelView View;
  TPicture(TInput& In) {
    const int W = In.Byte() % 12, H = In.Byte() % 12;
    Pixels.assign(size_t(W) * H, KeyPixel);
    for (TColor32& P : Pixels) P ^= TColor32(In.Byte()) << 8;
    // Bottom-up half the time, as bitmaps are.
    const bool BottomUp = In.Byte() & 1;
    View = {Pixels.empty() ? nullptr : Pixels.data() + (BottomUp ? size_t(W) * (H - 1) : 0), W, H,
            BottomUp ? -W : W};
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TInput In{Data, Size};
  TPicture A(In), B(In), C(In);
  TacFast32 Fast;
  if (Fast.Attach(A.View)) Fast.FillRect(In.Rect(), TColor32(In.Byte()));
  TacFastSum32 Sum;
  if (Sum.Attach(B.View, A.View)) {
    Sum.Alpha = uint8_t(In.Byte());
    Sum.DstRect = In.Rect();
    Sum.SrcRect = In.Rect();
    Sum.BlendBytes();
  }
  FillRect32(A.View, In.Rect(), In.Byte());
  FillRect32Frame(B.View, In.Rect(), In.Coord(), In.Coord(), In.Coord(), In.Coord(), In.Byte());
  FillAlphaRect(A.View, In.Rect(), uint8_t(In.Byte()), In.Byte() & 1);
  BlendRectWithColor(B.View, In.Rect(), uint8_t(In.Byte()), In.Byte() << 8);
  TsMaskData Piece;
  Piece.R = In.Rect();
  Piece.ImageCount = int16_t(In.Byte() % 4);
  Piece.MaskType = int16_t(In.Byte() % 3 - 1);
  Piece.WR = int16_t(In.Coord());
  Piece.WB = int16_t(In.Coord());
  const TPixelRect R = In.Rect();
  const TPixelPoint SrcPt{In.Coord(), In.Coord()};
  FillCornerTransparency(A.View, B.View, R, SrcPt, In.Byte() & 1 ? &Piece : nullptr, C.View, 13 + In.Byte() % 5);
  GrayscaleBitmapExcept(C.View, In.Byte());
  ChangePixelHue(In.Coord() * 37, TColor32(In.Byte()) * 0x010203u);
  ChangeColorSaturation(In.Coord() * 11, TColor32(In.Byte()) * 0x030201u);

  // Blending, fading and keyed copies.
  ChangeBitmapHue(A.View, In.Coord() * 13);
  ChangeBitmapSaturation(B.View, In.Coord() * 7);
  BlendBitmaps(A.View, In.Coord(), In.Coord(), B.View, In.Rect(), In.Byte() / 255.0, In.Byte() ? clFuchsia : 0);
  FadeBitmapToColor(C.View, In.Byte() * 0x010101, In.Byte() / 255.0);
  SumBitmaps(A.View, B.View, uint8_t(In.Byte()));
  SumBitmapsRect(A.View, B.View, uint8_t(In.Byte()), {In.Coord(), In.Coord()}, In.Rect());
  MultiplyBitmaps(B.View, C.View, In.Byte() << 16);
  MixBitmaps(A.View, B.View, C.View, In.Byte() + In.Byte(), In.Byte() & 1 ? A.View : TPixelView{});
  const TsCacheView Bg{C.View, In.Coord(), In.Coord(), In.Byte() & 1 ? clFuchsia : TColor(In.Byte()), bool(In.Byte() & 1)};
  const TPieceDraw Piece2{In.Rect(), In.Rect(), A.View, bool(In.Byte() & 1), Bg, B.View};
  DrawAlphaGlyph(Piece2);
  CopyPieceRect(Piece2);
  TStretchDrawAlpha Stretch;
  static_cast<TPieceDraw&>(Stretch) = Piece2;
  Stretch.BlendPercent = In.Coord() * 5;
  Stretch.Tint = In.Byte() & 1 ? TintNone : TColor(In.Byte() * 0x010203);
  Stretch.Reflected = In.Byte() & 1;
  StretchDrawAlpha(Stretch);
  CopyBitmapTransparent(B.View, C.View, In.Coord(), In.Coord(), clFuchsia);
  CopyTransparentRect(C.View, A.View, In.Rect(), clFuchsia, {In.Coord(), In.Coord()}, Bg);
  CopyRectKeyed(A.View, C.View, In.Coord(), In.Coord(), In.Rect(), clFuchsia);
  return 0;
}
