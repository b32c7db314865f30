// TBitBtn kinds: captions, modal results, default and cancel roles, and the stock glyphs by pixels.
#include <gtest/gtest.h>

#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ControlsTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class ButtonsTest : public uitest::ControlsTest {
 protected:
  // Pixels of the button's face equal to Colour.
  static int CountColour(TWinControl* Button, COLORREF Colour) {
    PixelAt(Button->Handle(), 0, 0);
    HDC dc = GetDC(Button->Handle());
    int n = 0;
    for (int y = 0; y < Button->Height(); ++y) {
      for (int x = 0; x < Button->Width(); ++x) n += GetPixel(dc, x, y) == Colour;
    }
    ReleaseDC(Button->Handle(), dc);
    return n;
  }
};

TEST_F(ButtonsTest, KindsGiveCaptionResultRoleAndGlyph) {
  struct Case {
    TBitBtnKind kind;
    const char* caption;
    int modalResult;
    bool isDefault, isCancel;
    TColor glyphColour;
  };
  const Case cases[] = {
      {bkOK, "OK", mrOk, true, false, clGreen},          {bkCancel, "Cancelar", mrCancel, false, true, clRed},
      {bkHelp, "&Ajuda", mrNone, false, false, clNavy},   {bkYes, "&Sim", mrYes, true, false, clGreen},
      {bkNo, "&Não", mrNo, false, true, clRed},            {bkClose, "&Fechar", mrNone, false, false, clMaroon},
      {bkAbort, "Abortar", mrAbort, false, false, clRed}, {bkRetry, "&Repetir", mrRetry, false, false, clGreen},
      {bkIgnore, "&Ignorar", mrIgnore, false, false, clNavy}, {bkAll, "&Todos", mrAll, false, false, clGreen},
  };
  for (const Case& c : cases) {
    auto* b = Make<TBitBtn>(10, 10, 100, 30);
    b->SetKind(c.kind);
    EXPECT_EQ(b->Kind(), c.kind);
    EXPECT_EQ(b->Caption(), c.caption) << c.caption;
    EXPECT_EQ(b->ModalResult(), c.modalResult) << c.caption;
    EXPECT_EQ(b->Default(), c.isDefault) << c.caption;
    EXPECT_EQ(b->Cancel(), c.isCancel) << c.caption;
    // The default role does not turn it into a plain push button.
    EXPECT_EQ(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << c.caption;
    // Two pictures of 18 x 18: the normal one and the disabled one.
    EXPECT_EQ(b->NumGlyphs(), 2) << c.caption;
    EXPECT_EQ(b->Glyph()->Width(), 36) << c.caption;
    EXPECT_EQ(b->Glyph()->Height(), 18) << c.caption;
    EXPECT_GT(CountColour(b, Rgb(c.glyphColour)), 4) << c.caption;
    EXPECT_EQ(CountColour(b, Rgb(clOlive)), 0) << c.caption;
    b->SetEnabled(false);
    EXPECT_EQ(CountColour(b, Rgb(c.glyphColour)), 0) << c.caption;
    EXPECT_GT(CountColour(b, Rgb(clGray)), 4) << c.caption;
    b->Free();
  }
}

TEST_F(ButtonsTest, KindKeepsACaptionReadBeforeIt) {
  auto* holder = new TComponent(form);
  TBitBtn* b = nullptr;
  BuildComponents(holder, [&] {
    b = new TBitBtn(holder);
    b->SetCaption("Gravar");
    b->SetKind(bkOK);
  });
  EXPECT_EQ(b->Caption(), "Gravar");
  EXPECT_EQ(b->ModalResult(), mrOk);
  // Outside loading the kind's caption is taken.
  b->SetKind(bkCancel);
  EXPECT_EQ(b->Caption(), "Cancelar");
  EXPECT_FALSE(b->Default());
  EXPECT_TRUE(b->Cancel());
}

TEST_F(ButtonsTest, CloseKindClosesItsForm) {
  auto* other = new TForm(Application);
  other->SetBounds(50, 50, 200, 120);
  auto* b = new TBitBtn(other);
  b->SetParent(other);
  b->SetBounds(10, 10, 90, 30);
  b->SetKind(bkClose);
  other->Show();
  Pump();
  ClickAt(b->Handle(), 5, 5);
  EXPECT_FALSE(other->Visible());
  other->Free();
}

}  // namespace
