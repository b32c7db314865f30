#include "core/UBRegConfig.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/UBSettingsTestSupport.h"

namespace {

const char kInternational[] = "Control Panel\\International";

// Every value of a key: name -> (type, bytes); empty when the key does not exist.
using TSnapshot = std::map<std::string, std::pair<DWORD, std::string>>;

TSnapshot Snapshot(HKEY Root, const char* Path) {
  TSnapshot values;
  HKEY key;
  if (RegOpenKeyExA(Root, Path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    BYTE data[4096];
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    values[std::string(name, nameLen)] = {type, std::string(reinterpret_cast<char*>(data), dataLen)};
  }
  RegCloseKey(key);
  return values;
}

bool KeyExists(HKEY Root, const char* Path) {
  HKEY key;
  if (RegOpenKeyExA(Root, Path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void SetString(HKEY Key, const char* Name, const std::string& Value) {
  RegSetValueExA(Key, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                 static_cast<DWORD>(Value.size() + 1));
}

// A private HKEY_CURRENT_USER stand-in for each test, so the user's own key is touched by one test only.
class RegConfigTest : public testing::Test {
 protected:
  void SetUp() override {
    sandboxPath = "Software\\MZ3100Test\\RegConfig" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, sandboxPath.c_str());
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, sandboxPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                              nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(root);
    RegDeleteTreeA(HKEY_CURRENT_USER, sandboxPath.c_str());
  }
  HKEY CreateInternational() {
    HKEY key;
    RegCreateKeyExA(root, kInternational, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
  }
  // The program's sequence: read, want, apply; RestoreSaved is left to the test.
  void Override(TBRegConfig& Config) {
    Config.SetRootKey(root);
    Config.ReadCurrent();
    Config.SetWanted(".", "dd/MM/yyyy", ",", "HH:mm:ss", "", "");
    Config.ApplyWanted();
  }

  std::string sandboxPath;
  HKEY root = nullptr;
  TMessageLog log;
};

TEST_F(RegConfigTest, OverrideAndExactRestore) {
  HKEY key = CreateInternational();
  const std::pair<const char*, const char*> user[] = {{"sDecimal", ","},       {"sShortDate", "d/M/yy"},
                                                      {"sThousand", "."},      {"sTimeFormat", "h:mm:ss tt"},
                                                      {"s1159", "AM"},         {"s2359", "PM"},
                                                      {"sCurrency", "R$"},     {"iCountry", "55"}};
  for (const auto& [name, value] : user) SetString(key, name, value);
  RegCloseKey(key);
  const TSnapshot before = Snapshot(root, kInternational);

  TBRegConfig config;
  Override(config);
  ASSERT_NE(config.Saved(TRegionalValue::sDecimal), nullptr);
  EXPECT_EQ(*config.Saved(TRegionalValue::sDecimal), ",");
  TSnapshot during = Snapshot(root, kInternational);
  EXPECT_EQ(during["sDecimal"].second, std::string(".\0", 2));
  EXPECT_EQ(during["sShortDate"].second, std::string("dd/MM/yyyy\0", 11));
  EXPECT_EQ(during["sThousand"].second, std::string(",\0", 2));
  EXPECT_EQ(during["sTimeFormat"].second, std::string("HH:mm:ss\0", 9));
  // The suffixes are empty texts, not missing values.
  ASSERT_EQ(during.count("s1159"), 1u);
  EXPECT_EQ(during["s1159"].first, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(during["s2359"].second, std::string("\0", 1));
  EXPECT_EQ(during["sCurrency"], before.at("sCurrency"));

  config.RestoreSaved();
  EXPECT_EQ(Snapshot(root, kInternational), before);
  EXPECT_TRUE(log.Messages().empty());
}

TEST_F(RegConfigTest, ValuesThatDidNotExistAreRemovedAgain) {
  HKEY key = CreateInternational();
  SetString(key, "sDecimal", ",");
  SetString(key, "sShortDate", "dd.MM.yyyy");
  RegCloseKey(key);
  const TSnapshot before = Snapshot(root, kInternational);

  TBRegConfig config;
  Override(config);
  EXPECT_EQ(config.Saved(TRegionalValue::s1159), nullptr);
  EXPECT_EQ(Snapshot(root, kInternational).size(), 6u);
  config.RestoreSaved();
  EXPECT_EQ(Snapshot(root, kInternational), before);
}

TEST_F(RegConfigTest, MissingKeyIsLeftMissingAndNothingIsWritten) {
  TBRegConfig config;
  Override(config);
  config.RestoreSaved();
  EXPECT_TRUE(log.Messages().empty());
  EXPECT_FALSE(KeyExists(root, kInternational));
  EXPECT_TRUE(Snapshot(root, "").empty());  // nothing landed in the root either
  for (int i = 0; i < static_cast<int>(TRegionalValue::Count); ++i)
    EXPECT_EQ(config.Saved(static_cast<TRegionalValue>(i)), nullptr);
}

TEST_F(RegConfigTest, UnreadableValueStopsTheReadAndIsNeverOverwritten) {
  HKEY key = CreateInternational();
  SetString(key, "sDecimal", ",");
  SetString(key, "sShortDate", "dd/MM/yy");
  const DWORD number = 7;
  RegSetValueExA(key, "sThousand", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  SetString(key, "sTimeFormat", "HH.mm");
  RegCloseKey(key);
  const TSnapshot before = Snapshot(root, kInternational);

  TBRegConfig config;
  Override(config);
  EXPECT_EQ(log.Messages(), (std::vector<TLoggedMessage>{{"Problemas ao ler registro", "ERRO", MB_OK}}));
  TSnapshot during = Snapshot(root, kInternational);
  EXPECT_EQ(during["sDecimal"].second, std::string(".\0", 2));
  EXPECT_EQ(during["sThousand"], before.at("sThousand"));
  EXPECT_EQ(during["sTimeFormat"], before.at("sTimeFormat"));
  EXPECT_EQ(during.count("s1159"), 0u);
  config.RestoreSaved();
  EXPECT_EQ(Snapshot(root, kInternational), before);
}

// The user's own key of the test prefix: exactly as before once the program's override is undone.
TEST(RegConfigUser, UserKeyIsExactlyAsBefore) {
  TMessageLog log;
  const TSnapshot before = Snapshot(HKEY_CURRENT_USER, kInternational);
  {
    TBRegConfig config;
    config.ReadCurrent();
    config.SetWanted(".", "dd/MM/yyyy", ",", "HH:mm:ss", "", "");
    config.ApplyWanted();
    if (KeyExists(HKEY_CURRENT_USER, kInternational)) {
      EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, kInternational)["sShortDate"].second, std::string("dd/MM/yyyy\0", 11));
    }
    config.RestoreSaved();
  }
  EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, kInternational), before);
  EXPECT_TRUE(log.Messages().empty());
}

}  // namespace
