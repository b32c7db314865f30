#include "windows/UfrmNovoExame.h"

#include "core/UBConstantes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UBArtes.h"
#include "windows/UfrmDica.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"

TfrmNovoExame* frmNovoExame = nullptr;

namespace {

constexpr TColor kAlcancado = TColor(0xFF0000);  // blue: a step reached
constexpr TColor kPendente = TColor(255);        // red
constexpr int kAlturaMenor = 350, kAlturaMaior = 623;

template <class T>
T* Criar(TComponent* Owner, TWinControl* Parent, const std::string& Nome) {
  T* c = new T(Owner);
  c->SetName(Nome);
  c->SetParent(Parent);
  return c;
}

TLabel* Rotulo(TComponent* Owner, TWinControl* Parent, const std::string& Nome, const std::string& Caption, int Left,
               int Top, int Width) {
  TLabel* l = Criar<TLabel>(Owner, Parent, Nome);
  l->SetCaption(Caption);
  l->SetBounds(Left, Top, Width, 16);
  return l;
}

TMemo* Texto(TComponent* Owner, TWinControl* Parent, const std::string& Nome, int Top) {
  TMemo* m = Criar<TMemo>(Owner, Parent, Nome);
  m->SetBounds(8, Top, 290, 100);
  return m;
}

}  // namespace

TfrmNovoExame::TfrmNovoExame(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmNovoExame");
    SetCaption("Assistente para criação do exame");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetHelpContext(7);
    SetClientWidth(640);
    SetHeight(kAlturaMenor);
    Direito.Indice = 1;
    Esquerdo.Indice = 0;
    CriarOlho(Direito, "D", "Olho Direito", 8);
    CriarOlho(Esquerdo, "S", "Olho Esquerdo", 324);
    sButton2 = Direito.Executar;
    sButton3 = Esquerdo.Executar;
    Olho1 = Direito.Previa;
    Olho0 = Esquerdo.Previa;
    pnlDireito = Direito.Painel;
    pnlEsquerdo = Esquerdo.Painel;
    Memo3 = Direito.Diagnostico;
    Memo4 = Direito.Observacoes;
    Memo1 = Esquerdo.Diagnostico;
    Memo2 = Esquerdo.Observacoes;
    CriarRodape();
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(12000);
    Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { KeyPress(Sender, Key, Shift); };
    OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { KeyPress(Sender, Key, Shift); };
  });
}

TfrmNovoExame::~TfrmNovoExame() {
  if (frmNovoExame == this) frmNovoExame = nullptr;
}

void TfrmNovoExame::CriarOlho(TOlho& O, const std::string& S, const std::string& Caption, int Left) {
  O.Grupo = Criar<TGroupBox>(this, this, "gbxOlho" + std::string(S == "D" ? "Direito" : "Esquerdo"));
  O.Grupo->SetCaption(Caption);
  O.Grupo->SetBounds(Left, 56, 308, 210);
  const char* const nomes[] = {"lblDigit", "lblDetect", "lblMapa", "lblGrava"};
  const char* const textos[] = {"Digitalizar Imagem", "Detectar Aneis", "Visualizar Mapa", "Gravar Exame"};
  for (int i = 0; i < 4; ++i) {
    const int top = 24 + i * 26;
    TImage* feito = Criar<TImage>(this, O.Grupo, "ImgStep" + std::to_string(i + 1) + S);
    feito->SetBounds(8, top, 17, 17);
    CarregarArte(feito->Picture(), "TICK");
    feito->SetVisible(false);
    O.Feitos[size_t(i)] = feito;
    TLabelX* l = Criar<TLabelX>(this, O.Grupo, nomes[i] + S);
    l->SetCaption(textos[i]);
    l->SetBounds(50, top, 130, 16);
    l->SetTag(i + 1);
    l->SetCursor(crHandPoint);
    l->OnClick = [this](TObject* Sender) { lblDigitClick(Sender); };
    O.Rotulos[size_t(i)] = l;
  }
  O.Seta = Criar<TImage>(this, O.Grupo, "ImgSeta" + S);
  O.Seta->SetBounds(28, 24, 17, 17);
  CarregarArte(O.Seta->Picture(), "SETA");
  const int olho = O.Indice;
  O.Executar = Criar<TsButton>(this, O.Grupo, S == "D" ? "sButton2" : "sButton3");
  O.Executar->SetCaption("Executar");
  O.Executar->SetBounds(8, 134, 100, 28);
  O.Executar->OnClick = [this, olho](TObject*) { sbtExecutarClick(olho); };
  O.ExecutarOculto = Criar<TSpeedButton>(this, O.Grupo, "sbtExecutar" + S);
  O.ExecutarOculto->SetVisible(false);
  O.ExecutarOculto->OnClick = O.Executar->OnClick;
  TPanel* previa = Criar<TPanel>(this, O.Grupo, "pnlPrevia" + S);
  previa->SetBounds(188, 20, 112, 84);
  O.Previa = Criar<TImage32>(this, previa, S == "D" ? "Olho1" : "Olho0");
  O.Previa->SetAlign(alClient);
  O.Previa->SetBitmapAlign(baTopLeft);
  O.Previa->SetScaleMode(smResize);
  O.Previa->Bitmap()->SetSize(640, 480);
  // The rings are finer than the thumbnail's pixels: reduced without a smoothing filter they show moiré.
  O.Previa->Bitmap()->SetStretchFilter(sfSpline);
  O.Painel = Criar<TPanel>(this, this, S == "D" ? "pnlDireito" : "pnlEsquerdo");
  O.Painel->SetBounds(Left, 330, 308, 250);
  O.Painel->SetVisible(false);
  Rotulo(this, O.Painel, "lblDiag" + S, "Diagnóstico:", 8, 4, 200);
  O.Diagnostico = Texto(this, O.Painel, S == "D" ? "Memo3" : "Memo1", 22);
  Rotulo(this, O.Painel, "lblObs" + S, "Observações:", 8, 126, 200);
  O.Observacoes = Texto(this, O.Painel, S == "D" ? "Memo4" : "Memo2", 144);
}

void TfrmNovoExame::CriarRodape() {
  lblMens1 = Rotulo(this, this, "lblMens1", "Assistente para criação do exame", 8, 4, 300);
  lblMens1->Font()->SetStyle(fsBold);
  lblMens2 = Rotulo(this, this, "lblMens2",
                    "As imagens frontal e lateral somente serão impressas na primeira vez em que o exame for "
                    "visualizado, ou seja, no momento da criação do exame. Ao revê-lo as imagens serão perdidas.",
                    8, 22, 580);
  lblMens2->SetWordWrap(true);
  lblMens2->SetHeight(32);
  Image4 = Criar<TImage>(this, this, "Image4");
  Image4->SetBounds(600, 4, 28, 35);
  CarregarArte(Image4->Picture(), "AJUDA");
  Image4->OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) { Image4MouseMove(Sender, Shift, X, Y); };
  lblMens3 = Rotulo(this, this, "lblMens3",
                    "Siga os passos do assistente de forma sequencial e em caso de dúvidas consulte a nossa Ajuda "
                    "que esta disponível em todas as etapas deste processo.",
                    8, 22, 580);
  lblMens3->SetWordWrap(true);
  lblMens3->SetHeight(32);
  lblMens3->SetVisible(false);
  Rotulo(this, this, "lblMedico", "Médico:", 8, 276, 60);
  ComboMedicos = Criar<TsComboBox>(this, this, "ComboMedicos");
  ComboMedicos->SetStyle(csOwnerDrawFixed);
  ComboMedicos->SetBounds(70, 272, 240, 22);
  Rotulo(this, this, "lblPaciente", "Paciente:", 324, 276, 60);
  DBlblPaciente = Rotulo(this, this, "DBlblPaciente", "", 390, 276, 240);
  lblData = Rotulo(this, this, "lblData", "", 460, 4, 80);
  lblHora = Rotulo(this, this, "lblHora", "", 540, 4, 60);
  pnlVIS = Criar<TPanel>(this, this, "pnlVIS");
  pnlVIS->SetBounds(8, 298, 440, 26);
  Rotulo(this, pnlVIS, "lblVIS", "Visualização dos mapas:", 6, 5, 140);
  rbtAxial = Criar<TRadioButton>(this, pnlVIS, "rbtAxial");
  rbtAxial->SetCaption("Axial");
  rbtAxial->SetBounds(150, 4, 80, 18);
  rbtAxial->SetChecked(true);
  rbtTangencial = Criar<TRadioButton>(this, pnlVIS, "rbtTangencial");
  rbtTangencial->SetCaption("Tangencial");
  rbtTangencial->SetBounds(240, 4, 100, 18);
  rbtMultiOrto = Criar<TRadioButton>(this, pnlVIS, "rbtMultiOrto");
  rbtMultiOrto->SetCaption("MultiOrto");
  rbtMultiOrto->SetBounds(340, 4, 90, 18);
  rbtMultiOrto->SetVisible(false);
  btnFEC = Criar<TsButton>(this, this, "btnFEC");
  btnFEC->SetBounds(530, 296, 100, 28);
  if (frmPrincipal) btnFEC->SetImages(frmPrincipal->img32);
  btnFEC->SetShowHint(true);
  btnFEC->OnClick = [this](TObject* Sender) { sbtFecharClick(Sender); };
  sbtFechar = Criar<TSpeedButton>(this, this, "sbtFechar");
  sbtFechar->SetVisible(false);
  sbtFechar->OnClick = btnFEC->OnClick;
  BotoesFechar(false);
}

void TfrmNovoExame::FormShow(TObject*) {
  if (frmDica) frmDica->Close();
  Timer1->SetEnabled(true);
  DefinirPassoS(1);
  DefinirPassoD(1);
  sButton2->SetEnabled(true);
  sButton3->SetEnabled(true);
  Olho1->Bitmap()->Clear(clBlack32);
  Olho0->Bitmap()->Clear(clBlack32);
  DiminuiForm();
  const TDateTime agora = Now();
  lblData->SetCaption(FormatDateTime("dd/mm/yy", agora));
  lblHora->SetCaption(FormatDateTime("hh:nn:ss", agora));
  // The exam belongs to the patient under the cursor now, whatever moves the cursor later.
  TIBQuery* pacientes = DMPrincipal->IBQueryPacientes;
  if (pacientes->Active() && !pacientes->IsEmpty()) {
    CodPaciente = pacientes->FieldByName("CODIGO")->AsInteger();
    NomePaciente = pacientes->FieldByName("NOME")->AsString();
    RGPaciente = pacientes->FieldByName("RG")->AsString();
  }
  DBlblPaciente->SetCaption(NomePaciente);
  CarregarMedicos();
  if (Orto) {
    for (TOlho* o : {&Direito, &Esquerdo}) {
      o->SaidaM = std::make_unique<TMemoryStream>();
      o->SaidaD = std::make_unique<TMemoryStream>();
      o->SaidaValores = std::make_unique<TMemoryStream>();
    }
    rbtMultiOrto->SetChecked(true);
    rbtMultiOrto->SetLeft(rbtAxial->Left());
    rbtMultiOrto->SetVisible(true);
    rbtAxial->SetVisible(false);
    rbtTangencial->SetVisible(false);
  } else {
    const std::string padrao = InfosMZ.MapaPadraoNovoExame ? InfosMZ.MapaPadraoNovoExame : "";
    (padrao != "Axial" ? rbtTangencial : rbtAxial)->SetChecked(true);
  }
}

void TfrmNovoExame::CarregarMedicos() {
  const std::string doNavegador = frmExames ? frmExames->CBMedicos->Text() : std::string();
  TIBQuery* q = DMPrincipal->IBOperation;
  q->Close();
  q->SQL().Clear();
  q->SQL().Add("SELECT Nome FROM Medicos ORDER BY Nome ASC");
  q->Open();
  ComboMedicos->Clear();
  ComboMedicos->Items()->Add("");
  ComboMedicos->SetItemIndex(0);
  for (q->First(); !q->Eof(); q->Next()) {
    const int i = ComboMedicos->Items()->Add(q->FieldByName("NOME")->AsString());
    if (ComboMedicos->Items()->Strings(i) == doNavegador) ComboMedicos->SetItemIndex(i);
  }
  q->Close();
}

void TfrmNovoExame::DefinirPasso(TOlho& O, int Passo) {
  O.Passo = Passo < 1 ? 1 : Passo > 5 ? 5 : Passo;
  for (TImage* f : O.Feitos) f->SetVisible(false);
  O.Seta->SetVisible(O.Passo < 5);
  for (int i = 0; i < 4; ++i) {
    TLabelX* l = O.Rotulos[size_t(i)];
    const TColor cor = O.Passo < 5 && i < O.Passo ? kAlcancado : kPendente;
    l->FocusFont()->SetColor(cor);
    l->UpFont()->SetColor(cor);
    l->Font()->SetColor(cor);
    O.Feitos[size_t(i)]->SetVisible(i < O.Passo - 1);
  }
  if (O.Passo < 5) O.Seta->SetTop(O.Feitos[size_t(O.Passo - 1)]->Top());
}

void TfrmNovoExame::BotoesFechar(bool Cancelar) {
  for (TControl* b : std::initializer_list<TControl*>{btnFEC, sbtFechar}) b->SetCaption(Cancelar ? "Cancelar" : "Fechar");
  btnFEC->SetImageIndex(Cancelar ? 7 : 13);
  btnFEC->SetHint(Cancelar ? "Cancelar exame" : "Fechar tela do assistente de exame");
}

void TfrmNovoExame::ExecutarPasso(int Olho) {
  TOlho& o = OlhoDe(Olho);
  o.Executar->SetEnabled(false);
  switch (o.Passo) {
    case 1:
      if (ComboMedicos->Text().empty()) {
        Application->MessageBox("Selecione um médico responsável pelo exame.", "Erro", MB_ICONERROR);
        break;
      }
      if (DigitalizarOlho(Olho)) {
        AvancarPasso(o);
        BotoesFechar(true);
        ComboMedicos->SetEnabled(false);
      }
      break;
    case 2:
      if (ProcessarOlho(Olho)) AvancarPasso(o);
      break;
    case 3:
      if (ExibirMapa(Olho)) AvancarPasso(o);
      break;
    case 4:
      try {
        if (Orto ? GravarExameOrto(Olho) : GravarExame(Olho)) AvancarPasso(o);
      } catch (...) {
        // The orthokeratology save has no message of its own: the default error box tells.
        Application->HandleException(this);
      }
      break;
  }
  o.Executar->SetEnabled(o.Passo != 5);
  if (!Direito.EmCurso() && !Esquerdo.EmCurso()) BotoesFechar(false);
}

void TfrmNovoExame::sbtExecutarClick(int Olho) {
  ExecutarPasso(Olho);
  SetTop((Screen->Height() - Height()) / 2);
  SetLeft((Screen->Width() - Width()) / 2);
}

void TfrmNovoExame::lblDigitClick(TObject* Sender) {
  auto* l = static_cast<TLabelX*>(Sender);
  if (l->FocusFont()->Color() != kAlcancado) return;
  TOlho& o = l->Parent() == Direito.Grupo ? Direito : Esquerdo;
  DefinirPasso(o, int(l->Tag()));
  sbtExecutarClick(o.Indice);
}

void TfrmNovoExame::AumentaForm() {
  pnlDireito->SetVisible(true);
  pnlEsquerdo->SetVisible(true);
  SetHeight(kAlturaMaior);
}

void TfrmNovoExame::DiminuiForm() {
  pnlDireito->SetVisible(false);
  pnlEsquerdo->SetVisible(false);
  SetHeight(kAlturaMenor);
}

void TfrmNovoExame::sbtFecharClick(TObject* Sender) {
  if (static_cast<TControl*>(Sender)->Caption() == "Cancelar" &&
      Application->MessageBox("Tem ceteza que deseja cancelar o exame?", "Informação", MB_YESNO | MB_ICONQUESTION) !=
          IDYES)
    return;
  Close();
}

void TfrmNovoExame::KeyPress(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TfrmNovoExame::Timer1Timer(TObject*) {
  if (Timer1->Interval() == 12000) lblMens3->SetVisible(!lblMens3->Visible());
}

void TfrmNovoExame::Image4MouseMove(TObject*, TShiftState, int X, int Y) {
  lblMens3->SetVisible(X >= 6 && X <= 22 && Y >= 6 && Y <= 29);
}

void TfrmNovoExame::FormClose(TObject*, TCloseAction& Action) {
  Timer1->SetEnabled(false);
  Action = caFree;
}
