// Panels, shapes, images, radio groups and glyph buttons: their look read back as pixels, their
// state driven by mouse messages.
#include <gtest/gtest.h>

#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ExtCtrls.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class ExtCtrlsTest : public uitest::ControlsTest {};

// A W x H bitmap of one colour with a Marked pixel block of another in its middle.
std::unique_ptr<TBitmap> TwoColourBitmap(int W, int H, TColor Back, TColor Mark) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(W, H);
  b->Canvas()->Brush()->SetColor(Back);
  b->Canvas()->FillRect(Rect(0, 0, W, H));
  b->Canvas()->Brush()->SetColor(Mark);
  b->Canvas()->FillRect(Rect(W / 4, H / 4, W - W / 4, H - H / 4));
  return b;
}

TEST_F(ExtCtrlsTest, PanelPaintsColourBevelsAndCaption) {
  auto* p = Make<TPanel>(10, 10, 120, 60);
  p->SetColor(clYellow);
  const HWND w = p->Handle();
  EXPECT_EQ(PixelAt(w, 60, 5), Rgb(clYellow));
  // Raised outer bevel: light top-left, shadow bottom-right.
  EXPECT_EQ(PixelAt(w, 0, 30), Rgb(clBtnHighlight));
  EXPECT_EQ(PixelAt(w, 119, 30), Rgb(clBtnShadow));
  p->SetBevelOuter(bvLowered);
  EXPECT_EQ(PixelAt(w, 0, 30), Rgb(clBtnShadow));
  // Children sit inside the bevels.
  p->SetBevelInner(bvRaised);
  auto* child = new TPanel(form);
  child->SetParent(p);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect().left, 2);
  // The caption is drawn in the middle in the font's colour.
  child->SetBevelOuter(bvNone);
  child->SetColor(clWhite);
  child->Font()->SetColor(clBlack);
  child->SetCaption("MMMMMMMM");
  int dark = 0;
  for (int x = 20; x < 96; ++x) dark += PixelAt(child->Handle(), x, 28) == RGB(0, 0, 0);
  EXPECT_GT(dark, 5);
}

TEST_F(ExtCtrlsTest, ShapesFillTheirOutline) {
  struct Case {
    TShapeType type;
    TPoint inside, outside;
  } cases[] = {{stRectangle, {2, 2}, {-1, -1}}, {stEllipse, {40, 20}, {2, 2}}, {stCircle, {40, 20}, {5, 5}}};
  for (const Case& c : cases) {
    auto* s = Make<TShape>(100, 100, 80, 40);
    s->SetShape(c.type);
    s->Brush()->SetColor(clRed);
    s->Pen()->SetColor(clRed);
    EXPECT_EQ(PixelAt(form->Handle(), 100 + c.inside.x, 100 + c.inside.y), RGB(255, 0, 0)) << c.type;
    EXPECT_EQ(PixelAt(form->Handle(), 100 + c.outside.x, 100 + c.outside.y), Rgb(clBtnFace)) << c.type;
    s->Free();
  }
}

TEST_F(ExtCtrlsTest, ImageDrawsItsPictureStretchedOrCentred) {
  auto* img = Make<TImage>(20, 20, 100, 100);
  const auto bmp = TwoColourBitmap(20, 20, clBlue, clRed);
  img->Picture()->SetBitmap(bmp.get());
  EXPECT_EQ(PixelAt(form->Handle(), 20 + 10, 20 + 10), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(form->Handle(), 20 + 30, 20 + 30), Rgb(clBtnFace));
  img->SetStretch(true);
  EXPECT_EQ(PixelAt(form->Handle(), 20 + 50, 20 + 50), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(form->Handle(), 20 + 10, 20 + 10), RGB(0, 0, 255));
  img->SetStretch(false);
  img->SetCenter(true);
  EXPECT_EQ(PixelAt(form->Handle(), 20 + 50, 20 + 50), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(form->Handle(), 20 + 5, 20 + 5), Rgb(clBtnFace));
  img->SetAutoSize(true);
  EXPECT_EQ(img->Width(), 20);
}

TEST_F(ExtCtrlsTest, PaintBoxAndBevelPaintOnTheForm) {
  auto* pb = Make<TPaintBox>(10, 200, 50, 50);
  int paints = 0;
  pb->OnPaint = [&](TObject*) {
    ++paints;
    pb->Canvas()->Brush()->SetColor(clLime);
    pb->Canvas()->FillRect(Rect(0, 0, 50, 50));
  };
  EXPECT_EQ(PixelAt(form->Handle(), 30, 220), RGB(0, 255, 0));
  EXPECT_GT(paints, 0);
  auto* bevel = Make<TBevel>(100, 200, 60, 40);
  bevel->SetShape(bsTopLine);
  EXPECT_EQ(PixelAt(form->Handle(), 130, 200), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(form->Handle(), 130, 201), Rgb(clBtnHighlight));
}

TEST_F(ExtCtrlsTest, RadioGroupKeepsOneItemChecked) {
  auto* g = Make<TRadioGroup>(10, 10, 200, 120);
  g->Items()->SetCommaText("Manual,Automatico,Misto");
  g->SetColumns(2);
  int clicks = 0;
  g->OnClick = [&](TObject*) { ++clicks; };
  g->SetItemIndex(1);
  EXPECT_TRUE(g->Buttons(1)->Checked());
  EXPECT_EQ(clicks, 1);
  ClickAt(g->Buttons(2)->Handle(), 5, 8);
  EXPECT_EQ(g->ItemIndex(), 2);
  EXPECT_FALSE(g->Buttons(1)->Checked());
  EXPECT_EQ(clicks, 2);
  // Two columns: the third button sits to the right of the first.
  EXPECT_GT(g->Buttons(2)->Left(), g->Buttons(0)->Left());
  EXPECT_EQ(g->Buttons(2)->Top(), g->Buttons(0)->Top());
  g->Items()->Delete(2);
  EXPECT_EQ(g->ItemIndex(), -1);
}

TEST_F(ExtCtrlsTest, SpeedButtonsOfAGroupStayDownOneAtATime) {
  auto* a = Make<TSpeedButton>(10, 10, 30, 30);
  auto* b = Make<TSpeedButton>(50, 10, 30, 30);
  auto* plain = Make<TSpeedButton>(90, 10, 30, 30);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  a->OnClick = b->OnClick = plain->OnClick = [&](TObject*) { ++clicks; };
  ClickAt(form->Handle(), 20, 20);
  EXPECT_TRUE(a->Down());
  ClickAt(form->Handle(), 60, 20);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  // Without AllowAllUp a group keeps one down.
  ClickAt(form->Handle(), 60, 20);
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  ClickAt(form->Handle(), 60, 20);
  EXPECT_FALSE(b->Down());
  ClickAt(form->Handle(), 100, 20);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, 5);
  // A button that is down is drawn pressed: its face moves one pixel.
  a->SetDown(true);
  EXPECT_EQ(a->State(), bsExclusive);
}

TEST_F(ExtCtrlsTest, BitBtnKindsAndGlyph) {
  auto* ok = Make<TBitBtn>(10, 10, 90, 30);
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  auto* cancel = Make<TBitBtn>(110, 10, 90, 30);
  cancel->SetKind(bkCancel);
  EXPECT_EQ(cancel->Caption(), "Cancelar");
  EXPECT_TRUE(cancel->Cancel());
  ClickAt(cancel->Handle(), 5, 5);
  EXPECT_EQ(form->ModalResult(), mrCancel);
  // The glyph's bottom-left colour is transparent; the rest is drawn.
  auto* g = Make<TBitBtn>(10, 50, 90, 40);
  const auto glyph = TwoColourBitmap(16, 16, clFuchsia, clRed);
  g->SetGlyph(glyph.get());
  g->SetMargin(4);
  EXPECT_EQ(g->NumGlyphs(), 1);
  // Frame 1 (not focused: none), push frame 2, then the margin: the glyph starts at x = 6.
  const HWND w = g->Handle();
  EXPECT_EQ(PixelAt(w, 6 + 8, 20), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(w, 6 + 1, 20), Rgb(clBtnFace));
}

}  // namespace
