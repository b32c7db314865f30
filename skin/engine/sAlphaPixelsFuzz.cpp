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
  return 0;
}
