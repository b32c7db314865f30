#include "toolkit/graphics/Bitmap.h"

#include "toolkit/rtl/Classes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kMasks565[3] = {0xF800, 0x07E0, 0x001F};

// BITMAPINFO with room for a full colour table or the three bit-field masks.
struct BitmapInfo {
  BITMAPINFOHEADER Header{};
  RGBQUAD Colors[256]{};
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

BitmapInfo MakeInfo(int Width, int Height, int BitCount, bool Rgb565, const std::vector<std::uint32_t>& Colors) {
  BitmapInfo bi;
  bi.Header.biSize = sizeof(BITMAPINFOHEADER);
  bi.Header.biWidth = Width;
  bi.Header.biHeight = Height;  // positive: bottom-up rows
  bi.Header.biPlanes = 1;
  bi.Header.biBitCount = static_cast<WORD>(BitCount);
  bi.Header.biCompression = Rgb565 ? BI_BITFIELDS : BI_RGB;
  if (Rgb565) {
    std::memcpy(bi.Colors, kMasks565, sizeof(kMasks565));
  } else if (BitCount <= 8) {
    const std::size_t n = std::min<std::size_t>(Colors.size(), 1u << BitCount);
    bi.Header.biClrUsed = static_cast<DWORD>(1u << BitCount);
    std::memcpy(bi.Colors, Colors.data(), n * sizeof(RGBQUAD));
  }
  return bi;
}

int FormatBitCount(TPixelFormat Format) {
  switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
  }
}

TPixelFormat FormatOf(int BitCount, bool Rgb565) {
  switch (BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return Rgb565 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

// The colours a bitmap starts with when it takes a paletted format: black and white, the
// sixteen standard colours, or the halftone palette.
std::vector<std::uint32_t> DefaultColors(int BitCount) {
  std::vector<std::uint32_t> colors;
  if (BitCount == 1) return {0x000000, 0xFFFFFF};
  HDC screen = GetDC(nullptr);
  detail::GdiObject<HPALETTE> palette(BitCount == 4 ? nullptr : CreateHalftonePalette(screen));
  ReleaseDC(nullptr, screen);
  PALETTEENTRY entries[256]{};
  UINT count;
  if (BitCount == 4) {
    // The sixteen standard colours are the first and last eight of the default palette's twenty.
    HPALETTE standard = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    count = GetPaletteEntries(standard, 0, 8, entries) + GetPaletteEntries(standard, 12, 8, entries + 8);
  } else {
    count = GetPaletteEntries(palette.get(), 0, 256, entries);
  }
  for (UINT i = 0; i < count; ++i)
    colors.push_back(entries[i].peBlue | (entries[i].peGreen << 8) | (entries[i].peRed << 16));
  return colors;
}

}  // namespace

// The bitmap's canvas: a memory DC made on first use, with the bitmap selected into it.
class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {
    OnChange = [Bitmap](TGraphicsObject*) { Bitmap->Changed(); };
  }
  ~TBitmapCanvas() override { FreeHandle(); }

  void FreeHandle() {
    if (!FDc) return;
    SetHandle(nullptr);
    SelectObject(FDc.get(), FOldBitmap);
    if (FOldPalette) SelectPalette(FDc.get(), FOldPalette, TRUE);
    FOldBitmap = nullptr;
    FOldPalette = nullptr;
    FDc.reset();
  }

 protected:
  void CreateHandle() override {
    FDc.reset(CreateCompatibleDC(nullptr));
    if (!FDc) return;
    FOldBitmap = FBitmap->FHandle ? SelectObject(FDc.get(), FBitmap->FHandle.get()) : nullptr;
    if (HPALETTE palette = FBitmap->BitCount() <= 8 ? FBitmap->Palette() : nullptr) {
      FOldPalette = SelectPalette(FDc.get(), palette, TRUE);
      RealizePalette(FDc.get());
    }
    SetHandle(FDc.get());
  }

 private:
  TBitmap* FBitmap;
  detail::MemoryDc FDc;
  HGDIOBJ FOldBitmap = nullptr;
  HPALETTE FOldPalette = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { FCanvas.reset(); }

int TBitmap::BitCount() const { return FormatBitCount(FPixelFormat); }

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
  FreeContext();
  return FHandle.get();
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeHandle();
}

void TBitmap::NewImage(int AWidth, int AHeight, int ABitCount, bool ARgb565, const std::vector<std::uint32_t>& AColors,
                       bool Keep) {
  FreeContext();
  detail::GdiObject<HBITMAP> image;
  std::uint8_t* bits = nullptr;
  if (AWidth > 0 && AHeight > 0) {
    BitmapInfo bi = MakeInfo(AWidth, AHeight, ABitCount, ARgb565, AColors);
    void* p = nullptr;
    image.reset(CreateDIBSection(nullptr, bi.Get(), DIB_RGB_COLORS, &p, nullptr, 0));
    if (!image) throw EOutOfResources("Out of system resources");
    bits = static_cast<std::uint8_t*>(p);
    if (Keep && FHandle) {
      GdiFlush();
      const int rows = std::min(AHeight, FHeight);
      if (ABitCount == BitCount() && ARgb565 == FRgb565) {
        // Same layout: the rows move as they are (top rows kept, bottom-up storage).
        const std::size_t oldStride = detail::DibStride(FWidth, ABitCount);
        const std::size_t newStride = detail::DibStride(AWidth, ABitCount);
        for (int y = 0; y < rows; ++y)
          std::memcpy(bits + (AHeight - 1 - y) * newStride, FBits + (FHeight - 1 - y) * oldStride,
                      std::min(oldStride, newStride));
      } else {
        detail::MemoryDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
        HGDIOBJ oldFrom = SelectObject(from.get(), FHandle.get());
        HGDIOBJ oldTo = SelectObject(to.get(), image.get());
        BitBlt(to.get(), 0, 0, std::min(AWidth, FWidth), rows, from.get(), 0, 0, SRCCOPY);
        SelectObject(from.get(), oldFrom);
        SelectObject(to.get(), oldTo);
      }
    }
  }
  FHandle = std::move(image);
  FBits = bits;
  FWidth = FHandle ? AWidth : 0;
  FHeight = FHandle ? AHeight : 0;
  FRgb565 = ARgb565;
  if (FColors != AColors) {
    FColors = AColors;
    FPalette.reset();
  }
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  NewImage(AWidth, AHeight, BitCount(), FRgb565, FColors, true);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pfCustom) throw EInvalidGraphic("Invalid pixel format");
  if (Value == FPixelFormat) return;
  const int bitCount = FormatBitCount(Value);
  const bool rgb565 = Value == pf16bit;
  const bool sameLayout = bitCount == BitCount() && rgb565 == FRgb565;
  if (!sameLayout)
    NewImage(FWidth, FHeight, bitCount, rgb565, bitCount <= 8 ? DefaultColors(bitCount) : std::vector<std::uint32_t>{},
             true);
  FPixelFormat = Value;
  Changed();
}

HPALETTE TBitmap::Palette() {
  if (!FPalette && !FColors.empty()) {
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + FColors.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(FColors.size());
    for (std::size_t i = 0; i < FColors.size(); ++i)
      lp->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(FColors[i] >> 16), static_cast<BYTE>(FColors[i] >> 8),
                                        static_cast<BYTE>(FColors[i]), 0};
    FPalette.reset(CreatePalette(lp));
  }
  return FPalette.get();
}

void TBitmap::SetPalette(HPALETTE Value) {
  detail::GdiObject<HPALETTE> palette(Value);
  std::vector<std::uint32_t> colors;
  if (Value && BitCount() <= 8) {
    PALETTEENTRY entries[256]{};
    const UINT count = GetPaletteEntries(Value, 0, 1u << BitCount(), entries);
    for (UINT i = 0; i < count; ++i)
      colors.push_back(entries[i].peBlue | (entries[i].peGreen << 8) | (entries[i].peRed << 16));
  }
  FreeContext();
  if (FHandle && !colors.empty()) {
    detail::MemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.get(), FHandle.get());
    SetDIBColorTable(dc.get(), 0, static_cast<UINT>(colors.size()), reinterpret_cast<const RGBQUAD*>(colors.data()));
    SelectObject(dc.get(), old);
  }
  if (!colors.empty()) FColors = std::move(colors);
  FPalette = std::move(palette);
  Changed();
}

void TBitmap::SetHandle(HBITMAP Value) {
  detail::GdiObject<HBITMAP> source(Value);
  if (!Value) {
    NewImage(0, 0, BitCount(), FRgb565, FColors, false);
    Changed();
    return;
  }
  BITMAP bm{};
  DIBSECTION ds{};
  if (!GetObjectA(Value, sizeof(bm), &bm)) throw EInvalidGraphic("Bitmap image is not valid");
  const bool dib = GetObjectA(Value, sizeof(ds), &ds) == sizeof(ds);
  int bitCount = dib ? ds.dsBmih.biBitCount : (bm.bmBitsPixel == 1 ? 1 : 32);
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24) bitCount = 32;
  const bool rgb565 = dib && bitCount == 16 && ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0;
  const int width = bm.bmWidth, height = bm.bmHeight;
  std::vector<std::uint32_t> colors = bitCount <= 8 ? DefaultColors(bitCount) : std::vector<std::uint32_t>{};
  NewImage(width, height, bitCount, rgb565, colors, false);
  BitmapInfo bi = MakeInfo(width, height, bitCount, rgb565, colors);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, Value, 0, height, FBits, bi.Get(), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (bitCount <= 8) {
    colors.assign(reinterpret_cast<std::uint32_t*>(bi.Colors), reinterpret_cast<std::uint32_t*>(bi.Colors) + (1u << bitCount));
    detail::MemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.get(), FHandle.get());
    SetDIBColorTable(dc.get(), 0, static_cast<UINT>(colors.size()), bi.Colors);
    SelectObject(dc.get(), old);
    FColors = std::move(colors);
    FPalette.reset();
  }
  FPixelFormat = FormatOf(bitCount, rgb565);
  Changed();
}

void* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  return FBits + static_cast<std::size_t>(FHeight - 1 - Row) * detail::DibStride(FWidth, BitCount());
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == tmFixed) return ColorToRGB(FTransparentColor);
  if (Empty()) return clDefault;
  return Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  SetTransparentColor(Value == tmAuto ? clDefault : TransparentColor());
}

void TBitmap::Draw(TCanvas& ACanvas, const TRect& Rect) {
  if (Empty()) return;
  HDC source = Canvas()->Handle();
  HDC target = ACanvas.Handle();
  const int mode = SetStretchBltMode(target, COLORONCOLOR);
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Transparent()) {
    TransparentBlt(target, Rect.left, Rect.top, w, h, source, 0, 0, FWidth, FHeight,
                   static_cast<UINT>(ColorToRGB(TransparentColor())));
  } else {
    StretchBlt(target, Rect.left, Rect.top, w, h, source, 0, 0, FWidth, FHeight, ACanvas.CopyMode());
  }
  SetStretchBltMode(target, mode);
}

void TBitmap::Assign(const TBitmap* Source) {
  if (Source == this) return;
  if (!Source) {
    NewImage(0, 0, BitCount(), FRgb565, FColors, false);
    Changed();
    return;
  }
  FPixelFormat = Source->FPixelFormat;
  NewImage(Source->FWidth, Source->FHeight, Source->BitCount(), Source->FRgb565, Source->FColors, false);
  if (FHandle) {
    GdiFlush();
    std::memcpy(FBits, Source->FBits, detail::DibStride(FWidth, BitCount()) * FHeight);
  }
  FTransparentColor = Source->FTransparentColor;
  FTransparentMode = Source->FTransparentMode;
  TGraphic::SetTransparent(Source->Transparent());
  Changed();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(this);
  return copy;
}

detail::DibImage TBitmap::ImageData() const {
  detail::DibImage image;
  image.Width = FWidth;
  image.Height = FHeight;
  image.BitCount = BitCount();
  image.Rgb565 = FRgb565;
  image.Palette = FColors;
  GdiFlush();
  image.Bits.assign(FBits, FBits + detail::DibStride(FWidth, image.BitCount) * FHeight);
  return image;
}

void TBitmap::ReadImage(const detail::DibImage& Image) {
  FPixelFormat = FormatOf(Image.BitCount, Image.Rgb565);
  std::vector<std::uint32_t> colors = Image.Palette;
  if (Image.BitCount <= 8) colors.resize(1u << Image.BitCount, 0);
  NewImage(Image.Width, Image.Height, Image.BitCount, Image.Rgb565, colors, false);
  if (FHandle) std::memcpy(FBits, Image.Bits.data(), std::min(Image.Bits.size(), detail::DibStride(FWidth, Image.BitCount) * FHeight));
  Changed();
}

void TBitmap::LoadFromStream(TStream* Stream) {
  const std::int64_t start = Stream->Position();
  const std::int64_t left = Stream->Size() - start;
  if (left <= 0) {
    NewImage(0, 0, BitCount(), FRgb565, FColors, false);
    Changed();
    return;
  }
  std::vector<std::uint8_t> data(static_cast<std::size_t>(left));
  Stream->ReadBuffer(data.data(), left);
  detail::DibImage image;
  if (!detail::ReadBmp(data.data(), data.size(), true, image)) throw EInvalidGraphic("Bitmap image is not valid");
  // A bitmap inside a longer stream ends where its file header says.
  const std::uint32_t fileSize = data[2] | (data[3] << 8) | (data[4] << 16) | (static_cast<std::uint32_t>(data[5]) << 24);
  if (fileSize >= 14 && fileSize < data.size()) Stream->SetPosition(start + fileSize);
  ReadImage(image);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (Empty()) return;
  const std::vector<std::uint8_t> file = detail::WriteBmp(ImageData());
  Stream->WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
  HRSRC resource = FindResourceA(Instance, ResName.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
  HGLOBAL loaded = resource ? LoadResource(Instance, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EResNotFound("Resource " + ResName + " not found");
  detail::DibImage image;
  if (!detail::ReadBmp(static_cast<const std::uint8_t*>(data), SizeofResource(Instance, resource), false, image))
    throw EInvalidGraphic("Bitmap image is not valid");
  ReadImage(image);
}
