#include "windows/UfrmExames.h"

#include "core/UfrmDataModule.h"
#include "windows/UBArtes.h"
#include "windows/UfrmAguarde.h"
#include "windows/UBShell.h"

TfrmExames* frmExames = nullptr;

namespace {

template <class T>
T* Criar(TComponent* Owner, TWinControl* Parent, const char* Nome) {
  T* c = new T(Owner);
  c->SetName(Nome);
  c->SetParent(Parent);
  return c;
}

TLabel* Rotulo(TComponent* Owner, TWinControl* Parent, const char* Nome, const std::string& Caption, int Left,
               int Top) {
  TLabel* l = Criar<TLabel>(Owner, Parent, Nome);
  l->SetCaption(Caption);
  l->SetBounds(Left, Top, 150, 16);
  return l;
}

TDBText* Campo(TComponent* Owner, TWinControl* Parent, const char* Nome, const char* Campo, int Top) {
  TDBText* t = Criar<TDBText>(Owner, Parent, Nome);
  t->SetDataSource(DMPrincipal->DSQueryPacientes);
  t->SetDataField(Campo);
  t->SetBounds(8, Top, 190, 16);
  return t;
}

}  // namespace

TfrmExames::TfrmExames(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmExames");
    SetCaption("Navegador do MZ3100");
    SetBorderStyle(bsNone);
    SetBorderWidth(2);
    SetWindowState(wsMaximized);
    SetClientWidth(1180);
    SetClientHeight(714);
    SetHelpContext(5);
    CriarNavegacao();
    CriarConteudo();
    CriarPainelExame();
    LigarComandosExame();
    TimerAguarde = new TTimer(this);
    TimerAguarde->SetName("TimerAguarde");
    TimerAguarde->SetEnabled(false);
    TimerAguarde->SetInterval(1000);
    // The module's window has taken over by the first tick.
    TimerAguarde->OnTimer = [this](TObject*) {
      TimerAguarde->SetEnabled(false);
      if (frmAguarde) frmAguarde->Hide();
    };
    sdExport = new TSaveDialog(this);
    sdExport->SetName("sdExport");
    sdExport->Title = "Exportação de Exame";
    sdExport->Filter = "Arquivo Exportação (*.exp)|*.exp";
    tbExportador->OnClick = [this](TObject* Sender) { tbExportadorClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    CriarBusca();
    CriarComandosPaciente();
  });
}

TfrmExames::~TfrmExames() {
  if (frmExames == this) frmExames = nullptr;
}

TToolButton* TfrmExames::Botao(TToolBar* Barra, const char* Nome, const std::string& Caption,
                               const std::string& Hint) {
  TToolButton* b = Criar<TToolButton>(this, Barra, Nome);
  b->SetCaption(Caption);
  b->SetHint(Hint);
  return b;
}

void TfrmExames::CriarNavegacao() {
  pnlNAV = Criar<TsPanel>(this, this, "pnlNAV");
  pnlNAV->SetAlign(alLeft);
  pnlNAV->SetWidth(230);
  tlbOrdem = Criar<TToolBar>(this, pnlNAV, "tlbOrdem");
  tlbOrdem->SetAlign(alTop);
  tlbOrdem->SetShowCaptions(true);
  // The toolbar puts each new button first.
  tbOrdemCriacao = Botao(tlbOrdem, "tbOrdemCriacao", "Criação", "Ordem de criação");
  tbOrdemAlfa = Botao(tlbOrdem, "tbOrdemAlfa", "Alfabética", "Ordem alfabética");
  for (TToolButton* b : {tbOrdemAlfa, tbOrdemCriacao}) {
    b->SetStyle(tbsCheck);
    b->SetGrouped(true);
    b->OnClick = [this](TObject* Sender) { OrdemClick(Sender); };
  }
  tbOrdemAlfa->SetDown(true);
  lblMedicos = Criar<TsLabelFX>(this, pnlNAV, "lblMedicos");
  lblMedicos->SetCaption("Pacientes por Médicos:");
  lblMedicos->SetAlign(alTop);
  CBMedicos = Criar<TsComboBox>(this, pnlNAV, "CBMedicos");
  CBMedicos->SetAlign(alTop);
  CBMedicos->SetStyle(csOwnerDrawFixed);
  CBMedicos->OnChange = [this](TObject* Sender) { CBMedicosChange(Sender); };
  pcExames = Criar<TPageControl>(this, pnlNAV, "pcExames");
  pcExames->SetAlign(alClient);
  pcExames->SetTabPosition(tpBottom);
  tsAtivos = new TTabSheet(this);
  tsAtivos->SetName("tsAtivos");
  tsAtivos->SetPageControl(pcExames);
  tsAtivos->SetCaption("Pacientes");
  tsExemplos = new TTabSheet(this);
  tsExemplos->SetName("tsExemplos");
  tsExemplos->SetPageControl(pcExames);
  tsExemplos->SetCaption("Exemplos");
  pcExames->OnChange = [this](TObject*) {
    if (pcExames->ActivePageIndex() == 0)
      AbrirAbaPacientes();
    else
      AbrirAbaExemplos();
  };

  DBGridPacientes = Criar<TDBGrid>(this, tsAtivos, "DBGridPacientes");
  DBGridPacientes->SetBounds(0, 0, 220, 300);
  DBGridPacientes->SetDataSource(DMPrincipal->DSQueryPacientes);
  DBGridPacientes->SetOptions(dgColLines | dgRowLines | dgRowSelect);
  TColumn* nome = DBGridPacientes->Columns()->Add();
  nome->SetFieldName("NOME");
  nome->SetWidth(200);
  DBGridPacientes->OnClick = [this](TObject*) {
    MostrarPainelPacientes();
    if (TListItem* item = lswPrincipal->Selected()) item->SetSelected(false);
  };
  CBoxExames = Criar<TCheckBox>(this, tsAtivos, "CBoxExames");
  CBoxExames->SetCaption("Exibir todos os exames");
  CBoxExames->SetHint("Exibir exames realizados por outro(s) Médico(s)");
  CBoxExames->SetShowHint(true);
  CBoxExames->SetBounds(4, 304, 200, 18);
  CBoxExames->SetVisible(false);
  CBoxExames->OnClick = [this](TObject* Sender) { CBoxExamesClick(Sender); };
  tsAtivos->OnResize = [this](TObject*) { AjustarLayout(); };
  pnlPacInfo = Criar<TPanel>(this, tsAtivos, "pnlPacInfo");
  pnlPacInfo->SetBounds(0, 330, 220, 120);
  lblID = Rotulo(this, pnlPacInfo, "lblID", "0000", 8, 4);
  DBTextNome = Campo(this, pnlPacInfo, "DBTextNome", "NOME", 22);
  DBTextNome->SetShowHint(true);
  DBTextConvenio = Campo(this, pnlPacInfo, "DBTextConvenio", "CONVENIO", 40);
  DBTextUltimoExame = Campo(this, pnlPacInfo, "DBTextUltimoExame", "ULTIMOEXAME", 58);
  DBTextTotalExames = Campo(this, pnlPacInfo, "DBTextTotalExames", "TOTALEXAMES", 76);
  DBEditControle = Criar<TDBEdit>(this, pnlPacInfo, "DBEditControle");
  DBEditControle->SetVisible(false);
  DBEditControle->SetDataSource(DMPrincipal->DSQueryPacientes);
  DBEditControle->SetDataField("CODIGO");
  DBEditControle->OnChange = [this](TObject* Sender) { DBEditControleChange(Sender); };
  edtFindGrid = Criar<TEdit>(this, pnlPacInfo, "edtFindGrid");
  edtFindGrid->SetBounds(8, 94, 150, 20);
  edtFindGrid->SetVisible(false);

  GridExemplos = Criar<TStringGrid>(this, tsExemplos, "GridExemplos");
  GridExemplos->SetAlign(alClient);
  GridExemplos->SetColCount(2);
  GridExemplos->SetFixedCols(0);
  GridExemplos->SetColWidths(0, 12);
  GridExemplos->SetColWidths(1, 155);
  GridExemplos->SetDefaultRowHeight(20);
  GridExemplos->SetOptions(goRowSelect);
  GridExemplos->OnSelectCell = [this](TObject* Sender, int ACol, int ARow, bool& CanSelect) {
    GridExemplosSelectCell(Sender, ACol, ARow, CanSelect);
  };
  sgPacLoc = Criar<TStringGrid>(this, tsAtivos, "sgPacLoc");
  sgPacLoc->SetVisible(false);
}

void TfrmExames::CriarConteudo() {
  pnlPrincipalAtual = Criar<TPanel>(this, this, "pnlPrincipalAtual");
  pnlPrincipalAtual->SetAlign(alTop);
  pnlPrincipalAtual->SetHeight(64);
  sButton2 = Criar<TsButton>(this, pnlPrincipalAtual, "sButton2");
  sButton2->SetCaption("Fechar");
  sButton2->SetAlign(alRight);
  sButton2->OnClick = [this](TObject*) {
    ExameSelecionado = false;
    ModoExemplo = false;
    Close();
  };
  sButton1 = Criar<TsButton>(this, pnlPrincipalAtual, "sButton1");
  sButton1->SetCaption("Ajuda");
  sButton1->SetAlign(alRight);
  sButton1->OnClick = [](TObject*) { PressionarF1(); };
  tlbPaciente = Criar<TToolBar>(this, pnlPrincipalAtual, "tlbPaciente");
  tlbPaciente->SetAlign(alClient);
  tlbPaciente->SetShowCaptions(true);
  tlbPaciente->SetShowHint(true);
  tbLocPacExam = Botao(tlbPaciente, "tbLocPacExam", "Localizar", "Localizar Paciente");
  tbLocPacExam->SetStyle(tbsCheck);
  tbtExcluirPaciente = Botao(tlbPaciente, "tbtExcluirPaciente", "Excluir", "Excluir Paciente");
  tbtAlterarPaciente = Botao(tlbPaciente, "tbtAlterarPaciente", "Editar", "Editar Paciente");
  tbtCadPaciente = Botao(tlbPaciente, "tbtCadPaciente", "Paciente", "Novo Paciente: Ctrl + N");
  tbExameOrto1 = Botao(tlbPaciente, "tbExameOrto1", "Orto", "Exame de Ortoceratologia");
  tbNovoExame1 = Botao(tlbPaciente, "tbNovoExame1", "Exame", "Novo Exame: Ctrl + E");

  tlbExame = Criar<TToolBar>(this, pnlPrincipalAtual, "tlbExame");
  tlbExame->SetAlign(alClient);
  tlbExame->SetShowCaptions(true);
  tlbExame->SetShowHint(true);
  tlbExame->SetVisible(false);
  pscrollMapas = Criar<TPageScroller>(this, tlbExame, "pscrollMapas");
  pscrollMapas->SetWidth(830);
  tlbMapas = Criar<TToolBar>(this, pscrollMapas, "tlbMapas");
  tlbMapas->SetButtonWidth(24);
  tlbMapas->SetButtonHeight(24);
  tlbMapas->SetFlat(true);
  tlbMapas->SetShowCaptions(false);
  pscrollMapas->SetControl(tlbMapas);
  tbLaudo = Botao(tlbExame, "tbLaudo", "Laudo", "Laudo");
  tbExportador = Botao(tlbExame, "tbExportador", "Exportador ", "Exportar exame");
  tbtExcluirExame = Botao(tlbExame, "tbtExcluirExame", "Excluir", "Excluir Exame");
  tbExameOrto2 = Botao(tlbExame, "tbExameOrto2", "Orto", "Exame de Ortoceratologia");
  tbNovoExame2 = Botao(tlbExame, "tbNovoExame2", "Exame", "Novo Exame: Ctrl + E");
  // Pictures 0 and 1 come with the lists; 1 is the button of a module without a picture.
  ImageList3 = new TImageList(this);
  ImageList3->SetName("ImageList3");
  ImageList3->SetWidth(24);
  ImageList3->SetHeight(24);
  PreencherListaMascarada(ImageList3, "MAPA_", 2);
  ImageList4 = new TImageList(this);
  ImageList4->SetName("ImageList4");
  ImageList4->SetWidth(24);
  ImageList4->SetHeight(24);
  PreencherListaMascarada(ImageList4, "MAPA_", 2);
  tlbMapas->SetImages(ImageList3);
  tlbMapas->SetHotImages(ImageList4);
  // Named toolbars that hold nothing yet.
  tlbMulti = Criar<TToolBar>(this, tlbExame, "tlbMulti");
  ToolBarOrto1 = Criar<TToolBar>(this, tlbExame, "ToolBarOrto1");
  ToolBarOrto2 = Criar<TToolBar>(this, tlbExame, "ToolBarOrto2");
  for (TToolBar* t : {tlbMulti, ToolBarOrto1, ToolBarOrto2}) t->SetVisible(false);

  lblPRI = Criar<TsLabelFX>(this, this, "lblPRI");
  lblPRI->SetAlign(alTop);
  lblPRI->SetCaption("Painel de Conteúdo: Pacientes");
  pnlConteudo = Criar<TPanel>(this, this, "pnlConteudo");
  pnlConteudo->SetAlign(alClient);
  pnlConteudo->SetBevelOuter(bvNone);
  lswPrincipal = Criar<TListView>(this, pnlConteudo, "lswPrincipal");
  lswPrincipal->SetAlign(alClient);
  lswPrincipal->SetViewStyle(vsIcon);
  lswPrincipal->SetReadOnly(true);
  lswPrincipal->SetHideSelection(false);
  lswPrincipal->SetHint("Clique duas vezes para exibir mais detalhes.");
  lswPrincipal->SetShowHint(true);
  // Icon 1 marks an exam, icon 3 an orthokeratology exam.
  ImageList1 = new TsAlphaImageList(this);
  ImageList1->SetName("ImageList1");
  ImageList1->SetWidth(32);
  ImageList1->SetHeight(32);
  PreencherLista(ImageList1, "IMG32_", 4);
  lswPrincipal->SetLargeImages(ImageList1);
  lswPrincipal->OnSelectItem = [this](TObject* Sender, TListItem* Item, bool Selected) {
    lswPrincipalSelectItem(Sender, Item, Selected);
  };
  lswPrincipal->OnDblClick = [this](TObject* Sender) { lswPrincipalDblClick(Sender); };
}

void TfrmExames::CriarPainelExame() {
  pnlInfoExame = Criar<TPanel>(this, pnlConteudo, "pnlInfoExame");
  pnlInfoExame->SetAlign(alBottom);
  pnlInfoExame->SetHeight(220);
  pnlInfoExame->SetVisible(false);
  lblOlho = Rotulo(this, pnlInfoExame, "lblOlho", "", 8, 8);
  lblData = Rotulo(this, pnlInfoExame, "lblData", "", 8, 28);
  lblHora = Rotulo(this, pnlInfoExame, "lblHora", "", 8, 48);
  lblNomeMedico = Rotulo(this, pnlInfoExame, "lblNomeMedico", "", 8, 68);
  lblNomeMedico->OnClick = [this](TObject*) {
    AtualizarPacientes(CodPacienteAtual, lblNomeMedico->Caption());
  };
  lblCodigo = Rotulo(this, pnlInfoExame, "lblCodigo", "", 8, 88);
  Rotulo(this, pnlInfoExame, "lblTituloIndConf", "Índice de Confiabilidade:", 8, 108);
  lblIndConf = Rotulo(this, pnlInfoExame, "lblIndConf", "", 160, 108);
  pcInfoExame = Criar<TPageControl>(this, pnlInfoExame, "pcInfoExame");
  pcInfoExame->SetBounds(320, 4, 420, 210);
  struct Pagina {
    TTabSheet** Aba;
    const char* Nome;
    const char* Caption;
    TMemo** Memo;
    const char* NomeMemo;
    TButton** Editar;
    const char* NomeEditar;
    const char* CaptionEditar;
    TButton** Gravar;
    const char* NomeGravar;
    const char* CaptionGravar;
  };
  for (const Pagina& p : {Pagina{&tsDiagnostico, "tsDiagnostico", "&Diagnóstico", &dbDiag, "dbDiag", &btnEDD, "btnEDD",
                                 "Descrever diagnóstico", &btnGRD, "btnGRD", "Gravar diagnóstico"},
                          Pagina{&tsObservacoes, "tsObservacoes", "&Observações", &dbObs, "dbObs", &btnEDO, "btnEDO",
                                 "Descrever observações", &btnGRO, "btnGRO", "Gravar observações"}}) {
    TTabSheet* aba = new TTabSheet(this);
    aba->SetName(p.Nome);
    aba->SetPageControl(pcInfoExame);
    aba->SetCaption(p.Caption);
    *p.Aba = aba;
    *p.Memo = Criar<TMemo>(this, aba, p.NomeMemo);
    (*p.Memo)->SetBounds(4, 4, 250, 170);
    // Wide enough for the longest caption, "Descrever observações".
    *p.Editar = Criar<TButton>(this, aba, p.NomeEditar);
    (*p.Editar)->SetCaption(p.CaptionEditar);
    (*p.Editar)->SetBounds(260, 4, 150, 24);
    *p.Gravar = Criar<TButton>(this, aba, p.NomeGravar);
    (*p.Gravar)->SetCaption(p.CaptionGravar);
    (*p.Gravar)->SetBounds(260, 32, 150, 24);
  }
  imgVisualizar = Criar<TImage>(this, pnlInfoExame, "imgVisualizar");
  imgVisualizar->SetBounds(750, 4, 200, 200);
  imgVisualizar->SetHint("Clique aqui para exibir o mini mapa Axial.");
  imgVisualizar->SetShowHint(true);
  imgVisualizar->OnClick = [this](TObject*) { MostrarMiniMapa(); };
  cBoxMiniMapa = Criar<TCheckBox>(this, pnlInfoExame, "cBoxMiniMapa");
  cBoxMiniMapa->SetCaption("&Automático");
  cBoxMiniMapa->SetBounds(960, 4, 100, 18);
  cBoxMiniMapa->OnClick = [this](TObject*) { MostrarMiniMapa(); };
  pnlOrto = Criar<TPanel>(this, pnlInfoExame, "pnlOrto");
  pnlOrto->SetBounds(8, 130, 300, 70);
  pnlOrto->SetVisible(false);
  Rotulo(this, pnlOrto, "lblSag", "SAG:", 4, 4);
  Rotulo(this, pnlOrto, "lblDiv", "DIV:", 4, 24);
  Rotulo(this, pnlOrto, "lblRaio", "Raio:", 4, 44);
  lblVSag = Rotulo(this, pnlOrto, "lblVSag", "", 60, 4);
  lblVDiv = Rotulo(this, pnlOrto, "lblVDiv", "", 60, 24);
  lblVR0 = Rotulo(this, pnlOrto, "lblVR0", "", 60, 44);
}
