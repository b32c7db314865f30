#pragma once
// Calibration: four reference spheres photographed by the capture module and measured by the
// processing module, one result file per sphere, and a least-squares straight line per ring written
// to "Coef.txt" once all four were measured.
#include <string>

#include "skin/controls/sButton.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/Timer.h"
#include "widgets/Bitmap32_Image.h"
#include "windows/UBFilmeCalibrador.h"

class TfrmCalib : public TForm {
 public:
  explicit TfrmCalib(TComponent* AOwner);
  ~TfrmCalib() override;

  TRadioGroup* rgpTpCalib;
  TPanel* pnlCalibQuad;
  TImage* imgCalibQuad;
  TShape* Esf[4];     // Esf1 .. Esf4
  TImage* imgChk[4];  // imgChk1 .. imgChk4
  TPanel* pnlCalibRedondo;
  TFilmeCalibrador* flaCalibrador;
  TImage32* imgEsf[4];  // imgEsf1 .. imgEsf4
  TShape* CircEsf[4];   // CircEsf1 .. CircEsf4
  TImage* chkEsf[4];    // chkEsf1 .. chkEsf4
  TLabel* lblRaio;
  TLabel* lblUltCalib;
  TsButton* btnPRC;
  TsButton* btnANT;
  TsButton* btnPRO;
  TsButton* btnFechar;
  TsButton* btnAjuda;
  TTimer* Timer;

  // Step 1 .. 4 is a sphere, 5 the save.
  int Passo = 1;
  // The highest step whose sphere was processed.
  int EsferaMaxima = 0;
  // Spheres processed in this opening (1 .. 4).
  bool EsferaFeita[5] = {};
  // The last calibration, when the settings hold one.
  bool Calibrado = false;
  TDateTime UltimaCalibracao = 0;

  void ExibirPasso(int N);
  void sbtProcEsfClick(TObject* Sender);
  void sbtPrevClick(TObject* Sender);
  void sbtNextClick(TObject* Sender);
  void TimerTimer(TObject* Sender);
  void rgpTpCalibClick(TObject* Sender);
  // Fits the four result files; N is the number of rings kept in "Coef.txt".
  void SalvarCalibracao(unsigned char N);

  // The radius of sphere 1 .. 4 as the modules take it ("7.73" with "." as separator).
  static std::string TextoRaio(int Esfera);

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CriarQuadrado();
  void CriarRedondo();
  bool Redondo() const { return rgpTpCalib->ItemIndex() == 1; }
  void MostrarEsferas(bool Value);
  void HabilitarNavegacao(bool Anterior, bool Proxima);
  // Fits and writes "Coef.txt"; raises on any file that is missing, short or unreadable, and on a
  // line whose four values cannot be fitted.
  void Ajustar(unsigned char N);
};

extern TfrmCalib* frmCalib;
