#pragma once
// The report wizard of the patient selected in the exam browser: a new report from a right-eye and
// a left-eye exam with a map type, a stored report to open, or one to delete.
#include <string>

#include "skin/controls/sButton.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TfrmWizLaudo : public TForm {
 public:
  explicit TfrmWizLaudo(TComponent* AOwner);
  ~TfrmWizLaudo() override;

  TPanel* pnlTitulo;
  TLabel* lblTitulo;
  TRadioButton* rgNovoLau;
  TLabel* Label2;
  TComboBox* cmbOD;
  TLabel* Label1;
  TComboBox* cmbOS;
  TRadioGroup* rgTipoMapa;
  TRadioButton* rbLauExist;
  TComboBox* cmbEscLaudo;
  TRadioButton* rbExcLaudo;
  TComboBox* cmbExcLaudo;
  TsButton* btnOK;
  TsButton* btnCancelar;

  void rgNovoLauClick(TObject* Sender);
  void rbLauExistClick(TObject* Sender);
  void rbExcLaudoClick(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnCancelarClick(TObject* Sender);

 private:
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Escolher(TRadioButton* Botao);
  // The editor made if needed, with the patient's name and an empty tree.
  void PrepararEditor();
  void ExcluirLaudo();
};

// An entry of the report lists: "Laudo " + code + " - " + "dd/MM/yyyy" + " " + "HH:mm:ss".
std::string EntradaLaudo(int Codigo, TDateTime Data, TDateTime Hora);
// The report code of an entry: from its 7th character up to the first "-", less the blank before it.
int CodigoDaEntrada(const std::string& Entrada);

extern TfrmWizLaudo* frmWizLaudo;
// Shared with the editor: the chosen exams as listed ("Nenhum" for none) and their codes (-1 for none).
extern std::string ExameOD, ExameOS;
extern int MedidaOD, MedidaOS;
// Cleared when a stored report names an exam that no longer exists.
extern bool ExamesPresentes;
