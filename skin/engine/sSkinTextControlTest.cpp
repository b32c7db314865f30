// Captions of skinned controls written by WriteTextForControl on real windows: the embossed look
// without a skin, the disabled mix, the underlined hot web button, and the colours a transparent
// check box takes from the panel under it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCommonData.h"
#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinPixels.h"
#include "skin/engine/sSkinText.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using skintest::MakeSkinned;
using skintest::TSkinned;

constexpr TColor Paper = 0x405060, PanelFont = 0x0000C0, BoxFont = 0x00A000;
const TRect Box = Rect(6, 4, 80, 30);
const char* const Word = "Caixa";

const char* const Skin =
    "[GLOBALINFO]\nCOLOR=12632256\n"
    "[FORM]\nCOLOR=16777215\n"
    "[PANEL]\nCOLOR=16777215\nGIVEOWNFONT=1\nFONTCOLOR=192\n"
    "[PLAINPANEL]\nCOLOR=16777215\nFONTCOLOR=8421376\n"
    "[CLEAR]\nTRANSPARENCY=100\nGIVEOWNFONT=1\nFONTCOLOR=8388736\n"
    "[CHECKBOX]\nTRANSPARENCY=100\nFONTCOLOR=40960\n"
    "[BUTTON]\nFONTCOLOR=8388608\nHOTFONTCOLOR=8388608\n"
    "[WEBBUTTON]\nFONTCOLOR=8388608\nHOTFONTCOLOR=8388608\n"
    "[NOSTATES]\nSTATES=0\nGIVEOWNFONT=1\n"
    "[GLOWING]\nFONTCOLOR=8388608\nGSIZE=2\nGCOL=65280\n";

std::unique_ptr<TBitmap> Sheet() {
  auto B = NewBitmap32(90, 36);
  FillRect32(B.get(), Rect(0, 0, 90, 36), Paper);
  B->Canvas()->Font()->SetName("MS Sans Serif");  // a bitmap font: no smoothed edges
  B->Canvas()->Font()->SetSize(10);
  return B;
}

TColor At(TBitmap& B, int X, int Y) {
  const uint32_t P = *BitmapView(B).PixelPtr(X, Y);
  return TColor(((P >> 16) & 0xFF) | (P & 0xFF00) | ((P & 0xFF) << 16));
}

// Where the caption is ink when written once at Box in the sheet's font.
std::vector<std::vector<bool>> InkOf(TFontStyles Style = 0) {
  auto B = Sheet();
  B->Canvas()->Font()->SetStyle(Style);
  DrawTextInColor(B->Canvas(), Word, Box, DT_SINGLELINE, clBlack);
  std::vector<std::vector<bool>> Ink(36, std::vector<bool>(90, false));
  for (int Y = 0; Y < 36; ++Y)
    for (int X = 0; X < 90; ++X) Ink[Y][X] = At(*B, X, Y) == clBlack;
  return Ink;
}

// The sheet compared with what each pixel should be.
void ExpectPicture(TBitmap& B, const std::function<TColor(int, int)>& Want) {
  int Wrong = 0;
  for (int Y = 0; Y < 36; ++Y)
    for (int X = 0; X < 90; ++X)
      if (At(B, X, Y) != Want(X, Y) && ++Wrong < 5)
        ADD_FAILURE() << X << "," << Y << " " << std::hex << At(B, X, Y) << " wanted " << Want(X, Y);
  EXPECT_EQ(Wrong, 0);
}

class ControlText : public testing::Test {
 protected:
  void SetUp() override {
    skintest::LoadActiveSkin(Manager, Skin);
    DefaultManager = &Manager;
    Form = MakeSkinned<TForm>(Application, nullptr, "FORM", {0, 0, 300, 200});
    Form->HandleNeeded();
  }
  void TearDown() override {
    Form->Free();
    DefaultManager = nullptr;
  }
  TsSkinManager Manager{nullptr};
  TSkinned<TForm>* Form;
};

TEST_F(ControlText, WithoutSkinDisabledTextIsEmbossed) {
  const auto Ink = InkOf();
  TsCommonData None(nullptr, false);
  DefaultManager = nullptr;
  auto B = Sheet();
  EXPECT_EQ(WriteTextForControl(B->Canvas(), Word, false, 0, &None, DT_SINGLELINE, Box), 0);
  const TColor Light = ColorToRGB(clBtnHighlight), Dark = ColorToRGB(clBtnShadow);
  ExpectPicture(*B, [&](int X, int Y) { return Ink[Y][X] ? Dark : X > 0 && Y > 0 && Ink[Y - 1][X - 1] ? Light : Paper; });
  // Enabled: once in the canvas font's colour.
  auto E = Sheet();
  E->Canvas()->Font()->SetColor(clNavy);
  WriteTextForControl(E->Canvas(), Word, true, 0, &None, DT_SINGLELINE, Box);
  ExpectPicture(*E, [&](int X, int Y) { return Ink[Y][X] ? clNavy : Paper; });
  EXPECT_EQ(E->Canvas()->Brush()->Style(), bsClear);
}

TEST_F(ControlText, DisabledSkinnedCaptionMixesFortyPercentOfItsFontColour) {
  const auto Ink = InkOf();
  auto* Button = MakeSkinned<TPanel>(Form, Form, "BUTTON", {0, 0, 90, 36}, 93);
  auto B = Sheet();
  WriteTextForControl(B->Canvas(), Word, false, 0, Button->SkinData.get(), DT_SINGLELINE, Box);
  const TColor Mix = BlendColors(0x800000, 0xC0C0C0, 0.4);
  EXPECT_EQ(Mix, TColor(0xA67373));  // 0.4 * 00 00 80 + 0.6 * C0 C0 C0, by bytes
  ExpectPicture(*B, [&](int X, int Y) { return Ink[Y][X] ? Mix : Paper; });
}

TEST_F(ControlText, OnlyAHotWebButtonIsUnderlined) {
  ASSERT_EQ(Manager.CommonIndexes().WebButton, Manager.GetSkinIndex("WEBBUTTON"));
  const auto Plain = InkOf(), Underlined = InkOf(fsUnderline);
  ASSERT_NE(Plain, Underlined);
  auto* Web = MakeSkinned<TPanel>(Form, Form, "WEBBUTTON", {0, 0, 90, 36});
  auto* Button = MakeSkinned<TPanel>(Form, Form, "BUTTON", {0, 0, 90, 36});
  struct Case {
    TsCommonData* Data;
    int State;
    bool Underline;
  } Cases[] = {{Web->SkinData.get(), 0, false}, {Web->SkinData.get(), 1, true}, {Button->SkinData.get(), 1, false}};
  for (const Case& C : Cases) {
    auto B = Sheet();
    WriteTextForControl(B->Canvas(), Word, true, C.State, C.Data, DT_SINGLELINE, Box);
    EXPECT_EQ(bool(B->Canvas()->Font()->Style() & fsUnderline), C.Underline);
    const auto& Ink = C.Underline ? Underlined : Plain;
    ExpectPicture(*B, [&](int X, int Y) { return Ink[Y][X] ? TColor(0x800000) : Paper; });
  }
}

TEST_F(ControlText, TransparentCheckBoxTakesThePanelsTextColoursTurnedByItsHue) {
  const auto Ink = InkOf();
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "PANEL", {0, 0, 200, 150});
  auto* Clear = MakeSkinned<TPanel>(Form, Panel, "CLEAR", {0, 0, 150, 100});
  auto* Plain = MakeSkinned<TPanel>(Form, Form, "PLAINPANEL", {200, 0, 100, 100});
  auto* Box1 = MakeSkinned<TPanel>(Form, Panel, "CHECKBOX", {5, 5, 90, 36}, 32);
  auto* Box2 = MakeSkinned<TPanel>(Form, Clear, "CHECKBOX", {5, 5, 90, 36}, 32);
  auto* Box3 = MakeSkinned<TPanel>(Form, Plain, "CHECKBOX", {5, 5, 90, 36}, 32);
  auto* Box4 = MakeSkinned<TPanel>(Form, Panel, "CHECKBOX", {5, 50, 90, 36}, 32);
  Box4->SetParentFont(false);
  EXPECT_EQ(ResolveTextSkinIndex(Box1, -7, &Manager, 0), Manager.GetSkinIndex("PANEL"));
  // Through a more than half transparent panel to the one under it; a panel without its own font
  // colours leaves the default.
  EXPECT_EQ(ResolveTextSkinIndex(Box2, -7, &Manager, 0), Manager.GetSkinIndex("PANEL"));
  // Hot reads the hot record, which is opaque in "CLEAR".
  EXPECT_EQ(ResolveTextSkinIndex(Box2, -7, &Manager, 1), Manager.GetSkinIndex("CLEAR"));
  EXPECT_EQ(ResolveTextSkinIndex(Box3, -7, &Manager, 0), -7);
  EXPECT_EQ(ResolveTextSkinIndex(Form, -7, &Manager, 0), -7);
  // A section without states reads its normal record.
  auto* Stateless = MakeSkinned<TPanel>(Form, Form, "NOSTATES", {0, 150, 100, 40});
  auto* Box5 = MakeSkinned<TPanel>(Form, Stateless, "CHECKBOX", {5, 5, 90, 30}, 32);
  EXPECT_EQ(ResolveTextSkinIndex(Box5, -7, &Manager, 1), Manager.GetSkinIndex("NOSTATES"));
  struct Case {
    TSkinned<TPanel>* Control;
    TColor Font;
  } Cases[] = {{Box1, PanelFont}, {Box2, PanelFont}, {Box3, BoxFont}, {Box4, BoxFont}};
  for (const Case& C : Cases) {
    auto B = Sheet();
    WriteTextForControl(B->Canvas(), Word, true, 0, C.Control->SkinData.get(), DT_SINGLELINE, Box);
    ExpectPicture(*B, [&](int X, int Y) { return Ink[Y][X] ? C.Font : Paper; });
  }
  Box1->SkinData->SetHUEOffset(120);
  const TColor Turned = ChangeColorHue(120, PanelFont);
  EXPECT_NE(Turned, PanelFont);
  auto B = Sheet();
  WriteTextForControl(B->Canvas(), Word, true, 0, Box1->SkinData.get(), DT_SINGLELINE, Box);
  ExpectPicture(*B, [&](int X, int Y) { return Ink[Y][X] ? Turned : Paper; });
}

TEST_F(ControlText, GlowGoesIntoTheCacheBeforeTheText) {
  const auto Ink = InkOf();
  auto* Glowing = MakeSkinned<TPanel>(Form, Form, "GLOWING", {0, 0, 90, 36});
  TBitmap* Cache = Glowing->SkinData->CacheBmp.get();
  ASSERT_TRUE(Cache);
  Cache->SetSize(90, 36);
  FillRect32(Cache, Rect(0, 0, 90, 36), Paper);
  Cache->Canvas()->Font()->SetName("MS Sans Serif");
  Cache->Canvas()->Font()->SetSize(10);
  WriteTextForControl(Cache->Canvas(), Word, true, 0, Glowing->SkinData.get(), DT_SINGLELINE, Box);
  int Halo = 0;
  for (int Y = 0; Y < 36; ++Y)
    for (int X = 0; X < 90; ++X) {
      const TColor P = At(*Cache, X, Y);
      if (Ink[Y][X]) {
        EXPECT_EQ(P, TColor(0x800000)) << X << "," << Y;
      } else if (P != Paper) {
        ++Halo;
        EXPECT_GT((P >> 8) & 0xFF, (Paper >> 8) & 0xFF);  // toward the green glow
      }
    }
  EXPECT_GT(Halo, 30);
}

}  // namespace
