#pragma once
// The register of the clinic's doctors: browses the doctors table through data-bound controls and adds, changes and
// deletes doctors through the doctor routines.
#include <string>
#include <vector>

#include "core/UDMedicos.h"
#include "skin/controls/sButton.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/Forms.h"
#include "windows/UBCamposCadastro.h"

class TfrmCadastroMedicos : public TForm {
 public:
  explicit TfrmCadastroMedicos(TComponent* AOwner);
  ~TfrmCadastroMedicos() override;

  TPageControl* PageControl1;
  TTabSheet* tbsPessoais;
  TTabSheet* tbsResidenciais;
  TLabel* lblCodigo;
  TDBText* dbtCodigo;
  TDBEdit* dbeNome;
  TDBEdit* dbeRG;
  TDBEdit* dbeCPF;
  TDBEdit* dbeCRM;
  TDBRadioGroup* drgSexo;
  TDBRadioGroup* drgEstadoCivil;
  TDBEdit* dbeDataNascimento;
  TDBEdit* dbeConjuge;
  TDBEdit* dbeNaturalidade;
  TDBComboBox* dbcEstadoNaturalidade;
  TDBEdit* dbePai;
  TDBEdit* dbeMae;
  TDBEdit* dbeRua;
  TDBEdit* dbeComplemento;
  TDBEdit* dbeBairro;
  TDBEdit* dbeCidade;
  TDBComboBox* dbcEstado;
  TDBEdit* dbeCep;
  TDBEdit* dbeFone;
  TDBEdit* dbeCelular;
  TsButton* btnAdd;
  TsButton* btnAlt;
  TsButton* btnDel;
  TsButton* btnAtu;
  TsButton* btnPes;
  TsButton* btnPRI;
  TsButton* btnANT;
  TsButton* btnPRO;
  TsButton* btnULT;
  TsButton* sButton7;
  TDBNavigator* DBNavigator1;

  // "Add" or "Atualiza", set by Adicionar and Alterar.
  std::string Modo;

  void HabilitaEdicao();
  void DesabilitaEdicao();

 private:
  enum TSituacao { sNavegando, sAlterando };
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void sbtAddClick(TObject* Sender);
  void sbtAlterarClick(TObject* Sender);
  void sbtAtualizarClick(TObject* Sender);
  void sbtDelClick(TObject* Sender);
  void sbtFindClick(TObject* Sender);
  void LimparCampos();
  // Stores the edited doctor; false when the empty name was refused.
  bool Salvar();
  // Browsing (by the number of doctors) or adding and changing.
  void Situacao(TSituacao Valor);
  int CodigoAtual() const;

  std::vector<TCampoTexto<TDadosMedico>> FCampos;
};

extern TfrmCadastroMedicos* frmCadastroMedicos;
