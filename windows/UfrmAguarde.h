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

// The wait window around a long call, with the browser's timer (when there is one); it hides as soon as another
// window (a module's) becomes active, and again on every way out.
class TAguardeChamada {
 public:
  explicit TAguardeChamada(TTimer* Timer = nullptr);
  TAguardeChamada(const TAguardeChamada&) = delete;
  TAguardeChamada& operator=(const TAguardeChamada&) = delete;
  ~TAguardeChamada();

 private:
  static LRESULT CALLBACK Gancho(int Code, WPARAM W, LPARAM L);

  TTimer* timer_;
  HWND ativa_;  // the window active when the call began: its own activation keeps the wait window up
  HHOOK gancho_;
  TAguardeChamada* anterior_;
};
