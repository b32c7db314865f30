#pragma once
// The main window: the start screen with its seven buttons, the start-up of the workstation on its
// first activation, and the discovery of the installed map modules.
#include <memory>
#include <string>

#include "core/UBIniSettings.h"
#include "core/UBMapOperation.h"
#include "core/UBRegConfig.h"
#include "core/UBScreenConfig.h"
#include "core/UBVersionInfo.h"
#include "skin/controls/sButton.h"
#include "skin/engine/acAlphaImageList.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "widgets/hhcomponent.h"

class TfrmPrincipal : public TForm {
 public:
  explicit TfrmPrincipal(TComponent* AOwner);
  ~TfrmPrincipal() override;

  TImage* Image1;
  TImage* Image2;
  TImage* Image3;
  TImage* imgSobre;
  TsButton* btnBrowser;
  TsButton* btnDoctor;
  TsButton* btnCalibration;
  TsButton* btnTools;
  TsButton* btnBackup;
  TsButton* btnHelp;
  TsButton* btnExit;
  TsSkinManager* sSkinManager1;
  TsSkinProvider* sSkinProvider1;
  TsAlphaImageList* img32;
  TsAlphaImageList* img16;
  THtmlHelp* HtmlHelp1;

  // The one-time preparation of the workstation.
  void StartUp();
  // Lists the map modules of Folder (last name first) and gives the browser a button for each.
  void LoadMapModules(const std::string& Folder, bool WithProgress);
  void AddMapModule(const std::string& Name);
  // The left and right 24 x 24 squares of a 48 x 24 button picture.
  static void SplitButtonGlyph(TBitmap* Source, TBitmap* Normal, TBitmap* Hot);

  // Four entries per module: name, "Simples" or "Wizard", number of maps, file version.
  TStringList* ListaModulos() const { return FModulos.get(); }

  // The application's activation (and the first show when none comes): the start-up until it has
  // completed once, never inside itself.
  void ApplicationEvents1Activate(TObject* Sender);

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void btnBrowserClick(TObject* Sender);
  void btnCalibrationClick(TObject* Sender);
  void btnToolsClick(TObject* Sender);
  void btnBackupClick(TObject* Sender);
  void btnDoctorClick(TObject* Sender);
  void btnHelpClick(TObject* Sender);
  void btnExitClick(TObject* Sender);
  void imgSobreClick(TObject* Sender);
  void Image3Click(TObject* Sender);
  void StepDatabase();
  void StepMapModules();
  void StepModuleInfo();
  void StepBackupAutomatico();
  void SplashProgress(int Position);
  void RestaurarRegional();

  std::unique_ptr<TStringList> FModulos;
  std::unique_ptr<TBRegConfig> FRegConfig;
  std::unique_ptr<TBScreenResolution> FScreen;
  std::string FPastaMapas;
  int FContadorImagens = 1;
  bool FProgresso = false;
  bool FIniciando = false;
  // The start-up could not load the settings and closed the program: it does not run again.
  bool FEncerrando = false;
  bool FPrimeiraExibicao = true;
};

extern TfrmPrincipal* frmPrincipal;
// StartedUp: the start-up has completed; DatabaseOk: what its database step found.
extern bool StartedUp;
extern bool DatabaseOk;
// The settings, the program's version information and the map-data object, for the whole run.
extern std::unique_ptr<TBIniSettings> BIniSettings;
extern std::unique_ptr<TBVersionInfo> BVersionInfo;
extern std::unique_ptr<TBMapOperation> BMapOperation;
