// A form's menu bar: shown on the form's window, kept when the window is made anew, commands and
// shortcuts reach the items, and the bar goes with the menu.
#include <gtest/gtest.h>

#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/Menus.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class FormMenuTest : public uitest::ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    menu = new TMainMenu(form);
    arquivo = Item(menu->Items(), "&Arquivo");
    gravar = Item(arquivo, "&Gravar");
    gravar->SetShortCut(TextToShortCut("Ctrl+G"));
    gravar->OnClick = [this](TObject*) { ++saves; };
  }
  TMenuItem* Item(TMenuItem* Parent, const char* Caption) {
    auto* item = new TMenuItem(form);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
  }
  TMainMenu* menu = nullptr;
  TMenuItem* arquivo = nullptr;
  TMenuItem* gravar = nullptr;
  int saves = 0;
};

TEST_F(FormMenuTest, TheBarShowsAndCommandsReachTheItems) {
  const int clientBefore = form->ClientHeight();
  form->SetMenu(menu);
  Pump();
  EXPECT_EQ(form->Menu(), menu);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(menu->WindowHandle(), form->Handle());
  EXPECT_LT(form->ClientHeight(), clientBefore);
  // The command the bar sends when an item is chosen.
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(gravar->Command(), 0), 0);
  EXPECT_EQ(saves, 1);
  // A new entry of the bar shows at once.
  Item(menu->Items(), "A&juda");
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 2);

  // Made anew, the window gets the bar again, and the bar outlives the old window.
  const HMENU bar = menu->Handle();
  form->RecreateWnd();
  Pump();
  EXPECT_EQ(GetMenu(form->Handle()), bar);
  EXPECT_TRUE(IsMenu(bar));
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(gravar->Command(), 0), 0);
  EXPECT_EQ(saves, 2);

  form->SetMenu(nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_TRUE(IsMenu(bar));
}

TEST_F(FormMenuTest, ShortcutsOfTheBarWorkFromAnyControl) {
  form->SetMenu(menu);
  auto* edit = Make<TEdit>(10, 10, 100, 21);
  edit->SetFocus();
  Pump();
  BYTE keys[256] = {}, saved[256] = {};
  GetKeyboardState(saved);
  std::copy(saved, saved + 256, keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(edit->Handle(), WM_KEYDOWN, 'G', 1);
  Pump();
  SetKeyboardState(saved);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(edit->Text(), "");
  // Without Ctrl the key is not a shortcut.
  PostMessageA(edit->Handle(), WM_KEYDOWN, 'G', 1);
  Pump();
  EXPECT_EQ(saves, 1);
  // A disabled item takes no shortcut.
  gravar->SetEnabled(false);
  SetKeyboardState(keys);
  PostMessageA(edit->Handle(), WM_KEYDOWN, 'G', 1);
  Pump();
  SetKeyboardState(saved);
  EXPECT_EQ(saves, 1);
}

TEST_F(FormMenuTest, FreeingTheMenuTakesTheBarAway) {
  form->SetMenu(menu);
  Pump();
  menu->Free();
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  // The property by name.
  EXPECT_TRUE(IsPublishedProp(form, "BorderIcons"));
}

}  // namespace
