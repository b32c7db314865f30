#include "skin/engine/acSkinPack.h"
#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acZLibEx.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TacSkinConvertor> Convertor(const Bytes& packed) {
  auto c = std::make_unique<TacSkinConvertor>();
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(packed.data(), int64_t(packed.size()));
  c->PackedData = std::move(s);
  return c;
}

std::string Text(TMemoryStream& s) { return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size())); }

TEST(SkinConvertor, UnpacksOptionsAndImages) {
  const std::string options(13302, 'o'), master(20000, '\x42');
  auto c = Convertor(PackSkin({{"BtnHuge.bmp", "bmp data"}, {"options.DAT", options}, {"Master.BMP", master},
                               {"Empty.png", ""}, {"ExBord.png", "png data"}}));
  TacSkinConvertor::ExtractPackedData(c);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->LastIndex, 4);
  ASSERT_TRUE(c->Options);
  EXPECT_EQ(Text(*c->Options), options);
  EXPECT_EQ(c->Options->Position(), 0);
  ASSERT_EQ(c->ImageItems.size(), 4u);
  const std::tuple<const char*, bool, std::string> expected[] = {
      {"BtnHuge.bmp", true, "bmp data"}, {"Master.BMP", true, master}, {"Empty.png", false, ""},
      {"ExBord.png", false, "png data"}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(c->ImageItems[i].FileName, std::get<0>(expected[i]));
    EXPECT_EQ(c->ImageItems[i].IsBitmap, std::get<1>(expected[i]));
    EXPECT_EQ(Text(*c->ImageItems[i].Data), std::get<2>(expected[i]));
  }
  EXPECT_EQ(c->IndexOf("EXBORD.PNG"), 3);
  EXPECT_EQ(c->IndexOf("master.bmp"), 1);
  EXPECT_EQ(c->IndexOf("none.png"), -1);
  c->Clear();
  EXPECT_TRUE(c->ImageItems.empty());
  EXPECT_FALSE(c->Options);
  EXPECT_FALSE(c->PackedData);
}

TEST(SkinConvertor, NoEntries) {
  auto c = Convertor(PackSkin({}));
  TacSkinConvertor::ExtractPackedData(c);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->LastIndex, -1);
  EXPECT_FALSE(c->Options);
  EXPECT_TRUE(c->ImageItems.empty());
}

Bytes Header(int32_t count) {
  Bytes b{'A', 'S', 'z', 'f'};
  PutInt(b, count);
  return b;
}

// Data that is not a packed skin: the convertor is gone and the error says so.
TEST(SkinConvertor, RefusesWhatIsNotAPackedSkin) {
  Bytes negativeName = Header(1);
  PutInt(negativeName, -1);
  negativeName.resize(negativeName.size() + 20);
  Bytes longName = Header(1);
  PutInt(longName, 1000);
  longName.resize(longName.size() + 20);
  Bytes negativeSize = Header(1);
  PutInt(negativeSize, 1);
  negativeSize.push_back('a');
  PutInt(negativeSize, -5);
  const Bytes z = Deflate({'a', 'b', 'c'});
  negativeSize.insert(negativeSize.end(), z.begin(), z.end());
  Bytes longerThanSize = PackSkin({{"a.bmp", "abcdef"}});
  longerThanSize[4 + 4 + 4 + 5] = 3;  // says 3 bytes, holds 6
  Bytes tooMany = PackSkin({{"a.bmp", "abc"}});
  tooMany[4] = 100;
  const Bytes cases[] = {PackSkin({}, "ASzF"), Bytes{'A', 'S'}, Header(-1), Header(0x7FFFFFFF), negativeName,
                         longName, negativeSize, longerThanSize, tooMany};
  int i = 0;
  for (const Bytes& data : cases) {
    auto c = Convertor(data);
    try {
      TacSkinConvertor::ExtractPackedData(c);
      ADD_FAILURE() << "case " << i;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Loaded data is not a packed skin file") << "case " << i;
    }
    EXPECT_FALSE(c) << "case " << i;
    ++i;
  }
}

TEST(SkinConvertor, DamagedOrShortEntries) {
  Bytes damaged = PackSkin({{"a.bmp", std::string(3000, 'x') + "yz"}});
  damaged[damaged.size() - 2] ^= 0xFF;  // the checksum
  auto c = Convertor(damaged);
  EXPECT_THROW(TacSkinConvertor::ExtractPackedData(c), EZDecompressionError);
  Bytes shorter = PackSkin({{"a.bmp", "abcdef"}});
  shorter[4 + 4 + 4 + 5] = 9;  // says 9 bytes, holds 6
  c = Convertor(shorter);
  EXPECT_THROW(TacSkinConvertor::ExtractPackedData(c), EReadError);
  Bytes cut = PackSkin({{"a.bmp", "abcdef"}});
  cut.resize(cut.size() - 2);  // the checksum cut off
  c = Convertor(cut);
  EXPECT_THROW(TacSkinConvertor::ExtractPackedData(c), EReadError);
}

}  // namespace
