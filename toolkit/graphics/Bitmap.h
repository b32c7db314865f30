#pragma once
// TBitmap: a picture held in a device-independent bitmap section, whose pixels are reachable
// both through GDI (Canvas, Handle) and directly (ScanLine). Rows are stored bottom-up, as in
// the toolkit's own bitmaps: ScanLine(1) - ScanLine(0) is minus the row stride.
// Resizing keeps the overlapping pixels; changing PixelFormat converts them.
#include "toolkit/graphics/BmpFormat.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/Graphic.h"
#include "toolkit/graphics/PixelFormat.h"

#include <memory>
#include <string>

// Where the transparent colour comes from: the bottom-left pixel, or TransparentColor as set.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  // Copies the picture, its format, palette and transparency.
  void Assign(const TBitmap* Source);
  std::unique_ptr<TGraphic> Clone() const override;

  bool Empty() const override { return !FWidth || !FHeight; }
  int Width() const override { return FWidth; }
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  int Height() const override { return FHeight; }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight) override;

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);

  // The bitmap's drawing surface: a memory DC with the bitmap selected.
  TCanvas* Canvas();
  // The DIB section (nullptr while empty); owned by the bitmap. Reading it takes the section out
  // of the canvas's DC, so that it can be selected elsewhere (a bitmap lives in one DC at a time);
  // the canvas takes it back on its next drawing.
  HBITMAP Handle();
  // Takes ownership of a bitmap handle; a device-dependent bitmap is copied into a DIB section.
  void SetHandle(HBITMAP Value);
  // The colour table as a palette handle (nullptr for true-colour formats); owned by the bitmap.
  HPALETTE Palette();
  // Takes ownership of the palette and makes it the colour table of a 1, 4 or 8-bit bitmap.
  void SetPalette(HPALETTE Value);

  // Address of row Row (0 is the top row); GDI drawing is flushed first.
  void* ScanLine(int Row);

  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // Reads a BMP image; raises EInvalidGraphic when it is damaged or of an unknown kind.
  void LoadFromStream(TStream* Stream) override;
  // Writes the picture as a BMP file.
  void SaveToStream(TStream* Stream) override;
  // Loads a bitmap resource (RT_BITMAP) of the module.
  void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);

 protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

 private:
  class TBitmapCanvas;
  friend class TBitmapCanvas;

  int BitCount() const;
  // Makes a new section of the given layout and moves the overlapping pixels into it.
  // Keep: the overlapping pixels move into it (converted by GDI when the layout differs).
  void NewImage(int AWidth, int AHeight, int ABitCount, bool ARgb565, const std::vector<std::uint32_t>& AColors,
                bool Keep);
  void ReadImage(const detail::DibImage& Image);
  detail::DibImage ImageData() const;
  // Lets go of the canvas's DC (the canvas makes a new one on its next drawing).
  void FreeContext();

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  bool FRgb565 = false;
  detail::GdiObject<HBITMAP> FHandle;
  std::uint8_t* FBits = nullptr;
  // The colour table of 1, 4 and 8-bit formats (RGBQUAD values), also kept while empty.
  std::vector<std::uint32_t> FColors;
  detail::GdiObject<HPALETTE> FPalette;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};
