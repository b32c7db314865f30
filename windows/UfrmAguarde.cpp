#include "windows/UfrmAguarde.h"

#include "windows/UBArtes.h"

TfrmAguarde* frmAguarde = nullptr;

TfrmAguarde::TfrmAguarde(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmAguarde");
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    SetCaption("MZ3100");
    SetClientWidth(191);
    SetClientHeight(62);
    sPanel1 = new TsPanel(this);
    sPanel1->SetName("sPanel1");
    sPanel1->SetParent(this);
    sPanel1->SetAlign(alClient);
    sPanel1->SkinData()->SetCustomColor(true);
    sPanel1->SkinData()->SetCustomFont(true);
    sPanel1->SetColor(RGB(195, 210, 222));
    sPanel1->Font()->SetName("Arial");
    sPanel1->Font()->SetHeight(-15);
    sPanel1->Font()->SetStyle(fsBold);
    sPanel1->Font()->SetColor(clNavy);
    sPanel1->SetCaption("Aguarde...");
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(sPanel1);
    Image1->SetBounds(16, 16, 30, 30);
    Image1->SetTransparent(true);
    CarregarArte(Image1->Picture(), "AGUARDE");
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmAguarde::~TfrmAguarde() {
  if (frmAguarde == this) frmAguarde = nullptr;
}

void TfrmAguarde::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
