#pragma once
// Decoding of PNG files held in memory into a device-independent bitmap's layout. Pure code: no
// windows.h; TPNGGraphic wraps it for the toolkit's bitmap.
#include "skin/engine/acColorManager.h"
#include "skin/engine/acGraphicTypes.h"
#include "toolkit/graphics/Colors.h"
#include "toolkit/graphics/GraphicErrors.h"
#include "toolkit/rtl/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include <zlib.h>

// The decompressor could not be set up or torn down.
class EGraphicCompression : public Exception {
 public:
  using Exception::Exception;
};

// Flags of TPNGImageProperties::Options.
constexpr uint8_t ioHeaderRead = 1 << 0;
constexpr uint8_t ioUseGamma = 1 << 1;

enum TCompressionType : uint8_t { ctUnknown = 0, ctLZ77 = 2 };

struct TPNGImageProperties {
  uint8_t Options = 0;
  uint32_t Width = 0, Height = 0;
  TColorScheme ColorScheme = schUnknown;
  uint8_t BitsPerSample = 0, SamplesPerPixel = 0, BitsPerPixel = 0;
  TCompressionType Compression = ctUnknown;
  float FileGamma = 1;
  bool Interlaced = false, HasAlpha = false;
  uint8_t FilterMode = 0;
};

// One zlib inflate stream fed by the caller's buffers.
class TLZ77Decoder {
 public:
  TLZ77Decoder(int flushMode, bool autoReset);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  void DecodeInit();
  // Inflates into dest; both pointers come back advanced past what was used and produced.
  void Decode(const uint8_t*& source, uint8_t*& dest, unsigned availableInput, unsigned outputSize);
  void DecodeEnd();
  unsigned AvailableInput() const { return FStream.avail_in; }
  unsigned AvailableOutput() const { return FStream.avail_out; }
  int ZLibResult = Z_OK;

 private:
  z_stream FStream{};
  int FFlushMode;
  bool FAutoReset;
  bool FInitialised = false;
};

// A picture laid out as a device-independent bitmap: rows top-down, each DWORD aligned; 1, 4 and 8
// bits per pixel index the palette, 24 is B, G, R and 32 is B, G, R, A with straight alpha.
struct TDIBImage {
  uint32_t Width = 0, Height = 0;
  TPixelFormat PixelFormat = pfDevice;
  TPaletteEntries Palette;
  size_t Stride = 0;
  std::vector<uint8_t> Bits;

  uint8_t* ScanLine(uint32_t y) { return Bits.data() + y * Stride; }
  const uint8_t* ScanLine(uint32_t y) const { return Bits.data() + y * Stride; }
  void SetSize(TPixelFormat format, uint32_t width, uint32_t height);
};

// The picture as 0xAARRGGBB values, row by row; pictures without alpha come out opaque.
std::vector<uint32_t> PixelsBGRA(const TDIBImage& image);

// Pixel routines of the skin loader over 32-bit B, G, R, A pixels.
void ClearTransparentWhite(uint32_t* pixels, size_t count);
void PremultiplyAlpha(uint32_t* pixels, size_t count);

// Decodes PNG files into the layout of the toolkit's bitmap: grey and indexed pictures as 1, 4 or
// 8 bits with their palette, RGB as 24 bits, and every picture with transparency (an alpha channel
// or tRNS) as 32-bit B, G, R, A with straight alpha. A gAMA chunk is applied for a display gamma of
// 2.2. Damaged, truncated or oversized files raise; malformed ancillary chunks are ignored.
class TPNGReader {
 public:
  TColorManager ColorManager;
  TPNGImageProperties ImageProperties;
  TPaletteEntries Palette;            // from PLTE (indexed images) or the grey ramp
  std::vector<uint8_t> PaletteAlpha;  // 256 entries when an indexed image carries tRNS
  TColor TransparentKey = clNone;   // grey and RGB images with tRNS
  TColor BackgroundColor = 0xFFFFFF;
  TDIBImage Image;
  unsigned SourceBPP = 0;

  // Largest picture accepted, in pixels: skin images are far smaller, and a hostile header must not
  // make the reader allocate gigabytes.
  static constexpr uint64_t MaxPixels = uint64_t(1) << 25;

  // Reads one PNG image from the start of data; returns the number of bytes up to and including the
  // IEND chunk. Raises EInvalidGraphic, EGraphicCompression, EColorConversionError or EReadError.
  size_t LoadFromBuffer(const uint8_t* data, size_t size);

  // Header values only (false: not a PNG image).
  bool ReadImageProperties(const uint8_t* data, size_t size);

 private:
  struct Chunk {
    uint32_t Length = 0;
    uint8_t Type[4] = {};
    const uint8_t* Data = nullptr;
  };
  void ReadChunkHeader();
  const uint8_t* ReadDataAndCheckCRC();
  void SkipChunkData();
  bool IsChunk(const char* type) const;
  bool IsCritical() const { return !(FChunk.Type[0] & 0x20); }
  const uint8_t* Take(size_t count);
  unsigned SetupColorDepth(uint8_t colorType, uint8_t bitDepth);
  void LoadBackgroundColor();
  void LoadTransparency();
  void LoadIDAT(const uint8_t* header);
  void ReadRow(uint8_t* dest, size_t count);
  void InflateBlock();
  void ConvertScanLine(const uint8_t* row, uint32_t y, uint8_t mask);

  const uint8_t* FData = nullptr;
  size_t FSize = 0, FPos = 0;
  Chunk FChunk;
  uint32_t FCRC = 0;
  TLZ77Decoder* FDecoder = nullptr;
  const uint8_t* FIDATPosition = nullptr;
  size_t FIDATSize = 0;
  std::vector<uint8_t> FInflated;  // image data inflated and not yet taken by ReadRow
  size_t FInflatedPos = 0, FInflatedEnd = 0, FImageDataLeft = 0;
  std::vector<uint8_t> FPLTE;
  uint16_t FKey[3] = {};  // tRNS samples of a grey or RGB image
  bool FHasKey = false, FHasPaletteAlpha = false, FExpandAlpha = false;
  std::vector<uint8_t> FBaseRow;  // index or grey row before the alpha is added
};

// The Paeth filter's choice among the left (a), upper (b) and upper-left (c) bytes.
uint8_t PaethPredictor(uint8_t a, uint8_t b, uint8_t c);
// Undoes a row filter on count bytes of line in place, previous being the row above; bytes left of
// the first pixel count as 0. Unknown filter types leave the bytes as they are.
void ApplyFilter(uint8_t filterType, uint8_t* line, const uint8_t* previous, unsigned bpp, size_t count);
