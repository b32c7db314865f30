#include "skin/engine/acColorManager.h"

#include "skin/engine/acGammaTables.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr const char* kInvalidBits = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
constexpr const char* kInvalidSamples = "Sample count per pixel does not correspond to the given color scheme.";

bool HasAlphaSample(TColorScheme s) { return s == schGrayAlpha || s == schRGBA || s == schBGRA; }
bool IsRGBKind(TColorScheme s) { return s == schRGB || s == schRGBA; }
bool IsBGRKind(TColorScheme s) { return s == schBGR || s == schBGRA; }

uint8_t Clamp8(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }
uint8_t Clamp8(double v) { return Clamp8(static_cast<int>(std::nearbyint(v))); }  // ties to even

uint16_t Load16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

// Sample n of a row packed from the most significant bit.
unsigned GetPacked(const uint8_t* row, unsigned n, unsigned bits) {
  const unsigned bit = n * bits;
  return (row[bit >> 3] >> (8 - bits - (bit & 7))) & ((1u << bits) - 1);
}
void SetPacked(uint8_t* row, unsigned n, unsigned bits, unsigned value) {
  const unsigned bit = n * bits, shift = 8 - bits - (bit & 7), m = ((1u << bits) - 1) << shift;
  row[bit >> 3] = static_cast<uint8_t>((row[bit >> 3] & ~m) | ((value << shift) & m));
}

bool Selected(uint8_t mask, unsigned n) { return mask & (0x80u >> (n & 7)); }

}  // namespace

TColorManager::TColorManager() { SetGamma(1, 2.2f); }

void TColorManager::SetSourceBitsPerSample(uint8_t value) {
  if (value != 1 && value != 2 && value != 4 && value != 8 && value != 16) throw EColorConversionError(kInvalidBits);
  if (value != FSourceBPS) FSourceBPS = value, FChanged = true;
}
void TColorManager::SetTargetBitsPerSample(uint8_t value) {
  if (value != 1 && value != 2 && value != 4 && value != 8 && value != 16) throw EColorConversionError(kInvalidBits);
  if (value != FTargetBPS) FTargetBPS = value, FChanged = true;
}
void TColorManager::SetSourceSamplesPerPixel(uint8_t value) {
  if (value < 1 || value > 4) throw EColorConversionError(kInvalidSamples);
  if (value != FSourceSPP) FSourceSPP = value, FChanged = true;
}
void TColorManager::SetTargetSamplesPerPixel(uint8_t value) {
  if (value < 1 || value > 4) throw EColorConversionError(kInvalidSamples);
  if (value != FTargetSPP) FTargetSPP = value, FChanged = true;
}
void TColorManager::SetSourceColorScheme(TColorScheme value) {
  if (value != FSourceScheme) FSourceScheme = value, FChanged = true;
}
void TColorManager::SetTargetColorScheme(TColorScheme value) {
  if (value != FTargetScheme) FTargetScheme = value, FChanged = true;
}
void TColorManager::SetSourceOptions(TConvertOptions value) {
  if (value != FSourceOptions) FSourceOptions = value, FChanged = true;
}
void TColorManager::SetTargetOptions(TConvertOptions value) {
  if (value != FTargetOptions) FTargetOptions = value, FChanged = true;
}

TPixelFormat TColorManager::GetPixelFormat(int index) const {
  const unsigned samples = index == 0 ? FSourceSPP : FTargetSPP;
  const unsigned bits = index == 0 ? FSourceBPS : FTargetBPS;
  switch (samples) {
    case 1:
      if (bits == 1) return pf1bit;
      if (bits >= 2 && bits <= 4) return pf4bit;
      if (bits >= 8 && bits <= 16) return pf8bit;
      return pfCustom;
    case 3:
      return bits >= 1 && bits <= 5 ? pf15bit : pf24bit;
    case 4:
      return bits < 8 ? pfCustom : pf32bit;
    default:
      return pfCustom;
  }
}

void TColorManager::SetGamma(float mainGamma, float displayGamma) {
  FMainGamma = mainGamma <= 0 ? 1.0f : mainGamma;
  FDisplayGamma = displayGamma <= 0 ? 2.2f : displayGamma;
  FGammaTable.reset();
  FGammaTable16.reset();
  FPaletteGammaTable.reset();
  FChanged = true;
}

double TColorManager::GammaExponent() const { return 1.0 / (double(FMainGamma) * FDisplayGamma); }

void TColorManager::MakeGammaTable() {
  const unsigned sourceRange = FSourceBPS >= 8 ? 255 : (1u << FSourceBPS) - 1;
  const unsigned targetRange = FTargetBPS >= 8 ? 255 : (1u << FTargetBPS) - 1;
  FGammaTable = SharedGammaTable(GammaExponent(), sourceRange, targetRange);
}

const uint8_t* TColorManager::GammaTable() {
  if (!FGammaTable) MakeGammaTable();
  return FGammaTable->data();
}

bool TColorManager::GammaOn16BitRows() const {
  return (FTargetOptions & coApplyGamma) && FSourceBPS == 16 && FTargetBPS == 8;
}

uint8_t TColorManager::Reduce16(uint16_t value, bool gamma) const {
  return gamma ? (*FGammaTable16)[value] : static_cast<uint8_t>(value * 255u / 65535u);
}

// Palettes hold 8-bit levels, so their gamma is taken 8 bits to 8 bits whatever the row depths are
// (the row table of a 2-bit grey image has only four entries).
uint8_t TColorManager::Gamma8(uint8_t value) const {
  if (!(FTargetOptions & coApplyGamma)) return value;
  if (!FPaletteGammaTable) FPaletteGammaTable = SharedGammaTable(GammaExponent(), 255, 255);
  return (*FPaletteGammaTable)[value];
}

uint16_t TColorManager::Swap16(uint16_t value) const {
  return (FSourceOptions & coNeedByteSwap) ? static_cast<uint16_t>((value >> 8) | (value << 8)) : value;
}

TPaletteEntries TColorManager::CreateGrayscalePalette(bool minimumIsWhite) const {
  const unsigned count = 1u << std::min(unsigned(FTargetBPS) * FTargetSPP, 8u);
  const unsigned step = count > 1 ? 255 / (count - 1) : 255;
  TPaletteEntries entries(count);
  for (unsigned i = 0; i < count; ++i) {
    const auto linear = static_cast<uint8_t>(i * step);
    const uint8_t level = GammaOn16BitRows() ? linear : Gamma8(linear);
    entries[minimumIsWhite ? count - 1 - i : i] = {level, level, level, 0};
  }
  return entries;
}

TPaletteEntries TColorManager::CreateColorPalette(std::span<const uint8_t* const> data, TRawPaletteFormat layout,
                                                  unsigned colorCount, bool blueFirst) const {
  const unsigned count = std::min(colorCount, 256u);
  const bool wide = layout >= pfInterlaced16Triple;
  const bool planes = layout == pfPlane8Triple || layout == pfPlane8Quad || layout == pfPlane16Triple ||
                      layout == pfPlane16Quad;
  const bool padded = layout == pfInterlaced8Quad || layout == pfInterlaced16Quad;
  const unsigned sampleBytes = wide ? 2 : 1;
  const unsigned entryBytes = (padded ? 4 : 3) * sampleBytes;
  auto value = [&](unsigned entry, unsigned sample) -> uint8_t {
    const uint8_t* p = planes ? data[sample] + entry * sampleBytes : data[0] + entry * entryBytes + sample * sampleBytes;
    if (!wide) return Gamma8(*p);
    return Gamma8(static_cast<uint8_t>(Swap16(Load16(p)) * 255u / 65535u));
  };
  TPaletteEntries entries(count);
  for (unsigned i = 0; i < count; ++i) {
    const uint8_t a = value(i, 0), b = value(i, 1), c = value(i, 2);
    entries[i] = blueFirst ? TPaletteEntry{c, b, a, 0} : TPaletteEntry{a, b, c, 0};
  }
  return entries;
}

void TColorManager::PrepareConversion() {
  FRowConversion = nullptr;
  const bool sourceIndexed = FSourceScheme == schIndexed || FSourceScheme == schGray || FSourceScheme == schGrayAlpha;
  const bool targetIndexed = FTargetScheme == schIndexed || FTargetScheme == schGray;
  if (sourceIndexed != targetIndexed)
    throw EColorConversionError("Conversion between indexed and non-indexed pixel formats is not supported.");
  FSourceOptions = HasAlphaSample(FSourceScheme) ? FSourceOptions | coAlpha : FSourceOptions & ~coAlpha;
  FTargetOptions = HasAlphaSample(FTargetScheme) ? FTargetOptions | coAlpha : FTargetOptions & ~coAlpha;
  const bool s16 = FSourceBPS == 16, t16 = FTargetBPS == 16;
  const bool wideOrByte = (FSourceBPS == 8 || s16) && (FTargetBPS == 8 || t16);
  const bool targetRGBKind = IsRGBKind(FTargetScheme) || IsBGRKind(FTargetScheme);
  if ((FTargetOptions & coApplyGamma) && !FGammaTable) MakeGammaTable();
  if (GammaOn16BitRows() && !FGammaTable16) FGammaTable16 = SharedGammaTable(GammaExponent(), 65535, 255);
  switch (FSourceScheme) {
    case schIndexed:
      FRowConversion = s16 && t16 ? &TColorManager::RowConvertIndexedBoth16
                       : s16      ? &TColorManager::RowConvertIndexedSource16
                       : t16      ? &TColorManager::RowConvertIndexedTarget16
                                  : &TColorManager::RowConvertIndexed8;
      break;
    case schGray:
      if (s16 || t16) {
        if (wideOrByte) FRowConversion = &TColorManager::RowConvertGray;
      } else {
        FRowConversion = &TColorManager::RowConvertIndexed8;
      }
      break;
    case schGrayAlpha:
      if (wideOrByte) FRowConversion = &TColorManager::RowConvertGray;
      break;
    case schRGB:
    case schRGBA:
    case schBGR:
    case schBGRA:
      if (targetRGBKind && wideOrByte) FRowConversion = &TColorManager::RowConvertRGB;
      break;
    case schCMYK:
      if (targetRGBKind && wideOrByte) FRowConversion = &TColorManager::RowConvertCMYK;
      break;
    case schCIELab:
      if (targetRGBKind && wideOrByte) FRowConversion = &TColorManager::RowConvertCIELab;
      break;
    case schYCbCr:
    case schPhotoYCC:
      if (targetRGBKind && wideOrByte) {
        if (FSourceScheme == schYCbCr) MakeYCbCrTables(128, 128);
        else MakeYCbCrTables(156, 137);
        FRowConversion = &TColorManager::RowConvertYCC;
      }
      break;
    default:
      break;
  }
  FChanged = false;
}

void TColorManager::MakeYCbCrTables(int offset1, int offset2) {
  const double lr = YCbCrCoefficients[0], lg = YCbCrCoefficients[1], lb = YCbCrCoefficients[2];
  const double f0 = 2 - 2 * lr, f1 = lr * f0 / lg, f2 = 2 - 2 * lb, f3 = lb * f2 / lg;
  FYCCTables.assign(4 * 256, 0);
  for (int i = 0; i < 256; ++i) {
    FYCCTables[i] = static_cast<int32_t>(std::nearbyint((i - offset2) * f0));
    FYCCTables[256 + i] = static_cast<int32_t>(std::nearbyint((i - offset1) * f2));
    FYCCTables[512 + i] = -static_cast<int32_t>(std::nearbyint((i - offset2) * f1));
    FYCCTables[768 + i] = -static_cast<int32_t>(std::nearbyint((i - offset1) * f3));
  }
}

void TColorManager::ConvertRow(std::span<const uint8_t* const> source, void* target, unsigned count, uint8_t mask) {
  if (FChanged) PrepareConversion();
  if (!FRowConversion) throw EColorConversionError("Color conversion failed. Could not find a proper method.");
  if (source.empty() || !source[0]) return;
  (this->*FRowConversion)(source, static_cast<uint8_t*>(target), count, mask);
}

void TColorManager::RowConvertIndexed8(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                       uint8_t mask) {
  const unsigned sb = FSourceBPS, tb = FTargetBPS;
  const uint8_t* row = source[0];
  if (sb == tb && mask == 0xFF) {
    std::memcpy(target, row, (size_t(count) * sb + 7) / 8);
    return;
  }
  const bool gray = FSourceScheme == schGray;
  const unsigned sourceMax = (1u << sb) - 1, targetMax = (1u << tb) - 1;
  if (tb == 8 && sb < 8 && mask == 0xFF) {
    // Packed samples widened to a byte each, as pictures with transparency take them: whole
    // source bytes at a time. 255 is a multiple of every smaller depth's top value.
    const unsigned perByte = 8 / sb, scale = gray ? 255 / sourceMax : 1;
    for (unsigned n = 0; n < count; ++row) {
      const unsigned bits = *row;
      for (unsigned k = 0; k < perByte && n < count; ++k, ++n)
        target[n] = static_cast<uint8_t>(((bits >> (8 - sb * (k + 1))) & sourceMax) * scale);
    }
    return;
  }
  unsigned s = 0;
  for (unsigned n = 0; n < count; ++n) {
    if (!Selected(mask, n)) continue;
    unsigned v = GetPacked(row, s++, sb);
    if (gray) v = v * targetMax / sourceMax;
    SetPacked(target, n, tb, v);
  }
}

void TColorManager::RowConvertIndexedBoth16(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                            uint8_t mask) {
  const uint8_t* row = source[0];
  for (unsigned n = 0; n < count; ++n)
    if (Selected(mask, n)) Store16(target + 2 * n, Swap16(Load16(row))), row += 2;
}

void TColorManager::RowConvertIndexedSource16(std::span<const uint8_t* const> source, uint8_t* target,
                                              unsigned count, uint8_t mask) {
  const uint8_t* row = source[0];
  const unsigned tb = FTargetBPS, targetMax = (1u << tb) - 1;
  for (unsigned n = 0; n < count; ++n)
    if (Selected(mask, n)) SetPacked(target, n, tb, Swap16(Load16(row)) * targetMax / 65535u), row += 2;
}

void TColorManager::RowConvertIndexedTarget16(std::span<const uint8_t* const> source, uint8_t* target,
                                              unsigned count, uint8_t mask) {
  const unsigned sb = FSourceBPS, sourceMax = (1u << sb) - 1;
  unsigned s = 0;
  for (unsigned n = 0; n < count; ++n)
    if (Selected(mask, n))
      Store16(target + 2 * n, Swap16(static_cast<uint16_t>(GetPacked(source[0], s++, sb) * 65535u / sourceMax)));
}

void TColorManager::RowConvertGray(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                   uint8_t mask) {
  const bool s16 = FSourceBPS == 16, t16 = FTargetBPS == 16, gamma = GammaOn16BitRows();
  const unsigned step = (FSourceScheme == schGrayAlpha ? 2 : 1) * (s16 ? 2 : 1);
  const uint8_t* row = source[0];
  if (!s16 && !t16 && mask == 0xFF) {
    for (unsigned n = 0; n < count; ++n, row += step) target[n] = *row;
    return;
  }
  for (unsigned n = 0; n < count; ++n) {
    if (!Selected(mask, n)) continue;
    if (!s16 && !t16) target[n] = *row;
    else if (!s16) Store16(target + 2 * n, static_cast<uint16_t>(*row * 65535u / 255u));
    else if (!t16) target[n] = Reduce16(Swap16(Load16(row)), gamma);
    else Store16(target + 2 * n, Swap16(Load16(row)));
    row += step;
  }
}

// RGB to BGR and its three siblings: only the channel order differs.
void TColorManager::RowConvertRGB(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                  uint8_t mask) {
  const bool planar = source.size() > 1;
  const bool sourceAlpha = FSourceOptions & coAlpha, targetAlpha = FTargetOptions & coAlpha;
  const bool s16 = FSourceBPS == 16, t16 = FTargetBPS == 16;
  const bool gamma = FTargetOptions & coApplyGamma;
  const uint8_t* gammaTable = gamma ? FGammaTable->data() : nullptr;
  const unsigned sBytes = s16 ? 2 : 1, tBytes = t16 ? 2 : 1;
  const unsigned sStep = (planar ? 1 : (sourceAlpha ? 4 : 3)) * sBytes;
  const unsigned tStep = (targetAlpha ? 4 : 3) * tBytes;
  // Sample positions of red, green and blue in the source and target orders.
  const bool sourceBGR = IsBGRKind(FSourceScheme), targetBGR = IsBGRKind(FTargetScheme);
  const unsigned sr = sourceBGR ? 2 : 0, sb = sourceBGR ? 0 : 2;
  const unsigned tr = targetBGR ? 2 : 0, tb = targetBGR ? 0 : 2;
  const unsigned sourceOrder[4] = {sr, 1, sb, 3}, targetOrder[4] = {tr, 1, tb, 3};
  const unsigned channels = sourceAlpha && targetAlpha ? 4 : 3;
  if (!planar && !t16 && mask == 0xFF) {
    // The common case of every row of a PNG picture: interleaved samples, every pixel taken.
    const bool swap = FSourceOptions & coNeedByteSwap;
    auto reorder = [&](auto colour, auto alpha) {
      const uint8_t* p = source[0];
      for (unsigned n = 0; n < count; ++n, p += sStep, target += tStep) {
        target[tr] = colour(p + sr * sBytes), target[1] = colour(p + sBytes), target[tb] = colour(p + sb * sBytes);
        if (channels == 4) target[3] = alpha(p + 3 * sBytes);
      }
    };
    auto byte = [](const uint8_t* p) { return *p; };
    auto wide = [swap](const uint8_t* p) {
      const uint16_t v = Load16(p);
      return swap ? static_cast<uint16_t>((v >> 8) | (v << 8)) : v;
    };
    auto reduced = [&](const uint8_t* p) { return static_cast<uint8_t>(wide(p) * 255u / 65535u); };
    if (!s16 && !gamma) reorder(byte, byte);
    else if (!s16) reorder([&](const uint8_t* p) { return gammaTable[*p]; }, byte);
    else if (!gamma) reorder(reduced, reduced);
    else reorder([&, table = FGammaTable16->data()](const uint8_t* p) { return table[wide(p)]; }, reduced);
    return;
  }
  const uint8_t* in[4];
  for (unsigned c = 0; c < 4; ++c) in[c] = planar ? (c < source.size() ? source[c] : nullptr) : source[0] + c * sBytes;

  unsigned s = 0;
  for (unsigned n = 0; n < count; ++n) {
    if (!Selected(mask, n)) continue;
    uint8_t* out = target + size_t(n) * tStep;
    const size_t offset = size_t(s++) * sStep;
    for (unsigned c = 0; c < channels; ++c) {
      const uint8_t* p = in[sourceOrder[c]];
      if (!p) continue;
      p += offset;
      const bool colour = c < 3;
      uint8_t* q = out + targetOrder[c] * tBytes;
      if (!s16 && !t16) {
        *q = colour && gamma ? gammaTable[*p] : *p;
      } else if (s16 && !t16) {
        *q = Reduce16(Swap16(Load16(p)), colour && gamma);
      } else if (!s16) {
        const uint8_t v = colour && gamma ? gammaTable[*p] : *p;
        Store16(q, Swap16(static_cast<uint16_t>(v * 65535u / 255u)));
      } else {
        Store16(q, Swap16(Load16(p)));
      }
    }
  }
}

namespace {

// Reads sample c of pixel s of an 8- or 16-bit source as an 8-bit value.
struct SampleReader {
  std::span<const uint8_t* const> source;
  unsigned samples;
  bool wide;
  bool swap;
  unsigned Read8(unsigned s, unsigned c) const {
    const unsigned bytes = wide ? 2 : 1;
    const uint8_t* p = source.size() > 1 ? source[c] + size_t(s) * bytes : source[0] + (size_t(s) * samples + c) * bytes;
    if (!wide) return *p;
    uint16_t v = Load16(p);
    if (swap) v = static_cast<uint16_t>((v >> 8) | (v << 8));
    return v * 255u / 65535u;
  }
};

// Writes blue, green and red in the target's channel order, 8 or 16 bits.
void StoreBGR(uint8_t* out, bool targetBGR, bool wide, bool swap, uint8_t b, uint8_t g, uint8_t r) {
  const uint8_t values[3] = {targetBGR ? b : r, g, targetBGR ? r : b};
  for (unsigned c = 0; c < 3; ++c) {
    if (!wide) {
      out[c] = values[c];
    } else {
      uint16_t v = static_cast<uint16_t>(values[c] * 65535u / 255u);
      if (swap) v = static_cast<uint16_t>((v >> 8) | (v << 8));
      Store16(out + 2 * c, v);
    }
  }
}

}  // namespace

void TColorManager::RowConvertCMYK(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                   uint8_t mask) {
  const SampleReader in{source, 4, FSourceBPS == 16, bool(FSourceOptions & coNeedByteSwap)};
  const bool t16 = FTargetBPS == 16;
  const unsigned tStep = ((FTargetOptions & coAlpha) ? 4 : 3) * (t16 ? 2 : 1);
  unsigned s = 0;
  for (unsigned n = 0; n < count; ++n) {
    if (!Selected(mask, n)) continue;
    const int c = in.Read8(s, 0), m = in.Read8(s, 1), y = in.Read8(s, 2), k = in.Read8(s, 3);
    ++s;
    auto channel = [k](int v) { return Clamp8(255 - (v - v * k / 255 + k)); };
    StoreBGR(target + size_t(n) * tStep, IsBGRKind(FTargetScheme), t16, FSourceOptions & coNeedByteSwap, channel(y),
             channel(m), channel(c));
  }
}

void TColorManager::RowConvertCIELab(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                     uint8_t mask) {
  const SampleReader in{source, FSourceSPP, FSourceBPS == 16, bool(FSourceOptions & coNeedByteSwap)};
  const bool t16 = FTargetBPS == 16;
  const unsigned tStep = ((FTargetOptions & coAlpha) ? 4 : 3) * (t16 ? 2 : 1);
  unsigned s = 0;
  for (unsigned n = 0; n < count; ++n) {
    if (!Selected(mask, n)) continue;
    double L = in.Read8(s, 0);
    if (FSourceOptions & coLabByteRange) L /= 2.55;
    const unsigned ra = in.Read8(s, 1), rb = in.Read8(s, 2);
    ++s;
    const double a = (FSourceOptions & coLabChromaOffset) ? int(ra) - 128 : int(int8_t(ra));
    const double b = (FSourceOptions & coLabChromaOffset) ? int(rb) - 128 : int(int8_t(rb));
    const double fy = (L + 16) / 116;
    double X, Y, Z;
    if (L >= 7.9996) {
      X = std::pow(a / 500 + fy, 3), Y = fy * fy * fy, Z = std::pow(fy - b / 200, 3);
    } else {
      Y = L / 903.3, X = a / 3893.5 + Y, Z = Y - b / 1557.4;
    }
    StoreBGR(target + size_t(n) * tStep, IsBGRKind(FTargetScheme), t16, FSourceOptions & coNeedByteSwap,
             Clamp8(255 * (0.099 * X - 0.198 * Y + 1.099 * Z)), Clamp8(255 * (-0.952 * X + 1.893 * Y + 0.059 * Z)),
             Clamp8(255 * (2.998 * X - 1.458 * Y - 0.541 * Z)));
  }
}

void TColorManager::RowConvertYCC(std::span<const uint8_t* const> source, uint8_t* target, unsigned count,
                                  uint8_t mask) {
  const bool s16 = FSourceBPS == 16, t16 = FTargetBPS == 16;
  const bool swap = FSourceOptions & coNeedByteSwap;
  const unsigned tStep = ((FTargetOptions & coAlpha) ? 4 : 3) * (t16 ? 2 : 1);
  const bool targetBGR = IsBGRKind(FTargetScheme);
  const SampleReader in{source, FSourceSPP, s16, swap};
  const int32_t *t0 = &FYCCTables[0], *t1 = &FYCCTables[256], *t2 = &FYCCTables[512], *t3 = &FYCCTables[768];
  unsigned s = 0;
  for (unsigned n = 0; n < count; ++n) {
    if (!Selected(mask, n)) continue;
    uint8_t* out = target + size_t(n) * tStep;
    if (s16 && t16) {
      auto raw = [&](unsigned c) {
        const uint8_t* p = source.size() > 1 ? source[c] + size_t(s) * 2 : source[0] + (size_t(s) * FSourceSPP + c) * 2;
        return double(Swap16(Load16(p)));
      };
      const double y = raw(0) * 1.3584, c1 = raw(1) - 40092, c2 = raw(2) - 35209;
      ++s;
      auto clamp16 = [](double v) { return static_cast<uint16_t>(std::clamp(std::nearbyint(v), 0.0, 65535.0)); };
      const uint16_t b = clamp16(y + 2.2179 * c1), g = clamp16(y - 0.9271435 * c2 - 0.4302726 * c1),
                     r = clamp16(y + 1.8215 * c2);
      const uint16_t values[3] = {targetBGR ? b : r, g, targetBGR ? r : b};
      for (unsigned c = 0; c < 3; ++c) Store16(out + 2 * c, Swap16(values[c]));
      continue;
    }
    const int y = in.Read8(s, 0), c1 = in.Read8(s, 1), c2 = in.Read8(s, 2);
    ++s;
    StoreBGR(out, targetBGR, t16, swap, Clamp8(y + t1[c1]), Clamp8(y + t2[c2] + t3[c1]), Clamp8(y + t0[c2]));
  }
}
