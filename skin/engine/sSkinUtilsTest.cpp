// General routines of the skin library under Wine: rectangles, properties of real controls by name,
// the error box, the delay on the engine's clock, system settings and process facts.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>

#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinUtils.h"
#include "toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

TEST(SkinUtils, EdgeCases) {
  struct Case {
    const char* Name;
    std::function<int()> Run;
    int Expected;
  } cases[] = {
      {"RectWidth of an inverted rectangle", [] { return RectWidth(Rect(10, 0, 5, 0)); }, -5},
      {"RectWidth clamped", [] { return RectWidth(Rect(10, 0, 5, 0), true); }, 0},
      {"RectHeight clamped", [] { return RectHeight(Rect(0, 9, 0, 2), true) + RectHeight(Rect(0, 2, 0, 9)); }, 7},
      {"Inner equal to Outer is inside", [] { return int(RectInsideRect(Rect(1, 2, 30, 40), Rect(1, 2, 30, 40))); }, 1},
      {"Inner one past Outer is not", [] { return int(RectInsideRect(Rect(1, 2, 30, 40), Rect(1, 2, 31, 40))); }, 0},
      {"an empty R2 inside R1 does not intersect",
       [] { return int(RectIntersects(Rect(0, 0, 10, 10), Rect(5, 5, 5, 8))); }, 0},
      {"touching rectangles do not intersect",
       [] { return int(RectIntersects(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10))); }, 0},
      {"overlapping rectangles intersect", [] { return int(RectIntersects(Rect(0, 0, 10, 10), Rect(9, 9, 20, 20))); }, 1},
      {"IsBetween in reverse order", [] { return int(IsBetween(5, 10, 1)) * 10 + int(IsBetween(11, 10, 1)); }, 10},
      {"NthWord past the last word", [] { return int(NthWord(3, ";;a;;b;", CharSetOf(";")).size()); }, 0},
      {"HexToColor FFH", [] { return int(HexToColor("FFH")); }, 255},
      {"GetIntProperty of a missing property", [] { TButton B(nullptr); return GetIntProperty(&B, "Missing"); }, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Run(), c.Expected) << c.Name;
}

// A form that is never shown: its property changes do not make windows again.
class SkinProperties : public testing::Test {
 protected:
  void TearDown() override { form->Free(); }
  TForm* form = new TForm(Application);
};

TEST_F(SkinProperties, ReadAndWrittenByNameOnRealControls) {
  auto* Button = new TButton(form);
  Button->SetBounds(10, 10, 80, 25);
  EXPECT_TRUE(HasProperty(Button, "Width"));
  EXPECT_FALSE(HasProperty(Button, "SkinData"));
  EXPECT_EQ(GetIntProperty(Button, "Left"), 10);
  SetIntProperty(Button, "Width", 77);
  EXPECT_EQ(Button->Width(), 77);
  SetIntProperty(Button, "Missing", 5);
  EXPECT_EQ(GetIntProperty(Button, "Caption"), -1);  // a text is no ordinal
  EXPECT_EQ(GetObjectProperty(Button, "Font"), Button->Font());
  EXPECT_EQ(GetObjectProperty(Button, "Missing"), nullptr);
  EXPECT_EQ(GetObjectProperty(Button, "Width"), nullptr);

  form->SetBorderStyle(bsDialog);
  EXPECT_EQ(GetIntProperty(form, "BorderStyle"), int(bsDialog));

  const TPropInfo* Icons = GetPropInfo(form, "BorderIcons");
  ASSERT_NE(Icons, nullptr);
  EXPECT_EQ(SetToNames(*Icons, biSystemMenu | biMaximize), "biSystemMenu,biMaximize");
  EXPECT_EQ(SetToNames(*Icons, 0), "");
  form->SetBorderIcons(biSystemMenu | biMinimize);
  EXPECT_TRUE(GetEnumPropertyName(form, "BorderIcons", "biMinimize"));
  EXPECT_FALSE(GetEnumPropertyName(form, "BorderIcons", "biMaximize"));
  EXPECT_FALSE(GetEnumPropertyName(form, "BorderIcons", "BIMINIMIZE"));  // exact names
  EXPECT_FALSE(GetEnumPropertyName(form, "Missing", "biMinimize"));
  EXPECT_FALSE(GetEnumPropertyName(form, "BorderStyle", "bsDialog"));  // not a set

  struct Step {
    const char* Element;
    bool Add;
    TBorderIcons After;
  } steps[] = {
      {"biMinimize", false, biSystemMenu},             // ",biMinimize" removed
      {"biHelp", true, biSystemMenu | biHelp},         // put in front
      {"biHelp", true, biSystemMenu | biHelp},         // already there
      {"biHelp", false, biSystemMenu},                 // "biHelp," removed
      {"biSystemMenu", false, 0},                      // the element alone
      {"biMaximize", false, 0},                        // not there: no change
      {"biMaximize", true, biMaximize},                // into an empty set
  };
  for (const Step& s : steps) {
    SetSetPropertyElement(form, "BorderIcons", s.Element, s.Add);
    EXPECT_EQ(form->BorderIcons(), s.After) << s.Element << " " << s.Add;
  }
  EXPECT_THROW(SetSetPropertyElement(form, "BorderIcons", "biNone", true), EPropertyError);
  SetSetPropertyElement(form, "Missing", "biHelp", true);
}

TEST(SkinUtils, ErrorsShowAModalErrorBox) {
  TDialogScript Script;
  Script.Answer(IDOK);
  ShowError("Skin file is damaged");
  ASSERT_EQ(Script.Log().size(), 1u);
  EXPECT_EQ(Script.Log()[0].Text, "Skin file is damaged");
  EXPECT_EQ(Script.Log()[0].Icon, UINT(MB_ICONERROR));
  EXPECT_EQ(Script.Log()[0].Buttons, UINT(MB_OK));
}

// A window that counts the messages posted to it.
LRESULT CALLBACK CountingProc(HWND Window, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_USER + 7) ++*reinterpret_cast<int*>(GetWindowLongPtrA(Window, GWLP_USERDATA));
  return DefWindowProcA(Window, Msg, W, L);
}

DWORD FakeNow = 0;
int FakeReads = 0;
DWORD WINAPI FakeClock() {
  ++FakeReads;
  return FakeNow += 10;
}

TEST(SkinUtils, DelayWithMessagesWaitsOnTheEngineClockAndPumps) {
  WNDCLASSA Class{};
  Class.lpfnWndProc = CountingProc;
  Class.hInstance = GetModuleHandleA(nullptr);
  Class.lpszClassName = "SkinDelayCounter";
  RegisterClassA(&Class);
  HWND Window = CreateWindowExA(0, Class.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                Class.hInstance, nullptr);
  ASSERT_NE(Window, nullptr);
  int Handled = 0;
  SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Handled));

  const auto Saved = Bindings().TickCount;
  Bindings().TickCount = FakeClock;
  struct Case {
    DWORD Milliseconds;
    int Reads;
  } cases[] = {{0, 2}, {50, 6}, {55, 7}};
  for (const Case& c : cases) {
    FakeNow = 0xFFFFFFF0u;  // the clock wraps round during the wait
    FakeReads = 0;
    Handled = 0;
    PostMessageA(Window, WM_USER + 7, 0, 0);
    DelayWithMessages(c.Milliseconds);
    EXPECT_EQ(FakeReads, c.Reads) << c.Milliseconds;
    EXPECT_EQ(Handled, 1) << c.Milliseconds;
  }
  Bindings().TickCount = Saved;
  DestroyWindow(Window);
}

BOOL WINAPI NoDebugger() { return FALSE; }
BOOL WINAPI UnderWow64(HANDLE, PBOOL Result) { return *Result = TRUE; }
BOOL WINAPI Wow64Fails(HANDLE, PBOOL Result) { *Result = TRUE; return FALSE; }

TEST(SkinUtils, ProcessFactsFollowTheBoundFunctions) {
  const TEngineBindings::TIsDebuggerPresent SavedDebugger = Bindings().IsDebuggerPresent;
  const TEngineBindings::TIsWow64Process SavedWow64 = Bindings().IsWow64Process;
  Bindings().IsDebuggerPresent = nullptr;
  EXPECT_TRUE(DebuggerPresent());
  Bindings().IsDebuggerPresent = NoDebugger;
  EXPECT_FALSE(DebuggerPresent());
  Bindings().IsWow64Process = nullptr;
  EXPECT_FALSE(IsWow64());
  Bindings().IsWow64Process = UnderWow64;
  EXPECT_TRUE(IsWow64());
  Bindings().IsWow64Process = Wow64Fails;
  EXPECT_FALSE(IsWow64());
  Bindings().IsDebuggerPresent = SavedDebugger;
  Bindings().IsWow64Process = SavedWow64;
  EXPECT_TRUE(IsWinXPOrLater());
}

TEST(SkinUtils, SystemSettingsAndFiles) {
  NONCLIENTMETRICSA Metrics{};
  Metrics.cbSize = sizeof(Metrics);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0));
  EXPECT_EQ(CaptionFontHeight(), Metrics.lfCaptionFont.lfHeight);
  EXPECT_NE(CaptionFontHeight(), 0);
  const HFONT Font = CreateCaptionFont();
  ASSERT_NE(Font, nullptr);
  LOGFONTA Made{};
  GetObjectA(Font, sizeof(Made), &Made);
  EXPECT_STREQ(Made.lfFaceName, Metrics.lfCaptionFont.lfFaceName);
  DeleteObject(Font);

  // The prefix does not keep the animation setting; the calls answer as the system does.
  ANIMATIONINFO Animation{sizeof(ANIMATIONINFO), 0};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETANIMATION, sizeof(Animation), &Animation, 0));
  EXPECT_EQ(GetMinimizeAnimation(), Animation.iMinAnimate != 0);
  EXPECT_TRUE(SetMinimizeAnimation(Animation.iMinAnimate != 0));

  const std::string Program = ParamStr(0), Folder = AppPath();
  ASSERT_FALSE(Folder.empty());
  EXPECT_EQ(Folder.back(), '\\');
  EXPECT_EQ(Program.compare(0, Folder.size(), Folder), 0);
  EXPECT_EQ(Program.find('\\', Folder.size()), std::string::npos);

  EXPECT_EQ(GetFileIcon(Folder + "no such file.xyz", SHGFI_SMALLICON), nullptr);
  const auto Icon = GetFileIcon(Program, SHGFI_SMALLICON);
  ASSERT_NE(Icon, nullptr);
  EXPECT_FALSE(Icon->Empty());

  TBitmap Bmp;
  const TsCacheInfo Info = NewCacheInfo(&Bmp, 3, 4);
  EXPECT_TRUE(Info.Bmp == &Bmp && Info.X == 3 && Info.Y == 4 && Info.FillColor == clFuchsia && Info.Ready);
  EXPECT_TRUE(EmptyCacheInfo.Bmp == nullptr && !EmptyCacheInfo.Ready);
}

}  // namespace
