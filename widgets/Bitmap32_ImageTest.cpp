#include "widgets/Bitmap32_Image.h"

#include "toolkit/ui/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

testing::Environment* const Env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

// A shown form holding one view of 200 x 150.
class ImageTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 400, 300);
    Image = new TImage32(Form);
    Image->SetParent(Form);
    Image->SetBounds(10, 10, 200, 150);
    Form->Show();
    uitest::Pump();
  }
  void TearDown() override { Form->Free(); }

  // What the view paints, read back from a bitmap of its size.
  std::unique_ptr<TBitmap32> Painted() {
    auto Shot = std::make_unique<TBitmap32>();
    Shot->SetSize(Image->Width(), Image->Height());
    Shot->Clear(0);
    Image->PaintTo(Shot->DC(), 0, 0);
    GdiFlush();
    return Shot;
  }

  TForm* Form = nullptr;
  TImage32* Image = nullptr;
};

TEST_F(ImageTest, Defaults) {
  TImage32 Loose(nullptr);
  EXPECT_EQ(Loose.Width(), 192);
  EXPECT_EQ(Loose.Height(), 192);
  EXPECT_EQ(Loose.BufferOversize(), 40);
  EXPECT_EQ(Loose.Scale(), 1.0f);
  EXPECT_EQ(Loose.ScaleMode(), smNormal);
  EXPECT_EQ(Loose.BitmapAlign(), baTopLeft);
  ASSERT_EQ(Loose.PaintStages().size(), 5u);
  EXPECT_EQ(Loose.PaintStages()[0].Stage, PST_CLEAR_BACKGND);
  EXPECT_FALSE(Loose.PaintStages()[3].RunTime);
}

TEST_F(ImageTest, ScaleIsNeverBelowOneThousandth) {
  Image->SetScale(0);
  EXPECT_EQ(Image->Scale(), 0.001f);
  Image->SetScale(-3);
  EXPECT_EQ(Image->Scale(), 0.001f);
  Image->SetScale(2.5f);
  EXPECT_EQ(Image->Scale(), 2.5f);
}

TEST_F(ImageTest, SetupBitmapFillsTheViewPort) {
  Image->SetupBitmap(true, clBlack32);
  ASSERT_EQ(Image->Bitmap()->Width(), 200);
  ASSERT_EQ(Image->Bitmap()->Height(), 150);
  for (int I = 0; I < 200 * 150; ++I) ASSERT_EQ(Image->Bitmap()->Bits()[I], clBlack32);
}

TEST_F(ImageTest, BitmapSizeAndPlaceByMode) {
  Image->Bitmap()->SetSize(50, 40);
  struct Case { TScaleMode Mode; TBitmapAlign Align; float Scale; TPixelRect Want; };
  const Case Cases[] = {
      {smNormal, baTopLeft, 1, {0, 0, 50, 40}},
      {smNormal, baCenter, 1, {75, 55, 125, 95}},
      {smStretch, baTopLeft, 1, {0, 0, 200, 150}},
      {smScale, baTopLeft, 2.5f, {0, 0, 125, 100}},
      // 200 / 50 = 4 against 150 / 40 = 3.75: the height fills, the width keeps the aspect
      {smResize, baTopLeft, 1, {0, 0, 188, 150}},
      {smResize, baCenter, 1, {6, 0, 194, 150}},
  };
  for (const Case& C : Cases) {
    Image->SetScaleMode(C.Mode);
    Image->SetBitmapAlign(C.Align);
    Image->SetScale(C.Scale);
    EXPECT_EQ(Image->GetBitmapRect(), C.Want) << C.Mode << " " << C.Align;
  }
  Image->SetScaleMode(smStretch);
  Image->SetBitmapAlign(baTopLeft);
  EXPECT_EQ(Image->ControlToBitmap(Point(100, 75)).x, 25);
  EXPECT_EQ(Image->ControlToBitmap(Point(100, 75)).y, 19);  // 16.16 factor 40 * 65536 / 150, truncated
  EXPECT_EQ(Image->BitmapToControl(Point(25, 20)).x, 100);
  Image->Bitmap()->SetSize(0, 0);
  EXPECT_EQ(Image->GetBitmapRect(), TPixelRect{});
  EXPECT_EQ(Image->ControlToBitmap(Point(7, 9)).x, 7);  // identity without a bitmap
}

TEST_F(ImageTest, AutoSizeTakesTheBitmapSizeOnScreen) {
  struct Step { int BW, BH; TScaleMode Mode; float Scale; TAlign Align; bool Auto; int W, H; };
  const Step Steps[] = {
      {0, 0, smNormal, 1, alNone, true, 200, 150},       // nothing to show keeps the bounds
      {50, 40, smNormal, 1, alNone, true, 50, 40},
      {50, 40, smScale, 2.5f, alNone, true, 125, 100},
      {0, 0, smScale, 2.5f, alNone, true, 125, 100},
      // 125 / 10 = 12.5 against 100 / 20 = 5: the height fills, the width keeps the aspect
      {10, 20, smResize, 1, alNone, true, 50, 100},
      {10, 20, smNormal, 1, alNone, true, 10, 20},
      {30, 60, smNormal, 1, alNone, false, 10, 20},     // no longer auto-sized
      {30, 60, smNormal, 1, alLeft, true, 30, -1},       // aligned: only the free side follows
  };
  for (const Step& S : Steps) {
    Image->SetAlign(S.Align);
    Image->SetAutoSize(S.Auto);
    Image->SetScaleMode(S.Mode);
    Image->SetScale(S.Scale);
    Image->Bitmap()->SetSize(S.BW, S.BH);
    EXPECT_EQ(Image->Width(), S.W) << S.BW << " x " << S.BH << " mode " << S.Mode;
    EXPECT_EQ(Image->Height(), S.H < 0 ? Form->ClientHeight() : S.H) << S.BW << " x " << S.BH << " mode " << S.Mode;
  }
  // The whole bitmap shows in the view it sized.
  Image->SetAlign(alNone);
  Image->SetScaleMode(smNormal);
  Image->Bitmap()->SetSize(30, 20);
  Image->Bitmap()->Clear(0xFF00FF00);
  ASSERT_EQ(Image->Width(), 30);
  const auto Shot = Painted();
  EXPECT_EQ(*Shot->PixelPtr(0, 0) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(*Shot->PixelPtr(29, 19) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(ImageTest, PaintsTheBitmapOverTheBackground) {
  Image->SetColor(clRed);
  Image->Bitmap()->SetSize(2, 2);
  Image->Bitmap()->Bits()[0] = 0xFF0000FF;
  Image->Bitmap()->Bits()[1] = 0xFF00FF00;
  Image->Bitmap()->Bits()[2] = 0xFFFFFFFF;
  Image->Bitmap()->Bits()[3] = 0xFF000000;
  Image->SetScaleMode(smResize);  // 2 x 2 into 200 x 150: 150 x 150 at the left
  auto Shot = Painted();
  auto Rgb = [&](int X, int Y) { return *Shot->PixelPtr(X, Y) & 0xFFFFFF; };
  EXPECT_EQ(Rgb(10, 10), 0x0000FFu);
  EXPECT_EQ(Rgb(140, 10), 0x00FF00u);
  EXPECT_EQ(Rgb(10, 140), 0xFFFFFFu);
  EXPECT_EQ(Rgb(140, 140), 0x000000u);
  EXPECT_EQ(Rgb(160, 10), 0xFF0000u);  // the band right of the bitmap
  EXPECT_EQ(Rgb(199, 149), 0xFF0000u);
  // Centred: bands on both sides.
  Image->SetBitmapAlign(baCenter);
  Shot = Painted();
  EXPECT_EQ(Rgb(10, 10), 0xFF0000u);
  EXPECT_EQ(Rgb(30, 10), 0x0000FFu);
  EXPECT_EQ(Rgb(190, 10), 0xFF0000u);
}

TEST_F(ImageTest, EmptyBitmapPaintsOnlyTheBackground) {
  Image->SetColor(clBlue);
  auto Shot = Painted();
  for (int Y = 0; Y < 150; Y += 7)
    for (int X = 0; X < 200; X += 7) ASSERT_EQ(*Shot->PixelPtr(X, Y) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(ImageTest, TiledBitmapRepeats) {
  Image->Bitmap()->SetSize(3, 1);
  Image->Bitmap()->Bits()[0] = 0xFF010203;
  Image->Bitmap()->Bits()[1] = 0xFF040506;
  Image->Bitmap()->Bits()[2] = 0xFF070809;
  Image->SetBitmapAlign(baTile);
  auto Shot = Painted();
  EXPECT_EQ(*Shot->PixelPtr(0, 0), 0xFF010203u);
  EXPECT_EQ(*Shot->PixelPtr(4, 77), 0xFF040506u);
  EXPECT_EQ(*Shot->PixelPtr(197, 149), 0xFF070809u);
}

TEST_F(ImageTest, EmptyViewPortPaintsNothing) {
  Image->Bitmap()->SetSize(5, 5);
  Image->SetBounds(10, 10, 0, 0);
  EXPECT_EQ(Image->GetBitmapRect(), TPixelRect{});
  Image->Repaint();
  uitest::Pump();
  TBitmap32 Shot;
  Shot.SetSize(4, 4);
  Image->PaintTo(Shot.DC(), 0, 0);  // no assertion, nothing drawn
}

TEST_F(ImageTest, ChangesRepaint) {
  int Changes = 0;
  Image->OnChange = [&](TObject*) { ++Changes; };
  Image->Bitmap()->SetSize(4, 4);
  Image->Bitmap()->Clear(0xFF123456);
  Image->BeginUpdate();
  Image->SetScaleMode(smStretch);
  Image->EndUpdate();
  EXPECT_EQ(Changes, 4);  // the resize counts twice: a change and a new size
  EXPECT_FALSE(Image->BufferValid());
}

// Without layers, the left button takes the mouse and gives it back; the right one does not.
TEST_F(ImageTest, MouseCaptureByButton) {
  std::vector<int> Downs;
  Image->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, int, int, TCustomLayer* L) {
    Downs.push_back(B);
    EXPECT_EQ(L, nullptr);
  };
  const HWND H = Image->Handle();
  SendMessageA(H, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_NE(GetCapture(), H);
  SendMessageA(H, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageA(H, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), H);
  SendMessageA(H, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_NE(GetCapture(), H);
  EXPECT_EQ(Downs, (std::vector<int>{mbRight, mbLeft}));
}

TEST_F(ImageTest, LayersTakePointerEventsAndPaint) {
  TLayerCollection* Layers = Image->Layers();
  Layers->SetMouseEvents(true);
  TCustomLayer* Bottom = Layers->Add();
  TCustomLayer* Top = Layers->Add();
  Bottom->SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
  Top->SetLayerOptions(LOB_VISIBLE | LOB_MOUSE_EVENTS);
  Top->OnHitTest = [](TObject*, int X, int, bool& Passed) { Passed = X < 50; };
  EXPECT_EQ(Layers->FindLayerAtPos(10, 10, LOB_MOUSE_EVENTS), Top);
  EXPECT_EQ(Layers->FindLayerAtPos(90, 10, LOB_MOUSE_EVENTS), Bottom);
  EXPECT_EQ(Layers->FindLayerAtPos(10, 10, LOB_NO_UPDATE), nullptr);
  // A layer holding the mouse takes the right button's capture too, until released.
  TCustomLayer* Pressed = nullptr;
  Image->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int, TCustomLayer* L) { Pressed = L; };
  const HWND H = Image->Handle();
  SendMessageA(H, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(90, 5));
  EXPECT_EQ(Pressed, Bottom);
  EXPECT_EQ(Layers->MouseListener(), Bottom);
  EXPECT_EQ(GetCapture(), H);
  SendMessageA(H, WM_RBUTTONUP, 0, MAKELPARAM(10, 5));  // goes to the holder, not to the top layer
  EXPECT_EQ(Layers->MouseListener(), nullptr);
  ReleaseCapture();
  // Painting: each visible layer, bottom up.
  std::vector<TCustomLayer*> Painted_;
  Bottom->OnPaint = [&](TObject* S, TBitmap32*) { Painted_.push_back(static_cast<TCustomLayer*>(S)); };
  Top->OnPaint = Bottom->OnPaint;
  Top->SetLayerOptions(LOB_MOUSE_EVENTS);  // hidden
  Painted();
  EXPECT_EQ(Painted_, (std::vector<TCustomLayer*>{Bottom}));
  TLayerCollection Copy;
  Copy.Assign(*Layers);
  EXPECT_EQ(Copy.Count(), 2);
  EXPECT_EQ(Copy.Items(1)->LayerOptions(), unsigned(LOB_MOUSE_EVENTS));
  Layers->Clear();
  EXPECT_THROW(Layers->EndUpdate(), EInvalidOperation);
}

TEST(Bitmap32List, ItemsOwnCopies) {
  TBitmap32List List(nullptr);
  TBitmap32 Picture;
  Picture.SetSize(3, 3);
  Picture.Clear(0xFF112233);
  TBitmap32Item* Item = List.Bitmaps()->Add();
  Item->SetBitmap(&Picture);
  Picture.Clear(0);
  EXPECT_EQ(List.Bitmaps()->Count(), 1);
  EXPECT_EQ(*List.Bitmap(0)->PixelPtr(2, 2), 0xFF112233u);
  List.Bitmaps()->Delete(0);
  EXPECT_EQ(List.Bitmaps()->Count(), 0);
}

}  // namespace
