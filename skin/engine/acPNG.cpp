#include <windows.h>

#include "skin/engine/acPNG.h"

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/rtl/Classes.h"
#include "widgets/Bitmap32_Transforms.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Runs a pure routine over the pixels of a 32-bit bitmap; other formats are left alone.
template <class F>
void ForEach32(TBitmap* Bitmap, F routine) {
  const TPixelView v = BitmapView(Bitmap);
  if (v.Empty()) return;
  // The rows are contiguous: the last one starts the block.
  routine(v.ScanLine(v.Height - 1), size_t(v.Width) * v.Height);
}

// The picture at another size: colours from the nearest pixel, alpha smoothed.
TPixelView ResizedView(const TPixelView& Src, int Width, int Height, std::vector<TColor32>& Pixels) {
  Pixels.assign(size_t(Width) * Height, 0);
  std::vector<TColor32> smooth(Pixels.size());
  const TPixelView colour{Pixels.data(), Width, Height, Width}, alpha{smooth.data(), Width, Height, Width};
  StretchTransfer(colour, colour.BoundsRect(), colour.BoundsRect(), Src, Src.BoundsRect(), sfNearest, {});
  StretchTransfer(alpha, alpha.BoundsRect(), alpha.BoundsRect(), Src, Src.BoundsRect(), sfLinear, {});
  for (size_t i = 0; i < Pixels.size(); ++i) Pixels[i] = (Pixels[i] & 0x00FFFFFFu) | (smooth[i] & 0xFF000000u);
  return colour;
}

}  // namespace

void TPNGGraphic::Assign(const TBitmap* Source) {
  if (const auto* png = dynamic_cast<const TPNGGraphic*>(Source)) FReader.ImageProperties = png->FReader.ImageProperties;
  TBitmap::Assign(Source);
}

std::unique_ptr<TGraphic> TPNGGraphic::Clone() const {
  auto copy = std::make_unique<TPNGGraphic>();
  copy->Assign(this);
  copy->Reflected = Reflected;
  return copy;
}

void TPNGGraphic::LoadFromStream(TStream* Stream) {
  SetSize(0, 0);
  const int64_t start = Stream->Position();
  std::vector<uint8_t> data(size_t(std::max<int64_t>(Stream->Size() - start, 0)));
  Stream->ReadBuffer(data.data(), int64_t(data.size()));
  const size_t used = FReader.LoadFromBuffer(data.data(), data.size());
  Stream->SetPosition(start + int64_t(used));

  const TDIBImage& image = FReader.Image;
  if (image.PixelFormat == pfDevice) return;  // no image data
  SetPixelFormat(image.PixelFormat);
  SetSize(int(image.Width), int(image.Height));
  if (!image.Palette.empty()) {
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + image.Palette.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(image.Palette.size());
    static_assert(sizeof(TPaletteEntry) == sizeof(PALETTEENTRY));
    std::memcpy(lp->palPalEntry, image.Palette.data(), image.Palette.size() * sizeof(PALETTEENTRY));
    SetPalette(CreatePalette(lp));
  }
  for (uint32_t y = 0; y < image.Height; ++y) std::memcpy(ScanLine(int(y)), image.ScanLine(y), image.Stride);
  if (FReader.TransparentKey != clNone) {
    SetTransparentColor(FReader.TransparentKey);
    SetTransparent(true);
  }
  Changed();
}

void TPNGGraphic::Draw(TCanvas& ACanvas, const TRect& Rect) {
  if (PixelFormat() != pf32bit) {
    TBitmap::Draw(ACanvas, Rect);
    return;
  }
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Empty() || w <= 0 || h <= 0) return;
  const int reflection = Reflected ? h / 2 : 0;
  // What the canvas shows there, the picture drawn over it by its alpha, and the result put back.
  const auto back = NewBitmap32(w, h + reflection);
  HDC target = ACanvas.Handle();
  BitBlt(back->Canvas()->Handle(), 0, 0, w, h + reflection, target, Rect.left, Rect.top, SRCCOPY);
  TStretchDrawAlpha draw;
  draw.Dst = BitmapView(*back);
  draw.DstRect = {0, 0, w, h};
  draw.Src = BitmapView(*this);
  draw.Background = CacheView(EmptyCacheInfo);
  draw.Reflected = Reflected;
  std::vector<TColor32> resized;
  if (w != Width() || h != Height()) draw.Src = ResizedView(draw.Src, w, h, resized);
  draw.SrcRect = draw.Src.BoundsRect();
  StretchDrawAlpha(draw);
  BitBlt(target, Rect.left, Rect.top, w, h + reflection, back->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void ClearTransparentWhite(TBitmap* Bitmap) {
  ForEach32(Bitmap, [](uint32_t* p, size_t n) { ClearTransparentWhite(p, n); });
}

void PremultiplyAlpha(TBitmap* Bitmap) {
  ForEach32(Bitmap, [](uint32_t* p, size_t n) { PremultiplyAlpha(p, n); });
}

void RegisterPNGGraphic() {
  TPicture::RegisterFileFormat("png", "Portable Network Graphics", [] { return std::make_unique<TPNGGraphic>(); });
}
