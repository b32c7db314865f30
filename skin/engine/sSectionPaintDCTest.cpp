// The section painters on bitmaps and window DCs, with a manager holding a skin text.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinManager.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

constexpr COLORREF Panel = RGB(0x30, 0x50, 0x70), Other = RGB(0x11, 0x22, 0x33);

struct TSkin {
  TsSkinManager Manager{nullptr};
  TSkin() { Manager.ReadSkinText("[PANEL]\nCOLOR=7360560\nSTATES=1\n[OTHER]\nCOLOR=3351057\n", ""); }
};

TEST(SectionPaint, ToAWindowDCReadBackByPixels) {
  TSkin Skin;
  TForm* Form = new TForm(Application);
  Form->SetBounds(0, 0, 160, 120);
  Form->Show();
  uitest::Pump();
  const HDC DC = GetDC(Form->Handle());
  SetTextColor(DC, RGB(1, 2, 3));
  const COLORREF Before = GetPixel(DC, 30, 30);
  TSectionPaint P;
  P.SkinIndex = Skin.Manager.GetSkinIndex("PANEL");
  P.SectionName = "PANEL";
  P.R = Rect(0, 0, 20, 10);
  P.Offset = {5, 6};
  P.Manager = &Skin.Manager;
  PaintSectionToDC(P, DC);
  EXPECT_EQ(GetPixel(DC, 5, 6), Panel);
  EXPECT_EQ(GetPixel(DC, 24, 15), Panel);
  EXPECT_EQ(GetPixel(DC, 25, 6), GetPixel(DC, 60, 60));  // beside it: the form as it was
  EXPECT_EQ(GetPixel(DC, 5, 16), GetPixel(DC, 60, 60));
  EXPECT_EQ(GetTextColor(DC), RGB(1, 2, 3));  // the DC's state is back
  P.Offset = {-1, 30};  // a negative offset paints nothing
  PaintSectionToDC(P, DC);
  EXPECT_EQ(GetPixel(DC, 30, 30), Before);
  ReleaseDC(Form->Handle(), DC);
  Form->Free();
}

TEST(SectionPaint, ByNameFallsBackAndAnswersTheIndex) {
  TSkin Skin;
  const auto Bmp = NewBitmap32(6, 4);
  EXPECT_EQ(PaintSectionByName(Bmp.get(), "MISSING", "OTHER", clBlack, nullptr, {0, 0}, &Skin.Manager, 0),
            Skin.Manager.GetSkinIndex("OTHER"));
  EXPECT_EQ(*BitmapView(*Bmp).PixelPtr(3, 2) & 0xFFFFFF, SwapRB32(Other));
  EXPECT_EQ(PaintSectionByName(Bmp.get(), "MISSING", "", clBlack, nullptr, {0, 0}, &Skin.Manager, 0), -1);
  EXPECT_EQ(PaintSectionByName(Bmp.get(), "PANEL", "OTHER", clBlack, nullptr, {0, 0}, &Skin.Manager, 0),
            Skin.Manager.GetSkinIndex("PANEL"));
  EXPECT_EQ(*BitmapView(*Bmp).PixelPtr(0, 0) & 0xFFFFFF, SwapRB32(Panel));
}

TEST(SectionPaint, DrawSkinPieceLeavesTheCallersRecord) {
  TSkin Skin;
  const auto Bmp = NewBitmap32(8, 8), Parent = NewBitmap32(8, 8);
  TsSkinManager* Kept = DefaultManager;
  DefaultManager = &Skin.Manager;
  TSectionPaint P;
  P.SkinIndex = Skin.Manager.GetSkinIndex("PANEL");
  P.CacheInfo = NewCacheInfo(Parent.get(), 3, 4);
  P.R = Rect(1, 1, 7, 7);
  P.Offset = {2, 2};
  P.Bmp = Bmp.get();
  DrawSkinPiece(P, -1);
  DefaultManager = Kept;
  EXPECT_EQ(P.CacheInfo.X, 3);
  EXPECT_EQ(P.CacheInfo.Y, 4);
  EXPECT_EQ(*BitmapView(*Bmp).PixelPtr(3, 3) & 0xFFFFFF, SwapRB32(Panel));
}

}  // namespace
