// Decoding time of the PNG reader beside libpng's, on the same files and into the same pixel layout,
// in one run: photographs and skin art of three sizes, and the small random pictures of the tests.
// Then whole classes of files in turn (skin art, photographs, and a suite of small files of every
// colour type, depth, interlacing, gamma and transparency key): each class reports its geometric
// mean speed and its slowest file.
#include "bench/SideBySide.h"
#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acPNGReader.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace {

struct Picture {
  uint32_t Width, Height;
  uint8_t ColorType;  // 0 grey, 2 RGB, 3 indexed, 4 grey and alpha, 6 RGBA; 8 bits a sample
  std::vector<uint8_t> Samples;
  Bytes Palette;
};

void WriteToBytes(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + count);
}

// The file as image editors write it: libpng's own choice of filter for every row, default
// compression.
Bytes WriteWithLibpng(const Picture& picture) {
  Bytes file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write the picture");
  }
  png_set_write_fn(png, &file, WriteToBytes, nullptr);
  png_set_IHDR(png, info, picture.Width, picture.Height, 8, picture.ColorType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < picture.Palette.size(); i += 3)
    palette.push_back({picture.Palette[i], picture.Palette[i + 1], picture.Palette[i + 2]});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  png_write_info(png, info);
  const size_t rowBytes = size_t(picture.Width) * ChannelsOf(picture.ColorType);
  for (uint32_t y = 0; y < picture.Height; ++y)
    png_write_row(png, picture.Samples.data() + y * rowBytes);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return file;
}

uint8_t Clamp(double v) { return uint8_t(std::lround(std::fmin(255, std::fmax(0, v)))); }

// A photograph: soft shading and fine texture under sensor noise, channels alike but not equal.
Picture MakePhoto(uint32_t width, uint32_t height, uint8_t colorType) {
  Picture p{width, height, colorType, {}, {}};
  const unsigned channels = ChannelsOf(colorType);
  p.Samples.resize(size_t(width) * height * channels);
  std::mt19937 rng(width * 31 + height);
  uint8_t* s = p.Samples.data();
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const double u = double(x) / width, v = double(y) / height;
      const double shade = 120 + 70 * std::sin(3.1 * u + 1.7 * v) * std::cos(2.3 * v - 0.8 * u);
      const double texture = 18 * std::sin(x * 0.21 + std::sin(y * 0.13) * 3) * std::sin(y * 0.17 + x * 0.05);
      for (unsigned c = 0; c < channels; ++c) {
        const double noise = double(int(rng() % 9) + int(rng() % 9) - 8);
        if (c == 3) *s++ = Clamp(255 - 40 * u * u + noise * 0.25);  // a soft vignette of alpha
        else *s++ = Clamp(shade * (0.8 + 0.15 * c) + texture + noise);
      }
    }
  return p;
}

// Skin art: a gradient backdrop, flat panels with borders, a round glyph with an anti-aliased edge,
// a see-through margin with a soft shadow. Indexed art takes a 3-3-2 palette.
Picture MakeSkinArt(uint32_t width, uint32_t height, uint8_t colorType) {
  Picture p{width, height, colorType, {}, {}};
  const unsigned channels = ChannelsOf(colorType);
  p.Samples.resize(size_t(width) * height * channels);
  if (colorType == 3)
    for (int i = 0; i < 256; ++i)
      p.Palette.insert(p.Palette.end(), {uint8_t((i >> 5) * 255 / 7), uint8_t(((i >> 2) & 7) * 255 / 7), uint8_t((i & 3) * 85)});
  std::mt19937 rng(width + height * 7);
  const double margin = std::fmax(2, width / 32.0), cx = width * 0.7, cy = height * 0.5, radius = height * 0.2;
  uint8_t* s = p.Samples.data();
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      double rgb[3] = {60 + 80.0 * y / height, 90 + 60.0 * y / height, 140 + 40.0 * y / height};
      rgb[0] += double(rng() % 3);  // the dither of an exported gradient
      const uint32_t panel = width / 4;
      if (x % panel > panel / 8 && y > height / 3 && y < 2 * height / 3) {
        const bool border = x % panel == panel / 8 + 1 || y == height / 3 + 1 || y + 1 == 2 * height / 3;
        const double flat[3] = {border ? 30.0 : 220.0, border ? 30.0 : 214.0, border ? 40.0 : 200.0};
        std::copy(flat, flat + 3, rgb);
      }
      const double d = std::hypot(x - cx, y - cy) - radius;
      if (d < 1) {
        const double cover = std::fmin(1, 1 - d);  // anti-aliased edge
        for (int c = 0; c < 3; ++c) rgb[c] = rgb[c] * (1 - cover) + (c == 2 ? 250 : 40) * cover;
      }
      const double edge = std::fmin(std::fmin(x, width - 1 - x), std::fmin(y, height - 1 - y));
      const uint8_t alpha = edge >= margin ? 255 : uint8_t(255 * edge / margin * edge / margin);
      if (colorType == 3) {
        *s++ = uint8_t((Clamp(rgb[0]) >> 5) << 5 | (Clamp(rgb[1]) >> 5) << 2 | Clamp(rgb[2]) >> 6);
        continue;
      }
      if (colorType == 0 || colorType == 4) {
        *s++ = Clamp(0.3 * rgb[0] + 0.59 * rgb[1] + 0.11 * rgb[2]);
      } else {
        for (int c = 0; c < 3; ++c) *s++ = Clamp(rgb[c]);
      }
      if (colorType == 4 || colorType == 6) *s++ = alpha;
    }
  return p;
}

struct Source {
  const Bytes* Data;
  size_t Pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* s = static_cast<Source*>(png_get_io_ptr(png));
  if (s->Data->size() - s->Pos < count) png_error(png, "read past end");
  std::memcpy(out, s->Data->data() + s->Pos, count);
  s->Pos += count;
}

// libpng into the reader's layout: grey and indexed samples as they are, colour as B, G, R (and A),
// grey with alpha as B, G, R, A; rows as long as the reader's, in a new buffer as the reader's are.
std::vector<uint8_t> LibpngLikeReader(const Bytes& file) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw std::runtime_error("libpng refused the picture");
  }
  Source source{&file, 0};
  png_set_read_fn(png, &source, ReadFromMemory);
  png_read_info(png, info);
  const uint32_t height = png_get_image_height(png, info);
  const uint8_t colorType = png_get_color_type(png, info);
  if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (colorType & PNG_COLOR_MASK_COLOR && colorType != PNG_COLOR_TYPE_PALETTE) png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t stride = (png_get_rowbytes(png, info) + 3) & ~size_t(3);
  std::vector<uint8_t> pixels(stride * height);
  std::vector<png_bytep> rows(height);
  for (uint32_t y = 0; y < height; ++y) rows[y] = pixels.data() + y * stride;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return pixels;
}

enum Kind { kPhoto, kSkinArt, kTestPicture };

struct Case {
  const char* Name;
  Kind Of;
  uint8_t ColorType;
  uint32_t Width, Height;
  bool Interlaced;
};

// Photographs and skin art of three sizes, then the tests' pictures: random samples, every filter in
// turn.
const Case kCases[] = {
    {"photo_rgb", kPhoto, 2, 64, 64, false},          {"photo_rgba", kPhoto, 6, 64, 64, false},
    {"photo_grey", kPhoto, 0, 64, 64, false},         {"skin_rgba", kSkinArt, 6, 64, 64, false},
    {"skin_rgb", kSkinArt, 2, 64, 64, false},         {"skin_indexed", kSkinArt, 3, 64, 64, false},
    {"photo_rgb", kPhoto, 2, 512, 384, false},        {"photo_rgba", kPhoto, 6, 512, 384, false},
    {"photo_grey", kPhoto, 0, 512, 384, false},       {"skin_rgba", kSkinArt, 6, 512, 384, false},
    {"skin_rgb", kSkinArt, 2, 512, 384, false},       {"skin_indexed", kSkinArt, 3, 512, 384, false},
    {"photo_rgb", kPhoto, 2, 1600, 1200, false},      {"photo_rgba", kPhoto, 6, 1600, 1200, false},
    {"photo_grey", kPhoto, 0, 1600, 1200, false},     {"skin_rgba", kSkinArt, 6, 1600, 1200, false},
    {"skin_rgb", kSkinArt, 2, 1600, 1200, false},     {"skin_indexed", kSkinArt, 3, 1600, 1200, false},
    {"test_grey", kTestPicture, 0, 32, 32, false},    {"test_rgb", kTestPicture, 2, 32, 32, false},
    {"test_indexed", kTestPicture, 3, 32, 32, false}, {"test_grey_alpha", kTestPicture, 4, 32, 32, false},
    {"test_rgba", kTestPicture, 6, 32, 32, false},    {"test_rgba_interlaced", kTestPicture, 6, 32, 32, true}};

Bytes MakeFile(const Case& c) {
  if (c.Of == kPhoto) return WriteWithLibpng(MakePhoto(c.Width, c.Height, c.ColorType));
  if (c.Of == kSkinArt) return WriteWithLibpng(MakeSkinArt(c.Width, c.Height, c.ColorType));
  PngSpec spec;
  spec.Width = c.Width, spec.Height = c.Height, spec.ColorType = c.ColorType, spec.Interlaced = c.Interlaced;
  if (c.ColorType == 3)
    for (int i = 0; i < 256; ++i) spec.Palette.insert(spec.Palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
  return EncodePng(spec, RandomSamples(spec, 5));
}

void BM_Decode(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  const Bytes file = MakeFile(c);
  state.SetLabel(std::string(c.Name) + "/" + std::to_string(c.Width) + "x" + std::to_string(c.Height));
  RunBesideAnchor(
      state,
      [&] {
        TPNGReader reader;
        reader.LoadFromBuffer(file.data(), file.size());
        benchmark::DoNotOptimize(reader.Image.Bits.data());
      },
      [&] {
        const std::vector<uint8_t> decoded = LibpngLikeReader(file);
        benchmark::DoNotOptimize(decoded.data());
      });
  state.SetItemsProcessed(int64_t(state.iterations() * c.Width * c.Height));
}
BENCHMARK(BM_Decode)->DenseRange(0, std::size(kCases) - 1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// libpng's simplified reading into 8-bit B, G, R, A.
void LibpngSimplified(const Bytes& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
    throw std::runtime_error("libpng refused the picture");
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
    throw std::runtime_error("libpng could not read the picture");
  benchmark::DoNotOptimize(pixels.data());
}

struct NamedFile {
  std::string Name;
  Bytes Data;
};

// A small picture of smooth ramps in every channel, as test suites draw them.
Bytes SuiteFile(uint8_t colorType, uint8_t depth, bool interlaced, uint32_t gamma, bool keyed) {
  PngSpec spec;
  spec.Width = spec.Height = 32, spec.ColorType = colorType, spec.BitDepth = depth, spec.Interlaced = interlaced;
  spec.Gamma = gamma;
  const uint32_t top = (1u << depth) - 1;
  if (colorType == 3)
    for (uint32_t i = 0; i <= top; ++i)
      spec.Palette.insert(spec.Palette.end(), {uint8_t(i * 255 / top), uint8_t(255 - i * 255 / top), uint8_t(i * 97)});
  if (keyed) {
    if (colorType == 3) spec.Transparency = {0, 128};
    else if (colorType == 0) spec.Transparency = {uint8_t(top / 2 >> 8), uint8_t(top / 2)};
    else spec.Transparency = {0, 0, 0, 0, 0, 0};
  }
  std::vector<uint16_t> samples;
  const unsigned channels = ChannelsOf(colorType);
  for (uint32_t y = 0; y < spec.Height; ++y)
    for (uint32_t x = 0; x < spec.Width; ++x)
      for (unsigned c = 0; c < channels; ++c)
        samples.push_back(uint16_t((x * (c + 1) + y * (3 - c % 3)) * top / (31 * 7)));
  return EncodePng(spec, samples);
}

std::vector<NamedFile> SuiteFiles() {
  std::vector<NamedFile> files;
  struct Kind {
    uint8_t ColorType, Depth;
  };
  const Kind basic[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                        {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
  auto name = [](const char* prefix, Kind k, const std::string& rest = "") {
    return std::string(prefix) + std::to_string(k.ColorType) + "_" + std::to_string(k.Depth) + rest;
  };
  for (const bool interlaced : {false, true})
    for (const Kind k : basic)
      files.push_back({name(interlaced ? "interlaced" : "plain", k), SuiteFile(k.ColorType, k.Depth, interlaced, 0, false)});
  for (const uint32_t gamma : {35000u, 45000u, 55000u, 70000u, 100000u, 250000u})
    for (const Kind k : {Kind{0, 16}, Kind{2, 8}, Kind{3, 4}, Kind{2, 16}, Kind{6, 16}})
      files.push_back({name("gamma", k, "_" + std::to_string(gamma)), SuiteFile(k.ColorType, k.Depth, false, gamma, false)});
  for (const Kind k : {Kind{0, 4}, Kind{0, 16}, Kind{2, 8}, Kind{2, 16}, Kind{3, 8}})
    files.push_back({name("keyed", k), SuiteFile(k.ColorType, k.Depth, false, 0, true)});
  return files;
}

std::vector<NamedFile> ClassFiles(Kind of) {
  std::vector<NamedFile> files;
  for (const Case& c : kCases)
    if (c.Of == of)
      files.push_back({std::string(c.Name) + "/" + std::to_string(c.Width) + "x" + std::to_string(c.Height), MakeFile(c)});
  return files;
}

// Every file of a class in turn, ours then the anchor's, each iteration; per file the total times
// over the iterations. "speed" is the geometric mean of the files' speeds, "slowest" the lowest one
// (named in the label).
template <class Anchor>
void RunClass(benchmark::State& state, const std::vector<NamedFile>& files, Anchor&& anchor) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> ours(files.size()), theirs(files.size());
  for (auto _ : state) {
    double iteration = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      const auto t0 = Clock::now();
      TPNGReader reader;
      reader.LoadFromBuffer(files[i].Data.data(), files[i].Data.size());
      benchmark::DoNotOptimize(reader.Image.Bits.data());
      const auto t1 = Clock::now();
      anchor(files[i].Data);
      const auto t2 = Clock::now();
      ours[i] += std::chrono::duration<double>(t1 - t0).count();
      theirs[i] += std::chrono::duration<double>(t2 - t1).count();
      iteration += std::chrono::duration<double>(t1 - t0).count();
    }
    state.SetIterationTime(iteration);
  }
  if (state.iterations() == 0) return;
  double logSum = 0, slowest = INFINITY;
  size_t slowestFile = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    const double speed = theirs[i] / ours[i];
    logSum += std::log(speed);
    if (speed < slowest) slowest = speed, slowestFile = i;
  }
  state.counters["speed"] = std::exp(logSum / double(files.size()));
  state.counters["slowest"] = slowest;
  state.counters["files"] = double(files.size());
  state.SetLabel("slowest: " + files[slowestFile].Name);
}

void BM_ClassSkinArt(benchmark::State& state) {
  static const std::vector<NamedFile> files = ClassFiles(kSkinArt);
  RunClass(state, files, [](const Bytes& f) { benchmark::DoNotOptimize(LibpngLikeReader(f).data()); });
}
void BM_ClassPhoto(benchmark::State& state) {
  static const std::vector<NamedFile> files = ClassFiles(kPhoto);
  RunClass(state, files, [](const Bytes& f) { benchmark::DoNotOptimize(LibpngLikeReader(f).data()); });
}
void BM_ClassSuite(benchmark::State& state) {
  static const std::vector<NamedFile> files = SuiteFiles();
  RunClass(state, files, LibpngSimplified);
}
BENCHMARK(BM_ClassSkinArt)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassPhoto)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassSuite)->UseManualTime()->Unit(benchmark::kMillisecond);

// The suite's files one by one, beside libpng's simplified reading.
void BM_SuiteFile(benchmark::State& state) {
  static const std::vector<NamedFile> files = SuiteFiles();
  const NamedFile& file = files[size_t(state.range(0))];
  state.SetLabel(file.Name);
  RunBesideAnchor(
      state,
      [&] {
        TPNGReader reader;
        reader.LoadFromBuffer(file.Data.data(), file.Data.size());
        benchmark::DoNotOptimize(reader.Image.Bits.data());
      },
      [&] { LibpngSimplified(file.Data); });
}
BENCHMARK(BM_SuiteFile)->DenseRange(0, 64)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
