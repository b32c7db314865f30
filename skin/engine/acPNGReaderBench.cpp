// Decode throughput of the PNG reader beside libpng on the same files, in one run.
#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acPNGReader.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstring>

namespace {

// A skin-like picture: smooth gradients with a little noise, so that it compresses like real art.
Bytes MakeFile(uint8_t colorType, bool interlaced) {
  PngSpec spec;
  spec.Width = 512, spec.Height = 512, spec.ColorType = colorType, spec.Interlaced = interlaced;
  spec.Filter = 4;
  if (colorType == 3) {
    for (int i = 0; i < 256; ++i) spec.Palette.insert(spec.Palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
  }
  const unsigned channels = ChannelsOf(colorType);
  std::vector<uint16_t> s(size_t(spec.Width) * spec.Height * channels);
  uint32_t noise = 1;
  for (uint32_t y = 0; y < spec.Height; ++y)
    for (uint32_t x = 0; x < spec.Width; ++x)
      for (unsigned c = 0; c < channels; ++c) {
        noise = noise * 1103515245u + 12345u;
        const double v = 127 + 100 * std::sin((x + 2 * y) * 0.01 * (c + 1)) + ((noise >> 16) % 5);
        s[(size_t(y) * spec.Width + x) * channels + c] = uint16_t(std::lround(v)) & 0xFF;
      }
  return EncodePng(spec, s);
}

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

// libpng into B, G, R, A rows, the layout the reader gives RGBA files.
void LibpngToBGRA(const Bytes& file, std::vector<uint8_t>& pixels) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Source source{&file, 0};
  png_set_read_fn(png, &source, ReadFromMemory);
  png_read_info(png, info);
  const uint32_t h = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  pixels.resize(rowBytes * h);
  std::vector<png_bytep> rows(h);
  for (uint32_t y = 0; y < h; ++y) rows[y] = pixels.data() + y * rowBytes;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
}

const struct {
  const char* Name;
  uint8_t ColorType;
  bool Interlaced;
} kFiles[] = {{"rgba", 6, false}, {"rgb", 2, false}, {"indexed", 3, false}, {"rgba_interlaced", 6, true}};

void BM_Reader(benchmark::State& state) {
  const Bytes file = MakeFile(kFiles[state.range(0)].ColorType, kFiles[state.range(0)].Interlaced);
  state.SetLabel(kFiles[state.range(0)].Name);
  for (auto _ : state) {
    TPNGReader reader;
    reader.LoadFromBuffer(file.data(), file.size());
    benchmark::DoNotOptimize(reader.Image.Bits.data());
  }
  state.SetItemsProcessed(state.iterations() * 512 * 512);
}

void BM_Libpng(benchmark::State& state) {
  const Bytes file = MakeFile(kFiles[state.range(0)].ColorType, kFiles[state.range(0)].Interlaced);
  state.SetLabel(kFiles[state.range(0)].Name);
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    LibpngToBGRA(file, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * 512 * 512);
}

BENCHMARK(BM_Reader)->DenseRange(0, 3);
BENCHMARK(BM_Libpng)->DenseRange(0, 3);

}  // namespace
