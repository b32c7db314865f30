#include "widgets/Bitmap32_StoredData.h"

#include "widgets/PixelTestImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(StoredData, RoundTripAndSizes) {
  TTestImage Src = TTestImage::Random(4, 3, 2);
  const std::vector<uint8_t> Data = WriteStoredData(Src.View);
  ASSERT_EQ(Data.size(), 8u + 48);
  EXPECT_EQ(Data[0], 4);
  EXPECT_EQ(Data[4], 3);
  TPixelImage Back = ReadStoredData(Data.data(), Data.size());
  EXPECT_EQ(Back.Pixels, Src.Pixels);
  EXPECT_EQ(WriteStoredData(Back.View()), Data);

  const uint8_t Negative[] = {0xFB, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0};  // -5 x 10
  const TPixelImage Empty = ReadStoredData(Negative, sizeof Negative);
  EXPECT_EQ(Empty.Width, 0);
  EXPECT_EQ(Empty.Height, 0);
  EXPECT_EQ(WriteStoredData(TPixelView{}).size(), 8u);
  EXPECT_THROW(ReadStoredData(Data.data(), Data.size() - 1), EStoredDataError);
  EXPECT_THROW(ReadStoredData(Data.data(), 7), EStoredDataError);
}

}  // namespace
