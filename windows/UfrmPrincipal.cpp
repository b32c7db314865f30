#include "windows/UfrmPrincipal.h"

#include "core/UDMedicos.h"
#include "core/UBConstantes.h"
#include "skin/engine/sDefaultSkin.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UBArtes.h"
#include "windows/UBShell.h"
#include "windows/UfrmBackup.h"
#include "windows/UfrmCadastroMedicos.h"
#include "windows/UfrmCalibracao.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmFerramentas.h"
#include "windows/UfrmSobre.h"

TfrmPrincipal* frmPrincipal = nullptr;
bool StartedUp = false;
bool DatabaseOk = true;
std::unique_ptr<TBIniSettings> BIniSettings;
std::unique_ptr<TBVersionInfo> BVersionInfo;
std::unique_ptr<TBMapOperation> BMapOperation;

namespace {

// Posted after the first show: without a window manager no activation may ever come.
constexpr UINT WM_INICIAR = WM_APP + 1;
// Where Image3 leads.
const char kEnderecoSite[] = "https://www.mz3100.example/";

}  // namespace

TfrmPrincipal::TfrmPrincipal(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmPrincipal");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetColor(clSilver);
    SetHelpContext(1);
    SetCaption("MZ3100VXE");
    SetClientWidth(802);
    SetClientHeight(596);
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(0, 0, 801, 601);
    CarregarArte(Image1->Picture(), "PRINCIPAL_FUNDO");
    Image2 = new TImage(this);
    Image2->SetName("Image2");
    Image2->SetParent(this);
    Image2->SetBounds(0, -66, 802, 143);
    Image2->SetVisible(false);
    CarregarArte(Image2->Picture(), "PRINCIPAL_TOPO");
    Image2->OnClick = [this](TObject* Sender) { imgSobreClick(Sender); };
    Image3 = new TImage(this);
    Image3->SetName("Image3");
    Image3->SetParent(this);
    Image3->SetBounds(568, 504, 233, 97);
    Image3->SetCursor(crHandPoint);
    Image3->OnClick = [this](TObject* Sender) { Image3Click(Sender); };
    imgSobre = new TImage(this);
    imgSobre->SetName("imgSobre");
    imgSobre->SetParent(this);
    imgSobre->SetBounds(32, 32, 737, 113);
    imgSobre->SetTransparent(true);
    imgSobre->OnClick = [this](TObject* Sender) { imgSobreClick(Sender); };
    struct TBotao {
      TsButton** Campo;
      const char* Nome;
      int Top;
      const char* Caption;
    };
    const TBotao botoes[] = {
        {&btnBrowser, "btnBrowser", 206, "Navegador"},  {&btnDoctor, "btnDoctor", 260, "Médicos"},
        {&btnCalibration, "btnCalibration", 314, "Calibração"}, {&btnTools, "btnTools", 369, "Ferramentas"},
        {&btnBackup, "btnBackup", 423, "Backup"},       {&btnHelp, "btnHelp", 477, "Ajuda"},
        {&btnExit, "btnExit", 531, "Sair"},
    };
    for (const TBotao& b : botoes) {
      TsButton* botao = *b.Campo = new TsButton(this);
      botao->SetName(b.Nome);
      botao->SetParent(this);
      botao->SetBounds(66, b.Top, 130, 35);
      botao->SetCursor(crHandPoint);
      botao->Font()->SetName("MS Sans Serif");
      botao->Font()->SetHeight(-16);
      botao->Font()->SetStyle(fsBold);
      botao->SetCaption(b.Caption);
    }
    btnBrowser->OnClick = [this](TObject* Sender) { btnBrowserClick(Sender); };
    btnCalibration->OnClick = [this](TObject* Sender) { btnCalibrationClick(Sender); };
    btnTools->OnClick = [this](TObject* Sender) { btnToolsClick(Sender); };
    btnBackup->OnClick = [this](TObject* Sender) { btnBackupClick(Sender); };
    btnDoctor->OnClick = [this](TObject* Sender) { btnDoctorClick(Sender); };
    btnHelp->OnClick = [this](TObject* Sender) { btnHelpClick(Sender); };
    btnExit->OnClick = [this](TObject* Sender) { btnExitClick(Sender); };
    sSkinManager1 = new TsSkinManager(this);
    sSkinManager1->SetName("sSkinManager1");
    ReadDefaultSkin(*sSkinManager1->InternalSkins().Add(), nullptr);
    sSkinManager1->AnimEffects()->FormShow()->SetTime(100);
    sSkinManager1->MenuSupport()->SetIcoLineSkin("ICOLINE");
    sSkinManager1->SetSkinningRules(1 << srStdForms | 1 << srStdDialogs);
    // A skin that does not load leaves the program unskinned, not without its main window.
    try {
      sSkinManager1->SetSkinName("WEB2");
    } catch (const std::exception&) {
    }
    sSkinProvider1 = new TsSkinProvider(this);
    sSkinProvider1->SetName("sSkinProvider1");
    sSkinProvider1->SetAllowExtBorders(false);
    img32 = new TsAlphaImageList(this);
    img32->SetName("img32");
    img32->SetWidth(32);
    img32->SetHeight(32);
    PreencherLista(img32, "IMG32_", 16);
    img16 = new TsAlphaImageList(this);
    img16->SetName("img16");
    PreencherLista(img16, "IMG16_", 2);
    HtmlHelp1 = new THtmlHelp(this);
    HtmlHelp1->SetName("HtmlHelp1");
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
  });
  Application->OnActivate = [this](TObject* Sender) { ApplicationEvents1Activate(Sender); };
}

TfrmPrincipal::~TfrmPrincipal() {
  if (Application) Application->OnActivate = nullptr;
  if (frmPrincipal == this) frmPrincipal = nullptr;
}

void TfrmPrincipal::FormCreate(TObject*) {
  StartedUp = false;
  DatabaseOk = true;
  FormatSettings.ShortDateFormat = "dd/MM/yyyy";
  FormatSettings.LongTimeFormat = "HH:mm:ss";
  FormatSettings.TimeAMString.clear();
  FormatSettings.TimePMString.clear();
  FormatSettings.DecimalSeparator = '.';
  BMapOperation = std::make_unique<TBMapOperation>();
  FRegConfig = std::make_unique<TBRegConfig>();
  FRegConfig->ReadCurrent();
  FRegConfig->SetWanted(".", "dd/MM/yyyy", ",", "HH:mm:ss", "", "");
  FRegConfig->ApplyWanted();
  HtmlHelp1->SetChmFile(ExtractFileDir(Application->ExeName()) + "\\ajuda\\AjudaPrincipal.chm");
  FScreen = std::make_unique<TBScreenResolution>();
  FScreen->SaveCurrent();
  FScreen->SetWanted(800, 600);
  FScreen->ApplyWanted();
  SetWidth(800);
  SetHeight(600);
}

void TfrmPrincipal::FormShow(TObject*) {
  if (!FPrimeiraExibicao) return;
  FPrimeiraExibicao = false;
  PostMessageA(Handle(), WM_INICIAR, 0, 0);
}

void TfrmPrincipal::WndProc(TMessage& Message) {
  if (Message.Msg != WM_INICIAR) {
    TForm::WndProc(Message);
    return;
  }
  try {
    ApplicationEvents1Activate(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TfrmPrincipal::ApplicationEvents1Activate(TObject*) {
  // The start-up's boxes run modal loops in which the activation comes again.
  if (StartedUp || FIniciando || FEncerrando) return;
  FIniciando = true;
  struct TFim {
    bool& Flag;
    ~TFim() { Flag = false; }
  } fim{FIniciando};
  StartUp();
}

// The taskbar is never hidden, so nothing is shown again here.
void TfrmPrincipal::FormClose(TObject*, TCloseAction& Action) {
  RestaurarRegional();
  FModulos.reset();
  BIniSettings.reset();
  BVersionInfo.reset();
  Action = caFree;
  if (frmPrincipal == this) frmPrincipal = nullptr;
}

// The user's regional values come back once, whether the window closes or is destroyed without closing.
void TfrmPrincipal::RestaurarRegional() {
  if (!FRegConfig) return;
  FRegConfig->RestoreSaved();
  FRegConfig.reset();
}

void TfrmPrincipal::FormDestroy(TObject*) {
  RestaurarRegional();
  if (!FScreen) return;
  FScreen->RestoreSaved();
  FScreen.reset();
}

void TfrmPrincipal::btnBrowserClick(TObject*) {
  if (TDMedicos::CountMedicos() == 0) {
    Application->MessageBox("Será necessário cadastrar um médico antes de utilizar o navegador.", "Informação",
                            MB_ICONINFORMATION);
    return;
  }
  if (!frmExames) {
    frmExames = new TfrmExames(Application);
    LoadMapModules(PathsMZ.DirMapas, false);
  }
  frmExames->ShowModal();
}

void TfrmPrincipal::btnCalibrationClick(TObject*) {
  if (!frmCalib) frmCalib = new TfrmCalib(Application);
  frmCalib->ShowModal();
}

void TfrmPrincipal::btnToolsClick(TObject*) {
  if (!frmFerramentas) frmFerramentas = new TfrmFerramentas(Application);
  frmFerramentas->ListaModulos = FModulos.get();
  frmFerramentas->ShowModal();
}

void TfrmPrincipal::btnBackupClick(TObject*) {
  if (!frmBackup) frmBackup = new TfrmBackup(Application);
  frmBackup->ShowModal();
}

void TfrmPrincipal::btnDoctorClick(TObject*) {
  if (!frmCadastroMedicos) frmCadastroMedicos = new TfrmCadastroMedicos(Application);
  frmCadastroMedicos->ShowModal();
}

void TfrmPrincipal::btnHelpClick(TObject*) { HtmlHelp1->ShowContents(); }

void TfrmPrincipal::btnExitClick(TObject*) { Close(); }

void TfrmPrincipal::imgSobreClick(TObject*) {
  if (!frmSobre) frmSobre = new TfrmSobre(Application);
  frmSobre->ShowModal();
}

void TfrmPrincipal::Image3Click(TObject*) { ShellExecutar(Handle(), "open", kEnderecoSite, "", "", SW_SHOWNORMAL); }
