#pragma once
// The doctor search: lists the doctors whose name, RG, CPF or CRM contains a text and positions the register on the one
// double-clicked.
#include <memory>

#include "skin/controls/sButton.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TfrmConsultaMedicos : public TForm {
 public:
  explicit TfrmConsultaMedicos(TComponent* AOwner);
  ~TfrmConsultaMedicos() override;

  TListView* lswResultado;
  TRadioGroup* rgrMedicos;
  TEdit* edtPesquisa;
  TsButton* btnLOC;
  TsButton* btnFEC;

  // Fills the list with the doctors whose chosen column contains the text.
  void Consultar();

 private:
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void lswResultadoDblClick(TObject* Sender);

  std::unique_ptr<TIBQuery> FConsulta;
};

extern TfrmConsultaMedicos* frmConsultaMedicos;
