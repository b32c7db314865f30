#pragma once
// The backup window: copies the exams and reports not yet on a medium through the backup module,
// flags them, copies the database and the backup state file to the medium, restores them, and edits
// the automatic-backup options.
#include <string>
#include <utility>
#include <vector>

#include "skin/controls/sButton.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ComCtrls_UpDown.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"
#include "widgets/hhcomponent.h"

class TfrmBackup : public TForm {
 public:
  explicit TfrmBackup(TComponent* AOwner);
  ~TfrmBackup() override;

  TLabel* Label1;
  TLabel* Label2;  // exams without backup
  TLabel* Label3;
  TLabel* Label4;  // reports without backup
  TMemo* memDetalhes;
  TLabel* lblStatusBkp;
  TLabel* lblAvisoBackup;
  TProgressBar* pgbBackup;
  TGroupBox* grpAutomatico;
  TRadioButton* rbtPeriodo;
  TEdit* edtPeriodo;
  TUpDown* UpDown1;
  TComboBox* cbxPeriodo;
  TRadioButton* rbtExames;
  TEdit* edtExames;
  TUpDown* UpDown2;
  TRadioButton* rbtNunca;
  TsButton* btnIniciarBkp;
  TsButton* btnRestaurar;
  TsButton* sbtFechar;
  TsButton* btnAjuda;
  TsSkinManager* sSkinManager1;
  TsSkinProvider* sSkinProvider1;
  THtmlHelp* HtmlHelp1;

  std::string Drive;  // the module's drive, "X:\"
  bool autoStart = false;

  void CarregarInfoBackup();
  // The offer of the automatic backup; on Yes the window shows itself and backs up at once.
  void PerguntarBackupAutomatico();
  // Size in KB of the database folder's files and the backup state file.
  static int64_t TamanhoBackup();
  // True when the drive's size can be read; a beep when not.
  static bool DrivePronto(char Letra);
  // Writes the label file "zip.dat" of a new disc; true when it is there afterwards.
  static bool GravarRotuloDisco(const std::string& Unidade, int Numero);

  void FormShow(TObject* Sender);
  void sbtFecharClick(TObject* Sender);
  void btnIniciarBkpClick(TObject* Sender);
  void btnRestaurarClick(TObject* Sender);

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  // The codes and file names of the exams (reports) without backup whose files exist, in list order;
  // the missing ones are logged and left as they are.
  void PrepararExames(std::vector<int>& Codigos, TStringList& Arquivos);
  void PrepararLaudos(std::vector<int>& Codigos, TStringList& Arquivos);
  void Status(const std::string& Texto);
  // The new-disc steps of a medium that is full; false when the backup ends there.
  bool NovoDisco();
  // The backup text the module gave each exam and report, by code.
  struct TMarcas {
    std::vector<std::pair<int, std::string>> Exames, Laudos;
  };
  // Copies the database folder and the state file to the medium with the database detached, beside
  // the medium's previous copy; the new copy must attach and take the marks before it replaces the
  // previous one. False, with the error shown, when it failed (the previous copy is then untouched).
  bool CopiarBancoParaBackup(const TMarcas& Marcas);
};

extern TfrmBackup* frmBackup;
