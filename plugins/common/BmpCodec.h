#pragma once
// Windows bitmap (BMP) files, the picture format of the plug-in streams: 24-bit pictures written and
// any BMP the toolkit reads turned into grey (a damaged or compressed file is refused).
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
