// TSpinEdit driven by keys and clicks on its buttons: steps, limits, refused characters, text that
// is not a number.
#include <gtest/gtest.h>

#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/Spin.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class SpinTest : public uitest::ControlsTest {
 protected:
  TSpinEdit* MakeSpin() {
    auto* s = Make<TSpinEdit>(10, 10, 80, 21);
    s->SetMinValue(25);
    s->SetMaxValue(100);
    s->SetIncrement(5);
    s->SetValue(50);
    return s;
  }
};

TEST_F(SpinTest, ButtonsAndArrowKeysStepWithinTheLimits) {
  auto* spin = MakeSpin();
  EXPECT_EQ(spin->ClassName(), "TSpinEdit");
  EXPECT_EQ(spin->Text(), "50");
  int changes = 0;
  spin->OnChange = [&](TObject*) { ++changes; };
  // The buttons sit inside the edit's right edge: up in the upper half, down in the lower.
  TSpinButton* b = spin->Button();
  ASSERT_TRUE(b->HandleAllocated());
  EXPECT_EQ(GetParent(b->Handle()), spin->Handle());
  EXPECT_EQ(b->Left() + b->Width(), spin->ClientWidth());
  ClickAt(b->Handle(), 5, 2);
  EXPECT_EQ(spin->Value(), 55);
  ClickAt(b->Handle(), 5, b->Height() - 2);
  ClickAt(b->Handle(), 5, b->Height() - 2);
  EXPECT_EQ(spin->Value(), 45);
  EXPECT_EQ(changes, 3);
  // A press takes the focus to the edit.
  EXPECT_EQ(GetFocus(), spin->Handle());

  SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(spin->Text(), "50");
  for (int i = 0; i < 20; ++i) SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(spin->Value(), 100);
  for (int i = 0; i < 20; ++i) SendMessageA(spin->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(spin->Value(), 25);
  spin->SetValue(7);
  EXPECT_EQ(spin->Value(), 25);

  // Read-only: the buttons do nothing.
  spin->SetReadOnly(true);
  ClickAt(b->Handle(), 5, 2);
  EXPECT_EQ(spin->Value(), 25);

  // Equal limits mean no limits.
  auto* free = Make<TSpinEdit>(10, 40, 80, 21);
  free->SetValue(-1000);
  EXPECT_EQ(free->Value(), -1000);
  SendMessageA(free->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(free->Text(), "-1001");
}

TEST_F(SpinTest, OnlyNumbersAreTypedAndLeavingShowsTheValue) {
  auto* spin = MakeSpin();
  auto* other = Make<TSpinEdit>(10, 40, 80, 21);
  spin->SetFocus();
  Pump();
  SendMessageA(spin->Handle(), EM_SETSEL, 0, -1);
  for (const char c : std::string("7a0.\r")) SendMessageA(spin->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_EQ(spin->Text(), "70");
  EXPECT_EQ(spin->Value(), 70);

  // Beyond the limits the value is kept to them when the edit is left.
  SendMessageA(spin->Handle(), EM_SETSEL, 0, -1);
  for (const char c : std::string("500")) SendMessageA(spin->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_EQ(spin->Value(), 500);
  other->SetFocus();
  Pump();
  EXPECT_EQ(spin->Text(), "100");

  // A text that is not a number stands for MinValue, and shows it once left.
  spin->SetText("-");
  EXPECT_EQ(spin->Value(), 25);
  spin->SetFocus();
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_EQ(spin->Text(), "25");

  EXPECT_EQ(GetOrdProp(spin, "MaxValue"), 100);
  SetOrdProp(spin, "Value", 60);
  EXPECT_EQ(spin->Text(), "60");
}

}  // namespace
