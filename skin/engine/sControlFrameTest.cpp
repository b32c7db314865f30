// The frame, corner and glyph painters of skinned controls on real windows and bitmaps.
#include <windows.h>

#include "skin/engine/sBorderPaint.h"

#include <gtest/gtest.h>

#include "skin/engine/sControlPaintTestSupport.h"
#include "skin/engine/sGlyphEffects.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using skintest::BorderPx;
using skintest::ControlPaint;
using skintest::MakeSkinned;

constexpr TColor32 Marker = 0xFF123456;

std::unique_ptr<TBitmap> Marked(int W, int H) {
  auto B = NewBitmap32(W, H);
  FillRect32(B.get(), Rect(0, 0, W, H), TColor(SwapRB32(Marker) & 0xFFFFFF));
  return B;
}

TEST_F(ControlPaint, FrameFillsInsideTheBorderAndCopiesTheBandToTheDC) {
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "FRAMED", {10, 10, 30, 20});
  auto Target = Marked(30, 20);
  TRect Content = Rect(0, 0, 20, 10);
  PaintControlFrame({Target->Canvas()->Handle(), Rect(0, 0, 20, 10), 5, 0, Panel->SkinData.get()}, Content);
  EXPECT_EQ(skintest::Sides(Content), skintest::Sides(Rect(5, 5, 15, 5)));
  TBitmap& Cache = *Panel->SkinData->CacheBmp;
  ASSERT_EQ(Cache.Width(), 20);
  ASSERT_EQ(Cache.Height(), 10);
  const TColor32 Fill = SwapRB32(uint32_t(skintest::FrameColour)) | 0xFF000000;
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 20; ++X) {
      const bool Border = X < 3 || Y < 3 || X >= 17 || Y >= 7;
      if (X == 0 && Y == 0) continue;  // the piece's key pixel
      EXPECT_EQ(Px(Cache, X, Y), Border ? BorderPx : Fill) << X << "," << Y;
      // The band 5 deep covers all of a 10-pixel-high frame: the DC shows the cache.
      EXPECT_EQ(Px(*Target, X, Y) & 0xFFFFFF, Px(Cache, X, Y) & 0xFFFFFF) << X << "," << Y;
    }
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 20; X < 30; ++X) EXPECT_EQ(Px(*Target, X, Y) & 0xFFFFFF, Marker & 0xFFFFFF);
}

TEST_F(ControlPaint, AFrameSmallerThanItsBordersStaysInItsCache) {
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "FRAMED", {10, 10, 14, 14});
  auto Target = Marked(10, 10);
  TRect Content;
  PaintControlFrame({Target->Canvas()->Handle(), Rect(0, 0, 4, 4), 5, 0, Panel->SkinData.get()}, Content);
  EXPECT_EQ(skintest::Sides(Content), skintest::Sides(Rect(5, 5, 5, 5)));
  EXPECT_EQ(Panel->SkinData->CacheBmp->Width(), 4);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 10; ++X)
      if (X >= 4 || Y >= 4) {
        EXPECT_EQ(Px(*Target, X, Y) & 0xFFFFFF, Marker & 0xFFFFFF) << X << "," << Y;
      }
}

TEST_F(ControlPaint, WithoutABorderPieceTheBandIsFilledInTheDCAndContentStays) {
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "PLAIN", {10, 10, 30, 20});
  auto Target = Marked(20, 12);
  TRect Content = Rect(1, 2, 3, 4);
  PaintControlFrame({Target->Canvas()->Handle(), Rect(0, 0, 20, 12), 2, 0, Panel->SkinData.get()}, Content);
  EXPECT_EQ(skintest::Sides(Content), skintest::Sides(Rect(1, 2, 3, 4)));
  for (int Y = 0; Y < 12; ++Y)
    for (int X = 0; X < 20; ++X) {
      const bool Band = X < 2 || Y < 2 || X >= 18 || Y >= 10;
      EXPECT_EQ(Px(*Target, X, Y) & 0xFFFFFF, Band ? SwapRB32(uint32_t(skintest::FrameColour)) : Marker & 0xFFFFFF)
          << X << "," << Y;
    }
}

TEST_F(ControlPaint, CornersTakeTheParentsCacheAtTheControlsPlaceOrItsColour) {
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "GRADPANEL", {10, 10, 70, 70});
  Panel->SkinData->InitCacheBitmap();
  const TPixelView PV = BitmapView(*Panel->SkinData->CacheBmp);
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 60; ++X) *PV.PixelPtr(X, Y) = 0xFF000000 | TColor32(X) << 16 | TColor32(Y) << 8 | 7;
  Panel->SkinData->BGChanged = false;
  struct Case {
    const char* Section;
    TWinControl* Parent;
    TColor32 Want;
  } const Cases[] = {
      {"FRAMED", Panel, 0x40000000 | 4 << 16 | 6 << 8 | 7},
      {"MASKED", Panel, 0x40000000 | 4 << 16 | 6 << 8 | 7},
      {"FRAMED", Form, 0x00FFFFFF},  // the form's plain white, as a whole pixel
      {"MASKED", Form, 0x00FFFFFF},
  };
  for (const Case& C : Cases) {
    auto* Ctrl = MakeSkinned<TPanel>(Form, C.Parent, C.Section, {4, 6, 16, 18});
    Ctrl->SkinData->InitCacheBitmap();
    const TPixelView V = BitmapView(*Ctrl->SkinData->CacheBmp);
    for (int Y = 0; Y < 12; ++Y)
      for (int X = 0; X < 12; ++X) *V.PixelPtr(X, Y) = 0x40ABCDEF;
    PaintBorderCorners(Ctrl->SkinData.get(), 0);
    EXPECT_EQ(*V.PixelPtr(0, 0), C.Want) << C.Section;
    EXPECT_EQ(*V.PixelPtr(1, 0), 0x40ABCDEFu) << C.Section;  // not a key pixel of the piece
    EXPECT_EQ(*V.PixelPtr(11, 11), 0x40ABCDEFu) << C.Section;
  }
}

TEST_F(ControlPaint, GlyphEffectsWithTheRecordsColourOrTheControlsColour) {
  auto* Skinned = MakeSkinned<TPanel>(Form, Form, "FRAMED", {0, 0, 10, 10});
  auto* Plain = new TPanel(Form);
  Plain->SetParent(Form);
  Plain->SetColor(TColor(0x0000FF));
  const TColor32 Start = 0xFF204060;
  struct Case {
    int Effects;
    TControl* Control;
    TColor Record;
    TColor32 Want;
  } const Cases[] = {
      {GlyphGrayed, nullptr, clFuchsia, 0xFF404040},
      {GlyphBlended, nullptr, TColor(0x000000), 0xFF102030},
      {GlyphBlended, Skinned, clFuchsia, 0xFF304050},  // halfway to the section's 40 40 40
      // Halfway to pure red (00 00 FF in colour order): 0x20 + 0xFF = 0x11F, halved to even 0x90.
      {GlyphBlended, Plain, clFuchsia, 0xFF902030},
      {GlyphBlended | GlyphGrayed, nullptr, TColor(0x000000), 0xFF202020},
  };
  for (const Case& C : Cases) {
    auto B = NewBitmap32(3, 3);
    const TPixelView V = BitmapView(*B);
    for (int Y = 0; Y < 3; ++Y)
      for (int X = 0; X < 3; ++X) *V.PixelPtr(X, Y) = Start;
    TsCacheInfo Record;
    Record.FillColor = C.Record;
    ApplyGlyphEffects(B.get(), C.Effects, C.Control, Record, {0, 0});
    EXPECT_EQ(*V.PixelPtr(2, 2), C.Want) << C.Effects;
  }
}

}  // namespace
