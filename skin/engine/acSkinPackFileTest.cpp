#include <windows.h>

#include "skin/engine/PngTestFiles.h"
#include "skin/engine/acSkinPack.h"

#include <gtest/gtest.h>

namespace {

std::string TempName(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

void WritePacked(const std::string& fileName) {
  const Bytes b = PackSkin({{"Options.dat", "[GLOBAL]\r\nVERSION=7.46\r\n"}});
  TFileStream f(fileName, fmCreate);
  f.WriteBuffer(b.data(), int64_t(b.size()));
}

TEST(SkinConvertorFile, LoadsAPackedFileAndFreesTheSourceWhenAsked) {
  const std::string name = TempName("mz-skinpack-test.asz");
  WritePacked(name);
  std::unique_ptr<TacSkinConvertor> c;
  TacSkinConvertor::LoadFromFile(name, c, false);
  ASSERT_TRUE(c);
  ASSERT_TRUE(c->Options);
  EXPECT_EQ(c->Options->Size(), 24);
  EXPECT_TRUE(c->PackedData);
  TacSkinConvertor* same = c.get();
  TacSkinConvertor::LoadFromFile(name, c, true);
  EXPECT_EQ(c.get(), same);  // the existing convertor is cleared and reused
  EXPECT_TRUE(c->Options);
  EXPECT_FALSE(c->PackedData);
  DeleteFileA(name.c_str());
}

TEST(SkinConvertorFile, MissingFileDoesNothing) {
  std::unique_ptr<TacSkinConvertor> c;
  TacSkinConvertor::LoadFromFile(TempName("mz-no-such-skin.asz"), c, true);
  EXPECT_FALSE(c);
}

}  // namespace
