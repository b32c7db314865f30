// The colour panel on a real window: its swatches, selection by a real click and the rings it draws.
#include <gtest/gtest.h>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/controls/sPanel.h"

namespace {

class ColorsPanel : public skintest::SkinnedFormTest {
 protected:
  TsColorsPanel* Make() { return Put<TsColorsPanel>(Form, 20, 20, 140, 60); }
};

TEST_F(ColorsPanel, EmptyColoursGiveTenWhiteSwatches) {
  TsColorsPanel* P = Make();
  ASSERT_EQ(P->Colors()->Count(), 10);
  EXPECT_EQ(P->Colors()->Strings(9), "FFFFFF");
  EXPECT_EQ(P->SkinData()->ControlKind, 51);
  PaintAll();
  for (const TColorSwatch& S : P->Items())
    EXPECT_EQ(skintest::ScreenPixel(P->Handle(), S.R.Left + 10, S.R.Top + 10), RGB(255, 255, 255)) << S.Index;
}

TEST_F(ColorsPanel, AClickInTheGapSelectsTheSwatchAndTheRingsShow) {
  TsColorsPanel* P = Make();
  TStringList Colors;
  for (const char* C : {"FF0000", "00FF00", "0000FF claro", "000000", "808080"}) Colors.Add(C);
  P->SetColors(&Colors);
  int Changes = 0;
  P->OnChange = [&](TObject*) { ++Changes; };
  PaintAll();
  const TColorSwatch& First = P->Items()[0];
  // Three pixels right of the first swatch: the gap between the first two, nearer the first.
  skintest::ClickAtScreen(P->ClientToScreen(Point(First.R.Right + 3, First.R.Top + 5)));
  EXPECT_TRUE(skintest::WaitFor([&] { return P->ItemIndex() == 0; }));
  EXPECT_EQ(Changes, 1);
  P->SetItemIndex(0);
  EXPECT_EQ(Changes, 1);
  PaintAll();
  const HWND W = P->Handle();
  EXPECT_EQ(skintest::ScreenPixel(W, First.R.Left - 1, First.R.Top + 5), RGB(255, 255, 255));
  EXPECT_EQ(skintest::ScreenPixel(W, First.R.Left - 2, First.R.Top + 5), RGB(0, 0, 0));
  EXPECT_EQ(skintest::ScreenPixel(W, First.R.Left + 5, First.R.Top + 5), RGB(255, 0, 0));
  EXPECT_EQ(skintest::ScreenPixel(W, P->Items()[2].R.Left + 5, P->Items()[2].R.Top + 5), RGB(0, 0, 255));
}

TEST_F(ColorsPanel, IndexesOutsideTheGridAndExtraLinesAreSafe) {
  TsColorsPanel* P = Make();
  P->SetItemIndex(3);
  P->SetItemIndex(20);
  EXPECT_EQ(P->ItemIndex(), -1);
  for (const TColorSwatch& S : P->Items()) EXPECT_FALSE(S.Selected);
  TStringList Twelve;
  for (int I = 0; I < 12; ++I) Twelve.Add("000000");
  P->SetColors(&Twelve);
  ASSERT_EQ(P->Items().size(), 10u);
  EXPECT_EQ(P->GetItemByCoord(500, 500), -1);
  EXPECT_EQ(P->GetItemByCoord(P->Items()[9].R.Left, P->Items()[9].R.Top), 9);
  P->SetRowCount(1);
  EXPECT_EQ(P->Items().size(), 5u);
  EXPECT_EQ(P->GetItemByCoord(10, 40), -1);
  PaintAll();
}

}  // namespace
