#include "windows/UfrmBackup.h"

#include "core/UBBackupDLL.h"
#include "core/UBBackupRegras.h"
#include "core/UBConstantes.h"
#include "core/UBModuleStream.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "skin/engine/sDefaultSkin.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/SysUtils.h"
#include "windows/UBShell.h"
#include "windows/UfrmPrincipal.h"

TfrmBackup* frmBackup = nullptr;

namespace {

// Owned by the form, on Pai.
template <class T>
T* Controle(TWinControl* Pai, const std::string& Nome, int Left, int Top, int Width, int Height) {
  T* c = new T(Pai->Parent() ? static_cast<TComponent*>(Pai->Parent()) : Pai);
  c->SetName(Nome);
  c->SetParent(Pai);
  c->SetBounds(Left, Top, Width, Height);
  return c;
}

TLabel* Rotulo(TWinControl* Pai, const std::string& Nome, int Left, int Top, const std::string& Caption) {
  TLabel* l = Controle<TLabel>(Pai, Nome, Left, Top, 0, 0);
  l->SetAutoSize(true);
  l->SetCaption(Caption);
  return l;
}

}  // namespace

TfrmBackup::TfrmBackup(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmBackup");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Backup");
    SetHelpContext(2);
    SetClientWidth(460);
    SetClientHeight(430);
    Label1 = Rotulo(this, "Label1", 16, 14, "Exames sem backup:");
    Label2 = Rotulo(this, "Label2", 140, 14, "0");
    Label3 = Rotulo(this, "Label3", 230, 14, "Laudos sem backup:");
    Label4 = Rotulo(this, "Label4", 354, 14, "0");
    memDetalhes = Controle<TMemo>(this, "memDetalhes", 16, 38, 428, 112);
    memDetalhes->SetReadOnly(true);
    lblStatusBkp = Rotulo(this, "lblStatusBkp", 16, 158, "");
    lblAvisoBackup = Rotulo(this, "lblAvisoBackup", 16, 178, "");
    lblAvisoBackup->SetVisible(false);
    pgbBackup = Controle<TProgressBar>(this, "pgbBackup", 16, 200, 428, 18);
    grpAutomatico = Controle<TGroupBox>(this, "grpAutomatico", 16, 228, 428, 130);
    grpAutomatico->SetCaption("Backup automático");
    rbtPeriodo = Controle<TRadioButton>(grpAutomatico, "rbtPeriodo", 12, 22, 120, 20);
    rbtPeriodo->SetCaption("No período de...");
    rbtPeriodo->SetChecked(true);
    edtPeriodo = Controle<TEdit>(grpAutomatico, "edtPeriodo", 140, 22, 44, 21);
    UpDown1 = Controle<TUpDown>(grpAutomatico, "UpDown1", 184, 22, 16, 21);
    UpDown1->SetMin(1);
    UpDown1->SetMax(30);
    UpDown1->SetAssociate(edtPeriodo);
    UpDown1->SetPosition(5);
    cbxPeriodo = Controle<TComboBox>(grpAutomatico, "cbxPeriodo", 210, 22, 100, 21);
    cbxPeriodo->SetStyle(csDropDownList);
    cbxPeriodo->Items()->Add("Dias");
    cbxPeriodo->Items()->Add("Meses");
    cbxPeriodo->SetItemIndex(0);
    rbtExames = Controle<TRadioButton>(grpAutomatico, "rbtExames", 12, 56, 150, 20);
    rbtExames->SetCaption("Efetuar backup a cada");
    edtExames = Controle<TEdit>(grpAutomatico, "edtExames", 170, 56, 56, 21);
    UpDown2 = Controle<TUpDown>(grpAutomatico, "UpDown2", 226, 56, 16, 21);
    UpDown2->SetMin(1);
    UpDown2->SetMax(10000);
    UpDown2->SetAssociate(edtExames);
    UpDown2->SetPosition(200);
    Rotulo(grpAutomatico, "Label5", 250, 59, "exames.");
    rbtNunca = Controle<TRadioButton>(grpAutomatico, "rbtNunca", 12, 90, 120, 20);
    rbtNunca->SetCaption("Nunca");
    struct TBotao {
      TsButton** Campo;
      const char* Nome;
      int Left;
      const char* Caption;
    };
    const TBotao botoes[] = {{&btnIniciarBkp, "btnIniciarBkp", 16, "Iniciar"},
                             {&btnRestaurar, "btnRestaurar", 124, "Restaurar"},
                             {&sbtFechar, "sbtFechar", 232, "Fechar"},
                             {&btnAjuda, "btnAjuda", 340, "Ajuda"}};
    for (const TBotao& b : botoes) {
      *b.Campo = Controle<TsButton>(this, b.Nome, b.Left, 374, 100, 32);
      (*b.Campo)->SetCaption(b.Caption);
    }
    btnIniciarBkp->OnClick = [this](TObject* Sender) { btnIniciarBkpClick(Sender); };
    btnRestaurar->OnClick = [this](TObject* Sender) { btnRestaurarClick(Sender); };
    sbtFechar->OnClick = [this](TObject* Sender) { sbtFecharClick(Sender); };
    btnAjuda->OnClick = [](TObject*) { PressionarF1(); };
    // Its own manager, not the program's default one.
    sSkinManager1 = new TsSkinManager(this);
    sSkinManager1->SetName("sSkinManager1");
    ReadDefaultSkin(*sSkinManager1->InternalSkins().Add(), nullptr);
    sSkinProvider1 = new TsSkinProvider(this);
    sSkinProvider1->SetName("sSkinProvider1");
    HtmlHelp1 = new THtmlHelp(this);
    HtmlHelp1->SetName("HtmlHelp1");
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmBackup::~TfrmBackup() {
  if (frmBackup == this) frmBackup = nullptr;
}

void TfrmBackup::FormCreate(TObject*) {
  HtmlHelp1->SetChmFile(ExtractFileDir(Application->ExeName()) + "\\Ajuda\\AjudaPrincipal.chm");
}

void TfrmBackup::FormClose(TObject*, TCloseAction& Action) {
  HtmlHelp1->SetChmFile(ExtractFileDir(Application->ExeName()) + "\\ajuda\\AjudaPrincipal.chm");
  Action = caFree;
}

void TfrmBackup::FormShow(TObject*) {
  cbxPeriodo->SetItemIndex(InfosMZ.BackupAutoOp1_2);
  UpDown1->SetPosition(InfosMZ.BackupAutoOp1_1);
  UpDown2->SetPosition(InfosMZ.BackupAutoOp2);
  if (InfosMZ.BackupAuto == 1) rbtPeriodo->SetChecked(true);
  else if (InfosMZ.BackupAuto == 2) rbtExames->SetChecked(true);
  else rbtNunca->SetChecked(true);
  CarregarInfoBackup();
  if (autoStart) btnIniciarBkpClick(this);
}

void TfrmBackup::CarregarInfoBackup() {
  if (CarregarBackupDLL(PathsMZ.BackupModulo ? PathsMZ.BackupModulo : "")) {
    TMemoryStream stream;
    TStreamModulo modulo(stream);
    const char letra = InfoBackup(reinterpret_cast<HWND__*>(Handle()), &modulo, 3);
    LiberarBackupDLL();
    if (stream.Size() > 0) {
      stream.SetPosition(0);
      memDetalhes->Lines()->LoadFromStream(&stream);
    }
    Drive = std::string(1, letra) + ":\\";
    memDetalhes->Lines()->Add("Drive: " + Drive);
  }
  Label2->SetCaption(std::to_string(TDExames::CountExamesSemBackup()));
  Label4->SetCaption(std::to_string(TDLaudos::CountLaudosSemBackup()));
}

void TfrmBackup::sbtFecharClick(TObject*) {
  InfosMZ.BackupAuto = rbtPeriodo->Checked() ? 1 : rbtExames->Checked() ? 2 : 0;
  InfosMZ.BackupAutoOp1_1 = UpDown1->Position();
  InfosMZ.BackupAutoOp1_2 = cbxPeriodo->ItemIndex();
  InfosMZ.BackupAutoOp2 = UpDown2->Position();
  if (BIniSettings) {
    BIniSettings->WriteParam("Str", "BACKUP", "AUTO", std::to_string(InfosMZ.BackupAuto), false);
    BIniSettings->WriteParam("Str", "BACKUP", "AUTO_OP1_1", std::to_string(InfosMZ.BackupAutoOp1_1), false);
    BIniSettings->WriteParam("Str", "BACKUP", "AUTO_OP1_2", std::to_string(InfosMZ.BackupAutoOp1_2), false);
    BIniSettings->WriteParam("Str", "BACKUP", "AUTO_OP2", std::to_string(InfosMZ.BackupAutoOp2), false);
  }
  Close();
}

void TfrmBackup::PerguntarBackupAutomatico() {
  if (Application->MessageBox("Backup automático inicializado... deseja continuar?", "Informação",
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  autoStart = true;
  try {
    ShowModal();
  } catch (...) {
    autoStart = false;
    throw;
  }
  autoStart = false;
}

void TfrmBackup::Status(const std::string& Texto) {
  lblStatusBkp->SetCaption(Texto);
  lblStatusBkp->Repaint();
}

int64_t TfrmBackup::TamanhoBackup() {
  int64_t bytes = 0;
  TSearchRec f;
  const std::string banco = PathsMZ.BancoDados ? PathsMZ.BancoDados : "";
  for (int r = FindFirst(banco + "\\*.*", faHidden | faArchive, f); r == 0; r = FindNext(f)) bytes += f.Size;
  const std::string ini = std::string(PathsMZ.DirMZ ? PathsMZ.DirMZ : "") + "\\BackUp.ini";
  TSearchRec i;
  if (FindFirst(ini, faHidden | faArchive, i) == 0) bytes += i.Size;
  return bytes / 1024;
}

bool TfrmBackup::DrivePronto(char Letra) {
  const UINT anterior = SetErrorMode(SEM_FAILCRITICALERRORS);
  const char maiuscula = char(Letra >= 'a' && Letra <= 'z' ? Letra - 'a' + 'A' : Letra);
  const bool pronto = maiuscula >= 'A' && maiuscula <= 'Z' && DiskSize(uint8_t(maiuscula - 'A' + 1)) >= 0;
  if (!pronto) MessageBeep(0);
  SetErrorMode(anterior);
  return pronto;
}

bool TfrmBackup::GravarRotuloDisco(const std::string& Unidade, int Numero) {
  const std::string arquivo = Unidade + "zip.dat";
  TStringList linhas;
  linhas.Add("MZ4K" + NumeroDisco(Numero));
  try {
    linhas.SaveToFile(arquivo);
  } catch (const std::exception&) {
    return false;
  }
  return FileExists(arquivo);
}
