#pragma once
// Conversion of rows of pixel samples from a file's layout into a device-independent bitmap's
// scan line layout, with gamma correction and palette making. Pure code: no windows.h.
#include "skin/engine/acGammaTables.h"
#include "skin/engine/acGraphicTypes.h"
#include "toolkit/rtl/Exceptions.h"

#include <cstdint>
#include <span>
#include <vector>

class EColorConversionError : public Exception {
 public:
  using Exception::Exception;
};

enum TColorScheme : uint8_t {
  schUnknown,
  schIndexed,
  schGray,
  schGrayAlpha,
  schRGB,
  schRGBA,
  schBGR,
  schBGRA,
  schUnsupported,
  schCMYK,
  schCIELab,
  schYCbCr,
  schPhotoYCC,
};

// Option bits of the source and target layouts.
using TConvertOptions = uint8_t;
constexpr TConvertOptions coAlpha = 1 << 0;            // the layout carries alpha (set from the scheme)
constexpr TConvertOptions coApplyGamma = 1 << 1;       // target: gamma-correct colours and palettes
constexpr TConvertOptions coNeedByteSwap = 1 << 2;     // source: 16-bit samples are big-endian
constexpr TConvertOptions coLabByteRange = 1 << 3;     // source: L* stored as 0..255
constexpr TConvertOptions coLabChromaOffset = 1 << 4;  // source: a*, b* stored unsigned with offset 128

// Palette data layouts of CreateColorPalette.
enum TRawPaletteFormat : uint8_t {
  pfInterlaced8Triple,
  pfInterlaced8Quad,
  pfPlane8Triple,
  pfPlane8Quad,
  pfInterlaced16Triple,
  pfInterlaced16Quad,
  pfPlane16Triple,
  pfPlane16Quad,
};

class TColorManager {
 public:
  TColorManager();

  uint8_t SourceBitsPerSample() const { return FSourceBPS; }
  uint8_t TargetBitsPerSample() const { return FTargetBPS; }
  uint8_t SourceSamplesPerPixel() const { return FSourceSPP; }
  uint8_t TargetSamplesPerPixel() const { return FTargetSPP; }
  TColorScheme SourceColorScheme() const { return FSourceScheme; }
  TColorScheme TargetColorScheme() const { return FTargetScheme; }
  TConvertOptions SourceOptions() const { return FSourceOptions; }
  TConvertOptions TargetOptions() const { return FTargetOptions; }
  void SetSourceBitsPerSample(uint8_t value);
  void SetTargetBitsPerSample(uint8_t value);
  void SetSourceSamplesPerPixel(uint8_t value);
  void SetTargetSamplesPerPixel(uint8_t value);
  void SetSourceColorScheme(TColorScheme value);
  void SetTargetColorScheme(TColorScheme value);
  void SetSourceOptions(TConvertOptions value);
  void SetTargetOptions(TConvertOptions value);

  float MainGamma() const { return FMainGamma; }
  float DisplayGamma() const { return FDisplayGamma; }
  const uint8_t* GammaTable();
  float YCbCrCoefficients[3] = {0.299f, 0.587f, 0.114f};
  uint8_t HorizontalSubSampling = 1;
  uint8_t VerticalSubSampling = 1;

  // Pixel format of the source (index 0) or target (index 1 or more) layout.
  TPixelFormat GetPixelFormat(int index) const;
  void SetGamma(float mainGamma, float displayGamma);
  TPaletteEntries CreateGrayscalePalette(bool minimumIsWhite) const;
  // data: one pointer for interleaved layouts, three for planes.
  TPaletteEntries CreateColorPalette(std::span<const uint8_t* const> data, TRawPaletteFormat layout,
                                     unsigned colorCount, bool blueFirst) const;
  // Converts count target pixels; a pixel whose bit of mask (bit 7 - n mod 8) is clear is skipped
  // and consumes no source pixel. source: one pointer (interleaved) or one per sample plane.
  void ConvertRow(std::span<const uint8_t* const> source, void* target, unsigned count, uint8_t mask);

 private:
  using TConverter = void (TColorManager::*)(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void PrepareConversion();
  void MakeYCbCrTables(int offset1, int offset2);
  double GammaExponent() const;
  void MakeGammaTable();
  uint8_t Gamma8(uint8_t value) const;
  // 16-bit samples reduced to 8 bits are gamma-corrected from their full value, so that dark tones
  // below one 8-bit step keep their levels; grey ramps then stay linear.
  bool GammaOn16BitRows() const;
  uint8_t Reduce16(uint16_t value, bool gamma) const;
  uint16_t Swap16(uint16_t value) const;

  void RowConvertIndexed8(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertIndexedBoth16(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertIndexedSource16(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertIndexedTarget16(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertGray(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertRGB(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertCMYK(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertCIELab(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);
  void RowConvertYCC(std::span<const uint8_t* const>, uint8_t*, unsigned, uint8_t);

  bool FChanged = true;
  uint8_t FSourceBPS = 8, FTargetBPS = 8;
  uint8_t FSourceSPP = 3, FTargetSPP = 3;
  float FMainGamma = 1, FDisplayGamma = 2.2f;
  // Taken on demand (most pictures carry no gamma): rows of the source depth, 16-bit rows reduced to
  // 8 bits, and 8-bit palette levels.
  TGammaTable FGammaTable, FGammaTable16;
  mutable TGammaTable FPaletteGammaTable;
  std::vector<int32_t> FYCCTables;  // four tables of 256 entries, made on demand
  TColorScheme FSourceScheme = schRGB, FTargetScheme = schBGR;
  TConverter FRowConversion = nullptr;
  TConvertOptions FSourceOptions = 0, FTargetOptions = 0;
};
