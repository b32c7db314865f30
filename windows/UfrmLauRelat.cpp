#include "windows/UfrmLauRelat.h"

namespace {
// The printable width of A4 (210 mm) inside the margins, in design pixels.
constexpr int kLargura = 640;
}  // namespace

TfrmLauRelat::TfrmLauRelat(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] { Criar(); });
}

TQRLabel* TfrmLauRelat::Rotulo(const std::string& Caption, int Left, int Top, int Width) {
  auto* l = new TQRLabel(this);
  l->SetParent(bndDetalhe);
  l->SetBounds(Left, Top, Width, 17);
  l->SetCaption(Caption);
  return l;
}

TQRRichText* TfrmLauRelat::Texto(int Top) {
  auto* t = new TQRRichText(this);
  t->SetParent(bndDetalhe);
  t->SetBounds(0, Top, kLargura, 18);
  t->SetAutoStretch(true);
  return t;
}

void TfrmLauRelat::Criar() {
  SetName("frmLauRelat");
  qrLauRelat = new TQuickRep(this);
  qrLauRelat->SetName("qrLauRelat");
  qrLauRelat->SetReportTitle("Laudo");
  qrLauRelat->SetOptions(FirstPageHeader | LastPageFooter | Compression);
  TQRPage* pagina = qrLauRelat->Page();
  pagina->SetTopMargin(20);
  pagina->SetBottomMargin(20);
  pagina->SetLeftMargin(20);
  pagina->SetRightMargin(20);

  bndDetalhe = new TQRBand(this);
  bndDetalhe->SetParent(qrLauRelat);
  bndDetalhe->SetHeight(540);
  imgLogo = new TQRImage(this);
  imgLogo->SetParent(bndDetalhe);
  imgLogo->SetBounds(0, 0, 120, 64);
  imgLogo->SetStretch(true);
  lblNomeCli = Rotulo("", 136, 0, 500);
  lblNomeCli->Font()->SetSize(12);
  lblNomeCli->Font()->SetStyle({fsBold});
  lblEnderecoCli = Rotulo("", 136, 22, 500);
  lblCidadeEst = Rotulo("", 136, 38, 500);
  lblFone = Rotulo("", 136, 54, 500);
  auto linha = [this](int Top) {
    auto* s = new TQRShape(this);
    s->SetParent(bndDetalhe);
    s->SetShape(qrsHorLine);
    s->SetBounds(0, Top, kLargura, 6);
    s->Pen()->SetWidth(2);
  };
  linha(76);
  TQRLabel* titulo = Rotulo("Laudo", 0, 88, kLargura);
  titulo->SetAutoSize(false);
  titulo->SetAlignment(taCenter);
  titulo->Font()->SetSize(14);
  titulo->Font()->SetStyle({fsBold});
  Rotulo("Paciente:", 0, 118, 120);
  lblNomePac = Rotulo("", 140, 118, 500);
  Rotulo("Responsável:", 0, 136, 120);
  lblNomeMed = Rotulo("", 140, 136, 500);
  Rotulo("Data/Hora Emissão:", 0, 154, 130);
  qrDataEmissao = Rotulo("", 140, 154, 500);
  Rotulo("Exame(s):", 0, 172, 120);
  qrExames = Rotulo("", 140, 172, 500);
  qrTipoMapa = Rotulo("", 0, 190, 300);
  linha(210);
  struct TParte {
    const char* Titulo;
    TQRRichText** Texto;
  };
  int topo = 222;
  for (const TParte p : {TParte{"Condições do Exame", &qrCE}, TParte{"Olho Direito", &qrOD},
                         TParte{"Olho Esquerdo", &qrOS}, TParte{"Conclusão", &qrCO}, TParte{"Comentários", &qrCM}}) {
    TQRLabel* l = Rotulo(p.Titulo, 0, topo);
    l->Font()->SetStyle({fsBold});
    if (p.Texto == &qrCM) QRLabel9 = l;
    *p.Texto = Texto(topo + 18);
    topo += 48;
  }
  Rotulo("Atenciosamente,", 0, topo + 20);
  lblNomeMed2 = Rotulo("", 0, topo + 40, 500);

  bndRodape = new TQRBand(this);
  bndRodape->SetParent(qrLauRelat);
  bndRodape->SetBandType(rbPageFooter);
  bndRodape->SetHeight(24);
  auto* rodape = new TQRLabel(this);
  rodape->SetParent(bndRodape);
  rodape->SetBounds(0, 4, 400, 17);
  rodape->SetCaption("Laudo de videoceratografia - MZ3100");
  rodape->Font()->SetSize(8);
  qrPagina = new TQRPageNumber(this);
  qrPagina->SetParent(bndRodape);
  qrPagina->SetBounds(kLargura - 120, 4, 120, 17);
  qrPagina->SetAutoSize(false);
  qrPagina->SetAlignment(taRightJustify);
  qrPagina->SetText("Página ");
  qrPagina->Font()->SetSize(8);
}
