#include "skin/engine/acThdTimer.h"

#include "toolkit/ui/Forms.h"

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner) {
  if (Application && Application->Terminated()) return;
  FEnabled = true;
  FTimer = new TTimer(this);
  FTimer->SetInterval(FInterval);
  FTimer->OnTimer = [this](TObject*) { Tick(); };
  Rearm();
}

TacThreadedTimer::~TacThreadedTimer() {
  if (FTimer) FTimer->SetEnabled(false);
}

void TacThreadedTimer::Own(TComponent* AOwner, bool OwnStep) {
  SetEnabled(false);
  FOwner = AOwner;
  if (OwnStep) SetOnTimer([this](TObject*) { DoStep(); });
}

void TacThreadedTimer::Rearm() {
  if (!FTimer) return;
  FTimer->SetEnabled(false);
  FTimer->SetEnabled(FInterval != 0 && FEnabled && FOnTimer);
}

void TacThreadedTimer::SetEnabled(bool Value) {
  FEnabled = Value;
  Rearm();
}

void TacThreadedTimer::SetInterval(unsigned Value) {
  FInterval = Value;
  if (FTimer) FTimer->SetInterval(Value);
  Rearm();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  Rearm();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority Value) {
  FThreadPriority = Value;
  Rearm();
}

void TacThreadedTimer::Tick() {
  if (!FTimer || !FTimer->Enabled() || FBusy) return;
  FBusy = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } Clear{FBusy};
  if (FOnTimer) FOnTimer(this);
}

void TacThreadedTimer::GetPublishedProperties(TPropList& List) const {
  TComponent::GetPublishedProperties(List);
  static const TPropInfo Props[] = {
      BoolProperty<TacThreadedTimer>("Enabled", &TacThreadedTimer::Enabled, &TacThreadedTimer::SetEnabled),
      OrdProperty<TacThreadedTimer>("Interval", &TacThreadedTimer::Interval, &TacThreadedTimer::SetInterval),
      OrdProperty<TacThreadedTimer>("ThreadPriority", &TacThreadedTimer::ThreadPriority,
                                    &TacThreadedTimer::SetThreadPriority,
                                    {"tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest",
                                     "tpTimeCritical"}),
  };
  for (const TPropInfo& P : Props) List.push_back(&P);
}
