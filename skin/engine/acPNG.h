#pragma once
// TPNGGraphic: a bitmap read from a PNG file, drawn with its per-pixel alpha when it is 32-bit.
// The decoding is the pure TPNGReader; this class puts its picture into the toolkit's bitmap.
#include "skin/engine/acPNGReader.h"
#include "toolkit/graphics/Bitmap.h"

class TPNGGraphic : public TBitmap {
 public:
  // Drawing adds a mirrored, fading copy below the picture (the canvas must have room for half
  // the picture's height there).
  bool Reflected = false;

  TColorManager& ColorManager() { return FReader.ColorManager; }
  const TPNGImageProperties& ImageProperties() const { return FReader.ImageProperties; }
  const std::vector<uint8_t>& PaletteAlpha() const { return FReader.PaletteAlpha; }
  TColor TransparentKey() const { return FReader.TransparentKey; }
  TColor BackgroundColor() const { return FReader.BackgroundColor; }

  // Copies the header values too when Source is a TPNGGraphic.
  void Assign(const TBitmap* Source);
  std::unique_ptr<TGraphic> Clone() const override;
  // Reads one PNG image from the stream's position; the stream ends up after its IEND chunk.
  // Raises EInvalidGraphic, EGraphicCompression, EColorConversionError or EReadError.
  void LoadFromStream(TStream* Stream) override;

 protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

 private:
  TPNGReader FReader;
};

// For a 32-bit bitmap: fully transparent white pixels become transparent black.
void ClearTransparentWhite(TBitmap* Bitmap);
// For a 32-bit bitmap: colours multiplied by their alpha (c * a div 255).
void PremultiplyAlpha(TBitmap* Bitmap);

// Makes TPicture load files with the extension "png" as TPNGGraphic (called once at start-up).
void RegisterPNGGraphic();
