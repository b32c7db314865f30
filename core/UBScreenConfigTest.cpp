#include "core/UBScreenConfig.h"

#include <gtest/gtest.h>

TEST(ScreenResolution, RecordsTheScreenAndChangesNothing) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  TBScreenResolution screen;
  screen.SaveCurrent();
  screen.SetWanted(800, 600);
  EXPECT_EQ(screen.SavedWidth(), width);
  EXPECT_EQ(screen.SavedHeight(), height);

  const DEVMODEA wanted = screen.ApplyWanted();
  EXPECT_EQ(wanted.dmSize, sizeof(DEVMODEA));
  EXPECT_EQ(wanted.dmFields, static_cast<DWORD>(DM_PELSWIDTH | DM_PELSHEIGHT));
  EXPECT_EQ(wanted.dmPelsWidth, 800u);
  EXPECT_EQ(wanted.dmPelsHeight, 600u);
  const DEVMODEA saved = screen.RestoreSaved();
  EXPECT_EQ(saved.dmPelsWidth, static_cast<DWORD>(width));
  EXPECT_EQ(saved.dmPelsHeight, static_cast<DWORD>(height));

  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
}
