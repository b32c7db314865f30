#pragma once
// The wait window that the exam browser shows around long operations.
#include "skin/controls/sPanel.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Timer.h"

class TfrmAguarde : public TForm {
 public:
  explicit TfrmAguarde(TComponent* AOwner);
  ~TfrmAguarde() override;

  TsPanel* sPanel1;
  TImage* Image1;

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmAguarde* frmAguarde;

// The wait window around a long call, with the browser's timer (when there is one) that hides it once
// a module's window is up; hidden again on every way out.
class TAguardeChamada {
 public:
  explicit TAguardeChamada(TTimer* Timer) : timer_(Timer) {
    if (frmAguarde) frmAguarde->Show();
    if (timer_) timer_->SetEnabled(true);
  }
  TAguardeChamada(const TAguardeChamada&) = delete;
  TAguardeChamada& operator=(const TAguardeChamada&) = delete;
  ~TAguardeChamada() {
    if (timer_) timer_->SetEnabled(false);
    if (frmAguarde) frmAguarde->Hide();
  }

 private:
  TTimer* timer_;
};
