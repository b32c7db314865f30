#pragma once
// The new-exam wizard: for each eye on its own, capture the pictures, detect the rings, show the map
// and save the exam (or, for orthokeratology, a series of four), each step a call into a module.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/UBMatrizMapa.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sComboBox.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/Timer.h"
#include "widgets/Bitmap32_Image.h"
#include "widgets/LabelX.h"

class TfrmNovoExame : public TForm {
 public:
  explicit TfrmNovoExame(TComponent* AOwner);
  ~TfrmNovoExame() override;

  // One eye: its controls, its step (1..5, 5 = saved) and what its steps produced. The pupil and the
  // reliability index belong to the eye whose picture was processed.
  struct TOlho {
    int Indice = 0;  // 1 right eye, 0 left eye
    TGroupBox* Grupo = nullptr;
    std::array<TLabelX*, 4> Rotulos{};  // lblDigit, lblDetect, lblMapa, lblGrava
    std::array<TImage*, 4> Feitos{};    // ImgStep1 .. ImgStep4
    TImage* Seta = nullptr;
    TsButton* Executar = nullptr;
    TSpeedButton* ExecutarOculto = nullptr;
    TImage32* Previa = nullptr;
    TPanel* Painel = nullptr;
    TMemo* Diagnostico = nullptr;
    TMemo* Observacoes = nullptr;
    int Passo = 1;

    std::unique_ptr<TMemoryStream> Central, Lateral;
    double CentroX = 0, CentroY = 0;
    std::unique_ptr<TMatrizAngAnel> MatrizM, MatrizD;
    TMatrizAng AneisPorMeridiano{};
    TPupila Pupila{};
    double IndConf = 0;

    // Orthokeratology: four pictures, the processing module's texts and values, and the parsed maps.
    std::array<std::unique_ptr<TMemoryStream>, 4> CentraisOrto, LateraisOrto;
    std::unique_ptr<TMemoryStream> SaidaM, SaidaD, SaidaValores;
    std::vector<TMatrizAngAnel> MatrizesM, MatrizesD;
    std::array<std::array<double, 4>, 4> ValoresOrto{};
    std::array<double, 4> Valores{};  // each picture's reliability index

    bool EmCurso() const { return Passo >= 2 && Passo <= 4; }
  };
  TOlho Direito, Esquerdo;

  TsButton* sButton2;  // "Executar" of the right eye
  TsButton* sButton3;  // "Executar" of the left eye
  TImage32* Olho1;     // right eye's picture
  TImage32* Olho0;     // left eye's picture
  TsComboBox* ComboMedicos;
  TLabel* lblData;
  TLabel* lblHora;
  TLabel* DBlblPaciente;
  TPanel* pnlDireito;
  TPanel* pnlEsquerdo;
  TMemo* Memo1;
  TMemo* Memo2;
  TMemo* Memo3;
  TMemo* Memo4;
  TPanel* pnlVIS;
  TRadioButton* rbtAxial;
  TRadioButton* rbtTangencial;
  TRadioButton* rbtMultiOrto;
  TsButton* btnFEC;
  TSpeedButton* sbtFechar;
  TLabel* lblMens1;
  TLabel* lblMens2;
  TLabel* lblMens3;
  TImage* Image4;
  TTimer* Timer1;

  bool Orto = false;
  // The patient of this exam, taken when the wizard opens.
  int CodPaciente = 0;
  std::string NomePaciente, RGPaciente;

  TOlho& OlhoDe(int Olho) { return Olho == 1 ? Direito : Esquerdo; }
  void DefinirPassoD(int Passo) { DefinirPasso(Direito, Passo); }
  void DefinirPassoS(int Passo) { DefinirPasso(Esquerdo, Passo); }
  void CarregarMedicos();
  void ExecutarPasso(int Olho);
  bool DigitalizarOlho(int Olho);
  bool ProcessarOlho(int Olho);
  bool ExibirMapa(int Olho);
  bool GravarExame(int Olho);
  bool GravarExameOrto(int Olho);
  void AumentaForm();
  void DiminuiForm();
  // The "Executar" buttons and the step labels: the step, then the window centred.
  void sbtExecutarClick(int Olho);
  void lblDigitClick(TObject* Sender);
  void sbtFecharClick(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Image4MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

 private:
  void CriarOlho(TOlho& O, const std::string& Sufixo, const std::string& Caption, int Left);
  void CriarRodape();
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void KeyPress(TObject* Sender, WORD& Key, TShiftState Shift);
  void DefinirPasso(TOlho& O, int Passo);
  void AvancarPasso(TOlho& O) { DefinirPasso(O, O.Passo < 4 ? O.Passo + 1 : 5); }
  void BotoesFechar(bool Cancelar);
  // The patient's info lines for a map module (Orto: without the exam-code line).
  std::vector<std::string> InfoPaciente(const TOlho& O, bool Orto) const;
  int CodigoMedico() const;
  // The exam browser on this patient and doctor after a save; the date and time shown renewed.
  void AposGravar();
  void EncolherAposGravar();
};

extern TfrmNovoExame* frmNovoExame;
