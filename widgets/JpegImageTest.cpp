#include "widgets/JpegImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "widgets/RingPictureTestSupport.h"

namespace {

std::vector<uint8_t> Seed(const std::string& name) {
  std::ifstream in(std::string(std::getenv("MZ_SOURCE_DIR")) + "/widgets/JpegImageFuzzSeeds/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The ring picture at the quality the clinic's settings usually give comes back close: within 12
// levels per channel and 1.5 on average (libjpeg-turbo gives 6 and 0.8; chroma is halved).
TEST(JpegImage, RingPictureRoundTrip) {
  TPixelImage ring = ringtest::RingPicture();
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(90);
  jpeg.Compress(ring.View());
  ASSERT_FALSE(jpeg.Empty());
  EXPECT_LT(jpeg.Data().size(), ring.Pixels.size());  // under a byte per pixel
  TPixelImage back;
  ASSERT_TRUE(jpeg.Decompress(back));
  ASSERT_EQ(back.Width, 640);
  ASSERT_EQ(back.Height, 480);
  for (TColor32 p : back.Pixels) ASSERT_EQ(p >> 24, 0xFFu);
  const ringtest::TDifference d = ringtest::Compare(ring.Pixels.data(), back.Pixels.data(), ring.Pixels.size());
  EXPECT_LE(d.Max, 12);
  EXPECT_LE(d.Mean, 1.5);
}

TEST(JpegImage, QualityIsClampedAndMatters) {
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(255);
  EXPECT_EQ(jpeg.CompressionQuality(), 100);
  jpeg.SetCompressionQuality(0);
  EXPECT_EQ(jpeg.CompressionQuality(), 1);

  TPixelImage ring = ringtest::RingPicture(160, 120);
  size_t previous = 0;
  double previousError = 1e9;
  for (int quality : {10, 50, 100}) {
    jpeg.SetCompressionQuality(quality);
    jpeg.Compress(ring.View());
    EXPECT_GT(jpeg.Data().size(), previous) << quality;
    previous = jpeg.Data().size();
    TPixelImage back;
    ASSERT_TRUE(jpeg.Decompress(back));
    const double error = ringtest::Compare(ring.Pixels.data(), back.Pixels.data(), ring.Pixels.size()).Mean;
    EXPECT_LT(error, previousError) << quality;
    previousError = error;
  }
}

TEST(JpegImage, EmptyPictureRaises) {
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.Compress(TPixelView{}), EJPEG);
}

TEST(JpegImage, FilesOfOtherEncoders) {
  struct Case {
    const char* File;
    int Width, Height;
    bool Readable;
  };
  // CMYK has no conversion to screen colours in the decoder; the program's own pictures are YCbCr.
  const Case cases[] = {{"baseline.jpg", 24, 16, true},    {"gray.jpg", 24, 16, true},
                        {"progressive.jpg", 32, 24, true}, {"full444.jpg", 32, 24, true},
                        {"restart.jpg", 40, 8, true},      {"tiny.jpg", 8, 8, true},
                        {"cmyk.jpg", 0, 0, false}};
  for (const Case& c : cases) {
    const std::vector<uint8_t> data = Seed(c.File);
    ASSERT_FALSE(data.empty()) << c.File;
    TPixelImage image;
    ASSERT_EQ(detail::DecompressJpeg(data.data(), data.size(), image), c.Readable) << c.File;
    if (!c.Readable) continue;
    EXPECT_EQ(image.Width, c.Width) << c.File;
    EXPECT_EQ(image.Height, c.Height) << c.File;
    EXPECT_EQ(image.Pixels.size(), size_t(c.Width) * c.Height) << c.File;
  }
  // Grey stays grey.
  const std::vector<uint8_t> tiny = Seed("tiny.jpg");
  TPixelImage image;
  ASSERT_TRUE(detail::DecompressJpeg(tiny.data(), tiny.size(), image));
  const TColor32 p = image.Pixels[0];
  EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
  EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
}

TEST(JpegImage, BrokenDataIsRefused) {
  TPixelImage ring = ringtest::RingPicture(64, 48);
  const std::vector<uint8_t> good = detail::CompressJpeg(ring.View(), 75);
  TPixelImage image;
  ASSERT_TRUE(detail::DecompressJpeg(good.data(), good.size(), image));

  auto refused = [&](std::vector<uint8_t> data) { return !detail::DecompressJpeg(data.data(), data.size(), image); };
  EXPECT_TRUE(refused({}));
  EXPECT_TRUE(refused({'B', 'M', 0, 0}));
  EXPECT_TRUE(refused({0xFF, 0xD8}));
  // Cut in the middle of the entropy-coded data, and cut before its end marker.
  EXPECT_TRUE(refused({good.begin(), good.begin() + good.size() / 2}));
  EXPECT_TRUE(refused({good.begin(), good.end() - 2}));
  // Entropy-coded data with a marker in it.
  std::vector<uint8_t> marker = good;
  marker[marker.size() - 40] = 0xFF;
  marker[marker.size() - 39] = 0xD3;
  EXPECT_TRUE(refused(marker));
}

TEST(JpegImage, HugeDeclaredSizeIsRefused) {
  TPixelImage ring = ringtest::RingPicture(16, 16);
  std::vector<uint8_t> data = detail::CompressJpeg(ring.View(), 75);
  // The frame header (SOF0): length, precision, height, width.
  size_t sof = 0;
  for (size_t i = 2; i + 9 < data.size(); ++i)
    if (data[i] == 0xFF && data[i + 1] == 0xC0) sof = i;
  ASSERT_NE(sof, 0u);
  data[sof + 5] = 0xFF;  // height 65295
  data[sof + 7] = 0xFF;  // width 65296
  TPixelImage image;
  EXPECT_FALSE(detail::DecompressJpeg(data.data(), data.size(), image));
}

}  // namespace
