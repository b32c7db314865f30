// The threaded timer over one window timer, ticked directly.
#include <windows.h>

#include "skin/engine/acThdTimer.h"

#include <gtest/gtest.h>

#include "toolkit/ui/UiTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

class TStepper : public TacThreadedTimer {
 public:
  using TacThreadedTimer::TacThreadedTimer;
  void DoStep() override { ++Steps; }
  int Steps = 0;
};

TEST(ThreadedTimer, RearmsAfterEverySetting) {
  std::unique_ptr<TacThreadedTimer> T(new TacThreadedTimer(nullptr));
  EXPECT_TRUE(T->Enabled());
  EXPECT_EQ(T->Interval(), 1000u);
  EXPECT_EQ(T->ThreadPriority(), tpNormal);
  ASSERT_NE(T->InnerTimer(), nullptr);
  EXPECT_FALSE(T->InnerTimer()->Enabled());  // no handler yet
  int Ticks = 0;
  T->SetOnTimer([&](TObject* Sender) {
    EXPECT_EQ(Sender, T.get());
    ++Ticks;
  });
  EXPECT_TRUE(T->InnerTimer()->Enabled());
  T->SetInterval(0);
  EXPECT_FALSE(T->InnerTimer()->Enabled());
  T->Tick();
  EXPECT_EQ(Ticks, 0);  // a stopped timer does not tick
  T->SetInterval(40);
  EXPECT_TRUE(T->InnerTimer()->Enabled());
  EXPECT_EQ(T->InnerTimer()->Interval(), 40u);
  T->SetEnabled(false);
  T->SetInterval(0);
  T->SetInterval(50);
  EXPECT_FALSE(T->InnerTimer()->Enabled());  // back only while enabled
  T->SetEnabled(true);
  EXPECT_TRUE(T->InnerTimer()->Enabled());
  T->SetThreadPriority(tpHigher);
  EXPECT_EQ(T->ThreadPriority(), tpHigher);
  EXPECT_TRUE(T->InnerTimer()->Enabled());
  T->SetOnTimer(nullptr);
  EXPECT_FALSE(T->InnerTimer()->Enabled());
}

TEST(ThreadedTimer, ATickDuringAHandlerIsDropped) {
  std::unique_ptr<TacThreadedTimer> T(new TacThreadedTimer(nullptr));
  int Ticks = 0;
  T->SetOnTimer([&](TObject*) {
    ++Ticks;
    EXPECT_TRUE(T->Busy());
    T->Tick();  // as a handler that pumps messages would let one in
  });
  T->Tick();
  EXPECT_EQ(Ticks, 1);
  EXPECT_FALSE(T->Busy());
  T->Tick();
  EXPECT_EQ(Ticks, 2);
}

TEST(ThreadedTimer, CreateOwnedRoutesTicksToTheStep) {
  TComponent Owner(nullptr);
  auto* S = TacThreadedTimer::CreateOwned<TStepper>(&Owner, true);
  EXPECT_EQ(S->Owner(), &Owner);
  EXPECT_EQ(S->Owned(), &Owner);
  EXPECT_FALSE(S->Enabled());
  EXPECT_FALSE(S->InnerTimer()->Enabled());
  S->SetInterval(12);
  S->SetEnabled(true);
  EXPECT_TRUE(S->InnerTimer()->Enabled());
  S->Tick();
  S->Tick();
  EXPECT_EQ(S->Steps, 2);
  auto* Plain = TacThreadedTimer::CreateOwned<TStepper>(&Owner, false);
  Plain->SetEnabled(true);
  EXPECT_FALSE(Plain->InnerTimer()->Enabled());  // no handler: no ticks
  Plain->Tick();
  EXPECT_EQ(Plain->Steps, 0);
}

}  // namespace
