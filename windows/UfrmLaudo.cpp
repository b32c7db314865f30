#include "windows/UfrmLaudo.h"

#include <algorithm>
#include <cstdint>

#include "core/UfrmDataModule.h"
#include "windows/UBShell.h"
#include "windows/UfrmWizLaudo.h"

TfrmLaudo* frmLaudo = nullptr;
bool MostrarEditor = false;

namespace {

constexpr int kObrigatorios[] = {2, 4, 5, 8, 10, 11};
// Gaps above this number are never coloured.
constexpr int kUltimoDestacado = 18;

std::string SemSustenido(const std::string& Texto) {
  std::string s = Texto;
  s.erase(std::remove(s.begin(), s.end(), '#'), s.end());
  return s;
}

void* CodigoComoDado(int Codigo) { return reinterpret_cast<void*>(static_cast<intptr_t>(Codigo)); }
int DadoComoCodigo(void* Dado) { return static_cast<int>(reinterpret_cast<intptr_t>(Dado)); }

}  // namespace

std::vector<TMarcador> Marcadores(const std::string& Texto) {
  std::vector<TMarcador> r;
  size_t abre = std::string::npos;
  int k = 0;
  for (size_t i = 0; i < Texto.size(); ++i) {
    if (Texto[i] != '#') continue;
    ++k;
    if (k % 2)
      abre = i;
    else
      r.push_back({k / 2, abre, i});
  }
  return r;
}

std::string TextoComMarcador(const std::string& Texto, int Posicao, const std::string& Valor) {
  for (const TMarcador& m : Marcadores(Texto)) {
    if (m.Numero != Posicao) continue;
    const std::string valor = SemSustenido(Valor);
    return Texto.substr(0, m.Abre + 1) + std::to_string(Posicao) + (valor.empty() ? "" : "-" + valor) +
           Texto.substr(m.Fecha);
  }
  return Texto;
}

std::string MarcadoresPendentes(const std::string& Texto) {
  std::string lista;
  const std::vector<TMarcador> marcadores = Marcadores(Texto);
  for (int n : kObrigatorios)
    for (const TMarcador& m : marcadores)
      if (m.Numero == n && m.Fecha - m.Abre - 1 < 3) lista += std::to_string(n) + " ";
  return lista;
}

void TCaixaLaudo::KeyPress(char& Key) {
  if (Key == '#') Key = 0;
  TRichEdit::KeyPress(Key);
}

void TCaixaLaudo::Dispatch(TMessage& Message) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  const bool colarTecla = Message.Msg == WM_KEYDOWN && ((ctrl && Message.WParam == 'V') ||
                                                        (shift && !ctrl && Message.WParam == VK_INSERT));
  if (Message.Msg == WM_PASTE || Message.Msg == EM_PASTESPECIAL || colarTecla) {
    Colar();
    Message.Result = 0;
    return;
  }
  TRichEdit::Dispatch(Message);
}

void TCaixaLaudo::Colar() {
  if (ReadOnly() || !Enabled() || !OpenClipboard(Handle())) return;
  std::string texto;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      texto = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  SetSelText(SemSustenido(texto));
}

TfrmLaudo::TfrmLaudo(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] { CriarControles(); });
}

TfrmLaudo::~TfrmLaudo() {
  if (frmLaudo == this) frmLaudo = nullptr;
}

TCaixaLaudo* TfrmLaudo::Caixa(const char* Nome, int Top, int Height) {
  auto* c = new TCaixaLaudo(this);
  c->SetName(Nome);
  c->SetParent(this);
  c->SetBounds(330, Top, 680, Height);
  c->SetScrollBars(ssVertical);
  c->SetColor(clWhite);
  c->OnMouseDown = [this, c](TObject*, TMouseButton, TShiftState, int, int) { CaixaMouseDown(c); };
  c->OnExit = [this](TObject*) { CaixaAnterior = CaixaAtual; };
  return c;
}

void TfrmLaudo::CriarControles() {
  SetName("frmLaudo");
  SetCaption("Laudo");
  SetBorderStyle(bsNone);
  SetHelpContext(25);
  SetClientWidth(1024);
  SetClientHeight(700);
  SetWindowState(wsMaximized);
  auto rotulo = [this](const std::string& Caption, int Left, int Top) {
    auto* l = new TLabel(this);
    l->SetParent(this);
    l->SetBounds(Left, Top, 300, 16);
    l->SetCaption(Caption);
    return l;
  };
  lblNome = rotulo("", 10, 10);
  lblNome->SetName("lblNome");
  lblNome->Font()->SetStyle({fsBold});
  lblCaixaSelec = rotulo("Textos Padrão", 10, 40);
  lblCaixaSelec->SetName("lblCaixaSelec");
  trwLaudo = new TTreeView(this);
  trwLaudo->SetName("trwLaudo");
  trwLaudo->SetParent(this);
  trwLaudo->SetBounds(10, 58, 310, 580);
  trwLaudo->SetReadOnly(true);
  trwLaudo->OnChange = [this](TObject* Sender, TTreeNode* Node) { trwLaudoChange(Sender, Node); };
  trwLaudo->OnDblClick = [this](TObject* Sender) { trwLaudoDblClick(Sender); };
  lblCE = rotulo("Condições do Exame", 330, 40);
  reCE = Caixa("reCE", 58, 60);
  lblOD = rotulo("Olho Direito", 330, 124);
  reOD = Caixa("reOD", 142, 110);
  lblOS = rotulo("Olho Esquerdo", 330, 258);
  reOS = Caixa("reOS", 276, 110);
  lblCO = rotulo("Conclusão", 330, 392);
  reCO = Caixa("reCO", 410, 110);
  lblCM = rotulo("Comentários", 330, 526);
  reCM = Caixa("reCM", 544, 70);
  chkMesmoLau = new TCheckBox(this);
  chkMesmoLau->SetName("chkMesmoLau");
  chkMesmoLau->SetParent(this);
  chkMesmoLau->SetBounds(330, 620, 300, 18);
  chkMesmoLau->SetCaption("Mesmo laudo para ambos os olhos");
  auto botao = [this](const char* Nome, const std::string& Caption, int Left) {
    auto* b = new TsButton(this);
    b->SetName(Nome);
    b->SetParent(this);
    b->SetBounds(Left, 650, 150, 34);
    b->SetCaption(Caption);
    return b;
  };
  btnImprimir = botao("btnImprimir", "&Imprimir", 330);
  btnVisualizar = botao("btnVisualizar", "Vi&sualizar Impressão", 490);
  btnSalvar = botao("btnSalvar", "Salvar Laudo", 650);
  btnFechar = botao("btnFechar", "Fechar", 810);
  btnAjuda = botao("btnAjuda", "Ajuda", 970);
  btnAjuda->SetWidth(40);
  btnImprimir->OnClick = [this](TObject* Sender) { btnImprimirClick(Sender); };
  btnVisualizar->OnClick = [this](TObject* Sender) { btnVisualizarClick(Sender); };
  btnSalvar->OnClick = [this](TObject* Sender) { btnSalvarClick(Sender); };
  btnFechar->OnClick = [this](TObject*) { Close(); };
  btnAjuda->OnClick = [](TObject*) { PressionarF1(); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

void TfrmLaudo::FormClose(TObject*, TCloseAction& Action) {
  if (frmWizLaudo) frmWizLaudo->Close();
  if (frmLaudo == this) frmLaudo = nullptr;
  Action = caFree;
}

void TfrmLaudo::SelecionarCaixa(TCaixaLaudo* Caixa) { CaixaMouseDown(Caixa); }

void TfrmLaudo::CaixaMouseDown(TCaixaLaudo* Caixa) {
  struct TCaixaInfo {
    TCaixaLaudo* Caixa;
    const char* Titulo;
    const char* Local;
    int Posicoes;
  };
  const TCaixaInfo caixas[] = {{reCE, "Textos para Condições do Exame", "CE", 3},
                               {reOD, "Textos para o Olho Direito", "DS", 7},
                               {reOS, "Textos para o Olho Esquerdo", "DS", 7},
                               {reCO, "Textos para a Conclusão", "CO", 16}};
  const TCaixaInfo* escolhida = nullptr;
  for (const TCaixaInfo& c : caixas) {
    if (c.Caixa == Caixa)
      escolhida = &c;
    else
      c.Caixa->SetColor(clWhite);
  }
  if (!escolhida) {  // the comments box
    DestacarMarcadores(CaixaAnterior);
    return;
  }
  CaixaAtual = Caixa;
  lblCaixaSelec->SetCaption(escolhida->Titulo);
  NumPosicoes = escolhida->Posicoes;
  Caixa->SetColor(CorCaixa);
  CarregarTextosPadrao(escolhida->Local, NumPosicoes);
  DestacarMarcadores(CaixaAnterior);
}

void TfrmLaudo::CarregarTextosPadrao(const std::string& Local, int NumCaixas) {
  TTreeNodes* nos = trwLaudo->Items();
  TIBTable* t = DMPrincipal->IBLaudosTexto;
  if (!t->Active()) t->Open();
  nos->BeginUpdate();
  nos->Clear();
  std::vector<TTreeNode*> raizes;
  for (int i = 1; i <= NumCaixas; ++i) raizes.push_back(nos->Add(nullptr, std::to_string(i)));
  // One pass over the box's texts, each under its gap: every click in a box reads the table once.
  t->SetFilter("Local ='" + Local + "'");
  t->SetFiltered(true);
  for (t->First(); !t->Eof(); t->Next()) {
    const int posicao = t->FieldByName("POSCAIXA")->AsInteger();
    if (posicao < 1 || posicao > NumCaixas) continue;
    const std::string texto = t->FieldByName("TEXTO")->AsString();
    nos->AddChildObject(raizes[size_t(posicao - 1)], texto.empty() ? "\"Em Branco\"" : texto,
                        CodigoComoDado(t->FieldByName("CODIGO")->AsInteger()));
  }
  t->SetFiltered(false);
  t->SetFilter("");
  nos->EndUpdate();
}

void TfrmLaudo::trwLaudoChange(TObject*, TTreeNode*) {
  if (!CaixaAtual) return;
  DestacarMarcadores(CaixaAtual);
  CaixaAtual->SetColor(CorCaixa);
}

void TfrmLaudo::trwLaudoDblClick(TObject*) {
  TTreeNode* no = trwLaudo->Selected();
  if (no && no->Level() == 1) EscolherTexto(no);
}

void TfrmLaudo::EscolherTexto(TTreeNode* Node) {
  TIBTable* t = DMPrincipal->IBLaudosTexto;
  if (!t->Locate("CODIGO", std::to_string(DadoComoCodigo(Node->Data())), 0)) return;
  const int posicao = Node->Parent()->Index() + 1;
  const std::string texto = t->FieldByName("TEXTO")->AsString();
  PreencherMarcador(posicao, texto);
  if (chkMesmoLau->Checked() && (CaixaAtual == reOD || CaixaAtual == reOS)) {
    TCaixaLaudo* atual = CaixaAtual;
    CaixaAtual = atual == reOD ? reOS : reOD;
    PreencherMarcador(posicao, texto);
    CaixaAtual = atual;
  }
}

void TfrmLaudo::PreencherMarcador(int Posicao, const std::string& Texto) {
  if (!CaixaAtual) return;
  const std::string antes = CaixaAtual->Text();
  const std::string depois = TextoComMarcador(antes, Posicao, Texto);
  if (depois != antes) CaixaAtual->SetText(depois);
  DestacarMarcadores(CaixaAtual);
}

int TfrmLaudo::PosicaoSelecionada() {
  TTreeNode* no = trwLaudo->Selected();
  if (!no) return 0;
  return (no->Level() == 0 ? no : no->Parent())->Index() + 1;
}

void TfrmLaudo::DestacarMarcadores(TCaixaLaudo* Caixa) {
  if (!Caixa) return;
  const int atual = PosicaoSelecionada();
  for (const TMarcador& m : Marcadores(Caixa->Text())) {
    if (m.Numero > kUltimoDestacado) break;
    Caixa->SetSelStart(int(m.Abre));
    Caixa->SetSelLength(int(m.Fecha - m.Abre + 1));
    Caixa->SelAttributes()->SetColor(m.Numero == atual ? CorMarcadorAtual : CorMarcador);
  }
  Caixa->SetSelLength(0);
}

void TfrmLaudo::CaixasPendentes(TCaixaLaudo* Caixa, bool& Pendente, std::string& Lista) {
  Lista = MarcadoresPendentes(Caixa->Text());
  Pendente = !Lista.empty();
}

void TfrmLaudo::btnSalvarClick(TObject*) {
  bool od = false, os = false, co = false;
  std::string listaOD, listaOS, listaCO;
  CaixasPendentes(reOD, od, listaOD);
  CaixasPendentes(chkMesmoLau->Checked() ? reOD : reOS, os, listaOS);
  CaixasPendentes(reCO, co, listaCO);
  std::string mensagem;
  if (od) mensagem += "Caixa Olho Direito: " + listaOD + " ";
  if (os) mensagem += "Caixa Olho Esquerdo: " + listaOS;
  if (co) mensagem += "Caixa Conclusão: " + listaCO;
  if (od || os || co) {
    if (Application->MessageBox("Algumas caixas obrigatórias estão sem preencher. Deseja alterá-las?\n\r" + mensagem,
                                "Informação", MB_YESNO | MB_ICONQUESTION) == IDNO)
      GravarLaudo();
  } else {
    GravarLaudo();
  }
}

void TfrmLaudo::Bloquear() {
  trwLaudo->Items()->Clear();
  for (TControl* c : std::initializer_list<TControl*>{trwLaudo, lblCaixaSelec, reCE, reOD, reOS, reCO, reCM,
                                                       chkMesmoLau, btnSalvar})
    c->SetEnabled(false);
}
