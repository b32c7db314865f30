#include "windows/UfrmCalibracao.h"

#include <functional>
#include <vector>

#include "core/UBCalibracao.h"
#include "core/UBConstantes.h"
#include "toolkit/rtl/NumberText.h"
#include "widgets/Bitmap32.h"
#include "windows/UBArtes.h"
#include "windows/UBControles.h"
#include "windows/UBShell.h"
#include "windows/UfrmPrincipal.h"

TfrmCalib* frmCalib = nullptr;

namespace {

// The spheres' places on the square calibrator's picture and on the wheel's.
constexpr int kQuadradoX[4] = {16, 82, 148, 214};
constexpr int kRedondoX[4] = {18, 98, 168, 98};
constexpr int kRedondoY[4] = {98, 18, 98, 168};
constexpr int kLadoEsfera = 48;

std::string Filme(const std::string& Nome) {
  return std::string(PathsMZ.DirMZ ? PathsMZ.DirMZ : "") + "\\imgs\\" + Nome;
}

}  // namespace

std::string TfrmCalib::TextoRaio(int Esfera) { return TextoRaioEsfera(Esfera); }

TfrmCalib::TfrmCalib(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmCalib");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetHelpContext(3);
    SetCaption("Calibração");
    SetClientWidth(560);
    SetClientHeight(400);
    rgpTpCalib = CriarControle<TRadioGroup>(this, this, "rgpTpCalib", 8, 8, 300, 44, "Calibrador");
    rgpTpCalib->SetColumns(2);
    rgpTpCalib->Items()->Add("Calibrador 1");
    rgpTpCalib->Items()->Add("Calibrador 2");
    CriarQuadrado();
    CriarRedondo();
    CriarControle<TLabel>(this, this, "lblTitRaio", 330, 6, 100, 16, "Raio (mm):");
    lblRaio = CriarControle<TLabel>(this, this, "lblRaio", 440, 6, 100, 16, " ");
    CriarControle<TLabel>(this, this, "lblTitUltCalib", 330, 24, 220, 16, "Última calibração realizada");
    lblUltCalib = CriarControle<TLabel>(this, this, "lblUltCalib", 330, 41, 220, 16, " ");
    const struct {
      TsButton** Campo;
      const char* Nome;
      int Top;
      const char* Caption;
      std::function<void(TObject*)> Clique;
    } botoes[] = {
        {&btnPRC, "btnPRC", 80, "Processar Esfera", [this](TObject* s) { sbtProcEsfClick(s); }},
        {&btnANT, "btnANT", 120, "Esfera anterior", [this](TObject* s) { sbtPrevClick(s); }},
        {&btnPRO, "btnPRO", 160, "Próxima esfera", [this](TObject* s) { sbtNextClick(s); }},
        {&btnAjuda, "btnAjuda", 320, "Ajuda", [](TObject*) { PressionarF1(); }},
        {&btnFechar, "btnFechar", 360, "Fechar", [this](TObject*) { Close(); }},
    };
    for (const auto& b : botoes) {
      *b.Campo = CriarControle<TsButton>(this, this, b.Nome, 420, b.Top, 130, 32, b.Caption);
      (*b.Campo)->OnClick = b.Clique;
    }
    Timer = new TTimer(this);
    Timer->SetName("Timer");
    Timer->SetEnabled(false);
    Timer->SetInterval(1200);
    Timer->OnTimer = [this](TObject* Sender) { TimerTimer(Sender); };
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmCalib::~TfrmCalib() {
  if (frmCalib == this) frmCalib = nullptr;
}

void TfrmCalib::CriarQuadrado() {
  pnlCalibQuad = CriarControle<TPanel>(this, this, "pnlCalibQuad", 8, 60, 400, 330);
  imgCalibQuad = CriarControle<TImage>(this, pnlCalibQuad, "imgCalibQuad", 60, 100, 280, 100);
  CarregarArte(imgCalibQuad->Picture(), "CALIBRADOR_QUADRADO");
  for (int i = 0; i < 4; ++i) {
    const std::string n = IntToStr(i + 1);
    Esf[i] = CriarControle<TShape>(this, pnlCalibQuad, "Esf" + n, 60 + kQuadradoX[i] - 4, 100 + 26 - 4, 56, 56);
    Esf[i]->SetShape(stEllipse);
    Esf[i]->Brush()->SetStyle(bsClear);
    Esf[i]->Pen()->SetColor(clRed);
    Esf[i]->Pen()->SetWidth(3);
    imgChk[i] = CriarControle<TImage>(this, pnlCalibQuad, "imgChk" + n, 60 + kQuadradoX[i] + 12, 210, 24, 24);
    CarregarArte(imgChk[i]->Picture(), "TICK");
    imgChk[i]->SetVisible(false);
  }
}

void TfrmCalib::CriarRedondo() {
  pnlCalibRedondo = CriarControle<TPanel>(this, this, "pnlCalibRedondo", 8, 60, 400, 330);
  flaCalibrador = CriarControle<TFilmeCalibrador>(this, pnlCalibRedondo, "flaCalibrador", 80, 20, 220, 220);
  // Each sphere's picture is its part of the wheel.
  TBitmap32 roda;
  roda.Assign(flaCalibrador->Picture());
  roda.SetDrawMode(dmBlend);
  for (int i = 0; i < 4; ++i) {
    const std::string n = IntToStr(i + 1);
    const int x = 80 + kRedondoX[i], y = 20 + kRedondoY[i];
    imgEsf[i] = CriarControle<TImage32>(this, pnlCalibRedondo, "imgEsf" + n, x, y, kLadoEsfera, kLadoEsfera);
    imgEsf[i]->Bitmap()->SetSize(kLadoEsfera, kLadoEsfera);
    imgEsf[i]->Bitmap()->Clear(Color32(pnlCalibRedondo->Color()));
    roda.DrawTo(imgEsf[i]->Bitmap(), TRect(0, 0, kLadoEsfera, kLadoEsfera),
                TRect(kRedondoX[i], kRedondoY[i], kRedondoX[i] + kLadoEsfera, kRedondoY[i] + kLadoEsfera));
    CircEsf[i] = CriarControle<TShape>(this, pnlCalibRedondo, "CircEsf" + n, x - 4, y - 4, kLadoEsfera + 8,
                                       kLadoEsfera + 8);
    CircEsf[i]->SetShape(stCircle);
    CircEsf[i]->Brush()->SetStyle(bsClear);
    CircEsf[i]->Pen()->SetColor(clYellow);
    CircEsf[i]->Pen()->SetWidth(3);
    CircEsf[i]->SetVisible(false);
    chkEsf[i] = CriarControle<TImage>(this, pnlCalibRedondo, "chkEsf" + n, x + kLadoEsfera - 12, y + kLadoEsfera - 12,
                                      24, 24);
    CarregarArte(chkEsf[i]->Picture(), "TICK");
    chkEsf[i]->SetVisible(false);
  }
  CriarControle<TLabel>(this, pnlCalibRedondo, "lblGire", 16, 290, 370, 16,
                        "Gire o calibrador manualmente para alternar de esfera.");
}

void TfrmCalib::FormCreate(TObject*) {
  // A settings text that is no date is a calibration never made, not a window that cannot open.
  Calibrado = BIniSettings && TryStrToDateTime(BIniSettings->GetUltimaCalib(), UltimaCalibracao);
  rgpTpCalib->SetItemIndex(InfosMZ.TipoCalibrador == 1 ? 1 : 0);
  rgpTpCalib->OnClick = [this](TObject* Sender) { rgpTpCalibClick(Sender); };
  pnlCalibRedondo->SetVisible(Redondo());
  pnlCalibQuad->SetVisible(!Redondo());
}

void TfrmCalib::FormShow(TObject*) {
  ExibirPasso(1);
  flaCalibrador->SetLoop(false);
  flaCalibrador->Stop();
  lblUltCalib->SetCaption(Calibrado ? DateTimeToStr(UltimaCalibracao) : "");
}

void TfrmCalib::FormClose(TObject*, TCloseAction& Action) {
  Timer->SetEnabled(false);
  Action = caFree;
  if (frmCalib == this) frmCalib = nullptr;
}

void TfrmCalib::MostrarEsferas(bool Value) {
  for (TImage32* img : imgEsf) img->SetVisible(Value);
}

void TfrmCalib::HabilitarNavegacao(bool Anterior, bool Proxima) {
  btnANT->SetEnabled(Anterior);
  btnPRO->SetEnabled(Proxima);
}

void TfrmCalib::ExibirPasso(int N) {
  btnPRC->SetCaption("Processar Esfera");
  Passo = N < 1 ? 1 : N > 5 ? 5 : N;
  const int esfera = Passo < 5 ? Passo : 4;
  lblRaio->SetCaption(TextoRaio(esfera));
  // Going back to a processed sphere means measuring it again.
  if (N <= EsferaMaxima && N >= 1 && N <= 4) EsferaFeita[N] = false;
  if (Redondo()) {
    CircEsf[esfera - 1]->Pen()->SetStyle(psSolid);
    CircEsf[esfera - 1]->SetVisible(true);
    static const char* const voltas[3] = {"cbr_mov1_ant.dat", "cbr_mov2_ant.dat", "cbr_mov3_ant.dat"};
    static const char* const idas[4] = {"cbr_mov1.dat", "cbr_mov1.dat", "cbr_mov2.dat", "cbr_mov3.dat"};
    if (N <= EsferaMaxima) {
      if (N >= 1 && N <= 3) {
        flaCalibrador->LoadMovie(0, Filme(voltas[N - 1]));
        CircEsf[N]->SetVisible(false);
      }
    } else if (N >= 1 && N <= 4) {
      flaCalibrador->LoadMovie(0, Filme(idas[N - 1]));
    }
    HabilitarNavegacao(false, Passo == 1);
  } else {
    for (int i = 0; i < 4; ++i) Esf[i]->SetVisible(i == esfera - 1);
    HabilitarNavegacao(Passo != 1, Passo != 4);
  }
  if (Passo == 5) {
    btnPRC->SetCaption("Salvar Calibração");
    btnPRC->SetEnabled(true);
  }
}

void TfrmCalib::sbtPrevClick(TObject*) {
  MostrarEsferas(false);
  ExibirPasso(Passo - 1);
  if (!Redondo()) return;
  flaCalibrador->SetLoop(false);
  flaCalibrador->Play();
  Timer->SetEnabled(true);
}

void TfrmCalib::sbtNextClick(TObject*) {
  MostrarEsferas(false);
  ExibirPasso(Passo + 1);
  if (!Redondo()) return;
  flaCalibrador->SetLoop(false);
  flaCalibrador->Play();
  Timer->SetEnabled(true);
}

void TfrmCalib::TimerTimer(TObject*) {
  MostrarEsferas(true);
  btnANT->SetEnabled(Passo > 1);
  btnPRO->SetEnabled(Passo < 4);
  if (Passo == 1) rgpTpCalib->SetEnabled(true);
  Timer->SetEnabled(false);
  // After the wheel turned: which check picture shows which sphere's state.
  struct TMarca {
    int Figura;  // chkEsf1 .. chkEsf4
    int Esfera;
  };
  static const std::vector<TMarca> adiante[6] = {{}, {}, {{2, 1}}, {{2, 2}, {3, 1}}, {{2, 3}, {3, 2}, {4, 1}}, {{1, 4}}};
  static const std::vector<TMarca> atras[6] = {{}, {{2, 4}}, {{3, 4}, {2, 1}}, {{4, 4}, {3, 1}, {2, 2}}, {{1, 4}}, {}};
  for (const TMarca& m : Passo >= EsferaMaxima ? adiante[Passo] : atras[Passo])
    chkEsf[m.Figura - 1]->SetVisible(EsferaFeita[m.Esfera]);
}

void TfrmCalib::rgpTpCalibClick(TObject*) {
  const int indice = rgpTpCalib->ItemIndex();
  if (BIniSettings) BIniSettings->WriteParam("Str", "OPCOES", "TIPOCALIBRADOR", IntToStr(indice), false);
  InfosMZ.TipoCalibrador = static_cast<unsigned char>(indice);
  ExibirPasso(1);
  flaCalibrador->SetLoop(false);
  flaCalibrador->Stop();
  pnlCalibRedondo->SetVisible(indice == 1);
  pnlCalibQuad->SetVisible(indice == 0);
}
