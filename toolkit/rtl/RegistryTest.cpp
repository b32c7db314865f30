#include <windows.h>

#include "toolkit/rtl/Registry.h"

#include <gtest/gtest.h>

namespace {

const char kKey[] = "\\Software\\MZ3100RuntimeTest\\Runtime";

TEST(Registry, WritesReadsAndListsValues) {
  {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    reg.DeleteKey("\\Software\\MZ3100RuntimeTest");
    EXPECT_FALSE(reg.OpenKey(kKey, false));
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\MZ3100RuntimeTest\\Runtime");
    reg.WriteString("sDecimal", ",");
    reg.WriteString("sShortDate", "dd/MM/yyyy");
    reg.WriteInteger("iCountry", 55);
    reg.WriteBool("Ativo", true);
    ASSERT_TRUE(reg.OpenKey("Filha", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\MZ3100RuntimeTest\\Runtime\\Filha");
    reg.CloseKey();
  }
  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists(kKey));
  ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
  EXPECT_EQ(reg.ReadString("sDecimal"), ",");
  EXPECT_EQ(reg.ReadString("Falta"), "");
  EXPECT_EQ(reg.ReadInteger("iCountry"), 55);
  EXPECT_TRUE(reg.ReadBool("Ativo"));
  EXPECT_THROW(reg.ReadString("iCountry"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("sDecimal"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Falta"), ERegistryException);
  EXPECT_TRUE(reg.ValueExists("sShortDate"));
  EXPECT_FALSE(reg.ValueExists("Falta"));
  TStringList names;
  reg.GetValueNames(&names);
  names.Sort();
  EXPECT_EQ(names.CommaText(), "Ativo,iCountry,sDecimal,sShortDate");
  reg.GetKeyNames(&names);
  EXPECT_EQ(names.CommaText(), "Filha");
  // Read-only keys refuse writes.
  EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
  EXPECT_FALSE(reg.DeleteValue("sDecimal"));

  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_TRUE(reg.DeleteValue("sDecimal"));
  EXPECT_FALSE(reg.ValueExists("sDecimal"));
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey("\\Software\\MZ3100RuntimeTest"));
  EXPECT_FALSE(reg.KeyExists(kKey));
}

TEST(Registry, ReadsTheRegionalSettingsOfTheUser) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Control Panel\\International"));
  EXPECT_FALSE(reg.ReadString("sDecimal").empty());
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_TRUE(reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows NT\\CurrentVersion"));
}

}  // namespace
