// The skinned bitmap button on real windows under the program's own skin: it looks and presses as the
// push button does, its glyph (a key-colour or alpha strip) is placed and drawn by look, and its own
// properties keep their rules.
#include "skin/controls/sBitBtn.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/controls/sButtonTestSupport.h"
#include "skin/controls/sButton.h"
#include "skin/engine/acAlphaImageList.h"
#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSkinGraphics.h"

namespace {

using skintest::SkinnedFormTest;
using skintest::WaitFor;

constexpr TColor GlyphColor = TColor(0x2080E0);  // BGR order: red E0, green 80, blue 20
const COLORREF GlyphRgb = RGB(0xE0, 0x80, 0x20);

bool Near(COLORREF A, COLORREF B, int Tolerance = 2) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}
bool Gray(COLORREF C) { return Near(C, RGB(GetRValue(C), GetRValue(C), GetRValue(C)), 3); }

int SleptMs = 0;
void WINAPI RecordSleep(DWORD Ms) { SleptMs += int(Ms); }

// Loaded() for the tests: the toolkit calls it when a form file has been read.
class TLoadedBitBtn : public TsBitBtn {
 public:
  using TsBitBtn::TsBitBtn;
  using TsBitBtn::Loaded;
};

class SkinnedBitBtn : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    SleptMs = 0;
    Bindings().Sleep = RecordSleep;
  }
  void TearDown() override {
    Bindings().Sleep = ::Sleep;
    skintest::MoveCursorTo(Point(1000, 700));
    SkinnedFormTest::TearDown();
  }
  // A W x H glyph of Cells cells: 24-bit on the key colour fuchsia with a square of GlyphColor inside
  // each cell, or 32-bit opaque GlyphColor throughout.
  static std::unique_ptr<TBitmap> Glyph(int W, int H, bool Alpha) {
    std::unique_ptr<TBitmap> Bmp = NewBitmap32(W, H);
    if (Alpha) {
      const TPixelView V = BitmapView(Bmp.get());
      for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) *V.PixelPtr(X, Y) = 0xFF000000u | 0xE08020u;
      return Bmp;
    }
    Bmp->SetPixelFormat(pf24bit);
    TCanvas& C = *Bmp->Canvas();
    C.Brush()->SetColor(clFuchsia);
    C.FillRect(Rect(0, 0, W, H));
    C.Brush()->SetColor(GlyphColor);
    C.FillRect(Rect(2, 2, W - 2, H - 2));
    return Bmp;
  }
  TsBitBtn* Button(int X, int Y, int W, int H) {
    TsBitBtn* B = Put<TsBitBtn>(Form, X, Y, W, H);
    B->SetCaption("Busca");
    return B;
  }
  static COLORREF CachePixel(TsBitBtn* B, int X, int Y) {
    return skintest::BitmapPixel(*B->SkinData()->CacheBmp, X, Y);
  }
  static COLORREF GlyphCentre(TsBitBtn* B) {
    const TPixelRect R = B->Places().Glyph;
    return CachePixel(B, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
};

TEST_F(SkinnedBitBtn, PropertiesAndDefaults) {
  TsBitBtn* B = Button(10, 10, 52, 24);
  EXPECT_EQ(GetObjectProperty(B, "SkinData"), B->SkinData());
  EXPECT_EQ(B->SkinData()->SkinSection(), "BUTTON");
  EXPECT_EQ(B->SkinData()->ControlKind, 94);
  EXPECT_EQ(B->Alignment(), taCenter);
  EXPECT_EQ(B->TextAlignment(), taCenter);
  EXPECT_EQ(B->DisabledGlyphKind(), 1u << dgBlended);
  EXPECT_EQ(B->DisabledKind(), 1u << dkBlended);
  EXPECT_EQ(B->ImageIndex(), -1);
  EXPECT_TRUE(B->ShowCaption());
  EXPECT_TRUE(B->DrawOverBorder());
  EXPECT_TRUE(B->WordWrap());
  EXPECT_FALSE(B->Down());
  const struct {
    int Set, Stored;
  } Blends[] = {{150, 100}, {-5, 0}, {40, 40}, {100, 100}, {0, 0}};
  for (const auto& C : Blends) {
    B->SetBlend(C.Set);
    EXPECT_EQ(B->Blend(), C.Stored) << C.Set;
  }
  // A layout changed since the last look makes the cache stale.
  PaintAll();
  ASSERT_FALSE(B->SkinData()->BGChanged);
  B->SetLayout(blGlyphTop);
  EXPECT_TRUE(B->SkinData()->BGChanged);
  PaintAll();
  B->SetSpacing(8);
  EXPECT_TRUE(B->SkinData()->BGChanged);
  // So does a new glyph or cell count.
  PaintAll();
  std::unique_ptr<TBitmap> G = Glyph(32, 16, false);
  B->SetGlyph(G.get());
  EXPECT_TRUE(B->SkinData()->BGChanged);
  PaintAll();
  B->SetNumGlyphs(1);
  EXPECT_TRUE(B->SkinData()->BGChanged);
}

TEST_F(SkinnedBitBtn, AnImageInUseClearsTheGlyphWhenLoaded) {
  auto* List = new TsAlphaImageList(Form);
  List->SetWidth(16);
  List->SetHeight(16);
  std::unique_ptr<TBitmap> Image = NewBitmap32(16, 16);
  List->Add(Image.get(), nullptr);
  auto* B = Put<TLoadedBitBtn>(Form, 10, 10, 52, 24);
  std::unique_ptr<TBitmap> G = Glyph(16, 16, false);
  B->SetGlyph(G.get());
  B->SetImages(List);
  B->Loaded();
  EXPECT_FALSE(B->Glyph()->Empty());
  B->SetImageIndex(0);
  B->Loaded();
  EXPECT_TRUE(B->Glyph()->Empty());
  EXPECT_EQ(B->GlyphWidth(), 16);
}

// Without a glyph it shows the push button's look, state by state, but for the caption.
TEST_F(SkinnedBitBtn, LooksAsThePushButtonBesideIt) {
  TsBitBtn* B = Button(10, 10, 80, 26);
  TsButton* P = Put<TsButton>(Form, 100, 10, 80, 26);
  P->SetCaption("Busca");
  PaintAll();
  for (int State = 0; State < 3; ++State) {
    for (auto* D : {B->SkinData(), P->SkinData()}) D->MouseAbove = State == 1;
    B->SetDown(State == 2);
    P->SetDown(State == 2);
    ASSERT_EQ(B->CurrentState(), State);
    B->PrepareCache();
    P->PrepareCache();
    const TPixelRect Text = B->Places().Caption;
    int Different = 0;
    for (int Y = 0; Y < 26; ++Y)
      for (int X = 0; X < 80; ++X) {
        if (X >= Text.Left - 2 && X < Text.Right + 2 && Y >= Text.Top - 2 && Y < Text.Bottom + 2) continue;
        if (!Near(CachePixel(B, X, Y), skintest::BitmapPixel(*P->SkinData()->CacheBmp, X, Y), 4)) ++Different;
      }
    EXPECT_EQ(Different, 0) << State;
  }
}

TEST_F(SkinnedBitBtn, GlyphsByLayoutKindAndLook) {
  TsBitBtn* B = Button(10, 10, 90, 60);
  for (bool Alpha : {false, true})
    for (TButtonLayout L : {blGlyphTop, blGlyphLeft}) {
      std::unique_ptr<TBitmap> G = Glyph(16, 16, Alpha);
      B->SetGlyph(G.get());
      B->SetLayout(L);
      B->PrepareCache();
      const TPixelRect R = B->Places().Glyph;
      EXPECT_EQ(R.Width(), 16);
      if (L == blGlyphTop)
        EXPECT_LT(R.Bottom, B->Places().Caption.Top + 1);
      else
        EXPECT_LT(R.Right, B->Places().Caption.Left + 1);
      EXPECT_TRUE(Near(GlyphCentre(B), GlyphRgb)) << Alpha << " " << L;
      // The key colour shows the button under it.
      if (!Alpha) {
        EXPECT_NE(CachePixel(B, R.Left, R.Top), RGB(255, 0, 255));
      }
    }
  // Four cells of a 64-pixel strip: 16 pixels each.
  std::unique_ptr<TBitmap> Four = Glyph(64, 16, false);
  B->SetGlyph(Four.get());
  B->SetNumGlyphs(4);
  EXPECT_EQ(B->GlyphWidth(), 16);
  EXPECT_EQ(B->Places().Glyph.Width(), 16);
  // An alpha glyph takes the section's colour when Grayed in the normal look only; a disabled
  // key-colour glyph turns gray with dgGrayed, not with dgBlended alone.
  std::unique_ptr<TBitmap> One = Glyph(16, 16, true);
  B->SetGlyph(One.get());
  B->SetNumGlyphs(1);
  B->SetGrayed(true);
  B->PrepareCache();
  EXPECT_FALSE(Near(GlyphCentre(B), GlyphRgb, 8));
  B->SkinData()->MouseAbove = true;
  B->PrepareCache();
  EXPECT_TRUE(Near(GlyphCentre(B), GlyphRgb));
  B->SkinData()->MouseAbove = false;
  B->SetGrayed(false);
  std::unique_ptr<TBitmap> Keyed = Glyph(16, 16, false);
  B->SetGlyph(Keyed.get());
  B->SetEnabled(false);
  B->SetDisabledGlyphKind(1u << dgGrayed);
  B->PrepareCache();
  EXPECT_TRUE(Gray(GlyphCentre(B)));
  B->SetDisabledGlyphKind(1u << dgBlended);
  B->PrepareCache();
  EXPECT_FALSE(Gray(GlyphCentre(B)));
  EXPECT_FALSE(Near(GlyphCentre(B), GlyphRgb, 8));
}

// A glyph as large as the pressed button: drawn over the border, or under it.
TEST_F(SkinnedBitBtn, TheBorderGoesOverTheGlyphWhenAsked) {
  TsBitBtn* B = Button(10, 10, 40, 30);
  B->SetShowCaption(false);
  std::unique_ptr<TBitmap> G = Glyph(40, 30, true);
  B->SetGlyph(G.get());
  B->SetNumGlyphs(1);
  B->SetDown(true);
  B->PrepareCache();
  const TPixelRect R = B->Places().Glyph;
  ASSERT_EQ(R.Left, 1);
  EXPECT_TRUE(Near(CachePixel(B, 1, 15), GlyphRgb));
  B->SetDrawOverBorder(false);
  B->PrepareCache();
  EXPECT_FALSE(Near(CachePixel(B, 1, 15), GlyphRgb, 8));
  EXPECT_TRUE(Near(CachePixel(B, 20, 15), GlyphRgb));
}

TEST_F(SkinnedBitBtn, HoverPressAndReleaseAsThePushButton) {
  TsBitBtn* B = Button(40, 40, 80, 26);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  PaintAll();
  ASSERT_NO_FATAL_FAILURE(skintest::ExpectQuickPress(B, Clicks, SleptMs));
}

}  // namespace
