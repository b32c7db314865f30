#include "skin/engine/acZLibEx.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::vector<uint8_t> Compress(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  std::vector<uint8_t> out(size);
  compress2(out.data(), &size, raw.data(), uLong(raw.size()), 6);
  out.resize(size);
  return out;
}

std::vector<uint8_t> Sample(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t((i * 7919) >> 5);
  return v;
}

// A memory stream holding prefix, the compressed data and suffix, positioned on the compressed data.
std::unique_ptr<TMemoryStream> Source(const std::vector<uint8_t>& z, size_t prefix = 0, size_t suffix = 0) {
  auto s = std::make_unique<TMemoryStream>();
  const std::vector<uint8_t> pad(std::max(prefix, suffix), 0xAA);
  s->WriteBuffer(pad.data(), int64_t(prefix));
  s->WriteBuffer(z.data(), int64_t(z.size()));
  s->WriteBuffer(pad.data(), int64_t(suffix));
  s->SetPosition(int64_t(prefix));
  return s;
}

TEST(ZDecompressionStream, ReadsAcrossBuffersInOddPieces) {
  const auto raw = Sample(300000);
  const auto z = Compress(raw);
  auto src = Source(z);
  TZDecompressionStream d(src.get());
  std::vector<uint8_t> out;
  uint8_t piece[777];
  for (int64_t n; (n = d.Read(piece, sizeof piece)) > 0;) out.insert(out.end(), piece, piece + n);
  EXPECT_EQ(out, raw);
  EXPECT_TRUE(d.EndOfStream());
}

TEST(ZDecompressionStream, ShortReadLeavesTheSourceAfterTheCompressedData) {
  const auto raw = Sample(1000);
  const auto z = Compress(raw);
  auto src = Source(z, 5, 9);
  TZDecompressionStream d(src.get());
  std::vector<uint8_t> out(2000);
  EXPECT_EQ(d.Read(out.data(), 2000), 1000);
  EXPECT_EQ(src->Position(), int64_t(5 + z.size()));
  EXPECT_EQ(d.Read(out.data(), 10), 0);
}

TEST(ZDecompressionStream, Seeks) {
  const auto raw = Sample(20000);
  const auto z = Compress(raw);
  auto src = Source(z, 3);
  TZDecompressionStream d(src.get());
  uint8_t b[100];
  d.ReadBuffer(b, 100);
  EXPECT_EQ(d.Seek(0, soCurrent), 100);
  EXPECT_EQ(d.Position(), 100);
  EXPECT_EQ(d.Seek(5000, soBeginning), 5000);
  d.ReadBuffer(b, 1);
  EXPECT_EQ(b[0], raw[5000]);
  EXPECT_EQ(d.Seek(10, soCurrent), 5011);
  EXPECT_EQ(d.Seek(0, soEnd), 20000);
  // Back to the start of the compressed data, which does not begin at the source's start.
  EXPECT_EQ(d.Seek(0, soBeginning), 0);
  d.ReadBuffer(b, 100);
  EXPECT_TRUE(std::equal(b, b + 100, raw.begin()));
  for (auto [offset, origin] : {std::pair{int64_t(50), soBeginning}, {int64_t(100), soBeginning},
                                {int64_t(-1), soCurrent}, {int64_t(5), soEnd}}) {
    try {
      d.Seek(offset, origin);
      ADD_FAILURE() << offset;
    } catch (const EZDecompressionError& e) {
      EXPECT_STREQ(e.what(), "Invalid ZStream operation!");
    }
  }
  EXPECT_THROW(d.Write(b, 1), EZDecompressionError);
}

struct Bad {
  std::vector<uint8_t> Data;
  int Code;
  const char* Message;
};

TEST(ZDecompressionStream, DamagedDataRaisesWithTheZlibCode) {
  auto z = Compress(Sample(5000));
  z[z.size() / 2] ^= 0xFF;
  z[z.size() / 2 + 1] ^= 0x55;
  const Bad cases[] = {
      {{0x78, 0x9C, 0xFF, 0xFF, 0xFF}, Z_DATA_ERROR, "data error"},  // invalid block type
      {{0x12, 0x34}, Z_DATA_ERROR, "data error"},                     // not a zlib header
      {{0x78, 0xBB, 0, 0, 0, 1, 0x63, 0, 0}, Z_NEED_DICT, "need dictionary"},
  };
  for (const Bad& c : cases) {
    auto src = Source(c.Data);
    TZDecompressionStream d(src.get());
    uint8_t out[64];
    try {
      d.Read(out, sizeof out);
      ADD_FAILURE() << c.Message;
    } catch (const EZDecompressionError& e) {
      EXPECT_EQ(e.ErrorCode, c.Code);
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
  auto src = Source(z);
  TZDecompressionStream d(src.get());
  std::vector<uint8_t> out(6000);
  EXPECT_THROW(d.Read(out.data(), 6000), EZDecompressionError);
}

TEST(ZDecompressionStream, CheckAndMessages) {
  const std::pair<int, const char*> table[] = {{2, "need dictionary"}, {1, "stream end"}, {0, "ok"},
                                                {-1, "file error"}, {-2, "stream error"}, {-3, "data error"},
                                                {-4, "insufficient memory"}, {-5, "buffer error"},
                                                {-6, "incompatible version"}};
  for (auto [code, text] : table) {
    EXPECT_EQ(ZErrorMessage(code), text);
    if (code >= 0) EXPECT_EQ(ZDecompressCheck(code), code);
    else EXPECT_THROW(ZDecompressCheck(code), EZDecompressionError);
  }
}

}  // namespace
