#pragma once
// Windows bitmap (BMP) files, the picture format of the plug-in streams: writing 24-bit pictures
// and reading uncompressed 8-, 24- and 32-bit ones (anything else, or a damaged file, is refused).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugins/common/RingRender.h"

struct ImagemRGB {
  int largura = 0, altura = 0;
  std::vector<uint8_t> px;  // R, G, B per pixel, row 0 at the top
};

std::vector<uint8_t> CodificarBmp(const ImagemRGB& img);
std::vector<uint8_t> CodificarBmp(const ImagemCinza& img);

// Grey picture (the mean of R, G and B) of a BMP file; false for anything it cannot read.
bool DecodificarBmp(const uint8_t* dados, size_t n, ImagemCinza& out);
