#pragma once
// The exam browser: patients by doctor or the example exams on the left, the chosen patient's exams
// as icons in the middle, the selected exam's details below, the command toolbars and the map
// toolbar with one button per installed map module on top.
#include <array>
#include <string>

#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/engine/acAlphaImageList.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/DBGrids.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Grids.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/Timer.h"

// The patient grid's height and the patient panel's top as parts of the patient page's height, by
// the screen's shape.
struct TProporcoesLayout {
  double AlturaGrade;
  double TopoPainel;
};
TProporcoesLayout ProporcoesLayout(int LarguraTela, int AlturaTela);

class TDataSet;
class TIBQuery;
// An exam's list caption: eye, " - ", date and time.
std::string Legenda(TDataSet& Exame);
// Closes the query and gives it the statement; the caller binds and opens.
TIBQuery& Reabrir(TIBQuery* Query, const std::string& Sql);

class TfrmExames : public TForm {
 public:
  explicit TfrmExames(TComponent* AOwner);
  ~TfrmExames() override;

  // Navigation.
  TsPanel* pnlNAV;
  TToolBar* tlbOrdem;
  TToolButton* tbOrdemAlfa;
  TToolButton* tbOrdemCriacao;
  TsLabelFX* lblMedicos;
  TsComboBox* CBMedicos;
  TPageControl* pcExames;
  TTabSheet* tsAtivos;
  TTabSheet* tsExemplos;
  TDBGrid* DBGridPacientes;
  TCheckBox* CBoxExames;
  TPanel* pnlPacInfo;
  TLabel* lblID;
  TDBText* DBTextNome;
  TDBText* DBTextConvenio;
  TDBText* DBTextUltimoExame;
  TDBText* DBTextTotalExames;
  TDBEdit* DBEditControle;
  TEdit* edtFindGrid;
  // The search panel and the advanced-search buttons.
  TPanel* pnlFindPac;
  TEdit* edtFind;
  TRadioGroup* rgpPaciente;
  TButton* btnLocPac;
  TButton* btnLocDBGrid;
  TDBGrid* dbGridPacLoc;
  TCheckBox* cbDicas;
  TComboBox* CbFind;
  TsBitBtn* sBitBtn1;
  TButton* bbtnBuscaAv;
  TStringGrid* GridExemplos;
  TStringGrid* sgPacLoc;

  // Content.
  TPanel* pnlPrincipalAtual;
  TsLabelFX* lblPRI;
  // The list and the exam panel under it, right of the navigation: the exam panel never takes the navigation's height.
  TPanel* pnlConteudo;
  TListView* lswPrincipal;
  TsAlphaImageList* ImageList1;
  TToolBar* tlbPaciente;
  TToolButton* tbNovoExame1;
  TToolButton* tbExameOrto1;
  TToolButton* tbtCadPaciente;
  TToolButton* tbtAlterarPaciente;
  TToolButton* tbtExcluirPaciente;
  TToolButton* tbLocPacExam;
  TToolBar* tlbExame;
  TToolButton* tbNovoExame2;
  TToolButton* tbExameOrto2;
  TToolButton* tbtExcluirExame;
  TToolButton* tbExportador;
  TToolButton* tbLaudo;
  TsButton* sButton1;  // help
  TsButton* sButton2;  // "Fechar"
  TPageScroller* pscrollMapas;
  TToolBar* tlbMapas;
  TToolBar* tlbMulti;
  TToolBar* ToolBarOrto1;
  TToolBar* ToolBarOrto2;
  TImageList* ImageList3;
  TImageList* ImageList4;

  // The selected exam.
  TPanel* pnlInfoExame;
  TLabel* lblOlho;
  TLabel* lblData;
  TLabel* lblHora;
  TLabel* lblNomeMedico;
  TLabel* lblCodigo;
  TLabel* lblIndConf;
  TPageControl* pcInfoExame;
  TTabSheet* tsDiagnostico;
  TTabSheet* tsObservacoes;
  TMemo* dbDiag;
  TMemo* dbObs;
  TButton* btnEDD;
  TButton* btnGRD;
  TButton* btnEDO;
  TButton* btnGRO;
  TImage* imgVisualizar;
  TCheckBox* cBoxMiniMapa;
  TPanel* pnlOrto;
  TLabel* lblVSag;
  TLabel* lblVDiv;
  TLabel* lblVR0;
  TTimer* TimerAguarde;
  TSaveDialog* sdExport;

  // State of the browser.
  int CodPacienteAtual = 0;
  std::string NomePacienteAtual;
  bool ExameSelecionado = false;
  bool ModoExemplo = false;
  std::string NomeExemplo;
  std::array<double, 3> ValoresOrto{};  // Sag, Div, Raio
  int CodigoMiniMapa = 0;  // the exam whose mini map is shown

  // Search panel and keyboard.
  static std::string NormalizarTexto(const std::string& Texto);
  bool LerDicas() const;
  void GravarDicas();
  void FiltrarBuscaPorMedico();
  void SelecionarItemLista(const std::string& Caption, int Pagina);
  // The one handler of the keys of the grids, the list and the search edits.
  void Teclado(TObject* Sender, WORD& Key, TShiftState Shift, bool Soltura);

  // Patient commands.
  void tbtCadPacienteClick(TObject* Sender);
  void tbtAlterarPacienteClick(TObject* Sender);
  void tbtExcluirPacienteClick(TObject* Sender);

  void CarregarMedicos();
  void AbrirPacientes(const std::string& Ordem);
  // Re-opens the list for the doctor text and puts the cursor on the patient with that code.
  void AtualizarPacientes(int CodPaciente, const std::string& Medico);
  void AtualizarListaExames();
  void CarregarExames(int CodPaciente);
  bool SelecionarExame(const std::string& Caption);
  // Opens the row of the selected list item's exam by its code; false without a selected exam.
  bool SelecionarExameAtual();
  void MostrarInfoExame(int Pagina);
  void MostrarMiniMapa();
  void MostrarPainelExames();
  void MostrarPainelPacientes();
  void AbrirAbaPacientes();
  void AbrirAbaExemplos();
  void AjustarLayout();
  // The width the map buttons ask for, by the screen's width.
  static int LarguraMapas();
  std::string MedicoEscolhido() const;

  // Exam commands. A new exam (Orto: an orthokeratology series) of the patient under the cursor.
  void NovoExame(bool Orto);
  void tbtExcluirExameClick(TObject* Sender);
  // False, after telling the user, when the list holds no exam to report on.
  bool ExamesParaLaudo();
  // Opens the report wizard of the selected patient when there are exams to report on.
  void tbLaudoClick(TObject* Sender);
  // A text of the selected exam (diagnosis or observations) and the exam it is being edited for.
  struct TTextoExame {
    TMemo* Memo = nullptr;
    TButton* Editar = nullptr;
    TButton* Gravar = nullptr;
    int CodigoExame = 0;
  };
  TTextoExame TextoDiag, TextoObs;
  void EditarTexto(TTextoExame& Texto);
  void GravarTexto(TTextoExame& Texto);
  void SairEdicao(TTextoExame& Texto);

  // A single-map module's button and a multi-exam module's button.
  virtual void MapaClick(TObject* Sender);
  virtual void MapasClick(TObject* Sender);
  // The selected exam, or the selected example, shown by a single-map module (file name).
  void AbrirMapa(const std::string& Modulo);
  void ChamarModuloMapa(const std::string& Modulo, const std::string& TipoCone, TMemoryStream& Info, int NumAneis,
                        TMemoryStream* Central, TMemoryStream* Lateral);
  // Several exams of the patient, or several examples, chosen in a multi-exam module.
  void AbrirMapas(const std::string& Modulo);
  void AbrirMapasExemplo(const std::string& Modulo);
  // A line chosen in a multi-exam module back as its list caption ("" when it names no eye).
  static std::string ConverterLinhaEscolhida(const std::string& Linha);
  // The open exam's lines for a multi-exam module; an example's, by the eye of its chosen line.
  void InfoExameMapa(TStrings& Lista);
  static void InfoExemplo(TStrings& Lista, const std::string& Linha, const std::string& Data);

  // The selected exam, its patient and doctor, its map files and the calibration files, scrambled
  // into one file.
  void tbExportadorClick(TObject* Sender);
  static void AnexarArquivoTexto(TStrings& Lista, const std::string& Arquivo);
  static void EmbaralharExportacao(TStrings& Lista);
  // Every character of an exported line is combined with this key (exclusive or): from 0x10 to
  // 0x1F, no printable character nor TAB becomes CR, LF or NUL.
  static constexpr unsigned char ChaveExportacao = 0x17;
  static constexpr size_t TamanhoLinhaExportacao = 255;

 private:
  void CriarNavegacao();
  void CriarConteudo();
  void CriarPainelExame();
  void LigarComandosExame();
  TToolButton* Botao(TToolBar* Barra, const char* Nome, const std::string& Caption, const std::string& Hint);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void OrdemClick(TObject* Sender);
  void CBMedicosChange(TObject* Sender);
  void DBEditControleChange(TObject* Sender);
  void CBoxExamesClick(TObject* Sender);
  void lswPrincipalSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void lswPrincipalDblClick(TObject* Sender);
  void GridExemplosSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void ExemplosDaLinha(int Linha);
  bool AbrirExameSelecionado();
  void PreencherValoresOrto();
  void HabilitarEdicaoPacientes(bool Habilitar);
  void HabilitarBotoesDeExame(bool Habilitar);
  bool OrdemAlfabetica() const;
  // Search panel and patient commands.
  void CriarBusca();
  void CriarComandosPaciente();
  void tbLocPacExamClick(TObject* Sender);
  void AbrirBusca();
  void FecharBusca();
  void rgpPacienteClick(TObject* Sender);
  void edtFindChange(TObject* Sender);
  void btnLocPacClick(TObject* Sender);
  void btnLocDBGridClick(TObject* Sender);
  void ConferirResultado(bool Achou);
  bool PercorrerPrimeiroNome(const std::string& Texto);
  void bbtnBuscaAvClick(TObject* Sender);
};

extern TfrmExames* frmExames;
