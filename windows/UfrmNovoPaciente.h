#pragma once
// The patient picker the exam browser opens before a new exam: a name typed, the registered
// patients whose names start with it, and either one of them picked or the name registered as a
// new patient.
#include "skin/controls/sButton.h"
#include "toolkit/ui/DBGrids.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TfrmNovoPaciente : public TForm {
 public:
  explicit TfrmNovoPaciente(TComponent* AOwner);
  ~TfrmNovoPaciente() override;

  TLabel* Label1;
  TEdit* edtNomePac;
  TLabel* Label2;
  TDBGrid* DBGrid1;
  TsButton* sButton7;  // "Continuar"
  TButton* Button1;    // "Continuar", the default button
  TsButton* sButton1;  // "Cancelar"

  // Set when a patient was chosen or added with the automatic-exam option: the browser opens the
  // new-exam wizard once the picker has closed.
  bool ExameEmSeguida = false;

 private:
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void edtNomePacKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void DBGrid1CellClick(TColumn* Column);
  void DBGrid1DblClick(TObject* Sender);
  void Button1Click(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  // Registers the typed name through the patient form; the new patient's code, 0 when none was added.
  int CadastrarNovo(const std::string& Nome);
};

extern TfrmNovoPaciente* frmNovoPaciente;
