// A control's section painted from its skin data, and the section whose text colours a transparent
// control shows, on real windows.
#include <windows.h>

#include "skin/engine/sSectionPaint.h"

#include <gtest/gtest.h>

#include "skin/engine/sCommonData.h"
#include "skin/engine/sControlPaintTestSupport.h"
#include "skin/engine/sSkinPixels.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

using skintest::BorderPx;
using skintest::ControlPaint;
using skintest::CornerPx;
using skintest::MakeSkinned;

TEST_F(ControlPaint, SkinnedItemPutsTheBorderOverTheCornersAndTurnsItsHue) {
  auto* Item = MakeSkinned<TPanel>(Form, Form, "ITEM", {0, 0, 12, 12});
  const TColor32 Section = SwapRB32(uint32_t(skintest::ItemColour)) | 0xFF000000;
  for (int Hue : {0, 120}) {
    Item->SkinData->SetHUEOffset(Hue);
    auto Skinned = NewBitmap32(12, 12), WithParent = NewBitmap32(12, 12);
    TsCacheInfo White;
    White.FillColor = TColor(0xFFFFFF);
    PaintSkinnedItem({Item->SkinData.get(), White, 0, Skinned.get(), {0, 0}, Rect(0, 0, 12, 12)});
    PaintItemWithParentBg({Item->SkinData.get(), Form, 0, Rect(0, 0, 12, 12), {0, 0}, WithParent.get(), true});
    auto Turned = [Hue](TColor32 P) { return Hue ? ChangePixelHue(Hue, P) : P; };
    // (1, 1): both the corner piece and the border's corner paint it.
    EXPECT_EQ(Px(*Skinned, 1, 1), Turned(BorderPx)) << Hue;
    EXPECT_EQ(Px(*WithParent, 1, 1), CornerPx) << Hue;
    EXPECT_EQ(Px(*Skinned, 1, 5), Turned(BorderPx)) << Hue;
    EXPECT_EQ(Px(*WithParent, 1, 5), BorderPx) << Hue;
    EXPECT_EQ(Px(*Skinned, 6, 6), Turned(Section)) << Hue;
    EXPECT_EQ(Px(*WithParent, 6, 6), Section) << Hue;
  }
  EXPECT_NE(ChangePixelHue(120, BorderPx), BorderPx);
}

TEST_F(ControlPaint, ControlBackgroundInTheOwnersColourWithCustomColor) {
  auto* Item = MakeSkinned<TPanel>(Form, Form, "PLAIN", {0, 0, 6, 6});
  Item->SetColor(TColor(0x00FF00));
  auto B = NewBitmap32(6, 6);
  PaintControlBackground({Item->SkinData.get(), {}, 0, B.get(), {0, 0}, Rect(0, 0, 6, 6)});
  EXPECT_EQ(Px(*B, 3, 3) & 0xFFFFFF, SwapRB32(uint32_t(skintest::FrameColour)));
  Item->SkinData->SetCustomColor(true);
  PaintControlBackground({Item->SkinData.get(), {}, 0, B.get(), {0, 0}, Rect(0, 0, 6, 6)});
  EXPECT_EQ(Px(*B, 3, 3) & 0xFFFFFF, 0x00FF00u);
}

// A parent without skin data that answers SkinCmdGetSkinIndex with a chosen index.
class TAnswering : public TPanel {
 public:
  using TPanel::TPanel;
  int Index = -1;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_SKINCMD && SkinCmdCode(M) == SkinCmdGetSkinIndex) {
      *reinterpret_cast<int*>(M.LParam) = Index;
      return;
    }
    TPanel::WndProc(M);
  }
};

TEST_F(ControlPaint, TextColoursOfATransparentCheckBox) {
  const int FormIndex = Manager.GetSkinIndex("FORM");
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "T60", {0, 0, 200, 100});
  auto* Box = MakeSkinned<TPanel>(Form, Panel, "CHECKBOX", {5, 5, 95, 25}, 32);
  EXPECT_EQ(ResolveTextSkinIndex(Box, -7, &Manager, 0), FormIndex);
  auto* Answering = new TAnswering(Form);
  Answering->SetBounds(0, 100, 200, 100);
  Answering->SetParent(Form);
  Answering->HandleNeeded();
  auto* Box2 = MakeSkinned<TPanel>(Form, Answering, "CHECKBOX", {5, 5, 95, 25}, 32);
  struct Case {
    int Answer, Want;
  } const Cases[] = {
      {Manager.GetSkinIndex("OWNFONT"), Manager.GetSkinIndex("OWNFONT")},
      {Manager.GetSkinIndex("T60"), FormIndex},  // more than half transparent: the form's
      {Manager.GetSkinIndex("PLAIN"), -7},       // no own font colours
      {9999, -7},
      {-1, -7},
  };
  for (const Case& C : Cases) {
    Answering->Index = C.Answer;
    EXPECT_EQ(ResolveTextSkinIndex(Box2, -7, &Manager, 0), C.Want) << C.Answer;
  }
}

}  // namespace
