// Per-control skin data on real windows: sections, colours, updates, commands and the chain of
// parent backgrounds.
#include <windows.h>

#include "skin/engine/sCommonData.h"

#include <gtest/gtest.h>

#include "skin/engine/sCommonDataTestSupport.h"
#include "skin/engine/sCtrlUtils.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinSeamFakes.h"
#include "skin/engine/sSkinProperties.h"
#include "toolkit/rtl/StringUtils.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/UiTestSupport.h"

namespace {

using skintest::MakeSkinned;
using skintest::TSkinned;

const char* const Skin =
    "[GLOBALINFO]\nCOLOR=12632256\n"
    "[FORM]\nCOLOR=16777215\nGRADIENTPERCENT=50\n"
    "[PANEL]\nCOLOR=16777215\n"
    "[CLEAR]\nTRANSPARENCY=100\n"
    "[CLEARGRADIENT]\nTRANSPARENCY=100\nGRADIENTPERCENT=40\n"
    "[T0]\nCOLOR=0\n"
    "[T50]\nCOLOR=0\nTRANSPARENCY=50\n"
    "[T100]\nCOLOR=0\nTRANSPARENCY=100\n"
    "[EDIT]\nCOLOR=255\nFONTCOLOR=65280\n";

class SkinData : public testing::Test {
 protected:
  void SetUp() override {
    skintest::LoadActiveSkin(Manager, Skin);
    DefaultManager = &Manager;
    Form = MakeSkinned<TForm>(Application, nullptr, "FORM", {0, 0, 300, 200});
    Form->SkinData->InitCacheBitmap();
    Form->HandleNeeded();
  }
  void TearDown() override {
    Form->Free();
    DefaultManager = nullptr;
  }
  TsCommonData* DataOf(TControl* C) { return dynamic_cast<TsCommonData*>(GetObjectProperty(C, "SkinData")); }

  TsSkinManager Manager{nullptr};
  TSkinned<TForm>* Form;
};

TEST_F(SkinData, SectionsAreUpperCaseAndUnknownWhenEmpty) {
  auto* P = MakeSkinned<TPanel>(Form, Form, "panel", {0, 0, 10, 10});
  TsCommonData* D = DataOf(P);
  ASSERT_EQ(D, P->SkinData.get());  // published as "SkinData"
  EXPECT_EQ(D->SkinSection(), "PANEL");
  EXPECT_EQ(D->SkinIndex, Manager.GetSkinIndex("PANEL"));
  D->SetSkinSection("");
  EXPECT_EQ(D->SkinSection(), "UNKNOWN");
  EXPECT_EQ(D->SkinIndex, -1);
  // The kind's default section, else the class name.
  TsCommonData ByKind(nullptr, false), ByClass(Form, false);
  ByKind.ControlKind = 51;
  ByKind.SetDefaultSection();
  EXPECT_EQ(ByKind.SkinSection(), "PANEL");
  ByClass.SetDefaultSection();
  EXPECT_EQ(ByClass.SkinSection(), UpperCase(Form->ClassName()));
}

TEST_F(SkinData, TransparentControlOverAStaticPanel) {
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "PANEL", {0, 0, 100, 100});
  EXPECT_TRUE(Panel->SkinData->CtrlState & CtrlStaticBg);
  auto* Clear = MakeSkinned<TPanel>(Form, Panel, "CLEAR", {5, 5, 20, 20});
  EXPECT_FALSE(Clear->SkinData->BgIsVolatile());
  Clear->SkinData->SetSkinSection("CLEARGRADIENT");
  EXPECT_TRUE(Clear->SkinData->BgIsVolatile());
  // Over the form, whose gradient makes it volatile, the same control is volatile too.
  auto* OnForm = MakeSkinned<TPanel>(Form, Form, "CLEAR", {150, 5, 20, 20});
  EXPECT_FALSE(Form->SkinData->CtrlState & CtrlStaticBg);
  EXPECT_TRUE(OnForm->SkinData->BgIsVolatile());
}

TEST_F(SkinData, BackgroundColourAndColourCommandAgree) {
  auto* White = MakeSkinned<TPanel>(Form, Form, "PANEL", {0, 0, 100, 100});
  const struct {
    const char* Section;
    TColor Expected;
  } Cases[] = {{"T0", 0}, {"T50", 0x808080}, {"T100", 0xFFFFFF}};
  for (const auto& C : Cases) {
    auto* Child = MakeSkinned<TPanel>(Form, White, C.Section, {5, 5, 20, 20});
    EXPECT_EQ(Child->SkinData->GetBgColor(0, nullptr), C.Expected) << C.Section;
    EXPECT_EQ(TColor(Child->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdGetColor), 0)), C.Expected) << C.Section;
    Child->Free();
  }
}

TEST_F(SkinData, EndUpdateEndsOnlyTheOutermostUpdate) {
  auto* P = MakeSkinned<TPanel>(Form, Form, "PANEL", {0, 0, 10, 10});
  uitest::TRecorder R(P, {SM_SKINCMD});
  std::vector<int> Codes;
  R.OnMessage = [&](TMessage& M) { Codes.push_back(SkinCmdCode(M)); };
  TsCommonData& D = *P->SkinData;
  D.BeginUpdate();
  D.BeginUpdate();
  D.EndUpdate(false);
  EXPECT_TRUE(D.Updating);
  EXPECT_TRUE(D.CtrlState & CtrlInUpdate);
  EXPECT_EQ(Codes, (std::vector<int>{SkinCmdBeginUpdate, SkinCmdBeginUpdate}));
  D.EndUpdate(false);
  EXPECT_FALSE(D.Updating);
  EXPECT_FALSE(D.CtrlState & CtrlInUpdate);
  EXPECT_EQ(Codes, (std::vector<int>{SkinCmdBeginUpdate, SkinCmdBeginUpdate, SkinCmdEndUpdate}));
}

TEST_F(SkinData, CommandTable) {
  auto* P = MakeSkinned<TPanel>(Form, Form, "PANEL", {0, 0, 10, 10});
  TsCommonData& D = *P->SkinData;
  auto Send = [&](int Code, LPARAM L = 0, WORD Low = 0) {
    TMessage M{SM_SKINCMD, SkinCmdWParam(Code, Low), L, 12345};
    const bool Answered = HandleSkinCommand(M, &D);
    return std::pair<bool, LRESULT>(Answered, M.Result);
  };
  EXPECT_EQ(Send(SkinCmdIsSkinned), std::make_pair(true, LRESULT(1)));
  EXPECT_EQ(Send(SkinCmdGetApplication), std::make_pair(false, reinterpret_cast<LRESULT>(Application)));
  EXPECT_EQ(Send(SkinCmdGetSkinData), std::make_pair(true, reinterpret_cast<LRESULT>(&D)));
  int Index = -7;
  EXPECT_TRUE(Send(SkinCmdGetSkinIndex, reinterpret_cast<LPARAM>(&Index)).first);
  EXPECT_EQ(Index, D.SkinIndex);
  Send(SkinCmdSetUpdating, 0, 1);
  EXPECT_TRUE(D.Updating);
  Send(SkinCmdSetUpdating, 0, 2);
  EXPECT_FALSE(D.Updating);
  Send(SkinCmdSetDependsOnParent, 0, 1);
  EXPECT_TRUE(D.ForceParentBg);
  D.BGChanged = false;
  EXPECT_EQ(Send(SkinCmdIsUpdating), std::make_pair(true, LRESULT(0)));
  Send(SkinCmdInvalidateBg);
  EXPECT_EQ(Send(SkinCmdIsUpdating), std::make_pair(true, LRESULT(1)));
  D.Clipped = false;
  Send(SkinCmdSetClipped);
  EXPECT_EQ(Send(SkinCmdGetClipped), std::make_pair(true, LRESULT(1)));
  EXPECT_EQ(Send(SkinCmdGetBgState), std::make_pair(true, LRESULT(D.CtrlState)));
  Send(SkinCmdSetPaintInfo, 0x1000);
  EXPECT_TRUE(D.CtrlState & CtrlPaintInfoSet);
  Send(SkinCmdSetPaintInfo, 0);
  EXPECT_FALSE(D.CtrlState & CtrlPaintInfoSet);
  TsCommonData Other(nullptr, false);
  Other.SetSkinSection("T50");
  Send(SkinCmdCopySection, reinterpret_cast<LPARAM>(&Other));
  EXPECT_EQ(D.SkinSection(), "T50");
  // Codes beyond the table: nothing, not answered.
  D.BGChanged = false;
  for (int Code : {61, 62, 100, 0xFFFF}) EXPECT_EQ(Send(Code), std::make_pair(false, LRESULT(12345))) << Code;
  EXPECT_FALSE(D.BGChanged);
  TMessage OtherMsg{WM_USER, 0, 0, 0};
  EXPECT_FALSE(HandleSkinCommand(OtherMsg, &D));
  EXPECT_FALSE(HandleSkinCommand(OtherMsg, nullptr));
}

TEST_F(SkinData, RemovingTheSkinGivesAnEditTheWindowColours) {
  auto* Edit = MakeSkinned<TEdit>(Form, Form, "", {0, 0, 80, 20}, 3);
  Edit->HandleNeeded();
  Edit->SkinData->FinishLoading();
  EXPECT_EQ(Edit->SkinData->SkinSection(), "EDIT");
  EXPECT_EQ(Edit->Color(), 255);
  EXPECT_EQ(Edit->Font()->Color(), 65280);
  Edit->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdRemoveSkin), reinterpret_cast<LPARAM>(&Manager));
  EXPECT_EQ(Edit->Color(), clWindow);
  EXPECT_EQ(Edit->Font()->Color(), clWindowText);
  EXPECT_EQ(Edit->SkinData->SkinIndex, -1);
  EXPECT_TRUE(Edit->SkinData->Updating);
  // Another manager's removal is not this edit's.
  Edit->SkinData->SetSkinSection("T0");
  TsSkinManager OtherManager(nullptr);
  Edit->Perform(SM_SKINCMD, SkinCmdWParam(SkinCmdRemoveSkin), reinterpret_cast<LPARAM>(&OtherManager));
  EXPECT_EQ(Edit->SkinData->SkinIndex, Manager.GetSkinIndex("T0"));
}

TEST_F(SkinData, ChildrenGetTheFormsCacheThroughATransparentPanel) {
  Form->SkinData->CacheBmp->SetSize(300, 200);
  auto* Panel = MakeSkinned<TPanel>(Form, Form, "CLEAR", {7, 5, 100, 100});
  Panel->SkinData->InitCacheBitmap();
  auto* Button = MakeSkinned<TButton>(Form, Panel, "T0", {3, 4, 50, 20});
  TsCacheInfo Info;
  Button->SkinData->GetParentBgInfo(Info);
  EXPECT_TRUE(Info.Ready);
  EXPECT_EQ(Info.Bmp, Form->SkinData->CacheBmp.get());
  EXPECT_EQ(Info.X, 7);
  EXPECT_EQ(Info.Y, 5);
  // The panel itself asked directly answers the same.
  TsBackgroundInfo Bg;
  EXPECT_TRUE(QueryBackground(Bg, Panel, false));
  EXPECT_EQ(Bg.BgType, 2);
  EXPECT_EQ(Bg.Offset.x, 7);
  // A plain parent answers its colour.
  auto* Plain = new TPanel(Form);
  Plain->SetParent(Form);
  Plain->SetColor(clWhite);
  auto* OnPlain = MakeSkinned<TButton>(Form, Plain, "T0", {0, 0, 10, 10});
  OnPlain->SkinData->GetParentBgInfo(Info);
  EXPECT_FALSE(Info.Ready);
  EXPECT_EQ(Info.FillColor, 0xFFFFFF);
}

TEST_F(SkinData, AParentlessWindowAsksItsParentWindowByHandle) {
  auto* Orphan = MakeSkinned<TForm>(Application, nullptr, "T0", {0, 0, 50, 50});
  Orphan->HandleNeeded();
  SetWindowLongA(Orphan->Handle(), GWL_STYLE, (GetWindowLongA(Orphan->Handle(), GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
  SetParent(Orphan->Handle(), Form->Handle());
  TsCacheInfo Info;
  Orphan->SkinData->GetParentBgInfo(Info);
  EXPECT_TRUE(Info.Ready);
  EXPECT_EQ(Info.Bmp, Form->SkinData->CacheBmp.get());
  GetWindowParentBgInfo(Orphan->Handle(), Info);
  EXPECT_EQ(Info.Bmp, Form->SkinData->CacheBmp.get());
  GetWindowParentBgInfo(Form->Handle(), Info);
  EXPECT_FALSE(Info.Ready);
  EXPECT_EQ(Info.Bmp, nullptr);
  SetParent(Orphan->Handle(), nullptr);
  Orphan->Free();
}

TEST(CtrlUtils, SmallRoutines) {
  auto* Form = new TForm(Application);
  Form->SetBounds(0, 0, 200, 200);
  auto Add = [&](TControl* C, TAlign A, int W, int H) {
    C->SetParent(Form);
    C->SetBounds(0, 0, W, H);
    C->SetAlign(A);
    return C;
  };
  Add(new TPanel(Form), alTop, 50, 10);
  Add(new TPanel(Form), alTop, 50, 15);
  Add(new TLabel(Form), alTop, 50, 7);
  Add(new TPanel(Form), alLeft, 20, 5);
  Add(new TPanel(Form), alClient, 20, 5);
  EXPECT_EQ(AlignedControlsSize(Form, alTop, false), 25);
  EXPECT_EQ(AlignedControlsSize(Form, alTop, true), 32);
  EXPECT_EQ(AlignedControlsSize(Form, alLeft, false), 20);
  EXPECT_EQ(AlignedControlsSize(Form, alClient, true), 0);
  EXPECT_EQ(AlignedControlsSize(Form, alNone, true), 0);
  EXPECT_EQ(TextAlignFlags(Form, taRightJustify), UINT(DT_RIGHT | DT_EXPANDTABS | DT_VCENTER));
  EXPECT_EQ(TextAlignFlags(Form, taCenter), UINT(DT_CENTER | DT_EXPANDTABS | DT_VCENTER));
  auto* Button = new TButton(Form);
  EXPECT_EQ(GetOwnerForm(Button), Form);
  EXPECT_EQ(GetOwnerForm(Form), Form);
  EXPECT_EQ(GetOwnerFrame(Button), nullptr);
  EXPECT_FALSE(ControlIsReady(Button));  // no parent
  Button->SetParent(Form);
  EXPECT_FALSE(ControlIsReady(Button));  // no window
  Button->HandleNeeded();
  EXPECT_TRUE(ControlIsReady(Button));
  EXPECT_EQ(GetRootWindow(Button->Handle()), Form->Handle());
  TRect R;
  GetClientRectInWindow(Form->Handle(), R);
  RECT W;
  GetWindowRect(Form->Handle(), &W);
  POINT O{0, 0};
  ClientToScreen(Form->Handle(), &O);
  EXPECT_EQ(R.left, O.x - W.left);
  EXPECT_EQ(R.right - R.left, Form->ClientWidth());
  Form->Free();
}

}  // namespace

namespace {

TEST(SkinSeam, CompositionIsOffUntilFormSkinningSaysOtherwise) {
  EXPECT_FALSE(DwmCompositionEnabled());
  {
    skintest::TSeamFakes Fakes(true);
    EXPECT_TRUE(DwmCompositionEnabled());
    Fakes.SetComposition(false);
    EXPECT_FALSE(DwmCompositionEnabled());
    Seam().UpdateLayeredWnd(nullptr, nullptr, 7);
    ASSERT_EQ(Fakes.Layered.size(), 1u);
    EXPECT_EQ(Fakes.Layered[0].Alpha, 7);
  }
  EXPECT_FALSE(DwmCompositionEnabled());
  EXPECT_FALSE(Seam().UpdateLayeredWnd);
}

TEST_F(SkinData, AProviderOwnerTalksThroughItsForm) {
  skintest::TFakeProvider Provider(Form);
  TsCommonData Data(&Provider, true);
  Provider.Data = &Data;
  EXPECT_EQ(Data.OwnerControl, nullptr);
  EXPECT_EQ(Data.Provider(), &Provider);
  Data.SetSkinSection("PANEL");
  EXPECT_TRUE(Data.IsSkinActive());
  EXPECT_TRUE(Data.CtrlState & CtrlStaticBg);  // a plain section on a form that is no MDI parent
  EXPECT_EQ(Data.GetBgColor(0, nullptr), 0xFFFFFF);
  Form->SetColor(0x123456);
  Data.SetCustomColor(true);
  TsBackgroundInfo Info;
  Data.FillBackgroundInfo(Info, false, nullptr);
  EXPECT_EQ(Info.BgType, 1);
  EXPECT_EQ(Info.Color, 0x123456);
  // Updates go to the provider's form.
  uitest::TRecorder R(Form, {SM_SKINCMD});
  std::vector<int> Codes;
  R.OnMessage = [&](TMessage& M) { Codes.push_back(SkinCmdCode(M)); };
  Data.BeginUpdate();
  Data.EndUpdate(false);
  EXPECT_EQ(Codes, (std::vector<int>{SkinCmdBeginUpdate, SkinCmdEndUpdate}));
  Provider.Destroying = true;
  EXPECT_FALSE(Data.IsSkinActive());
}

}  // namespace
