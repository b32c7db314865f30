#include "widgets/Bitmap32_System.h"

#include <gtest/gtest.h>

namespace {

TEST(Bitmap32System, ProcessorHasMmx) { EXPECT_TRUE(HasMMX()); }

TEST(Bitmap32System, ThemeLibraryAndNexus) {
  InitBitmap32System();
  const TThemeLibrary* L = ThemeLibrary();
  ASSERT_NE(L, nullptr);  // Wine has uxtheme.dll with every function
  EXPECT_NE(L->OpenThemeData, nullptr);
  EXPECT_NE(L->DrawThemeBackground, nullptr);
  EXPECT_EQ(ThemesInUse(), L->IsAppThemed() && L->IsThemeActive());
  TThemeNexus* N = ThemeNexus();
  ASSERT_NE(N, nullptr);
  EXPECT_TRUE(IsWindow(N->Handle()));
  EXPECT_FALSE(IsWindowVisible(N->Handle()));
  EXPECT_EQ(N->ScrollbarTheme() != nullptr, ThemesInUse());
  EXPECT_EQ(SendMessageA(N->Handle(), WM_THEMECHANGED, 0, 0), 0);
  EXPECT_EQ(N->GlobalsTheme() != nullptr, ThemesInUse());
  const HWND Window = N->Handle();
  DoneBitmap32System();
  EXPECT_FALSE(IsWindow(Window));
  EXPECT_EQ(ThemeNexus(), nullptr);
  InitBitmap32System();  // and again after finalisation
  EXPECT_NE(ThemeNexus(), nullptr);
  DoneBitmap32System();
}

}  // namespace
