#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, from a window timer on the GUI thread.
#include <memory>

#include "toolkit/ui/Controls.h"
#include "toolkit/ui/UtilWindow.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned Value);

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();
  void Loaded() override;

 private:
  void WndProc(TMessage& Message);
  void UpdateTimer();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::unique_ptr<TUtilWindow> window_;
};
