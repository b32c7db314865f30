// Controls painted into bitmaps, and window-less children painted over their parent.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinGraphics.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

const TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Yellow = 0x00FFFF;

// The colour (TColor order) of a pixel.
TColor At(TBitmap* Bmp, int X, int Y) {
  const uint32_t P = uint32_t(*BitmapView(Bmp).PixelPtr(X, Y));
  return TColor(((P & 0xFF) << 16) | (P & 0xFF00) | ((P >> 16) & 0xFF));
}

class Painting : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 200, 150);
    Form->HandleNeeded();
    Root = Panel(Form, {0, 0, 100, 60}, Red);
  }
  void TearDown() override { Form->Free(); }
  TPanel* Panel(TWinControl* Parent, TRect R, TColor Color) {
    auto* P = new TPanel(Form);
    P->SetParent(Parent);
    P->SetBevelOuter(bvNone);
    P->SetCaption("");
    P->SetColor(Color);
    P->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    P->HandleNeeded();
    return P;
  }
  TForm* Form;
  TPanel* Root;
};

TEST_F(Painting, AControlWithItsChildrenMakesAMosaic) {
  Panel(Root, {10, 10, 30, 30}, Green);
  Panel(Root, {50, 10, 70, 30}, Blue);
  auto Bmp = NewBitmap32(110, 70);
  PaintControlToBitmap(Bmp.get(), Root, 3, 2, nullptr);
  EXPECT_EQ(At(Bmp.get(), 3 + 5, 2 + 5), Red);
  EXPECT_EQ(At(Bmp.get(), 3 + 15, 2 + 15), Green);
  EXPECT_EQ(At(Bmp.get(), 3 + 55, 2 + 15), Blue);
  EXPECT_EQ(At(Bmp.get(), 3 + 99, 2 + 59), Red);
  EXPECT_EQ(At(Bmp.get(), 1, 1), 0);  // outside the control: untouched
}

TEST_F(Painting, AHiddenChildGetsItsParentsBackground) {
  TPanel* Hidden = Panel(Root, {10, 10, 30, 30}, Green);
  Hidden->SetVisible(false);
  auto Bmp = NewBitmap32(30, 30);
  PaintControlToBitmap(Bmp.get(), Hidden, 4, 4, nullptr);
  EXPECT_EQ(At(Bmp.get(), 4, 4), Red);
  EXPECT_EQ(At(Bmp.get(), 23, 23), Red);
  EXPECT_EQ(At(Bmp.get(), 24, 24), 0);
}

TEST_F(Painting, GraphicChildrenOverTheirParent) {
  auto* Box = new TPaintBox(Form);
  Box->SetParent(Root);
  Box->SetBounds(5, 5, 10, 10);
  Box->OnPaint = [Box](TObject*) {
    Box->Canvas()->Brush()->SetColor(Yellow);
    Box->Canvas()->FillRect(Rect(0, 0, 10, 10));
  };
  auto Bmp = NewBitmap32(60, 40);
  PaintGraphicChildren(Bmp->Canvas()->Handle(), Root, true, Point(20, 0));
  EXPECT_EQ(At(Bmp.get(), 25, 5), Yellow);
  EXPECT_EQ(At(Bmp.get(), 34, 14), Yellow);
  EXPECT_EQ(At(Bmp.get(), 35, 15), 0);
  EXPECT_EQ(At(Bmp.get(), 5, 5), 0);

  // A DC that shows nothing: nothing painted, the control flagged as clipped.
  uitest::TRecorder R(Root, {SM_SKINCMD});
  std::vector<int> Codes;
  R.OnMessage = [&](TMessage& M) { Codes.push_back(SkinCmdCode(M)); };
  auto Clipped = NewBitmap32(60, 40);
  const HDC DC = Clipped->Canvas()->Handle();
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, 0, 0);
  PaintGraphicChildren(DC, Root, true, Point(20, 0));
  RestoreDC(DC, Saved);
  EXPECT_EQ(Codes, std::vector<int>{SkinCmdSetClipped});
  EXPECT_EQ(At(Clipped.get(), 25, 5), 0);
}

}  // namespace
