#pragma once
// The report editor: five rich-text boxes, four of them sentence templates with numbered gaps
// ("#n#", filled "#n-text#") that the doctor fills from the standard texts of the tree; a new report
// is prefilled with the keratometry of the chosen exams, stored as a LAUDOS row and its text file,
// reopened read-only, printed and previewed.
#include <string>
#include <vector>

#include "skin/controls/sButton.h"
#include "toolkit/ui/ComCtrls_RichEdit.h"
#include "toolkit/ui/ComCtrls_TreeView.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

// A gap of a box's text: its number and the places of its two "#" signs.
struct TMarcador {
  int Numero;
  size_t Abre, Fecha;
};
// The gaps of a text: the k-th "#" opens gap (k + 1) / 2 when k is odd and closes it when k is even.
std::vector<TMarcador> Marcadores(const std::string& Texto);
// The text with gap Posicao holding Valor ("#n-Valor#"), or its bare number for an empty Valor; a
// text with fewer gaps comes back unchanged. A "#" of Valor is dropped.
std::string TextoComMarcador(const std::string& Texto, int Posicao, const std::string& Valor);
// The numbers of the required gaps (2, 4, 5, 8, 10, 11) that are still empty, each followed by a blank.
std::string MarcadoresPendentes(const std::string& Texto);

// A box of the editor: a typed or pasted "#" would shift every gap after it, so it is refused.
class TCaixaLaudo : public TRichEdit {
 public:
  using TRichEdit::TRichEdit;
  void Dispatch(TMessage& Message) override;

 protected:
  void KeyPress(char& Key) override;

 private:
  void Colar();
};

class TfrmLauRelat;

// The values of one eye written into its template.
struct TValoresOlho {
  double Maximo = 0, K1 = 0, K2 = 0, DeltaK = 0, R1 = 0, R2 = 0, DeltaR = 0, Eixo = 0, Eixo2 = 0;
};

class TfrmLaudo : public TForm {
 public:
  explicit TfrmLaudo(TComponent* AOwner);
  ~TfrmLaudo() override;

  TLabel* lblNome;
  TLabel* lblCaixaSelec;
  TTreeView* trwLaudo;
  TLabel* lblCE;
  TLabel* lblOD;
  TLabel* lblOS;
  TLabel* lblCO;
  TLabel* lblCM;
  TCaixaLaudo* reCE;
  TCaixaLaudo* reOD;
  TCaixaLaudo* reOS;
  TCaixaLaudo* reCO;
  TCaixaLaudo* reCM;
  TCheckBox* chkMesmoLau;
  TsButton* btnImprimir;
  TsButton* btnVisualizar;
  TsButton* btnSalvar;
  TsButton* btnFechar;
  TsButton* btnAjuda;

  TCaixaLaudo* CaixaAtual = nullptr;
  TCaixaLaudo* CaixaAnterior = nullptr;
  int NumPosicoes = 0;
  TValoresOlho ValoresOD, ValoresOS;
  TColor CorCaixa = clBlack, CorMarcador = clBlack, CorMarcadorAtual = clBlack;
  // Set by the wizard: the patient and the map type (0 axial, 1 tangential).
  int CodPaciente = 0;
  int TipoMapa = 0;
  // The report opened or stored (0 for a new report not stored yet) and its date and time.
  int CodigoLaudo = 0;
  std::string DataHoraLaudo;

  void CarregarTextosPadrao(const std::string& Local, int NumCaixas);
  void PreencherMarcador(int Posicao, const std::string& Texto);
  void DestacarMarcadores(TCaixaLaudo* Caixa);
  void CaixasPendentes(TCaixaLaudo* Caixa, bool& Pendente, std::string& Lista);
  void GerarLaudoAutomatico();
  void AbrirLaudo();
  void LerArquivoLaudo(const std::string& Arquivo);
  void GravarLaudo();
  // Fills the print layout.
  void PreparaRelat(TfrmLauRelat* Relat);
  // Makes the editor read-only: the tree, the picker title, the boxes, chkMesmoLau and "Salvar Laudo".
  void Bloquear();
  // Selects a box as a mouse click in it does.
  void SelecionarCaixa(TCaixaLaudo* Caixa);
  // Fills the gap of the standard text Node (a tree node of level 1), as its double click does.
  void EscolherTexto(TTreeNode* Node);
  void btnSalvarClick(TObject* Sender);
  void btnImprimirClick(TObject* Sender);
  void btnVisualizarClick(TObject* Sender);

 private:
  void CriarControles();
  TCaixaLaudo* Caixa(const char* Nome, int Top, int Height);
  void CaixaMouseDown(TCaixaLaudo* Caixa);
  void trwLaudoChange(TObject* Sender, TTreeNode* Node);
  void trwLaudoDblClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Computes the values of one chosen exam; false (after its message) when it cannot.
  bool CalcularOlho(const std::string& Escolha);
  int PosicaoSelecionada();
};

extern TfrmLaudo* frmLaudo;
// Set by the wizard before it prepares the editor; the editor is shown only while it stays set.
extern bool MostrarEditor;
