#include "toolkit/ui/Timer.h"

#include "toolkit/ui/Forms.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  window_ = std::make_unique<TUtilWindow>(TWndMethod(this, &TTimer::WndProc));
  UpdateTimer();
}

TTimer::~TTimer() { KillTimer(window_->Handle(), 1); }

void TTimer::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (interval_ == Value) return;
  interval_ = Value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_->Handle(), 1);
  // A timer built with its form starts once the form has loaded.
  if (enabled_ && interval_ != 0 && !(ComponentState() & csLoading)) {
    SetTimer(window_->Handle(), 1, interval_, nullptr);
  }
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
    return;
  }
  Message.Result = DefWindowProcA(window_->Handle(), Message.Msg, Message.WParam, Message.LParam);
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}
