#include "widgets/Bitmap32_Files.h"

#include "widgets/PixelTestImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A BMP file built field by field, as other programs write them.
struct TBmpBuilder {
  int Width, Height, BitCount;
  uint32_t Compression = 0, HeaderSize = 40;
  std::vector<uint8_t> Palette;  // 4 bytes per entry
  std::vector<uint32_t> Masks;   // after a 40-byte header
  std::vector<uint8_t> Rows;     // as stored, padded

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> Out(14 + HeaderSize);
    auto Put = [&](size_t At, uint32_t V, int N) {
      for (int I = 0; I < N; ++I) Out[At + I] = uint8_t(V >> (8 * I));
    };
    Out[0] = 'B';
    Out[1] = 'M';
    Put(14, HeaderSize, 4);
    Put(18, uint32_t(Width), 4);
    Put(22, uint32_t(Height), 4);
    Put(26, 1, 2);
    Put(28, uint32_t(BitCount), 2);
    Put(30, Compression, 4);
    Put(46, uint32_t(Palette.size() / 4), 4);  // colours used
    for (uint32_t M : Masks) {
      Out.resize(Out.size() + 4);
      Put(Out.size() - 4, M, 4);
    }
    Out.insert(Out.end(), Palette.begin(), Palette.end());
    Put(10, uint32_t(Out.size()), 4);
    Out.insert(Out.end(), Rows.begin(), Rows.end());
    Put(2, uint32_t(Out.size()), 4);
    return Out;
  }
};

TPixelImage Read(const std::vector<uint8_t>& Bytes) { return ReadBmp(Bytes.data(), Bytes.size()); }

TEST(BmpFile, SavedPictureReadsBackByteIdentical) {
  TTestImage Src = TTestImage::Random(7, 5, 1);
  const std::vector<uint8_t> Saved = WriteBmp(Src.View);
  ASSERT_EQ(Saved.size(), 54u + 7 * 5 * 4);
  TPixelImage Back = Read(Saved);
  EXPECT_EQ(Back.Width, 7);
  EXPECT_EQ(Back.Height, 5);
  EXPECT_EQ(Back.Pixels, Src.Pixels);  // alpha bytes kept
  EXPECT_EQ(WriteBmp(Back.View()), Saved);
  // Bottom-up rows: the file's first row is the picture's last.
  EXPECT_EQ(std::memcmp(Saved.data() + 54, &Src(0, 4), 7 * 4), 0);
}

TEST(BmpFile, LowerDepthsGetOpaqueAlpha) {
  struct Case { TBmpBuilder Bmp; std::vector<TColor32> Want; };
  const Case Cases[] = {
      // 24 bits, 2 x 2, bottom-up, rows padded to 8 bytes
      {{2, 2, 24, 0, 40, {}, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
       {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}},
      // 24 bits top-down
      {{1, 2, 24, 0, 40, {}, {}, {1, 2, 3, 0, 4, 5, 6, 0}}, {0xFF030201, 0xFF060504}},
      // 8 bits with a two-colour palette; index 7 lies past it and draws black
      {{3, 1, 8, 0, 40, {0x10, 0x20, 0x30, 0, 0xAA, 0xBB, 0xCC, 0}, {}, {1, 0, 7, 0}},
       {0xFFCCBBAA, 0xFF302010, 0xFF000000}},
      // 4 bits
      {{3, 1, 4, 0, 40, {1, 2, 3, 0, 4, 5, 6, 0}, {}, {0x10, 0x10, 0, 0}}, {0xFF060504, 0xFF030201, 0xFF060504}},
      // 1 bit, 10 pixels
      {{10, 1, 1, 0, 40, {0, 0, 0, 0, 255, 255, 255, 0}, {}, {0b10100000, 0b01000000, 0, 0}},
       {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
        0xFF000000, 0xFFFFFFFF}},
      // 16 bits 5-5-5
      {{2, 1, 16, 0, 40, {}, {}, {0x00, 0x7C, 0x1F, 0x00}}, {0xFFFF0000, 0xFF0000FF}},
      // 16 bits 5-6-5 bit fields
      {{2, 1, 16, 3, 40, {}, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0x00, 0xF8}}, {0xFF00FF00, 0xFFFF0000}},
      // 32 bits with other bit fields: channels moved into place, no alpha field gives 255
      {{1, 1, 32, 3, 40, {}, {0xFF, 0xFF00, 0xFF0000}, {0x11, 0x22, 0x33, 0x44}}, {0xFF112233}},
  };
  for (const Case& C : Cases) {
    TBmpBuilder B = C.Bmp;
    if (B.Width == 1 && B.Height == 2) B.Height = -2;
    const TPixelImage Image = Read(B.Bytes());
    EXPECT_EQ(Image.Pixels, C.Want) << B.BitCount;
  }
}

TEST(BmpFile, BrokenFilesAreRefused) {
  const std::vector<uint8_t> Good = WriteBmp(TTestImage(3, 3, 0xFF000000).View);
  std::vector<std::vector<uint8_t>> Bad;
  for (size_t Cut : {size_t(0), size_t(1), size_t(13), size_t(20), size_t(53), Good.size() - 1})
    Bad.emplace_back(Good.begin(), Good.begin() + Cut);
  auto Patched = [&](size_t At, uint32_t V) {
    std::vector<uint8_t> B = Good;
    std::memcpy(B.data() + At, &V, 4);
    return B;
  };
  Bad.push_back(Patched(0, 0x0000'4D43));            // not "BM"
  Bad.push_back(Patched(14, 20));                    // unknown header size
  Bad.push_back(Patched(18, 0x7FFFFFFF));            // wider than the data
  Bad.push_back(Patched(22, 0x7FFFFFFF));            // taller than the data
  Bad.push_back(Patched(22, 0x80000000));            // height that cannot be negated
  Bad.push_back(Patched(18, 0xFFFFFFFF));            // negative width
  Bad.push_back(Patched(28, 7));                     // no such bit count
  Bad.push_back(Patched(30, 1));                     // run-length compressed
  Bad.push_back(Patched(30, 3));                     // bit fields past the end
  for (const auto& B : Bad) EXPECT_THROW(Read(B), EBmpFormatError) << B.size();
  // No width: an empty picture at once, however many rows the header claims.
  const TPixelImage Empty = Read(Patched(18, 0));
  EXPECT_EQ(Empty.Width + Empty.Height, 0);
}

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
  EXPECT_THROW(ReadStoredData(Data.data(), Data.size() - 1), EBmpFormatError);
  EXPECT_THROW(ReadStoredData(Data.data(), 7), EBmpFormatError);
}

}  // namespace
