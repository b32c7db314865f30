#pragma once
// The About box: the program's version, the cone, the capture and processing modules and the
// registered owner of the computer.
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TfrmSobre : public TForm {
 public:
  explicit TfrmSobre(TComponent* AOwner);
  ~TfrmSobre() override;

  TLabel* lblTitulo;
  TLabel* lblversao;
  TLabel* lblConeDesc1;
  TLabel* lblConeDesc2;
  TLabel* lblConeVersao1;
  TLabel* lblConeVersao2;
  // Capture, processing, orthokeratology capture and orthokeratology processing modules.
  TLabel* lblModuloDesc[4];
  TLabel* lblModuloVersao[4];
  TLabel* lblUsuario;
  TLabel* lblEmpresa;
  TsButton* btnFECH;

 private:
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnFECHClick(TObject* Sender);
};

extern TfrmSobre* frmSobre;
