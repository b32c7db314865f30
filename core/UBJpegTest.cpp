#include "core/UBJpeg.h"

#include <gtest/gtest.h>

#include <cstring>

#include "widgets/RingPictureTestSupport.h"
#include "widgets/Bitmap32.h"

namespace {

void FillBitmap(TBitmap32& bitmap, const TPixelImage& image) {
  bitmap.SetSize(image.Width, image.Height);
  std::memcpy(bitmap.Bits(), image.Pixels.data(), image.Pixels.size() * sizeof(TColor32));
}

// The camera's BMP stream of a ring picture.
void RingBmp(TMemoryStream& stream, int width = 640, int height = 480) {
  TBitmap32 bitmap;
  FillBitmap(bitmap, ringtest::RingPicture(width, height));
  bitmap.SaveToStream(&stream);
  stream.SetPosition(0);
}

TEST(BJpeg, QualityAbove100CompressesAt100) {
  TMemoryStream bmp;
  RingBmp(bmp, 160, 120);
  TBJpeg conversion;
  const std::unique_ptr<TJPEGImage> at255 = conversion.BitmapToJpeg(&bmp, 255);
  EXPECT_EQ(at255->CompressionQuality(), 100);
  bmp.SetPosition(0);
  const std::unique_ptr<TJPEGImage> at100 = conversion.BitmapToJpeg(&bmp, 100);
  EXPECT_EQ(at255->Data(), at100->Data());
  bmp.SetPosition(0);
  const std::unique_ptr<TJPEGImage> at40 = conversion.BitmapToJpeg(&bmp, 40);
  EXPECT_EQ(at40->CompressionQuality(), 40);
  EXPECT_LT(at40->Data().size(), at100->Data().size());
}

TEST(BJpeg, BitmapToJpegNeedsABitmap) {
  TStringStream notBmp("this is no bitmap at all");
  TBJpeg conversion;
  EXPECT_ANY_THROW(conversion.BitmapToJpeg(&notBmp, 90));
  TMemoryStream empty;
  EXPECT_ANY_THROW(conversion.BitmapToJpeg(&empty, 90));
}

// Camera BMP -> JPEG stream -> BMP in the same stream, the pixels close to the camera's.
TEST(BJpeg, RingPictureRoundTrip) {
  TMemoryStream bmp;
  RingBmp(bmp);
  TBJpeg conversion;
  TMemoryStream stream;
  conversion.BitmapToJpeg(&bmp, 90)->SaveToStream(&stream);
  stream.SetPosition(0);
  ASSERT_TRUE(TBJpeg().JpegToBitmap(&stream));
  EXPECT_EQ(stream.Position(), 0);

  TBitmap32 back;
  back.LoadFromStream(&stream);
  ASSERT_EQ(back.Width(), 640);
  ASSERT_EQ(back.Height(), 480);
  const TPixelImage ring = ringtest::RingPicture();
  const ringtest::TDifference d = ringtest::Compare(ring.Pixels.data(), back.Bits(), ring.Pixels.size());
  EXPECT_LE(d.Max, 12);
  EXPECT_LE(d.Mean, 1.5);
}

// A 2 x 2 picture: its JPEG (tables and headers) is far longer than its BMP, and nothing of the
// JPEG may stay behind the BMP.
TEST(BJpeg, ShorterBitmapLeavesNoTail) {
  TMemoryStream bmp;
  RingBmp(bmp, 2, 2);
  const int64_t bmpSize = bmp.Size();
  bmp.SetPosition(0);
  TMemoryStream stream;
  TBJpeg().BitmapToJpeg(&bmp, 100)->SaveToStream(&stream);
  ASSERT_GT(stream.Size(), bmpSize);
  stream.SetPosition(0);
  ASSERT_TRUE(TBJpeg().JpegToBitmap(&stream));
  EXPECT_EQ(stream.Size(), bmpSize);
}

TEST(BJpeg, UnreadableJpegGivesFalse) {
  TStringStream garbage("\xFF\xD8\xFF\xE0 not really a JPEG");
  EXPECT_FALSE(TBJpeg().JpegToBitmap(&garbage));
  TMemoryStream empty;
  EXPECT_FALSE(TBJpeg().JpegToBitmap(&empty));
}

}  // namespace
