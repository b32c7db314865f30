// The start-up of the workstation: settings, records, database, map modules and module information.
#include "core/UBBackupRegras.h"
#include "core/UBConstantes.h"
#include "core/UBInfoDLL.h"
#include "core/UBModuleStream.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UBGravacaoExame.h"
#include "windows/UBRestauracao.h"
#include "windows/UfrmBackup.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "windows/UfrmStarting.h"

namespace {

// Asks a capture or processing module (description Tipo 2 or 3) for its information text; the
// text itself is not kept. A module that does not load is skipped.
void LerInfoModulo(const std::string& Path, int Tipo) {
  if (!CarregarInfoDLL(Path, Tipo)) return;
  TMemoryStream stream;
  TStreamModulo modulo(stream);
  (Tipo == 2 ? InfoDLL : InfoDLL2)(&modulo);
  stream.SetPosition(0);
  TStringList linhas;
  linhas.LoadFromStream(&stream);
  LiberarInfoDLL();
}

}  // namespace

void TfrmPrincipal::StartUp() {
  if (!BVersionInfo) {
    BVersionInfo = std::make_unique<TBVersionInfo>();
    BVersionInfo->LoadFromFile(Application->ExeName());
  }
  BIniSettings = std::make_unique<TBIniSettings>();
  InfosMZ.Tipo = 1;
  bool carregado = false;
  try {
    carregado = BIniSettings->LoadAll();
  } catch (const EConvertError&) {
  }
  if (!carregado) {
    Application->MessageBox("Erro ao carregar o arquivo de configuração", "Informação", MB_ICONEXCLAMATION);
    FEncerrando = true;
    Close();
    return;
  }
  BIniSettings->WriteParam("Str", "MZ", "TIPO", std::to_string(InfosMZ.Tipo), false);
  InfosMZ.NumAneis = 32;
  CopySettingsToRecords(*BIniSettings);
  Repaint();
  if (!frmIniciando) frmIniciando = new TfrmIniciando(Application);
  frmIniciando->Show();
  frmIniciando->Repaint();
  try {
    StepDatabase();
    DatabaseOk = true;
    StepMapModules();
    StepModuleInfo();
    StartedUp = true;
  } catch (...) {
    if (frmIniciando) frmIniciando->Close();
    throw;
  }
  frmIniciando->Close();
  StepBackupAutomatico();
}

void TfrmPrincipal::StepBackupAutomatico() {
  if (InfosMZ.BackupAuto <= 0) return;
  if (!frmBackup) frmBackup = new TfrmBackup(Application);
  frmBackup->CarregarInfoBackup();
  std::vector<std::string> detalhes;
  for (int i = 0; i < frmBackup->memDetalhes->Lines()->Count(); ++i)
    detalhes.push_back((*frmBackup->memDetalhes->Lines())[i]);
  const TOpcoesBackupAuto opcoes{InfosMZ.BackupAuto, InfosMZ.BackupAutoOp1_1, InfosMZ.BackupAutoOp1_2,
                                 InfosMZ.BackupAutoOp2};
  if (BackupAutomaticoDevido(Now(), TextoUltimoBackup(detalhes), opcoes, StrToIntDef(frmBackup->Label2->Caption(), 0)))
    frmBackup->PerguntarBackupAutomatico();
  if (frmBackup) frmBackup->Close();
}

void TfrmPrincipal::SplashProgress(int Position) {
  if (frmIniciando) frmIniciando->PBProgress->SetPosition(Position);
}

void TfrmPrincipal::StepDatabase() {
  frmIniciando->ImgStep1->SetVisible(true);
  SplashProgress(0);
  frmIniciando->Repaint();
  const std::string arquivo = std::string(PathsMZ.BancoDados) + "\\DATABASE.GDB";
  // What a stopped restore changed goes back before anything reads the database.
  DesfazerRestauracaoInterrompida();
  // A fresh installation gets its database from the schema.
  TDMPrincipal::PCreateDataBase(arquivo);
  DatabaseOk = DMPrincipal->PSetDataBaseName(arquivo);
  if (DatabaseOk) ConcluirGravacoesInterrompidas();
  if (!DatabaseOk)
    Application->MessageBox(std::string("Não foi possível conectar com o banco de dados, entre em contato com o nosso "
                                        "suporte técnico. \rTelefone: ") +
                                TelefoneSuporte,
                            "Informação", MB_ICONEXCLAMATION);
  SplashProgress(50);
  frmIniciando->Repaint();
  frmIniciando->ImgStep2->SetVisible(true);
  SplashProgress(100);
  frmIniciando->Repaint();
}

void TfrmPrincipal::StepMapModules() {
  if (DirectoryExists(PathsMZ.DirMapas)) {
    frmIniciando->ImgStep3->SetVisible(true);
    frmIniciando->Repaint();
    SplashProgress(0);
    if (!frmExames) {
      frmExames = new TfrmExames(Application);
      frmExames->SetVisible(false);
    }
    LoadMapModules(PathsMZ.DirMapas, true);
  }
  SplashProgress(100);
}

void TfrmPrincipal::StepModuleInfo() {
  SplashProgress(0);
  frmIniciando->ImgStep4->SetVisible(true);
  frmIniciando->Repaint();
  LerInfoModulo(PathsMZ.Processamento, 2);
  SplashProgress(50);
  LerInfoModulo(PathsMZ.Digitalizacao, 3);
  SplashProgress(100);
}
