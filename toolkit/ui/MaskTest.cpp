// TMaskEdit driven by key messages: refused keys, literals, EditText and Text, deleting, pasting,
// the check on leaving and Esc.
#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Mask.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class MaskTest : public uitest::ControlsTest {
 protected:
  TMaskEdit* MakeMask(const char* Mask) {
    auto* m = Make<TMaskEdit>(10, 10, 120, 21);
    m->SetEditMask(Mask);
    return m;
  }
  // Types Keys as the keyboard does: a key press, its character, the release.
  static void Type(TWinControl* Control, const std::string& Keys) {
    for (const char c : Keys) {
      const SHORT vk = VkKeyScanA(c);
      SendMessageA(Control->Handle(), WM_KEYDOWN, LOBYTE(vk), 1);
      SendMessageA(Control->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
      SendMessageA(Control->Handle(), WM_KEYUP, LOBYTE(vk), 0xC0000001);
    }
  }
  static void Key(TWinControl* Control, WORD Vk) {
    SendMessageA(Control->Handle(), WM_KEYDOWN, Vk, 1);
    SendMessageA(Control->Handle(), WM_KEYUP, Vk, 0xC0000001);
  }
  static int Caret(TWinControl* Control) {
    DWORD start = 0;
    SendMessageA(Control->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
  }
};

TEST_F(MaskTest, TypingFollowsTheMask) {
  auto* date = MakeMask("!99/99/0000;1;_");
  EXPECT_EQ(date->ClassName(), "TMaskEdit");
  EXPECT_TRUE(date->IsMasked());
  int changes = 0;
  date->OnChange = [&](TObject*) { ++changes; };
  date->SetFocus();
  Pump();
  EXPECT_EQ(date->EditText(), "__/__/____");
  EXPECT_EQ(date->Text(), "  /  /    ");
  EXPECT_FALSE(date->Modified());
  // Letters are refused; the literal is stepped over; a typed literal is not a digit.
  Type(date, "1a2/0x5");
  EXPECT_EQ(date->EditText(), "12/05/____");
  EXPECT_EQ(Caret(date), 6);
  EXPECT_TRUE(date->Modified());
  EXPECT_EQ(changes, 4);
  Type(date, "2020");
  EXPECT_EQ(date->EditText(), "12/05/2020");
  EXPECT_EQ(date->Text(), "12/05/2020");
  // Typing past the end changes nothing.
  Type(date, "9");
  EXPECT_EQ(date->EditText(), "12/05/2020");
}

TEST_F(MaskTest, TextAndEditTextWithAndWithoutLiterals) {
  auto* phone = MakeMask("(99) 9999-9999;0;_");
  phone->SetText("1133445566");
  EXPECT_EQ(phone->EditText(), "(11) 3344-5566");
  EXPECT_EQ(phone->Text(), "1133445566");
  phone->SetText("");
  EXPECT_EQ(phone->EditText(), "(__) ____-____");
  EXPECT_EQ(phone->Text(), "");
  phone->SetEditText("(21) 99__-____");
  EXPECT_EQ(phone->Text(), "2199");
  // Text written from outside the control goes through the mask too.
  SetWindowTextA(phone->Handle(), "4455");
  EXPECT_EQ(phone->EditText(), "(44) 55__-____");
  EXPECT_EQ(GetPropInfo(phone, "EditMask")->Kind, tkString);
  EXPECT_EQ(GetStrProp(phone, "EditMask"), "(99) 9999-9999;0;_");

  auto* date = MakeMask("!99/99/0000;1;_");
  date->SetText("07/09/1999");
  EXPECT_EQ(date->EditText(), "07/09/1999");
  // A new mask keeps the stored text; no mask at all shows it plainly.
  date->SetEditMask("");
  EXPECT_FALSE(date->IsMasked());
  EXPECT_EQ(date->Text(), "07/09/1999");
  Type(date, "x");
  EXPECT_EQ(date->Text().size(), 11u);
}

TEST_F(MaskTest, DeletingLeavesBlanksAndLiterals) {
  auto* date = MakeMask("!99/99/0000;1;_");
  date->SetText("12/05/2020");
  date->SetFocus();
  Pump();
  SendMessageA(date->Handle(), EM_SETSEL, 3, 3);
  Type(date, "\b");
  EXPECT_EQ(date->EditText(), "1_/05/2020");
  EXPECT_EQ(Caret(date), 1);
  SendMessageA(date->Handle(), EM_SETSEL, 0, 0);
  Key(date, VK_DELETE);
  EXPECT_EQ(date->EditText(), "__/05/2020");
  SendMessageA(date->Handle(), EM_SETSEL, 4, 8);
  Key(date, VK_DELETE);
  EXPECT_EQ(date->EditText(), "__/0_/__20");
  // Typing over a selection blanks it first.
  SendMessageA(date->Handle(), EM_SETSEL, 6, 10);
  Type(date, "1");
  EXPECT_EQ(date->EditText(), "__/0_/1___");
}

TEST_F(MaskTest, PasteAndCutGoThroughTheMask) {
  auto* phone = MakeMask("(99) 9999-9999;0;_");
  phone->SetFocus();
  Pump();
  auto putClipboard = [&](const char* Text) {
    ASSERT_TRUE(OpenClipboard(phone->Handle()));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, std::strlen(Text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(mem)), Text);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
  };
  putClipboard("(11) 3344");
  SendMessageA(phone->Handle(), EM_SETSEL, 0, 0);
  SendMessageA(phone->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(phone->EditText(), "(11) 3344-____");
  // Pasting stops at the first character that does not fit.
  putClipboard("55x66");
  SendMessageA(phone->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(phone->EditText(), "(11) 3344-55__");
  SendMessageA(phone->Handle(), EM_SETSEL, 1, 3);
  SendMessageA(phone->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(phone->EditText(), "(__) 3344-55__");
  EXPECT_EQ(phone->Text(), "  334455");
}

TEST_F(MaskTest, LeavingAnIncompleteChangeIsRefused) {
  TDialogScript script;
  auto* date = MakeMask("!99/99/0000;1;_");
  auto* other = Make<TEdit>(10, 40, 120, 21);
  // An untouched empty date may be left.
  date->SetFocus();
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_TRUE(script.Log().empty());
  EXPECT_EQ(GetFocus(), other->Handle());

  date->SetFocus();
  Pump();
  Type(date, "1205");
  other->SetFocus();
  Pump();
  // (Focus taken back and forth by windows of other tests on the display may repeat the check.)
  ASSERT_GE(script.Log().size(), 1u);
  for (const auto& entry : script.Log()) {
    EXPECT_EQ(entry.Text, "Valor de entrada inválido. Use a tecla Esc para abandonar as alterações.");
  }
  const size_t refused = script.Log().size();
  EXPECT_EQ(GetFocus(), date->Handle());
  EXPECT_EQ(Caret(date), 6);

  // Esc takes the change back; the edit may then be left.
  Key(date, VK_ESCAPE);
  EXPECT_EQ(date->EditText(), "__/__/____");
  EXPECT_FALSE(date->Modified());
  other->SetFocus();
  Pump();
  EXPECT_EQ(script.Log().size(), refused);
  EXPECT_EQ(GetFocus(), other->Handle());

  // A complete date passes.
  date->SetFocus();
  Pump();
  Type(date, "01012001");
  EXPECT_NO_THROW(date->ValidateEdit());
  other->SetFocus();
  Pump();
  EXPECT_EQ(script.Log().size(), refused);
  EXPECT_EQ(date->Text(), "01/01/2001");
}

}  // namespace
