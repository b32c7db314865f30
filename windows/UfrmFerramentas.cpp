#include "windows/UfrmFerramentas.h"

#include "core/UBConstantes.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/IniFiles.h"
#include "toolkit/rtl/Registry.h"
#include "windows/UBShell.h"
#include "windows/UBControles.h"

TfrmFerramentas* frmFerramentas = nullptr;

namespace {

// A logo larger than this on either side is offered to be shrunk to it.
constexpr int kLadoLogo = 100;

std::string ArquivoLogo() { return std::string(PathsMZ.DirMZ ? PathsMZ.DirMZ : "") + "\\LogoClinica.bmp"; }

// The command of a tool of the list, by its caption.
std::string ComandoAplicativo(const std::string& Caption) {
  const std::string sistema = TfrmFerramentas::DiretorioSistema();
  if (Caption == "Painel de Controle") return "control";
  if (Caption == "Windows Explorer") return "explorer";
  if (Caption == "Impressoras") return "control printers";
  if (Caption == "Sistema") return "control " + sistema + "Sysdm.cpl";
  if (Caption == "Modem") return "control c:\\windows\\system\\Modem.cpl";
  if (Caption == "Data e Hora") return "control " + sistema + "timedate.cpl";
  if (Caption == "Configurações Regionais") return "control " + sistema + "Intl.cpl";
  return TIniFile(ArquivoBackUpIni()).ReadString("BACKUP", "DIRECTCD", "");
}

}  // namespace

std::string ArquivoBackUpIni() { return std::string(PathsMZ.DirMZ ? PathsMZ.DirMZ : "") + "\\BackUp.ini"; }

TfrmFerramentas::TfrmFerramentas(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmFerramentas");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetCaption("Ferramentas");
    SetClientWidth(600);
    SetClientHeight(440);
    CriarPaginas();
    CriarOpcoes();
    CriarBancoDeDados();
    btnFechar = new TsButton(this);
    btnFechar->SetName("btnFechar");
    btnFechar->SetParent(this);
    btnFechar->SetBounds(488, 400, 100, 30);
    btnFechar->SetCaption("Fechar");
    btnFechar->OnClick = [this](TObject* Sender) { btnFecharClick(Sender); };
    dlgLogo = new TOpenDialog(this);
    dlgLogo->SetName("dlgLogo");
    dlgLogo->Filter = "Imagens (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|Todos os arquivos (*.*)|*.*";
    dlgLogo->Options = ofHideReadOnly | ofFileMustExist;
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmFerramentas::~TfrmFerramentas() {
  if (frmFerramentas == this) frmFerramentas = nullptr;
}

void TfrmFerramentas::CriarPaginas() {
  pgcFerramentas = CriarControle<TPageControl>(this, this, "pgcFerramentas", 8, 8, 584, 384);
  const struct {
    TTabSheet** Campo;
    const char* Nome;
    const char* Caption;
    bool Visivel;
  } paginas[] = {
      {&tshModulos, "tshModulos", "Módulos", true},
      {&tshAplicativos, "tshAplicativos", "Aplicativos do Windows", true},
      {&tshDadosClinica, "tshDadosClinica", "Dados da Clínica", true},
      {&tshConfig, "tshConfig", "Configurações", true},
      {&tshBD, "tshBD", "Banco de Dados", true},
      {&TabSheet4, "TabSheet4", "Busca Avançada", false},
      {&tshLinguagem, "tshLinguagem", "Idioma", false},
  };
  for (const auto& p : paginas) {
    TTabSheet* sheet = *p.Campo = new TTabSheet(this);
    sheet->SetName(p.Nome);
    sheet->SetPageControl(pgcFerramentas);
    sheet->SetCaption(p.Caption);
    sheet->SetTabVisible(p.Visivel);
  }
  tlvMapas = CriarControle<TListView>(this, tshModulos, "tlvMapas", 8, 8, 560, 336);
  tlvMapas->SetViewStyle(vsReport);
  tlvMapas->SetReadOnly(true);
  tlvMapas->SetRowSelect(true);
  const struct {
    const char* Caption;
    int Largura;
  } colunas[] = {{"Descrição", 230}, {"Tipo", 100}, {"Nº de Mapas", 100}, {"Versão", 100}};
  for (const auto& c : colunas) {
    TListColumn* coluna = tlvMapas->AddColumn();
    coluna->SetCaption(c.Caption);
    coluna->SetWidth(c.Largura);
  }
  tlvAplicativos = CriarControle<TListView>(this, tshAplicativos, "tlvAplicativos", 8, 8, 560, 336);
  tlvAplicativos->SetViewStyle(vsList);
  tlvAplicativos->SetReadOnly(true);
  for (const char* caption : {"Painel de Controle", "Windows Explorer", "Impressoras", "Sistema", "Modem", "Data e Hora",
                              "Configurações Regionais", "DirectCD"})
    tlvAplicativos->AddItem()->SetCaption(caption);
  tlvAplicativos->OnDblClick = [this](TObject* Sender) { tlvAplicativosDblClick(Sender); };
  const struct {
    TEdit** Campo;
    const char* Nome;
    const char* Rotulo;
  } clinica[] = {{&edtNome, "edtNome", "Nome:"},
                 {&edtEndereco, "edtEndereco", "Endereço:"},
                 {&edtFone, "edtFone", "Telefone:"},
                 {&edtCidadeEstado, "edtCidadeEstado", "Cidade/Estado:"}};
  int top = 16;
  for (const auto& c : clinica) {
    CriarControle<TLabel>(this, tshDadosClinica, std::string("lbl") + (c.Nome + 3), 16, top + 3, 90, 16, c.Rotulo);
    *c.Campo = CriarControle<TEdit>(this, tshDadosClinica, c.Nome, 110, top, 300, 22);
    top += 32;
  }
  CriarControle<TBevel>(this, tshDadosClinica, "bvlLogo", 436, 12, kLadoLogo + 8, kLadoLogo + 8);
  LogoClinica = CriarControle<TImage32>(this, tshDadosClinica, "LogoClinica", 440, 16, kLadoLogo, kLadoLogo);
  CriarControle<TLabel>(this, tshDadosClinica, "lblLogo", 436, 124, 150, 16, "Duplo clique para alterar");
  LogoClinica->SetHint("Duplo clique para alterar");
  LogoClinica->SetShowHint(true);
  LogoClinica->OnDblClick = [this](TObject* Sender) { LogoClinicaDblClick(Sender); };
  // What the reports print; the group is not shown.
  grpImpressao = CriarControle<TGroupBox>(this, tshDadosClinica, "grpImpressao", 16, 160, 400, 100, "Impressão");
  grpImpressao->SetVisible(false);
  chkDadosClinica = CriarControle<TCheckBox>(this, grpImpressao, "chkDadosClinica", 12, 20, 300, 20, "Dados da clínica");
  chkLogoClinica = CriarControle<TCheckBox>(this, grpImpressao, "chkLogoClinica", 12, 44, 300, 20, "Logotipo da clínica");
  chkNomeMedico = CriarControle<TCheckBox>(this, grpImpressao, "chkNomeMedico", 12, 68, 300, 20, "Nome do médico");
}

void TfrmFerramentas::FormCreate(TObject*) {
  if (FileExists(ArquivoLogo())) LogoClinica->Bitmap()->LoadFromFile(ArquivoLogo());
  CarregarOpcoes();
  lblReiniciaBackup->SetCaption(TIniFile(ArquivoBackUpIni()).ReadString("BACKUP", "BackupZerado", "0"));
  chkAutoPCapturaClick(chkAutoPCaptura);
  if (rbtDisable->Checked()) rbtDisableClick(rbtDisable);
  else rbtEnableClick(rbtEnable);
  chkExibeCeratPontualClick(chkExibeCeratPontual);
}

void TfrmFerramentas::FormShow(TObject*) {
  tlvMapas->Clear();
  for (int i = 0; ListaModulos && i + 3 < ListaModulos->Count(); i += 4) {
    TListItem* item = tlvMapas->AddItem();
    item->SetCaption((*ListaModulos)[i]);
    for (int j = 1; j < 4; ++j) item->SubItems()->Add((*ListaModulos)[i + j]);
  }
  StatusBD();
  if (lblExamesBackup->Caption() == "0000") btnZerarBackup->SetEnabled(false);
  pgcFerramentas->SetActivePageIndex(0);
}

void TfrmFerramentas::FormClose(TObject*, TCloseAction& Action) {
  GravarOpcoes();
  Action = caFree;
  if (frmFerramentas == this) frmFerramentas = nullptr;
}

void TfrmFerramentas::btnFecharClick(TObject*) { Close(); }

std::string TfrmFerramentas::DiretorioSistema() {
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  const bool nt = reg.OpenKeyReadOnly("\\Software\\Microsoft\\Windows NT\\CurrentVersion") &&
                  reg.ValueExists("ProductName");
  return nt ? "C:\\Windows\\System32\\" : "C:\\Windows\\System\\";
}

void TfrmFerramentas::tlvAplicativosDblClick(TObject*) {
  TListItem* item = tlvAplicativos->Selected();
  if (!item) return;
  ShellWinExec(ComandoAplicativo(item->Caption()), SW_SHOWNORMAL);
}

void TfrmFerramentas::LogoClinicaDblClick(TObject*) {
  if (!dlgLogo->Execute()) return;
  TBitmap32 imagem;
  imagem.LoadFromFile(dlgLogo->FileName);
  if (imagem.Width() > kLadoLogo || imagem.Height() > kLadoLogo) {
    if (Application->MessageBox("A imagem selecionada é maior que 100 x 100 pixels. Deseja reduzi-la?", "Informação",
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
    TBitmap32 reduzida;
    reduzida.SetSize(kLadoLogo, kLadoLogo);
    imagem.DrawTo(&reduzida, TRect(0, 0, kLadoLogo, kLadoLogo), TRect(0, 0, imagem.Width(), imagem.Height()));
    imagem.Assign(&reduzida);
  }
  LogoClinica->Bitmap()->Assign(&imagem);
  imagem.SaveToFile(ArquivoLogo());
}

void TfrmFerramentas::rbtEnableClick(TObject*) {
  lblIncMap->SetEnabled(false);
  EdtIncMap->SetEnabled(false);
}

void TfrmFerramentas::rbtDisableClick(TObject*) {
  lblIncMap->SetEnabled(true);
  EdtIncMap->SetEnabled(true);
}

void TfrmFerramentas::chkAutoPCapturaClick(TObject*) {
  lblDelayAutoPCaptura->SetEnabled(chkAutoPCaptura->Checked());
  edtDelayAutoPCaptura->SetEnabled(chkAutoPCaptura->Checked());
}

void TfrmFerramentas::chkExibeCeratPontualClick(TObject*) {
  lblCorCeratPontual->SetEnabled(chkExibeCeratPontual->Checked());
  cbCorCeratPontual->SetEnabled(chkExibeCeratPontual->Checked());
}

void TfrmFerramentas::cbxIdiomaClick(TObject*) { AssignText(InfosMZ.Idioma, cbxIdioma->Text()); }
