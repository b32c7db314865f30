#include "skin/engine/PngTestFiles.h"

#include <png.h>

#include <cstring>
#include <random>
#include <stdexcept>

std::vector<uint16_t> RandomSamples(const PngSpec& spec, uint32_t seed) {
  std::mt19937 rng(seed);
  const size_t n = size_t(spec.Width) * spec.Height * ChannelsOf(spec.ColorType);
  std::vector<uint16_t> s(n);
  const uint32_t limit = spec.ColorType == 3 ? uint32_t(spec.Palette.size() / 3) : (1u << spec.BitDepth);
  // Runs of equal pixels now and then, so that keyed colours and compression both get exercised.
  for (size_t i = 0; i < n; ++i) s[i] = (rng() % 4 == 0 && i > 0) ? s[i - 1] : uint16_t(rng() % limit);
  return s;
}

namespace {

struct Source {
  const Bytes* data;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* s = static_cast<Source*>(png_get_io_ptr(png));
  if (s->data->size() - s->pos < count) png_error(png, "read past end");
  std::memcpy(out, s->data->data() + s->pos, count);
  s->pos += count;
}

void OnError(png_structp png, png_const_charp message) { throw std::runtime_error(message); }
void OnWarning(png_structp, png_const_charp) {}

}  // namespace

std::vector<uint32_t> LibpngDecode(const Bytes& file, uint32_t& width, uint32_t& height) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png_create_info_struct(png);
  struct Cleanup {
    png_structp& png;
    png_infop& info;
    ~Cleanup() { png_destroy_read_struct(&png, &info, nullptr); }
  } cleanup{png, info};
  Source source{&file, 0};
  png_set_read_fn(png, &source, ReadFromMemory);
  png_read_info(png, info);
  width = png_get_image_width(png, info);
  height = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_gray_to_rgb(png);
  const int type = png_get_color_type(png, info);
  if (!(type & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_filler(png, 0xFFFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const int depth = png_get_bit_depth(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  Bytes pixels(rowBytes * height);
  std::vector<png_bytep> rows(height);
  for (uint32_t y = 0; y < height; ++y) rows[y] = pixels.data() + y * rowBytes;
  png_read_image(png, rows.data());
  std::vector<uint32_t> out(size_t(width) * height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      uint32_t c[4];
      for (int i = 0; i < 4; ++i) {
        if (depth == 16) {
          const uint8_t* p = rows[y] + (size_t(x) * 4 + i) * 2;
          c[i] = ((p[0] << 8) | p[1]) * 255u / 65535u;
        } else {
          c[i] = rows[y][size_t(x) * 4 + i];
        }
      }
      out[size_t(y) * width + x] = c[3] << 24 | c[0] << 16 | c[1] << 8 | c[2];
    }
  return out;
}
