#include "plugins/common/BmpCodec.h"

#include <cstring>

namespace {

void Poe16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  v[at] = uint8_t(x), v[at + 1] = uint8_t(x >> 8);
}
void Poe32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (8 * i));
}
uint32_t Le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

template <class Pixel>
std::vector<uint8_t> Codificar(int w, int h, Pixel pixel) {
  const size_t linha = (size_t(w) * 3 + 3) & ~size_t(3);
  const size_t tamanho = 54 + linha * size_t(h);
  std::vector<uint8_t> v(tamanho, 0);
  v[0] = 'B', v[1] = 'M';
  Poe32(v, 2, uint32_t(tamanho));
  Poe32(v, 10, 54);
  Poe32(v, 14, 40);
  Poe32(v, 18, uint32_t(w));
  Poe32(v, 22, uint32_t(h));  // bottom-up
  Poe16(v, 26, 1);
  Poe16(v, 28, 24);
  Poe32(v, 34, uint32_t(linha * size_t(h)));
  Poe32(v, 38, 2835), Poe32(v, 42, 2835);  // 72 dpi
  for (int y = 0; y < h; ++y) {
    uint8_t* d = v.data() + 54 + linha * size_t(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      uint8_t rgb[3];
      pixel(x, y, rgb);
      d[3 * x] = rgb[2], d[3 * x + 1] = rgb[1], d[3 * x + 2] = rgb[0];
    }
  }
  return v;
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
  if (n < 54 || dados[0] != 'B' || dados[1] != 'M') return false;
  const uint32_t offset = Le32(dados + 10), cabecalho = Le32(dados + 14);
  if (cabecalho < 40 || cabecalho > n - 14) return false;
  const int32_t w = int32_t(Le32(dados + 18)), hBruto = int32_t(Le32(dados + 22));
  const uint32_t bits = Le16(dados + 28), compressao = Le32(dados + 30);
  if (w <= 0 || w > 16384 || hBruto == 0 || hBruto < -16384 || hBruto > 16384 || Le16(dados + 26) != 1) return false;
  if (compressao != 0 || (bits != 8 && bits != 24 && bits != 32)) return false;
  const int h = hBruto < 0 ? -hBruto : hBruto;
  const size_t linha = ((size_t(w) * bits + 31) / 32) * 4;
  if (offset > n || linha * size_t(h) > n - offset) return false;

  uint8_t paleta[256] = {};
  if (bits == 8) {
    uint32_t cores = Le32(dados + 46);
    if (cores == 0 || cores > 256) cores = 256;
    const size_t inicio = 14 + size_t(cabecalho);
    if (inicio + size_t(cores) * 4 > offset) return false;
    for (uint32_t i = 0; i < cores; ++i) {
      const uint8_t* c = dados + inicio + 4 * i;
      paleta[i] = uint8_t((c[0] + c[1] + c[2]) / 3);
    }
  }
  out.largura = w;
  out.altura = h;
  out.px.assign(size_t(w) * size_t(h), 0);
  const size_t passo = bits / 8;
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = dados + offset + linha * size_t(hBruto < 0 ? y : h - 1 - y);
    uint8_t* d = out.px.data() + size_t(y) * size_t(w);
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = s + size_t(x) * passo;
      d[x] = bits == 8 ? paleta[*p] : uint8_t((p[0] + p[1] + p[2]) / 3);
    }
  }
  return true;
}
