// What the broadcasts and senders of the skin command deliver on a form with skinned, plain,
// window-less, window-without-handle and dying children.
#include <windows.h>

#include "skin/engine/sSkinCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sSkinGlobals.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using skintest::MakeSkinned;
using skintest::TSkinned;

// A window that answers every skin command with a fixed value.
class TAnswering : public TWinControl {
 public:
  TAnswering(TComponent* AOwner, LRESULT Answer) : TWinControl(AOwner), answer_(Answer) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == SM_SKINCMD) {
      Message.Result = answer_;
      return;
    }
    TWinControl::WndProc(Message);
  }

 private:
  LRESULT answer_;
};

class Broadcasts : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 300, 200);
    // Windows without showing the form (hiding a shown window under Wine waits for the X server).
    Form->HandleNeeded();
    Skinned = MakeSkinned<TPanel>(Form, Form, "PANEL", {0, 0, 100, 50});
    Inner = MakeSkinned<TButton>(Form, Skinned, "BUTTON", {5, 5, 50, 20});
    Plain = new TPanel(Form);
    Plain->SetParent(Form);
    Plain->SetBounds(0, 60, 100, 50);
    Plain->HandleNeeded();
    UnderPlain = MakeSkinned<TPanel>(Form, Plain, "PANEL", {5, 5, 40, 30});
    GraphicUnderPlain = MakeSkinned<TGraphicControl>(Form, Plain, "LABEL", {50, 5, 80, 30});
    Graphic = MakeSkinned<TGraphicControl>(Form, Form, "LABEL", {120, 0, 150, 20});
    PlainButton = new TButton(Form);
    PlainButton->SetParent(Form);
    PlainButton->SetBounds(120, 30, 60, 20);
    PlainButton->HandleNeeded();
    Dying = MakeSkinned<TPanel>(Form, Form, "PANEL", {200, 0, 250, 50});
    // Made after the others have their windows, and never asked for its own.
    NoHandle = new TSkinned<TWinControl>(Form);
    NoHandle->SkinData->SetSkinSection("PANEL");
    NoHandle->SetVisible(false);
    NoHandle->SetParent(Form);
    ASSERT_TRUE(Dying->HandleAllocated());
    Dying->Destroying();

    for (TControl* C : std::vector<TControl*>{Skinned, Inner, Plain, UnderPlain, GraphicUnderPlain, Graphic,
                                               PlainButton, Dying, NoHandle}) {
      auto R = std::make_unique<uitest::TRecorder>(C, std::vector<UINT>{SM_SKINCMD});
      R->OnMessage = [this, C](TMessage& M) { Codes[C].push_back(SkinCmdCode(M)); };
      Recorders.push_back(std::move(R));
    }
  }
  void TearDown() override {
    Recorders.clear();
    AnimationInProgress = false;
    Form->Free();
  }
  // The codes each control received, none counted for a control that got nothing.
  std::map<TControl*, std::vector<int>> Got() {
    std::map<TControl*, std::vector<int>> G = Codes;
    Codes.clear();
    return G;
  }

  TForm* Form;
  TSkinned<TPanel>* Skinned;
  TSkinned<TButton>* Inner;
  TPanel* Plain;
  TSkinned<TPanel>* UnderPlain;
  TSkinned<TGraphicControl>* GraphicUnderPlain;
  TSkinned<TGraphicControl>* Graphic;
  TButton* PlainButton;
  TSkinned<TPanel>* Dying;
  TSkinned<TWinControl>* NoHandle;
  std::vector<std::unique_ptr<uitest::TRecorder>> Recorders;
  std::map<TControl*, std::vector<int>> Codes;
};

TEST_F(Broadcasts, ToChildrenReachesEverySkinnedControlOnce) {
  ASSERT_FALSE(NoHandle->HandleAllocated());
  TMessage M{SM_SKINCMD, SkinCmdWParam(SkinCmdRefresh), 0, 0};
  BroadcastToChildren(Form, M);
  const std::map<TControl*, std::vector<int>> Expected{
      {Skinned, {7, 3}},          // asked, then sent; it passes the command on itself
      {Inner, {7, 3}},            // once, from its skinned parent
      {Plain, {7}},               // asked only: a plain window gets nothing
      {UnderPlain, {7, 3}},       // but its skinned children do
      {GraphicUnderPlain, {3}},   // window-less: Perform
      {Graphic, {3}},
      {PlainButton, {7}},
      {NoHandle, {3}},            // no window yet: Perform
  };
  EXPECT_EQ(Got(), Expected);  // the dying panel gets nothing
}

TEST_F(Broadcasts, ToChildrenSkipsAChildFreedOnTheWay) {
  // The first receiver frees a later sibling; the walk goes on past it.
  Recorders.clear();
  uitest::TRecorder First(Skinned, {SM_SKINCMD});
  First.OnMessage = [this](TMessage& M) {
    if (SkinCmdCode(M) == SkinCmdRefresh && Graphic) {
      Graphic->Free();
      Graphic = nullptr;
    }
  };
  uitest::TRecorder Last(PlainButton, {SM_SKINCMD});
  TMessage M{SM_SKINCMD, SkinCmdWParam(SkinCmdRefresh), 0, 0};
  BroadcastToChildren(Form, M);
  EXPECT_EQ(Graphic, nullptr);
  EXPECT_EQ(Last.Log().size(), 1u);
}

TEST_F(Broadcasts, ToChildWindowsReachesDirectChildWindows) {
  TMessage M{SM_SKINCMD, SkinCmdWParam(SkinCmdInvalidateBg), 0, 0};
  BroadcastToChildWindows(Form->Handle(), M);
  const std::map<TControl*, std::vector<int>> Expected{
      {Skinned, {17}}, {Plain, {17}}, {PlainButton, {17}}, {Dying, {17}}};
  EXPECT_EQ(Got(), Expected);
}

TEST_F(Broadcasts, UpdateFinishedGoesToShowingWindowsAndNotDuringAnimations) {
  Form->Show();
  uitest::Pump();
  Codes.clear();
  NotifyChildrenUpdateFinished(Form);
  const std::map<TControl*, std::vector<int>> Expected{{Skinned, {6}}, {Plain, {6}}, {PlainButton, {6}}};
  EXPECT_EQ(Got(), Expected);

  AnimationInProgress = true;
  NotifyChildrenUpdateFinished(Form);
  EXPECT_TRUE(Got().empty());
  AnimationInProgress = false;

  NotifyTopWindowsUpdateFinished(Form->Handle());
  const std::map<TControl*, std::vector<int>> Windows{
      {Skinned, {6}}, {Plain, {6}}, {PlainButton, {6}}, {Dying, {6}}};
  EXPECT_EQ(Got(), Windows);
}

TEST_F(Broadcasts, SendersAndQueries) {
  EXPECT_EQ(SendSkinCmdToControl(NoHandle, SkinCmdIsSkinned, 0), 0);  // no window: nothing sent
  EXPECT_EQ(SendSkinCmdToControl(Graphic, SkinCmdIsSkinned, 0), 1);
  EXPECT_EQ(SendSkinCmdSimple(Skinned, SkinCmdIsSkinned), 1);
  EXPECT_EQ(SendSkinCmdToControl(Dying, SkinCmdIsSkinned, 0), 0);
  EXPECT_TRUE(QuerySkinCmd(Skinned->Handle(), SkinCmdIsSkinned));
  EXPECT_FALSE(QuerySkinCmd(PlainButton->Handle(), SkinCmdIsSkinned));
  for (LRESULT Answer : {LRESULT(2), LRESULT(-1), LRESULT(0), LRESULT(1)}) {
    auto* W = new TAnswering(Form, Answer);
    W->SetParent(Form);
    EXPECT_EQ(QuerySkinCmd(W->Handle(), SkinCmdIsSkinned), Answer == 1) << Answer;
    W->Free();
  }
  // Colours: a plain control's own, clFuchsia for none.
  Plain->SetColor(clWhite);
  EXPECT_EQ(GetControlColor(Plain), 0xFFFFFF);
  EXPECT_EQ(GetControlColor(nullptr), clFuchsia);
  EXPECT_EQ(GetWindowColor(nullptr), clFuchsia);
  EXPECT_EQ(GetWindowColor(PlainButton->Handle()), 0);  // a plain window answers nothing
}

}  // namespace
