#pragma once
// The tools window: the installed map modules, the system's configuration tools, the clinic's data
// and logo for the reports, the program's options and the database's figures with the reset of
// the backup flags. The options are written to the settings when the window closes.
#include <string>

#include "skin/controls/sButton.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Spin.h"
#include "toolkit/ui/StdCtrls.h"
#include "widgets/Bitmap32_Image.h"

class TfrmFerramentas : public TForm {
 public:
  explicit TfrmFerramentas(TComponent* AOwner);
  ~TfrmFerramentas() override;

  // Four texts per map module (name, kind, map count, version), handed over by the main window.
  TStrings* ListaModulos = nullptr;

  TPageControl* pgcFerramentas;
  TTabSheet* tshModulos;
  TTabSheet* tshAplicativos;
  TTabSheet* tshDadosClinica;
  TTabSheet* tshConfig;
  TTabSheet* tshBD;
  TTabSheet* TabSheet4;
  TTabSheet* tshLinguagem;
  TListView* tlvMapas;
  TListView* tlvAplicativos;
  TEdit* edtNome;
  TEdit* edtEndereco;
  TEdit* edtFone;
  TEdit* edtCidadeEstado;
  TImage32* LogoClinica;
  TGroupBox* grpImpressao;
  TCheckBox* chkDadosClinica;
  TCheckBox* chkLogoClinica;
  TCheckBox* chkNomeMedico;
  TLabel* lblIncMap;
  TEdit* EdtIncMap;
  TRadioButton* rbtEnable;
  TRadioButton* rbtDisable;
  TCheckBox* chkAneisAuto;
  TSpinEdit* edtValIndConf;
  TCheckBox* chkAutoExame;
  TCheckBox* chkSalvarCaptura;
  TRadioGroup* rgrMapaPadrao;
  TCheckBox* chkImgCentral;
  TCheckBox* chkImgLateral;
  TComboBox* cbTipoCeratometria;
  TSpinEdit* SpinEditQualidadeImagem;
  TComboBox* cbxIdioma;
  TEdit* edtTVlCentral;
  TEdit* edtTIncremento;
  TMemo* memTolerancia;
  TCheckBox* chkAutoPCaptura;
  TLabel* lblDelayAutoPCaptura;
  TEdit* edtDelayAutoPCaptura;
  TCheckBox* chkExibeGrade;
  TCheckBox* chkExibeCeratPontual;
  TLabel* lblCorCeratPontual;
  TComboBox* cbCorCeratPontual;
  TLabel* lblMedicos;
  TLabel* lblCodMedicos;
  TLabel* lblPacientes;
  TLabel* lblCodPacientes;
  TLabel* lblExames;
  TLabel* lblCodExames;
  TLabel* lblLaudos;
  TLabel* lblCodLaudos;
  TLabel* lblExamesBackup;
  TLabel* lblLaudosBackup;
  TLabel* lblTamanhoBD;
  TLabel* lblDiretorioBD;
  TLabel* lblReiniciaBackup;
  TsButton* btnZerarBackup;
  TsButton* btnFechar;
  TOpenDialog* dlgLogo;

  void StatusBD();
  // "C:\Windows\System32\" on systems that name their product in the registry, else "C:\Windows\System\".
  static std::string DiretorioSistema();

  void tlvAplicativosDblClick(TObject* Sender);
  void LogoClinicaDblClick(TObject* Sender);
  void btnZerarBackupClick(TObject* Sender);

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnFecharClick(TObject* Sender);
  void rbtEnableClick(TObject* Sender);
  void rbtDisableClick(TObject* Sender);
  void chkAutoPCapturaClick(TObject* Sender);
  void chkExibeCeratPontualClick(TObject* Sender);
  void cbxIdiomaClick(TObject* Sender);
  void CriarPaginas();
  void CriarOpcoes();
  void CriarBancoDeDados();
  void CarregarOpcoes();
  void GravarOpcoes();

  // The numeric boxes as they were shown: what a box keeps when it holds no number.
  std::string FIncMap, FIndiceConf, FQualidade, FTvlCentral, FTIncremento, FDelay;
};

extern TfrmFerramentas* frmFerramentas;

// The backup state file, in the instrument's folder.
std::string ArquivoBackUpIni();
