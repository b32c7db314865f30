// The skin directory resolved against the program's folder.
#include "skin/engine/sSkinDirectory.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
  const char* Value;
  const char* Program;
  const char* Resolved;
};

TEST(SkinDirectory, Table) {
  const TCase Cases[] = {
      {"..\\Looks", "C:\\App\\Bin\\", "C:\\App\\Looks"},
      {"../Looks", "C:/App/Bin/", "C:/App/Looks"},
      {"..\\Looks", "C:\\", "C:\\Looks"},  // no parent: the drive stays
      {"..", "C:\\App\\Bin\\", "C:\\App\\"},
      {".\\Looks", "C:\\App\\Bin\\", "C:\\App\\Bin\\Looks"},
      {"./Looks", "C:\\App\\Bin\\", "C:\\App\\Bin\\Looks"},
      {"Looks", "C:\\App\\Bin\\", "C:\\App\\Bin\\Looks"},
      {"Looks\\Blue", "C:\\App\\Bin\\", "C:\\App\\Bin\\Looks\\Blue"},
      {"", "C:\\App\\Bin\\", "C:\\App\\Bin\\"},
      {"\\\\server\\share\\Looks", "C:\\App\\Bin\\", "\\\\server\\share\\Looks"},
      {"c:\\Skins", "C:\\App\\Bin\\", "c:\\Skins"},
      {"D:Looks", "C:\\App\\Bin\\", "D:Looks"},
  };
  for (const TCase& c : Cases) EXPECT_EQ(ResolveSkinDirectory(c.Value, c.Program), c.Resolved) << c.Value;
}

}  // namespace
