#include "widgets/LabelX.h"

#include "toolkit/rtl/TypInfo.h"
#include "toolkit/ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

testing::Environment* const Env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

auto Look(const TFont* F) { return std::make_tuple(F->Name(), F->Height(), F->Style(), F->Color()); }

// A shown form with one step label whose four state fonts differ in colour and style.
class LabelXTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 300, 200);
    Label = new TLabelX(Form);
    Label->SetParent(Form);
    Label->SetBounds(20, 20, 120, 20);
    Label->SetCaption("Digitalizar Imagem");
    const struct { TFont* Font; TColor Color; TFontStyles Style; } States[] = {
        {Label->FocusFont(), clBlue, fsUnderline},
        {Label->DownFont(), clRed, fsBold},
        {Label->UpFont(), clGreen, fsItalic},
        {Label->NormalFont(), clBlack, 0},
    };
    for (const auto& S : States) {
      S.Font->SetColor(S.Color);
      S.Font->SetStyle(S.Style);
    }
    Label->Font()->SetColor(clGray);  // the form's own font until the mouse first comes by
    // Wherever an earlier test left the cursor, it is not over the label when the form comes up.
    SetCursorPos(600, 600);
    Form->Show();
    uitest::Pump();
  }
  void TearDown() override {
    SetCursorPos(0, 0);
    Form->Free();
  }

  void Mouse(UINT Msg, int X, int Y) { uitest::MouseAt(Form, Msg, X, Y); }

  TForm* Form = nullptr;
  TLabelX* Label = nullptr;
};

TEST_F(LabelXTest, FontFollowsTheMouse) {
  struct Step { UINT Msg; int X, Y; TFont* Want; };
  const Step Steps[] = {
      {WM_MOUSEMOVE, 25, 25, Label->FocusFont()},    // enters
      {WM_LBUTTONDOWN, 25, 25, Label->DownFont()},
      {WM_LBUTTONUP, 25, 25, Label->UpFont()},
      {WM_MOUSEMOVE, 30, 26, Label->UpFont()},       // still over it: the up font stays
      {WM_MOUSEMOVE, 250, 150, Label->NormalFont()},  // leaves
      {WM_MOUSEMOVE, 26, 25, Label->FocusFont()},    // and comes back
  };
  EXPECT_EQ(Label->Font()->Color(), clGray);
  for (const Step& S : Steps) {
    Mouse(S.Msg, S.X, S.Y);
    EXPECT_EQ(Look(Label->Font()), Look(S.Want)) << "message " << std::hex << S.Msg << " at " << S.X;
  }
  // A swap copies: changing the shown font leaves the state font alone.
  Label->Font()->SetColor(clYellow);
  EXPECT_EQ(Label->FocusFont()->Color(), clBlue);
}

TEST_F(LabelXTest, LeavingTheWindowShowsTheNormalFont) {
  Mouse(WM_MOUSEMOVE, 25, 25);
  ASSERT_EQ(Look(Label->Font()), Look(Label->FocusFont()));
  SetCursorPos(0, 0);
  uitest::Pump(1000);  // the platform reports the leave at its hover interval
  EXPECT_EQ(Look(Label->Font()), Look(Label->NormalFont()));
}

TEST_F(LabelXTest, ClickHandlerKeepsTheStateFonts) {
  int Clicks = 0;
  Label->OnClick = [&](TObject*) { ++Clicks; };
  Mouse(WM_MOUSEMOVE, 25, 25);
  Mouse(WM_LBUTTONDOWN, 25, 25);
  EXPECT_EQ(Look(Label->Font()), Look(Label->DownFont()));
  Mouse(WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(Look(Label->Font()), Look(Label->UpFont()));
  EXPECT_EQ(Clicks, 1);
}

TEST_F(LabelXTest, MouseHandlersAssignedLaterTakeThePlaceOfTheOwnOnes) {
  std::vector<std::string> Calls;
  Label->OnMouseDown = [&](TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
    EXPECT_EQ(Sender, Label);
    Calls.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  };
  Label->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { Calls.push_back("up"); };
  Mouse(WM_MOUSEMOVE, 25, 25);
  Mouse(WM_LBUTTONDOWN, 25, 25);
  Mouse(WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(Calls, (std::vector<std::string>{"down 5,5", "up"}));
  EXPECT_EQ(Look(Label->Font()), Look(Label->FocusFont()));
  Mouse(WM_MOUSEMOVE, 250, 150);
  EXPECT_EQ(Look(Label->Font()), Look(Label->NormalFont()));
}

TEST(LabelX, StateFontsAreCopies) {
  TLabelX Label(nullptr);
  TFont Source;
  Source.SetColor(clRed);
  Source.SetSize(14);
  Label.SetFocusFont(&Source);
  EXPECT_NE(Label.FocusFont(), &Source);
  Source.SetColor(clBlue);
  Source.SetSize(8);
  EXPECT_EQ(Label.FocusFont()->Color(), clRed);
  EXPECT_EQ(Label.FocusFont()->Size(), 14);
}

TEST(LabelX, ClassAndPublishedFonts) {
  TLabelX Label(nullptr);
  EXPECT_EQ(Label.ClassName(), "TLabelX");
  EXPECT_TRUE(dynamic_cast<TLabel*>(&Label));
  TPropList List;
  Label.GetPublishedProperties(List);
  ASSERT_GE(List.size(), 4u);
  std::vector<std::string> Last;
  for (size_t I = List.size() - 4; I < List.size(); ++I) Last.push_back(List[I]->Name);
  EXPECT_EQ(Last, (std::vector<std::string>{"FocusFont", "DownFont", "UpFont", "NormalFont"}));
  // Written by name, the property copies the font too.
  TFont Source;
  Source.SetColor(clMaroon);
  List[List.size() - 1]->SetObj(&Label, &Source);
  EXPECT_EQ(Label.NormalFont()->Color(), clMaroon);
  EXPECT_NE(Label.NormalFont(), &Source);
}

}  // namespace
