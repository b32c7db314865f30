#pragma once
// Support of the skinned controls' window tests: the fixture skins (the program's own and three written
// for the tests), a shown form under a loaded skin, pictures of the screen (SCREEN), their comparison
// with stored pictures (SHOT), real input (INPUT) and a count of the test thread's windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gen/skin/DefaultSkin.h"
#include "gen/skin/SkinOptionsWriter.h"
#include "gen/skin/SkinPackWriter.h"
#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "toolkit/graphics/GdiTestSupport.h"
#include "toolkit/ui/UiTestSupport.h"

namespace skintest {

// ---- Fixture skins

// The sections of an options text in their order (lines "[NAME]" and "KEY=VALUE").
std::vector<TSkinSection> ReadSkinSections(const std::string& Options);
// The packed skin of sections over the master bitmap of the program's own skin.
Bytes PackOverDefaultMaster(const std::vector<TSkinSection>& Sections);

// A: the program's own skin "WEB (internal)". The test skins add two sections for backgrounds that
// are not plain: "CLEARPANEL" (transparency 100) and "GRADIENTPANEL" (a vertical gradient).
Bytes FixtureSkinA();
// B: sparse, without the combo button, the lone close glyph and the small title icons.
Bytes FixtureSkinB();
// C: extended borders, drawn by BorderMode 0 or 1.
Bytes FixtureSkinC(int BorderMode);
// D: degenerate pieces: no images, 1 x 1 and 0 x 0 pieces, mask type -1.
Bytes FixtureSkinD();
// Stores Packed in the manager under Name and loads it.
void LoadFixtureSkin(TsSkinManager& Manager, const std::string& Name, const Bytes& Packed);

// A shown form under skin A loaded by a default manager; the form does not answer the skin commands
// (the forms stay standard until they get providers). The form is shared by the tests of a suite
// (freeing a shown window costs Wine a long wait); each test's components go at its end.
class SkinnedFormTest : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;
  template <class T>
  T* Put(TWinControl* Parent, int X, int Y, int W, int H) {
    T* C = new T(Form);
    C->SetBounds(X, Y, W, H);
    C->SetParent(Parent);
    return C;
  }
  // Every window painted now.
  void PaintAll();

  std::unique_ptr<TsSkinManager> Manager;
  TForm* Form = nullptr;

 private:
  static TForm* SharedForm;
};

// ---- SCREEN: what the screen shows of a window (its whole window rectangle), read through GetDC(0).
std::unique_ptr<TBitmap> ScreenOf(HWND Wnd);
// The colour the screen shows at a client point of Wnd.
COLORREF ScreenPixel(HWND Wnd, int X, int Y);
// The colour of a 24- or 32-bit bitmap at (X, Y) as RGB.
COLORREF BitmapPixel(TBitmap& Bmp, int X, int Y);

// ---- SHOT: a SCREEN picture compared with skin/controls/testdata/Name.bmp: the share of pixels outside
// the text areas whose colour differs by more than Tolerance in a channel. With MZ_REGENERATE_SKIN_CONTROLS=1
// the picture is stored instead and the answer is 0.
struct TShotResult {
  double Different = 1.0;
  bool Stored = false;
};
TShotResult CompareShot(TBitmap& Shot, const std::string& Name, const std::vector<TRect>& TextAreas,
                        int Tolerance = 40);

// ---- INPUT: the cursor moved to a screen point and a real left click there.
void ClickAtScreen(const TPoint& P);
void MoveCursorTo(const TPoint& P);

// ---- The windows of the test thread (top-level ones and all their children).
int ThreadWindowCount();

// Handles messages until Done answers true or Ms milliseconds have passed; Done's last answer.
bool WaitFor(const std::function<bool()>& Done, DWORD Ms = 5000);

}  // namespace skintest
