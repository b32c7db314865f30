#pragma once
// The printed report: the clinic's heading and logo, the patient, the doctor, the exams and the map
// type, the five texts of the editor and the page number in the footer, on A4 paper with margins.
#include "toolkit/report/QRCtrls.h"
#include "toolkit/report/QuickRpt.h"
#include "toolkit/ui/Forms.h"

class TfrmLauRelat : public TForm {
 public:
  explicit TfrmLauRelat(TComponent* AOwner);

  TQuickRep* qrLauRelat;
  TQRBand* bndDetalhe;
  TQRBand* bndRodape;
  TQRImage* imgLogo;
  TQRLabel* lblNomeCli;
  TQRLabel* lblEnderecoCli;
  TQRLabel* lblCidadeEst;
  TQRLabel* lblFone;
  TQRLabel* lblNomePac;
  TQRLabel* lblNomeMed;
  TQRLabel* lblNomeMed2;
  TQRLabel* qrDataEmissao;
  TQRLabel* qrExames;
  TQRLabel* qrTipoMapa;
  TQRRichText* qrCE;
  TQRRichText* qrOD;
  TQRRichText* qrOS;
  TQRRichText* qrCO;
  TQRRichText* qrCM;
  TQRLabel* QRLabel9;
  TQRPageNumber* qrPagina;

 private:
  void Criar();
  TQRLabel* Rotulo(const std::string& Caption, int Left, int Top, int Width = 300);
  TQRRichText* Texto(int Top);
};
