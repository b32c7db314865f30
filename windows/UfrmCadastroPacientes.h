#pragma once
// One patient's record on two pages, to add a new patient ("Add") or change the current one
// ("Atualiza"); the exam browser and the patient picker open it.
#include <string>
#include <vector>

#include "core/UDPacientes.h"
#include "skin/controls/sButton.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/Forms.h"
#include "windows/UBCamposCadastro.h"

class TfrmCadastroPacientes : public TForm {
 public:
  explicit TfrmCadastroPacientes(TComponent* AOwner);
  ~TfrmCadastroPacientes() override;

  TPageControl* PageControl1;
  TTabSheet* tbsPessoais;
  TTabSheet* tbsResidenciais;
  TLabel* lblCodigo;
  TDBText* dbtCodigo;
  TDBEdit* dbeNome;
  TDBEdit* dbeRG;
  TDBEdit* dbeCPF;
  TDBRadioGroup* drgSexo;
  TDBRadioGroup* drgEstadoCivil;
  TDBEdit* dbeDataNascimento;
  TDBEdit* dbeConjuge;
  TDBEdit* dbeNaturalidade;
  TDBComboBox* dbcEstadoNaturalidade;
  TDBEdit* dbePai;
  TDBEdit* dbeMae;
  TDBEdit* dbeProfissao;
  TDBEdit* dbeConvenio;
  TDBComboBox* dbcTipoSang;
  TDBEdit* dbeRua;
  TDBEdit* dbeComplemento;
  TDBEdit* dbeBairro;
  TDBEdit* dbeCidade;
  TDBComboBox* dbcEstado;
  TDBEdit* dbeCEP;
  TDBEdit* dbeFone;
  TDBEdit* dbeCelular;
  TsButton* btnCON;
  TsButton* btnCAN;
  TsButton* btnAJU;

  // "Add" or "Atualiza", set by the opener before the form is shown.
  std::string Modo;

  void HabilitaEdicao();
  void DesabilitaEdicao();

 private:
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void sbtOkClick(TObject* Sender);
  void sbtCancelarClick(TObject* Sender);
  void drgEstadoCivilChange(TObject* Sender);

  std::vector<TCampoTexto<TDadosPaciente>> FCampos;
};

// The patient the form added last, for the picker and the browser.
struct TUltimoPaciente {
  int Codigo = 0;
  std::string Nome;
};
extern TUltimoPaciente UltimoPaciente;

extern TfrmCadastroPacientes* frmCadastroPacientes;
