#include "skin/forms/sSystemMenu.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/SkinControlsTestSupport.h"
#include "skin/engine/sSkinMenus.h"
#include "toolkit/ui/Forms.h"

namespace {

class TMenuOwner : public TsSysMenuOwner {
 public:
  explicit TMenuOwner(TCustomForm* F) : form_(F) {}
  TCustomForm* SysMenuForm() const override { return form_; }
  bool FormHadSysMenu() const override { return HadSysMenu; }
  void SetSysMinimizing(bool Value) override { Minimizing.push_back(Value); }
  bool HadSysMenu = true;
  std::vector<bool> Minimizing;

 private:
  TCustomForm* form_;
};

class SystemMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->HandleNeeded();
    Owner = std::make_unique<TMenuOwner>(Form);
  }
  void TearDown() override {
    Form->Free();
  }
  std::vector<std::string> Captions(TsSystemMenu& Menu) {
    std::vector<std::string> Result;
    for (int I = 0; I < Menu.Items()->Count(); ++I) Result.push_back(Menu.Items()->Items(I)->Caption());
    return Result;
  }
  TForm* Form = nullptr;
  std::unique_ptr<TMenuOwner> Owner;
};

TEST_F(SystemMenuTest, MirrorsTheWindowsSystemMenuWithTheProgramsItems) {
  HMENU Sys = GetSystemMenu(Form->Handle(), FALSE);
  ASSERT_NE(Sys, nullptr);
  AppendMenuA(Sys, MF_STRING, 0x0100, "Sobre\tCtrl+B");
  ModifyMenuA(Sys, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, "Close\tAlt+F4");
  TsSystemMenu Menu(nullptr, Owner.get());
  EXPECT_EQ(Menu.ExtItemsCount, 1);
  const std::vector<std::string> Want{"Restore", "Move", "Size", "Minimize", "Maximize", "-", "Sobre", "-", "Close"};
  std::vector<std::string> Got = Captions(Menu);
  for (std::string& C : Got) C.erase(std::remove(C.begin(), C.end(), '&'), C.end());
  EXPECT_EQ(Got, Want);
  for (int I = 0; I < Menu.Items()->Count(); ++I) EXPECT_NE(Menu.Items()->Items(I)->Tag(), 0xF141);
  EXPECT_EQ(Menu.ItemClose->ShortCut(), TextToShortCut("Alt+F4"));
  EXPECT_EQ(Menu.ItemMinimize->ShortCut(), scNone);
  EXPECT_EQ(Menu.ItemClose->Name(), "acIC");
  EXPECT_EQ(Menu.ItemRestore->Tag(), SC_RESTORE);
  // The program's item posts its command to the form.
  MSG M;
  while (PeekMessageA(&M, Form->Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) {
  }
  Menu.Items()->Items(6)->Click();
  ASSERT_TRUE(PeekMessageA(&M, Form->Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(M.wParam, 0x0100u);
  GetSystemMenu(Form->Handle(), TRUE);
}

TEST_F(SystemMenuTest, ItemsFollowTheForm) {
  TsSystemMenu Menu(nullptr, Owner.get());
  Menu.UpdateItems(true);
  EXPECT_TRUE(Menu.ItemMaximize->Visible());
  EXPECT_TRUE(Menu.ItemMaximize->Enabled());
  EXPECT_FALSE(Menu.ItemRestore->Enabled());
  Form->SetBorderStyle(bsDialog);
  Menu.UpdateItems(true);
  for (TMenuItem* Item : {Menu.ItemSize, Menu.ItemMinimize, Menu.ItemMaximize, Menu.ItemRestore})
    EXPECT_FALSE(Item->Visible()) << Item->Name();
  EXPECT_TRUE(Menu.ItemMove->Visible());
  EXPECT_TRUE(Menu.ItemClose->Visible());
  Owner->HadSysMenu = false;
  Menu.UpdateItems(false);
  EXPECT_FALSE(Menu.ItemClose->Visible());
}

TEST_F(SystemMenuTest, MenusMadeAtOnceHaveTheirOwnNames) {
  TsSystemMenu A(nullptr, Owner.get()), B(nullptr, Owner.get());
  EXPECT_NE(A.Name(), B.Name());
  EXPECT_EQ(A.Name().rfind("acSysMenu", 0), 0u);
}

TEST_F(SystemMenuTest, SkinsBreakIntoColumnsOfTwenty) {
  TsSystemMenu Menu(nullptr, Owner.get());
  std::vector<std::string> Names;
  for (int I = 0; I < 45; ++I) Names.push_back("Skin " + std::to_string(I));
  Menu.AddSkinItems(Names, "Skin 3");
  TMenuItem* Root = Menu.Items()->Items(0);
  EXPECT_EQ(Root->Name(), "SkinSelectItem");
  EXPECT_EQ(Root->Caption(), "Available skins");
  EXPECT_EQ(Menu.Items()->Items(1)->Caption(), "-");
  ASSERT_EQ(Root->Count(), 45);
  std::vector<int> Breaks;
  for (int I = 0; I < 45; ++I)
    if (Root->Items(I)->Break() == mbBreak) Breaks.push_back(I);
  EXPECT_EQ(Breaks, (std::vector<int>{20, 40}));
  EXPECT_TRUE(Root->Items(3)->Checked());
  EXPECT_TRUE(Root->Items(3)->RadioItem());
  EXPECT_EQ(Root->Items(44)->Name(), "SkinSelectItem44");
}

// Takes the picture of the open popup once its loop is idle, then closes it.
struct TMenuShot {
  std::unique_ptr<TBitmap> Picture;
};

LRESULT CALLBACK ShootMenu(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data) {
  if (Msg == WM_ENTERIDLE && WParam == MSGF_MENU) {
    auto* Shot = reinterpret_cast<TMenuShot*>(Data);
    if (!Shot->Picture) Shot->Picture = skintest::ScreenOf(reinterpret_cast<HWND>(LParam));
    EndMenu();
  }
  return DefSubclassProc(Wnd, Msg, WParam, LParam);
}

class SkinnedSystemMenu : public skintest::SkinnedFormTest {};

TEST_F(SkinnedSystemMenu, ShotOfAFormsSystemMenu) {
  TMenuOwner Owner(Form);
  auto* Menu = new TsSystemMenu(Form, &Owner);
  Menu->UpdateItems(false);
  Menu->SetWindowHandle(Form->Handle());
  auto* Painter = dynamic_cast<TsSkinableMenus*>(Manager->MenuPainter());
  ASSERT_NE(Painter, nullptr);
  Painter->HookPopupMenu(Menu, true);
  TMenuShot Shot;
  SetWindowSubclass(Form->Handle(), ShootMenu, 1, reinterpret_cast<DWORD_PTR>(&Shot));
  POINT At{20, 20};
  ClientToScreen(Form->Handle(), &At);
  Menu->Popup(At.x, At.y);
  uitest::Pump();
  RemoveWindowSubclass(Form->Handle(), ShootMenu, 1);
  ASSERT_TRUE(Shot.Picture);
  const int W = Shot.Picture->Width(), H = Shot.Picture->Height();
  // The captions and shortcuts are text.
  const auto Result = skintest::CompareShot(*Shot.Picture, "forms_system_menu", {TRect{24, 2, W - 4, H - 2}});
  Painter->HookPopupMenu(Menu, false);
  Menu->Free();
  MenuPainting = false;
  if (Result.Stored) GTEST_SKIP() << "reference picture written";
  EXPECT_LT(Result.Different, 0.02);
}

}  // namespace
