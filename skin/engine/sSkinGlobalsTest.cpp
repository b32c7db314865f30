// The engine's init: texts read back from the string table, library-wide values and the bound system
// functions, each of which a test can replace.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinStrings.h"

namespace {

class SkinEngineInit : public testing::Test {
 protected:
  void SetUp() override { InitSkinEngine(); }
  void TearDown() override { DoneSkinEngine(); }
};

TEST_F(SkinEngineInit, TextsComeFromTheStringTable) {
  struct Case {
    int Id;
    const char* Text;
  } cases[] = {
      {58910, "Create"},
      {58911, "Select directory"},
      {58924, "Preview of the future hint window"},
      {58925, "Gradient"},
      {58926, "Background"},
      {58927, "Shadow"},
      {58928, "Bottom border"},
      {58929, "Top border"},
      {58930, "Color"},
      {58931, "Save to file as..."},
      {58932, "Load from file"},
      {58933, "Texture"},
      {58934, "Font"},
      {58935, "No picture available"},
      {58936, "Transparency"},
      {58937, "Offset"},
      {58938, "Percent"},
      {58939, "Pause hide (ms)"},
      {58940, "Max width"},
      {58941, "Corners radius"},
      {58942, "Vert. margin"},
      {58943, "Horiz. margin"},
      {58944, "Arrow length"},
      {58945, "Blur"},
      {58946, "Bevel width"},
      {58947, "Style :"},
      {58948, "Preserved settings :"},
      {58949, "Hint Designer Form"},
      {58950, "TsFrameAdapter adapter must be placed on the handled frame"},
      {58951, "Hex - "},
      {58952, "Decimal - "},
      {58953, "Blue :"},
      {58954, "Green :"},
      {58955, "Red :"},
      {58956, "Color"},
      {58957, "Additional colors :"},
      {58958, "Main palette :"},
      {58959, "Define colors"},
      {58960, "Add to custom colors set"},
      {58961, "Listbox (%s) style must be virtual in order to set Count"},
      {58962, "Error setting %s.Count"},
      {58963, "(internal)"},
      {58964, "Available skins"},
      {58970, "File open"},
      {58975, "Calculator"},
      {58976, "Close"},
      {58977, "Maximize"},
      {58978, "Minimize"},
      {58979, "Size"},
      {58980, "Move"},
      {58981, "Restore"},
      {58990, "&Help"},
      {58991, "Cancel"},
      {58992, "OK"},
      {65271, "Root :"},
      {65272, "Directory with skins :"},
      {65273, "Select skin"},
      {65274, "Skin preview"},
      {65275, "Invalid date"},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinStr(c.Id), c.Text) << c.Id;
  EXPECT_EQ(SkinStr(sidRestore), "Restore");
  EXPECT_EQ(SkinStr(58912), "");
  DoneSkinEngine();
  EXPECT_EQ(SkinStr(sidClose), "");
}

TEST_F(SkinEngineInit, LibraryWideValues) {
  EXPECT_EQ(EngineKeyColor, clFuchsia);
  EXPECT_EQ(ScrollArrowSize, GetSystemMetrics(SM_CXHSCROLL));
  EXPECT_TRUE(IsNTPlatform);
  EXPECT_FALSE(Wow64WithoutComposition);  // a 64-bit process
  EXPECT_FALSE(SkinChangeInProgress || AnimationInProgress || SkinChangeAnimating || AdapterRepaintLock ||
               MenuPainting);
  EXPECT_EQ(DefaultManager, nullptr);
  EXPECT_EQ(PendingAnimation, 0);
  EXPECT_STREQ(BooleanNames[0], "FALSE");
  EXPECT_STREQ(BooleanNames[1], "TRUE");
}

BOOL WINAPI RecordLayered(HWND, COLORREF Key, BYTE Alpha, DWORD Flags) { return Key == 0x123 && Alpha == 7 && Flags == 2; }

TEST_F(SkinEngineInit, SystemFunctionsAreBoundAndReplaceable) {
  TEngineBindings& B = Bindings();
  EXPECT_TRUE(B.Kernel32 && B.User32 && B.UxTheme);
  const HMODULE User32 = GetModuleHandleA("user32.dll");
  EXPECT_EQ(reinterpret_cast<void*>(B.UpdateLayeredWindow),
            reinterpret_cast<void*>(GetProcAddress(User32, "UpdateLayeredWindow")));
  EXPECT_NE(B.SetLayeredWindowAttributes, nullptr);
  EXPECT_NE(B.SetWindowTheme, nullptr);
  EXPECT_NE(B.GradientFill, nullptr);
  EXPECT_NE(B.IsDebuggerPresent, nullptr);
  EXPECT_NE(B.IsWow64Process, nullptr);
  EXPECT_TRUE(LayeredWindowsAvailable());

  B.UpdateLayeredWindow = nullptr;
  EXPECT_FALSE(LayeredWindowsAvailable());
  B.SetLayeredWindowAttributes = RecordLayered;
  EXPECT_TRUE(B.SetLayeredWindowAttributes(nullptr, 0x123, 7, 2));

  // The shut-down releases the bindings; a second init binds them again.
  DoneSkinEngine();
  EXPECT_EQ(B.SetLayeredWindowAttributes, nullptr);
  EXPECT_FALSE(B.UxTheme);
  EXPECT_EQ(ScrollArrowSize, 16);
  InitSkinEngine();
  EXPECT_TRUE(LayeredWindowsAvailable());
}

}  // namespace
