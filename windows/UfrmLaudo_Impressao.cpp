// The report on paper: the layout filled from the editor, printed or previewed.
#include <memory>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDMedicos.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/FileUtils.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmLauRelat.h"
#include "windows/UfrmLaudo.h"
#include "windows/UfrmWizLaudo.h"

namespace {

std::string Texto(const char* Valor) { return Valor ? Valor : ""; }

struct TLiberarRelat {
  void operator()(TfrmLauRelat* Relat) const { Relat->Free(); }
};
using TRelat = std::unique_ptr<TfrmLauRelat, TLiberarRelat>;

}  // namespace

void TfrmLaudo::PreparaRelat(TfrmLauRelat* Relat) {
  // The tools window keeps the clinic's logo in the program's data folder.
  const std::string logo = Texto(PathsMZ.DirMZ) + "\\LogoClinica.bmp";
  if (FileExists(logo)) Relat->imgLogo->Picture()->LoadFromFile(logo);
  Relat->lblNomeCli->SetCaption(Texto(InfosMZ.ClinicaNome));
  Relat->lblEnderecoCli->SetCaption(Texto(InfosMZ.ClinicaEndereco));
  Relat->lblCidadeEst->SetCaption(Texto(InfosMZ.ClinicaCidadeEst));
  Relat->lblFone->SetCaption(Texto(InfosMZ.ClinicaTelefone));
  Relat->lblNomePac->SetCaption(lblNome->Caption());
  std::string medico;
  if (btnSalvar->Enabled()) {
    medico = frmExames ? frmExames->CBMedicos->Text() : "";
    Relat->qrDataEmissao->SetCaption(FormatDateTime("dd'/'mm'/'yy hh':'nn':'ss", Now()));
  } else {
    // A report without a right eye names the doctor of its left eye.
    const int exame = MedidaOD != -1 ? MedidaOD : MedidaOS;
    if (exame != -1) medico = TDMedicos::GetNomeByCodigo(TDExames::GetCodRespByCodigo(exame));
    Relat->qrDataEmissao->SetCaption(DataHoraLaudo);
  }
  Relat->lblNomeMed->SetCaption(medico);
  Relat->lblNomeMed2->SetCaption(medico);
  Relat->qrExames->SetCaption(ExameOD + "  " + ExameOS);
  Relat->qrTipoMapa->SetCaption(TipoMapa == 0 ? "Mapa Tipo Axial" : "Mapa Tipo Tangencial");
  const std::pair<TCaixaLaudo*, TQRRichText*> partes[] = {
      {reCE, Relat->qrCE}, {reOD, Relat->qrOD}, {reOS, Relat->qrOS}, {reCO, Relat->qrCO}};
  for (const auto& [caixa, texto] : partes) texto->Lines()->SetText(TextoSemMarcadores(caixa->Text()));
  if (!reCM->Text().empty()) {
    Relat->qrCM->Lines()->SetText(TextoSemMarcadores(reCM->Text()));
  } else {
    Relat->qrCM->Lines()->Clear();
    Relat->QRLabel9->SetCaption("");
  }
}

void TfrmLaudo::btnImprimirClick(TObject*) {
  TRelat relat(new TfrmLauRelat(Application));
  PreparaRelat(relat.get());
  relat->qrLauRelat->Print();
}

void TfrmLaudo::btnVisualizarClick(TObject*) {
  TRelat relat(new TfrmLauRelat(Application));
  PreparaRelat(relat.get());
  relat->qrLauRelat->Preview();
}
