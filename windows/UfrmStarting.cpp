#include "windows/UfrmStarting.h"

#include "windows/UBArtes.h"

TfrmIniciando* frmIniciando = nullptr;

TfrmIniciando::TfrmIniciando(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmIniciando");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetCaption("Iniciando . . .");
    SetClientWidth(342);
    SetClientHeight(178);
    sPanel1 = new TsPanel(this);
    sPanel1->SetName("sPanel1");
    sPanel1->SetParent(this);
    sPanel1->SetAlign(alClient);
    sPanel1->SetCaption("");
    sPanel1->SkinData()->SetSkinSection("TOOLBAR");
    sPanel1->SetColor(clNavy);
    static const char* const textos[] = {
        "Verificando a integridade do banco de dados.", "Iniciando o banco de dados.",
        "Localizando os módulos instalados.", "Iniciando os módulos instalados."};
    TImage** imagens[] = {&ImgStep1, &ImgStep2, &ImgStep3, &ImgStep4};
    TsLabelFX** rotulos[] = {&lblStep1, &lblStep2, &lblStep3, &lblStep4};
    for (int i = 0; i < 4; ++i) {
      TImage* img = *imagens[i] = new TImage(this);
      img->SetName("ImgStep" + std::to_string(i + 1));
      img->SetParent(sPanel1);
      img->SetBounds(20, 24 + i * 30, 17, 17);
      img->SetTransparent(true);
      CarregarArte(img->Picture(), "TICK");
      img->SetVisible(i == 0);
      TsLabelFX* lbl = *rotulos[i] = new TsLabelFX(this);
      lbl->SetName("lblStep" + std::to_string(i + 1));
      lbl->SetParent(sPanel1);
      lbl->SetLeft(46);
      lbl->SetTop(25 + i * 30);
      lbl->SetTransparent(true);
      lbl->Font()->SetName("Verdana");
      lbl->Font()->SetStyle(fsBold);
      lbl->Font()->SetColor(clWhite);
      lbl->SetCaption(textos[i]);
    }
    PBProgress = new TProgressBar(this);
    PBProgress->SetName("PBProgress");
    PBProgress->SetParent(sPanel1);
    PBProgress->SetAlign(alBottom);
    PBProgress->SetHeight(16);
    PBProgress->SetMin(0);
    PBProgress->SetMax(100);
    PBProgress->SetSmooth(true);
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmIniciando::~TfrmIniciando() {
  if (frmIniciando == this) frmIniciando = nullptr;
}

void TfrmIniciando::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
