#pragma once
// The timer base of the engine's animations: one window timer of the toolkit on the GUI thread (no
// thread, whatever its name says), re-armed after every setting, with ticks dropped while a handler
// still runs, and a second constructor that routes ticks to the descendant's step.
#include <memory>

#include "toolkit/ui/Component.h"
#include "toolkit/ui/Timer.h"

// Stored and compared only.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TacThreadedTimer : public TComponent {
 public:
  explicit TacThreadedTimer(TComponent* AOwner);
  ~TacThreadedTimer() override;

  // A timer of class T (the virtual constructor), disabled, keeping AOwner; with OwnStep the ticks go
  // to DoStep.
  template <class T = TacThreadedTimer>
  static T* CreateOwned(TComponent* AOwner, bool OwnStep) {
    T* Timer = new T(AOwner);
    Timer->Own(AOwner, OwnStep);
    return Timer;
  }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority Value);
  bool Busy() const { return FBusy; }
  // The component given to CreateOwned.
  TComponent* Owned() const { return FOwner; }
  // The inner window timer; nullptr for a timer made while the application terminates.
  TTimer* InnerTimer() const { return FTimer; }

  // One tick of the inner timer: OnTimer unless a handler is still running.
  void Tick();
  // The descendant's animation step.
  virtual void DoStep() {}

  void GetPublishedProperties(TPropList& List) const override;
  // What CreateOwned does after construction.
  void Own(TComponent* AOwner, bool OwnStep);

 private:
  void Rearm();

  bool FEnabled = false;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  TTimer* FTimer = nullptr;
  TThreadPriority FThreadPriority = tpNormal;
  bool FBusy = false;
  TComponent* FOwner = nullptr;
};
