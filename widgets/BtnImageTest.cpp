#include "widgets/BtnImage.h"

#include "toolkit/rtl/TypInfo.h"
#include "toolkit/ui/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

testing::Environment* const Env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

void Fill(TPicture* Picture, TColor Color) {
  TBitmap B;
  B.SetSize(40, 30);
  B.Canvas()->Brush()->SetColor(Color);
  B.Canvas()->FillRect(Rect(0, 0, 40, 30));
  Picture->SetBitmap(&B);
}

COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

COLORREF PictureColour(TPicture* Picture) { return GetPixel(Picture->Bitmap()->Canvas()->Handle(), 5, 5); }

// A shown form with one image button of 40 x 30 at (20, 20), a picture of its own per state.
class BtnImageTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 300, 200);
    Button = new TBtnImage(Form);
    Button->SetParent(Form);
    Button->SetBounds(20, 20, 40, 30);
    Fill(Button->FocusImage(), clBlue);
    Fill(Button->DownImage(), clRed);
    Fill(Button->UpImage(), clLime);
    Fill(Button->NormalImage(), clYellow);
    Fill(Button->Picture(), clGray);  // what the form gives until the mouse first comes by
    // Wherever an earlier test left the cursor, it is not over the button when the form comes up.
    SetCursorPos(600, 600);
    Form->Show();
    uitest::Pump();
  }
  void TearDown() override {
    SetCursorPos(0, 0);
    Form->Free();
  }

  void Mouse(UINT Msg, int X, int Y) { uitest::MouseAt(Form, Msg, X, Y); }
  // The form's pixel on screen in the middle of the button.
  COLORREF OnScreen() {
    HDC DC = GetDC(Form->Handle());
    const COLORREF C = GetPixel(DC, 40, 35);
    ReleaseDC(Form->Handle(), DC);
    return C;
  }

  TForm* Form = nullptr;
  TBtnImage* Button = nullptr;
};

TEST_F(BtnImageTest, PictureFollowsTheMouse) {
  struct Step { UINT Msg; int X, Y; TColor Want; bool AtOnce; };
  const Step Steps[] = {
      {WM_MOUSEMOVE, 30, 30, clBlue, false},     // enters
      {WM_LBUTTONDOWN, 30, 30, clRed, true},     // press and release repaint straight away
      {WM_LBUTTONUP, 30, 30, clLime, true},
      {WM_MOUSEMOVE, 32, 31, clLime, false},     // still over it
      {WM_MOUSEMOVE, 250, 150, clYellow, false},  // leaves
  };
  EXPECT_EQ(OnScreen(), RGB(128, 128, 128));
  for (const Step& S : Steps) {
    Mouse(S.Msg, S.X, S.Y);
    EXPECT_EQ(PictureColour(Button->Picture()), Rgb(S.Want)) << "message " << std::hex << S.Msg;
    if (S.AtOnce) EXPECT_EQ(OnScreen(), Rgb(S.Want)) << "message " << std::hex << S.Msg;
    uitest::Pump();
    EXPECT_EQ(OnScreen(), Rgb(S.Want)) << "message " << std::hex << S.Msg;
  }
  // A swap copies: drawing on the shown picture leaves the state picture alone.
  Button->Picture()->Bitmap()->Canvas()->Brush()->SetColor(clBlack);
  Button->Picture()->Bitmap()->Canvas()->FillRect(Rect(0, 0, 40, 30));
  EXPECT_EQ(PictureColour(Button->NormalImage()), Rgb(clYellow));
}

TEST_F(BtnImageTest, MouseHandlersAssignedLaterTakeThePlaceOfTheOwnOnes) {
  int Downs = 0, Ups = 0;
  Button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++Downs; };
  Button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++Ups; };
  Mouse(WM_MOUSEMOVE, 30, 30);
  Mouse(WM_LBUTTONDOWN, 30, 30);
  Mouse(WM_LBUTTONUP, 30, 30);
  EXPECT_EQ(Downs, 1);
  EXPECT_EQ(Ups, 1);
  EXPECT_EQ(PictureColour(Button->Picture()), Rgb(clBlue));
}

TEST(BtnImage, ClassCopiesAndPublishedPictures) {
  TBtnImage Button(nullptr);
  EXPECT_EQ(Button.ClassName(), "TBtnImage");
  EXPECT_TRUE(dynamic_cast<TImage*>(&Button));
  TPicture Source;
  Fill(&Source, clRed);
  Button.SetFocusImage(&Source);
  Fill(&Source, clBlue);
  EXPECT_EQ(PictureColour(Button.FocusImage()), Rgb(clRed));
  TPropList List;
  Button.GetPublishedProperties(List);
  ASSERT_GE(List.size(), 4u);
  std::vector<std::string> Last;
  for (size_t I = List.size() - 4; I < List.size(); ++I) Last.push_back(List[I]->Name);
  EXPECT_EQ(Last, (std::vector<std::string>{"FocusImage", "DownImage", "UpImage", "NormalImage"}));
}

}  // namespace
