// Any gradient text painted, plain and blended, into any rectangle of small bitmaps.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "skin/engine/sGradientPaint.h"
#include "toolkit/rtl/Exceptions.h"

namespace {

struct TReader {
  const uint8_t* Data;
  size_t Size;
  int Int(int Lo, int Hi) {
    uint32_t V = 0;
    for (int I = 0; I < 4 && Size > 0; ++I, ++Data, --Size) V = V << 8 | *Data;
    return Lo + int(V % uint32_t(Hi - Lo + 1));
  }
  TPixelRect Rect(int Span) { return {Int(-Span, Span), Int(-Span, Span), Int(-Span, Span), Int(-Span, Span)}; }
};

// Pixels with a bottom-up view, as a bitmap's.
struct TImage {
  std::vector<TColor32> Pixels;
  TPixelView View;
  TImage(int W, int H) : Pixels(size_t(W) * H, 0x5A5A5A5A) {
    if (W > 0 && H > 0) View = {Pixels.data() + size_t(H - 1) * W, W, H, -W};
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 56) return 0;
  TReader In{Data, 56};
  TImage Bmp(In.Int(0, 40), In.Int(0, 40)), Bg(In.Int(0, 12), In.Int(0, 12));
  const TPixelRect R = In.Rect(60), BgRect = In.Rect(16);
  const int OffsetY = In.Int(-100, 100), Transparency = In.Int(-1000, 1000);
  TsGradArray Steps;
  try {
    ParseGradientData(std::string_view(reinterpret_cast<const char*>(Data + 56), Size - 56), Steps);
  } catch (const EConvertError&) {
  }
  PaintGradient(Bmp.View, R, Steps, 0, OffsetY);
  PaintGradientBlended(Bmp.View, R, Steps, Bg.View, BgRect, Transparency);
  TPixelRect Cut = R;
  if (GradientArea(Bmp.View, Cut)) GradientTriangleVertices(Cut, Steps);
  return 0;
}
