#pragma once
// The wait window that the exam browser shows around long operations.
#include "skin/controls/sPanel.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

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
