#pragma once
// The start-up splash: four step rows with their tick pictures and a progress bar, moved along by
// the start-up of the main window.
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

class TfrmIniciando : public TForm {
 public:
  explicit TfrmIniciando(TComponent* AOwner);
  ~TfrmIniciando() override;

  TsPanel* sPanel1;
  TImage* ImgStep1;
  TImage* ImgStep2;
  TImage* ImgStep3;
  TImage* ImgStep4;
  TsLabelFX* lblStep1;
  TsLabelFX* lblStep2;
  TsLabelFX* lblStep3;
  TsLabelFX* lblStep4;
  TProgressBar* PBProgress;

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmIniciando* frmIniciando;
