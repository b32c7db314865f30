#include "plugins/common/BmpCodec.h"

#include <cstring>

#include "toolkit/graphics/BmpFormat.h"

namespace {

template <class Pixel>
std::vector<uint8_t> Codificar(int w, int h, Pixel pixel) {
  detail::DibImage dib;
  dib.Width = w;
  dib.Height = h;
  dib.BitCount = 24;
  const size_t linha = detail::DibStride(w, 24);
  dib.Bits.assign(linha * size_t(h), 0);
  for (int y = 0; y < h; ++y) {
    uint8_t* d = dib.Bits.data() + linha * size_t(h - 1 - y);  // bottom-up
    for (int x = 0; x < w; ++x) {
      uint8_t rgb[3];
      pixel(x, y, rgb);
      d[3 * x] = rgb[2], d[3 * x + 1] = rgb[1], d[3 * x + 2] = rgb[0];
    }
  }
  return detail::WriteBmp(dib);
}

// Grey level of pixel x of a DIB row, whatever its bit count.
uint8_t Cinza(const detail::DibImage& dib, const uint8_t* linha, int x) {
  auto media = [](uint32_t b, uint32_t g, uint32_t r) { return uint8_t((b + g + r) / 3); };
  auto daPaleta = [&](uint32_t i) {
    const uint32_t c = i < dib.Palette.size() ? dib.Palette[i] : 0;
    return media(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  };
  switch (dib.BitCount) {
    case 1: return daPaleta((linha[x / 8] >> (7 - x % 8)) & 1);
    case 4: return daPaleta((linha[x / 2] >> (x % 2 ? 0 : 4)) & 15);
    case 8: return daPaleta(linha[x]);
    case 16: {
      const uint32_t v = uint32_t(linha[2 * x]) | uint32_t(linha[2 * x + 1]) << 8;
      const uint32_t r = dib.Rgb565 ? (v >> 11) & 31 : (v >> 10) & 31, g = dib.Rgb565 ? ((v >> 5) & 63) >> 1 : (v >> 5) & 31;
      return media((v & 31) * 255 / 31, g * 255 / 31, r * 255 / 31);
    }
    case 24: return media(linha[3 * x], linha[3 * x + 1], linha[3 * x + 2]);
    default: return media(linha[4 * x], linha[4 * x + 1], linha[4 * x + 2]);
  }
}

}  // namespace

std::vector<uint8_t> CodificarBmp(const ImagemRGB& img) {
  return Codificar(img.largura, img.altura, [&](int x, int y, uint8_t* rgb) {
    std::memcpy(rgb, &img.px[(size_t(y) * img.largura + x) * 3], 3);
  });
}

std::vector<uint8_t> CodificarBmp(const ImagemCinza& img) {
  return Codificar(img.largura, img.altura, [&](int x, int y, uint8_t* rgb) { rgb[0] = rgb[1] = rgb[2] = img.At(x, y); });
}

bool DecodificarBmp(const uint8_t* dados, size_t n, ImagemCinza& out) {
  detail::DibImage dib;
  if (!detail::ReadBmp(dados, n, true, dib) || dib.Width <= 0 || dib.Height <= 0) return false;
  const size_t linha = detail::DibStride(dib.Width, dib.BitCount);
  if (dib.Bits.size() < linha * size_t(dib.Height)) return false;
  out.largura = dib.Width;
  out.altura = dib.Height;
  out.px.assign(size_t(dib.Width) * size_t(dib.Height), 0);
  for (int y = 0; y < dib.Height; ++y) {
    const uint8_t* s = dib.Bits.data() + linha * size_t(dib.Height - 1 - y);
    for (int x = 0; x < dib.Width; ++x) out.px[size_t(y) * size_t(dib.Width) + size_t(x)] = Cinza(dib, s, x);
  }
  return true;
}
