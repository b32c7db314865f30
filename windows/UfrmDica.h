#pragma once
// The search tip of the exam browser.
#include "skin/controls/sButton.h"
#include "skin/controls/sEdit.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TfrmDica : public TForm {
 public:
  explicit TfrmDica(TComponent* AOwner);
  ~TfrmDica() override;

  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TsEdit* sEdit1;
  TsButton* sButton7;

 private:
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmDica* frmDica;
