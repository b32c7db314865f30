#include "skin/engine/acPNGReader.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <type_traits>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

constexpr const char* kInvalidFormat = "Cannot load image. Invalid or unexpected PNG image format.";
constexpr const char* kTooLarge = "Cannot load image. The PNG image is too large.";
constexpr const char* kCRCError = "Cannot load image. CRC error found in PNG file.";
constexpr const char* kExtraData = "Cannot load image. Extra compressed data found in PNG file.";
constexpr const char* kCompressionError = "Cannot load image. Compression error found in PNG file.";
constexpr const char* kMissingData = "Cannot load image. Image data missing in PNG file.";
constexpr const char* kCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
constexpr const char* kInvalidPalette = "Cannot load image. Palette in PNG file is invalid.";
constexpr const char* kColorFormat = "Invalid color format in PNG file.";

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

unsigned BitsOf(TPixelFormat f) {
  switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

// Sample n of a row of 1, 2, 4, 8 or 16 bits per sample, as stored (big-endian).
unsigned RawSample(const uint8_t* row, size_t n, unsigned bits) {
  if (bits == 16) return BigEndian16(row + 2 * n);
  if (bits == 8) return row[n];
  const size_t bit = n * bits;
  return (row[bit >> 3] >> (8 - bits - (bit & 7))) & ((1u << bits) - 1);
}

struct Pass {
  uint32_t FirstRow, FirstColumn, RowStep, ColumnStep;
  uint8_t Mask;
};
// Image data is inflated this many bytes at a time (or the whole image when it is smaller): zlib's
// fast loop only runs with room for a long match in its output, which a short row does not give.
constexpr size_t kInflateBlock = 32768;

const Pass kAdam7[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                        {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

}  // namespace

// ---------------------------------------------------------------------------------------------------

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset) : FFlushMode(flushMode), FAutoReset(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (FInitialised) inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit() {
  FStream = z_stream{};
  ZLibResult = inflateInit(&FStream);
  if (ZLibResult != Z_OK) throw EGraphicCompression("LZ77 decompression error.");
  FInitialised = true;
}

void TLZ77Decoder::Decode(const uint8_t*& source, uint8_t*& dest, unsigned availableInput, unsigned outputSize) {
  FStream.next_in = const_cast<Bytef*>(source);
  FStream.avail_in = availableInput;
  if (FAutoReset) ZLibResult = inflateReset(&FStream);
  if (ZLibResult == Z_OK) {
    FStream.next_out = dest;
    FStream.avail_out = outputSize;
    ZLibResult = inflate(&FStream, FFlushMode);
    source = FStream.next_in;
    dest = FStream.next_out;
  }
}

void TLZ77Decoder::DecodeEnd() {
  if (!FInitialised) return;
  FInitialised = false;
  if (inflateEnd(&FStream) != Z_OK) throw EGraphicCompression("LZ77 decompression error.");
}

// ---------------------------------------------------------------------------------------------------

void TDIBImage::SetSize(TPixelFormat format, uint32_t width, uint32_t height) {
  PixelFormat = format;
  Width = width;
  Height = height;
  Stride = ((size_t(width) * BitsOf(format) + 31) / 32) * 4;
  Bits.assign(Stride * height, 0);
}

std::vector<uint32_t> PixelsBGRA(const TDIBImage& image) {
  std::vector<uint32_t> out(size_t(image.Width) * image.Height);
  const unsigned bits = BitsOf(image.PixelFormat);
  uint32_t* q = out.data();
  for (uint32_t y = 0; y < image.Height; ++y) {
    const uint8_t* row = image.ScanLine(y);
    for (uint32_t x = 0; x < image.Width; ++x, ++q) {
      if (bits == 32) {
        std::memcpy(q, row + 4 * x, 4);
      } else if (bits == 24) {
        const uint8_t* p = row + 3 * x;
        *q = 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
      } else {
        const unsigned i = RawSample(row, x, bits);
        const TPaletteEntry e = i < image.Palette.size() ? image.Palette[i] : TPaletteEntry{0, 0, 0, 0};
        *q = 0xFF000000u | uint32_t(e.peRed) << 16 | uint32_t(e.peGreen) << 8 | e.peBlue;
      }
    }
  }
  return out;
}

void ClearTransparentWhite(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (pixels[i] == 0x00FFFFFF) pixels[i] = 0;
}

void PremultiplyAlpha(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i], a = p >> 24;
    const uint32_t b = (p & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, r = ((p >> 16) & 0xFF) * a / 255;
    pixels[i] = a << 24 | r << 16 | g << 8 | b;
  }
}

// ---------------------------------------------------------------------------------------------------

uint8_t PaethPredictor(uint8_t a, uint8_t b, uint8_t c) {
  // p = a + b - c; |p - a| = |b - c|, |p - b| = |a - c|, |p - c| = |a + b - 2c|.
  int pa = std::abs(b - c);
  const int pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  // a unless b or c is strictly nearer, then b unless c is strictly nearer: selects, not branches.
  uint8_t nearest = a;
  if (pb < pa) pa = pb, nearest = b;
  return pc < pa ? c : nearest;
}

namespace {

#if defined(__SSE2__) && defined(__x86_64__)
// Sub, Average and Paeth depend on the pixel just decoded, so they go one pixel of 3, 4, 6 or 8 bytes
// a step, in 16-bit lanes. Pixels are read and written through general registers: a pixel stored in
// pieces and read back whole would stall every step. Up has no such chain and goes 16 bytes a step.
template <unsigned BPP>
__m128i LoadPixel(const uint8_t* p) {
  if constexpr (BPP == 8) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  } else {
    uint32_t low = 0;
    uint16_t high = 0;
    std::memcpy(&low, p, BPP == 3 ? 2 : 4);
    if constexpr (BPP == 3) high = p[2];
    if constexpr (BPP == 6) std::memcpy(&high, p + 4, 2);
    return _mm_cvtsi64_si128(int64_t(low | uint64_t(high) << (BPP == 3 ? 16 : 32)));
  }
}
template <unsigned BPP>
void StorePixel(uint8_t* p, __m128i bytes) {
  if constexpr (BPP == 8) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), bytes);
  } else {
    const uint64_t v = uint64_t(_mm_cvtsi128_si64(bytes));
    const uint32_t low = uint32_t(v);
    std::memcpy(p, &low, BPP == 3 ? 2 : 4);
    if constexpr (BPP == 3) p[2] = uint8_t(v >> 16);
    if constexpr (BPP == 6) {
      const uint16_t high = uint16_t(v >> 32);
      std::memcpy(p + 4, &high, 2);
    }
  }
}
__m128i Widen(__m128i bytes) { return _mm_unpacklo_epi8(bytes, _mm_setzero_si128()); }
__m128i Narrow(__m128i lanes) { return _mm_packus_epi16(lanes, lanes); }

template <unsigned BPP>
void UndoSub(uint8_t* line, size_t count) {
  __m128i a = _mm_setzero_si128();
  for (size_t i = 0; i < count; i += BPP) {
    a = _mm_add_epi8(a, LoadPixel<BPP>(line + i));
    StorePixel<BPP>(line + i, a);
  }
}

// (a + b) div 2 + x is (a + b + 2x) div 2: b + 2x is ready before a is.
template <unsigned BPP>
void UndoAverage(uint8_t* line, const uint8_t* previous, size_t count) {
  const __m128i lowBytes = _mm_set1_epi16(0xFF);
  __m128i a = _mm_setzero_si128();
  for (size_t i = 0; i < count; i += BPP) {
    const __m128i x = Widen(LoadPixel<BPP>(line + i));
    const __m128i bx2 = _mm_add_epi16(Widen(LoadPixel<BPP>(previous + i)), _mm_add_epi16(x, x));
    a = _mm_and_si128(_mm_srli_epi16(_mm_add_epi16(a, bx2), 1), lowBytes);
    StorePixel<BPP>(line + i, Narrow(a));
  }
}

// The predictor is a if |b - c| is not above |a - c| and |a + b - 2c|, else b if |a - c| is not above
// |a + b - 2c|, else c. Everything that does not need a is worked out before a is known.
template <unsigned BPP>
void UndoPaeth(uint8_t* line, const uint8_t* previous, size_t count) {
  const __m128i zero = _mm_setzero_si128(), lowBytes = _mm_set1_epi16(0xFF);
  __m128i a = zero, c = zero;
  for (size_t i = 0; i < count; i += BPP) {
    const __m128i b = Widen(LoadPixel<BPP>(previous + i)), x = Widen(LoadPixel<BPP>(line + i));
    const __m128i bMinusC = _mm_sub_epi16(b, c);
    const __m128i pa = _mm_max_epi16(bMinusC, _mm_sub_epi16(zero, bMinusC));
    const __m128i k = _mm_sub_epi16(bMinusC, c), minusK = _mm_sub_epi16(zero, k);  // b - 2c
    const __m128i bXorC = _mm_xor_si128(b, c);
    const __m128i pb = _mm_max_epi16(_mm_sub_epi16(a, c), _mm_sub_epi16(c, a));
    const __m128i pc = _mm_max_epi16(_mm_add_epi16(a, k), _mm_sub_epi16(minusK, a));
    const __m128i notA = _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc));
    const __m128i bOrC = _mm_xor_si128(b, _mm_and_si128(bXorC, _mm_cmpgt_epi16(pb, pc)));
    const __m128i predictor = _mm_or_si128(_mm_andnot_si128(notA, a), _mm_and_si128(notA, bOrC));
    a = _mm_and_si128(_mm_add_epi16(x, predictor), lowBytes);
    StorePixel<BPP>(line + i, Narrow(a));
    c = b;
  }
}

template <unsigned BPP>
void UndoFilter(uint8_t type, uint8_t* line, const uint8_t* previous, size_t count) {
  if (type == 1) UndoSub<BPP>(line, count);
  else if (type == 3) UndoAverage<BPP>(line, previous, count);
  else UndoPaeth<BPP>(line, previous, count);
}

void UndoUp(uint8_t* line, const uint8_t* previous, size_t count) {
  size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(line + i), _mm_add_epi8(x, b));
  }
  for (; i < count; ++i) line[i] = static_cast<uint8_t>(line[i] + previous[i]);
}
#endif

}  // namespace

void ApplyFilter(uint8_t filterType, uint8_t* line, const uint8_t* previous, unsigned bpp, size_t count) {
#if defined(__SSE2__) && defined(__x86_64__)
  if (filterType == 2) {
    UndoUp(line, previous, count);
    return;
  }
  if (bpp >= 3 && bpp != 5 && bpp != 7 && bpp <= 8 && count % bpp == 0 && filterType >= 1 && filterType <= 4) {
    switch (bpp) {
      case 3: UndoFilter<3>(filterType, line, previous, count); break;
      case 4: UndoFilter<4>(filterType, line, previous, count); break;
      case 6: UndoFilter<6>(filterType, line, previous, count); break;
      default: UndoFilter<8>(filterType, line, previous, count); break;
    }
    return;
  }
#endif
  const size_t lead = std::min<size_t>(bpp, count);
  switch (filterType) {
    case 1:
      for (size_t i = bpp; i < count; ++i) line[i] = static_cast<uint8_t>(line[i] + line[i - bpp]);
      break;
    case 2:
      for (size_t i = 0; i < count; ++i) line[i] = static_cast<uint8_t>(line[i] + previous[i]);
      break;
    case 3:
      for (size_t i = 0; i < lead; ++i) line[i] = static_cast<uint8_t>(line[i] + (previous[i] >> 1));
      for (size_t i = bpp; i < count; ++i)
        line[i] = static_cast<uint8_t>(line[i] + ((line[i - bpp] + previous[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < lead; ++i) line[i] = static_cast<uint8_t>(line[i] + previous[i]);
      for (size_t i = bpp; i < count; ++i)
        line[i] = static_cast<uint8_t>(line[i] + PaethPredictor(line[i - bpp], previous[i], previous[i - bpp]));
      break;
    default:  // 0 None; unknown types leave the row as it was decoded
      break;
  }
}

// ---------------------------------------------------------------------------------------------------

const uint8_t* TPNGReader::Take(size_t count) {
  if (FSize - FPos < count) throw EReadError("Erro de leitura do fluxo");
  const uint8_t* p = FData + FPos;
  FPos += count;
  return p;
}

void TPNGReader::ReadChunkHeader() {
  const uint8_t* p = Take(8);
  FChunk.Length = BigEndian32(p);
  // The format allows chunks up to 2^31 - 1 bytes; anything longer is not a PNG chunk.
  if (FChunk.Length > 0x7FFFFFFFu) throw EInvalidGraphic(kInvalidFormat);
  std::memcpy(FChunk.Type, p + 4, 4);
  FChunk.Data = nullptr;
  FCRC = crc32(0, p + 4, 4);
}

const uint8_t* TPNGReader::ReadDataAndCheckCRC() {
  FChunk.Data = Take(FChunk.Length);
  const uint32_t stored = BigEndian32(Take(4));
  if (FChunk.Length) FCRC = crc32(FCRC, FChunk.Data, FChunk.Length);  // a null buffer restarts the CRC
  if (FCRC != stored) throw EInvalidGraphic(kCRCError);
  return FChunk.Data;
}

void TPNGReader::SkipChunkData() { Take(size_t(FChunk.Length) + 4); }

bool TPNGReader::IsChunk(const char* type) const {
  for (int i = 0; i < 4; ++i)
    if ((FChunk.Type[i] & ~0x20) != (static_cast<uint8_t>(type[i]) & ~0x20)) return false;
  return true;
}

bool TPNGReader::ReadImageProperties(const uint8_t* data, size_t size) {
  FData = data, FSize = size, FPos = 0;
  ImageProperties = TPNGImageProperties{};
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return false;
  FPos = 8;
  ReadChunkHeader();
  if (!IsChunk("IHDR") || FChunk.Length != 13) return false;
  ImageProperties.Options |= ioHeaderRead;
  const uint8_t* h = ReadDataAndCheckCRC();
  TPNGImageProperties& p = ImageProperties;
  p.Width = BigEndian32(h);
  p.Height = BigEndian32(h + 4);
  if (p.Width == 0 || p.Height == 0 || p.Width > 0x7FFFFFFFu || p.Height > 0x7FFFFFFFu) return false;
  p.BitsPerSample = h[8];
  switch (h[9]) {
    case 0: p.ColorScheme = schGray; break;
    case 2: p.ColorScheme = schRGB; break;
    case 3: p.ColorScheme = schIndexed; break;
    case 4: p.ColorScheme = schGrayAlpha; break;
    case 6: p.ColorScheme = schRGBA; break;
    default: p.ColorScheme = schUnknown; break;
  }
  p.SamplesPerPixel = h[9] == 2 ? 3 : h[9] == 6 ? 4 : 1;
  p.BitsPerPixel = static_cast<uint8_t>(p.SamplesPerPixel * p.BitsPerSample);
  p.Compression = h[10] == 0 ? ctLZ77 : ctUnknown;
  p.FilterMode = h[11];
  p.Interlaced = h[12] != 0;
  p.HasAlpha = p.ColorScheme == schGrayAlpha || p.ColorScheme == schRGBA || p.ColorScheme == schBGRA;
  for (;;) {
    ReadChunkHeader();
    if (IsChunk("gAMA") && FChunk.Length >= 4) {
      const uint32_t gamma = BigEndian32(ReadDataAndCheckCRC());
      if (gamma) p.FileGamma = gamma / 100000.0f;
      break;
    }
    SkipChunkData();
    if (IsChunk("IEND")) break;
  }
  return true;
}

unsigned TPNGReader::SetupColorDepth(uint8_t colorType, uint8_t bitDepth) {
  TColorManager& cm = ColorManager;
  auto valid = [&](std::initializer_list<int> depths) {
    return std::find(depths.begin(), depths.end(), bitDepth) != depths.end();
  };
  // Images with any transparency come out as 32-bit B, G, R, A; FExpandAlpha marks the ones whose
  // alpha is added after the colour conversion (grey, indexed and keyed images).
  FExpandAlpha = false;
  unsigned sourceBPP;
  switch (colorType) {
    case 0:
      if (!valid({1, 2, 4, 8, 16})) throw EInvalidGraphic(kColorFormat);
      cm.SetSourceColorScheme(schGray);
      cm.SetTargetColorScheme(schGray);
      cm.SetSourceBitsPerSample(bitDepth);
      FExpandAlpha = FHasKey;
      cm.SetTargetBitsPerSample(FExpandAlpha || bitDepth == 16 ? 8 : bitDepth == 2 ? 4 : bitDepth);
      cm.SetSourceSamplesPerPixel(1);
      cm.SetTargetSamplesPerPixel(1);
      sourceBPP = (bitDepth + 7) / 8;
      break;
    case 2:
      if (!valid({8, 16})) throw EInvalidGraphic(kColorFormat);
      cm.SetSourceColorScheme(schRGB);
      cm.SetTargetColorScheme(FHasKey ? schBGRA : schBGR);
      cm.SetSourceBitsPerSample(bitDepth);
      cm.SetTargetBitsPerSample(8);
      cm.SetSourceSamplesPerPixel(3);
      cm.SetTargetSamplesPerPixel(FHasKey ? 4 : 3);
      sourceBPP = 3 * bitDepth / 8;
      break;
    case 3:
      if (!valid({1, 2, 4, 8})) throw EInvalidGraphic(kColorFormat);
      if (FPLTE.empty()) throw EInvalidGraphic(kInvalidPalette);
      cm.SetSourceColorScheme(schIndexed);
      cm.SetTargetColorScheme(schIndexed);
      cm.SetSourceBitsPerSample(bitDepth);
      FExpandAlpha = FHasPaletteAlpha;
      cm.SetTargetBitsPerSample(FExpandAlpha ? 8 : bitDepth == 2 ? 4 : bitDepth);
      cm.SetSourceSamplesPerPixel(1);
      cm.SetTargetSamplesPerPixel(1);
      sourceBPP = 1;
      break;
    case 4:
      if (!valid({8, 16})) throw EInvalidGraphic(kColorFormat);
      cm.SetSourceColorScheme(schGrayAlpha);
      cm.SetTargetColorScheme(schIndexed);
      cm.SetSourceBitsPerSample(bitDepth);
      cm.SetTargetBitsPerSample(8);
      cm.SetSourceSamplesPerPixel(1);
      cm.SetTargetSamplesPerPixel(1);
      FExpandAlpha = true;
      sourceBPP = 2 * bitDepth / 8;
      break;
    case 6:
      if (!valid({8, 16})) throw EInvalidGraphic(kColorFormat);
      cm.SetSourceColorScheme(schRGBA);
      cm.SetTargetColorScheme(schBGRA);
      cm.SetSourceBitsPerSample(bitDepth);
      cm.SetTargetBitsPerSample(8);
      cm.SetSourceSamplesPerPixel(4);
      cm.SetTargetSamplesPerPixel(4);
      sourceBPP = 4 * bitDepth / 8;
      break;
    default:
      throw EInvalidGraphic(kColorFormat);
  }
  // The gamma table depends on the depths just set.
  cm.SetGamma(ImageProperties.FileGamma, 2.2f);

  if (colorType == 3) {
    const uint8_t* plte = FPLTE.data();
    Palette = cm.CreateColorPalette({&plte, 1}, pfInterlaced8Triple, unsigned(FPLTE.size() / 3), false);
  } else if (colorType == 0 || colorType == 4) {
    Palette = cm.CreateGrayscalePalette(false);
  } else {
    Palette.clear();
  }
  if (!Palette.empty()) {
    // Indexes past the palette show black, so the table always covers every index of the depth.
    const unsigned bits = cm.TargetBitsPerSample();
    Palette.resize(size_t(1) << std::min(bits, 8u), TPaletteEntry{0, 0, 0, 0});
  }
  const TPixelFormat format = FHasKey || FExpandAlpha ? pf32bit : cm.GetPixelFormat(1);
  Image.Palette = format == pf32bit || format == pf24bit ? TPaletteEntries{} : Palette;
  Image.PixelFormat = format;
  return sourceBPP;
}

void TPNGReader::LoadBackgroundColor() {
  const uint8_t* d = ReadDataAndCheckCRC();
  const size_t n = FChunk.Length;
  const uint8_t depth = ImageProperties.BitsPerSample;
  switch (ImageProperties.ColorScheme) {
    case schGray:
    case schGrayAlpha: {
      if (n < 2) return;  // too short for its colour type: ignored
      unsigned v = BigEndian16(d);
      v = depth == 2 ? v * 15 / 3 : depth == 16 ? v * 255 / 65535 : v & 0xFF;
      BackgroundColor = TColor(v);
      break;
    }
    case schRGB:
    case schRGBA: {
      if (n < 6) return;
      unsigned c[3];
      for (int i = 0; i < 3; ++i) {
        const unsigned v = BigEndian16(d + 2 * i);
        c[i] = depth == 16 ? v * 255 / 65535 : v & 0xFF;
      }
      BackgroundColor = TColor(c[0] | c[1] << 8 | c[2] << 16);
      break;
    }
    default:
      if (n < 1) return;
      BackgroundColor = d[0];
      break;
  }
}

// Malformed, misplaced or repeated tRNS chunks are ignored, as other decoders do.
void TPNGReader::LoadTransparency() {
  const uint8_t* d = ReadDataAndCheckCRC();
  const size_t n = FChunk.Length;
  if (FHasKey || FHasPaletteAlpha) return;
  const uint8_t depth = ImageProperties.BitsPerSample;
  const unsigned sampleMask = depth >= 16 ? 0xFFFF : (1u << depth) - 1;  // depth not checked yet
  switch (ImageProperties.ColorScheme) {
    case schGray: {
      if (n != 2) return;
      unsigned v = BigEndian16(d);
      FKey[0] = static_cast<uint16_t>(v & sampleMask);
      FHasKey = true;
      v = depth == 2 ? v * 15 / 3 : depth == 16 ? v * 255 / 65535 : v;
      const unsigned level = v & 0xFF;
      TransparentKey = TColor(level | level << 8 | level << 16);
      break;
    }
    case schRGB: {
      if (n != 6) return;
      unsigned c[3];
      for (int i = 0; i < 3; ++i) {
        const unsigned v = BigEndian16(d + 2 * i);
        FKey[i] = static_cast<uint16_t>(v & sampleMask);
        c[i] = depth == 16 ? v * 255 / 65535 : v & 0xFF;
      }
      FHasKey = true;
      TransparentKey = TColor(c[0] | c[1] << 8 | c[2] << 16);
      break;
    }
    case schGrayAlpha:
    case schRGBA:
      break;
    default: {
      // Palette entries past the depth's reach do not count.
      const size_t entries = std::min(FPLTE.size() / 3, size_t(1) << std::min<unsigned>(depth, 8));
      if (n == 0 || n > entries) return;
      PaletteAlpha.assign(256, 255);
      std::memcpy(PaletteAlpha.data(), d, n);
      FHasPaletteAlpha = true;
      break;
    }
  }
}

size_t TPNGReader::LoadFromBuffer(const uint8_t* data, size_t size) {
  Image = TDIBImage{};
  if (!ReadImageProperties(data, size)) throw EInvalidGraphic(kInvalidFormat);
  const TPNGImageProperties& p = ImageProperties;
  FPos = 8;
  Palette.clear();
  PaletteAlpha.clear();
  BackgroundColor = 0xFFFFFF;
  TransparentKey = clNone;
  FPLTE.clear();
  FHasKey = FHasPaletteAlpha = false;
  ColorManager.SetSourceOptions(coNeedByteSwap);
  ColorManager.SetTargetOptions(0);
  ReadChunkHeader();
  uint8_t header[13];
  std::memcpy(header, ReadDataAndCheckCRC(), 13);
  if (p.Compression != ctLZ77)
    throw EInvalidGraphic("Cannot load image. The compression scheme is not supported for PNG files.");

  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, false);
  decoder.DecodeInit();
  FDecoder = &decoder;
  struct Reset {
    TLZ77Decoder*& d;
    ~Reset() { d = nullptr; }
  } reset{FDecoder};

  bool imageRead = false, gammaAllowed = true;
  ReadChunkHeader();
  for (;;) {
    if (IsChunk("IDAT") && !imageRead) {
      LoadIDAT(header);
      imageRead = true;
      gammaAllowed = false;
      // FChunk is now the chunk after the image data: fall through to the common tail.
    } else if (IsChunk("PLTE") && !imageRead) {
      if (FChunk.Length % 3 != 0) throw EInvalidGraphic(kInvalidPalette);
      const uint8_t* d = ReadDataAndCheckCRC();
      gammaAllowed = false;
      if (header[9] == 3) {
        if (FChunk.Length == 0 || FChunk.Length > 3 * 256) throw EInvalidGraphic(kInvalidPalette);
        FPLTE.assign(d, d + FChunk.Length);
      }
      ReadChunkHeader();
      continue;
    } else if (IsChunk("gAMA")) {
      const uint8_t* d = ReadDataAndCheckCRC();
      // A gAMA after the palette or the image data comes too late to apply; 0 is no gamma at all.
      if (gammaAllowed && FChunk.Length >= 4 && BigEndian32(d) != 0) {
        ImageProperties.FileGamma = BigEndian32(d) / 100000.0f;
        ColorManager.SetGamma(ImageProperties.FileGamma, 2.2f);
        ColorManager.SetTargetOptions(ColorManager.TargetOptions() | coApplyGamma);
        ImageProperties.Options |= ioUseGamma;
      }
      ReadChunkHeader();
      continue;
    } else if (IsChunk("bKGD")) {
      LoadBackgroundColor();
      ReadChunkHeader();
      continue;
    } else if (IsChunk("tRNS")) {
      if (imageRead) SkipChunkData();
      else LoadTransparency();
      ReadChunkHeader();
      continue;
    }
    // Common tail: skip the chunk unread.
    SkipChunkData();
    if (IsChunk("IEND")) break;
    if (IsCritical()) throw EInvalidGraphic(kCriticalChunk);
    ReadChunkHeader();
  }
  decoder.DecodeEnd();
  return FPos;
}

void TPNGReader::LoadIDAT(const uint8_t* header) {
  const TPNGImageProperties& p = ImageProperties;
  const uint8_t bitDepth = header[8], colorType = header[9];
  SourceBPP = SetupColorDepth(colorType, bitDepth);
  if (uint64_t(p.Width) * p.Height > MaxPixels) throw EInvalidGraphic(kTooLarge);
  const unsigned bpp = bitDepth == 16 ? SourceBPP / 2 : SourceBPP;
  const TPixelFormat format = Image.PixelFormat;
  Image.SetSize(format, p.Width, p.Height);
  Image.Palette = format == pf32bit || format == pf24bit ? TPaletteEntries{} : Palette;
  FBaseRow.assign(FExpandAlpha ? size_t(p.Width) : 0, 0);

  // A plain picture is one pass over every pixel.
  const Pass whole = {0, 0, 1, 1, 0xFF};
  const std::span<const Pass> passes = header[12] == 1 ? std::span<const Pass>(kAdam7) : std::span<const Pass>(&whole, 1);
  auto rowLength = [&](const Pass& pass) {
    const size_t columns = (size_t(p.Width) + pass.ColumnStep - 1 - pass.FirstColumn) / pass.ColumnStep;
    return ((columns * bitDepth + 7) / 8) * bpp + 1;
  };
  FImageDataLeft = 0;
  for (const Pass& pass : passes)
    if (p.Width > pass.FirstColumn && p.Height > pass.FirstRow)
      FImageDataLeft += rowLength(pass) * ((p.Height - pass.FirstRow + pass.RowStep - 1) / pass.RowStep);
  FInflated.resize(std::min(FImageDataLeft, kInflateBlock));
  FInflatedPos = FInflatedEnd = 0;
  FIDATSize = 0;
  FIDATPosition = nullptr;

  const size_t longest = rowLength(whole);  // no pass has longer rows
  std::vector<uint8_t> rows(2 * longest, 0);
  uint8_t* current = rows.data();
  uint8_t* previous = rows.data() + longest;
  for (const Pass& pass : passes) {
    if (p.Width <= pass.FirstColumn) continue;
    const size_t length = rowLength(pass);
    std::fill(previous, previous + length, 0);
    for (uint32_t y = pass.FirstRow; y < p.Height; y += pass.RowStep) {
      ReadRow(current, length);
      ApplyFilter(current[0], current + 1, previous + 1, SourceBPP, length - 1);
      ConvertScanLine(current + 1, y, pass.Mask);
      std::swap(current, previous);
    }
  }
  // The rest of the image data is read and dropped.
  while (IsChunk("IDAT")) {
    ReadDataAndCheckCRC();
    ReadChunkHeader();
  }
}

void TPNGReader::ReadRow(uint8_t* dest, size_t count) {
  while (count > 0) {
    if (FInflatedPos == FInflatedEnd) InflateBlock();
    const size_t n = std::min(count, FInflatedEnd - FInflatedPos);
    std::memcpy(dest, FInflated.data() + FInflatedPos, n);
    FInflatedPos += n, dest += n, count -= n;
  }
}

void TPNGReader::InflateBlock() {
  // The zlib stream ended on an earlier row: the image lacks rows.
  if (FDecoder->ZLibResult == Z_STREAM_END) throw EInvalidGraphic(kExtraData);
  const size_t wanted = std::min(FInflated.size(), FImageDataLeft);
  FInflatedPos = FInflatedEnd = 0;
  while (FInflatedEnd < wanted) {
    if (FDecoder->AvailableInput() == 0) {
      FIDATSize = 0;
      while (FIDATSize == 0) {
        if (!IsChunk("IDAT")) throw EInvalidGraphic(kMissingData);
        FIDATPosition = ReadDataAndCheckCRC();
        FIDATSize = FChunk.Length;
        ReadChunkHeader();
      }
    }
    const uint8_t* in = FIDATPosition;
    uint8_t* const start = FInflated.data() + FInflatedEnd;
    uint8_t* out = start;
    FDecoder->Decode(in, out, static_cast<unsigned>(FIDATSize), static_cast<unsigned>(wanted - FInflatedEnd));
    FIDATSize -= size_t(in - FIDATPosition);
    FIDATPosition = in;
    FInflatedEnd += size_t(out - start);
    if (FDecoder->ZLibResult == Z_STREAM_END) {
      if (FInflatedEnd < wanted || FDecoder->AvailableInput() > 0) throw EInvalidGraphic(kExtraData);
      break;
    }
    if (FDecoder->ZLibResult != Z_OK) throw EInvalidGraphic(kCompressionError);
  }
  FImageDataLeft -= FInflatedEnd;
}

void TPNGReader::ConvertScanLine(const uint8_t* row, uint32_t y, uint8_t mask) {
  uint8_t* line = Image.ScanLine(y);
  const uint32_t width = ImageProperties.Width;
  if (!FExpandAlpha) {
    ColorManager.ConvertRow({&row, 1}, line, width, mask);
    if (!FHasKey) return;
  } else {
    ColorManager.ConvertRow({&row, 1}, FBaseRow.data(), width, mask);
  }
  // Add the alpha (and, for grey and indexed images, the colour) of every pixel this row writes: one
  // loop for each kind of picture, so that no pixel asks which kind it is.
  const uint8_t depth = ImageProperties.BitsPerSample;
  auto eachPixel = [&](bool colour, auto alphaOf) {
    auto run = [&](auto colourKind, auto everyPixel) {
      size_t s = 0;
      for (uint32_t x = 0; x < width; ++x) {
        if constexpr (!decltype(everyPixel)::value)
          if (!(mask & (0x80u >> (x & 7)))) continue;
        uint8_t* q = line + 4 * size_t(x);
        if constexpr (decltype(colourKind)::value) {
          const TPaletteEntry& e = Palette[FBaseRow[x]];
          q[0] = e.peBlue, q[1] = e.peGreen, q[2] = e.peRed;
        }
        q[3] = alphaOf(s++, x);
      }
    };
    // Rows of plain pictures take every pixel; the checks are made once a row, not once a pixel.
    if (colour && mask == 0xFF) run(std::true_type{}, std::true_type{});
    else if (colour) run(std::true_type{}, std::false_type{});
    else if (mask == 0xFF) run(std::false_type{}, std::true_type{});
    else run(std::false_type{}, std::false_type{});
  };
  switch (ImageProperties.ColorScheme) {
    case schRGB:
      eachPixel(false, [&](size_t s, uint32_t) {
        const bool key = RawSample(row, 3 * s, depth) == FKey[0] && RawSample(row, 3 * s + 1, depth) == FKey[1] &&
                         RawSample(row, 3 * s + 2, depth) == FKey[2];
        return uint8_t(key ? 0 : 255);
      });
      break;
    case schGray:
      if (depth <= 8) {
        // The row's samples are widened to bytes already (v * 255 / top, one to one): the key is
        // widened alike.
        const unsigned key = FKey[0] * (255u / ((1u << depth) - 1));
        eachPixel(true, [&](size_t, uint32_t x) { return uint8_t(FBaseRow[x] == key ? 0 : 255); });
      } else {
        eachPixel(true, [&](size_t s, uint32_t) { return uint8_t(RawSample(row, s, depth) == FKey[0] ? 0 : 255); });
      }
      break;
    case schGrayAlpha:
      if (depth == 16) eachPixel(true, [&](size_t s, uint32_t) { return uint8_t(BigEndian16(row + 4 * s + 2) * 255u / 65535u); });
      else eachPixel(true, [&](size_t s, uint32_t) { return row[2 * s + 1]; });
      break;
    default:
      eachPixel(true, [&](size_t, uint32_t x) { return PaletteAlpha[FBaseRow[x]]; });
      break;
  }
}
